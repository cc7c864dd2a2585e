// The media control command strings over scripted media: the replies a session of strings
// gets, how words are read, and what playing, seeking and the device windows do.
#include <gtest/gtest.h>

#include "fake_playback.h"
#include "hosts/headless/virtual_clock.h"
#include "media/mci_interpreter.h"

namespace velk {
namespace {

using media::MciInterpreter;
using media::PlaybackState;
using testing::FakeMedia;
using testing::FakeMediaFiles;
using testing::SoundMedia;
using testing::VideoMedia;

struct Session {
    Session() {
        video = &files.Add("v.avi", VideoMedia(10000, 25));
        sound = &files.Add("Z:\\My Media\\s.wav", SoundMedia(65000));
    }
    headless::VirtualClock clock;
    FakeMediaFiles files;
    FakeMedia* video = nullptr;
    FakeMedia* sound = nullptr;
    MciInterpreter mci{files.Opener(), clock};
};

TEST(MciInterpreter, ASessionOfStringsGetsTheRepliesOfTheMediaControl) {
    const struct {
        const char* command;
        const char* reply;
    } steps[] = {
        {"open v.avi alias v", "1"},  // the device number
        {"OPEN   \"Z:\\My Media\\s.wav\"  ALIAS Snd wait", "2"},
        {"status v mode", "stopped"},
        {"status v ready", "true"},
        {"play v", ""},
        {"STATUS V MODE", "playing"},
        {"pause v", ""},
        {"status v mode", "paused"},
        {"resume v notify", ""},
        {"status v mode", "playing"},
        {"stop v", ""},
        {"status v mode", "stopped"},
        // Lengths and positions in the time format of each device.
        {"status v length", "10000"},
        {"set v time format frames", ""},
        {"status v length", "250"},
        {"status v time format", "frames"},
        {"seek v to 100", ""},
        {"status v position", "100"},
        {"set v time format ms", ""},
        {"status v position", "4000"},
        {"seek v to end", ""},
        {"status v position", "10000"},
        {"seek v to start", ""},
        {"status v position", "0"},
        {"set snd time format hms", ""},
        {"status snd length", "00:01:05"},
        {"status snd time format", "hms"},
        {"set snd time format milliseconds", ""},
        {"status snd length", "65000"},
        // A sound has no frames; its format stays.
        {"set snd time format frames", ""},
        {"status snd time format", "milliseconds"},
        {"status snd number of tracks", "1"},
        {"status snd length track 1", "65000"},
        {"status snd length track 2", ""},
        {"status snd position track 1", "0"},
        {"status snd window visible", ""},
        {"put snd window at 0 0 10 10", ""},
        // Unknown verbs, devices, items and words: an empty reply.
        {"", ""},
        {"   ", ""},
        {"frobnicate v", ""},
        {"play nobody", ""},
        {"status v", ""},
        {"status v colour", ""},
        {"play v from", ""},
        {"play v backwards", ""},
        {"seek v to somewhere", ""},
        {"set v door open", ""},
        {"open missing.avi alias m", ""},
        {"status m mode", ""},
        {"open v.avi alias snd", ""},  // the alias is taken
        {"close v", ""},
        {"status v mode", ""},
        {"close all", ""},
        {"status snd mode", ""},
        // Devices are numbered on.
        {"open v.avi", "3"},
        {"status V.AVI mode", "stopped"},  // named by its file
    };
    Session s;
    for (const auto& step : steps) {
        EXPECT_EQ(s.mci.Send(step.command), step.reply) << step.command;
    }
}

TEST(MciInterpreter, AnUnquotedFileWithBlanksIsOneFile) {
    Session s;
    EXPECT_EQ(s.mci.Send("open Z:\\My Media\\s.wav alias a"), "1");
    EXPECT_EQ(s.mci.Send("open avivideo!v.avi alias b type avivideo shareable"), "2");
    EXPECT_EQ(s.mci.Send("open Z:\\My Media\\s.wav nonsense alias c"), "");
}

TEST(MciInterpreter, ReachingTheEndStopsAndPlayAtTheEndPlaysNothing) {
    Session s;
    s.mci.Send("open v.avi alias v");
    s.mci.Send("play v");
    s.video->end_pending = true;
    EXPECT_EQ(s.mci.Send("status v mode"), "stopped");
    EXPECT_EQ(s.mci.Send("status v position"), "10000");
    s.video->calls.clear();
    EXPECT_EQ(s.mci.Send("play v"), "");
    EXPECT_EQ(s.mci.Send("status v mode"), "stopped");
    EXPECT_TRUE(s.video->calls.empty());
    // From a position it plays again.
    s.mci.Send("play v from 0");
    EXPECT_EQ(s.mci.Send("status v mode"), "playing");
}

TEST(MciInterpreter, PlayFromToStopsAtTheEndOfTheRange) {
    Session s;
    s.mci.Send("open v.avi alias v");
    s.mci.Send("set v time format frames");
    EXPECT_EQ(s.mci.Send("play v from 25 to 50"), "");
    EXPECT_EQ(s.video->calls, (std::vector<std::string>{"seek frame 25", "play"}));
    // Due when the range ends: a second of media from frame 25 to frame 50.
    EXPECT_EQ(s.mci.NextDue(), s.clock.TickCount() + 1000);
    s.video->position_ms = 1990;
    s.mci.Update();
    EXPECT_EQ(s.mci.Send("status v mode"), "playing");
    s.video->position_ms = 2010;
    s.mci.Update();
    EXPECT_EQ(s.mci.Send("status v mode"), "stopped");
    EXPECT_EQ(s.mci.Send("status v position"), "50");
    EXPECT_EQ(s.mci.NextDue(), std::nullopt);
    // A range that ends before it starts is refused.
    EXPECT_EQ(s.mci.Send("play v from 50 to 25"), "");
    EXPECT_EQ(s.mci.Send("status v mode"), "stopped");
}

TEST(MciInterpreter, RepeatPlaysTheRangeAgain) {
    Session s;
    s.mci.Send("open v.avi alias v");
    s.mci.Send("play v from 2000 repeat");
    s.video->end_pending = true;
    s.mci.Update();
    EXPECT_EQ(s.mci.Send("status v mode"), "playing");
    EXPECT_EQ(s.mci.Send("status v position"), "2000");
}

TEST(MciInterpreter, HmsPositionsAreReadWithColonsOrPacked) {
    Session s;
    s.mci.Send("open v.avi alias v");
    s.mci.Send("set v time format hms");
    const struct {
        const char* command;
        std::int64_t position_ms;
    } cases[] = {
        {"seek v to 0:0:7", 7000},
        {"seek v to 00:00:03", 3000},
        {"seek v to 5", 10000},      // packed: five hours in the low byte, past the end
        {"seek v to 131072", 2000},  // packed: two seconds in the third byte
    };
    for (const auto& c : cases) {
        s.mci.Send(c.command);
        EXPECT_EQ(s.video->position_ms, c.position_ms) << c.command;
    }
}

TEST(MciInterpreter, DeviceWindowsShowWhilePlayingWhereTheyWerePut) {
    Session s;
    s.mci.Send("open v.avi alias v style child parent 656932");
    EXPECT_TRUE(s.mci.ShownWindows().empty());
    s.mci.Send("put v window at 10 20 100 50");
    s.mci.Send("window v state hide");
    EXPECT_EQ(s.mci.Send("status v window visible"), "false");
    EXPECT_EQ(s.mci.Send("where v window"), "10 20 100 50");
    s.mci.Send("play v");
    ASSERT_EQ(s.mci.ShownWindows().size(), 1u);
    EXPECT_EQ(s.mci.ShownWindows()[0].rect, (Rect{10, 20, 110, 70}));
    EXPECT_EQ(s.mci.ShownWindows()[0].frame, &s.video->frame);
    s.mci.Send("window v state hide");
    EXPECT_TRUE(s.mci.ShownWindows().empty());
    s.mci.Send("window v state show");
    // An empty size is the picture's own.
    s.mci.Send("put v window at -5 7 0 0");
    EXPECT_EQ(s.mci.ShownWindows()[0].rect, (Rect{-5, 7, 27, 31}));
    // A sound has no window to show.
    s.mci.Send("open \"Z:\\My Media\\s.wav\" alias a");
    EXPECT_EQ(s.mci.Send("window a state show"), "");
    EXPECT_EQ(s.mci.ShownWindows().size(), 1u);
}

TEST(MciInterpreter, FramesAreDueOnlyForWindowsThatShow) {
    Session s;
    s.video->next_frame_due = s.clock.TickCount() + 40;
    s.mci.Send("open v.avi alias v");
    s.mci.Send("play v");
    EXPECT_EQ(s.mci.NextDue(), s.clock.TickCount() + 40);
    s.mci.Send("window v state hide");
    EXPECT_EQ(s.mci.NextDue(), std::nullopt);
}

TEST(MciInterpreter, EveryCommandTellsTheMainWindow) {
    Session s;
    int told = 0;
    s.mci.SetChangeHandler([&] { ++told; });
    s.mci.Send("open v.avi alias v");
    s.mci.Send("bogus");
    EXPECT_EQ(told, 2);
}

TEST(MciInterpreter, AudioAllOffMutesAndSpeedSetsTheRate) {
    Session s;
    s.mci.Send("open v.avi alias v");
    EXPECT_EQ(s.mci.Send("set v audio all off"), "");
    EXPECT_TRUE(s.video->muted);
    EXPECT_EQ(s.mci.Send("set v audio all on"), "");
    EXPECT_FALSE(s.video->muted);
    EXPECT_EQ(s.mci.Send("set v speed 2000"), "");
    EXPECT_EQ(s.mci.Send("status v speed"), "2000");
    EXPECT_EQ(s.mci.Send("set v speed 0"), "");
    EXPECT_EQ(s.mci.Send("status v speed"), "2000");
}

}  // namespace
}  // namespace velk
