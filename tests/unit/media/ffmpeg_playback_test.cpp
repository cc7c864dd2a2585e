#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <thread>

#include "media_test_util.h"

namespace velk::media {
namespace {

using test::MakeTestVideo;
using test::TestContainer;
using test::TestFrameIndex;
using test::TestMedia;
using test::TestVideoCodec;

struct OpenCase {
    const char* name;
    TestMedia media;
    bool has_video;
    bool has_audio;
};

TEST(FfmpegPlayback, OpensEachContainerWithItsFacts) {
    const OpenCase cases[] = {
        {"avi mpeg4 + pcm", {.width = 64, .height = 48, .fps = 10, .frames = 20}, true, true},
        {"avi mjpeg, silent",
         {.width = 32,
          .height = 16,
          .fps = 25,
          .frames = 50,
          .with_audio = false,
          .codec = TestVideoCodec::kMjpeg},
         true,
         false},
        {"mp4 mpeg4 + aac",
         {.width = 80, .height = 60, .fps = 20, .frames = 30, .container = TestContainer::kMp4},
         true,
         true},
        {"wav", {.fps = 10, .frames = 15, .container = TestContainer::kWav}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessMedia media;
        auto playback = media.Open(MakeTestVideo(c.media));
        ASSERT_NE(playback, nullptr);
        const MediaInfo& info = playback->Info();
        EXPECT_EQ(info.has_video, c.has_video);
        EXPECT_EQ(info.has_audio, c.has_audio);
        const std::int64_t length_ms = std::int64_t(c.media.frames) * 1000 / c.media.fps;
        // Sound encoders may add a few milliseconds of their own at either end.
        EXPECT_NEAR(double(info.duration_ms), double(length_ms), 60.0);
        EXPECT_EQ(playback->State(), PlaybackState::kStopped);
        if (c.has_video) {
            EXPECT_EQ(info.width, c.media.width);
            EXPECT_EQ(info.height, c.media.height);
            EXPECT_DOUBLE_EQ(info.frames_per_second, c.media.fps);
            EXPECT_EQ(info.frame_count, c.media.frames);
            // Stopped at the start, the first frame showing at its native size.
            const Surface* frame = playback->CurrentFrame();
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->Width(), c.media.width);
            EXPECT_EQ(TestFrameIndex(frame), 0);
            // The pixel format keeps its fourth byte 0.
            EXPECT_EQ(frame->At(0, 0) >> 24, 0u);
        } else {
            EXPECT_EQ(playback->CurrentFrame(), nullptr);
            EXPECT_EQ(info.frames_per_second, 0);
        }
    }
}

TEST(FfmpegPlayback, ShowsTheFrameDueAtEachVirtualTime) {
    for (auto container : {TestContainer::kAvi, TestContainer::kMp4}) {
        SCOPED_TRACE(container == TestContainer::kAvi ? "avi" : "mp4");
        HeadlessMedia media;
        auto playback =
            media.Open(MakeTestVideo({.fps = 10, .frames = 20, .container = container}));
        ASSERT_NE(playback, nullptr);
        playback->Play();
        // {elapsed ms since Play, frame showing}: frame n shows from n x 100 ms on.
        const std::pair<std::uint32_t, int> steps[] = {{0, 0},   {99, 0},  {100, 1},   {150, 1},
                                                       {730, 7}, {999, 9}, {1000, 10}, {1950, 19}};
        std::uint32_t elapsed = 0;
        for (const auto& [at, frame] : steps) {
            media.clock.Advance(at - elapsed);
            elapsed = at;
            EXPECT_FALSE(playback->Update()) << at;
            EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), frame) << at;
            EXPECT_EQ(playback->PositionMs(), at);
            EXPECT_EQ(playback->PositionFrame(), frame) << at;
        }
    }
}

TEST(FfmpegPlayback, NextFrameDueIsTheTickAtWhichTheNextFrameShows) {
    HeadlessMedia media;
    auto playback = media.Open(MakeTestVideo({.fps = 25, .frames = 10}));
    ASSERT_NE(playback, nullptr);
    EXPECT_EQ(playback->NextFrameDue(), std::nullopt);  // not playing
    const std::uint32_t start = media.clock.TickCount();
    playback->Play();
    for (int frame = 1; frame < 10; ++frame) {
        const auto due = playback->NextFrameDue();
        ASSERT_TRUE(due.has_value());
        EXPECT_EQ(*due - start, std::uint32_t(frame * 40));
        media.clock.Advance(*due - media.clock.TickCount());
        playback->Update();
        EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), frame);
    }
    // After the last frame the end is what is due.
    EXPECT_EQ(*playback->NextFrameDue() - start, 400u);
}

