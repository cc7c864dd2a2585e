#include <gtest/gtest.h>

#include <sys/resource.h>

#include <fstream>
#include <random>
#include <string>

#include "media/ffmpeg_decoder.h"
#include "media_test_util.h"

namespace velk::media {
namespace {

using test::MakeTestVideo;
using test::TestContainer;
using test::TestMedia;

class BytesFile : public host::ReadableFile {
  public:
    explicit BytesFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset >= bytes_.size()) return 0;
        const auto n = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
        std::copy_n(bytes_.begin() + std::ptrdiff_t(offset), n, out.begin());
        return n;
    }

  private:
    std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, double fraction) {
    bytes.resize(static_cast<std::size_t>(double(bytes.size()) * fraction));
    return bytes;
}

std::vector<std::uint8_t> Scribble(std::vector<std::uint8_t> bytes, std::uint32_t seed) {
    std::mt19937 random(seed);
    // The headers are left alone so that the damage reaches the demuxer and the decoders.
    for (std::size_t i = bytes.size() / 8; i < bytes.size(); i += 1 + random() % 64)
        bytes[i] = static_cast<std::uint8_t>(random());
    return bytes;
}

// A damaged file fails to open, or opens and plays to an end, all within bounded time; never
// a crash or a hang.
TEST(FfmpegDamagedFiles, FailToOpenOrPlayToAnEnd) {
    const auto avi = MakeTestVideo({.fps = 10, .frames = 20});
    const auto mp4 = MakeTestVideo({.fps = 10, .frames = 20, .container = TestContainer::kMp4});
    const auto wav = MakeTestVideo({.frames = 20, .container = TestContainer::kWav});
    std::vector<std::uint8_t> garbage(5000);
    std::mt19937 random(7);
    for (auto& b : garbage) b = static_cast<std::uint8_t>(random());
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool opens;  // whether it must open
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"garbage", garbage, false},
        {"avi header only", Cut(avi, 0.02), false},
        {"avi cut at a third", Cut(avi, 0.33), true},
        {"avi cut at nine tenths", Cut(avi, 0.9), true},
        {"avi scribbled", Scribble(avi, 1), false},
        {"mp4 cut at a third", Cut(mp4, 0.33), false},  // its index is at the end
        {"mp4 scribbled", Scribble(mp4, 2), false},
        {"wav cut in half", Cut(wav, 0.5), true},
        {"wav scribbled", Scribble(wav, 3), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessMedia media;
        auto playback = media.Open(c.bytes);
        if (c.opens) {
            ASSERT_NE(playback, nullptr);
        }
        if (!playback) continue;
        playback->Play();
        bool ended = false;
        for (int step = 0; step < 100 && !ended; ++step) {
            media.clock.Advance(100);
            ended = playback->Update();
            playback->CurrentFrame();
        }
        EXPECT_TRUE(ended);
        EXPECT_EQ(playback->State(), PlaybackState::kEnded);
    }
}

TEST(FfmpegDamagedFiles, PicturesLargerThanTheLimitsAreNotDecoded) {
    const auto clip = MakeTestVideo({.width = 64, .height = 48, .with_audio = true});
    const auto silent = MakeTestVideo({.width = 64, .height = 48, .with_audio = false});
    const DecoderLimits narrow{.max_side = 60};
    const DecoderLimits small{.max_pixels = 64 * 48 - 1};
    for (const auto& limits : {narrow, small}) {
        // The sound still plays; without sound nothing opens.
        auto decoder = FfmpegDecoder::Open(std::make_unique<BytesFile>(clip), limits);
        ASSERT_NE(decoder, nullptr);
        EXPECT_FALSE(decoder->Info().has_video);
        EXPECT_TRUE(decoder->Info().has_audio);
        EXPECT_EQ(FfmpegDecoder::Open(std::make_unique<BytesFile>(silent), limits), nullptr);
    }
    EXPECT_NE(FfmpegDecoder::Open(std::make_unique<BytesFile>(silent), DecoderLimits{}), nullptr);
}

// The peak memory of this process, in megabytes.
std::int64_t PeakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// The bytes of a kept fuzzing input (hex text, '#' comments).
std::vector<std::uint8_t> KeptInput(const std::string& name) {
    std::ifstream in(std::string(VELK_SOURCE_DIR) + "/fuzz/regressions/media_file/" + name);
    std::string line, hex;
    while (std::getline(in, line)) hex += line.substr(0, line.find('#'));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

TEST(FfmpegDamagedFiles, AHeaderClaimingGigabytesIsNotAllocated) {
    // A WAV whose chunks claim gigabytes made FFmpeg allocate and clear 1.7 GB for 17 s.
    const auto wav = KeptInput("wav_huge_list.hex");
    ASSERT_GT(wav.size(), 2000u);
    const std::int64_t before = PeakMegabytes();
    HeadlessMedia media;
    if (auto playback = media.Open(wav)) {
        playback->Play();
        media.clock.Advance(10000);
        playback->Update();
    }
    EXPECT_LT(PeakMegabytes() - before, 512);
}

TEST(FfmpegDamagedFiles, AMissingFileDoesNotOpen) {
    HeadlessMedia media;
    EXPECT_EQ(media.hub->Open("Z:\\nothing.avi"), nullptr);
}

}  // namespace
}  // namespace velk::media
