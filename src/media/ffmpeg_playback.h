// The media engine behind Playback: a file decoded by FFmpeg on a worker thread (FfmpegWorker),
// its pictures shown when the clock reaches them, its sound played through a stream of the
// audio mixer.
//
// The clock: while playing, the position follows the host's tick count times the rate. With
// sound going to real speakers (the desktop) the sound actually played is the master instead,
// until the sound runs out. On a virtual clock (headless) every call that shows a position
// first waits for the decoder to settle what shows there, so a run repeats to the pixel; on the
// desktop nothing waits, and a late picture simply shows late.
#pragma once

#include <cstdint>
#include <memory>

#include "host/host.h"
#include "media/audio_mixer.h"
#include "media/ffmpeg_decoder.h"
#include "media/ffmpeg_worker.h"
#include "media/playback.h"

namespace velk::media {

class FfmpegPlayback : public Playback {
  public:
    // `mixer` may be null: the sound goes nowhere. `speakers_clock`: the mixer sounds on real
    // speakers, so the sound played can be the master clock.
    FfmpegPlayback(std::unique_ptr<FfmpegDecoder> decoder, const host::Clock& clock,
                   AudioMixer* mixer, bool speakers_clock);
    ~FfmpegPlayback() override;

    const MediaInfo& Info() const override { return info_; }
    PlaybackState State() const override { return state_; }
    void Play() override;
    void Pause() override { Hold(PlaybackState::kPaused); }
    void Stop() override { Hold(PlaybackState::kStopped); }
    void SeekMs(std::int64_t position_ms) override;
    void SeekFrame(std::int64_t frame) override;
    std::int64_t PositionMs() const override;
    std::int64_t PositionFrame() const override;
    bool SetRate(double rate) override;
    double Rate() const override { return rate_; }
    void SetMuted(bool muted) override;
    bool Update() override;
    const Surface* CurrentFrame() const override;
    std::optional<std::uint32_t> NextFrameDue() const override;

  private:
    void Hold(PlaybackState held);
    std::int64_t ClockUs() const;
    // Moves the anchors of the clock to now, at `position_us`.
    void Anchor(std::int64_t position_us) const;
    void SeekUs(std::int64_t position_us);
    // Takes the picture due at the clock's position and notices the end.
    void Catch() const;
    // How long showing a position may wait for its picture: on a virtual clock until it comes,
    // on the desktop not at all, except after a seek (about a frame).
    std::chrono::steady_clock::time_point WaitDeadline() const;
    std::chrono::steady_clock::time_point SeekDeadline() const;
    bool UsesSpeakersClock() const;
    std::int64_t EndLimitUs() const;

    MediaInfo info_;
    const host::Clock& clock_;
    AudioMixer* mixer_;
    std::shared_ptr<AudioMixer::Stream> sound_;
    const bool speakers_clock_;
    const std::int64_t frame_us_;
    double rate_ = 1.0;
    std::unique_ptr<FfmpegWorker> worker_;

    // What showing a position changes. CurrentFrame and NextFrameDue show the position too,
    // so they catch up with the clock like Update does.
    mutable PlaybackState state_ = PlaybackState::kStopped;
    mutable bool end_unreported_ = false;
    mutable std::int64_t position_us_ = 0;  // while not playing; the anchor's while playing
    mutable std::uint32_t anchor_tick_ = 0;
    mutable std::uint64_t anchor_sounded_ = 0;
    mutable bool anchored_to_sound_ = false;
    mutable std::uint64_t last_sounded_ = 0;  // the sound played when last looked at
    mutable std::uint32_t last_sound_tick_ = 0;
    mutable DecodedVideo current_;
};

}  // namespace velk::media
