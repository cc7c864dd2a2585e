// Feeds arbitrary bytes to the GIF decoder of Animated GIF objects: every outcome must be a
// whole file or a refusal, never a crash, a hang, a read past the end or an allocation beyond
// the frames' own sizes. Decoded frames must hold exactly their pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "codec/gif_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto gif = velk::DecodeGif(std::span<const std::uint8_t>(data, size));
    if (!gif) return 0;
    for (std::size_t i = 0; i < gif->frames.size(); ++i) {
        const velk::GifFrame& frame = gif->frames[i];
        const auto pixels = std::size_t(frame.width) * std::size_t(frame.height);
        if (frame.pixels.size() != pixels) std::abort();
        if (velk::GifFrameDelay(*gif, std::int64_t(i)) == 0) std::abort();
    }
    return 0;
}
