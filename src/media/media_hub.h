// Everything of a player that sounds or moves by itself: the audio mixer, attached to the
// host's output for the player's life, and the opening of media files. The presentation owns
// one; Video objects, MCI objects and speech reach it through their owners.
#pragma once

#include <memory>
#include <string_view>

#include "host/host.h"
#include "media/audio_mixer.h"
#include "media/mci_interpreter.h"
#include "media/playback.h"
#include "media/speech.h"

namespace velk::media {

class MediaHub {
  public:
    // `audio` may be none: sound then plays to nowhere, and media keep their time by the clock.
    MediaHub(host::FileSystem& files, const host::Clock& clock, host::AudioOutput* audio);
    ~MediaHub();
    MediaHub(const MediaHub&) = delete;
    MediaHub& operator=(const MediaHub&) = delete;

    AudioMixer& Mixer() { return mixer_; }
    const host::Clock& Clock() const { return clock_; }
    host::AudioOutput* Audio() const { return audio_; }
    // The player's voice (InitTTS, Say ...); one per player.
    media::Speech& Speech() { return speech_; }

    // Opens a media file (Windows-form path) for playing, stopped at its start; none when the
    // file is missing or nothing in it can be played.
    std::unique_ptr<Playback> Open(std::string_view path);

    // The media control command strings of MCI objects and MCICommand, over Open.
    MciInterpreter& Mci() { return mci_; }

  private:
    host::FileSystem& files_;
    const host::Clock& clock_;
    host::AudioOutput* audio_;
    AudioMixer mixer_;
    media::Speech speech_;  // after the mixer it sounds through
    // After the mixer: its devices' sound goes first.
    MciInterpreter mci_;
};

}  // namespace velk::media
