#include "gfx/pixel_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace velk {
namespace {

// Whatever vector level the machine picks, each kernel must give the bytes of the plain loop,
// at every length (vector bodies and their tails) and at every offset into a row.
std::vector<Bgrx> RandomPixels(std::mt19937& random, std::size_t count) {
    std::vector<Bgrx> pixels(count);
    for (Bgrx& p : pixels) p = random();
    return pixels;
}

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
    return bytes;
}

TEST(PixelRowsTest, EveryKernelMatchesThePlainLoopAtEveryLength) {
    std::mt19937 random(7);
    for (std::size_t count = 0; count < 140; ++count) {
        const std::size_t offset = count % 3;
        const std::vector<Bgrx> row = RandomPixels(random, count + offset);
        const Bgrx colour = random();
        std::vector<std::uint8_t> rgb = RandomBytes(random, 3 * (count + offset));
        // Some triplets are the key colour.
        const Bgrx key = MakeBgrx(12, 34, 56);
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 9) {
            rgb[i] = RedOf(key), rgb[i + 1] = GreenOf(key), rgb[i + 2] = BlueOf(key);
        }
        const std::vector<std::uint8_t> coverage = RandomBytes(random, count + offset);

        std::vector<Bgrx> fill = row, want_fill = row;
        FillPixels(fill.data() + offset, count, colour);
        std::vector<Bgrx> xored = row, want_xored = row;
        XorPixels(xored.data() + offset, count, colour);
        std::vector<Bgrx> inverted = row, want_inverted = row;
        InvertPixels(inverted.data() + offset, count);
        std::vector<Bgrx> copied = row, want_copied = row;
        RgbToPixels(rgb.data() + 3 * offset, copied.data() + offset, count);
        std::vector<Bgrx> keyed = row, want_keyed = row;
        KeyedRgbToPixels(rgb.data() + 3 * offset, keyed.data() + offset, count, key);
        std::vector<Bgrx> covered = row, want_covered = row;
        CoverPixels(coverage.data() + offset, covered.data() + offset, count, colour);

        for (std::size_t i = offset; i < offset + count; ++i) {
            want_fill[i] = colour & 0xFFFFFF;
            want_xored[i] = (row[i] ^ colour) & 0xFFFFFF;
            want_inverted[i] = ~row[i] & 0xFFFFFF;
            const Bgrx picture = MakeBgrx(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
            want_copied[i] = picture;
            if (picture != key) want_keyed[i] = picture;
            const unsigned a = coverage[i];
            auto mix = [a](unsigned c, unsigned d) { return (c * a + d * (255 - a) + 127) / 255; };
            if (a != 0) {
                want_covered[i] =
                    MakeBgrx(static_cast<std::uint8_t>(mix(RedOf(colour), RedOf(row[i]))),
                             static_cast<std::uint8_t>(mix(GreenOf(colour), GreenOf(row[i]))),
                             static_cast<std::uint8_t>(mix(BlueOf(colour), BlueOf(row[i]))));
            }
        }
        EXPECT_EQ(fill, want_fill) << count;
        EXPECT_EQ(xored, want_xored) << count;
        EXPECT_EQ(inverted, want_inverted) << count;
        EXPECT_EQ(copied, want_copied) << count;
        EXPECT_EQ(keyed, want_keyed) << count;
        EXPECT_EQ(covered, want_covered) << count;
    }
}

// The coverage mix divides by 255 without a division: checked for every colour, pixel and
// coverage value.
TEST(PixelRowsTest, CoverageMixRoundsLikeTheDivisionEverywhere) {
    std::vector<std::uint8_t> coverage(256 * 256);
    std::vector<Bgrx> row(256 * 256);
    for (unsigned c = 0; c < 256; ++c) {
        for (unsigned i = 0; i < coverage.size(); ++i) {
            coverage[i] = static_cast<std::uint8_t>(i >> 8);
            row[i] = MakeBgrx(static_cast<std::uint8_t>(i), 0, 0);
        }
        CoverPixels(coverage.data(), row.data(), row.size(),
                    MakeBgrx(static_cast<std::uint8_t>(c), 0, 0));
        for (unsigned i = 0; i < coverage.size(); ++i) {
            const unsigned a = i >> 8, d = i & 0xFF;
            const unsigned want = a == 0 ? d : (c * a + d * (255 - a) + 127) / 255;
            ASSERT_EQ(RedOf(row[i]), want) << "colour " << c << " coverage " << a << " pixel " << d;
        }
    }
}

}  // namespace
}  // namespace velk
