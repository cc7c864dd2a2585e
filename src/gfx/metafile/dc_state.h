// Everything SaveDC keeps while a metafile plays: the mapping, the selected objects, colours
// and modes, the current position and the metafile's own clip region.
#pragma once

#include <cstdint>
#include <optional>

#include "base/region.h"
#include "gfx/canvas_constants.h"
#include "gfx/metafile/emf_format.h"
#include "gfx/metafile/mapping.h"
#include "gfx/metafile/object_table.h"

namespace velk::emf {

struct DcState {
    explicit DcState(const Mapping& start) : mapping(start) {}

    Mapping mapping;
    MetaPen pen{0, 0, 0};
    MetaBrush brush{kBsSolid, 0xFFFFFF, 0, nullptr};
    MetaFont font = std::get<MetaFont>(*StockObject(kSystemFont));
    std::uint32_t text_colour = 0;
    std::uint32_t bk_colour = 0xFFFFFF;
    BkMode bk_mode = BkMode::kOpaque;
    std::uint32_t text_align = 0;
    PolyFillMode fill_mode = PolyFillMode::kAlternate;
    Rop2 rop2 = Rop2::kCopyPen;
    StretchMode stretch_mode = StretchMode::kBlackOnWhite;
    bool clockwise = false;
    PointF position;  // logical units
    // In the canvas's device pixels; none: the metafile has not clipped, only the canvas's own
    // clip applies.
    std::optional<Region> clip;
};

}  // namespace velk::emf
