#include "objects/draw_support.h"

#include <algorithm>

#include "base/region.h"
#include "base/saturate.h"
#include "gfx/image_library.h"
#include "gfx/text_draw.h"

namespace velk {

std::vector<std::string_view> CutTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    if (text.empty()) return lines;
    std::string_view rest = text;
    while (true) {
        if (std::size_t p = rest.find('\n'); p != std::string_view::npos) {
            lines.push_back(rest.substr(0, p == 0 ? 0 : p - 1));
            rest.remove_prefix(p + 1);
        } else if (std::size_t q = rest.find("\\n"); q != std::string_view::npos) {
            lines.push_back(rest.substr(0, q));
            rest.remove_prefix(q + 2);
        } else {
            lines.push_back(rest);
            return lines;
        }
    }
}

TextExtent MeasureLine(const Canvas& canvas, std::string_view text) {
    if (text.empty()) return {};
    return GetTextExtent(canvas, text);
}

Rect InflateRect(const Rect& rect, std::int32_t dx, std::int32_t dy) {
    return {SaturateToInt32(std::int64_t{rect.left} - dx),
            SaturateToInt32(std::int64_t{rect.top} - dy),
            SaturateToInt32(std::int64_t{rect.right} + dx),
            SaturateToInt32(std::int64_t{rect.bottom} + dy)};
}

Rect ShiftRect(const Rect& rect, std::int32_t dx, std::int32_t dy) {
    return {SaturateToInt32(std::int64_t{rect.left} + dx),
            SaturateToInt32(std::int64_t{rect.top} + dy),
            SaturateToInt32(std::int64_t{rect.right} + dx),
            SaturateToInt32(std::int64_t{rect.bottom} + dy)};
}

void DrawPicture(Canvas& canvas, const RgbImage& picture, std::int32_t x, std::int32_t y,
                 std::optional<std::uint32_t> key_colour) {
    if (!IsValidRgb(picture)) return;
    Surface& surface = canvas.GetSurface();
    // The image library works in surface pixels, one clip rectangle at a time.
    const Point origin = canvas.GetViewportOrigin();
    const std::int32_t dx = SaturateToInt32(std::int64_t{x} + origin.x);
    const std::int32_t dy = SaturateToInt32(std::int64_t{y} + origin.y);
    const Rect whole{0, 0, surface.Width(), surface.Height()};
    const Region clip =
        canvas.GetClipRegion() ? canvas.GetClipRegion()->Intersect(whole) : Region(whole);
    for (const Rect& part : clip) {
        if (key_colour) {
            DrawRGBKeyed(surface, part, picture, dx, dy, *key_colour);
        } else {
            DrawRGB(surface, part, picture, dx, dy);
        }
    }
}

}  // namespace velk
