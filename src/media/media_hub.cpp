#include "media/media_hub.h"

#include <algorithm>
#include <vector>

#include "media/ffmpeg_decoder.h"
#include "media/ffmpeg_playback.h"
#include "media/midi_file.h"
#include "media/midi_playback.h"

namespace velk::media {

MediaHub::MediaHub(host::FileSystem& files, const host::Clock& clock, host::AudioOutput* audio)
    : files_(files),
      clock_(clock),
      audio_(audio),
      speech_(mixer_, clock.IsVirtual()),
      mci_([this](std::string_view path) { return Open(path); }, clock) {
    if (audio_) audio_->Attach(&mixer_);
}

MediaHub::~MediaHub() {
    if (audio_) audio_->Attach(nullptr);
}

namespace {

// MIDI files are small; one larger than this is no music.
constexpr std::uint64_t kMaxMidiBytes = 16 << 20;

// A Standard MIDI File, plain or in a RIFF RMID wrapper, by its first bytes.
bool LooksLikeMidi(host::ReadableFile& file) {
    std::uint8_t head[12] = {};
    const std::size_t n = file.ReadAt(0, head);
    return (n >= 4 && std::equal(head, head + 4, "MThd")) ||
           (n >= 12 && std::equal(head, head + 4, "RIFF") &&
            std::equal(head + 8, head + 12, "RMID"));
}

}  // namespace

std::unique_ptr<Playback> MediaHub::Open(std::string_view path) {
    auto file = files_.OpenForReading(path);
    if (!file) return nullptr;
    if (LooksLikeMidi(*file)) {
        // FFmpeg has no MIDI: the synthesiser plays it.
        if (file->Size() > kMaxMidiBytes) return nullptr;
        std::vector<std::uint8_t> bytes(file->Size());
        if (file->ReadAt(0, bytes) != bytes.size()) return nullptr;
        auto timing = MidiTiming::Read(bytes);
        if (!timing) return nullptr;
        return std::make_unique<MidiPlayback>(std::move(*timing), clock_,
                                              audio_ ? &mixer_ : nullptr, audio_ != nullptr);
    }
    auto decoder = FfmpegDecoder::Open(std::move(file));
    if (!decoder) return nullptr;
    // Without an output the sound goes nowhere, and the ticks keep the time.
    return std::make_unique<FfmpegPlayback>(std::move(decoder), clock_, audio_ ? &mixer_ : nullptr,
                                            audio_ != nullptr);
}

}  // namespace velk::media
