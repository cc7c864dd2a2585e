// Lines, polylines, polygons and Béziers, in their 32-bit and 16-bit forms.
#include <algorithm>
#include <array>

#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

bool Wide(std::uint32_t type) {
    return type < kPolyBezier16;
}

// The points of a record that stores its bounds, a count and the points.
std::vector<PointF> CountedPoints(const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16);  // bounds
    const std::uint32_t count = in.U32();
    return ReadPoints(in, count, Wide(r.type));
}

// Béziers through `points` from `start` (each curve: two controls and an end), flattened in
// page coordinates. The result starts with `start`.
std::vector<Point> FlattenCurves(const PlayContext& ctx, PointF start,
                                 std::span<const PointF> points) {
    const Xform to_page = ctx.ToPage();
    const std::size_t curves = points.size() / 3;
    const int budget = static_cast<int>(std::clamp<std::size_t>(
        kMaxRecordPoints / std::max<std::size_t>(curves, 1), 1, kMaxCurveSegments));
    std::vector<Point> out{PlayContext::Round(to_page.Apply(start))};
    PointF from = to_page.Apply(start);
    for (std::size_t c = 0; c < curves; ++c) {
        const PointF p1 = to_page.Apply(points[3 * c]), p2 = to_page.Apply(points[3 * c + 1]);
        const PointF p3 = to_page.Apply(points[3 * c + 2]);
        const std::vector<PointF> flat = FlattenBezier(from, p1, p2, p3, budget);
        for (std::size_t i = 1; i < flat.size(); ++i) out.push_back(PlayContext::Round(flat[i]));
        from = p3;
    }
    return out;
}

void PlayPolyline(PlayContext& ctx, const Record& r) {
    const std::vector<PointF> points = CountedPoints(r);
    ctx.Polyline(ctx.PagePoints(points));
}

void PlayPolygon(PlayContext& ctx, const Record& r) {
    const std::vector<PointF> points = CountedPoints(r);
    ctx.Polygon(ctx.PagePoints(points));
}

void PlayPolylineTo(PlayContext& ctx, const Record& r) {
    const std::vector<PointF> points = CountedPoints(r);
    if (points.empty()) return;
    ctx.PolylineTo(ctx.PagePoints(points), points.back());
}

void PlayPolyBezier(PlayContext& ctx, const Record& r) {
    const std::vector<PointF> points = CountedPoints(r);
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return;  // refused as by the device
    ctx.Polyline(FlattenCurves(ctx, points.front(), std::span(points).subspan(1)));
}

void PlayPolyBezierTo(PlayContext& ctx, const Record& r) {
    const std::vector<PointF> points = CountedPoints(r);
    if (points.empty() || points.size() % 3 != 0) return;
    std::vector<Point> line = FlattenCurves(ctx, ctx.dc.position, points);
    line.erase(line.begin());
    ctx.PolylineTo(line, points.back());
}

// PolyPolyline and PolyPolygon: the number of polygons, the number of points, each polygon's
// count, then the points. The counts must add up to the points.
void ReadPolyPoly(const Record& r, std::vector<PointF>& points, std::vector<std::size_t>& counts) {
    ByteReader in = r.Fields();
    in.Skip(16);  // bounds
    const std::uint32_t polygons = in.U32();
    const std::uint32_t total = in.U32();
    in.RequireItems(polygons, 4);
    std::uint64_t sum = 0;
    counts.reserve(polygons);
    for (std::uint32_t i = 0; i < polygons; ++i) {
        counts.push_back(in.U32());
        sum += counts.back();
    }
    if (sum != total) throw ArchiveError("metafile polygon counts do not add up");
    points = ReadPoints(in, total, Wide(r.type));
}

void PlayPolyPolyline(PlayContext& ctx, const Record& r) {
    std::vector<PointF> points;
    std::vector<std::size_t> counts;
    ReadPolyPoly(r, points, counts);
    const std::vector<Point> page = ctx.PagePoints(points);
    std::size_t first = 0;
    for (std::size_t count : counts) {
        ctx.Polyline(std::span(page).subspan(first, count));
        first += count;
    }
}

void PlayPolyPolygon(PlayContext& ctx, const Record& r) {
    std::vector<PointF> points;
    std::vector<std::size_t> counts;
    ReadPolyPoly(r, points, counts);
    ctx.PolyPolygon(ctx.PagePoints(points), counts);
}

void PlayLineTo(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const Point p = ReadPoint(in);
    const PointF to{double(p.x), double(p.y)};
    const Point page = ctx.Page(to);
    ctx.PolylineTo(std::span(&page, 1), to);
}

constexpr std::array kRows = {
    RecordRow{kPolyline, &PlayPolyline},
    RecordRow{kPolyline16, &PlayPolyline},
    RecordRow{kPolygon, &PlayPolygon},
    RecordRow{kPolygon16, &PlayPolygon},
    RecordRow{kPolylineTo, &PlayPolylineTo},
    RecordRow{kPolylineTo16, &PlayPolylineTo},
    RecordRow{kPolyBezier, &PlayPolyBezier},
    RecordRow{kPolyBezier16, &PlayPolyBezier},
    RecordRow{kPolyBezierTo, &PlayPolyBezierTo},
    RecordRow{kPolyBezierTo16, &PlayPolyBezierTo},
    RecordRow{kPolyPolyline, &PlayPolyPolyline},
    RecordRow{kPolyPolyline16, &PlayPolyPolyline},
    RecordRow{kPolyPolygon, &PlayPolyPolygon},
    RecordRow{kPolyPolygon16, &PlayPolyPolygon},
    RecordRow{kLineTo, &PlayLineTo},
};

}  // namespace

std::span<const RecordRow> LineRecords() {
    return kRows;
}

}  // namespace velk::emf
