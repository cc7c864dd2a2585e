// One opened device of the command-string interpreter and what the verbs do to it. Inside the
// media layer: the interpreter (mci_interpreter.h) is the way in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "media/playback.h"

namespace velk::media {

enum class MciTimeFormat { kMilliseconds, kFrames, kHms };

struct MciDevice {
    std::string name;  // the alias, or the element as written; matched without case
    std::uint32_t id = 0;
    std::unique_ptr<Playback> playback;
    MciTimeFormat time_format = MciTimeFormat::kMilliseconds;
    // The device window of media with a picture: where it lies in the main window's client
    // area and whether it shows. Playing shows it; "window ... state hide" hides it again.
    Rect window;
    bool shown = false;
    // "play ... to": where playing stops. "play ... repeat": where playing starts again.
    std::optional<std::int64_t> stop_at_ms;
    std::optional<std::int64_t> repeat_from_ms;

    bool HasWindow() const { return playback->Info().has_video; }
};

// A verb's reply: the text, or none when the device refused the command (the caller replies
// with an empty text then, as errors do).
using MciReply = std::optional<std::string>;
// The words after the device name.
using MciFlags = std::span<const std::string>;

MciReply MciPlay(MciDevice& device, MciFlags flags);
MciReply MciPause(MciDevice& device, MciFlags flags);
MciReply MciResume(MciDevice& device, MciFlags flags);
MciReply MciStop(MciDevice& device, MciFlags flags);
MciReply MciSeek(MciDevice& device, MciFlags flags);
MciReply MciPut(MciDevice& device, MciFlags flags);
MciReply MciWindow(MciDevice& device, MciFlags flags);
MciReply MciWhere(MciDevice& device, MciFlags flags);
MciReply MciSet(MciDevice& device, MciFlags flags);
MciReply MciStatus(MciDevice& device, MciFlags flags);

// A position as a command gave it: in milliseconds, and the frame itself in the frames format
// (seeking by frame shows exactly the frame asked for).
struct MciPosition {
    std::int64_t ms = 0;
    std::optional<std::int64_t> frame;
};

// Positions in the device's time format (mci_time.cpp): "1500", "36", "00:01:05".
std::string FormatMciTime(const MciDevice& device, std::int64_t ms, std::int64_t frame);
// A position written in the device's time format; none when the word is not one.
std::optional<MciPosition> ParseMciTime(const MciDevice& device, std::string_view word);
void SeekMci(MciDevice& device, const MciPosition& position);

}  // namespace velk::media
