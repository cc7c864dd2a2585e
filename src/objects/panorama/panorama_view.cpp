#include "objects/panorama/panorama_view.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/pixel_dispatch.h"
#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"
#include "objects/panorama/panorama_fields.h"

namespace velk {
namespace {

const Bgrx kOutsideGrey = MakeBgrx(128, 128, 128);
// The hot spot's edges in the position overlay (COLORREF values).
constexpr std::uint32_t kLeftEdgeColour = 0x7DF0E6;
constexpr std::uint32_t kRightEdgeColour = 0xFFF082;
constexpr std::int32_t kEdgeWidth = 2;
// A drag that stays within this many pixels of the press point's height turns sideways.
constexpr std::int32_t kSidewaysSlack = 9;

// The window's own font, which the position text is written in.
LogFont SystemFont() {
    LogFont font;
    font.height = 16;
    font.weight = 700;
    font.face_name = "System";
    return font;
}

// `column` brought into 0 ... width - 1. Tables and pans keep it within one turn of that, where
// adding or taking away one width is enough; a bend wider than the picture goes further.
std::int32_t WrapColumn(std::int64_t column, std::int32_t width) {
    if (column < 0) column += width;
    if (column >= width) column -= width;
    if (column < 0 || column >= width) column = ((column % width) + width) % width;
    return static_cast<std::int32_t>(column);
}

// The picture's pixels into the view: each view pixel from its table row (moved by the
// vertical offset) and its turned column; grey where the row leaves the picture.
VELK_PIXEL_LOOP void BendIntoView(const RgbImage& picture, const std::int32_t* rows,
                                  const std::int32_t* columns, std::int32_t vertical_offset,
                                  Surface& view) {
    const std::int32_t w = view.Width();
    const std::int64_t stride = std::int64_t{picture.width} * 3;
    for (std::int32_t i = 0; i < view.Height(); ++i) {
        const std::int32_t* table_row = rows + std::size_t(i) * std::size_t(w);
        Bgrx* out = view.Row(i);
        for (std::int32_t j = 0; j < w; ++j) {
            const std::int64_t row = std::int64_t{table_row[j]} + vertical_offset;
            if (row < 0 || row >= picture.height) {
                out[j] = kOutsideGrey;
                continue;
            }
            const std::uint8_t* p = picture.pixels.data() + row * stride + columns[j] * 3;
            out[j] = MakeBgrx(p[0], p[1], p[2]);
        }
    }
}

}  // namespace

std::optional<PanoramaView> PanoramaView::Make(RgbImage picture, Size view,
                                               const Object& panorama) {
    const PanoramaFields fields(panorama);
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height) * 3) {
        return std::nullopt;
    }
    auto tables = MakePanoramaTables({picture.width, picture.height}, view, fields.FieldOfView(),
                                     fields.Bend());
    if (!tables) return std::nullopt;
    return PanoramaView(std::move(picture), std::move(*tables), panorama);
}

PanoramaView::PanoramaView(RgbImage picture, PanoramaTables tables, const Object& panorama)
    : picture_(std::move(picture)),
      tables_(std::move(tables)),
      store_(tables_.view.width, tables_.view.height) {
    const PanoramaFields fields(panorama);
    hot_spot_left_ = fields.HotSpotLeft();
    hot_spot_width_ = fields.HotSpotWidth();
    overlay_ = fields.ShowsOverlay();
}

const Surface& PanoramaView::Render(FontCache* fonts) {
    std::vector<std::int32_t> turned(tables_.columns.size());
    for (std::size_t j = 0; j < turned.size(); ++j) {
        turned[j] = WrapColumn(std::int64_t{pan_} + tables_.columns[j], picture_.width);
    }
    BendIntoView(picture_, tables_.rows.data(), turned.data(), vertical_offset_, store_);
    if (overlay_) DrawOverlay(fonts);
    return store_;
}

void PanoramaView::DrawOverlay(FontCache* fonts) {
    Canvas canvas(store_);
    const std::int64_t edge = HotSpotEdge();
    const std::int32_t height = store_.Height();
    const auto band = [&](std::int64_t left, std::uint32_t colour) {
        const std::int32_t x = SaturateToInt32(left);
        canvas.FillSolidRect({x, 0, SaturateToInt32(std::int64_t{x} + kEdgeWidth), height},
                             BgrxFromColorRef(colour));
    };
    band(edge, kLeftEdgeColour);
    band(edge + hot_spot_width_ - kEdgeWidth, kRightEdgeColour);
    if (fonts == nullptr) return;
    canvas.SelectFont(fonts->Get(SystemFont()));
    canvas.SetTextColour(MakeBgrx(0, 0, 0));
    TextOut(canvas, 0, 0, "<- " + std::to_string(pan_));
}

std::int64_t PanoramaView::HotSpotEdge() const {
    std::int64_t edge = std::int64_t{hot_spot_left_} - pan_;
    if (edge < -std::int64_t{hot_spot_width_}) edge += picture_.width;
    return edge;
}

bool PanoramaView::OnHotSpot(Point point) const {
    const std::int64_t edge = HotSpotEdge();
    return point.x > edge && point.x < edge + hot_spot_width_;
}

PanoramaPress PanoramaView::Press(Point point) {
    press_ = point;
    dx_ = 0;
    dy_ = 0;
    if (OnHotSpot(point)) return PanoramaPress::kHotSpot;
    dragging_ = true;
    return PanoramaPress::kDrag;
}

std::int32_t PanoramaView::Move(Point point) {
    if (!dragging_) {
        return HasHotSpot() && OnHotSpot(point) ? kPanoramaHotSpotCursor : kPanoramaArrowCursor;
    }
    dx_ = SaturateToInt32(std::int64_t{point.x} - press_.x);
    dy_ = SaturateToInt32(std::int64_t{press_.y} - point.y);
    return DragCursor(dx_, dy_);
}

std::int32_t PanoramaView::DragCursor(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) return kPanoramaHeldCursor;
    if (std::abs(std::int64_t{dy}) <= kSidewaysSlack) {
        if (dx < 0) return kPanoramaLeftCursor;
        if (dx > 0) return kPanoramaRightCursor;
        return kPanoramaArrowCursor;
    }
    return dy > 0 ? kPanoramaUpCursor : kPanoramaDownCursor;
}

bool PanoramaView::Turn() {
    if (dx_ == 0 && dy_ == 0) return false;
    // Past either end the turn starts again at the other end, whatever the step.
    std::int64_t pan = std::int64_t{pan_} + dx_;
    if (pan >= picture_.width) pan = 0;
    if (pan < 0) pan = picture_.width - 1;
    pan_ = static_cast<std::int32_t>(pan);
    const std::int64_t limit = tables_.vertical_limit;
    vertical_offset_ =
        static_cast<std::int32_t>(std::clamp(std::int64_t{vertical_offset_} + dy_, -limit, limit));
    return true;
}

}  // namespace velk
