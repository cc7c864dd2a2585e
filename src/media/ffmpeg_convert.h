// The two conversions of decoded media: pictures to the drawing layer's BGRX pixels at the
// video's native size (swscale; a picture whose size changes in the stream is scaled back to
// it), and sound to the mixer's 16-bit stereo at 44 100 Hz (swresample; a change of format or
// rate in the stream builds a new resampler).
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/surface.h"

struct AVFrame;
struct SwsContext;
struct SwrContext;

namespace velk::media {

class VideoConverter {
  public:
    VideoConverter(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
    ~VideoConverter();
    VideoConverter(const VideoConverter&) = delete;
    VideoConverter& operator=(const VideoConverter&) = delete;

    // Converts `frame` into `out` (made the native size when it is not). False when the frame
    // cannot be converted (no pixels, an unknown format).
    bool Convert(const AVFrame& frame, Surface& out);

  private:
    std::int32_t width_;
    std::int32_t height_;
    SwsContext* context_ = nullptr;
};

class AudioConverter {
  public:
    AudioConverter() = default;
    ~AudioConverter();
    AudioConverter(const AudioConverter&) = delete;
    AudioConverter& operator=(const AudioConverter&) = delete;

    // Appends `frame` as interleaved 16-bit stereo at 44 100 Hz to `out`. False when it cannot
    // be converted.
    bool Convert(const AVFrame& frame, std::vector<std::int16_t>& out);
    // Forgets what the resampler held back (after a seek).
    void Reset();

  private:
    SwrContext* context_ = nullptr;
    int in_rate_ = 0;
    int in_format_ = -1;
    std::uint64_t in_layout_key_ = 0;
};

}  // namespace velk::media
