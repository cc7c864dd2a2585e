// Buttons: the text button (kind 11) in its flat and push styles, and the bitmap button
// (kind 5) with its alpha picture, its push frame or its plain pictures per pointer state.
#include <memory>

#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/dib_section.h"
#include "gfx/font_cache.h"
#include "gfx/image_library.h"
#include "gfx/text_draw.h"
#include "objects/buttons/button_fields.h"
#include "objects/buttons/button_kind.h"
#include "objects/draw_support.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

// FF_SWISS: the family of the buttons' default font.
constexpr std::uint8_t kFamilySwiss = 0x20;

// The caption font of a text button without a font of its own.
LogFont DefaultButtonFont() {
    LogFont font;
    font.height = 10;
    font.pitch_and_family = kFamilySwiss;
    font.face_name = "MS Sans Serif";
    return font;
}

const Bgrx kBlack = MakeBgrx(0, 0, 0);

// The decoded pixels of a picture, or null when the object has none or it has no pixels.
const RgbImage* PictureOf(const std::optional<Picture>& picture, PictureCache& pictures) {
    if (!picture || picture->width == 0 || picture->height == 0) return nullptr;
    const RgbImage& pixels = pictures.Pixels(*picture);
    return IsValidRgb(pixels) ? &pixels : nullptr;
}

// The hover and pressed look of a push frame: a black line around the frame.
void FrameInBlack(Canvas& canvas, const Rect& frame) {
    canvas.FrameRect(InflateRect(frame, 1, 1), kBlack);
}

void DrawFlatTextButton(const Object& object, Canvas& canvas, Rect r) {
    if (object.state == kStateOver || object.state == kStatePressed) {
        canvas.FillSolidRect(r, BgrxFromColorRef(TextButtonFields(object).OverFaceColour()));
        canvas.SetTextColour(BgrxFromColorRef(TextButtonFields(object).OverTextColour()));
    } else {
        canvas.SetTextColour(BgrxFromColorRef(TextButtonFields(object).TextColour()));
    }
    r.left = SaturateToInt32(std::int64_t{r.left} + 10);
    DrawText(canvas, object.text, r, kDtSingleLine | kDtVCenter);
}

void DrawPushTextButton(const Object& object, Canvas& canvas, Rect r) {
    const Rect face = InflateRect(r, -SystemMetric(kSmCxEdge), -SystemMetric(kSmCyEdge));
    const bool pressed = object.state == kStatePressed;
    Rect frame = r;
    canvas.DrawFrameControl(frame, kDfcButton, kDfcsButtonPush | (pressed ? kDfcsPushed : 0));
    canvas.FillSolidRect(face, BgrxFromColorRef(TextButtonFields(object).FaceColour()));
    if (object.state == kStateOver || pressed) {
        canvas.SetTextColour(kBlack);
        canvas.DrawFocusRect(InflateRect(r, -3, -3));
        // r grown by one is the object's own rectangle.
        FrameInBlack(canvas, r);
    }
    // A pressed caption sits one pixel down and to the right.
    if (pressed) r = ShiftRect(r, 1, 1);
    canvas.SetTextColour(BgrxFromColorRef(TextButtonFields(object).TextColour()));
    DrawText(canvas, object.text, r, kDtSingleLine | kDtVCenter | kDtCenter);
}

// The three-state alpha picture: the state's quarter blended over the page by its alpha.
void DrawAlphaButton(Canvas& canvas, const RgbImage& picture, std::int32_t x, std::int32_t y,
                     std::int32_t state) {
    const Rect whole{x, y, SaturateToInt32(std::int64_t{x} + picture.width),
                     SaturateToInt32(std::int64_t{y} + picture.height)};
    if (whole.Intersect(canvas.ClipBox()).IsEmpty()) return;
    // Only the three pointer states have a quarter of the picture.
    if (picture.width < 2 || picture.height < 2 || state < 0 || state > kStatePressed) return;
    // The store composes over a copy of the page under the button, and the result goes back
    // through the canvas so that its clip region applies.
    Surface under(picture.width / 2, picture.height / 2);
    dib::CapturePixels(canvas.GetSurface(), canvas.GetViewportOrigin(), x, y, under);
    dib::PixelTarget target(under);
    DibSection store;
    store.DrawStates(target, 0, 0, picture, state);
    canvas.BitBlt(x, y, under.Width(), under.Height(), under, 0, 0);
}

void DrawPushFrameButton(const Object& object, Canvas& canvas, const Rect& r,
                         const RgbImage* picture) {
    const std::int32_t ex = SystemMetric(kSmCxEdge), ey = SystemMetric(kSmCyEdge);
    const std::int64_t w1 = picture ? picture->width : 0, h1 = picture ? picture->height : 0;
    const Rect frame{r.left, r.top, SaturateToInt32(std::int64_t{r.left} + w1 + 2 * ex),
                     SaturateToInt32(std::int64_t{r.top} + h1 + 2 * ey)};
    std::int64_t px = std::int64_t{r.left} + ex, py = std::int64_t{r.top} + ey;
    const bool pressed = object.state == kStatePressed;
    const bool marked = object.state == kStateOver || pressed;

    Rect control = frame;
    canvas.DrawFrameControl(control, kDfcButton, kDfcsButtonPush | (pressed ? kDfcsPushed : 0));
    if (marked) FrameInBlack(canvas, frame);
    if (pressed) {
        ++px;
        ++py;
    }
    if (picture) DrawPicture(canvas, *picture, SaturateToInt32(px), SaturateToInt32(py));
    if (marked) {
        canvas.SetTextColour(kBlack);
        canvas.DrawFocusRect(InflateRect(frame, -3, -3));
    }
}

void DrawPlainBitmapButton(const Object& object, DrawContext& ctx, const Rect& r) {
    const std::optional<ButtonStateLook> look = BitmapButtonFields(object).LookOf(object.state);
    if (!look) return;
    const RgbImage* pixels = PictureOf(*look->picture, ctx.pictures);
    if (!pixels) return;
    DrawPicture(ctx.canvas, *pixels, SaturateToInt32(std::int64_t{r.left} + look->offset.x),
                SaturateToInt32(std::int64_t{r.top} + look->offset.y),
                look->keyed ? std::optional<std::uint32_t>(look->key) : std::nullopt);
}

}  // namespace

void DrawTextButton(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    SavedCanvasState saved(canvas);
    const Rect r = InflateRect(DrawRect(object, ctx), -1, -1);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SetTextAlign(kTaLeft | kTaTop);
    const TextButtonFields fields(object);
    canvas.SelectFont(ctx.fonts.Get(fields.OwnFont() ? object.font : DefaultButtonFont()));
    if (fields.Flat()) {
        DrawFlatTextButton(object, canvas, r);
    } else {
        DrawPushTextButton(object, canvas, r);
    }
}

void DrawBitmapButton(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    const BitmapButtonFields fields(object);
    if (fields.Alpha()) {
        if (const RgbImage* picture = PictureOf(object.image1, ctx.pictures)) {
            DrawAlphaButton(canvas, *picture, r.left, r.top, object.state);
        }
    } else if (fields.PushFrame()) {
        DrawPushFrameButton(object, canvas, r, PictureOf(object.image1, ctx.pictures));
    } else {
        DrawPlainBitmapButton(object, ctx, r);
    }
}

}  // namespace velk
