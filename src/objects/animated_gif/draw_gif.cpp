// Drawing the current frame of an Animated GIF with the disposal of the frame drawn before it.
#include <algorithm>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "objects/animated_gif/gif_kind.h"
#include "objects/draw_object.h"
#include "objects/draw_support.h"

namespace velk {
namespace {

constexpr std::uint8_t kDisposeToBackground = 8;
constexpr std::uint8_t kDisposeToPrevious = 12;

// The frame's indices through its colour table, with the transparent entry turned into the
// key colour when asked. Indices beyond the table show black.
RgbImage FrameImage(const GifFrame& frame, std::optional<std::uint32_t> keyed_entry_colour) {
    std::vector<std::uint32_t> table = frame.palette;
    const std::uint16_t transparent = frame.TransparentIndex();
    if (keyed_entry_colour && transparent < table.size()) table[transparent] = *keyed_entry_colour;
    RgbImage image{frame.width, frame.height, {}};
    image.pixels.reserve(frame.pixels.size() * 3);
    for (const std::uint8_t index : frame.pixels) {
        const std::uint32_t colour = index < table.size() ? table[index] : 0;
        image.pixels.push_back(static_cast<std::uint8_t>(colour));
        image.pixels.push_back(static_cast<std::uint8_t>(colour >> 8));
        image.pixels.push_back(static_cast<std::uint8_t>(colour >> 16));
    }
    return image;
}

Point FramePlace(Point at, const GifFrame& frame) {
    return {SaturateToInt32(std::int64_t{at.x} + frame.left),
            SaturateToInt32(std::int64_t{at.y} + frame.top)};
}

std::uint32_t BackgroundColour(const GifFile& gif) {
    return gif.background_index < gif.global_palette.size()
               ? gif.global_palette[gif.background_index]
               : 0;
}

}  // namespace

void DrawAnimatedGif(Object& object, DrawContext& ctx) {
    const GifFile* gif = GifFramesOf(object);
    if (gif == nullptr || object.param1 == 0 || gif->frames.empty()) return;
    if (object.param2 >= std::min<std::size_t>(object.param1, gif->frames.size()))
        object.param2 = 0;
    const Rect r = DrawRect(object, ctx);
    const Point at{r.left, r.top};
    const std::size_t n = object.param2;
    const GifFrame& frame = gif->frames[n];
    const bool own_transparency = object.option2 != 0;
    bool keyed = object.transparent1 != 0;
    std::uint32_t key = object.colour1;
    const bool apply_key = keyed && !own_transparency;
    const RgbImage image = FrameImage(frame, apply_key ? std::optional(key) : std::nullopt);
    if (own_transparency) {
        const std::uint16_t transparent = frame.TransparentIndex();
        if (transparent < frame.palette.size()) key = frame.palette[transparent];
        keyed = frame.HasTransparency();
    }
    const auto shown_key = keyed ? std::optional(key) : std::nullopt;
    if (n == 0) object.gif_previous_disposal = 0;
    if (object.gif_previous_disposal == kDisposeToBackground && !keyed) {
        const Rect area{at.x, at.y, SaturateToInt32(std::int64_t{at.x} + frame.width),
                        SaturateToInt32(std::int64_t{at.y} + frame.height)};
        ctx.canvas.FillSolidRect(area, BgrxFromColorRef(BackgroundColour(*gif)));
    }
    if (object.gif_previous_disposal == kDisposeToPrevious) {
        const GifFrame& earlier = gif->frames[n >= 2 ? n - 2 : 0];
        const Point place = FramePlace(at, earlier);
        DrawPicture(ctx.canvas, FrameImage(earlier, std::nullopt), place.x, place.y, shown_key);
    }
    const Point place = FramePlace(at, frame);
    DrawPicture(ctx.canvas, image, place.x, place.y, shown_key);
    object.gif_previous_disposal = frame.Disposal();
}

}  // namespace velk
