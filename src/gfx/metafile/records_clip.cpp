// Clipping records, and regions filled with a brush.
#include <algorithm>
#include <array>

#include "gfx/metafile/clip_combine.h"
#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

// The fixed part of region data: its own size, type, count, size and bounds.
constexpr std::uint32_t kRegionHeaderSize = 32;

// The rectangles of region data of `size` bytes read from `in`.
std::vector<Rect> ReadRegionRects(ByteReader& in, std::uint32_t size) {
    if (size < kRegionHeaderSize) throw ArchiveError("metafile region data too short");
    in.RequireItems(1, size);
    in.U32();  // header size
    in.U32();  // type
    const std::uint32_t count = in.U32();
    in.U32();     // size of the rectangles
    in.Skip(16);  // bounds
    if (count > (size - kRegionHeaderSize) / 16) throw ArchiveError("metafile region too large");
    std::vector<Rect> rects;
    rects.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) rects.push_back(ReadRect(in));
    return rects;
}

// The rectangles mapped by `xform` to the canvas's device pixels: rectangles again while the
// mapping keeps the axes, else the union of the mapped quadrilaterals.
Region MapRects(const PlayContext& ctx, std::span<const Rect> rects, const Xform& xform) {
    const Point origin = ctx.canvas.GetViewportOrigin();
    if (xform.AxisAligned()) {
        std::vector<Rect> mapped;
        mapped.reserve(rects.size());
        for (const Rect& r : rects) {
            const Point a = PlayContext::Round(xform.Apply({double(r.left), double(r.top)}));
            const Point b = PlayContext::Round(xform.Apply({double(r.right), double(r.bottom)}));
            mapped.push_back(
                {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
        }
        return Region::FromRects(mapped).Offset(origin.x, origin.y);
    }
    std::vector<Point> corners;
    std::vector<std::size_t> counts;
    for (const Rect& r : rects) {
        for (const PointF p :
             {PointF{double(r.left), double(r.top)}, PointF{double(r.right), double(r.top)},
              PointF{double(r.right), double(r.bottom)},
              PointF{double(r.left), double(r.bottom)}}) {
            corners.push_back(PlayContext::Round(xform.Apply(p)));
        }
        counts.push_back(4);
    }
    const Rect limit = ctx.canvas.DeviceToLogical(ctx.BaseClip().BoundingBox());
    return Region::FromPolygons(corners, counts, PolyFillMode::kWinding, limit)
        .Offset(origin.x, origin.y);
}

void PlayClipRect(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const Rect rect = ReadRect(in);
    const Region region = MapRects(ctx, std::span(&rect, 1), ctx.ToPage());
    CombineClip(ctx, region, r.type == kIntersectClipRect ? kRgnAnd : kRgnDiff);
}

void PlayOffsetClip(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const Point offset = ReadPoint(in);
    if (!ctx.dc.clip) return;
    const PointF page = ctx.ToPage().ApplyVector({double(offset.x), double(offset.y)});
    const Point by = PlayContext::Round(page);
    ctx.SetClip(ctx.dc.clip->Offset(by.x, by.y));
}

// The region is in the reference device's pixels. Without region data, RGN_COPY gives the
// metafile's clip up.
void PlayExtSelectClipRgn(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t size = in.U32();
    const std::uint32_t mode = in.U32();
    if (size == 0) {
        if (mode == kRgnCopy) ctx.SetClip(std::nullopt);
        return;
    }
    const std::vector<Rect> rects = ReadRegionRects(in, size);
    CombineClip(ctx, MapRects(ctx, rects, ctx.init), mode);
}

// FillRgn: bounds, region size, the brush's index, then the region in logical units.
void PlayFillRgn(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16);  // bounds
    const std::uint32_t size = in.U32();
    std::optional<MetaBrush> brush;
    if (r.type == kFillRgn) {
        const std::uint32_t index = in.U32();
        if (!(index & kStockObject) && !ctx.objects.Holds(index)) {
            throw ArchiveError("metafile object index outside its table");
        }
        const std::optional<GdiObject> object = ctx.objects.Get(index);
        if (object && std::holds_alternative<MetaBrush>(*object)) {
            brush = std::get<MetaBrush>(*object);
        }
        if (!brush) return;
    }
    const std::vector<Rect> rects = ReadRegionRects(in, size);
    const Region device = MapRects(ctx, rects, ctx.ToPage());
    const Point origin = ctx.canvas.GetViewportOrigin();
    if (brush) {
        // The device context keeps its brush; only this fill uses the other one.
        const MetaBrush kept = ctx.dc.brush;
        ctx.dc.brush = *brush;
        ctx.Sync();
        ctx.dc.brush = kept;
    }
    ctx.canvas.FillRegionWithBrush(device.Offset(-std::int64_t{origin.x}, -std::int64_t{origin.y}));
}

constexpr std::array kRows = {
    RecordRow{kIntersectClipRect, &PlayClipRect},
    RecordRow{kExcludeClipRect, &PlayClipRect},
    RecordRow{kOffsetClipRgn, &PlayOffsetClip},
    RecordRow{kExtSelectClipRgn, &PlayExtSelectClipRgn},
    RecordRow{kFillRgn, &PlayFillRgn},
    RecordRow{kPaintRgn, &PlayFillRgn},
};

}  // namespace

std::span<const RecordRow> ClipRecords() {
    return kRows;
}

}  // namespace velk::emf
