// The cells of a Matrix object (kind 19): `param1` columns x `param2` rows of one-byte values,
// row after row. A cell of 1, 2 or 3 shows `image1`, `image2` or `image3`; cells are spaced by
// the size of `image1`. The cells are made the first time anything touches them (drawing, the
// MatrixSet and MatrixGet commands, the pointer) with every cell set to the low byte of `param4`.
//
// Columns and rows are counted from 1 by the commands and the pointer.
#pragma once

#include <cstdint>
#include <span>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class PictureCache;

// The most cells a Matrix may have. The sizes come from the project file; a matrix larger than
// this has no cells at all (it draws nothing, reads -1 and ignores writes) instead of asking
// for gigabytes.
inline constexpr std::int64_t kMaxMatrixCells = std::int64_t{1} << 24;

struct MatrixSize {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
};

// `param1` x `param2`, each read as a signed 32-bit value (negative counts as 0); 0 x 0 when
// the cell count passes kMaxMatrixCells.
MatrixSize MatrixSizeOf(const Object& matrix);

// The cells, made (or made anew, when the sizes changed) as described above.
std::span<std::uint8_t> MatrixCells(Object& matrix);

// MatrixSet: the low byte of `value` goes to column `column` and row `row` (from 1). Row 0
// means every row of the column, column 0 every column of the row, both 0 every cell.
// Anything negative or beyond the size changes nothing.
void MatrixSet(Object& matrix, std::int64_t column, std::int64_t row, std::int64_t value);

// MatrixGet: the cell's value 0 ... 255, or -1 when the column or row lies outside 1 ... size.
std::int32_t MatrixGet(Object& matrix, std::int64_t column, std::int64_t row);

// The cell under a page point, or -1 for a coordinate outside 1 ... size. `cell_width` x
// `cell_height` is the size of `image1`; a size of 0 gives -1 on that axis. The draw offset is
// added to the point, and the division truncates towards zero as the pointer code always did.
struct MatrixCell {
    std::int32_t column = -1;
    std::int32_t row = -1;
    bool operator==(const MatrixCell&) const = default;
};
MatrixCell MatrixCellAt(const Object& matrix, Point draw_offset, std::int32_t cell_width,
                        std::int32_t cell_height, Point point);
// The same with the cell size taken from the decoded `image1`; (-1, -1) without `image1`.
MatrixCell MatrixCellAt(const Object& matrix, Point draw_offset, PictureCache& pictures,
                        Point point);

}  // namespace velk
