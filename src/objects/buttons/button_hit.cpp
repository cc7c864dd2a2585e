#include <algorithm>

#include "objects/buttons/button_fields.h"
#include "objects/buttons/button_kind.h"
#include "objects/hit_test.h"
#include "objects/picture_cache.h"

namespace velk {

// An alpha bitmap button's picture is a 2 x 2 grid of which the button shows a quarter; the
// bottom-right quarter holds the opacities of the three states in its red, green and blue
// bytes.
bool HitBitmapButton(const Object& button, Point point, PictureCache& pictures) {
    if (!BitmapButtonFields(button).Alpha() || !button.image1) return true;
    const RgbImage& picture = pictures.Pixels(*button.image1);
    const std::int64_t x = std::int64_t{point.x} - std::min(button.rect.left, button.rect.right);
    const std::int64_t y = std::int64_t{point.y} - std::min(button.rect.top, button.rect.bottom);
    const std::uint8_t* pixel = RgbPixelAt(picture, x + picture.width / 2, y + picture.height / 2);
    if (!pixel) return false;
    const int channel = std::clamp(button.state, 0, 2);
    return pixel[channel] > 10;
}

}  // namespace velk
