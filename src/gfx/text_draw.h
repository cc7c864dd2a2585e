// Text output on a Canvas with the selected font, text colour, background mode and colour and
// text alignment, as TextOut, DrawText and GetTextExtentPoint32 behave. Text is code-page bytes.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/geometry.h"
#include "gfx/canvas.h"
#include "gfx/font.h"

namespace velk {

// DrawText: '&' is an ordinary character (without it "&x" draws x underlined, "&&" draws &).
inline constexpr std::uint32_t kDtNoPrefix = 0x800;
// DrawText: lines are tmHeight + tmExternalLeading apart.
inline constexpr std::uint32_t kDtExternalLeading = 0x200;

// Draws `text` at (x, y) by the text alignment: TA_LEFT starts at x, TA_CENTER at x - W / 2,
// TA_RIGHT at x - W (W the text width); TA_TOP puts the top of the cell at y, TA_BASELINE the
// baseline, TA_BOTTOM the bottom. In opaque background mode the cell is filled with the
// background colour first. Nothing happens without a font.
void TextOut(Canvas& canvas, std::int32_t x, std::int32_t y, std::string_view text);

// The same, with glyphs and background clipped to `clip` (ExtTextOut with ETO_CLIPPED).
void TextOutClipped(Canvas& canvas, std::int32_t x, std::int32_t y, const Rect& clip,
                    std::string_view text);

// GetTextExtentPoint32: the sum of the integer advances and the cell height of the selected
// font; (0, 0) without a font.
TextExtent GetTextExtent(const Canvas& canvas, std::string_view text);

// DrawText. With DT_SINGLELINE the text is one line: DT_CENTER puts it at
// (left + right - cx) / 2, DT_RIGHT at right - cx; DT_VCENTER at top + height / 2 - cy / 2,
// DT_BOTTOM at bottom - cy. Otherwise lines end at CR, LF or a CR LF pair and stack from the
// top. Unless DT_NOCLIP the text is clipped to the rectangle. With DT_CALCRECT nothing is
// drawn. Returns the height of the text (from the top of the rectangle to the bottom of the
// text with DT_VCENTER or DT_BOTTOM); 0 without a font.
std::int32_t DrawText(Canvas& canvas, std::string_view text, const Rect& rect,
                      std::uint32_t format);

// DrawText with DT_CALCRECT: `rect` with its right edge moved to fit the widest line and its
// bottom to fit the lines.
Rect CalcTextRect(const Canvas& canvas, std::string_view text, const Rect& rect,
                  std::uint32_t format);

}  // namespace velk
