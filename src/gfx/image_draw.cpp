// RGB pictures onto a surface: stretched with the classic nearest-pixel walk, or 1:1 with a
// key colour left out.
#include <algorithm>

#include "gfx/image_library.h"
#include "gfx/pixel_rows.h"
#include "gfx/stretch_spans.h"

namespace velk {
namespace {

// The pixels of `target` (right/bottom exclusive, 64-bit so that far-off placements cannot
// overflow) that lie on the surface and inside the clip.
struct Visible {
    std::int64_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

Visible VisiblePart(const Surface& surface, const Rect& clip, std::int64_t x, std::int64_t y,
                    std::int64_t width, std::int64_t height) {
    return {std::max({x, std::int64_t{clip.left}, std::int64_t{0}}),
            std::max({y, std::int64_t{clip.top}, std::int64_t{0}}),
            std::min({x + width, std::int64_t{clip.right}, std::int64_t{surface.Width()}}),
            std::min({y + height, std::int64_t{clip.bottom}, std::int64_t{surface.Height()}})};
}

const std::uint8_t* PixelAt(const RgbImage& picture, std::int64_t x, std::int64_t y) {
    return picture.pixels.data() + (y * picture.width + x) * 3;
}

}  // namespace

void WriteStretchedRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                       std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!IsValidRgb(picture) || width <= 0 || height <= 0) return;
    const Visible v = VisiblePart(surface, clip, x, y, width, height);
    if (v.Empty()) return;
    if (width == picture.width && height == picture.height) {
        // 1:1, the common case: every target pixel is its source pixel.
        for (std::int64_t dy = v.top; dy < v.bottom; ++dy) {
            RgbToPixels(PixelAt(picture, v.left - x, dy - y),
                        surface.Row(static_cast<std::int32_t>(dy)) + v.left,
                        static_cast<std::size_t>(v.right - v.left));
        }
        return;
    }
    const std::vector<SourceSpan> columns =
        SourceSpansOf(StretchAxis{picture.width, width}, v.left - x, v.right - x);
    const StretchAxis y_axis{picture.height, height};
    for (std::int64_t dy = v.top; dy < v.bottom; ++dy) {
        const SourceSpan rows = SourceSpanAt(y_axis, dy - y);
        Bgrx* out = surface.Row(static_cast<std::int32_t>(dy)) + v.left;
        for (const SourceSpan& cols : columns) {
            // Pixels merged by a shrink are ANDed (the device's default stretch mode); a
            // single source pixel is simply copied.
            std::uint8_t r = 0xFF, g = 0xFF, b = 0xFF;
            for (std::int64_t sy = rows.first; sy <= rows.last; ++sy) {
                for (std::int64_t sx = cols.first; sx <= cols.last; ++sx) {
                    const std::uint8_t* p = PixelAt(picture, sx, sy);
                    r &= p[0], g &= p[1], b &= p[2];
                }
            }
            *out++ = MakeBgrx(r, g, b);
        }
    }
}

void WriteKeyedRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                   std::int32_t y, std::uint32_t key_colour) {
    if (!IsValidRgb(picture)) return;
    const Visible v = VisiblePart(surface, clip, x, y, picture.width, picture.height);
    if (v.Empty()) return;
    const Bgrx key = BgrxFromColorRef(key_colour);
    for (std::int64_t dy = v.top; dy < v.bottom; ++dy) {
        KeyedRgbToPixels(PixelAt(picture, v.left - x, dy - y),
                         surface.Row(static_cast<std::int32_t>(dy)) + v.left,
                         static_cast<std::size_t>(v.right - v.left), key);
    }
}

bool DrawRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!IsValidRgb(picture) || width <= 0 || height <= 0) return false;
    WriteStretchedRGB(surface, clip, picture, x, y, width, height);
    return true;
}

bool DrawRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
             std::int32_t y) {
    return DrawRGB(surface, clip, picture, x, y, picture.width, picture.height);
}

bool DrawRGBKeyed(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                  std::int32_t y, std::uint32_t key_colour) {
    if (!IsValidRgb(picture)) return false;
    WriteKeyedRGB(surface, clip, picture, x, y, key_colour);
    return true;
}

}  // namespace velk
