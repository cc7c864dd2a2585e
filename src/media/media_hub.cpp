#include "media/media_hub.h"

namespace velk::media {

MediaHub::MediaHub(host::FileSystem& files, const host::Clock& clock, host::AudioOutput* audio)
    : files_(files), clock_(clock), audio_(audio) {
    if (audio_) audio_->Attach(&mixer_);
}

MediaHub::~MediaHub() {
    if (audio_) audio_->Attach(nullptr);
}

std::unique_ptr<Playback> MediaHub::Open(std::string_view /*path*/) {
    // The FFmpeg engine comes next; until then nothing opens.
    return nullptr;
}

}  // namespace velk::media
