// Writes the seed corpora of the picture loaders: a BMP file of every depth, orientation and
// compression, JPEG streams of every colour space and GIF files, made by the same writers as
// the tests.
// Usage: image_seed_writer CORPUS_DIR (the stamp file CORPUS_DIR/image_seeds.stamp is written
// last).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gif_test_writer.h"
#include "image_test_writers.h"

namespace {

namespace fs = std::filesystem;
using velk::test::TestBmp;

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::vector<std::uint32_t>> Rows(int width, int height, std::uint32_t modulo) {
    std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t v = std::uint32_t(x * 2654435761u + y * 40503u) % modulo;
            // Runs of equal values for the run-length streams.
            rows[static_cast<std::size_t>(y)].push_back(
                x % 3 == 0 ? v : rows[static_cast<std::size_t>(y)].back());
        }
    }
    return rows;
}

void WriteBmpSeeds(const fs::path& dir) {
    const int width = 7, height = 5;
    for (std::uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        for (bool bottom_up : {true, false}) {
            std::vector<std::uint32_t> compressions{0};
            if (bits == 8) compressions.push_back(1);
            if (bits == 4) compressions.push_back(2);
            for (std::uint32_t compression : compressions) {
                std::uint32_t modulo = bits <= 8 ? 1u << bits : bits == 16 ? 0x8000u : 0x1000000u;
                auto rows = Rows(width, height, modulo);
                TestBmp bmp(width, bottom_up ? height : -height, bits);
                bmp.compression = compression;
                if (bits <= 8) {
                    for (std::uint32_t i = 0; i < (1u << bits); ++i) {
                        bmp.palette.push_back(
                            {std::uint8_t(i * 5), std::uint8_t(255 - i), std::uint8_t(i * 3)});
                    }
                }
                bmp.data = compression == 0 ? velk::test::PackBmpRows(width, bits, rows, bottom_up)
                                            : velk::test::EncodeRunLength(bits, rows, bottom_up);
                Write(dir / ("bmp" + std::to_string(bits) + (bottom_up ? "_up" : "_down") +
                             (compression ? "_rle" : "") + ".bmp"),
                      velk::test::WriteTestBmp(bmp));
            }
        }
    }
    // A large header with a short colour table, and a hand-written stream with literal runs,
    // a delta and a run past the row's end.
    TestBmp large(3, 2, 8);
    large.header_size = 124;
    large.colours_used = 3;
    large.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    large.data = velk::test::PackBmpRows(3, 8, {{0, 1, 2}, {2, 7, 0}}, true);
    Write(dir / "bmp8_v5_header.bmp", velk::test::WriteTestBmp(large));
    TestBmp runs(6, 3, 4);
    runs.compression = 2;
    runs.colours_used = 4;
    runs.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    runs.data = {0, 5, 0x12, 0x30, 0x10, 0, 0, 2, 1, 1, 9, 0x23, 0, 0, 0, 3, 0x11, 0x20, 0, 1};
    Write(dir / "bmp4_rle_escapes.bmp", velk::test::WriteTestBmp(runs));
}

void WriteJpegSeeds(const fs::path& dir) {
    const int width = 24, height = 16;
    std::vector<std::uint8_t> grey, rgb, cmyk;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            grey.push_back(std::uint8_t(x * 10 + y));
            rgb.insert(rgb.end(),
                       {std::uint8_t(x * 10), std::uint8_t(y * 15), std::uint8_t(x * y)});
            cmyk.insert(cmyk.end(), {std::uint8_t(255 - x * 10), std::uint8_t(y * 15), 200,
                                     std::uint8_t(255 - x)});
        }
    }
    using velk::test::EncodeTestJpeg;
    Write(dir / "grey.jpg", EncodeTestJpeg(width, height, 1, grey));
    Write(dir / "rgb.jpg", EncodeTestJpeg(width, height, 3, rgb));
    Write(dir / "rgb_progressive.jpg", EncodeTestJpeg(width, height, 3, rgb, false, 80, true));
    Write(dir / "cmyk.jpg", EncodeTestJpeg(width, height, 4, cmyk));
    Write(dir / "ycck.jpg", EncodeTestJpeg(width, height, 4, cmyk, true));
}

}  // namespace

// GIF files of the Animated GIF decoder: still and animated, global and local tables,
// interlaced, with controls and transparency, and one without its trailer.
void WriteGifSeeds(const fs::path& dir) {
    using velk::test::TestGif;
    using velk::test::TestGifFrame;
    TestGifFrame frame;
    frame.width = 7;
    frame.height = 9;
    for (int i = 0; i < 63; ++i) frame.pixels.push_back(std::uint8_t(i % 5 == 0 ? 0 : i % 4));
    TestGif still{.width = 7,
                  .height = 9,
                  .background = 1,
                  .global_palette = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF},
                  .frames = {frame},
                  .version = "87a"};
    Write(dir / "still.gif", velk::test::EncodeTestGif(still));

    TestGif animated = still;
    animated.version = "89a";
    TestGifFrame second = frame;
    second.left = 2;
    second.width = 3;
    second.height = 21;
    second.pixels.assign(63, 1);
    second.interlaced = true;
    second.disposal = 3;
    second.delay = 12;
    second.transparent = 1;
    second.local_palette = {0x123456, 0x654321};
    animated.frames.push_back(second);
    Write(dir / "animated.gif", velk::test::EncodeTestGif(animated));
    auto cut = velk::test::EncodeTestGif(animated);
    cut.pop_back();
    Write(dir / "no_trailer.gif", cut);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: image_seed_writer CORPUS_DIR\n");
        return 2;
    }
    const fs::path root(argv[1]);
    fs::create_directories(root / "bmp_loader");
    fs::create_directories(root / "jpeg_loader");
    fs::create_directories(root / "gif_decoder");
    WriteBmpSeeds(root / "bmp_loader");
    WriteJpegSeeds(root / "jpeg_loader");
    WriteGifSeeds(root / "gif_decoder");
    Write(root / "image_seeds.stamp", {});
    return 0;
}
