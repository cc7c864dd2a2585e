#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "gfx/image_library.h"
#include "hosts/headless/memory_file_system.h"
#include "image_test_writers.h"

namespace velk {
namespace {

using test::EncodeRunLength;
using test::PackBmpRows;
using test::TestBmp;
using test::WriteTestBmp;
using Colour = std::array<std::uint8_t, 3>;
using Rows = std::vector<std::vector<std::uint32_t>>;

constexpr std::int32_t kWidth = 5;  // odd, so every depth but 32 pads its rows
constexpr std::int32_t kHeight = 3;

RgbImage PictureOf(std::int32_t width, std::int32_t height,
                   const std::function<Colour(int, int)>& colour) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour c = colour(x, y);
            image.pixels.insert(image.pixels.end(), c.begin(), c.end());
        }
    }
    return image;
}

Rows RowsOf(std::int32_t width, std::int32_t height,
            const std::function<std::uint32_t(int, int)>& value) {
    Rows rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) rows[static_cast<std::size_t>(y)].push_back(value(x, y));
    }
    return rows;
}

std::vector<Colour> Palette(int entries) {
    std::vector<Colour> palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back({static_cast<std::uint8_t>(i * 13 + 5),
                           static_cast<std::uint8_t>(250 - i * 7),
                           static_cast<std::uint8_t>(i * 3 + 100)});
    }
    return palette;
}

struct Depth {
    std::uint16_t bits;
    int palette_entries;  // 0: none
    std::function<std::uint32_t(int, int)> value;
    std::function<Colour(std::uint32_t)> colour;
};

std::uint8_t Expand5(std::uint32_t c) {
    return static_cast<std::uint8_t>(c * 8 + 7);
}

std::vector<Depth> Depths() {
    auto from_palette = [](int entries) {
        return [palette = Palette(entries)](std::uint32_t v) { return palette.at(v); };
    };
    auto rgb = [](std::uint32_t v) {
        return Colour{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                      static_cast<std::uint8_t>(v)};
    };
    return {
        {1, 2, [](int x, int y) { return std::uint32_t((x + y) % 2); }, from_palette(2)},
        {4, 16, [](int x, int y) { return std::uint32_t((x + 5 * y) % 16); }, from_palette(16)},
        // A short table: the used-colour count says 20.
        {8, 20, [](int x, int y) { return std::uint32_t((3 * x + 7 * y) % 20); }, from_palette(20)},
        {16, 0,
         [](int x, int y) {
             return std::uint32_t(((x * 7) % 32) << 10 | ((y * 11 + 3) % 32) << 5 |
                                  (x + 5 * y) % 32);
         },
         [](std::uint32_t v) {
             return Colour{Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31)};
         }},
        {24, 0, [](int x, int y) { return std::uint32_t(0x102030 * (x + 1) + 0x050301 * y); }, rgb},
        {32, 0, [](int x, int y) { return std::uint32_t(0x0F1E2D * (x + 2) + 0x030507 * y); }, rgb},
    };
}

TEST(ImageBmp, EveryDepthOrientationAndCompressionDecodesToItsPixels) {
    for (const Depth& depth : Depths()) {
        for (bool bottom_up : {true, false}) {
            std::vector<std::uint32_t> compressions{0};
            if (depth.bits == 8) compressions.push_back(1);
            if (depth.bits == 4) compressions.push_back(2);
            for (std::uint32_t compression : compressions) {
                SCOPED_TRACE(testing::Message()
                             << depth.bits << " bits, " << (bottom_up ? "bottom-up" : "top-down")
                             << ", compression " << compression);
                Rows rows = RowsOf(kWidth, kHeight, depth.value);
                TestBmp bmp(kWidth, bottom_up ? kHeight : -kHeight, depth.bits);
                bmp.compression = compression;
                bmp.palette = Palette(depth.palette_entries);
                if (depth.palette_entries != 0 && depth.palette_entries != (1 << depth.bits)) {
                    bmp.colours_used = static_cast<std::uint32_t>(depth.palette_entries);
                }
                bmp.data = compression == 0 ? PackBmpRows(kWidth, depth.bits, rows, bottom_up)
                                            : EncodeRunLength(depth.bits, rows, bottom_up);
                RgbImage expected = PictureOf(
                    kWidth, kHeight, [&](int x, int y) { return depth.colour(depth.value(x, y)); });
                EXPECT_EQ(LoadBMPMemory(WriteTestBmp(bmp)), expected);
            }
        }
    }
}

