// Short media files made at test time with FFmpeg's own encoders, so that no binary fixture is
// kept: videos whose every frame is one flat colour that names the frame (TestFrameColour,
// read back with TestFrameIndex), with or without a steady tone, in AVI (MPEG-4 or MJPEG
// pictures, 16-bit PCM sound at 22 050 Hz mono) or MP4 (MPEG-4 pictures, AAC sound at 44 100 Hz
// stereo), and WAV sound alone.
//
//   WriteTestVideo("/tmp/x/clip.avi", {.width = 64, .height = 48, .fps = 10, .frames = 20});
//   files.AddFile("Z:\\clip.avi", MakeTestVideo({.container = TestContainer::kMp4}));
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/surface.h"

namespace velk::test {

enum class TestContainer { kAvi, kMp4, kWav };
enum class TestVideoCodec { kMpeg4, kMjpeg };

struct TestMedia {
    std::int32_t width = 64;
    std::int32_t height = 48;
    std::int32_t fps = 10;
    std::int32_t frames = 20;  // the length, also of the sound: frames / fps seconds
    bool with_audio = true;
    TestContainer container = TestContainer::kAvi;
    TestVideoCodec codec = TestVideoCodec::kMpeg4;
    std::int32_t keyframe_interval = 10;  // pictures from one keyframe to the next
    std::int32_t tone_hz = 440;
    // Moving stripes around a flat centre (which still names the frame): work for the decoder
    // like a real picture's, for benchmarks.
    bool textured = false;
};

// The colour of every pixel of frame `index` (0 ... 63, then again).
Bgrx TestFrameColour(std::int32_t index);
// The frame whose colour `pixel` is, within what lossy coding changes; -1 for none.
std::int32_t TestFrameIndex(Bgrx pixel);
// The frame a picture shows, by its centre pixel; -1 for none (or no picture).
std::int32_t TestFrameIndex(const Surface* picture);

// The file's bytes; empty when FFmpeg could not make it (the tests then fail on their own).
std::vector<std::uint8_t> MakeTestVideo(const TestMedia& media);
// The same written to a native path; false when it could not be written.
bool WriteTestVideo(const std::string& path, const TestMedia& media);
// A WAV of a tone alone: `ms` long, 16-bit PCM at `sample_rate`, `channels` channels.
std::vector<std::uint8_t> MakeTestWav(std::int32_t ms, std::int32_t sample_rate = 22050,
                                      std::int32_t channels = 1, std::int32_t tone_hz = 440);

}  // namespace velk::test
