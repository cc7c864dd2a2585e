// A presentation shown fullscreen at a size the screen does not have: scaled to fit with its
// proportions kept, centred, black around it. The machine's display mode is never changed.
#pragma once

#include "base/geometry.h"

namespace velk::desktop {

// Where a `content` picture goes inside `area`: as large as fits, centred.
Rect FitRect(Size content, Size area);

// The client pixel of the picture under `screen` (a point of `area`), for a picture of size
// `content` placed at `fit`. Points outside the picture map outside the client area.
Point MapToClient(Point screen, const Rect& fit, Size content);

// The part of `area` that client rectangle `dirty` covers, grown to whole pixels.
Rect MapToScreen(const Rect& dirty, const Rect& fit, Size content);

}  // namespace velk::desktop
