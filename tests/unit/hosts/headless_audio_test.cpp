// The headless speakers: the virtual clock decides how many frames sound, to the frame, and
// what sounded reaches a WAV file as it was.
#include "hosts/headless/headless_audio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <vector>

#include "hosts/headless/wav_file.h"

namespace velk::headless {
namespace {

// Numbers its frames 1, 2, 3 ... on both channels, so a lost or doubled frame shows.
class Counting : public host::AudioSource {
  public:
    void Render(std::span<std::int16_t> interleaved) override {
        for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
            ++frames;
            interleaved[i] = interleaved[i + 1] = static_cast<std::int16_t>(frames);
        }
    }
    std::uint64_t frames = 0;
};

struct PacingCase {
    std::vector<std::uint32_t> steps;  // virtual milliseconds, one Advance each
    std::uint64_t frames;
};

TEST(HeadlessAudio, SoundsExactlyTheFramesOfTheVirtualTimeWithFractionsCarried) {
    const PacingCase cases[] = {
        {{1}, 44},                              // 44.1 frames: the tenth waits
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 441},  // ... and comes at the tenth millisecond
        {{3}, 132},
        {{1, 1, 1}, 132},
        {{7, 13}, 882},
        {{1000}, 44100},
        {{60'000}, 2'646'000},
    };
    for (const PacingCase& c : cases) {
        VirtualClock clock(5000);
        clock.Advance(250);  // time before the output was made does not count
        std::vector<std::int16_t> heard;
        HeadlessAudio audio(clock, [&](std::span<const std::int16_t> piece) {
            heard.insert(heard.end(), piece.begin(), piece.end());
        });
        Counting source;
        audio.Attach(&source);
        for (std::uint32_t step : c.steps) clock.Advance(step);
        const std::uint32_t total = std::accumulate(c.steps.begin(), c.steps.end(), 0u);
        SCOPED_TRACE(::testing::Message() << total << " ms in " << c.steps.size() << " steps");
        EXPECT_EQ(audio.PlayedFrames(), c.frames);
        EXPECT_EQ(source.frames, c.frames);
        ASSERT_EQ(heard.size(), 2 * c.frames);
        // Each frame once, in order.
        for (std::size_t i = 0; i < heard.size(); i += 2) {
            ASSERT_EQ(heard[i], static_cast<std::int16_t>(i / 2 + 1)) << "frame " << i / 2;
        }
    }
}

TEST(HeadlessAudio, ADetachedSourceIsNoLongerAskedAndSilenceSoundsInItsPlace) {
    VirtualClock clock;
    std::vector<std::int16_t> heard;
    HeadlessAudio audio(clock, [&](std::span<const std::int16_t> piece) {
        heard.insert(heard.end(), piece.begin(), piece.end());
    });
    Counting source;
    audio.Attach(&source);
    clock.Advance(10);
    audio.Attach(nullptr);
    clock.Advance(10);
    EXPECT_EQ(source.frames, 441u);
    ASSERT_EQ(heard.size(), 2u * 882);
    EXPECT_EQ(heard[2 * 440], 441);
    EXPECT_TRUE(std::all_of(heard.begin() + 2 * 441, heard.end(), [](auto s) { return s == 0; }));
}

std::uint32_t Le32(const std::vector<char>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

TEST(WavFile, HoldsTheFramesBehindAHeaderWithTheirSizes) {
    const auto path = std::filesystem::temp_directory_path() / "velk_wav_file_test.wav";
    {
        WavFile wav(path);
        ASSERT_TRUE(wav.Ok());
        wav.Append(std::vector<std::int16_t>{1, -1, 0x1234, -32768});
        wav.Append(std::vector<std::int16_t>{7, 8, 9});  // the half frame is left out
        ASSERT_TRUE(wav.Finish());
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(path);
    ASSERT_EQ(bytes.size(), 44u + 12);
    EXPECT_EQ(std::string(bytes.data(), 4), "RIFF");
    EXPECT_EQ(Le32(bytes, 4), 36u + 12);
    EXPECT_EQ(std::string(bytes.data() + 8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(bytes, 20) & 0xFFFF, 1u);     // PCM
    EXPECT_EQ(Le32(bytes, 20) >> 16, 2u);        // stereo
    EXPECT_EQ(Le32(bytes, 24), 44100u);          // frames per second
    EXPECT_EQ(Le32(bytes, 28), 44100u * 4);      // bytes per second
    EXPECT_EQ(Le32(bytes, 32), 4u | 16u << 16);  // block of 4 bytes, 16 bits
    EXPECT_EQ(std::string(bytes.data() + 36, 4), "data");
    EXPECT_EQ(Le32(bytes, 40), 12u);
    const std::vector<std::uint8_t> data(bytes.begin() + 44, bytes.end());
    EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 0, 0xFF, 0xFF, 0x34, 0x12, 0, 0x80, 7, 0, 8, 0}));
}

}  // namespace
}  // namespace velk::headless
