// The status variables of the video the presentation follows: its file name and length at each
// load, its position at each poll, blanks when it closes. Each is also shown by the object
// named like it.
#pragma once

#include <cstdint>
#include <string>

#include "objects/video/video_owner.h"
#include "objects/video/video_window.h"

namespace velk {

// A length or position in whole seconds: "mm:ss" below an hour, else "h:mm:ss".
std::string VideoClockText(std::int64_t seconds);

// "ZIZ_VName", "ZIZ_VTotal", "ZIZ_VTotalSec" and "ZIZ_VTotalFrames" of a loaded video.
void WriteVideoLength(const VideoWindow& window, VideoOwner& owner);
// "ZIZ_VTime", "ZIZ_VTimeSec" and "ZIZ_VFrame" of a video at its current position.
void WriteVideoPositionVariables(const VideoWindow& window, VideoOwner& owner);
// The position variables blanked (a video starts playing).
void BlankVideoPosition(VideoOwner& owner);
// Both groups blanked (a video closes).
void BlankVideoStatus(VideoOwner& owner);
// "ZIZ_Error": a failure of the playback engine.
void WriteVideoError(std::int32_t code, VideoOwner& owner);

}  // namespace velk
