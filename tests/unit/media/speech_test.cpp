// The player's voice through espeak-ng into the mixer: texts sound without Say waiting, and stop,
// pause and resume act on the sound as it plays. On a virtual clock the mixer's render waits for
// the frames due, so these tests see the speech where the output would.
#include "media/speech.h"

#include <gtest/gtest.h>

#include <vector>

namespace velk::media {
namespace {

constexpr std::size_t kTenthFrames = host::AudioOutput::kSampleRate / 10;

// Renders `tenths` tenths of a second of the mixer; the number of frames that were not silent.
std::size_t SoundingFrames(AudioMixer& mixer, int tenths) {
    std::vector<std::int16_t> piece(kTenthFrames * 2);
    std::size_t sounding = 0;
    for (int i = 0; i < tenths; ++i) {
        mixer.Render(piece);
        for (std::size_t f = 0; f < kTenthFrames; ++f) {
            if (piece[2 * f] != 0 || piece[2 * f + 1] != 0) ++sounding;
        }
    }
    return sounding;
}

class SpeechTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!speech.Start()) GTEST_SKIP() << "espeak-ng or its English voice is missing";
    }
    AudioMixer mixer;
    Speech speech{mixer, true};
};

TEST_F(SpeechTest, ASaidTextSoundsInTheMixerForAboutTheTimeItTakesToSay) {
    speech.Say("Hello and welcome.");
    EXPECT_TRUE(speech.Speaking());
    const std::size_t sounding = SoundingFrames(mixer, 40);
    EXPECT_FALSE(speech.Speaking());
    EXPECT_GT(sounding, kTenthFrames * 3);   // three words take more than 0.3 s
    EXPECT_LT(sounding, kTenthFrames * 30);  // and less than 3 s
}

TEST_F(SpeechTest, NothingSoundsBeforeTheEngineStarted) {
    AudioMixer other;
    Speech unstarted(other, true);
    unstarted.Say("Hello");
    EXPECT_FALSE(unstarted.Speaking());
    EXPECT_EQ(SoundingFrames(other, 5), 0u);
}

TEST_F(SpeechTest, StopDropsTheRestAndTheTextsWaiting) {
    speech.Say("This is a long sentence that would go on for several seconds if let.");
    speech.Say("And a second one.");
    EXPECT_GT(SoundingFrames(mixer, 5), 0u);
    speech.Stop();
    EXPECT_EQ(SoundingFrames(mixer, 20), 0u);
    EXPECT_FALSE(speech.Speaking());
    speech.Say("Again.");  // a stopped voice speaks the next text
    EXPECT_GT(SoundingFrames(mixer, 20), 0u);
}

TEST_F(SpeechTest, APausedVoiceKeepsItsPlaceUntilResumed) {
    speech.Pause();
    speech.Say("Hello and welcome.");
    EXPECT_EQ(SoundingFrames(mixer, 10), 0u);
    EXPECT_TRUE(speech.Speaking());
    speech.Resume();
    const std::size_t whole = SoundingFrames(mixer, 40);
    EXPECT_GT(whole, kTenthFrames * 3);

    speech.Say("Hello and welcome.");
    std::size_t paused_at = SoundingFrames(mixer, 3);
    speech.Pause();
    EXPECT_EQ(SoundingFrames(mixer, 10), 0u);
    speech.Resume();
    paused_at += SoundingFrames(mixer, 40);
    // Nothing was lost or repeated around the pause (the same text may differ by a few frames).
    EXPECT_NEAR(static_cast<double>(paused_at), static_cast<double>(whole), kTenthFrames / 2.0);
}

TEST_F(SpeechTest, ASlowerSpeedSpeaksLonger) {
    speech.SetSpeed(449);
    speech.Say("One two three four five six.");
    const std::size_t fast = SoundingFrames(mixer, 60);
    speech.SetSpeed(30);
    speech.Say("One two three four five six.");
    const std::size_t slow = SoundingFrames(mixer, 120);
    EXPECT_GT(slow, fast * 2);
}

}  // namespace
}  // namespace velk::media
