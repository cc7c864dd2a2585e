#include "objects/hit_test.h"
#include "objects/picture_cache.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

// Images and their picture-less forms without an outline.
bool HitPicture(const Object& object, Point point, PictureCache& pictures) {
    if (object.flag_f) return true;  // the background fill makes the whole rectangle solid
    const std::int64_t x = std::int64_t{point.x} - object.rect.left - object.image_origin.x;
    const std::int64_t y = std::int64_t{point.y} - object.rect.top - object.image_origin.y;
    if (object.transform != 0 && object.image3) {
        const std::uint8_t* alpha = RgbPixelAt(pictures.Pixels(*object.image3), x, y);
        return alpha && alpha[0] >= 128;
    }
    const Picture* shown = ShownPicture(object);
    if (!shown) return true;
    const std::uint8_t* pixel = RgbPixelAt(pictures.Pixels(*shown), x, y);
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

bool HitImage(const Object& image, Point point, PictureCache& pictures) {
    if (image.kind != kKindImageWithoutPicture && !image.points_b.empty()) {
        return HitTestOutline(image, point);
    }
    return HitPicture(image, point, pictures);
}

}  // namespace velk
