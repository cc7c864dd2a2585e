// Plays an enhanced metafile onto a Canvas into a destination rectangle, as the desktop's
// PlayEnhMetaFile does: the picture frame of the header (hundredths of a millimetre on the
// device the metafile was made on) is mapped onto the rectangle, so a rectangle whose left and
// right (or top and bottom) are exchanged mirrors the picture.
//
// The bytes are untrusted. A record whose size does not add up, whose fields run past its end,
// whose counts exceed what it holds, or that names an object outside the header's table ends
// the play: what was drawn before stays. Records the player does not know are passed over.
// The canvas's own state (pen, brush, colours, font, clip) is the same after the play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "base/geometry.h"

namespace velk {

class Canvas;
class FontCache;

struct MetafilePlay {
    std::size_t records = 0;  // records played, the header included
    bool complete = false;    // the end-of-file record was reached without damage on the way
};

// `destination` is in the canvas's logical coordinates. Drawing stays within the canvas's
// clip. Nothing is drawn when the data is not an enhanced metafile or its frame has no size.
MetafilePlay PlayEnhMetafile(Canvas& canvas, FontCache& fonts, std::span<const std::uint8_t> data,
                             const Rect& destination);

}  // namespace velk
