// The text rules of a Paragraph (kind 15), apart from any canvas: the word list, word wrapping
// with the cutting of words wider than the area, the x position of an aligned line and the
// geometry of the scroll-bar thumb. Widths come from the advance of each code-page byte, as the
// font draws them (no kerning), so a run's width is the sum of its advances.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"

namespace velk {

// The advance of one code-page byte, in pixels.
using CharAdvance = std::function<std::int32_t(char)>;

// The sum of the advances of `text`.
std::int64_t RunWidth(std::string_view text, const CharAdvance& advance);

// The text normalised (tab and carriage return become a space, a line feed stays, a space after
// any of them or after a space is dropped) and cut after every space: each word keeps its
// trailing space, a line feed stays inside its word.
std::vector<std::string> ParagraphWords(std::string_view text);

// The words wrapped into an area `area_width` pixels wide. A line breaks before a word that
// would overrun the area (lines count 2 pixels of margin) or that holds a line feed; a line that
// starts with a line feed loses it; a line holding one word wider than the area is cut between
// characters.
std::vector<std::string> WrapParagraph(const std::vector<std::string>& words,
                                       std::int32_t area_width, const CharAdvance& advance);

// Where a line `line_width` pixels wide starts in an area at `origin_x`, `area_width` wide, for
// an alignment (1 centred, 2 right, anything else left).
std::int32_t ParagraphLineX(std::int32_t alignment, std::int32_t origin_x, std::int32_t area_width,
                            std::int64_t line_width);

// The thumb of a scroll bar whose column starts at `column` (top of the up arrow) and is
// `height` pixels high, for `line_count` lines of which `visible_lines` are shown from
// `first_line` on. It is at least 6 pixels high and kept between the two arrows where it fits.
Rect ParagraphThumb(Point column, std::int32_t height, std::int32_t line_count,
                    std::int32_t first_line, std::int32_t visible_lines);

}  // namespace velk
