// What the player needs to know of a Standard MIDI File before a synthesiser plays it: that it
// is one (plain, or wrapped in a RIFF "RMID" file), how long it lasts, and how its ticks map to
// milliseconds under its tempo changes (for seeking and the position). The file is untrusted:
// every read is bounds-checked, and a damaged file is refused whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk::media {

class MidiTiming {
  public:
    // None when the bytes are no MIDI file or are damaged.
    static std::optional<MidiTiming> Read(std::span<const std::uint8_t> file);

    std::int64_t DurationMs() const { return MsAt(end_tick_); }
    std::int64_t EndTick() const { return end_tick_; }
    std::int64_t MsAt(std::int64_t tick) const;
    // The first tick at or after `ms` (the end's tick past the end).
    std::int64_t TickAt(std::int64_t ms) const;
    // The SMF bytes themselves (inside an RMID wrapper: the wrapped file).
    std::span<const std::uint8_t> Smf() const { return smf_; }

  private:
    struct Tempo {
        std::int64_t tick = 0;
        std::int64_t us_per_quarter = 0;
    };
    std::int64_t UsAt(std::int64_t tick) const;

    std::vector<std::uint8_t> smf_;
    std::int64_t division_ = 96;  // ticks per quarter note, or ticks per second (SMPTE)
    bool smpte_ = false;
    std::vector<Tempo> tempi_;  // by tick
    std::int64_t end_tick_ = 0;
};

}  // namespace velk::media
