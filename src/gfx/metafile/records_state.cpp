// Records that change the device context without drawing: the mapping, SaveDC and RestoreDC,
// colours, modes and the current position.
#include <array>

#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

std::uint32_t U32Field(const Record& r) {
    ByteReader in = r.Fields();
    return in.U32();
}

PointF PointField(const Record& r) {
    ByteReader in = r.Fields();
    const Point p = ReadPoint(in);
    return {double(p.x), double(p.y)};
}

void PlaySetMapMode(PlayContext& ctx, const Record& r) {
    ctx.dc.mapping.SetMapMode(U32Field(r));
}

void PlaySetWindowExt(PlayContext& ctx, const Record& r) {
    const PointF e = PointField(r);
    ctx.dc.mapping.SetWindowExt(e.x, e.y);
}

void PlaySetWindowOrg(PlayContext& ctx, const Record& r) {
    ctx.dc.mapping.SetWindowOrg(PointField(r));
}

void PlaySetViewportExt(PlayContext& ctx, const Record& r) {
    const PointF e = PointField(r);
    ctx.dc.mapping.SetViewportExt(e.x, e.y);
}

void PlaySetViewportOrg(PlayContext& ctx, const Record& r) {
    ctx.dc.mapping.SetViewportOrg(PointField(r));
}

void PlayScaleExt(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::int32_t xnum = in.I32(), xdenom = in.I32(), ynum = in.I32(), ydenom = in.I32();
    if (r.type == kScaleWindowExtEx) {
        ctx.dc.mapping.ScaleWindowExt(xnum, xdenom, ynum, ydenom);
    } else {
        ctx.dc.mapping.ScaleViewportExt(xnum, xdenom, ynum, ydenom);
    }
}

void PlaySetWorldTransform(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    ctx.dc.mapping.SetWorldTransform(ReadXform(in));
}

void PlayModifyWorldTransform(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const Xform x = ReadXform(in);
    ctx.dc.mapping.ModifyWorldTransform(x, in.U32());
}

void PlaySaveDc(PlayContext& ctx, const Record&) {
    ctx.saved.push_back(ctx.dc);
}

// A negative level counts back from the latest save; a positive one names the state the
// level-th SaveDC kept. Levels that were never saved leave the state as it is.
void PlayRestoreDc(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::int64_t level = in.I32();
    const std::int64_t depth = static_cast<std::int64_t>(ctx.saved.size());
    const std::int64_t keep = level < 0 ? depth + level : level - 1;
    if (level == 0 || keep < 0 || keep >= depth) return;
    ctx.dc = ctx.saved[static_cast<std::size_t>(keep)];
    ctx.saved.erase(ctx.saved.begin() + keep, ctx.saved.end());
}

void PlaySetBkMode(PlayContext& ctx, const Record& r) {
    const std::uint32_t mode = U32Field(r);
    if (mode == 1) ctx.dc.bk_mode = BkMode::kTransparent;
    if (mode == 2) ctx.dc.bk_mode = BkMode::kOpaque;
}

void PlaySetPolyFillMode(PlayContext& ctx, const Record& r) {
    const std::uint32_t mode = U32Field(r);
    if (mode == 1) ctx.dc.fill_mode = PolyFillMode::kAlternate;
    if (mode == 2) ctx.dc.fill_mode = PolyFillMode::kWinding;
}

// The canvas knows three mixes; the others draw as R2_COPYPEN.
void PlaySetRop2(PlayContext& ctx, const Record& r) {
    switch (U32Field(r)) {
        case kR2Not:
            ctx.dc.rop2 = Rop2::kNot;
            break;
        case kR2XorPen:
            ctx.dc.rop2 = Rop2::kXorPen;
            break;
        default:
            ctx.dc.rop2 = Rop2::kCopyPen;
            break;
    }
}

void PlaySetStretchBltMode(PlayContext& ctx, const Record& r) {
    const std::uint32_t mode = U32Field(r);
    if (mode >= 1 && mode <= 4) ctx.dc.stretch_mode = static_cast<StretchMode>(mode);
}

void PlaySetTextAlign(PlayContext& ctx, const Record& r) {
    ctx.dc.text_align = U32Field(r);
}

void PlaySetTextColor(PlayContext& ctx, const Record& r) {
    ctx.dc.text_colour = U32Field(r) & 0xFFFFFF;
}

void PlaySetBkColor(PlayContext& ctx, const Record& r) {
    ctx.dc.bk_colour = U32Field(r) & 0xFFFFFF;
}

void PlaySetArcDirection(PlayContext& ctx, const Record& r) {
    ctx.dc.clockwise = U32Field(r) == kAdClockwise;
}

void PlayMoveTo(PlayContext& ctx, const Record& r) {
    ctx.dc.position = PointField(r);
    if (ctx.path.Recording()) ctx.path.MoveTo(ctx.Page(ctx.dc.position));
}

// Read for their size only: the canvas has no brush origin to move for a metafile, and wide
// pens have square ends, so miters never show.
void PlayCheckedOnly(PlayContext&, const Record& r) {
    ByteReader in = r.Fields();
    in.U32();
}

constexpr std::array kRows = {
    RecordRow{kSetMapMode, &PlaySetMapMode},
    RecordRow{kSetWindowExtEx, &PlaySetWindowExt},
    RecordRow{kSetWindowOrgEx, &PlaySetWindowOrg},
    RecordRow{kSetViewportExtEx, &PlaySetViewportExt},
    RecordRow{kSetViewportOrgEx, &PlaySetViewportOrg},
    RecordRow{kScaleWindowExtEx, &PlayScaleExt},
    RecordRow{kScaleViewportExtEx, &PlayScaleExt},
    RecordRow{kSetWorldTransform, &PlaySetWorldTransform},
    RecordRow{kModifyWorldTransform, &PlayModifyWorldTransform},
    RecordRow{kSaveDc, &PlaySaveDc},
    RecordRow{kRestoreDc, &PlayRestoreDc},
    RecordRow{kSetBkMode, &PlaySetBkMode},
    RecordRow{kSetPolyFillMode, &PlaySetPolyFillMode},
    RecordRow{kSetRop2, &PlaySetRop2},
    RecordRow{kSetStretchBltMode, &PlaySetStretchBltMode},
    RecordRow{kSetTextAlign, &PlaySetTextAlign},
    RecordRow{kSetTextColor, &PlaySetTextColor},
    RecordRow{kSetBkColor, &PlaySetBkColor},
    RecordRow{kSetArcDirection, &PlaySetArcDirection},
    RecordRow{kMoveToEx, &PlayMoveTo},
    RecordRow{kSetBrushOrgEx, &PlayCheckedOnly},
    RecordRow{kSetMiterLimit, &PlayCheckedOnly},
};

}  // namespace

std::span<const RecordRow> StateRecords() {
    return kRows;
}

}  // namespace velk::emf
