// The kinds whose content is a picture: Image, the still picture of a Video, and Matrix.
//
// An Image or Video picture is drawn 1:1 with its top-left corner at `image_origin` from the
// top-left of the object's rectangle and clipped to that rectangle: plainly, leaving out the
// key colour `colour1` (`transparent1`), or, with `transform`, blended over what the page
// already shows with the opacity `scale` and the optional alpha mask `image3`.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/image_library.h"
#include "objects/draw_support.h"
#include "objects/picture_cache.h"
#include "objects/pictures/image_scroll.h"
#include "objects/pictures/matrix.h"
#include "objects/pictures/picture_fields.h"
#include "objects/pictures/picture_kind.h"
#include "objects/video/video_window.h"

namespace velk {
namespace {

// The page pixels under `area` (logical) as an RGB image; pixels off the surface read black,
// as a freshly made bitmap holds them.
RgbImage CaptureRgb(const Canvas& canvas, const Rect& area) {
    RgbImage captured{area.Width(), area.Height(), {}};
    captured.pixels.assign(std::size_t(area.Width()) * std::size_t(area.Height()) * 3, 0);
    const Surface& surface = canvas.GetSurface();
    const Point origin = canvas.GetViewportOrigin();
    std::uint8_t* out = captured.pixels.data();
    for (std::int32_t y = 0; y < area.Height(); ++y) {
        const std::int64_t sy = std::int64_t{area.top} + y + origin.y;
        for (std::int32_t x = 0; x < area.Width(); ++x, out += 3) {
            const std::int64_t sx = std::int64_t{area.left} + x + origin.x;
            if (sx < 0 || sy < 0 || sx >= surface.Width() || sy >= surface.Height()) continue;
            const Bgrx pixel =
                surface.At(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy));
            out[0] = RedOf(pixel);
            out[1] = GreenOf(pixel);
            out[2] = BlueOf(pixel);
        }
    }
    return captured;
}

// Mixes the picture into `screen` (the page pixels under `area`) pixel by pixel, each with the
// opacity `opacity` times the mask's red byte; the mask repeats in both directions. Key-colour
// pixels leave the page as it was.
void BlendWithMask(RgbImage& screen, const Rect& area, const RgbImage& picture, Point at,
                   const RgbImage& mask, double opacity, std::optional<std::uint32_t> key) {
    std::uint8_t* out = screen.pixels.data();
    for (std::int32_t y = 0; y < area.Height(); ++y) {
        // `area` lies inside the picture, so these are picture coordinates from 0.
        const std::int64_t py = std::int64_t{area.top} + y - at.y;
        for (std::int32_t x = 0; x < area.Width(); ++x, out += 3) {
            const std::int64_t px = std::int64_t{area.left} + x - at.x;
            const std::uint8_t* source =
                picture.pixels.data() +
                (std::size_t(py) * std::size_t(picture.width) + std::size_t(px)) * 3;
            if (key) {
                const std::uint32_t colorref =
                    source[0] | (std::uint32_t{source[1]} << 8) | (std::uint32_t{source[2]} << 16);
                if (colorref == (*key & 0xFFFFFF)) continue;
            }
            const std::uint8_t red =
                mask.pixels[(std::size_t(py % mask.height) * std::size_t(mask.width) +
                             std::size_t(px % mask.width)) *
                            3];
            const double alpha = std::min(opacity * red / 255.0, 1.0);
            for (int c = 0; c < 3; ++c) {
                out[c] = static_cast<std::uint8_t>(
                    std::clamp(std::floor((1.0 - alpha) * out[c] + alpha * source[c]), 0.0, 255.0));
            }
        }
    }
}

// The picture blended over the page at `at`, inside the canvas's clip.
void DrawBlended(const Object& object, DrawContext& ctx, const RgbImage& picture, Point at) {
    Canvas& canvas = ctx.canvas;
    // Only the part of the picture that can show is captured and mixed.
    const Rect placed{at.x, at.y, SaturateToInt32(std::int64_t{at.x} + picture.width),
                      SaturateToInt32(std::int64_t{at.y} + picture.height)};
    const Rect area = placed.Intersect(canvas.ClipBox());
    if (area.IsEmpty()) return;
    RgbImage screen = CaptureRgb(canvas, area);
    double opacity = ImageFields(object).Opacity();
    if (!(opacity >= 0.0)) opacity = 0.0;  // NaN as well
    opacity = std::min(opacity, 1.0);
    const std::optional<std::uint32_t> key = ImageFields(object).Key();
    const RgbImage* mask = object.image3 ? &ctx.pictures.Pixels(*object.image3) : nullptr;
    // A mask that did not decode counts as no mask (its size would divide by zero).
    if (mask && IsValidRgb(*mask)) {
        BlendWithMask(screen, area, picture, at, *mask, opacity, key);
    } else {
        OverlayRGB(screen, picture, SaturateToInt32(std::int64_t{at.x} - area.left),
                   SaturateToInt32(std::int64_t{at.y} - area.top), opacity, key);
    }
    DrawPicture(canvas, screen, area.left, area.top);
}

// The picture of an Image or a Video still.
void DrawShownPicture(const Object& object, DrawContext& ctx) {
    const Picture* shown = ShownPicture(object);
    if (!shown) return;
    Canvas& canvas = ctx.canvas;
    const Rect r = DrawRect(object, ctx);
    if (!canvas.RectVisible(r)) return;
    const RgbImage& picture = ctx.pictures.Pixels(*shown);
    if (!IsValidRgb(picture)) return;
    const SavedCanvasState saved(canvas);
    canvas.IntersectClip(r);
    const Point at{SaturateToInt32(std::int64_t{r.left} + object.image_origin.x),
                   SaturateToInt32(std::int64_t{r.top} + object.image_origin.y)};
    const ImageFields fields(object);
    if (fields.Blended()) {
        DrawBlended(object, ctx, picture, at);
    } else {
        DrawPicture(canvas, picture, at.x, at.y, fields.Key());
    }
}

}  // namespace

