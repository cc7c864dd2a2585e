#include "hosts/qt/qt_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace velk::desktop {
namespace {

constexpr qint64 kFrameBytes = host::AudioOutput::kChannels * sizeof(std::int16_t);
// The sink is fed every this many milliseconds and holds this much ahead of the speakers.
constexpr int kFeedTickMs = 10;
constexpr int kBufferMs = 100;
// Without a device the source is rendered every this many milliseconds.
constexpr int kNowhereTickMs = 20;

std::uint64_t FramesOfMs(std::int64_t ms) {
    return static_cast<std::uint64_t>(ms) * host::AudioOutput::kSampleRate / 1000;
}

}  // namespace

void AudioPull::Attach(host::AudioSource* source) {
    std::lock_guard lock(mutex_);
    source_ = source;
}

void AudioPull::Render(std::span<std::int16_t> interleaved) {
    std::lock_guard lock(mutex_);
    if (source_ != nullptr) {
        source_->Render(interleaved);
    } else {
        std::fill(interleaved.begin(), interleaved.end(), std::int16_t{0});
    }
}

QtAudioOutput::QtAudioOutput() {
    since_.start();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) {
        PlayToNowhere("there is no sound device");
        return;
    }
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(kChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) {
        PlayToNowhere("the sound device does not take 16-bit stereo at 44100 Hz");
        return;
    }
    sink_ = std::make_unique<QAudioSink>(output, format);
    sink_->setBufferSize(static_cast<qsizetype>(kFrameBytes * kSampleRate * kBufferMs / 1000));
    device_ = sink_->start();
    if (device_ == nullptr || sink_->error() != QAudio::NoError) {
        sink_.reset();
        device_ = nullptr;
        PlayToNowhere("the sound device did not start");
        return;
    }
    QObject::connect(&feed_, &QTimer::timeout, [this] { Feed(); });
    feed_.start(kFeedTickMs);
    Feed();
}

void QtAudioOutput::Feed() {
    const qint64 room = sink_->bytesFree() / kFrameBytes;
    if (room > 0) {
        scratch_.resize(static_cast<std::size_t>(room) * kChannels);
        pull_.Render(scratch_);
        const qint64 bytes = room * kFrameBytes;
        const qint64 taken = device_->write(reinterpret_cast<const char*>(scratch_.data()), bytes);
        // A device that took less keeps the rest from nobody: the frames were rendered.
        written_ += static_cast<std::uint64_t>(std::max<qint64>(taken, 0) / kFrameBytes);
    }
    const qint64 held = (sink_->bufferSize() - sink_->bytesFree()) / kFrameBytes;
    const std::uint64_t played = written_ > static_cast<std::uint64_t>(held)
                                     ? written_ - static_cast<std::uint64_t>(held)
                                     : 0;
    played_ = std::max<std::uint64_t>(played_, played);
}

QtAudioOutput::~QtAudioOutput() {
    if (sink_) sink_->stop();
}

void QtAudioOutput::PlayToNowhere(const char* why) {
    std::fprintf(stderr, "velkplayer: %s; the sound plays to nowhere\n", why);
    QObject::connect(&nowhere_, &QTimer::timeout, [this] { RenderToNowhere(); });
    nowhere_.start(kNowhereTickMs);
}

void QtAudioOutput::RenderToNowhere() {
    const std::uint64_t due = FramesOfMs(since_.elapsed());
    if (due <= nowhere_rendered_) return;
    scratch_.resize(static_cast<std::size_t>(due - nowhere_rendered_) * kChannels);
    pull_.Render(scratch_);
    nowhere_rendered_ = due;
}

void QtAudioOutput::Attach(host::AudioSource* source) {
    pull_.Attach(source);
}

std::uint64_t QtAudioOutput::PlayedFrames() const {
    if (!sink_) return FramesOfMs(since_.elapsed());
    return played_;
}

}  // namespace velk::desktop
