// Feeds arbitrary bytes as a media file through the engine's demuxing and decoding (FFmpeg
// reading from memory through the same I/O as a real file): every outcome must be a refusal to
// open or pictures of the stated size and sound in whole stereo frames, in bounded steps, never
// a crash, a hang or an unbounded allocation. A seek into the middle and a few steps more go
// through the seeking paths too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "media/ffmpeg_decoder.h"

namespace {

class MemoryFile : public velk::host::ReadableFile {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}
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

// Steps taken per pass: enough for every seed's whole file.
constexpr int kSteps = 200;

void Check(const velk::media::FfmpegDecoder& decoder, velk::media::FfmpegDecoder::Step step,
           const velk::media::DecodedVideo& video, const velk::media::DecodedAudio& audio) {
    using Step = velk::media::FfmpegDecoder::Step;
    const auto& info = decoder.Info();
    if (step == Step::kVideo && (video.pixels.Width() != info.width ||
                                 video.pixels.Height() != info.height || video.pts_us < 0))
        std::abort();
    if (step == Step::kAudio && (audio.samples.size() % 2 != 0 || audio.pts_us < 0)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using velk::media::FfmpegDecoder;
    // Small pictures only: the limits are what is tested, not the fuzzer's memory.
    const velk::media::DecoderLimits limits{
        .max_side = 1024, .max_pixels = 256 * 256, .probe_bytes = 1 << 16};
    auto decoder = FfmpegDecoder::Open(std::make_unique<MemoryFile>(std::span(data, size)), limits);
    if (!decoder) return 0;
    const auto& info = decoder->Info();
    if (info.has_video && (info.width <= 0 || info.height <= 0 || info.width > 1024 ||
                           std::int64_t(info.width) * info.height > 256 * 256))
        std::abort();
    velk::media::DecodedVideo video;
    velk::media::DecodedAudio audio;
    std::int64_t last_picture = -1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < kSteps; ++i) {
            const auto step = decoder->Next(video, audio);
            if (step == FfmpegDecoder::Step::kEnd) break;
            Check(*decoder, step, video, audio);
            if (step == FfmpegDecoder::Step::kVideo) {
                // Pictures come in time order.
                if (video.pts_us < last_picture) std::abort();
                last_picture = video.pts_us;
            }
        }
        decoder->Seek(info.duration_ms * 500);
        last_picture = -1;
    }
    return 0;
}
