// The decoding thread of one playback: it runs the decoder ahead of the player, keeps a few
// pictures in a small queue for the player to take when they are due, and pushes the sound
// into the playback's mixer stream. Everything between the two threads is bounded: the picture
// queue holds a few frames, the sound stream its capacity; a full queue makes the decoder wait.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "media/audio_mixer.h"
#include "media/ffmpeg_decoder.h"
#include "media/time_stretch.h"

namespace velk::media {

class FfmpegWorker {
  public:
    static constexpr std::size_t kMaxQueuedPictures = 8;

    // `sound` may be null: the sound is decoded and dropped. With `wait_for_sound` the decoder
    // waits while the sound stream is full (the desktop: the speakers set the pace); without,
    // sound that does not fit is dropped, so the decoder never waits for a reader that only
    // reads when the player's thread moves the clock (headless).
    FfmpegWorker(std::unique_ptr<FfmpegDecoder> decoder, std::shared_ptr<AudioMixer::Stream> sound,
                 bool wait_for_sound);
    ~FfmpegWorker();
    FfmpegWorker(const FfmpegWorker&) = delete;
    FfmpegWorker& operator=(const FfmpegWorker&) = delete;

    // The decoder restarts at `position_us`; what was queued is dropped.
    void Seek(std::int64_t position_us);
    // The sound decoded from now on plays at `rate`, at its own pitch.
    void SetSoundRate(double rate) { sound_rate_ = rate; }

    // Makes the newest queued picture that starts at or before `position_us` the `current`
    // one (the old one is kept for reuse); true when `current` changed. Until `deadline` it
    // first waits for the decoder to settle what shows at that time: a picture after it is
    // queued (without video: sound after it was decoded), or the decoder ended.
    bool Advance(std::int64_t position_us, std::chrono::steady_clock::time_point deadline,
                 DecodedVideo& current);

    // The start of the first queued picture.
    std::optional<std::int64_t> NextPictureUs() const;
    // The decoder ended and every picture was taken: nothing more will show.
    bool Drained() const;
    // The end of what was decoded since the last seek: the last picture's end or the sound's.
    std::int64_t DecodedEndUs() const;

  private:
    void Run(std::stop_token stop);
    void PushPicture(DecodedVideo& picture, std::uint64_t generation);
    void PushSound(const DecodedAudio& sound, std::uint64_t generation);
    void PushToStream(std::span<const std::int16_t> samples, std::uint64_t generation);
    bool Settled(std::int64_t position_us) const;  // under the lock
    bool SeekPending() const { return seek_generation_ != handled_generation_; }

    std::unique_ptr<FfmpegDecoder> decoder_;
    std::shared_ptr<AudioMixer::Stream> sound_;
    const bool wait_for_sound_;
    const bool has_video_;
    const std::int64_t frame_us_;
    std::atomic<double> sound_rate_ = 1.0;
    TimeStretch stretch_;  // the worker's own
    std::vector<std::int16_t> stretched_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<DecodedVideo> pictures_;
    std::vector<Surface> spare_;  // pictures the player is done with, for reuse
    bool ended_ = false;
    bool stopping_ = false;
    std::int64_t decoded_end_us_ = 0;
    std::int64_t seek_target_us_ = 0;
    std::uint64_t seek_generation_ = 0;
    std::uint64_t handled_generation_ = 0;

    std::jthread thread_;  // last: it starts once everything above is ready
};

}  // namespace velk::media
