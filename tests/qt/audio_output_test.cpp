// The desktop's speakers: a sound attached to the output reaches PulseAudio's null sink through
// Qt Multimedia without holding up the user-interface thread, and without a sound server the
// output says why and lets the sound go nowhere at the pace of the clock.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

#include "hosts/qt/qt_audio_output.h"

namespace velk::desktop {
namespace {

// A 440 Hz tone at half scale, counting what was asked of it.
class Tone : public host::AudioSource {
  public:
    void Render(std::span<std::int16_t> interleaved) override {
        for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
            const double t = static_cast<double>(frame_++) / host::AudioOutput::kSampleRate;
            const auto value =
                static_cast<std::int16_t>(16000 * std::sin(2 * std::numbers::pi * 440 * t));
            interleaved[i] = value;
            interleaved[i + 1] = value;
        }
        ++renders_;
    }
    std::uint64_t Frames() const { return frame_; }
    int Renders() const { return renders_; }

  private:
    std::atomic<std::uint64_t> frame_ = 0;
    std::atomic<int> renders_ = 0;
};

// A PulseAudio server of the test's own, with one null sink, on a socket in a temporary folder.
// Root needs no special care once the server is told its folders: it only warns.
class NullSinkServer {
  public:
    NullSinkServer() {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty() || !dir_.isValid()) {
            why_not_ = "pulseaudio is not installed";
            return;
        }
        socket_ = dir_.filePath(QStringLiteral("native"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir_.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.path());
        env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir_.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("PULSE_STATE_PATH"), dir_.filePath(QStringLiteral("state")));
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(
            program,
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--log-level=error"), QStringLiteral("-L"),
             QStringLiteral("module-null-sink sink_name=velk_test"), QStringLiteral("-L"),
             QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socket_});
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket_) && waited.elapsed() < 5000 &&
               server_.state() != QProcess::NotRunning) {
            QThread::msleep(20);
        }
        if (!QFile::exists(socket_)) {
            why_not_ = "the PulseAudio server did not start";
            return;
        }
        qputenv("PULSE_SERVER", ("unix:" + socket_).toUtf8());
    }
    ~NullSinkServer() {
        if (server_.state() != QProcess::NotRunning) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }

    const std::string& WhyNot() const { return why_not_; }
    QString Server() const { return QStringLiteral("unix:") + socket_; }

  private:
    QTemporaryDir dir_;
    QString socket_;
    QProcess server_;
    std::string why_not_;
};

// Lets the event loop run for `ms`, noting the longest time one round of it took.
qint64 RunEvents(int ms) {
    QElapsedTimer total;
    total.start();
    qint64 longest = 0;
    while (total.elapsed() < ms) {
        QElapsedTimer round;
        round.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        longest = std::max(longest, round.elapsed());
        QThread::msleep(5);
    }
    return longest;
}

TEST(QtAudioOutput, PlaysAToneThroughTheNullSinkWithoutBlocking) {
    NullSinkServer server;
    if (!server.WhyNot().empty()) GTEST_SKIP() << server.WhyNot();

    // What reaches the sink is recorded from its monitor.
    QProcess recorder;
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (!parec.isEmpty()) {
        recorder.start(parec, {QStringLiteral("--server=") + server.Server(),
                               QStringLiteral("--device=velk_test.monitor"),
                               QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                               QStringLiteral("--rate=44100"), QStringLiteral("--channels=2")});
        recorder.waitForStarted(5000);
    }

    QElapsedTimer made;
    made.start();
    QtAudioOutput output;
    Tone tone;
    output.Attach(&tone);
    EXPECT_LT(made.elapsed(), 1000) << "opening the device held up the user-interface thread";
    if (!output.HasDevice()) GTEST_SKIP() << "Qt Multimedia found no device on the null sink";

    // The null sink starts consuming only after its own latency (two seconds) has passed.
    QElapsedTimer playing;
    playing.start();
    const qint64 longest = RunEvents(4000);
    EXPECT_LT(longest, 200) << "a round of the event loop waited for the sound";
    output.Attach(nullptr);
    const std::uint64_t played = output.PlayedFrames();
    EXPECT_GT(tone.Renders(), 0);
    EXPECT_GT(played, 0u);
    EXPECT_LE(played, tone.Frames());
    // Some of the time that passed, never more.
    EXPECT_GT(played, host::AudioOutput::kSampleRate / 2u);
    EXPECT_LT(played, static_cast<std::uint64_t>(playing.elapsed()) *
                          host::AudioOutput::kSampleRate / 1000);

    if (parec.isEmpty()) return;
    RunEvents(300);
    recorder.terminate();
    recorder.waitForFinished(5000);
    const QByteArray sound = recorder.readAllStandardOutput();
    int peak = 0;
    for (qsizetype i = 0; i + 1 < sound.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(
            static_cast<std::uint8_t>(sound[i]) | (static_cast<std::uint8_t>(sound[i + 1]) << 8));
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(peak, 8000) << sound.size() << " bytes recorded from the null sink's monitor";
}

TEST(QtAudioOutput, WithoutASoundServerPlaysToNowhereByTheClock) {
    QTemporaryDir dir;
    qputenv("PULSE_SERVER", ("unix:" + dir.filePath(QStringLiteral("none"))).toUtf8());
    QtAudioOutput output;
    if (output.HasDevice()) GTEST_SKIP() << "a sound device was found all the same";
    Tone tone;
    output.Attach(&tone);
    QElapsedTimer clock;
    clock.start();
    RunEvents(300);
    output.Attach(nullptr);
    const std::uint64_t played = output.PlayedFrames();
    const std::uint64_t by_clock =
        static_cast<std::uint64_t>(clock.elapsed()) * host::AudioOutput::kSampleRate / 1000;
    EXPECT_GE(played, by_clock);
    EXPECT_LT(played, by_clock + host::AudioOutput::kSampleRate / 5u);
    // The sound was still rendered, so whatever plays keeps its pace.
    EXPECT_GT(tone.Frames(), by_clock / 2);
}

}  // namespace
}  // namespace velk::desktop
