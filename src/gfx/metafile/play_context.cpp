#include "gfx/metafile/play_context.h"

#include <algorithm>
#include <cmath>

#include "base/saturate.h"

namespace velk::emf {

PlayContext::PlayContext(Canvas& canvas_in, FontCache& fonts_in, const MetafileHeader& header_in,
                         const Xform& init_in)
    : canvas(canvas_in),
      fonts(fonts_in),
      header(header_in),
      init(init_in),
      dc(Mapping(header_in.device, header_in.millimetres)),
      objects(header_in.handles) {
    const Surface& surface = canvas.GetSurface();
    const Region whole(Rect{0, 0, surface.Width(), surface.Height()});
    base_clip_ = canvas.GetClipRegion() ? canvas.GetClipRegion()->Intersect(whole) : whole;
}

Point PlayContext::Round(PointF p) {
    return {SaturateCast<std::int32_t>(std::floor(p.x + 0.5)),
            SaturateCast<std::int32_t>(std::floor(p.y + 0.5))};
}

std::vector<Point> PlayContext::PagePoints(std::span<const PointF> logical) const {
    const Xform to_page = ToPage();
    std::vector<Point> points;
    points.reserve(logical.size());
    for (const PointF& p : logical) points.push_back(Round(to_page.Apply(p)));
    return points;
}

void PlayContext::Sync() {
    const Xform to_page = ToPage();
    Pen pen;
    pen.colour = BgrxFromColorRef(dc.pen.colour);
    pen.style = (dc.pen.style & kPsStyleMask) == kPsNull ? PenStyle::kNull : PenStyle::kSolid;
    pen.width = 1;
    if (dc.pen.width > 1 || ((dc.pen.style & kPsGeometric) && dc.pen.width > 0)) {
        // A geometric pen is as wide as its width in logical units measured on the page.
        const PointF across = to_page.ApplyVector({double(dc.pen.width), 0});
        pen.width = std::max(1, SaturateCast<std::int32_t>(std::hypot(across.x, across.y) + 0.5));
    }
    canvas.SetPen(pen);

    Brush brush = Brush::Solid(BgrxFromColorRef(dc.brush.colour));
    if (dc.brush.style == kBsNull) {
        brush = Brush::Hollow();
    } else if (dc.brush.pattern) {
        brush = Brush::Patterned(dc.brush.pattern);
    } else if (dc.brush.style == kBsHatched) {
        brush = Brush::Hatched(BgrxFromColorRef(dc.brush.colour), dc.brush.hatch);
    }
    canvas.SetBrush(brush);

    canvas.SetRop2(dc.rop2);
    canvas.SetBkMode(dc.bk_mode);
    canvas.SetBkColour(BgrxFromColorRef(dc.bk_colour));
    canvas.SetTextColour(BgrxFromColorRef(dc.text_colour));
    canvas.SetTextAlign(dc.text_align);
    canvas.SetPolyFillMode(dc.fill_mode);
    canvas.SetStretchMode(dc.stretch_mode);
    canvas.SelectClip(dc.clip ? base_clip_.Intersect(*dc.clip) : base_clip_);
}

void PlayContext::Polyline(std::span<const Point> points) {
    if (path.Recording()) {
        path.AddFigure(points, false);
        return;
    }
    canvas.Polyline(points);
}

void PlayContext::Polygon(std::span<const Point> points) {
    if (path.Recording()) {
        path.AddFigure(points, true);
        return;
    }
    canvas.Polygon(points);
}

void PlayContext::PolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts) {
    if (path.Recording()) {
        std::size_t first = 0;
        for (std::size_t count : counts) {
            if (count > points.size() - first) break;
            path.AddFigure(points.subspan(first, count), true);
            first += count;
        }
        return;
    }
    canvas.PolyPolygon(points, counts);
}

void PlayContext::PolylineTo(std::span<const Point> points, PointF last_logical) {
    const Point from = Page(dc.position);
    if (path.Recording()) {
        for (const Point& p : points) path.LineTo(from, p);
    } else {
        std::vector<Point> line;
        line.reserve(points.size() + 1);
        line.push_back(from);
        line.insert(line.end(), points.begin(), points.end());
        canvas.Polyline(line);
    }
    if (!points.empty()) dc.position = last_logical;
}

}  // namespace velk::emf
