#include "objects/pictures/matrix.h"

#include <algorithm>

#include "objects/picture_cache.h"
#include "objects/pictures/picture_fields.h"

namespace velk {
namespace {

std::int32_t SignedCount(std::uint32_t stored) {
    return std::max(static_cast<std::int32_t>(stored), 0);
}

}  // namespace

MatrixSize MatrixSizeOf(const Object& matrix) {
    const MatrixFields fields(matrix);
    const MatrixSize size{SignedCount(fields.Columns()), SignedCount(fields.Rows())};
    if (std::int64_t{size.columns} * size.rows > kMaxMatrixCells) return {};
    return size;
}

std::span<std::uint8_t> MatrixCells(Object& matrix) {
    const MatrixSize size = MatrixSizeOf(matrix);
    const std::size_t count = std::size_t(size.columns) * std::size_t(size.rows);
    if (matrix.matrix_cells.size() != count) {
        matrix.matrix_cells.assign(count, MatrixFields(matrix).InitialCell());
    }
    return matrix.matrix_cells;
}

void MatrixSet(Object& matrix, std::int64_t column, std::int64_t row, std::int64_t value) {
    const MatrixSize size = MatrixSizeOf(matrix);
    if (column < 0 || row < 0 || column > size.columns || row > size.rows) return;
    std::span<std::uint8_t> cells = MatrixCells(matrix);
    const auto byte = static_cast<std::uint8_t>(value & 0xFF);
    // Index 0 on an axis stands for the whole axis.
    const std::int64_t c0 = column == 0 ? 1 : column, c1 = column == 0 ? size.columns : column;
    const std::int64_t r0 = row == 0 ? 1 : row, r1 = row == 0 ? size.rows : row;
    for (std::int64_t r = r0; r <= r1; ++r) {
        for (std::int64_t c = c0; c <= c1; ++c) {
            cells[std::size_t((r - 1) * size.columns + (c - 1))] = byte;
        }
    }
}

std::int32_t MatrixGet(Object& matrix, std::int64_t column, std::int64_t row) {
    const MatrixSize size = MatrixSizeOf(matrix);
    if (column < 1 || row < 1 || column > size.columns || row > size.rows) return -1;
    return MatrixCells(matrix)[std::size_t((row - 1) * size.columns + (column - 1))];
}

MatrixCell MatrixCellAt(const Object& matrix, Point draw_offset, std::int32_t cell_width,
                        std::int32_t cell_height, Point point) {
    const MatrixSize size = MatrixSizeOf(matrix);
    auto axis = [](std::int64_t from_edge, std::int32_t cell, std::int32_t count) {
        if (cell <= 0) return -1;
        // C division: a point less than one cell before the edge still lands in cell 1.
        const std::int64_t index = from_edge / cell + 1;
        return index >= 1 && index <= count ? static_cast<std::int32_t>(index) : -1;
    };
    const std::int64_t x = std::int64_t{point.x} + draw_offset.x - matrix.rect.left;
    const std::int64_t y = std::int64_t{point.y} + draw_offset.y - matrix.rect.top;
    return {axis(x, cell_width, size.columns), axis(y, cell_height, size.rows)};
}

MatrixCell MatrixCellAt(const Object& matrix, Point draw_offset, PictureCache& pictures,
                        Point point) {
    if (!matrix.image1) return {};
    const RgbImage& cell = pictures.Pixels(*matrix.image1);
    return MatrixCellAt(matrix, draw_offset, cell.width, cell.height, point);
}

}  // namespace velk
