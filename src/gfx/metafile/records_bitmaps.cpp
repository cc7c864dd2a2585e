// Bitmap transfers: BitBlt and StretchBlt with a source bitmap or with the brush alone, and
// StretchDIBits. The destination rectangle is mapped by its corners, so a mirroring mapping
// mirrors the picture.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "gfx/metafile/dib.h"
#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

struct Transfer {
    std::int32_t x = 0, y = 0, width = 0, height = 0;      // logical destination
    std::int32_t sx = 0, sy = 0, swidth = 0, sheight = 0;  // source pixels
    std::uint32_t rop = 0;
    std::uint32_t info_at = 0, info_size = 0, bits_at = 0, bits_size = 0;
    bool from_bottom = false;  // StretchDIBits counts source rows from the bottom of the DIB
};

// Operations that use no source.
bool PatternOnly(std::uint32_t rop) {
    return rop == kPatCopy || rop == kPatInvert || rop == kDstInvert || rop == kBlackness ||
           rop == kWhiteness;
}

void Draw(PlayContext& ctx, const Record& r, const Transfer& t) {
    if (ctx.path.Recording()) return;
    const Point a = ctx.Page({double(t.x), double(t.y)});
    const Point b = ctx.Page({double(t.x) + t.width, double(t.y) + t.height});
    const std::int64_t width = std::int64_t{b.x} - a.x, height = std::int64_t{b.y} - a.y;
    if (width == 0 || height == 0) return;
    if (PatternOnly(t.rop)) {
        ctx.canvas.PatBlt(std::min(a.x, b.x), std::min(a.y, b.y), SaturateToInt32(std::abs(width)),
                          SaturateToInt32(std::abs(height)), t.rop);
        return;
    }
    if (t.info_size == 0) return;
    const std::span<const std::uint8_t> info = r.Part(t.info_at, t.info_size);
    const std::optional<RgbImage> picture = DecodeDib(info, r.Part(t.bits_at, t.bits_size));
    if (!picture) return;
    const Surface source = SurfaceFromRgb(*picture);
    std::int64_t sy = t.sy;
    if (t.from_bottom && DibBottomUp(info)) sy = std::int64_t{picture->height} - t.sy - t.sheight;
    ctx.canvas.StretchBltRop(a.x, a.y, SaturateToInt32(width), SaturateToInt32(height), source,
                             t.sx, SaturateToInt32(sy), t.swidth, t.sheight, t.rop);
}

// BitBlt and StretchBlt: the source's own transform and background colour are not used.
void PlayBlt(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16);  // bounds
    Transfer t;
    t.x = in.I32();
    t.y = in.I32();
    t.width = in.I32();
    t.height = in.I32();
    t.rop = in.U32();
    t.sx = in.I32();
    t.sy = in.I32();
    in.Skip(24 + 4 + 4);  // source transform, background colour, colour usage
    t.info_at = in.U32();
    t.info_size = in.U32();
    t.bits_at = in.U32();
    t.bits_size = in.U32();
    t.swidth = t.width;
    t.sheight = t.height;
    if (r.type == kStretchBlt) {
        t.swidth = in.I32();
        t.sheight = in.I32();
    }
    Draw(ctx, r, t);
}

void PlayStretchDiBits(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    in.Skip(16);  // bounds
    Transfer t;
    t.x = in.I32();
    t.y = in.I32();
    t.sx = in.I32();
    t.sy = in.I32();
    t.swidth = in.I32();
    t.sheight = in.I32();
    t.info_at = in.U32();
    t.info_size = in.U32();
    t.bits_at = in.U32();
    t.bits_size = in.U32();
    in.U32();  // colour usage
    t.rop = in.U32();
    t.width = in.I32();
    t.height = in.I32();
    t.from_bottom = true;
    Draw(ctx, r, t);
}

constexpr std::array kRows = {
    RecordRow{kBitBlt, &PlayBlt},
    RecordRow{kStretchBlt, &PlayBlt},
    RecordRow{kStretchDiBits, &PlayStretchDiBits},
};

}  // namespace

std::span<const RecordRow> BitmapRecords() {
    return kRows;
}

}  // namespace velk::emf