TEST(ImageBmp, SixteenBitChannelsBecomeCTimesEightPlusSeven) {
    TestBmp bmp(4, 1, 16);
    bmp.data = PackBmpRows(4, 16, {{0x7FFF, 0x0000, 0x7C00, 0x8421}}, true);
    auto image = LoadBMPMemory(WriteTestBmp(bmp));
    ASSERT_TRUE(image);
    // All ones gives 255, all zeros 7; the top bit of the word is ignored.
    EXPECT_EQ(image->pixels,
              (std::vector<std::uint8_t>{255, 255, 255, 7, 7, 7, 255, 7, 7, 15, 15, 15}));
}

TEST(ImageBmp, ColourIndicesPastTheTableReadAsBlack) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::uint32_t compression;
        std::uint32_t colours_used;
        int table_entries;
    };
    const Case cases[] = {
        {"8-bit, two colours used", 8, 0, 2, 2},
        {"4-bit, three colours used", 4, 0, 3, 3},
        {"1-bit, one colour used", 1, 0, 1, 1},
        {"RLE8, two colours used", 8, 1, 2, 2},
        // More than 256 colours means no table at all.
        {"8-bit, 300 colours used", 8, 0, 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rows rows{{0, 1, (1u << c.bits) - 1}};
        TestBmp bmp(3, 1, c.bits);
        bmp.compression = c.compression;
        bmp.colours_used = c.colours_used;
        bmp.palette = {{9, 8, 7}, {1, 2, 3}, {4, 5, 6}};
        bmp.palette.resize(static_cast<std::size_t>(c.table_entries));
        bmp.data = c.compression == 0 ? PackBmpRows(3, c.bits, rows, true)
                                      : EncodeRunLength(c.bits, rows, true);
        auto image = LoadBMPMemory(WriteTestBmp(bmp));
        ASSERT_TRUE(image);
        std::vector<std::uint8_t> expected;
        for (std::uint32_t index : rows[0]) {
            Colour colour = index < bmp.palette.size() ? bmp.palette[index] : Colour{0, 0, 0};
            expected.insert(expected.end(), colour.begin(), colour.end());
        }
        EXPECT_EQ(image->pixels, expected);
    }
}

TEST(ImageBmp, ColourTableFollowsTheHeaderWhateverItsSize) {
    // A 124-byte header: the table starts at 14 + 124, not at 54.
    TestBmp bmp(2, 1, 8);
    bmp.header_size = 124;
    bmp.colours_used = 2;
    bmp.palette = {{10, 20, 30}, {40, 50, 60}};
    bmp.data = PackBmpRows(2, 8, {{1, 0}}, true);
    auto image = LoadBMPMemory(WriteTestBmp(bmp));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{40, 50, 60, 10, 20, 30}));
}

TEST(ImageBmp, PixelDataStartsAtTheFileHeadersOffset) {
    TestBmp bmp(1, 1, 24);
    bmp.pixel_offset = 100;
    bmp.data = PackBmpRows(1, 24, {{0x112233}}, true);
    auto image = LoadBMPMemory(WriteTestBmp(bmp));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
}

// Run-length streams written by hand: indices are turned into colours through this table, so
// the expected rows below are written as indices.
std::vector<Colour> RunTable() {
    return {{0, 0, 1}, {0, 0, 2}, {0, 0, 3}, {0, 0, 4}, {0, 0, 5}, {0, 0, 6}};
}