void DrawImage(Object& object, DrawContext& ctx) {
    const ImageFields fields(object);
    if (fields.FillsBackground()) {
        // The fill reaches under the scroll bars, which hang outside the rectangle.
        const Rect drawn = DrawRect(object, ctx);
        const Rect outer = OuterRect(object);
        const Rect fill{
            drawn.left, drawn.top,
            SaturateToInt32(std::int64_t{drawn.right} + outer.right - object.rect.right),
            SaturateToInt32(std::int64_t{drawn.bottom} + outer.bottom - object.rect.bottom)};
        ctx.canvas.FillSolidRect(fill, BgrxFromColorRef(fields.BackgroundColour()));
    }
    DrawShownPicture(object, ctx);
}

void DrawVideoStill(Object& object, DrawContext& ctx) {
    // While its video has been played the window shows the video instead.
    if (const VideoWindow* window = VideoWindowOf(object); window && window->ShowsFrames()) return;
    DrawShownPicture(object, ctx);
}

void DrawMatrix(Object& object, DrawContext& ctx) {
    const MatrixSize size = MatrixSizeOf(object);
    const std::span<const std::uint8_t> cells = MatrixCells(object);
    if (cells.empty()) return;
    Canvas& canvas = ctx.canvas;
    const Rect r = DrawRect(object, ctx);
    std::int32_t cell_width = 0, cell_height = 0;
    if (object.image1) {
        const RgbImage& first = ctx.pictures.Pixels(*object.image1);
        cell_width = first.width;
        cell_height = first.height;
    }
    struct CellPicture {
        const RgbImage* pixels;
        std::optional<std::uint32_t> key;
    };
    const std::optional<Picture>* images[3] = {&object.image1, &object.image2, &object.image3};
    const MatrixFields fields(object);
    CellPicture shown[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (*images[i]) shown[i] = {&ctx.pictures.Pixels(**images[i]), fields.CellKey(i)};
    }
    // Cells are drawn at their own picture's size, not clipped to `rect`; cells that cannot
    // reach the clip box are passed over without drawing.
    const Rect clip_box = canvas.ClipBox();
    for (std::int32_t row = 0; row < size.rows; ++row) {
        for (std::int32_t column = 0; column < size.columns; ++column) {
            const std::uint8_t value =
                cells[std::size_t(row) * std::size_t(size.columns) + std::size_t(column)];
            if (value < 1 || value > 3) continue;
            const CellPicture& cell = shown[value - 1];
            if (!cell.pixels || !IsValidRgb(*cell.pixels)) continue;
            const std::int64_t x = std::int64_t{r.left} + std::int64_t{column} * cell_width;
            const std::int64_t y = std::int64_t{r.top} + std::int64_t{row} * cell_height;
            const Rect placed{SaturateToInt32(x), SaturateToInt32(y),
                              SaturateToInt32(x + cell.pixels->width),
                              SaturateToInt32(y + cell.pixels->height)};
            if (placed.Intersect(clip_box).IsEmpty()) continue;
            DrawPicture(canvas, *cell.pixels, placed.left, placed.top, cell.key);
        }
    }
}

}  // namespace velk
