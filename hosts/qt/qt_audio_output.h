// The desktop's speakers: Qt Multimedia's QAudioSink plays the core's mixed sound (44 100 Hz,
// stereo, 16-bit). Every 10 ms the output renders as many frames as the sink has room for and
// hands them over; the sink never waits for us and we never wait for it. (The sink's own pull
// mode stops after its first buffer on PulseAudio with this Qt, so the output feeds it.) Without a
// sound device the reason is told once on stderr and the sound goes nowhere: the source is still
// rendered as time passes, so everything that plays keeps its pace, and the audio clock follows
// the real clock.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "host/host.h"

class QAudioSink;
class QIODevice;

namespace velk::desktop {

// The attached source, behind a lock so that attaching never meets a render half done.
class AudioPull {
  public:
    void Attach(host::AudioSource* source);
    // Fills `frames` with the next sound; silence without a source.
    void Render(std::span<std::int16_t> interleaved);

  private:
    std::mutex mutex_;
    host::AudioSource* source_ = nullptr;
};

class QtAudioOutput : public host::AudioOutput {
  public:
    QtAudioOutput();
    ~QtAudioOutput() override;
    QtAudioOutput(const QtAudioOutput&) = delete;
    QtAudioOutput& operator=(const QtAudioOutput&) = delete;

    void Attach(host::AudioSource* source) override;
    // What the device has sounded: the frames handed over less what its buffer still holds;
    // without a device, the frames of the time since the output was made.
    std::uint64_t PlayedFrames() const override;

    // Whether a device plays the sound.
    bool HasDevice() const { return sink_ != nullptr; }

  private:
    void Feed();
    void PlayToNowhere(const char* why);
    void RenderToNowhere();

    AudioPull pull_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* device_ = nullptr;  // the sink's, while it plays
    QTimer feed_;
    std::uint64_t written_ = 0;              // frames handed to the sink
    std::atomic<std::uint64_t> played_ = 0;  // read from any thread
    QElapsedTimer since_;
    QTimer nowhere_;
    std::uint64_t nowhere_rendered_ = 0;
    std::vector<std::int16_t> scratch_;
};

}  // namespace velk::desktop
