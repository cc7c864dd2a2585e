// One play of a metafile onto a canvas: the header, the transform from the reference device
// to the destination rectangle, the device context state with its SaveDC stack, the object
// table and the path. Everything lives as long as the play; two plays share nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "base/region.h"
#include "gfx/canvas.h"
#include "gfx/curves.h"
#include "gfx/metafile/dc_state.h"
#include "gfx/metafile/object_table.h"
#include "gfx/metafile/path.h"
#include "gfx/metafile/record_stream.h"
#include "gfx/metafile/xform.h"

namespace velk {
class FontCache;
}

namespace velk::emf {

// Points one record may flatten its curves into; longer curves get coarser.
inline constexpr std::size_t kMaxRecordPoints = std::size_t{1} << 18;

class PlayContext {
  public:
    // `init`: the reference device's pixels to the canvas's logical coordinates.
    PlayContext(Canvas& canvas, FontCache& fonts, const MetafileHeader& header, const Xform& init);

    Canvas& canvas;
    FontCache& fonts;
    const MetafileHeader header;
    const Xform init;
    DcState dc;
    std::vector<DcState> saved;
    ObjectTable objects;
    Path path;

    // Logical units to the canvas's logical coordinates.
    Xform ToPage() const { return Then(dc.mapping.ToDevice(), init); }
    PointF PageF(PointF logical) const { return ToPage().Apply(logical); }
    Point Page(PointF logical) const { return Round(PageF(logical)); }
    std::vector<Point> PagePoints(std::span<const PointF> logical) const;
    static Point Round(PointF p);

    // Gives the canvas the state of the device context: pen, brush, modes, colours and clip.
    void Sync();
    // The metafile's own clip in the canvas's device pixels (none: not clipped); it draws
    // within it and within the clip the canvas had when the play began.
    void SetClip(std::optional<Region> clip) { dc.clip = std::move(clip); }
    // The canvas's clip when the play began, within the surface, in device pixels.
    const Region& BaseClip() const { return base_clip_; }

    // Figures: into the path while one is recorded, else drawn.
    void Polyline(std::span<const Point> points);
    void Polygon(std::span<const Point> points);
    void PolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts);
    // Lines from the current position through the points; the last becomes the current
    // position (`last_logical`).
    void PolylineTo(std::span<const Point> points, PointF last_logical);

  private:
    Region base_clip_;
};

}  // namespace velk::emf