std::vector<std::uint32_t> IndicesOf(const RgbImage& image) {
    std::vector<std::uint32_t> indices;
    for (std::size_t i = 2; i < image.pixels.size(); i += 3)
        indices.push_back(image.pixels[i] - 1u);
    return indices;
}

TEST(ImageBmp, RunLengthRules) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::int32_t width, height;
        std::vector<std::uint8_t> stream;
        std::vector<std::uint32_t> expected;  // indices, top row first
    };
    const Case cases[] = {
        {"RLE8 literal run of odd length is padded",
         8,
         4,
         2,
         {0, 3, 1, 2, 3, 0 /*pad*/, 1, 4, 0, 0, 4, 5, 0, 1},
         {5, 5, 5, 5, 1, 2, 3, 4}},
        {"RLE4 runs alternate the two nibbles", 4, 5, 1, {5, 0x12, 0, 1}, {1, 2, 1, 2, 1}},
        {"RLE4 literal run of 5 pixels takes 3 bytes and a pad",
         4,
         5,
         1,
         {0, 5, 0x12, 0x34, 0x50, 0 /*pad*/, 0, 1},
         {1, 2, 3, 4, 5}},
        {"delta moves right and to a later stored line; skipped pixels are index 0",
         8,
         3,
         2,
         {1, 2, 0, 2, 1, 1, 1, 3, 0, 1},
         {0, 0, 3, 2, 0, 0}},
        {"a run past the row's end is clipped, not carried into the next line",
         8,
         3,
         2,
         {255, 4, 0, 0, 1, 1, 0, 1},
         {1, 0, 0, 4, 4, 4}},
        {"a literal run past the row's end is clipped", 8, 2, 1, {0, 4, 1, 2, 3, 4, 0, 1}, {1, 2}},
        {"a delta past the picture drops what follows",
         8,
         2,
         2,
         {1, 5, 0, 2, 0, 9, 2, 3, 0, 1},
         {0, 0, 5, 0}},
        {"lines past the top are ignored", 8, 1, 1, {1, 3, 0, 0, 1, 4, 0, 0, 1, 5}, {3}},
        {"a stream ending without its end mark keeps what it drew", 8, 2, 1, {2, 4}, {4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBmp bmp(c.width, c.height, c.bits);
        bmp.compression = c.bits == 8 ? 1 : 2;
        bmp.palette = RunTable();
        bmp.colours_used = static_cast<std::uint32_t>(bmp.palette.size());
        bmp.data = c.stream;
        auto image = LoadBMPMemory(WriteTestBmp(bmp));
        ASSERT_TRUE(image);
        EXPECT_EQ(IndicesOf(*image), c.expected);
    }
}

std::vector<std::uint8_t> Valid24Bit() {
    TestBmp bmp(2, 2, 24);
    bmp.data = PackBmpRows(2, 24, {{1, 2}, {3, 4}}, true);
    return WriteTestBmp(bmp);
}

void SetU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(ImageBmp, HostileHeadersFailCleanly) {
    ASSERT_TRUE(LoadBMPMemory(Valid24Bit()));
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    };
    const Case cases[] = {
        {"empty file", [](auto& b) { b.clear(); }},
        {"not BM", [](auto& b) { b[1] = 'A'; }},
        {"cut inside the file header", [](auto& b) { b.resize(10); }},
        {"cut inside the information header", [](auto& b) { b.resize(14 + 30); }},
        {"12-byte header", [](auto& b) { SetU32(b, 14, 12); }},
        {"width 0", [](auto& b) { SetU32(b, 18, 0); }},
        {"negative width", [](auto& b) { SetU32(b, 18, static_cast<std::uint32_t>(-2)); }},
        {"height 0", [](auto& b) { SetU32(b, 22, 0); }},
        {"height INT_MIN", [](auto& b) { SetU32(b, 22, static_cast<std::uint32_t>(INT_MIN)); }},
        {"2 bits per pixel", [](auto& b) { b[28] = 2; }},
        {"0 bits per pixel", [](auto& b) { b[28] = 0; }},
        {"bit-field compression", [](auto& b) { SetU32(b, 30, 3); }},
        {"RLE8 at 24 bits", [](auto& b) { SetU32(b, 30, 1); }},
        {"JPEG compression", [](auto& b) { SetU32(b, 30, 4); }},
        {"huge width and height", [](auto& b) { SetU32(b, 18, 100000), SetU32(b, 22, 100000); }},
        {"width whose row size overflows 32 bits",
         [](auto& b) { SetU32(b, 18, 0x7FFFFFFF), SetU32(b, 22, 1); }},
        {"just above the size cap", [](auto& b) { SetU32(b, 18, 5000), SetU32(b, 22, 5001); }},
        {"rows missing", [](auto& b) { SetU32(b, 22, 3); }},
        {"last byte missing", [](auto& b) { b.pop_back(); }},
        {"pixel offset past the end", [](auto& b) { SetU32(b, 10, 0xFFFFFFF0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes = Valid24Bit();
        c.damage(bytes);
        EXPECT_EQ(LoadBMPMemory(bytes), std::nullopt);
    }
}

TEST(ImageBmp, TruncatedTablesAndStreamsFail) {
    TestBmp table(2, 1, 8);
    table.colours_used = 16;
    table.palette = Palette(16);
    table.data = PackBmpRows(2, 8, {{1, 2}}, true);
    std::vector<std::uint8_t> bytes = WriteTestBmp(table);
    ASSERT_TRUE(LoadBMPMemory(bytes));
    bytes.resize(14 + 40 + 10 * 4);  // the table stops after 10 entries
    EXPECT_EQ(LoadBMPMemory(bytes), std::nullopt);

    // A header size that puts the table far past the end of the file.
    std::vector<std::uint8_t> far = WriteTestBmp(table);
    SetU32(far, 14, 0xFFFFFF00);
    EXPECT_EQ(LoadBMPMemory(far), std::nullopt);

    TestBmp literal(16, 1, 8);
    literal.compression = 1;
    literal.colours_used = 2;
    literal.palette = Palette(2);
    literal.data = {0, 10, 1, 1, 1};  // promises 10 literal bytes, holds 3
    EXPECT_EQ(LoadBMPMemory(WriteTestBmp(literal)), std::nullopt);
}

TEST(ImageBmp, FilesAreReadThroughTheFileSystem) {
    headless::MemoryFileSystem files;
    files.AddFile("Z:\\pictures\\Photo.bmp", Valid24Bit());
    auto image = LoadBMPFile(files, "z:\\PICTURES\\photo.BMP");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(LoadBMPFile(files, "Z:\\pictures\\missing.bmp"), std::nullopt);
    EXPECT_EQ(LoadBMPFile(files, ""), std::nullopt);
}

TEST(ImageBmp, PackedBitmapsDecodeLikeFiles) {
    TestBmp bmp(3, -2, 4);
    bmp.colours_used = 5;
    bmp.palette = Palette(5);
    bmp.data = PackBmpRows(3, 4, {{0, 1, 2}, {3, 4, 0}}, false);
    std::vector<std::uint8_t> file = WriteTestBmp(bmp);
    std::vector<std::uint8_t> packed(file.begin() + 14, file.end());
    auto from_file = LoadBMPMemory(file);
    ASSERT_TRUE(from_file);
    EXPECT_EQ(DIBToRGB(packed), from_file);

    // A 24-bit packed bitmap stores the colours it says it uses before its rows.
    TestBmp rgb(1, 1, 24);
    rgb.colours_used = 2;
    rgb.palette = Palette(2);
    rgb.data = PackBmpRows(1, 24, {{0xABCDEF}}, true);
    std::vector<std::uint8_t> rgb_file = WriteTestBmp(rgb);
    auto image = DIBToRGB(std::span(rgb_file).subspan(14));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0xAB, 0xCD, 0xEF}));
}

}  // namespace
}  // namespace velk
