#include "pages/video_overlay.h"

#include <algorithm>
#include <vector>

#include "objects/video/video_fields.h"
#include "pages/page_manager.h"
#include "pages/window_shape.h"

namespace velk {
namespace {

// The mask's rule: a first byte of 127 or less (key 0, tolerance 127) lies outside.
constexpr std::int32_t kMaskStep = 3;
constexpr std::int32_t kMaskKey = 0;
constexpr std::int32_t kMaskTolerance = 127;

}  // namespace

std::optional<Region> VideoShapeFromMask(const Object& video, PictureCache& pictures) {
    if (!video.image3) return std::nullopt;
    const RgbImage& mask = pictures.Pixels(*video.image3);
    return RegionFromMask(mask.pixels, mask.width, mask.height, kMaskStep, kMaskKey,
                          kMaskTolerance);
}

const Surface* VideoPicture(const Object& video, const VideoWindow& window) {
    if (window.playback == nullptr) return nullptr;
    if (window.ShowsFrames()) return window.shown ? window.playback->CurrentFrame() : nullptr;
    if (window.state == VideoState::kLoaded && !VideoFields(video).HasStill()) {
        return window.playback->CurrentFrame();
    }
    return nullptr;
}

Region VideoVisibleRegion(const PageManager& pages, const Page& page, const Object& video,
                          VideoWindow& window, Size client, PictureCache& pictures) {
    if (video.hidden != 0) return {};
    const Rect whole{0, 0, client.width, client.height};
    if (window.full_screen) return Region(whole);
    if (!window.shape_made) {
        window.shape = VideoShapeFromMask(video, pictures);
        window.shape_made = true;
    }
    const Rect area = VideoWindowArea(video, window);
    Region shown(area);
    if (window.shape) shown = shown.Intersect(window.shape->Offset(area.left, area.top));
    return shown.Intersect(whole).Subtract(pages.CoveringArea(page, video));
}

void PaintVideoFrame(Surface& target, const Surface& frame, const Rect& area,
                     const Region& visible) {
    const std::int64_t width = std::int64_t{area.right} - area.left;
    const std::int64_t height = std::int64_t{area.bottom} - area.top;
    if (width <= 0 || height <= 0 || frame.Width() <= 0 || frame.Height() <= 0) return;
    const Rect surface{0, 0, target.Width(), target.Height()};
    std::vector<std::int32_t> columns;
    for (const Rect& part : visible) {
        const Rect r = part.Intersect(surface).Intersect(area);
        if (r.IsEmpty()) continue;
        // Each target pixel takes the frame pixel under its centre.
        columns.resize(std::size_t(r.right - r.left));
        for (std::int32_t x = r.left; x < r.right; ++x) {
            columns[std::size_t(x - r.left)] = static_cast<std::int32_t>(
                ((std::int64_t{x} - area.left) * 2 + 1) * frame.Width() / (width * 2));
        }
        for (std::int32_t y = r.top; y < r.bottom; ++y) {
            const auto source_y = static_cast<std::int32_t>(((std::int64_t{y} - area.top) * 2 + 1) *
                                                            frame.Height() / (height * 2));
            const Bgrx* from = frame.Row(source_y);
            Bgrx* to = target.Row(y) + r.left;
            for (std::size_t i = 0; i < columns.size(); ++i) to[i] = from[columns[i]];
        }
    }
}

}  // namespace velk
