// The operations of a Video object (kind 12), as its commands, the press modes and the main
// window's polling timer ask for them. Each works on the object's window (video_window.h),
// reports the events the object's end mode asks for, and writes the status variables
// ("ZIZ_VName" ...). A video without a window or without media does nothing, except loading
// and playing, which open it.
#pragma once

#include <string_view>

#include "document/object.h"
#include "objects/video/video_owner.h"

namespace velk {

// The filter of the "Open Video" dialog that VideoLoad shows when no file is given.
inline constexpr std::string_view kOpenVideoFilter =
    "Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.asf; *.wmv)|*.avi; *.qt; *.mov; "
    "*.mpg; *.mpeg; *.m1v; *.asf; *.wmv|AVI Files (*.avi)|*.avi|Windows Media (*.asf; "
    "*.wmv)|*.asf; *.wmv|MPEG Files (*.mpg; *.mpeg; *.m1v)| *.mpg; *.mpeg; *.m1v|QuickTime Files "
    "(*.qt; *.mov)|*.qt; *.mov|All Files (*.*)|*.*||";

// The failure the playback engine gives for an argument it refuses (a rate), as "ZIZ_Error"
// stores it.
inline constexpr std::int32_t kVideoInvalidArgument = -2147024809;

// VideoLoad: `file` (resolved, path macros not yet expanded), or the user's choice when empty.
// False when the file is missing, the dialog was cancelled or nothing in the file plays.
bool LoadVideo(Object& video, std::string_view file, VideoOwner& owner);
// VideoPlay: opens the object's own file when nothing is loaded, rewinds an ended video, and
// plays from the loaded, stopped or paused state.
void PlayVideo(Object& video, VideoOwner& owner);
// VideoPause: pauses, or plays again when paused.
void PauseVideo(Object& video, VideoOwner& owner);
// VideoStop: stopped and rewound.
void StopVideo(Object& video, VideoOwner& owner);
// VideoClose, and page stop: the media and the window go.
void CloseVideo(Object& video, VideoOwner& owner);
// VideoRewind: "position" or "amount,RELATIVE", in milliseconds or frames.
void RewindVideo(Object& video, std::string_view argument, VideoOwner& owner);
// VideoSpeed: "rate" or "amount,RELATIVE", in thousandths of the normal rate.
void SetVideoSpeed(Object& video, std::string_view argument, VideoOwner& owner);
// VideoScale: "width,height".
void ScaleVideo(Object& video, std::string_view argument, VideoOwner& owner);
// VideoParam: "fullscreen", "loop" and "mute" switch their setting; "time" and "frame" choose
// the unit of VideoRewind.
void SetVideoParam(Object& video, std::string_view argument, VideoOwner& owner);
// Press modes 4 and 5: one frame forward (+1) or back (-1), the video held there.
void StepVideoFrame(Object& video, int direction, VideoOwner& owner);
// Press modes 6 and 7: the rate doubled or halved.
void ScaleVideoRate(Object& video, double factor, VideoOwner& owner);

// One firing of the polling timer for a video that plays: the end it reached is handled by
// the object's end mode.
void PollVideo(Object& video, VideoOwner& owner);
// The position variables of `window` ("ZIZ_VTime", "ZIZ_VTimeSec", "ZIZ_VFrame").
void WriteVideoPosition(const VideoWindow& window, VideoOwner& owner);
// Brings a playing video's picture up to the clock; an end it meets waits for the poll.
void AdvanceVideo(VideoWindow& window);
// The object was shown or hidden: a hidden video holds, a shown one plays on unless it had
// been paused before.
void VideoVisibilityChanged(Object& video, bool hide, VideoOwner& owner);

}  // namespace velk
