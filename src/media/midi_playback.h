// A MIDI file played by FluidSynth with the General MIDI sound font: the synthesiser renders on
// a worker thread into a stream of the audio mixer, ahead of the speakers by at most the
// stream's capacity. The position follows the clock's ticks times the rate, or the sound played
// on real speakers, like a video's; the length and the seeking come from the file's own tempo
// map (MidiTiming). A rate change is a tempo change, so the notes keep their pitch. Without an
// audio output nothing is synthesised and only the time runs.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "host/host.h"
#include "media/audio_mixer.h"
#include "media/midi_file.h"
#include "media/playback.h"

namespace velk::media {

class MidiPlayback : public Playback {
  public:
    // `mixer` may be null: the music goes nowhere. `speakers_clock`: the mixer sounds on real
    // speakers, so the sound played can keep the time.
    MidiPlayback(MidiTiming timing, const host::Clock& clock, AudioMixer* mixer,
                 bool speakers_clock);
    ~MidiPlayback() override;

    const MediaInfo& Info() const override { return info_; }
    PlaybackState State() const override { return state_; }
    void Play() override;
    void Pause() override { Hold(PlaybackState::kPaused); }
    void Stop() override { Hold(PlaybackState::kStopped); }
    void SeekMs(std::int64_t position_ms) override;
    void SeekFrame(std::int64_t frame) override { SeekMs(frame); }
    std::int64_t PositionMs() const override;
    std::int64_t PositionFrame() const override { return PositionMs(); }
    bool SetRate(double rate) override;
    double Rate() const override { return rate_; }
    void SetMuted(bool muted) override;
    bool Update() override;
    const Surface* CurrentFrame() const override { return nullptr; }
    std::optional<std::uint32_t> NextFrameDue() const override { return std::nullopt; }

  private:
    class Synth;

    void Hold(PlaybackState held);
    void CheckEnd();
    std::int64_t ClockMs() const;
    void Anchor(std::int64_t position_ms);

    MidiTiming timing_;
    MediaInfo info_;
    const host::Clock& clock_;
    AudioMixer* mixer_;
    std::shared_ptr<AudioMixer::Stream> sound_;
    std::unique_ptr<Synth> synth_;  // none without sound
    PlaybackState state_ = PlaybackState::kStopped;
    bool end_unreported_ = false;
    double rate_ = 1.0;
    bool anchored_to_sound_ = false;
    const bool speakers_clock_;
    std::int64_t position_ms_ = 0;  // while not playing; the anchor's while playing
    std::uint32_t anchor_tick_ = 0;
    std::uint64_t anchor_sounded_ = 0;
};

}  // namespace velk::media
