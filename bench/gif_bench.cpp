// An Animated GIF's frame tick at 640 x 480: the next frame chosen and drawn onto the page,
// beside giflib decoding that frame from its file (what a player that decodes frames as it
// shows them pays per tick).
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/pixel_dispatch.h"
#include "document/object.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "gif_test_writer.h"
#include "hosts/headless/recording_ui.h"
#include "objects/animated_gif/gif_kind.h"
#include "objects/draw_object.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

constexpr std::uint16_t kWidth = 640;
constexpr std::uint16_t kHeight = 480;

// Two full frames of a 256-colour picture: bands and a checker, so the LZW codes run long
// enough to be a realistic file.
test::TestGifFrame PictureFrame(int seed) {
    test::TestGifFrame frame;
    frame.width = kWidth;
    frame.height = kHeight;
    frame.delay = 10;
    frame.pixels.resize(std::size_t(kWidth) * kHeight);
    for (std::size_t y = 0; y < kHeight; ++y) {
        for (std::size_t x = 0; x < kWidth; ++x) {
            frame.pixels[y * kWidth + x] =
                static_cast<std::uint8_t>(x / 5 + y / 7 + ((x / 16 + y / 16 + seed) % 2) * 64);
        }
    }
    return frame;
}

std::vector<std::uint8_t> TwoFrameGif() {
    test::TestGif gif;
    gif.width = kWidth;
    gif.height = kHeight;
    for (std::uint32_t i = 0; i < 256; ++i) gif.global_palette.push_back(i * 0x010203u);
    gif.frames = {PictureFrame(0), PictureFrame(1)};
    return test::EncodeTestGif(gif);
}

struct MemoryGif {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

int ReadMemory(GifFileType* file, GifByteType* out, int count) {
    auto* source = static_cast<MemoryGif*>(file->UserData);
    const std::size_t n = std::min<std::size_t>(count, source->bytes->size() - source->at);
    std::memcpy(out, source->bytes->data() + source->at, n);
    source->at += n;
    return static_cast<int>(n);
}

// giflib's decoding of the file's first frame into its colour indices.
void DecodeWithGiflib(const std::vector<std::uint8_t>& file, std::vector<GifByteType>& pixels) {
    MemoryGif source{&file};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadMemory, &error);
    if (gif == nullptr) return;
    GifRecordType record;
    while (DGifGetRecordType(gif, &record) == GIF_OK && record != TERMINATE_RECORD_TYPE) {
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            DGifGetExtension(gif, &code, &block);
            while (block != nullptr) DGifGetExtensionNext(gif, &block);
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) break;
        const int width = gif->Image.Width, height = gif->Image.Height;
        pixels.resize(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            DGifGetLine(gif, pixels.data() + std::size_t(y) * width, width);
        break;
    }
    DGifCloseFile(gif, &error);
}

void BM_GifTickAgainstGiflib(benchmark::State& state) {
    const std::vector<std::uint8_t> file = TwoFrameGif();
    Object gif;
    gif.kind = kKindAnimatedGif;
    gif.rect = {0, 0, kWidth, kHeight};
    gif.gif_data = test::StoredGif(file);
    gif.option1 = 1;  // loop
    gif.option4 = 100;
    Surface surface(kWidth, kHeight);
    FontCache fonts;
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    // The frames are read once, when the object first plays.
    if (GifFramesOf(gif) == nullptr) {
        state.SkipWithError("the benchmark's GIF does not decode");
        return;
    }
    std::vector<GifByteType> reference;
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> velk{0}, giflib{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        StepGifFrame(gif);
        Canvas canvas(surface);
        DrawContext ctx{canvas, fonts, pictures, {}};
        DrawAnimatedGif(gif, ctx);
        benchmark::DoNotOptimize(surface.Pixels().data());
        const auto t1 = Clock::now();
        DecodeWithGiflib(file, reference);
        benchmark::DoNotOptimize(reference.data());
        const auto t2 = Clock::now();
        velk += t1 - t0;
        giflib += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["tick_per_giflib"] = giflib.count() > 0 ? velk.count() / giflib.count() : 0;
    state.SetLabel(PixelLoopLevel());
}
BENCHMARK(BM_GifTickAgainstGiflib)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
