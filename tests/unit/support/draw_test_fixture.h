// A page surface with everything an object drawer needs, for the drawer tests.
#pragma once

#include <cstdint>
#include <vector>

#include "document/object.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "hosts/headless/recording_ui.h"
#include "objects/draw_object.h"
#include "objects/picture_cache.h"

namespace velk::test {

// One font cache for the whole test program: starting fontconfig is slow, and no drawer here
// draws text.
inline FontCache& SharedFonts() {
    static FontCache fonts;
    return fonts;
}

struct DrawFixture {
    explicit DrawFixture(std::int32_t width, std::int32_t height, Bgrx background)
        : surface(width, height, background) {}

    void Draw(Object& object, Point draw_offset = {}, bool force_visible = false) {
        DrawContext ctx{canvas, SharedFonts(), pictures, draw_offset};
        ctx.force_visible = force_visible;
        DrawObject(object, ctx);
    }
    Bgrx At(std::int32_t x, std::int32_t y) const { return surface.At(x, y); }

    Surface surface;
    Canvas canvas{surface};
    headless::RecordingUi ui;
    PictureCache pictures{ui};
};

// A picture stored as plain RGB bytes.
inline Picture PlainPicture(std::int32_t width, std::int32_t height,
                            std::vector<std::uint8_t> rgb) {
    Picture picture;
    picture.coding = PictureCoding::kPlain;
    picture.width = width;
    picture.height = height;
    picture.bytes = std::move(rgb);
    return picture;
}

// A picture of one colour (R, G, B).
inline Picture SolidPicture(std::int32_t width, std::int32_t height, std::uint8_t r, std::uint8_t g,
                            std::uint8_t b) {
    std::vector<std::uint8_t> rgb;
    for (std::int32_t i = 0; i < width * height; ++i) rgb.insert(rgb.end(), {r, g, b});
    return PlainPicture(width, height, std::move(rgb));
}

inline Object MakeObject(std::int32_t kind, Rect rect) {
    Object object;
    object.kind = kind;
    object.rect = rect;
    return object;
}

}  // namespace velk::test