TEST(FfmpegPlayback, SeeksToTheFrameShowingAtTheTarget) {
    // Keyframes every 10 frames: most targets lie between keyframes.
    HeadlessMedia media;
    auto playback = media.Open(MakeTestVideo({.fps = 30, .frames = 45, .keyframe_interval = 10}));
    ASSERT_NE(playback, nullptr);
    struct SeekCase {
        bool by_frame;
        std::int64_t target;
        int frame;
        std::int64_t position_ms;
    };
    const SeekCase cases[] =
        {
            {false, 500, 15, 500}, {false, 0, 0, 0},     {true, 1, 1, 33},
            {true, 13, 13, 433},   {true, 44, 44, 1466}, {false, 34, 1, 34},
            {true, 100, 44, 1500},  // past the end: the end, the last frame showing
            {false, -40, 0, 0},    {true, 29, 29, 966},  {false, 1499, 44, 1499},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.by_frame ? "frame " : "ms ") << c.target);
        if (c.by_frame) {
            playback->SeekFrame(c.target);
        } else {
            playback->SeekMs(c.target);
        }
        EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), c.frame);
        EXPECT_EQ(playback->PositionMs(), c.position_ms);
    }
    // Playing on from a seek: the frames follow from there.
    playback->SeekFrame(20);
    playback->Play();
    media.clock.Advance(100);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 23);
}

TEST(FfmpegPlayback, ReportsTheEndOnceAndPlaysAgainFromTheStart) {
    HeadlessMedia media;
    auto playback = media.Open(MakeTestVideo({.fps = 10, .frames = 5, .with_audio = false}));
    ASSERT_NE(playback, nullptr);
    playback->Play();
    media.clock.Advance(499);
    EXPECT_FALSE(playback->Update());
    EXPECT_EQ(playback->State(), PlaybackState::kPlaying);
    media.clock.Advance(1);
    EXPECT_TRUE(playback->Update());
    EXPECT_EQ(playback->State(), PlaybackState::kEnded);
    EXPECT_EQ(playback->PositionMs(), 500);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 4);  // the last frame stays
    media.clock.Advance(1000);
    EXPECT_FALSE(playback->Update());
    EXPECT_EQ(playback->PositionMs(), 500);

    playback->Play();
    EXPECT_EQ(playback->State(), PlaybackState::kPlaying);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 0);
    media.clock.Advance(250);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 2);
}

TEST(FfmpegPlayback, PauseAndStopHoldThePosition) {
    HeadlessMedia media;
    auto playback = media.Open(MakeTestVideo({.fps = 10, .frames = 30}));
    ASSERT_NE(playback, nullptr);
    playback->Play();
    media.clock.Advance(320);
    playback->Pause();
    EXPECT_EQ(playback->State(), PlaybackState::kPaused);
    media.clock.Advance(5000);
    EXPECT_FALSE(playback->Update());
    EXPECT_EQ(playback->PositionMs(), 320);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 3);
    EXPECT_EQ(playback->NextFrameDue(), std::nullopt);
    playback->Play();
    media.clock.Advance(180);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 5);
    playback->Stop();
    EXPECT_EQ(playback->State(), PlaybackState::kStopped);
    media.clock.Advance(1000);
    EXPECT_EQ(playback->PositionMs(), 500);
}

TEST(FfmpegPlayback, RateScalesTheClockAndRefusesWhatCannotPlay) {
    HeadlessMedia media;
    auto playback = media.Open(MakeTestVideo({.fps = 10, .frames = 40}));
    ASSERT_NE(playback, nullptr);
    for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), 1e9}) {
        EXPECT_FALSE(playback->SetRate(bad)) << bad;
        EXPECT_EQ(playback->Rate(), 1.0);
    }
    ASSERT_TRUE(playback->SetRate(2.0));
    playback->Play();
    media.clock.Advance(500);  // 1 s of media
    EXPECT_EQ(playback->PositionMs(), 1000);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 10);
    // A change while playing keeps the position reached and goes on at the new rate.
    ASSERT_TRUE(playback->SetRate(0.5));
    media.clock.Advance(400);
    EXPECT_EQ(playback->PositionMs(), 1200);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 12);
}

