#include "media/audio_mixer.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace velk::media {
namespace {

constexpr std::size_t kChannels = host::AudioOutput::kChannels;

// One stream's frames in a ring. A mutex per stream: the producer and the renderer hold it
// only to copy frames, never while they wait for anything.
class RingStream : public AudioMixer::Stream {
  public:
    explicit RingStream(std::size_t capacity_frames)
        : ring_(std::max<std::size_t>(capacity_frames, 1) * kChannels) {}

    std::size_t Push(std::span<const std::int16_t> interleaved) override {
        std::lock_guard lock(mutex_);
        const std::size_t frames =
            std::min(interleaved.size() / kChannels, (ring_.size() - queued_) / kChannels);
        const std::size_t samples = frames * kChannels;
        std::size_t tail = (head_ + queued_) % ring_.size();
        for (std::size_t i = 0; i < samples; ++i) {
            ring_[tail] = interleaved[i];
            tail = tail + 1 == ring_.size() ? 0 : tail + 1;
        }
        queued_ += samples;
        return frames;
    }

    std::size_t Queued() const override {
        std::lock_guard lock(mutex_);
        return queued_ / kChannels;
    }

    void Clear() override {
        std::lock_guard lock(mutex_);
        head_ = 0;
        queued_ = 0;
    }

    void SetPaused(bool paused) override { paused_ = paused; }
    void SetVolume(float volume) override { volume_ = std::clamp(volume, 0.0f, 1.0f); }
    std::uint64_t SoundedFrames() const override { return sounded_; }

    // Adds this stream's next frames into `mix`. A paused stream neither sounds nor advances;
    // a starving one sounds what it has and counts only that.
    void MixInto(std::span<std::int32_t> mix) {
        if (paused_) return;
        const float volume = volume_;
        std::lock_guard lock(mutex_);
        const std::size_t samples = std::min(mix.size() - mix.size() % kChannels, queued_);
        for (std::size_t i = 0; i < samples; ++i) {
            mix[i] += static_cast<std::int32_t>(static_cast<float>(ring_[head_]) * volume);
            head_ = head_ + 1 == ring_.size() ? 0 : head_ + 1;
        }
        queued_ -= samples;
        sounded_ += samples / kChannels;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::int16_t> ring_;
    std::size_t head_ = 0;
    std::size_t queued_ = 0;  // samples
    std::atomic<bool> paused_ = false;
    std::atomic<float> volume_ = 1.0f;
    std::atomic<std::uint64_t> sounded_ = 0;
};

}  // namespace

struct AudioMixer::Streams {
    std::mutex mutex;
    std::vector<std::shared_ptr<RingStream>> list;
    std::vector<host::AudioSource*> sources;
    std::vector<std::int32_t> mix;     // the renderer's scratch, kept between calls
    std::vector<std::int16_t> pulled;  // a source's frames before they join the mix
};

AudioMixer::AudioMixer() : streams_(std::make_unique<Streams>()) {}
AudioMixer::~AudioMixer() = default;

std::shared_ptr<AudioMixer::Stream> AudioMixer::AddStream(std::size_t capacity_frames) {
    auto stream = std::make_shared<RingStream>(capacity_frames);
    std::lock_guard lock(streams_->mutex);
    streams_->list.push_back(stream);
    return stream;
}

void AudioMixer::RemoveStream(const std::shared_ptr<Stream>& stream) {
    std::lock_guard lock(streams_->mutex);
    std::erase_if(streams_->list, [&](const auto& s) { return s == stream; });
}

void AudioMixer::AddSource(host::AudioSource* source) {
    std::lock_guard lock(streams_->mutex);
    streams_->sources.push_back(source);
}

void AudioMixer::RemoveSource(host::AudioSource* source) {
    std::lock_guard lock(streams_->mutex);
    std::erase(streams_->sources, source);
}

void AudioMixer::Render(std::span<std::int16_t> interleaved) {
    std::lock_guard lock(streams_->mutex);
    auto& mix = streams_->mix;
    mix.assign(interleaved.size(), 0);
    for (const auto& stream : streams_->list) stream->MixInto(mix);
    auto& pulled = streams_->pulled;
    for (host::AudioSource* source : streams_->sources) {
        pulled.assign(interleaved.size(), 0);
        source->Render(pulled);
        for (std::size_t i = 0; i < pulled.size(); ++i) mix[i] += pulled[i];
    }
    for (std::size_t i = 0; i < interleaved.size(); ++i)
        interleaved[i] = static_cast<std::int16_t>(std::clamp(mix[i], -32768, 32767));
}

}  // namespace velk::media
