// The window the player shows while its speech engine starts: a small pop-up with a dialog
// frame, centred over the presentation, black inside, saying in white that the engine is
// starting. The core draws it over the page; it has no controls and takes no input.
#pragma once

#include "base/geometry.h"

namespace velk {

class Canvas;
class FontCache;

// Where the window goes, frame included, over a client area of `client` pixels.
Rect SpeechWaitWindowRect(Size client);

// Draws the window into `frame` (SpeechWaitWindowRect). Without fonts the texts are left out.
void DrawSpeechWaitWindow(Canvas& canvas, FontCache* fonts, const Rect& frame);

}  // namespace velk