TEST(FfmpegPlayback, SoundReachesTheMixer) {
    SilentSpeakers speakers;
    HeadlessMedia media(&speakers);
    ASSERT_EQ(speakers.source_, &media.hub->Mixer());
    for (auto container : {TestContainer::kAvi, TestContainer::kWav, TestContainer::kMp4}) {
        auto playback =
            media.Open(MakeTestVideo({.fps = 10, .frames = 10, .container = container}));
        ASSERT_NE(playback, nullptr);
        std::vector<std::int16_t> out(2 * 4410);
        // Stopped: nothing sounds yet.
        speakers.source_->Render(out);
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](auto s) { return s == 0; }));
        playback->Play();
        // The decoder fills the stream on its own thread; give it a moment of real time.
        std::int32_t loudest = 0;
        for (int tries = 0; tries < 200 && loudest < 4000; ++tries) {
            media.clock.Advance(10);
            playback->Update();
            speakers.source_->Render(out);
            for (auto s : out) loudest = std::max<std::int32_t>(loudest, std::abs(s));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // The tone is a quarter of full scale.
        EXPECT_NEAR(loudest, 8192, 1200);
        playback->SetMuted(true);
        speakers.source_->Render(out);
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](auto s) { return s == 0; }));
    }
}

// A desktop's clock: real, not virtual, but moved by the test.
class ManualClock : public host::Clock {
  public:
    std::uint32_t TickCount() const override { return tick; }
    host::LocalTime LocalNow() const override { return {}; }
    std::uint32_t tick = 5000;
};

TEST(FfmpegPlayback, OnSpeakersTheSoundPlayedKeepsTheTime) {
    SilentSpeakers speakers;
    ManualClock clock;
    headless::MemoryFileSystem files;
    MediaHub hub(files, clock, &speakers);
    files.AddFile("Z:\\clip.avi", MakeTestVideo({.fps = 10, .frames = 20}));
    auto playback = hub.Open("Z:\\clip.avi");
    ASSERT_NE(playback, nullptr);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 0);
    playback->Play();
    // The speakers take sound in pieces of 10 ms while the ticks stand still.
    std::vector<std::int16_t> piece(2 * 441);
    for (int tries = 0; tries < 2000 && playback->PositionMs() < 500; ++tries) {
        speakers.source_->Render(piece);
        playback->Update();  // as the video's timer does
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // (A piece the decoder had not yet filled counts only what it had.)
    const std::int64_t reached = playback->PositionMs();
    EXPECT_GE(reached, 500);
    EXPECT_LT(reached, 510);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 5);
    // The speakers stop taking sound: after a quarter of a second the ticks keep the time.
    clock.tick += 300;
    playback->Update();
    clock.tick += 200;
    EXPECT_EQ(playback->PositionMs(), reached + 200);
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 7);
}

TEST(FfmpegPlayback, OnSpeakersADoubleRatePlaysHalfTheSoundAtItsPitch) {
    SilentSpeakers speakers;
    ManualClock clock;
    headless::MemoryFileSystem files;
    MediaHub hub(files, clock, &speakers);
    files.AddFile("Z:\\clip.avi", MakeTestVideo({.fps = 10, .frames = 30}));
    auto playback = hub.Open("Z:\\clip.avi");
    ASSERT_NE(playback, nullptr);
    ASSERT_TRUE(playback->SetRate(2.0));
    playback->Play();
    std::vector<std::int16_t> piece(2 * 441), played;
    for (int tries = 0; tries < 4000 && playback->PositionMs() < 2000; ++tries) {
        speakers.source_->Render(piece);
        played.insert(played.end(), piece.begin(), piece.end());
        playback->Update();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(TestFrameIndex(playback->CurrentFrame()), 20);
    // Two seconds of the file in about one second of sound (silence where the decoder was
    // late is not counted) ...
    const auto sounding =
        std::count_if(played.begin(), played.end(), [](auto s) { return s != 0; });
    EXPECT_NEAR(double(sounding) / 2, 44100.0, 1500.0);
    // ... of the same 440 Hz tone.
    int crossings = 0;
    for (std::size_t i = 2; i < played.size(); i += 2)
        if (played[i - 2] < 0 && played[i] >= 0) ++crossings;
    EXPECT_NEAR(crossings, 440, 15);
}

}  // namespace
}  // namespace velk::media
