// One media file demuxed and decoded by FFmpeg, one step at a time, on whichever thread calls
// it (the playback's worker; the fuzz target and the benchmark call it directly). Pictures come
// out converted once to the drawing layer's pixels at the video's native size, sound resampled
// to the mixer's 16-bit stereo at 44 100 Hz, each stamped with its media time.
//
// The file is untrusted: the opening is bounded in time and in what it probes, pictures larger
// than the limits are refused, a damaged packet is skipped, and a file that yields nothing
// decodable does not open.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/surface.h"
#include "host/host.h"
#include "media/playback.h"

namespace velk::media {

struct DecoderLimits {
    std::int32_t max_side = 8192;  // widest and tallest picture taken
    std::int64_t max_pixels = Surface::kMaxPixels;
    std::int64_t open_ms = 5000;  // real time the opening (probing and first decode) may take
    std::int64_t probe_bytes = 2 << 20;
};

struct DecodedVideo {
    std::int64_t pts_us = 0;
    Surface pixels;
};

struct DecodedAudio {
    std::int64_t pts_us = 0;
    std::vector<std::int16_t> samples;  // interleaved stereo, 44 100 frames a second
};

class FfmpegDecoder {
  public:
    enum class Step { kVideo, kAudio, kEnd };

    // None when the file cannot be read as media or nothing in it decodes.
    static std::unique_ptr<FfmpegDecoder> Open(std::unique_ptr<host::ReadableFile> file,
                                               const DecoderLimits& limits = {});
    ~FfmpegDecoder();
    FfmpegDecoder(const FfmpegDecoder&) = delete;
    FfmpegDecoder& operator=(const FfmpegDecoder&) = delete;

    const MediaInfo& Info() const;
    // The length of one frame in microseconds (from the frame rate; 40 ms when unknown).
    std::int64_t FrameDurationUs() const;

    // Decodes up to the next picture (into `video`, whose surface is reused when it has the
    // native size) or the next piece of sound (into `audio`); kEnd once nothing more comes.
    // Pictures come in time order.
    Step Next(DecodedVideo& video, DecodedAudio& audio);

    // Moves to `position_us`: the next picture is the one showing at that time (the last that
    // starts at or before it) and sound starts exactly there. False when the file cannot seek;
    // then the decoder has ended.
    bool Seek(std::int64_t position_us);

    // Any thread: the decoder stops at once; every later step ends.
    void Interrupt();

  private:
    struct State;
    explicit FfmpegDecoder(std::unique_ptr<State> state);
    std::unique_ptr<State> s_;
};

}  // namespace velk::media
