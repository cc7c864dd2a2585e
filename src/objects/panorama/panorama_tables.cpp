#include "objects/panorama/panorama_tables.h"

#include <algorithm>
#include <cmath>

#include "base/saturate.h"

namespace velk {
namespace {

// The angle is converted with this value rather than pi; the bend of every view depends on it.
constexpr double kHalfTurnRadians = 3.14152;

// ⌊value⌋ as an integer, saturated (a bend read from the project may be huge).
std::int32_t FloorToInt(double value) {
    return SaturateCast<std::int32_t>(std::floor(value));
}

// The vertical centring: a picture taller than the view by 2 rows or more shows its middle.
std::int32_t Centring(Size picture, Size view) {
    const std::int64_t spare = std::int64_t{picture.height} - view.height;
    if (spare < 2) return 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(spare / 2, 0, picture.height - 1));
}

}  // namespace

bool PanoramaViewFits(Size view) {
    return view.width > 0 && view.height > 0 && view.width <= kMaxPanoramaViewSide &&
           view.height <= kMaxPanoramaViewSide &&
           std::int64_t{view.width} * view.height <= kMaxPanoramaViewPixels;
}

std::optional<PanoramaTables> MakePanoramaTables(Size picture, Size view,
                                                 std::uint32_t field_of_view, std::uint32_t bend) {
    if (picture.width <= 0 || picture.height <= 0 || !PanoramaViewFits(view)) return std::nullopt;
    const std::int32_t w = view.width, h = view.height;
    const double angle =
        std::min(field_of_view, kMaxPanoramaFieldOfView) / 180.0 * kHalfTurnRadians;
    const double span = 2.0 * std::tan(angle / 2.0);
    const double sx = span / w, hx = w * sx / 2.0;
    const double sy = span / h, hy = h * sy / 2.0;
    const double bend_x = bend != 0 ? double(bend) : double(w / 4);
    const double bend_y = double(h / 4);
    const std::int32_t centring = Centring(picture, view);

    PanoramaTables tables;
    tables.view = view;
    tables.columns.resize(std::size_t(w));
    std::vector<double> column_cos(static_cast<std::size_t>(w));
    for (std::int32_t j = 0; j < w; ++j) {
        const double a = j * sx - hx;
        std::int64_t column = FloorToInt(j + bend_x * std::sin(a));
        if (column < 0) {
            column += picture.width;
        } else if (column >= picture.width) {
            column -= picture.width;
        }
        tables.columns[std::size_t(j)] = SaturateToInt32(column);
        column_cos[std::size_t(j)] = bend_y * std::cos(a);
    }
    tables.rows.resize(std::size_t(w) * std::size_t(h));
    for (std::int32_t i = 0; i < h; ++i) {
        const double s = std::sin(i * sy - hy);
        std::int32_t* row = tables.rows.data() + std::size_t(i) * std::size_t(w);
        for (std::int32_t j = 0; j < w; ++j) {
            row[j] = SaturateToInt32(std::int64_t{centring} +
                                     FloorToInt(i + column_cos[std::size_t(j)] * s));
        }
    }
    tables.vertical_limit = std::max(tables.rows[std::size_t(w / 2)], 0);
    return tables;
}

}  // namespace velk
