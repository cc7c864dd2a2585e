// Video objects: the commands in sequence against the states, events and status variables;
// what each end mode does when the media ends; seeking and rates; loading through the dialog;
// the still picture; hiding and showing; and lists that close the video while it reports.
#include <gtest/gtest.h>

#include <sstream>

#include "fake_video_owner.h"
#include "objects/video/video_control.h"
#include "objects/video/video_status.h"

namespace velk {
namespace {

// A still picture of one pixel.
Picture OneByOne() {
    Picture picture;
    picture.width = picture.height = 1;
    picture.bytes = {1, 2, 3};
    return picture;
}

using test::FakeVideoOwner;

constexpr const char* kClip = "Z:\\show\\clip.avi";

Object MakeVideo(std::uint32_t end_mode) {
    Object video;
    video.kind = kKindVideo;
    video.name = "Clip";
    video.rect = {10, 10, 42, 34};
    video.text = "<SrcDir>\\clip.avi";
    video.option3 = end_mode;
    video.option4 = 1;  // with sound
    video.option6 = 1000;
    return video;
}

class VideoRig {
  public:
    explicit VideoRig(std::uint32_t end_mode = 4) : video(MakeVideo(end_mode)) {
        owner.files[kClip] = test::FakeVideoInfo(2000);
        owner.files["Z:\\show\\broken.avi"] = std::nullopt;
        media::MediaInfo sound = test::FakeVideoInfo(2000);
        sound.has_video = false;
        sound.width = sound.height = 0;
        sound.frames_per_second = 0;
        sound.frame_count = 0;
        owner.files["Z:\\show\\song.wav"] = sound;
    }

    // One step: "load [file]", "play", "pause", "stop", "close", "wait ms" (the clock moves in
    // steps of 500 ms, the polling timer firing at each while it runs).
    void Step(const std::string& step) {
        std::istringstream words(step);
        std::string verb, argument;
        words >> verb >> argument;
        if (verb == "load") {
            LoadVideo(video, argument.empty() ? "<SrcDir>\\clip.avi" : "<SrcDir>\\" + argument,
                      owner);
        } else if (verb == "play") {
            PlayVideo(video, owner);
        } else if (verb == "pause") {
            PauseVideo(video, owner);
        } else if (verb == "stop") {
            StopVideo(video, owner);
        } else if (verb == "close") {
            CloseVideo(video, owner);
        } else if (verb == "wait") {
            for (int ms = std::stoi(argument); ms > 0; ms -= 500) {
                owner.clock.Advance(500);
                if (owner.polling) PollVideo(video, owner);
            }
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
    }
    void Run(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) Step(step);
    }

    // The window's state; -1 without a window.
    int State() const {
        const VideoWindow* window = VideoWindowOf(video);
        return window ? static_cast<int>(window->state) : -1;
    }
    VideoWindow& Window() { return *video.video_window; }
    std::int64_t PositionMs() { return Window().playback->PositionMs(); }

