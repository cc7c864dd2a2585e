#include "gfx/metafile/clip_combine.h"

namespace velk::emf {

void CombineClip(PlayContext& ctx, const Region& region, std::uint32_t mode) {
    const Region current = ctx.dc.clip ? *ctx.dc.clip : ctx.BaseClip();
    switch (mode) {
        case kRgnAnd:
            ctx.SetClip(current.Intersect(region));
            break;
        case kRgnOr:
            ctx.SetClip(current.Union(region));
            break;
        case kRgnXor:
            ctx.SetClip(current.Xor(region));
            break;
        case kRgnDiff:
            ctx.SetClip(current.Subtract(region));
            break;
        case kRgnCopy:
            ctx.SetClip(region);
            break;
        default:
            break;
    }
}

}  // namespace velk::emf
