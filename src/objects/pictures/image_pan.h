// Panning an Image's picture with the mouse: whether the picture may be panned and the clamped
// pan offset. These are the image view's rules; the pointer needs only these two.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

// Not an alias, not fitted to its rectangle (`flag_a`), not centred by `flag_g`, with scroll
// bars allowed (`flag_b`).
bool CanPanPicture(const Object& object);

// The pointer drags this object's picture: an Image that may be panned and has panning by
// pointer on (`flag_c`).
bool PansWithPointer(const Object& object);

// Sets `image_origin` to (x, y) clamped between 0 and (rectangle size - picture size) on each
// axis; a centred picture is centred instead. The scroll bars follow. Nothing happens without a
// displayed picture.
void SetPan(Object& object, Point offset);

}  // namespace velk
