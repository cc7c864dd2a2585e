// What "status" tells of a device: its mode, length and position in its time format, and the
// few facts a file played as one track has.
#include <cmath>
#include <vector>

#include "base/codepage.h"
#include "media/mci_device.h"

namespace velk::media {
namespace {

bool IsIgnored(std::string_view word) {
    return EqualsIgnoreCase(word, "wait") || EqualsIgnoreCase(word, "notify");
}

std::string StatusMode(const MciDevice& device) {
    switch (device.playback->State()) {
        case PlaybackState::kPlaying:
            return "playing";
        case PlaybackState::kPaused:
            return "paused";
        case PlaybackState::kStopped:
        case PlaybackState::kEnded:
            break;
    }
    return "stopped";
}

std::string Length(const MciDevice& device) {
    const MediaInfo& info = device.playback->Info();
    return FormatMciTime(device, info.duration_ms, info.frame_count);
}

// "track 1" after a status item: the media has that one track.
bool OnlyFirstTrack(MciFlags rest) {
    return rest.size() == 2 && rest[0] == "track" && rest[1] == "1";
}

}  // namespace

MciReply MciStatus(MciDevice& device, MciFlags flags) {
    std::vector<std::string> words;
    for (const std::string& word : flags) {
        if (!IsIgnored(word)) words.push_back(Cp1252LowerString(word));
    }
    if (words.empty()) return std::nullopt;
    const Playback& playback = *device.playback;
    const MciFlags rest = MciFlags(words).subspan(1);
    const std::string& item = words[0];
    if (item == "mode" && rest.empty()) return StatusMode(device);
    if (item == "ready" && rest.empty()) return std::string("true");
    if (item == "length" && (rest.empty() || OnlyFirstTrack(rest))) return Length(device);
    if (item == "position" && rest.empty()) {
        return FormatMciTime(device, playback.PositionMs(), playback.PositionFrame());
    }
    if (item == "position" && OnlyFirstTrack(rest)) return FormatMciTime(device, 0, 0);
    if (item == "start" && rest.size() == 1 && rest[0] == "position") {
        return FormatMciTime(device, 0, 0);
    }
    if (item == "number" && rest.size() == 2 && rest[0] == "of" && rest[1] == "tracks") {
        return std::string("1");
    }
    if (item == "current" && rest.size() == 1 && rest[0] == "track") return std::string("1");
    if (item == "media" && rest.size() == 1 && rest[0] == "present") return std::string("true");
    if (item == "time" && rest.size() == 1 && rest[0] == "format") {
        switch (device.time_format) {
            case MciTimeFormat::kFrames:
                return std::string("frames");
            case MciTimeFormat::kHms:
                return std::string("hms");
            case MciTimeFormat::kMilliseconds:
                return std::string("milliseconds");
        }
    }
    if (item == "window" && rest.size() == 1 && rest[0] == "visible" && device.HasWindow()) {
        return std::string(device.shown ? "true" : "false");
    }
    if (item == "speed" && rest.empty()) {
        return std::to_string(std::llround(playback.Rate() * 1000.0));
    }
    return std::nullopt;
}

}  // namespace velk::media
