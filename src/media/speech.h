// The presentation's voice: texts queued for speaking, synthesised by espeak-ng on a thread of
// the speech's own, so that Say never waits, and sounded through the player's mixer.
//
// The mixer asks the speech for its frames (AudioMixer::AddSource) rather than being handed
// them, so that what sounds when is decided by the output alone. On a virtual clock (headless)
// the speech makes the output wait until the synthesiser has made the frames due, so the same
// texts give the same frames at the same virtual times; on the desktop it never waits and a
// synthesiser that falls behind sounds silence meanwhile.
//
// The numbers the presentation uses are mapped onto espeak-ng's: speed is words per minute,
// as the synthesiser has it, but no slower than its slowest (80); pitch 47 ... 200 spreads
// linearly over espeak-ng's 0 ... 100 (123.5 is its usual 50). The ranges the commands accept
// are the commands' business.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "host/host.h"
#include "media/audio_mixer.h"
#include "media/speech_engine.h"

namespace velk::media {

class Speech : public host::AudioSource {
  public:
    // `virtual_clock`: the output waits for what is due (Clock::IsVirtual).
    Speech(AudioMixer& mixer, bool virtual_clock);
    ~Speech() override;
    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

    // Starts the synthesiser, on the first call only; false when there is none (espeak-ng or
    // its voice missing). Until it started, nothing is spoken.
    bool Start();
    bool StartTried() const { return tried_; }
    bool Started() const { return started_; }

    // Queues a text (code-page bytes) after those still to be spoken; returns at once.
    void Say(std::string_view text);
    // Drops the texts still to be spoken and the sound not yet sounded.
    void Stop();
    // A paused speech keeps its place and sounds nothing; no further text is begun meanwhile.
    void Pause();
    void Resume();
    // The presentation's numbers: pitch 47 ... 200, speed in words per minute. They apply to
    // the texts said afterwards.
    void SetPitch(std::int32_t pitch);
    void SetSpeed(std::int32_t words_per_minute);

    // Something is still to be spoken or sounded.
    bool Speaking() const;

    // The mixer's pull: the next frames of speech, silence where there are none.
    void Render(std::span<std::int16_t> interleaved) override;

  private:
    struct Text {
        std::string utf8;
        speech_engine::Voice voice;
        std::uint64_t generation = 0;
    };
    class Sink;

    void Work(std::stop_token stop);
    bool Idle() const;  // under mutex_

    AudioMixer& mixer_;
    const bool virtual_clock_;
    bool tried_ = false;
    bool started_ = false;
    speech_engine::Voice voice_;  // for the next texts; the player's thread only

    mutable std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<Text> texts_;
    std::deque<std::int16_t> sound_;  // interleaved stereo at the output's rate
    std::uint64_t generation_ = 0;    // a stop makes every earlier text stale
    bool synthesising_ = false;
    bool paused_ = false;
    std::jthread worker_;  // last: stopped and joined before the rest goes
};

}  // namespace velk::media