    FakeVideoOwner owner;
    Object video;
};

struct SequenceCase {
    const char* name;
    std::vector<std::string> steps;
    int state;  // -1: no window
    std::vector<std::int32_t> events;
    bool polling;
};

class VideoSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(VideoSequence, EndsInStateWithEvents) {
    const SequenceCase& c = GetParam();
    VideoRig rig;
    rig.Run(c.steps);
    EXPECT_EQ(rig.State(), c.state);
    EXPECT_EQ(rig.owner.events, c.events);
    EXPECT_EQ(rig.owner.polling, c.polling);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, VideoSequence,
    ::testing::Values(
        SequenceCase{"LoadShowsFirstFrame", {"load"}, 5, {5}, false},
        SequenceCase{"PlayFromLoaded", {"load", "play"}, 2, {5, 6}, true},
        SequenceCase{"PlayLoadsTheObjectsFile", {"play"}, 2, {5, 6}, true},
        SequenceCase{"PlayTwiceStartsOnce", {"load", "play", "play"}, 2, {5, 6}, true},
        SequenceCase{"Pause", {"load", "play", "pause"}, 1, {5, 6}, true},
        SequenceCase{"PauseTwicePlaysAgain", {"load", "play", "pause", "pause"}, 2, {5, 6}, true},
        SequenceCase{"PlayFromPauseIsNoStart", {"load", "play", "pause", "play"}, 2, {5, 6}, true},
        SequenceCase{"Stop", {"load", "play", "stop"}, 0, {5, 6, 7}, false},
        SequenceCase{"StopPaused", {"load", "play", "pause", "stop"}, 0, {5, 6, 7}, false},
        SequenceCase{"StopLoadedStaysLoaded", {"load", "stop"}, 5, {5}, false},
        SequenceCase{"StopTwiceReportsOnce", {"load", "play", "stop", "stop"}, 0, {5, 6, 7}, false},
        SequenceCase{"PlayAfterStop", {"load", "play", "stop", "play"}, 2, {5, 6, 7, 6}, true},
        SequenceCase{"Ends", {"load", "play", "wait 2500"}, 3, {5, 6, 8}, true},
        SequenceCase{"PlayAfterEndStartsAgain",
                     {"load", "play", "wait 2500", "play"},
                     2,
                     {5, 6, 8, 6},
                     true},
        SequenceCase{"StopAfterEnd", {"load", "play", "wait 2500", "stop"}, 0, {5, 6, 8, 7}, false},
        SequenceCase{"Close", {"load", "play", "close"}, -1, {5, 6}, true},
        SequenceCase{
            "CommandsAfterCloseDoNothing", {"load", "close", "pause", "stop"}, -1, {5}, false},
        SequenceCase{"MissingFileLoadsNothing", {"load missing.avi"}, -1, {}, false},
        SequenceCase{"UndecodableFileLeavesNoVideo", {"load broken.avi"}, 4, {}, false},
        SequenceCase{"PlayAfterFailedLoadReloads", {"load broken.avi", "play"}, 2, {5, 6}, true},
        SequenceCase{"CommandsWithoutVideoDoNothing", {"pause", "stop", "close"}, -1, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VideoControl, PlayWithoutFileDoesNothing) {
    VideoRig rig;
    rig.video.text.clear();
    rig.Step("play");
    EXPECT_EQ(rig.State(), -1);
    EXPECT_TRUE(rig.owner.ui.dialogs.empty());
}

TEST(VideoControl, EventsReachTheListsOnlyInEndModeFour) {
    for (std::uint32_t mode : {0u, 1u, 2u, 3u}) {
        VideoRig rig(mode);
        rig.Run({"load", "play", "stop", "play"});
        EXPECT_TRUE(rig.owner.events.empty()) << "end mode " << mode;
    }
    // Any value above 3 reports.
    VideoRig rig(77);
    rig.Run({"load", "play"});
    EXPECT_EQ(rig.owner.events, (std::vector<std::int32_t>{5, 6}));
}

struct EndCase {
    const char* name;
    std::uint32_t end_mode;
    bool loop;
    int state;
    bool shown;
    bool polling;
    bool full_screen;  // after starting full screen
    std::vector<std::int32_t> events;
    std::int64_t position_ms;
};

class VideoEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(VideoEnd, FollowsTheEndMode) {
    const EndCase& c = GetParam();
    VideoRig rig(c.end_mode);
    rig.video.option5 = c.loop ? 1 : 0;
    rig.Run({"load", "play"});
    SetVideoParam(rig.video, "fullscreen", rig.owner);
    rig.owner.events.clear();
    rig.Step("wait 2000");
    EXPECT_EQ(rig.State(), c.state);
    EXPECT_EQ(rig.Window().shown, c.shown);
    EXPECT_EQ(rig.owner.polling, c.polling);
    EXPECT_EQ(rig.Window().full_screen, c.full_screen);
    EXPECT_EQ(rig.owner.events, c.events);
    EXPECT_EQ(rig.PositionMs(), c.position_ms);
    // The end is heard once, however often the timer fires afterwards.
    rig.Step("wait 1000");
    EXPECT_EQ(rig.owner.events, c.events);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VideoEnd,
    ::testing::Values(EndCase{"HoldLastFrame", 0, false, 3, true, true, true, {}, 2000},
                      EndCase{"Rewind", 1, false, 0, true, false, false, {}, 0},
                      EndCase{"Hide", 2, false, 3, false, true, false, {}, 2000},
                      EndCase{"NextPage", 3, false, 3, false, true, false, {3}, 2000},
                      EndCase{"Report", 4, false, 3, true, true, true, {8}, 2000},
                      EndCase{"LoopPlaysOn", 4, true, 2, true, true, true, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VideoControl, StatusVariablesFollowLoadPlayPollAndClose) {
    VideoRig rig;
    rig.Step("load");
    VariableStore& vars = rig.owner.variables;
    EXPECT_EQ(vars.GetString("ZIZ_VName"), "clip.avi");
    EXPECT_EQ(vars.GetString("ZIZ_VTotal"), "00:02");
    EXPECT_EQ(vars.GetNumber("ZIZ_VTotalSec"), 2);
    EXPECT_EQ(vars.GetNumber("ZIZ_VTotalFrames"), 50);
    EXPECT_EQ(rig.owner.displays["ZIZ_VTotalFrames"], "50");

    rig.Step("play");
    EXPECT_EQ(vars.GetString("ZIZ_VTime"), "        ");
    EXPECT_EQ(rig.owner.displays["ZIZ_VFrame"], "     ");

    rig.Step("wait 1500");
    WriteVideoPosition(rig.Window(), rig.owner);
    EXPECT_EQ(vars.GetString("ZIZ_VTime"), "00:01");
    EXPECT_EQ(vars.GetNumber("ZIZ_VTimeSec"), 1);
    EXPECT_EQ(vars.GetNumber("ZIZ_VFrame"), 37);
    EXPECT_EQ(rig.owner.displays["ZIZ_VFrame"], "37");

    rig.Step("close");
    EXPECT_EQ(vars.GetString("ZIZ_VName"), "");
    EXPECT_EQ(vars.GetString("ZIZ_VTotal"), "        ");
    EXPECT_EQ(rig.owner.displays["ZIZ_VTotalFrames"], "          ");
    EXPECT_EQ(rig.owner.displays["ZIZ_VTotalSec"], "     ");
    EXPECT_EQ(vars.GetNumber("ZIZ_VTotalSec"), 0);
}

TEST(VideoControl, ClockTexts) {
    const std::pair<std::int64_t, const char*> cases[] = {{0, "00:00"},
                                                          {59, "00:59"},
                                                          {61, "01:01"},
                                                          {3599, "59:59"},
                                                          {3600, "1:00:00"},
                                                          {3725, "1:02:05"},
                                                          {36000 + 61, "10:01:01"},
                                                          {-5, "00:00"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(VideoClockText(seconds), text) << seconds;
}

TEST(VideoControl, EffectsAreLoggedOncePerOperation) {
    VideoRig rig;
    rig.Run({"load", "play", "pause", "pause", "stop", "play", "wait 2500", "close"});
    EXPECT_EQ(rig.owner.log,
              (std::vector<std::string>{"video Clip load <SrcDir>\\clip.avi", "video Clip play",
                                        "video Clip pause", "video Clip play", "video Clip stop",
                                        "video Clip play", "video Clip end", "video Clip close"}));
}

struct SeekCase {
    const char* name;
    bool frames;
    std::int64_t from_ms;
    const char* argument;
    std::int64_t position_ms;
};

class VideoRewind : public ::testing::TestWithParam<SeekCase> {};

TEST_P(VideoRewind, SeeksTo) {
    const SeekCase& c = GetParam();
    VideoRig rig;
    rig.Run({"load", "play"});
    if (c.frames) SetVideoParam(rig.video, "frame", rig.owner);
    rig.Window().playback->SeekMs(c.from_ms);
    RewindVideo(rig.video, c.argument, rig.owner);
    EXPECT_EQ(rig.PositionMs(), c.position_ms);
    // A playing video plays on from there.
    EXPECT_EQ(rig.State(), 2);
    if (c.position_ms < 2000) {
        EXPECT_EQ(rig.Window().playback->State(), media::PlaybackState::kPlaying);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Positions, VideoRewind,
    ::testing::Values(SeekCase{"Milliseconds", false, 1000, "500", 500},
                      SeekCase{"NegativeIsStart", false, 1000, "-20", 0},
                      SeekCase{"Truncated", false, 0, "250.9", 250},
                      SeekCase{"RelativeForward", false, 1000, "300,RELATIVE", 1300},
                      SeekCase{"RelativeBack", false, 1000, "-300,RELATIVE", 700},
                      SeekCase{"RelativeBeforeStart", false, 100, "-300,RELATIVE", 0},
                      SeekCase{"BeyondTheEnd", false, 0, "99999", 2000},
                      SeekCase{"Frames", true, 0, "10", 400},
                      SeekCase{"FramesRelative", true, 400, "5,RELATIVE", 600}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VideoControl, SpeedSetsOrAddsToTheRate) {
    struct Case {
        const char* argument;
        double rate;
        double error;
    };
    const Case cases[] = {{"2000", 2.0, 0},
                          {"500,RELATIVE", 1.5, 0},
                          {"-250,RELATIVE", 0.75, 0},
                          {"0,RELATIVE", 1.0, 0},
                          {"-5000", 1.0, kVideoInvalidArgument},
                          {"-1000,RELATIVE", 1.0, kVideoInvalidArgument}};
    for (const Case& c : cases) {
        VideoRig rig;
        rig.Run({"load", "play"});
        SetVideoSpeed(rig.video, c.argument, rig.owner);
        EXPECT_DOUBLE_EQ(rig.Window().playback->Rate(), c.rate) << c.argument;
        EXPECT_EQ(rig.owner.variables.GetNumber("ZIZ_Error"), c.error) << c.argument;
    }
}

TEST(VideoControl, StartSettingsComeFromTheObject) {
    VideoRig rig;
    rig.video.option4 = 0;     // muted
    rig.video.option6 = 1500;  // one and a half times
    rig.Step("load");
    auto& playback = static_cast<test::FakePlayback&>(*rig.Window().playback);
    EXPECT_TRUE(playback.Muted());
    EXPECT_DOUBLE_EQ(playback.Rate(), 1.5);
    SetVideoParam(rig.video, " MUTE ", rig.owner);
    EXPECT_FALSE(playback.Muted());
    EXPECT_FALSE(rig.Window().muted);
}

TEST(VideoControl, ParamSwitchesSettingsAndTimeFormat) {
    VideoRig rig;
    rig.Step("load");
    VideoWindow& window = rig.Window();
    SetVideoParam(rig.video, "loop", rig.owner);
    SetVideoParam(rig.video, "fullscreen", rig.owner);
    SetVideoParam(rig.video, "frame", rig.owner);
    EXPECT_TRUE(window.loop);
    EXPECT_TRUE(window.full_screen);
    EXPECT_TRUE(window.frames_format);
    SetVideoParam(rig.video, "loop", rig.owner);
    SetVideoParam(rig.video, "fullscreen", rig.owner);
    SetVideoParam(rig.video, "time", rig.owner);
    SetVideoParam(rig.video, "volume", rig.owner);
    EXPECT_FALSE(window.loop);
    EXPECT_FALSE(window.full_screen);
    EXPECT_FALSE(window.frames_format);
}

TEST(VideoControl, LoadWithoutFileAsksWithTheOpenVideoDialog) {
    VideoRig rig;
    rig.owner.ui.answer = std::nullopt;
    EXPECT_FALSE(LoadVideo(rig.video, "", rig.owner));
    ASSERT_EQ(rig.owner.ui.dialogs.size(), 1u);
    const host::FileDialog& dialog = rig.owner.ui.dialogs[0];
    EXPECT_EQ(dialog.title, "Open Video");
    EXPECT_EQ(dialog.filter, kOpenVideoFilter);
    EXPECT_TRUE(dialog.file_must_exist);
    EXPECT_EQ(rig.State(), -1);

    rig.owner.ui.answer = std::string(kClip);
    EXPECT_TRUE(LoadVideo(rig.video, "", rig.owner));
    EXPECT_EQ(rig.State(), 5);
    EXPECT_EQ(rig.Window().path, kClip);
}

TEST(VideoControl, StillImageMessageWhenTheFileHasNoPictureToShow) {
    struct Case {
        const char* file;
        bool own_still;
        bool message;
    };
    const Case cases[] = {
        {"song.wav", false, true}, {"song.wav", true, false}, {"clip.avi", false, false}};
    for (const Case& c : cases) {
        VideoRig rig;
        if (c.own_still) rig.video.image1 = OneByOne();
        rig.Step(std::string("load ") + c.file);
        // Playing is not affected.
        EXPECT_EQ(rig.State(), 5) << c.file;
        const std::vector<std::string> expected =
            c.message ? std::vector<std::string>{"Couldn't grab still image for Z:\\show\\song.wav"}
                      : std::vector<std::string>{};
        EXPECT_EQ(rig.owner.ui.messages, expected) << c.file << " " << c.own_still;
    }
}

TEST(VideoControl, HidingHoldsAndShowingPlaysOnUnlessPausedBefore) {
    VideoRig rig;
    rig.Run({"load", "play"});
    VideoVisibilityChanged(rig.video, true, rig.owner);
    EXPECT_EQ(rig.State(), 1);
    VideoVisibilityChanged(rig.video, false, rig.owner);
    EXPECT_EQ(rig.State(), 2);

    rig.Step("pause");
    VideoVisibilityChanged(rig.video, true, rig.owner);
    VideoVisibilityChanged(rig.video, false, rig.owner);
    EXPECT_EQ(rig.State(), 1);
}

TEST(VideoControl, ScaleResizesTheObject) {
    const std::pair<const char*, Rect> cases[] = {{"40,30", {10, 10, 50, 40}},
                                                  {"40.7,30.2", {10, 10, 50, 40}},
                                                  {"0,30", {10, 10, 42, 34}},
                                                  {"40", {10, 10, 42, 34}}};
    for (const auto& [argument, rect] : cases) {
        VideoRig rig;
        rig.Step("load");
        ScaleVideo(rig.video, argument, rig.owner);
        EXPECT_EQ(rig.video.rect, rect) << argument;
    }
}

TEST(VideoControl, EmptyRectangleTakesTheVideosSize) {
    VideoRig rig;
    rig.video.rect = {5, 6, 5, 6};
    rig.Step("load");
    EXPECT_EQ(VideoWindowArea(rig.video, rig.Window()), (Rect{5, 6, 37, 30}));
}

TEST(VideoControl, StepsOneFrameAndHolds) {
    VideoRig rig;
    rig.Run({"load", "play"});
    rig.Window().playback->SeekMs(400);  // frame 10
    StepVideoFrame(rig.video, 1, rig.owner);
    EXPECT_EQ(rig.Window().playback->PositionFrame(), 11);
    EXPECT_EQ(rig.State(), 1);
    StepVideoFrame(rig.video, -1, rig.owner);
    StepVideoFrame(rig.video, -1, rig.owner);
    EXPECT_EQ(rig.Window().playback->PositionFrame(), 9);
    ScaleVideoRate(rig.video, 2.0, rig.owner);
    ScaleVideoRate(rig.video, 2.0, rig.owner);
    EXPECT_DOUBLE_EQ(rig.Window().playback->Rate(), 4.0);
}

// The lists an event runs may close the video, or load another one: the operation that
// reported it must not touch what went.
TEST(VideoControl, ListsThatCloseTheVideoWhileItReports) {
    for (VideoEvent closing_at :
         {VideoEvent::kLoaded, VideoEvent::kStarted, VideoEvent::kStopped, VideoEvent::kEnded}) {
        VideoRig rig;
        rig.owner.on_event = [&](Object& video, VideoEvent event) {
            if (event == closing_at) CloseVideo(video, rig.owner);
        };
        rig.Run({"play", "stop", "play", "wait 2500", "play"});
        EXPECT_FALSE(rig.owner.events.empty());
    }
}

}  // namespace
}  // namespace velk
