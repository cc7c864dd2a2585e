#include "objects/paragraph/paragraph_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/saturate.h"
#include "document/paragraph_layout.h"

namespace velk {
namespace {

// Lines count this much before their first word, for the margins.
constexpr std::int64_t kLineMargin = 2;
constexpr std::int64_t kMinThumbHeight = 6;

// Adds one wrapped line. A line that overruns the area (one word wider than it) is cut at the
// first character that overruns, its rest added the same way.
void AddLine(std::vector<std::string>& lines, std::string line, std::int64_t counted_width,
             std::int64_t area_width, const CharAdvance& advance) {
    while (!line.empty()) {
        if (line.front() == '\n') line.erase(0, 1);
        if (counted_width <= area_width) {
            lines.push_back(std::move(line));
            return;
        }
        // Prefix widths grow by one advance each; the first prefix (shorter than the line)
        // wider than the area marks the cut.
        std::int64_t prefix_width = 0;
        std::size_t cut = 0;
        while (cut + 1 < line.size()) {
            prefix_width += advance(line[cut]);
            if (prefix_width > area_width) break;
            ++cut;
        }
        if (cut + 1 >= line.size()) {
            lines.push_back(std::move(line));
            return;
        }
        // Not even the first character fits: the line is not shown.
        if (cut == 0) return;
        lines.push_back(line.substr(0, cut));
        line.erase(0, cut);
        counted_width = RunWidth(line, advance);
    }
}

}  // namespace

std::int64_t RunWidth(std::string_view text, const CharAdvance& advance) {
    std::int64_t width = 0;
    for (char c : text) width += advance(c);
    return width;
}

std::vector<std::string> ParagraphWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool after_blank = false;
    auto put = [&](char c) {
        word.push_back(c);
        if (c == ' ') words.push_back(std::exchange(word, {}));
    };
    for (char c : text) {
        if (c == ' ') {
            if (!after_blank) put(' ');
            after_blank = true;
        } else if (c == '\t' || c == '\r') {
            put(' ');
            after_blank = true;
        } else {
            put(c);
            after_blank = c == '\n';
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::vector<std::string> WrapParagraph(const std::vector<std::string>& words,
                                       std::int32_t area_width, const CharAdvance& advance) {
    std::vector<std::string> lines;
    std::string line;
    std::int64_t counted = kLineMargin;
    for (const std::string& word : words) {
        const std::int64_t width = RunWidth(word, advance);
        if (counted + width > area_width || word.find('\n') != std::string::npos) {
            AddLine(lines, std::exchange(line, {}), counted, area_width, advance);
            counted = kLineMargin;
        }
        line += word;
        counted += width;
    }
    if (!line.empty()) AddLine(lines, std::move(line), counted, area_width, advance);
    return lines;
}

std::int32_t ParagraphLineX(std::int32_t alignment, std::int32_t origin_x, std::int32_t area_width,
                            std::int64_t line_width) {
    const std::int64_t free = std::int64_t{area_width} - line_width;
    switch (alignment) {
        case 1:
            return SaturateToInt32(origin_x + free / 2 + kLineMargin);
        case 2:
            return SaturateToInt32(origin_x + free - kLineMargin);
        default:
            return SaturateToInt32(std::int64_t{origin_x} + kLineMargin);
    }
}

Rect ParagraphThumb(Point column, std::int32_t height, std::int32_t line_count,
                    std::int32_t first_line, std::int32_t visible_lines) {
    const std::int64_t arrow = kParagraphScrollWidth;
    const double unit = double(std::int64_t{height} - 2 * arrow) / std::max(line_count, 1);
    const std::int64_t thumb_height =
        std::max(kMinThumbHeight, SaturateCast<std::int64_t>(std::floor(unit * visible_lines)));
    std::int64_t top = SaturateCast<std::int64_t>(std::floor(unit * first_line));
    // Within the track where it fits; a track shorter than the thumb keeps it below the up arrow.
    top = std::min(top, std::int64_t{height} - 2 * arrow - thumb_height);
    top = std::max<std::int64_t>(top, 0);
    const std::int64_t y = std::int64_t{column.y} + arrow + top;
    return {column.x, SaturateToInt32(y), SaturateToInt32(std::int64_t{column.x} + arrow),
            SaturateToInt32(y + thumb_height)};
}

}  // namespace velk
