// Positions and lengths in the device's time format. Hours, minutes and seconds are written as
// the command-string interface writes every colon-separated time, two digits a field
// ("00:01:05"); given to a command they may be written with colons or packed into one number
// (hours in the low byte, then minutes, then seconds).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "media/mci_device.h"
#include "media/mci_words.h"

namespace velk::media {
namespace {

std::string FormatHms(std::int64_t ms) {
    const std::int64_t seconds = ms / 1000;
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::optional<std::int64_t> ParseHmsMs(std::string_view word) {
    if (word.find(':') == std::string_view::npos) {
        const auto packed = MciNumber(word);
        if (!packed) return std::nullopt;
        const std::int64_t hours = *packed & 0xFF;
        const std::int64_t minutes = (*packed >> 8) & 0xFF;
        const std::int64_t seconds = (*packed >> 16) & 0xFF;
        return ((hours * 60 + minutes) * 60 + seconds) * 1000;
    }
    std::int64_t total = 0;
    int fields = 0;
    while (true) {
        const std::size_t colon = word.find(':');
        const auto field = MciNumber(word.substr(0, colon));
        if (!field || *field > 0xFFFF || ++fields > 3) return std::nullopt;
        total = total * 60 + *field;
        if (colon == std::string_view::npos) break;
        word.remove_prefix(colon + 1);
    }
    return total * 1000;
}

}  // namespace

std::string FormatMciTime(const MciDevice& device, std::int64_t ms, std::int64_t frame) {
    switch (device.time_format) {
        case MciTimeFormat::kFrames:
            return std::to_string(frame);
        case MciTimeFormat::kHms:
            return FormatHms(ms);
        case MciTimeFormat::kMilliseconds:
            break;
    }
    return std::to_string(ms);
}

std::optional<MciPosition> ParseMciTime(const MciDevice& device, std::string_view word) {
    switch (device.time_format) {
        case MciTimeFormat::kFrames: {
            const auto frame = MciNumber(word);
            const double fps = device.playback->Info().frames_per_second;
            if (!frame || !(fps > 0)) return std::nullopt;
            // A file may claim any frame rate: the time stays within what a position holds.
            const double ms = std::min(static_cast<double>(*frame) * 1000.0 / fps, 0x1p53);
            return MciPosition{std::llround(ms), *frame};
        }
        case MciTimeFormat::kHms:
            if (const auto ms = ParseHmsMs(word)) return MciPosition{*ms, std::nullopt};
            return std::nullopt;
        case MciTimeFormat::kMilliseconds:
            break;
    }
    if (const auto ms = MciNumber(word)) return MciPosition{*ms, std::nullopt};
    return std::nullopt;
}

void SeekMci(MciDevice& device, const MciPosition& position) {
    if (position.frame) {
        device.playback->SeekFrame(*position.frame);
    } else {
        device.playback->SeekMs(position.ms);
    }
}

}  // namespace velk::media
