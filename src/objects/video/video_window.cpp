#include "objects/video/video_window.h"

#include <algorithm>

#include "base/saturate.h"

namespace velk {

Size VideoWindowSize(const Object& video, const VideoWindow& window) {
    const Rect& rect = video.rect;
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    if (width > 0 && height > 0) return {SaturateToInt32(width), SaturateToInt32(height)};
    // An empty rectangle takes the video's own size; a file without a picture leaves it.
    if (window.playback != nullptr && window.playback->Info().has_video) {
        const media::MediaInfo& info = window.playback->Info();
        return {info.width, info.height};
    }
    return {SaturateToInt32(std::max<std::int64_t>(width, 0)),
            SaturateToInt32(std::max<std::int64_t>(height, 0))};
}

Rect VideoWindowArea(const Object& video, const VideoWindow& window) {
    const Size size = VideoWindowSize(video, window);
    const Rect& rect = video.rect;
    return {rect.left, rect.top, SaturateToInt32(std::int64_t{rect.left} + size.width),
            SaturateToInt32(std::int64_t{rect.top} + size.height)};
}

}  // namespace velk
