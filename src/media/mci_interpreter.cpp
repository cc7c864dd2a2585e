#include "media/mci_interpreter.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "base/codepage.h"
#include "media/mci_device.h"
#include "media/mci_words.h"

namespace velk::media {
namespace {

using Verb = MciReply (*)(MciDevice&, MciFlags);

struct VerbRow {
    std::string_view name;
    Verb verb;
    bool for_all;  // may be sent to the device name "all"
};

constexpr VerbRow kVerbs[] = {
    {"play", &MciPlay, false},     {"pause", &MciPause, true},  {"resume", &MciResume, true},
    {"stop", &MciStop, true},      {"seek", &MciSeek, true},    {"put", &MciPut, false},
    {"window", &MciWindow, false}, {"where", &MciWhere, false}, {"set", &MciSet, false},
    {"status", &MciStatus, false},
};

const VerbRow* FindVerb(std::string_view name) {
    for (const VerbRow& row : kVerbs) {
        if (EqualsIgnoreCase(row.name, name)) return &row;
    }
    return nullptr;
}

// The words of "open" that take a value, and those that stand alone.
bool IsValuedOpenKeyword(std::string_view word) {
    return EqualsIgnoreCase(word, "alias") || EqualsIgnoreCase(word, "type") ||
           EqualsIgnoreCase(word, "style") || EqualsIgnoreCase(word, "parent");
}

bool IsOpenKeyword(std::string_view word) {
    return IsValuedOpenKeyword(word) || EqualsIgnoreCase(word, "wait") ||
           EqualsIgnoreCase(word, "notify") || EqualsIgnoreCase(word, "shareable");
}

// Milliseconds of media from `from` to `to` at `rate`, as clock ticks (at least 1).
std::uint32_t TicksBetween(std::int64_t from, std::int64_t to, double rate) {
    const double ticks =
        std::ceil(static_cast<double>(std::max<std::int64_t>(to - from, 1)) / std::max(rate, 1e-3));
    return static_cast<std::uint32_t>(std::clamp(ticks, 1.0, 86'400'000.0));
}

}  // namespace

MciInterpreter::MciInterpreter(PlaybackOpener opener, const host::Clock& clock)
    : opener_(std::move(opener)), clock_(clock) {}

MciInterpreter::~MciInterpreter() = default;

std::string MciInterpreter::Send(std::string_view command) {
    Update();
    const std::vector<std::string> words = SplitMciWords(command);
    std::optional<std::string> reply = words.empty() ? std::nullopt : Carry(words);
    if (on_change_) on_change_();
    return reply.value_or(std::string());
}

MciDevice* MciInterpreter::Find(std::string_view name) {
    for (const auto& device : devices_) {
        if (EqualsIgnoreCase(device->name, name)) return device.get();
    }
    return nullptr;
}

std::optional<std::string> MciInterpreter::Carry(const std::vector<std::string>& words) {
    const std::string_view verb = words[0];
    if (EqualsIgnoreCase(verb, "open")) return Open(words);
    if (words.size() < 2) return std::nullopt;
    const std::string_view name = words[1];
    if (EqualsIgnoreCase(verb, "close")) return Close(name);
    const VerbRow* row = FindVerb(verb);
    if (row == nullptr) return std::nullopt;
    const MciFlags flags = std::span(words).subspan(2);
    if (EqualsIgnoreCase(name, "all") && row->for_all) {
        for (const auto& device : devices_) {
            if (!row->verb(*device, flags)) return std::nullopt;
        }
        return std::string();
    }
    MciDevice* device = Find(name);
    if (device == nullptr) return std::nullopt;
    return row->verb(*device, flags);
}

std::optional<std::string> MciInterpreter::Open(const std::vector<std::string>& words) {
    // The element runs to the first keyword: a file name with blanks, written without quotes
    // (as MCI objects write their files), still names one file.
    std::size_t i = 2;
    std::string element = words.size() > 1 ? words[1] : std::string();
    for (; i < words.size() && !IsOpenKeyword(words[i]); ++i) element += " " + words[i];
    // "avivideo!file.avi" names the device type before the file.
    std::string_view file = element;
    if (const std::size_t bang = file.find('!'); bang != std::string_view::npos) {
        file.remove_prefix(bang + 1);
    }
    std::string_view alias;
    for (; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (IsValuedOpenKeyword(word)) {
            if (i + 1 >= words.size()) return std::nullopt;
            if (EqualsIgnoreCase(word, "alias")) alias = words[i + 1];
            ++i;
        } else if (!IsOpenKeyword(word)) {
            return std::nullopt;
        }
    }
    // Child and pop-up windows alike show inside the main window: the player has no other.
    const std::string_view name = alias.empty() ? file : alias;
    if (file.empty() || EqualsIgnoreCase(name, "all") || Find(name) != nullptr) {
        return std::nullopt;
    }
    std::unique_ptr<Playback> playback = opener_(file);
    if (playback == nullptr) return std::nullopt;
    auto device = std::make_unique<MciDevice>();
    device->name = std::string(name);
    device->id = ++last_id_;
    const MediaInfo& info = playback->Info();
    device->window = Rect{0, 0, info.width, info.height};
    device->playback = std::move(playback);
    devices_.push_back(std::move(device));
    return std::to_string(last_id_);
}

std::optional<std::string> MciInterpreter::Close(std::string_view name) {
    if (EqualsIgnoreCase(name, "all")) {
        devices_.clear();
        return std::string();
    }
    const auto found = std::find_if(devices_.begin(), devices_.end(), [&](const auto& device) {
        return EqualsIgnoreCase(device->name, name);
    });
    if (found == devices_.end()) return std::nullopt;
    devices_.erase(found);
    return std::string();
}

void MciInterpreter::Update() {
    for (const auto& device : devices_) UpdateDevice(*device);
}

void MciInterpreter::UpdateDevice(MciDevice& device) {
    Playback& playback = *device.playback;
    if (playback.Update()) {
        device.stop_at_ms.reset();
        if (device.repeat_from_ms) {
            playback.SeekMs(*device.repeat_from_ms);
            playback.Play();
        }
        return;
    }
    if (!device.stop_at_ms || playback.State() != PlaybackState::kPlaying) return;
    if (playback.PositionMs() < *device.stop_at_ms) return;
    if (device.repeat_from_ms) {
        playback.SeekMs(*device.repeat_from_ms);
        return;
    }
    playback.Stop();
    playback.SeekMs(*device.stop_at_ms);
    device.stop_at_ms.reset();
}

std::optional<std::uint32_t> MciInterpreter::PlayingUntil(std::string_view name) {
    Update();
    const MciDevice* device = Find(name);
    if (device == nullptr || device->playback->State() != PlaybackState::kPlaying) {
        return std::nullopt;
    }
    const Playback& playback = *device->playback;
    const std::int64_t end = device->stop_at_ms.value_or(playback.Info().duration_ms);
    return clock_.TickCount() + TicksBetween(playback.PositionMs(), end, playback.Rate());
}

std::vector<MciWindowView> MciInterpreter::ShownWindows() const {
    std::vector<MciWindowView> views;
    for (const auto& device : devices_) {
        if (device->shown && device->HasWindow()) {
            views.push_back({device->window, device->playback->CurrentFrame()});
        }
    }
    return views;
}

std::optional<std::uint32_t> MciInterpreter::NextDue() const {
    const std::uint32_t now = clock_.TickCount();
    std::optional<std::uint32_t> due;
    // Ticks are compared by their distance from now, as the tick count wraps.
    const auto consider = [&](std::uint32_t tick) {
        if (!due || static_cast<std::int32_t>(tick - *due) < 0) due = tick;
    };
    for (const auto& device : devices_) {
        const Playback& playback = *device->playback;
        if (playback.State() != PlaybackState::kPlaying) continue;
        if (device->shown) {
            if (const auto frame = playback.NextFrameDue()) consider(*frame);
        }
        const std::int64_t position = playback.PositionMs();
        if (device->stop_at_ms) {
            consider(now + TicksBetween(position, *device->stop_at_ms, playback.Rate()));
        } else if (device->repeat_from_ms) {
            const std::int64_t end = playback.Info().duration_ms;
            consider(now + TicksBetween(position, end, playback.Rate()));
        }
    }
    return due;
}

}  // namespace velk::media
