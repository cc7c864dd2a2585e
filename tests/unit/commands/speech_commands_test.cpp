// The speech commands: what reaches the voice and the log, and what is passed over (before
// InitTTS, out of range, too long), and the wait window while the engine starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_test_fixture.h"
#include "document/command_vocabulary.h"

namespace velk {
namespace {

using testing::List;
using testing::MakeObject;
using testing::Record;
using Texts = std::vector<std::string>;

class RecordingObserver : public host::Observer {
  public:
    void Speak(std::string_view text) override { lines.push_back("speak " + std::string(text)); }
    void SpeechControl(std::string_view what) override {
        lines.push_back("tts " + std::string(what));
    }
    Texts lines;
};

// The command host with its observer heard and its wait window seen.
class SpeechHost : public testing::FakeCommandHost {
  public:
    host::Observer& Observer() override { return heard; }
    void ShowSpeechWaitWindow(bool shown) override {
        heard.lines.push_back(shown ? "wait window shown" : "wait window gone");
    }
    void Run(std::vector<ActionRecord> records) { dispatcher.RunActions(List(std::move(records))); }
    bool Start() {
        Run({Record(kCmdInitTts)});
        heard.lines.clear();
        return media.Speech().Started();
    }
    RecordingObserver heard;
};

TEST(SpeechCommands, BeforeInitTtsNothingIsSpokenOrSetAndNothingIsShown) {
    SpeechHost host;
    host.Run({Record(kCmdInstallTts), Record(kCmdSay, "Hello"), Record(kCmdSpeakText, "A"),
              Record(kCmdPitchTts, "100"), Record(kCmdSpeedTts, "100"), Record(kCmdStopTts),
              Record(kCmdPauseTts), Record(kCmdResumeTts)});
    EXPECT_EQ(host.heard.lines, Texts{});
    EXPECT_FALSE(host.media.Speech().Speaking());
    EXPECT_TRUE(host.ui.Messages().empty());
}

TEST(SpeechCommands, InitTtsStartsTheEngineOnceUnderItsWaitWindow) {
    SpeechHost host;
    host.Run({Record(kCmdInitTts)});
    if (!host.media.Speech().Started()) GTEST_SKIP() << "espeak-ng is missing";
    EXPECT_EQ(host.heard.lines, (Texts{"wait window shown", "wait window gone"}));
    EXPECT_EQ(host.pumps, 1);  // the window is painted before the engine keeps the player busy
    host.Run({Record(kCmdInitTts)});
    EXPECT_EQ(host.heard.lines.size(), 2u);
    EXPECT_TRUE(host.ui.Messages().empty());
}

TEST(SpeechCommands, PitchAndSpeedAreTakenOnlyWithinTheirRanges) {
    SpeechHost host;
    if (!host.Start()) GTEST_SKIP() << "espeak-ng is missing";
    host.variables.SetNumber("p", 120.9);
    host.Run({Record(kCmdPitchTts, "46"), Record(kCmdPitchTts, "47"), Record(kCmdPitchTts, "200"),
              Record(kCmdPitchTts, "201"), Record(kCmdPitchTts, "p"), Record(kCmdPitchTts, ""),
              Record(kCmdSpeedTts, "29"), Record(kCmdSpeedTts, "30"), Record(kCmdSpeedTts, "449"),
              Record(kCmdSpeedTts, "450"), Record(kCmdSpeedTts, "-1e12")});
    EXPECT_EQ(host.heard.lines, (Texts{"tts pitch 47", "tts pitch 200", "tts pitch 120",
                                       "tts speed 30", "tts speed 449"}));
    EXPECT_TRUE(host.ui.Messages().empty());
}

TEST(SpeechCommands, SayAndSpeakTextHandOverTextsThatFitTheEnginesBuffer) {
    SpeechHost host;
    if (!host.Start()) GTEST_SKIP() << "espeak-ng is missing";
    host.Get("A").text = "Object text";
    host.variables.SetString("Greeting$", "From a variable");
    // With its terminating null, 32 000 characters: words, so that a stop soon takes effect.
    std::string fits;
    while (fits.size() < 31999) fits += fits.size() % 2 == 0 ? 'a' : ' ';
    const std::string too_long = fits + "a";
    host.Run({Record(kCmdSay, "Hello"), Record(kCmdSay, ""), Record(kCmdSay, "Greeting$"),
              Record(kCmdSpeakText, "A"), Record(kCmdSpeakText, "Nobody"),
              Record(kCmdSay, too_long), Record(kCmdSay, fits)});
    ASSERT_EQ(host.heard.lines.size(), 4u);
    EXPECT_EQ(host.heard.lines[0], "speak Hello");
    EXPECT_EQ(host.heard.lines[1], "speak From a variable");
    EXPECT_EQ(host.heard.lines[2], "speak Object text");
    EXPECT_EQ(host.heard.lines[3], "speak " + fits);
    host.Run({Record(kCmdStopTts), Record(kCmdPauseTts), Record(kCmdResumeTts)});
    EXPECT_EQ(host.heard.lines.back(), "tts resume");
}

}  // namespace
}  // namespace velk
