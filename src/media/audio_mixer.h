// The one sound stream of a player: every source that plays (a video's or a media file's sound,
// speech) pushes its frames into a stream of the mixer, and the host's audio output pulls the
// sum (host::AudioSource). Frames are interleaved 16-bit stereo at host::AudioOutput::kSampleRate.
//
// Producers push from their own threads (a decoder, the speech synthesiser); the host renders
// from its audio thread. Neither ever waits for the other: a full stream refuses frames (the
// producer tries again later), an empty one sounds silence.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "host/host.h"

namespace velk::media {

class AudioMixer : public host::AudioSource {
  public:
    class Stream;

    AudioMixer();
    ~AudioMixer() override;
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // A new stream that plays as soon as frames arrive. `capacity_frames` bounds what it holds.
    std::shared_ptr<Stream> AddStream(std::size_t capacity_frames);
    // The stream stops sounding; its queued frames are dropped.
    void RemoveStream(const std::shared_ptr<Stream>& stream);

    // A producer that is asked for its frames while the mixer renders, beside the streams that
    // are pushed: for sound whose timing must not depend on how fast a thread ran (speech,
    // which a headless run waits for). Its Render runs on the renderer's thread under the
    // mixer's lock and adds nothing when it has nothing. After RemoveSource returns it is no
    // longer called.
    void AddSource(host::AudioSource* source);
    void RemoveSource(host::AudioSource* source);

    void Render(std::span<std::int16_t> interleaved) override;

  private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

class AudioMixer::Stream {
  public:
    virtual ~Stream() = default;
    // Takes as many whole frames as fit; the number taken.
    virtual std::size_t Push(std::span<const std::int16_t> interleaved) = 0;
    // Frames waiting to be sounded.
    virtual std::size_t Queued() const = 0;
    // Drops what waits (a seek, a stop of speech).
    virtual void Clear() = 0;
    // A paused stream keeps its frames and sounds nothing.
    virtual void SetPaused(bool paused) = 0;
    // 0 silent ... 1 as pushed.
    virtual void SetVolume(float volume) = 0;
    // Frames of this stream sounded so far (rendered by the host): the stream's clock.
    virtual std::uint64_t SoundedFrames() const = 0;
};

}  // namespace velk::media
