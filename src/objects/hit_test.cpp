#include "objects/hit_test.h"

#include <algorithm>
#include <vector>

#include "gfx/canvas.h"
#include "objects/draw_support.h"
#include "gfx/image_library.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

// The three bytes of the pixel at (x, y), or null outside the picture.
const std::uint8_t* PixelAt(const RgbImage& picture, std::int64_t x, std::int64_t y) {
    if (!IsValidRgb(picture)) return nullptr;
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return nullptr;
    return picture.pixels.data() +
           (std::size_t(y) * std::size_t(picture.width) + std::size_t(x)) * 3;
}

bool InGrownRect(const Rect& rect, Point point, std::int32_t tolerance) {
    const std::int64_t left = std::min(rect.left, rect.right) - std::int64_t{tolerance};
    const std::int64_t right = std::max(rect.left, rect.right) + std::int64_t{tolerance};
    const std::int64_t top = std::min(rect.top, rect.bottom) - std::int64_t{tolerance};
    const std::int64_t bottom = std::max(rect.top, rect.bottom) + std::int64_t{tolerance};
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
}

// An alpha bitmap button's picture is a 2 x 2 grid of which the button shows a quarter; the
// bottom-right quarter holds the opacities of the three states in its red, green and blue
// bytes.
bool HitAlphaButton(const Object& button, Point point, PictureCache& pictures) {
    if (!button.image1) return true;
    const RgbImage& picture = pictures.Pixels(*button.image1);
    const std::int64_t x = std::int64_t{point.x} - std::min(button.rect.left, button.rect.right);
    const std::int64_t y = std::int64_t{point.y} - std::min(button.rect.top, button.rect.bottom);
    const std::uint8_t* pixel = PixelAt(picture, x + picture.width / 2, y + picture.height / 2);
    if (!pixel) return false;
    const int channel = std::clamp(button.state, 0, 2);
    return pixel[channel] > 10;
}

// Images and their picture-less forms without an outline.
bool HitPicture(const Object& object, Point point, PictureCache& pictures) {
    if (object.flag_f) return true;  // the background fill makes the whole rectangle solid
    const std::int64_t x = std::int64_t{point.x} - object.rect.left - object.image_origin.x;
    const std::int64_t y = std::int64_t{point.y} - object.rect.top - object.image_origin.y;
    if (object.transform != 0 && object.image3) {
        const std::uint8_t* alpha = PixelAt(pictures.Pixels(*object.image3), x, y);
        return alpha && alpha[0] >= 128;
    }
    const Picture* shown = ShownPicture(object);
    if (!shown) return true;
    const std::uint8_t* pixel = PixelAt(pictures.Pixels(*shown), x, y);
    if (!pixel) return false;
    if (object.transparent1 == 0) return true;
    const std::uint32_t colorref =
        pixel[0] | (std::uint32_t{pixel[1]} << 8) | (std::uint32_t{pixel[2]} << 16);
    return colorref != (object.colour1 & 0xFFFFFF);
}

}  // namespace

const Picture* ShownPicture(const Object& object) {
    if (!object.image1) return nullptr;
    if (object.param1 == 1 && object.image2) return &*object.image2;
    return &*object.image1;
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
    switch (object.kind) {
        case kKindBitmapButton:
            return object.option2 != 0 ? HitAlphaButton(object, point, pictures) : true;
        case kKindPolygon:
            return object.points_b.empty() ? true : HitTestOutline(object, point);
        case kKindImage:
        case kKindImageWithoutPicture:
        case kKindImageWithoutPictureOutlined:
            if (object.kind != kKindImageWithoutPicture && !object.points_b.empty()) {
                return HitTestOutline(object, point);
            }
            return HitPicture(object, point, pictures);
        default:
            return true;
    }
}

}  // namespace velk
