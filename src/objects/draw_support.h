// Small pieces shared by the text and button drawers: the line cutting of text objects, text
// measured as the old extent call measured it, pictures drawn 1:1 through the canvas's clip,
// and a guard that gives the canvas its state back when a drawer returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/rgb_image.h"
#include "gfx/canvas.h"
#include "gfx/font.h"

namespace velk {

// The lines of a text object, cut one at a time from the front of the remaining text:
// - at a line feed at position p the line is the first p - 1 characters (the character before
//   the line feed, normally its carriage return, is dropped; a line feed at 0 gives an empty
//   line) and the rest starts after the line feed;
// - else at the two characters backslash and 'n' at position p the line is the first p
//   characters and the rest starts after the pair;
// - else the whole remaining text is the last line (so a text ending in a line break ends
//   with an empty line).
// An empty text has no lines.
std::vector<std::string_view> CutTextLines(std::string_view text);

// The extent of `text` in the selected font. An empty string measures 0 x 0, as the old
// extent call reports it (which is why the drawers have rules for lines 0 pixels high).
TextExtent MeasureLine(const Canvas& canvas, std::string_view text);

// Saves the canvas state on construction and restores it on destruction, so that a drawer's
// font, colours, alignment and modes do not leak into the next object.
class SavedCanvasState {
  public:
    explicit SavedCanvasState(Canvas& canvas) : canvas_(canvas) { canvas_.SaveDC(); }
    ~SavedCanvasState() { canvas_.RestoreDC(); }
    SavedCanvasState(const SavedCanvasState&) = delete;
    SavedCanvasState& operator=(const SavedCanvasState&) = delete;

  private:
    Canvas& canvas_;
};

// `rect` grown by (dx, dy) on every side (negative values shrink it), clamped to 32 bits.
Rect InflateRect(const Rect& rect, std::int32_t dx, std::int32_t dy);

// `rect` moved by (dx, dy), clamped to 32 bits.
Rect ShiftRect(const Rect& rect, std::int32_t dx, std::int32_t dy);

// `picture` 1:1 with its top-left corner at the logical point (x, y), inside the canvas's
// clip; with `key_colour` (a COLORREF) the pixels of that colour are left out. Invalid or
// empty pictures draw nothing.
void DrawPicture(Canvas& canvas, const RgbImage& picture, std::int32_t x, std::int32_t y,
                 std::optional<std::uint32_t> key_colour = std::nullopt);

}  // namespace velk
