#include "media/midi_file.h"

#include <algorithm>
#include <cstring>

namespace velk::media {
namespace {

constexpr std::int64_t kDefaultTempo = 500000;  // microseconds per quarter: 120 beats a minute
// Ticks beyond this (about 2^40) are a hostile file's, not music.
constexpr std::int64_t kMaxTick = std::int64_t{1} << 40;

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Has(std::size_t n) const { return bytes_.size() - at_ >= n; }
    bool AtEnd() const { return at_ >= bytes_.size(); }
    std::uint32_t Be(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | bytes_[at_++];
        return v;
    }
    std::uint32_t Le32() {
        const std::uint32_t v = bytes_[at_] | bytes_[at_ + 1] << 8 | bytes_[at_ + 2] << 16 |
                                std::uint32_t(bytes_[at_ + 3]) << 24;
        at_ += 4;
        return v;
    }
    std::uint8_t Byte() { return bytes_[at_++]; }
    bool Tag(const char* tag) {
        if (!Has(4) || std::memcmp(bytes_.data() + at_, tag, 4) != 0) return false;
        at_ += 4;
        return true;
    }
    // A variable-length quantity: at most four bytes.
    std::optional<std::uint32_t> Vlq() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            if (!Has(1)) return std::nullopt;
            const std::uint8_t b = Byte();
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return v;
        }
        return std::nullopt;
    }
    std::span<const std::uint8_t> Take(std::size_t n) {
        auto part = bytes_.subspan(at_, n);
        at_ += n;
        return part;
    }
    void Skip(std::size_t n) { at_ += n; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// The SMF inside a RIFF RMID file's "data" chunk; the bytes themselves otherwise.
std::optional<std::span<const std::uint8_t>> Unwrap(std::span<const std::uint8_t> file) {
    Reader r(file);
    if (!r.Tag("RIFF")) return file;
    if (!r.Has(4)) return std::nullopt;
    r.Skip(4);
    if (!r.Tag("RMID")) return std::nullopt;
    while (r.Has(8)) {
        const bool data = r.Tag("data");
        if (!data) r.Skip(4);
        const std::uint32_t size = r.Le32();
        if (!r.Has(size)) return std::nullopt;
        if (data) return r.Take(size);
        r.Skip(size + (size & 1));
        if (r.AtEnd()) break;
    }
    return std::nullopt;
}

// Walks one track's events: the tick of its end (none when damaged); its tempo changes go to
// `on_tempo`.
template <typename OnTempo>
std::optional<std::int64_t> ReadTrack(std::span<const std::uint8_t> track, OnTempo on_tempo) {
    Reader r(track);
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    while (!r.AtEnd()) {
        const auto delta = r.Vlq();
        if (!delta || !r.Has(1)) return std::nullopt;
        tick += *delta;
        if (tick > kMaxTick) return std::nullopt;
        const std::uint8_t first = r.Byte();
        if (first == 0xFF) {
            if (!r.Has(1)) return std::nullopt;
            const std::uint8_t type = r.Byte();
            const auto length = r.Vlq();
            if (!length || !r.Has(*length)) return std::nullopt;
            const auto data = r.Take(*length);
            if (type == 0x51 && data.size() == 3) {
                const std::int64_t tempo = data[0] << 16 | data[1] << 8 | data[2];
                on_tempo(tick, tempo > 0 ? tempo : kDefaultTempo);
            }
            if (type == 0x2F) break;  // the end of the track
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            const auto length = r.Vlq();
            if (!length || !r.Has(*length)) return std::nullopt;
            r.Skip(*length);
            continue;
        }
        // A channel message, its status given or running on from the last one.
        const bool given = first >= 0x80;
        if (given) running = first;
        if (!running || running >= 0xF0) return std::nullopt;
        const int data_bytes = (running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 1 : 2;
        const int more = given ? data_bytes : data_bytes - 1;
        if (!r.Has(std::size_t(more))) return std::nullopt;
        r.Skip(std::size_t(more));
    }
    return tick;
}

}  // namespace

std::optional<MidiTiming> MidiTiming::Read(std::span<const std::uint8_t> file) {
    const auto smf = Unwrap(file);
    if (!smf) return std::nullopt;
    Reader r(*smf);
    if (!r.Tag("MThd") || !r.Has(4)) return std::nullopt;
    const std::uint32_t header = r.Be(4);
    if (header < 6 || !r.Has(header)) return std::nullopt;
    r.Be(2);  // the format: every track is read alike
    const std::uint32_t tracks = r.Be(2);
    const std::uint32_t division = r.Be(2);
    r.Skip(header - 6);
    MidiTiming timing;
    if (division & 0x8000) {
        // SMPTE: frames a second times ticks a frame.
        const int fps = -static_cast<std::int8_t>(division >> 8);
        timing.smpte_ = true;
        timing.division_ = std::int64_t(fps) * (division & 0xFF);
    } else {
        timing.division_ = division;
    }
    if (timing.division_ <= 0 || tracks == 0) return std::nullopt;
    std::uint32_t read = 0;
    while (read < tracks && r.Has(8)) {
        const bool track = r.Tag("MTrk");
        if (!track) r.Skip(4);
        const std::uint32_t size = r.Be(4);
        if (!r.Has(size)) return std::nullopt;
        const auto bytes = r.Take(size);
        if (!track) continue;  // chunks of unknown kinds are passed over
        const auto end = ReadTrack(bytes, [&](std::int64_t tick, std::int64_t tempo) {
            timing.tempi_.push_back({tick, tempo});
        });
        if (!end) return std::nullopt;
        timing.end_tick_ = std::max(timing.end_tick_, *end);
        ++read;
    }
    if (read == 0) return std::nullopt;
    std::stable_sort(timing.tempi_.begin(), timing.tempi_.end(),
                     [](const Tempo& a, const Tempo& b) { return a.tick < b.tick; });
    if (timing.tempi_.empty() || timing.tempi_.front().tick > 0)
        timing.tempi_.insert(timing.tempi_.begin(), Tempo{0, kDefaultTempo});
    timing.smf_.assign(smf->begin(), smf->end());
    return timing;
}

std::int64_t MidiTiming::UsAt(std::int64_t tick) const {
    if (smpte_) return tick * 1000000 / division_;
    // Through the tempo changes before `tick`, each lasting until the next.
    double us = 0;
    for (std::size_t i = 0; i < tempi_.size() && tempi_[i].tick < tick; ++i) {
        const std::int64_t until =
            i + 1 < tempi_.size() ? std::min(tempi_[i + 1].tick, tick) : tick;
        us += double(until - tempi_[i].tick) * double(tempi_[i].us_per_quarter) / double(division_);
    }
    return static_cast<std::int64_t>(us);
}

std::int64_t MidiTiming::MsAt(std::int64_t tick) const {
    return UsAt(std::clamp<std::int64_t>(tick, 0, end_tick_)) / 1000;
}

std::int64_t MidiTiming::TickAt(std::int64_t ms) const {
    if (ms <= 0) return 0;
    // The first tick whose time is at or after `ms`: times grow with ticks.
    std::int64_t low = 0, high = end_tick_;
    if (MsAt(high) < ms) return end_tick_;
    while (low < high) {
        const std::int64_t mid = low + (high - low) / 2;
        if (UsAt(mid) >= ms * 1000) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

}  // namespace velk::media
