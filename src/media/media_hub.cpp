#include "media/media_hub.h"

#include "media/ffmpeg_decoder.h"
#include "media/ffmpeg_playback.h"

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

std::unique_ptr<Playback> MediaHub::Open(std::string_view path) {
    auto file = files_.OpenForReading(path);
    if (!file) return nullptr;
    auto decoder = FfmpegDecoder::Open(std::move(file));
    if (!decoder) return nullptr;
    // Without an output the sound goes nowhere, and the ticks keep the time.
    return std::make_unique<FfmpegPlayback>(std::move(decoder), clock_, audio_ ? &mixer_ : nullptr,
                                            audio_ != nullptr);
}

}  // namespace velk::media
