// A presentation shown fullscreen at a size the screen does not have: its picture placed on the
// screen as the scale mode says, black around it. The machine's display mode is never changed.
#pragma once

#include "base/geometry.h"

namespace velk::desktop {

// How the picture fills the screen.
enum class ScaleMode {
    kFit,      // as large as fits with its proportions kept, centred
    kInteger,  // the largest whole-number enlargement that fits, centred; fit when none does
    kStretch,  // the whole screen, proportions not kept
};

// Where a `content` picture goes inside `area`: as large as fits, centred.
Rect FitRect(Size content, Size area);

// Where a `content` picture goes inside `area` in `mode`.
Rect PlaceRect(Size content, Size area, ScaleMode mode);

// The client pixel of the picture under `screen` (a point of `area`), for a picture of size
// `content` placed at `fit`. Points outside the picture map outside the client area.
Point MapToClient(Point screen, const Rect& fit, Size content);

// The first point of `area` that shows client pixel `client`: the inverse of MapToClient.
Point MapPointToScreen(Point client, const Rect& fit, Size content);

// The part of `area` that client rectangle `dirty` covers, grown to whole pixels.
Rect MapToScreen(const Rect& dirty, const Rect& fit, Size content);

}  // namespace velk::desktop
