// What the verbs of the command strings do to one opened device ("status" is in mci_status.cpp).
// Each takes the words after the device name; a word it does not know, or a value that is not one,
// refuses the command as the media control interface does (the reply is then empty). "wait" and
// "notify" are accepted and change nothing here: replies come at once and nobody is notified
// (MCICommand itself waits for the end of "play ... wait").
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/codepage.h"
#include "media/mci_device.h"
#include "media/mci_words.h"

namespace velk::media {
namespace {

bool Is(std::string_view word, std::string_view keyword) {
    return EqualsIgnoreCase(word, keyword);
}

bool IsIgnored(std::string_view word) {
    return Is(word, "wait") || Is(word, "notify");
}

// A signed whole number, as window coordinates are given.
std::optional<std::int32_t> Coordinate(std::string_view word) {
    const bool negative = !word.empty() && word.front() == '-';
    const auto value = MciNumber(negative ? word.substr(1) : word);
    if (!value || *value > 1'000'000) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -*value : *value);
}

bool Playing(const MciDevice& device) {
    return device.playback->State() == PlaybackState::kPlaying;
}

void Halt(MciDevice& device) {
    device.playback->Stop();
    device.stop_at_ms.reset();
    device.repeat_from_ms.reset();
}

struct PlayRange {
    std::optional<MciPosition> from, to;
    bool repeat = false;
};

std::optional<PlayRange> ReadPlayRange(const MciDevice& device, MciFlags flags) {
    PlayRange range;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const std::string& word = flags[i];
        if (Is(word, "from") || Is(word, "to")) {
            if (i + 1 >= flags.size()) return std::nullopt;
            auto position = ParseMciTime(device, flags[++i]);
            if (!position) return std::nullopt;
            (Is(word, "from") ? range.from : range.to) = position;
        } else if (Is(word, "repeat")) {
            range.repeat = true;
        } else if (!IsIgnored(word) && !Is(word, "window") && !Is(word, "fullscreen")) {
            return std::nullopt;
        }
    }
    return range;
}

}  // namespace

MciReply MciPlay(MciDevice& device, MciFlags flags) {
    const auto range = ReadPlayRange(device, flags);
    if (!range) return std::nullopt;
    Playback& playback = *device.playback;
    const std::int64_t start = range->from ? range->from->ms : playback.PositionMs();
    if (range->to && range->to->ms < start) return std::nullopt;
    if (range->from) {
        SeekMci(device, *range->from);
    } else if (playback.State() == PlaybackState::kEnded) {
        // At the end there is nothing left to play, unless playing goes round.
        if (!range->repeat) return std::string();
        playback.SeekMs(0);
    }
    device.stop_at_ms = range->to ? std::optional(range->to->ms) : std::nullopt;
    device.repeat_from_ms =
        range->repeat ? std::optional(range->from ? range->from->ms : 0) : std::nullopt;
    playback.Play();
    if (device.HasWindow()) device.shown = true;
    return std::string();
}

MciReply MciPause(MciDevice& device, MciFlags flags) {
    if (!std::all_of(flags.begin(), flags.end(), IsIgnored)) return std::nullopt;
    if (Playing(device)) device.playback->Pause();
    return std::string();
}

MciReply MciResume(MciDevice& device, MciFlags flags) {
    if (!std::all_of(flags.begin(), flags.end(), IsIgnored)) return std::nullopt;
    if (device.playback->State() == PlaybackState::kPaused) device.playback->Play();
    return std::string();
}

MciReply MciStop(MciDevice& device, MciFlags flags) {
    if (!std::all_of(flags.begin(), flags.end(), IsIgnored)) return std::nullopt;
    Halt(device);
    return std::string();
}

MciReply MciSeek(MciDevice& device, MciFlags flags) {
    std::optional<MciPosition> target;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (IsIgnored(flags[i])) continue;
        if (Is(flags[i], "to") && i + 1 < flags.size()) {
            const std::string& where = flags[++i];
            if (Is(where, "start")) {
                target = MciPosition{};
            } else if (Is(where, "end")) {
                target = MciPosition{device.playback->Info().duration_ms, std::nullopt};
            } else {
                target = ParseMciTime(device, where);
                if (!target) return std::nullopt;
            }
        } else if (Is(flags[i], "start")) {
            target = MciPosition{};
        } else if (Is(flags[i], "end")) {
            target = MciPosition{device.playback->Info().duration_ms, std::nullopt};
        } else {
            return std::nullopt;
        }
    }
    if (!target) return std::nullopt;
    // Seeking stops a device that plays.
    Halt(device);
    SeekMci(device, *target);
    return std::string();
}

