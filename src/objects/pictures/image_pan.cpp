#include "objects/pictures/image_pan.h"

#include <algorithm>

#include "objects/pictures/image_scroll.h"
#include "objects/pictures/picture_fields.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

std::int32_t Clamp(std::int64_t value, std::int64_t room) {
    // A picture larger than the rectangle has a negative room: it always covers the rectangle.
    const std::int64_t low = std::min<std::int64_t>(0, room);
    const std::int64_t high = std::max<std::int64_t>(0, room);
    return static_cast<std::int32_t>(std::clamp(value, low, high));
}

}  // namespace

bool CanPanPicture(const Object& object) {
    const ImageFields fields(object);
    return object.is_alias == 0 && !fields.Fitted() && !fields.CentredUnfitted() &&
           fields.ScrollBars();
}

void SetPan(Object& object, Point offset) {
    const Picture* picture = ShownPicture(object);
    if (picture == nullptr) return;
    const std::int64_t room_x = std::int64_t{object.rect.Width()} - picture->width;
    const std::int64_t room_y = std::int64_t{object.rect.Height()} - picture->height;
    if (ImageFields(object).Centred()) {
        object.image_origin = {static_cast<std::int32_t>((room_x + 1) / 2),
                               static_cast<std::int32_t>((room_y + 1) / 2)};
    } else {
        object.image_origin = {Clamp(offset.x, room_x), Clamp(offset.y, room_y)};
    }
    FollowPanOffset(object);
}

bool PansWithPointer(const Object& object) {
    return object.kind == kKindImage && ImageFields(object).PannedByPointer() &&
           CanPanPicture(object);
}

}  // namespace velk
