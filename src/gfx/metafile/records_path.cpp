// Paths: recorded between BeginPath and EndPath, then filled with the fill mode, stroked with
// the pen, or made the clip region. Widening and flattening keep the path as it is: its curves
// are already lines.
#include <array>

#include "gfx/metafile/clip_combine.h"
#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

void PlayBeginPath(PlayContext& ctx, const Record&) {
    ctx.path.Begin();
}

void PlayEndPath(PlayContext& ctx, const Record&) {
    ctx.path.End();
}

void PlayCloseFigure(PlayContext& ctx, const Record&) {
    if (ctx.path.Recording()) ctx.path.CloseFigure();
}

void PlayAbortPath(PlayContext& ctx, const Record&) {
    ctx.path.Abort();
}

void PlayKeepPath(PlayContext&, const Record&) {}

void Fill(PlayContext& ctx) {
    std::vector<Point> points;
    std::vector<std::size_t> counts;
    ctx.path.Polygons(points, counts);
    ctx.canvas.FillPolyPolygon(points, counts);
}

void Stroke(PlayContext& ctx) {
    for (const Figure& figure : ctx.path.Figures()) {
        if (figure.closed && figure.points.size() > 1) {
            std::vector<Point> ring = figure.points;
            ring.push_back(ring.front());
            ctx.canvas.Polyline(ring);
        } else {
            ctx.canvas.Polyline(figure.points);
        }
    }
}

void PlayFillPath(PlayContext& ctx, const Record&) {
    if (!ctx.path.Ready()) return;
    Fill(ctx);
    ctx.path.Clear();
}

void PlayStrokePath(PlayContext& ctx, const Record&) {
    if (!ctx.path.Ready()) return;
    Stroke(ctx);
    ctx.path.Clear();
}

void PlayStrokeAndFillPath(PlayContext& ctx, const Record&) {
    if (!ctx.path.Ready()) return;
    Fill(ctx);
    Stroke(ctx);
    ctx.path.Clear();
}

void PlaySelectClipPath(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t mode = in.U32();
    if (!ctx.path.Ready()) return;
    std::vector<Point> points;
    std::vector<std::size_t> counts;
    ctx.path.Polygons(points, counts);
    ctx.path.Clear();
    // The region only matters inside what the canvas can draw.
    const Rect limit = ctx.canvas.DeviceToLogical(ctx.BaseClip().BoundingBox());
    const Point origin = ctx.canvas.GetViewportOrigin();
    const Region inside =
        Region::FromPolygons(points, counts, ctx.dc.fill_mode, limit).Offset(origin.x, origin.y);
    CombineClip(ctx, inside, mode);
}

constexpr std::array kRows = {
    RecordRow{kBeginPath, &PlayBeginPath},
    RecordRow{kEndPath, &PlayEndPath},
    RecordRow{kCloseFigure, &PlayCloseFigure},
    RecordRow{kAbortPath, &PlayAbortPath},
    RecordRow{kFlattenPath, &PlayKeepPath},
    RecordRow{kWidenPath, &PlayKeepPath},
    RecordRow{kFillPath, &PlayFillPath},
    RecordRow{kStrokePath, &PlayStrokePath},
    RecordRow{kStrokeAndFillPath, &PlayStrokeAndFillPath},
    RecordRow{kSelectClipPath, &PlaySelectClipPath},
};

}  // namespace

std::span<const RecordRow> PathRecords() {
    return kRows;
}

}  // namespace velk::emf
