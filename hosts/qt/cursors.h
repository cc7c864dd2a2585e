// The pointer shapes a presentation asks for, as Qt cursors.
#pragma once

#include <QCursor>
#include <cstdint>
#include <optional>
#include <span>

#include "host/host.h"

namespace velk::desktop {

// A ".CUR" file's first image with the hot spot the file gives it; nothing when the bytes are
// no cursor file or its image cannot be decoded.
std::optional<QCursor> CursorFromCurFile(std::span<const std::uint8_t> bytes);

// The cursor for `cursor`. The built-in table entries and the player's other cursor resources
// have no images of their own here: each gets the standard shape closest to its use, and the
// four directions a dragged panorama turns in get arrows drawn here. A project cursor that
// cannot be loaded falls back to the default arrow.
QCursor CursorFor(const host::Cursor& cursor);

}  // namespace velk::desktop
