// Rectangles, rounded rectangles, ellipses, arcs, chords, pies and single pixels.
//
// Where the mapping keeps the axes (no turn or shear) rectangles and ellipses are drawn by the
// canvas's own figures, pixel for pixel as the desktop draws them; otherwise, and for arcs and
// rounded corners, the outline is flattened into lines in logical units and mapped point by
// point.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

struct BoxF {
    double left, top, right, bottom;
};

BoxF ReadBox(ByteReader& in) {
    const Rect r = ReadRect(in);
    return {double(r.left), double(r.top), double(r.right), double(r.bottom)};
}

PointF ReadPointF(ByteReader& in) {
    const Point p = ReadPoint(in);
    return {double(p.x), double(p.y)};
}

// The box mapped to the page, when the mapping keeps it a rectangle.
std::optional<Rect> PageBox(const PlayContext& ctx, const BoxF& box) {
    if (!ctx.ToPage().AxisAligned()) return std::nullopt;
    const Point a = ctx.Page({box.left, box.top}), b = ctx.Page({box.right, box.bottom});
    return Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

int Segments(const PlayContext& ctx, const BoxF& box) {
    const PointF w = ctx.ToPage().ApplyVector({box.right - box.left, 0});
    const PointF h = ctx.ToPage().ApplyVector({0, box.bottom - box.top});
    return SegmentsForEllipse(std::hypot(w.x, w.y), std::hypot(h.x, h.y));
}

// The whole ellipse as points in logical units.
std::vector<PointF> EllipsePoints(const PlayContext& ctx, const BoxF& box) {
    const PointF right{box.right, (box.top + box.bottom) / 2};
    std::vector<PointF> points = EllipseArc(box.left, box.top, box.right, box.bottom, right, right,
                                            false, Segments(ctx, box));
    points.pop_back();  // the end repeats the start
    return points;
}

void PlayRectangle(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const BoxF box = ReadBox(in);
    const std::optional<Rect> page = PageBox(ctx, box);
    if (page && !ctx.path.Recording()) {
        ctx.canvas.Rectangle(*page);
        return;
    }
    const std::array<PointF, 4> corners = {PointF{box.left, box.top}, PointF{box.right, box.top},
                                           PointF{box.right, box.bottom},
                                           PointF{box.left, box.bottom}};
    ctx.Polygon(ctx.PagePoints(corners));
}

void PlayEllipse(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const BoxF box = ReadBox(in);
    const std::optional<Rect> page = PageBox(ctx, box);
    if (page && !ctx.path.Recording()) {
        ctx.canvas.Ellipse(*page);
        return;
    }
    ctx.Polygon(ctx.PagePoints(EllipsePoints(ctx, box)));
}

void PlayRoundRect(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    BoxF box = ReadBox(in);
    const Point corner = ReadPoint(in);
    if (box.left > box.right) std::swap(box.left, box.right);
    if (box.top > box.bottom) std::swap(box.top, box.bottom);
    const double cw = std::min(std::abs(double(corner.x)), box.right - box.left);
    const double ch = std::min(std::abs(double(corner.y)), box.bottom - box.top);
    const std::optional<Rect> page = PageBox(ctx, box);
    if (page && !ctx.path.Recording() && (cw == 0 || ch == 0)) {
        ctx.canvas.Rectangle(*page);
        return;
    }
    // Four quarter ellipses of the corner's size, counter-clockwise from the top right.
    const int segments = std::max(2, Segments(ctx, {0, 0, cw, ch}) / 4);
    std::vector<PointF> outline;
    const auto quarter = [&](double l, double t, PointF from, PointF to) {
        const std::vector<PointF> arc = EllipseArc(l, t, l + cw, t + ch, from, to, false, segments);
        outline.insert(outline.end(), arc.begin(), arc.end());
    };
    const double r_ = box.right, b = box.bottom, l = box.left, t = box.top;
    quarter(r_ - cw, t, {r_, t + ch / 2}, {r_ - cw / 2, t});
    quarter(l, t, {l + cw / 2, t}, {l, t + ch / 2});
    quarter(l, b - ch, {l, b - ch / 2}, {l + cw / 2, b});
    quarter(r_ - cw, b - ch, {r_ - cw / 2, b}, {r_, b - ch / 2});
    ctx.Polygon(ctx.PagePoints(outline));
}

enum class ArcKind { kArc, kArcTo, kChord, kPie };

void PlayArcFamily(PlayContext& ctx, const Record& r, ArcKind kind) {
    ByteReader in = r.Fields();
    const BoxF box = ReadBox(in);
    const PointF start = ReadPointF(in), end = ReadPointF(in);
    std::vector<PointF> arc = EllipseArc(box.left, box.top, box.right, box.bottom, start, end,
                                         ctx.dc.clockwise, Segments(ctx, box));
    switch (kind) {
        case ArcKind::kArc:
            ctx.Polyline(ctx.PagePoints(arc));
            break;
        case ArcKind::kArcTo: {
            const PointF last = arc.back();
            ctx.PolylineTo(ctx.PagePoints(arc), last);
            break;
        }
        case ArcKind::kChord:
            ctx.Polygon(ctx.PagePoints(arc));
            break;
        case ArcKind::kPie:
            arc.push_back({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
            ctx.Polygon(ctx.PagePoints(arc));
            break;
    }
}

void PlayArc(PlayContext& ctx, const Record& r) {
    PlayArcFamily(ctx, r, ArcKind::kArc);
}
void PlayArcTo(PlayContext& ctx, const Record& r) {
    PlayArcFamily(ctx, r, ArcKind::kArcTo);
}
void PlayChord(PlayContext& ctx, const Record& r) {
    PlayArcFamily(ctx, r, ArcKind::kChord);
}
void PlayPie(PlayContext& ctx, const Record& r) {
    PlayArcFamily(ctx, r, ArcKind::kPie);
}

// A line from the current position to the start of the arc, then the arc of a circle by
// angles in degrees, counter-clockwise for a positive sweep.
void PlayAngleArc(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const PointF centre = ReadPointF(in);
    const double radius = in.U32();
    const double start = ReadFloat(in), sweep = ReadFloat(in);
    if (!std::isfinite(start) || !std::isfinite(sweep)) return;
    const double turn_fraction = std::min(std::abs(sweep) / 360.0, 1.0);
    const int segments = std::max(
        1, static_cast<int>(Segments(ctx, {0, 0, 2 * radius, 2 * radius}) * turn_fraction));
    std::vector<PointF> arc;
    for (int i = 0; i <= segments; ++i) {
        const double a = (start + sweep * i / segments) * std::numbers::pi / 180.0;
        arc.push_back({centre.x + radius * std::cos(a), centre.y - radius * std::sin(a)});
    }
    const PointF last = arc.back();
    ctx.PolylineTo(ctx.PagePoints(arc), last);
}

void PlaySetPixel(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const PointF p = ReadPointF(in);
    const std::uint32_t colour = in.U32();
    if (ctx.path.Recording()) return;
    const Point page = ctx.Page(p);
    ctx.canvas.SetPixel(page.x, page.y, BgrxFromColorRef(colour));
}

constexpr std::array kRows = {
    RecordRow{kRectangle, &PlayRectangle},
    RecordRow{kEllipse, &PlayEllipse},
    RecordRow{kRoundRect, &PlayRoundRect},
    RecordRow{kArc, &PlayArc},
    RecordRow{kArcTo, &PlayArcTo},
    RecordRow{kChord, &PlayChord},
    RecordRow{kPie, &PlayPie},
    RecordRow{kAngleArc, &PlayAngleArc},
    RecordRow{kSetPixelV, &PlaySetPixel},
};

}  // namespace

std::span<const RecordRow> ShapeRecords() {
    return kRows;
}

}  // namespace velk::emf
