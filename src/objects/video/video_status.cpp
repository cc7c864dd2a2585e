#include "objects/video/video_status.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// Numbers show as unsigned decimals, as the position counters were.
std::string CountText(std::int64_t value) {
    return std::to_string(std::max<std::int64_t>(value, 0));
}

void WriteText(std::string_view name, const std::string& text, VideoOwner& owner) {
    owner.Variables().SetString(name, text);
    owner.ShowInDisplay(name, text);
}

void WriteNumber(std::string_view name, std::int64_t value, const std::string& text,
                 VideoOwner& owner) {
    owner.Variables().SetNumber(name, static_cast<double>(value));
    owner.ShowInDisplay(name, text);
}

// A blank takes the place of a value: the display shows spaces, the number is 0.
void WriteBlank(std::string_view name, std::size_t width, bool number, VideoOwner& owner) {
    const std::string blanks(width, ' ');
    if (number) {
        owner.Variables().SetNumber(name, 0);
    } else {
        owner.Variables().SetString(name, blanks);
    }
    owner.ShowInDisplay(name, blanks);
}

}  // namespace

std::string VideoClockText(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    char text[48];
    if (seconds < 3600) {
        std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    }
    return text;
}

void WriteVideoLength(const VideoWindow& window, VideoOwner& owner) {
    if (window.playback == nullptr) return;
    const media::MediaInfo& info = window.playback->Info();
    const std::int64_t seconds = std::max<std::int64_t>(info.duration_ms, 0) / 1000;
    // The name, without its folder: what a display of the video shows.
    const std::size_t folder_end = window.path.find_last_of("\\/");
    WriteText("ZIZ_VName",
              folder_end == std::string::npos ? window.path : window.path.substr(folder_end + 1),
              owner);
    WriteText("ZIZ_VTotal", VideoClockText(seconds), owner);
    WriteNumber("ZIZ_VTotalSec", seconds,
                IntToText(static_cast<std::int32_t>(std::min<std::int64_t>(seconds, INT32_MAX))),
                owner);
    WriteNumber("ZIZ_VTotalFrames", info.frame_count, CountText(info.frame_count), owner);
}

void WriteVideoPositionVariables(const VideoWindow& window, VideoOwner& owner) {
    if (window.playback == nullptr) return;
    const std::int64_t seconds = std::max<std::int64_t>(window.playback->PositionMs(), 0) / 1000;
    const std::int64_t frame = window.playback->PositionFrame();
    WriteText("ZIZ_VTime", VideoClockText(seconds), owner);
    WriteNumber("ZIZ_VTimeSec", seconds, CountText(seconds), owner);
    WriteNumber("ZIZ_VFrame", frame, CountText(frame), owner);
}

void BlankVideoPosition(VideoOwner& owner) {
    WriteBlank("ZIZ_VTime", 8, false, owner);
    WriteBlank("ZIZ_VTimeSec", 5, true, owner);
    WriteBlank("ZIZ_VFrame", 5, true, owner);
}

void BlankVideoStatus(VideoOwner& owner) {
    owner.Variables().SetString("ZIZ_VName", "");
    owner.ShowInDisplay("ZIZ_VName", "");
    WriteBlank("ZIZ_VTotal", 8, false, owner);
    WriteBlank("ZIZ_VTotalSec", 5, true, owner);
    WriteBlank("ZIZ_VTotalFrames", 10, true, owner);
    BlankVideoPosition(owner);
}

void WriteVideoError(std::int32_t code, VideoOwner& owner) {
    WriteNumber("ZIZ_Error", code, IntToText(code), owner);
}

}  // namespace velk