MciReply MciPut(MciDevice& device, MciFlags flags) {
    if (!device.HasWindow() || flags.empty()) return std::nullopt;
    const bool window = Is(flags[0], "window");
    if (!window && !Is(flags[0], "destination") && !Is(flags[0], "source")) return std::nullopt;
    std::optional<Rect> placed;
    for (std::size_t i = 1; i < flags.size(); ++i) {
        if (IsIgnored(flags[i]) || Is(flags[i], "client")) continue;
        if (!Is(flags[i], "at") || i + 4 >= flags.size()) return std::nullopt;
        const auto x = Coordinate(flags[i + 1]), y = Coordinate(flags[i + 2]);
        const auto w = Coordinate(flags[i + 3]), h = Coordinate(flags[i + 4]);
        if (!x || !y || !w || !h) return std::nullopt;
        placed = Rect{*x, *y, *x + *w, *y + *h};
        i += 4;
    }
    // Where the picture lies inside the window is always the whole window here.
    if (!window) return std::string();
    if (!placed) return std::nullopt;
    // An empty size keeps the picture's own.
    const MediaInfo& info = device.playback->Info();
    if (placed->Width() <= 0 || placed->Height() <= 0) {
        placed->right = placed->left + info.width;
        placed->bottom = placed->top + info.height;
    }
    device.window = *placed;
    return std::string();
}

MciReply MciWindow(MciDevice& device, MciFlags flags) {
    if (!device.HasWindow()) return std::nullopt;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (IsIgnored(flags[i])) continue;
        if (i + 1 >= flags.size()) return std::nullopt;
        const std::string& value = flags[++i];
        if (Is(flags[i - 1], "state")) {
            if (Is(value, "hide") || Is(value, "minimize") || Is(value, "iconic")) {
                device.shown = false;
            } else if (Is(value, "show") || Is(value, "normal") || Is(value, "restore") ||
                       Is(value, "maximized") || Is(value, "noactivate")) {
                device.shown = true;
            } else {
                return std::nullopt;
            }
        } else if (!Is(flags[i - 1], "handle") && !Is(flags[i - 1], "text")) {
            // Another parent window or a caption change nothing in the main window.
            return std::nullopt;
        }
    }
    return std::string();
}

MciReply MciWhere(MciDevice& device, MciFlags flags) {
    if (!device.HasWindow() || flags.empty()) return std::nullopt;
    const MediaInfo& info = device.playback->Info();
    Rect rect{0, 0, info.width, info.height};
    if (Is(flags[0], "window")) {
        rect = device.window;
    } else if (Is(flags[0], "destination")) {
        rect = Rect{0, 0, device.window.Width(), device.window.Height()};
    } else if (!Is(flags[0], "source")) {
        return std::nullopt;
    }
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.Width()) + " " + std::to_string(rect.Height());
}

MciReply MciSet(MciDevice& device, MciFlags flags) {
    if (flags.size() >= 3 && Is(flags[0], "time") && Is(flags[1], "format")) {
        const std::string& format = flags[2];
        if (Is(format, "milliseconds") || Is(format, "ms")) {
            device.time_format = MciTimeFormat::kMilliseconds;
        } else if (Is(format, "frames") && device.HasWindow()) {
            device.time_format = MciTimeFormat::kFrames;
        } else if (Is(format, "hms")) {
            device.time_format = MciTimeFormat::kHms;
        } else {
            return std::nullopt;
        }
        return std::string();
    }
    if (flags.size() >= 3 && Is(flags[0], "audio") && Is(flags[1], "all")) {
        if (!Is(flags[2], "off") && !Is(flags[2], "on")) return std::nullopt;
        device.playback->SetMuted(Is(flags[2], "off"));
        return std::string();
    }
    if (flags.size() >= 2 && Is(flags[0], "speed")) {
        // 1000 is the normal speed.
        const auto speed = MciNumber(flags[1]);
        if (!speed || !device.playback->SetRate(static_cast<double>(*speed) / 1000.0)) {
            return std::nullopt;
        }
        return std::string();
    }
    return std::nullopt;
}

}  // namespace velk::media
