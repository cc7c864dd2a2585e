// The cells of a Matrix object: creation, MatrixSet / MatrixGet addressing, cell at a point.
#include "objects/pictures/matrix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosts/headless/recording_ui.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

Object Matrix(std::uint32_t columns, std::uint32_t rows, std::uint32_t initial) {
    Object matrix;
    matrix.kind = kKindMatrix;
    matrix.rect = {100, 50, 200, 150};
    matrix.param1 = columns;
    matrix.param2 = rows;
    matrix.param4 = initial;
    return matrix;
}

// The cells row by row, one digit per cell (values below 10 only).
std::string Cells(Object& matrix) {
    std::string text;
    const MatrixSize size = MatrixSizeOf(matrix);
    for (int row = 1; row <= size.rows; ++row) {
        if (row > 1) text += '/';
        for (int column = 1; column <= size.columns; ++column) {
            text += static_cast<char>('0' + MatrixGet(matrix, column, row));
        }
    }
    return text;
}

TEST(Matrix, CellsStartAsTheLowByteOfParam4) {
    Object matrix = Matrix(3, 2, 0x102);
    EXPECT_TRUE(matrix.matrix_cells.empty());  // made on first use
    EXPECT_EQ(Cells(matrix), "222/222");
    EXPECT_EQ(matrix.matrix_cells.size(), 6u);
}

TEST(Matrix, SetAddressesACellAColumnARowOrEverything) {
    const struct {
        std::int64_t column, row;
        const char* after;
    } cases[] = {
        {2, 1, "010/000/000"},  {2, 3, "000/000/010"},  {2, 0, "010/010/010"},
        {0, 2, "000/111/000"},  {0, 0, "111/111/111"},  {4, 1, "000/000/000"},
        {1, 4, "000/000/000"},  {-1, 1, "000/000/000"}, {1, -1, "000/000/000"},
        {-1, 0, "000/000/000"},
    };
    for (const auto& c : cases) {
        Object matrix = Matrix(3, 3, 0);
        MatrixSet(matrix, c.column, c.row, 1);
        EXPECT_EQ(Cells(matrix), c.after) << c.column << "," << c.row;
    }
}

TEST(Matrix, SetKeepsTheLowByte) {
    Object matrix = Matrix(2, 1, 0);
    MatrixSet(matrix, 1, 1, 0x1234);
    MatrixSet(matrix, 2, 1, -1);
    EXPECT_EQ(MatrixGet(matrix, 1, 1), 0x34);
    EXPECT_EQ(MatrixGet(matrix, 2, 1), 255);
}

TEST(Matrix, GetOutsideTheCellsIsMinusOne) {
    Object matrix = Matrix(3, 3, 7);
    for (auto [column, row] : std::vector<std::pair<int, int>>{
             {0, 1}, {1, 0}, {0, 0}, {4, 1}, {1, 4}, {9, 9}, {-1, 2}}) {
        EXPECT_EQ(MatrixGet(matrix, column, row), -1) << column << "," << row;
    }
    EXPECT_EQ(MatrixGet(matrix, 3, 3), 7);
}

TEST(Matrix, OversizedMatrixHasNoCells) {
    // Sizes from the file that would ask for gigabytes give a matrix without cells.
    Object matrix = Matrix(0x10000, 0x10000, 1);
    MatrixSet(matrix, 0, 0, 5);
    EXPECT_EQ(MatrixGet(matrix, 1, 1), -1);
    EXPECT_TRUE(matrix.matrix_cells.empty());
    Object negative = Matrix(0xFFFFFFFF, 3, 1);
    EXPECT_EQ(MatrixSizeOf(negative).columns, 0);
    EXPECT_EQ(MatrixGet(negative, 1, 1), -1);
}

TEST(Matrix, CellAtAPoint) {
    // rect (100, 50, ...), 4 x 3 cells of 32 x 20 pixels.
    const Object matrix = Matrix(4, 3, 0);
    const struct {
        Point point;
        Point offset;
        std::int32_t w, h;
        MatrixCell cell;
    } cases[] = {
        {{100, 50}, {}, 32, 20, {1, 1}},       {{131, 69}, {}, 32, 20, {1, 1}},
        {{132, 70}, {}, 32, 20, {2, 2}},       {{227, 109}, {}, 32, 20, {4, 3}},
        {{228, 110}, {}, 32, 20, {-1, -1}},  // past the last column and row
        {{95, 45}, {}, 32, 20, {1, 1}},      // less than a cell before the edge: division truncates
        {{67, 29}, {}, 32, 20, {-1, -1}},    // a whole cell before it
        {{100, 50}, {32, 20}, 32, 20, {2, 2}},  // the draw offset is added to the point
        {{110, 60}, {}, 0, 20, {-1, 1}},        // a cell size of 0
        {{110, 60}, {}, 32, 0, {1, -1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatrixCellAt(matrix, c.offset, c.w, c.h, c.point), c.cell)
            << c.point.x << "," << c.point.y;
    }
}

TEST(Matrix, CellAtAPointUsesTheSizeOfImage1) {
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    Object matrix = Matrix(4, 3, 0);
    EXPECT_EQ(MatrixCellAt(matrix, {}, pictures, {110, 60}), (MatrixCell{-1, -1}));
    Picture cell;
    cell.width = 10;
    cell.height = 5;
    cell.bytes.assign(10 * 5 * 3, 0);
    matrix.image1 = cell;
    EXPECT_EQ(MatrixCellAt(matrix, {}, pictures, {125, 61}), (MatrixCell{3, 3}));
}

}  // namespace
}  // namespace velk
