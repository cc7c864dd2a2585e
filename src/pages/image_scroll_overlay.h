// The scroll bars of the shown pages' Images, drawn over the painted page as the windows of
// their own that they are: on top of every object, each only where the objects painted above
// its Image leave it uncovered, and not at all while its Image is hidden.
#pragma once

namespace velk {

class Canvas;
class PageManager;

// Sets each bar's visible part from the covering area and draws it. Call after the page is
// painted.
void PaintImageScrollBars(PageManager& pages, Canvas& canvas);

}  // namespace velk
