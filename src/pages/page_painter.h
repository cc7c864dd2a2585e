// Painting one page of a project: the window's own steps (background colour, the border) around
// the layers (page background, master page, current page, master layer) and the alias objects
// that show another object in their place.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/object.h"
#include "document/page.h"
#include "document/project.h"
#include "objects/draw_object.h"

namespace velk {

class Canvas;
class FontCache;
class PictureCache;

// The whole client area as the main window paints it, into a canvas of the client size:
// unless the header says `no_background`, the current page's `background_colour` over the
// client rectangle; then the layers (PaintLayers) with the paint size `client_width` x
// `client_height`; then, with `border`, a one-pixel frame in black along the inside of the
// client rectangle, on top of every object.
//
// `current` is a page of `project`: a page of the list, the master page or the master layer.
// Text objects fit their `rect` to the text they draw, so the project is not const.
void PaintPage(Project& project, Page& current, Canvas& canvas, FontCache& fonts,
               PictureCache& pictures);

// Bottom to top: unless `no_background`, the background that the current page uses (its own,
// the master page's with `use_master_background`, the first page's with
// `use_first_page_background` on any other page; the latter wins when both are set); then the
// master page's objects, the current page's, and the master layer's. When the master page or the
// master layer is itself current, only its own objects are drawn.
//
// A background is its picture, 1:1 at the top-left corner or tiled from there over the paint
// size (`tile_background`), or, without a picture (or one that decodes to nothing), its
// `background_colour` over the paint size.
//
// `ctx` supplies the canvas, fonts and pictures; its draw offset and force_visible are used
// only for the duration of an alias and restored afterwards.
void PaintLayers(Project& project, Page& current, DrawContext& ctx, std::int32_t paint_width,
                 std::int32_t paint_height, bool no_background);

// Draws a page's objects in list order (the first at the bottom). An object with `is_alias`
// that is not hidden draws the object its `text` names (FindObject) at the alias's place:
// forced visible and moved by the difference of the two rectangles' top-left corners. A name
// that finds nothing draws nothing.
void PaintObjects(Project& project, const Page& current, Page& layer, DrawContext& ctx);

// The object a qualified name designates, as scripts name objects: "Page::Object" looks in the
// page of that name ("Master Page", "Master Page 000" and "master page" name the master page,
// likewise for the master layer; other page names compared without regard to case, first
// match), a name without "::" looks in `current`. Within the page the first object whose name
// matches without regard to case. nullptr when either part finds nothing.
//
// This is the lookup that alias objects need while painting; it keeps the page manager's
// rules so that the page manager can take it over unchanged.
Object* FindObject(Project& project, const Page& current, std::string_view qualified_name);

// The objects of a page as page entry leaves them: no pointer state, and `hidden` back to
// `initially_hidden`.
void ResetObjectsForEntry(Page& page);

}  // namespace velk
