// Combining a region with the metafile's clip region, as ExtSelectClipRgn and SelectClipPath
// do (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
#pragma once

#include <cstdint>

#include "base/region.h"
#include "gfx/metafile/play_context.h"

namespace velk::emf {

// `region` is in the canvas's device pixels. Without a clip yet, the metafile's clip counts as
// everything the canvas could draw when the play began. Unknown modes change nothing.
void CombineClip(PlayContext& ctx, const Region& region, std::uint32_t mode);

}  // namespace velk::emf
