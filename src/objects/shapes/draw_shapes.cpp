// The vector kinds: Frame, Line, Shape, Polygon and the frame behind an Application window.
//
// Frame, Shape and Polygon share the border styles of `param1`: 0 a one-pixel border in
// `colour2`, 1 raised, 2 sunken; the raised and sunken borders use four fixed greys. Every
// drawer gives the canvas its pen, brush and clip back before it returns.
#include <array>
#include <cstdint>
#include <vector>

#include "base/region.h"
#include "base/saturate.h"
#include "gfx/canvas.h"
#include "objects/draw_support.h"
#include "objects/shapes/shape_fields.h"
#include "objects/shapes/shape_kind.h"

namespace velk {
namespace {

constexpr Bgrx kWhite = MakeBgrx(0xFF, 0xFF, 0xFF);
constexpr Bgrx kLightGrey = MakeBgrx(0xE0, 0xE0, 0xE0);
constexpr Bgrx kGrey = MakeBgrx(0x80, 0x80, 0x80);
constexpr Bgrx kDarkGrey = MakeBgrx(0x40, 0x40, 0x40);

// The four greys of a raised or sunken border.
struct BevelColours {
    Bgrx outer_top_left, inner_top_left, inner_bottom_right, outer_bottom_right;
};
constexpr BevelColours kRaised{kWhite, kLightGrey, kGrey, kDarkGrey};
constexpr BevelColours kSunken{kGrey, kDarkGrey, kLightGrey, kWhite};

Pen SolidPen(Bgrx colour) {
    return Pen{PenStyle::kSolid, colour, 1};
}

Bgrx Colour(std::uint32_t colorref) {
    return BgrxFromColorRef(colorref);
}

// `rect` with its edges moved inwards by the given amounts (negative moves outwards).
Rect Shrunk(const Rect& rect, std::int32_t left, std::int32_t top, std::int32_t right,
            std::int32_t bottom) {
    return {SaturateToInt32(std::int64_t{rect.left} + left),
            SaturateToInt32(std::int64_t{rect.top} + top),
            SaturateToInt32(std::int64_t{rect.right} - right),
            SaturateToInt32(std::int64_t{rect.bottom} - bottom)};
}

// The raised or sunken border of a Frame: the inner ring one pixel inside R, then the outer ring
// on R's edges, right and bottom lines on the exclusive edges (one pixel outside the fill), as a
// single pen path whose colour changes at the corners.
void DrawFrameBevel(Canvas& canvas, const Rect& r, const BevelColours& colours) {
    const Rect i = Shrunk(r, 1, 1, 1, 1);
    canvas.MoveTo(i.left, i.bottom);
    canvas.SetPen(SolidPen(colours.inner_top_left));
    canvas.LineTo(i.left, i.top);
    canvas.LineTo(i.right, i.top);
    canvas.SetPen(SolidPen(colours.inner_bottom_right));
    canvas.LineTo(i.right, i.bottom);
    canvas.LineTo(r.left, i.bottom);
    canvas.SetPen(SolidPen(colours.outer_top_left));
    canvas.LineTo(r.left, r.top);
    canvas.LineTo(r.right, r.top);
    canvas.SetPen(SolidPen(colours.outer_bottom_right));
    canvas.LineTo(r.right, r.bottom);
    canvas.LineTo(r.left, r.bottom);
}

// One pass of the raised or sunken ellipse: the outer colour traced on R and on R shrunk by one
// pixel on each side in turn (a ring about two pixels wide), then the inner ring and the fill
// one pixel inside.
void DrawShapeRing(Canvas& canvas, const Rect& r, Bgrx outer, Bgrx inner, Bgrx fill) {
    canvas.SetPen(SolidPen(outer));
    canvas.SetBrush(Brush::Hollow());
    const std::array<Rect, 5> outlines{r, Shrunk(r, 1, 0, 0, 0), Shrunk(r, 0, 1, 0, 0),
                                       Shrunk(r, 0, 0, 1, 0), Shrunk(r, 0, 0, 0, 1)};
    for (const Rect& outline : outlines) canvas.Ellipse(outline);
    canvas.SetPen(SolidPen(inner));
    canvas.SetBrush(Brush::Solid(fill));
    canvas.Ellipse(Shrunk(r, 1, 1, 1, 1));
}

// The part of the current clip below the rising diagonal of R: the triangle bottom-left,
// bottom-right, top-right corner. Built in logical coordinates within the clip box, then moved
// to device pixels for selection.
Region BelowRisingDiagonal(const Canvas& canvas, const Rect& r) {
    const std::array<Point, 3> triangle{Point{r.left, r.bottom}, Point{r.right, r.bottom},
                                        Point{r.right, r.top}};
    const Point origin = canvas.GetViewportOrigin();
    Region region = Region::FromPolygon(triangle, PolyFillMode::kAlternate, canvas.ClipBox())
                        .Offset(origin.x, origin.y);
    // The region replaces the clip only for the second pass; intersecting it with the current
    // clip keeps a non-rectangular clip (the page's update region) in force.
    if (canvas.GetClipRegion()) region = region.Intersect(*canvas.GetClipRegion());
    return region;
}

}  // namespace

void DrawFrame(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    const SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    const ShapeFields fields(object);
    canvas.FillSolidRect(r, Colour(fields.FillColour()));
    switch (fields.Outline()) {
        case ShapeOutline::kLine:
            canvas.SetPen(SolidPen(Colour(fields.LineColour())));
            canvas.MoveTo(r.left, r.top);
            canvas.LineTo(r.right, r.top);
            canvas.LineTo(r.right, r.bottom);
            canvas.LineTo(r.left, r.bottom);
            canvas.LineTo(r.left, r.top);
            break;
        case ShapeOutline::kRaised:
            DrawFrameBevel(canvas, r, kRaised);
            break;
        case ShapeOutline::kSunken:
            DrawFrameBevel(canvas, r, kSunken);
            break;
        default:
            break;  // the fill alone
    }
}

void DrawLine(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    const SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    const std::int32_t last_x = SaturateToInt32(std::int64_t{r.right} - 1);
    const std::int32_t last_y = SaturateToInt32(std::int64_t{r.bottom} - 1);
    const ShapeFields fields(object);
    // A line is drawn in its first colour.
    canvas.SetPen(SolidPen(Colour(fields.FillColour())));
    // The end point is left out, so the line stops one pixel short of the far corner.
    if (fields.FallingLine()) {
        canvas.MoveTo(r.left, r.top);
        canvas.LineTo(last_x, last_y);
    } else {
        canvas.MoveTo(r.left, last_y);
        canvas.LineTo(last_x, r.top);
    }
}

void DrawShape(Object& object, DrawContext& ctx) {
    Canvas& canvas = ctx.canvas;
    const SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    const ShapeFields fields(object);
    const Bgrx fill = Colour(fields.FillColour());
    if (!fields.Bevelled()) {
        canvas.SetPen(SolidPen(Colour(
            fields.Outline() == ShapeOutline::kLine ? fields.LineColour() : fields.FillColour())));
        canvas.SetBrush(Brush::Solid(fill));
        canvas.Ellipse(r);
        return;
    }
    const BevelColours& colours = fields.Outline() == ShapeOutline::kRaised ? kRaised : kSunken;
    // The whole ring in the top-left colours, then the half below the rising diagonal again in
    // the bottom-right colours, so that the two halves meet exactly on the diagonal.
    DrawShapeRing(canvas, r, colours.outer_top_left, colours.inner_top_left, fill);
    canvas.SelectClip(BelowRisingDiagonal(canvas, r));
    DrawShapeRing(canvas, r, colours.outer_bottom_right, colours.inner_bottom_right, fill);
}

void DrawPolygon(Object& object, DrawContext& ctx) {
    if (object.points_a.empty()) return;
    Canvas& canvas = ctx.canvas;
    const SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    const ShapeFields fields(object);
    Bgrx pen = Colour(fields.LineColour());
    if (fields.Outline() == ShapeOutline::kFill) pen = Colour(fields.FillColour());
    if (fields.Bevelled()) pen = kWhite;
    canvas.SetPen(SolidPen(pen));
    canvas.SetBrush(Brush::Solid(Colour(fields.FillColour())));
    canvas.SetPolyFillMode(PolyFillMode::kAlternate);
    std::vector<Point> points;
    points.reserve(object.points_a.size());
    for (const Point& p : object.points_a) {
        points.push_back({SaturateToInt32(std::int64_t{r.left} + p.x),
                          SaturateToInt32(std::int64_t{r.top} + p.y)});
    }
    canvas.Polygon(points);
}

void DrawApplicationFrame(Object& object, DrawContext& ctx) {
    if (object.hidden != 0) return;
    Canvas& canvas = ctx.canvas;
    const SavedCanvasState saved(canvas);
    const Rect r = DrawRect(object, ctx);
    canvas.FillSolidRect(r, canvas.SysColour(kColorBtnFace));
    const ShapeFields fields(object);
    const std::int32_t frame_style = fields.WindowFrameStyle();
    if (frame_style > 0) {
        Rect frame = r;
        canvas.DrawFrameControl(frame, kDfcButton,
                                frame_style == 1 ? kDfcsButtonPush : kDfcsButtonPush | kDfcsPushed);
    }
    if (fields.SizeGrip()) {
        // The size grip corner: a sunken box the size of a scroll-bar arrow, set in from the
        // corner by the sizing frame when the hosted window has one.
        const std::int32_t inset_x = fields.SizingFrame() ? SystemMetric(kSmCxFrame) : 2;
        const std::int32_t inset_y = fields.SizingFrame() ? SystemMetric(kSmCyFrame) : 2;
        Rect grip{SaturateToInt32(std::int64_t{r.right} - SystemMetric(kSmCxVScroll) - inset_x),
                  SaturateToInt32(std::int64_t{r.bottom} - SystemMetric(kSmCyVScroll) - inset_y),
                  r.right, r.bottom};
        canvas.Draw3dRect(grip, canvas.SysColour(kColorBtnShadow),
                          canvas.SysColour(kColorBtnHighlight));
        grip = Shrunk(grip, 0, 0, 1, 1);
        canvas.Draw3dRect(grip, canvas.SysColour(kColorBtnShadow), canvas.SysColour(kColor3dLight));
    }
}

}  // namespace velk
