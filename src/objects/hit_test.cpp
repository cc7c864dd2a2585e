#include "objects/hit_test.h"

#include <algorithm>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/image_library.h"
#include "objects/kinds.h"

namespace velk {
namespace {

bool InGrownRect(const Rect& rect, Point point, std::int32_t tolerance) {
    const std::int64_t left = std::min(rect.left, rect.right) - std::int64_t{tolerance};
    const std::int64_t right = std::max(rect.left, rect.right) + std::int64_t{tolerance};
    const std::int64_t top = std::min(rect.top, rect.bottom) - std::int64_t{tolerance};
    const std::int64_t bottom = std::max(rect.top, rect.bottom) + std::int64_t{tolerance};
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
}

}  // namespace

const std::uint8_t* RgbPixelAt(const RgbImage& picture, std::int64_t x, std::int64_t y) {
    if (!IsValidRgb(picture)) return nullptr;
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return nullptr;
    return picture.pixels.data() +
           (std::size_t(y) * std::size_t(picture.width) + std::size_t(x)) * 3;
}

bool HitTestOutline(const Object& object, Point point) {
    if (object.points_a.empty() || object.rect.IsEmpty()) return false;
    const std::int64_t x = std::int64_t{point.x} - object.rect.left;
    const std::int64_t y = std::int64_t{point.y} - object.rect.top;
    const std::int64_t width = std::int64_t{object.rect.right} - object.rect.left;
    const std::int64_t height = std::int64_t{object.rect.bottom} - object.rect.top;
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    // Only the one pixel under the point matters: draw the outline into a 1 x 1 picture whose
    // origin puts that pixel at (0, 0).
    Surface pixel(1, 1, 0);
    Canvas canvas(pixel);
    canvas.SetViewportOrigin({static_cast<std::int32_t>(-x), static_cast<std::int32_t>(-y)});
    canvas.SetPen(Pen{PenStyle::kSolid, MakeBgrx(255, 255, 255), 1});
    canvas.SetBrush(Brush::Solid(MakeBgrx(255, 255, 255)));
    canvas.Polygon(object.points_a);
    return pixel.At(0, 0) != 0;
}

bool HitTestObject(const Object& object, Point point, std::int32_t tolerance, bool precise,
                   PictureCache& pictures) {
    if (!InGrownRect(object.rect, point, tolerance)) return false;
    if (!precise) return true;
    const KindHitTest precise_hit = TraitsOf(object.kind).precise_hit;
    return precise_hit == nullptr || precise_hit(object, point, pictures);
}

}  // namespace velk
