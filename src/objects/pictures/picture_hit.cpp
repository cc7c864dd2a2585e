#include "objects/hit_test.h"
#include "objects/picture_cache.h"
#include "objects/pictures/picture_fields.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

// Images and their picture-less forms without an outline.
bool HitPicture(const Object& object, Point point, PictureCache& pictures) {
    const ImageFields fields(object);
    if (fields.FillsBackground()) return true;  // the fill makes the whole rectangle solid
    const std::int64_t x = std::int64_t{point.x} - object.rect.left - object.image_origin.x;
    const std::int64_t y = std::int64_t{point.y} - object.rect.top - object.image_origin.y;
    if (fields.Blended() && object.image3) {
        const std::uint8_t* alpha = RgbPixelAt(pictures.Pixels(*object.image3), x, y);
        return alpha && alpha[0] >= 128;
    }
    const Picture* shown = ShownPicture(object);
    if (!shown) return true;
    const std::uint8_t* pixel = RgbPixelAt(pictures.Pixels(*shown), x, y);
    if (!pixel) return false;
    const std::optional<std::uint32_t> key = fields.Key();
    if (!key) return true;
    const std::uint32_t colorref =
        pixel[0] | (std::uint32_t{pixel[1]} << 8) | (std::uint32_t{pixel[2]} << 16);
    return colorref != (*key & 0xFFFFFF);
}

}  // namespace

const Picture* ShownPicture(const Object& object) {
    if (!object.image1) return nullptr;
    if (ImageFields(object).ShowsSecondPicture() && object.image2) return &*object.image2;
    return &*object.image1;
}

bool HitImage(const Object& image, Point point, PictureCache& pictures) {
    if (image.kind != kKindImageWithoutPicture && !image.points_b.empty()) {
        return HitTestOutline(image, point);
    }
    return HitPicture(image, point, pictures);
}

}  // namespace velk
