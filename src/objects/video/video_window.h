// The run-time side of a Video object (kind 12): the window it plays its file in, held by the
// object from VideoLoad until VideoClose or the end of its page. The window is not a window of
// the system: the core draws its frames over the object's rectangle (pages/video_overlay.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/region.h"
#include "document/object.h"
#include "media/playback.h"
#include "objects/video/video_fields.h"

namespace velk {

// The numbers are the ones scripts and the window's rules know.
enum class VideoState : std::int32_t {
    kStopped = 0,
    kPaused = 1,
    kPlaying = 2,
    kEnded = 3,
    kNoVideo = 4,  // the window exists, no media is open
    kLoaded = 5,   // opened, not yet played
    kClosing = 6,
};

struct VideoWindow {
    std::string path;  // the file as loaded (path macros expanded)
    std::unique_ptr<media::Playback> playback;
    VideoState state = VideoState::kNoVideo;
    VideoEndMode end_mode = VideoEndMode::kReportEvents;
    bool muted = false;
    bool loop = false;
    bool full_screen = false;
    // Positions of VideoRewind are frames instead of milliseconds.
    bool frames_format = false;
    // The window shows (it is hidden until the video first plays, and by some end modes).
    bool shown = false;
    // Hiding the object remembered that the video was paused; showing it leaves it paused.
    bool paused_before_hidden = false;
    // The media reached its end since the last poll (the end waits for the polling timer).
    bool end_pending = false;
    // The window's outline from the object's mask, in window coordinates; none: rectangular.
    // Made when first drawn after a load or a resize (`shape_made`), by the page side, which
    // owns the region builders.
    std::optional<Region> shape;
    bool shape_made = false;

    bool HasMedia() const { return playback != nullptr; }
    // Whether the video's own picture is drawn instead of the object's still picture.
    bool ShowsFrames() const {
        return state == VideoState::kStopped || state == VideoState::kPaused ||
               state == VideoState::kPlaying || state == VideoState::kEnded;
    }
};

// The window of `video`, or null when it has none.
inline VideoWindow* VideoWindowOf(const Object& video) {
    return video.video_window.get();
}

// The window's size: the object's rectangle, or the video's own size when the rectangle is
// empty.
Size VideoWindowSize(const Object& video, const VideoWindow& window);
// The window's rectangle on the page: its size at the object's top-left corner.
Rect VideoWindowArea(const Object& video, const VideoWindow& window);

}  // namespace velk
