#include "gfx/dib_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "codec/zlib_codec.h"
#include "gfx/canvas.h"
#include "hosts/headless/recording_ui.h"
#include "raw_archive.h"

namespace velk {
namespace {

using testing_support::Raw;

constexpr char kCaption[] = "Velk Player";
constexpr char kWritingFailed[] = "Writing failed - Memory??";
constexpr char kUncompressionFailed[] = "Uncompression failed ";
constexpr char kCorrupted[] = "Corupted Data!";
constexpr char kReadError[] = "Bitmap:: Data Read Error!";

RgbImage Image(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> pixels) {
    return {width, height, std::move(pixels)};
}

// A store filled with a distinct colour per pixel.
DibSection Patterned(std::int32_t width, std::int32_t height) {
    DibSection store;
    store.Recreate(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            store.Pixels().Set(
                x, y,
                MakeBgrx(std::uint8_t(10 + x), std::uint8_t(100 + y), std::uint8_t(x * 16 + y)));
        }
    }
    return store;
}

std::vector<std::uint8_t> Write(const DibSection& store, headless::RecordingUi& ui) {
    ByteWriter out;
    store.Serialize(out, ui);
    return out.Take();
}

// ---------------------------------------------------------------------------------------------
// Creation

TEST(DibSectionTest, NewStoreIsAnEmptyEightByEightBlackPlaceholder) {
    DibSection store;
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_EQ(store.Width(), 8);
    EXPECT_EQ(store.Height(), 8);
    EXPECT_EQ(store.GetSizeImage(), 8 * 8 * 4);
    EXPECT_EQ(store.Pixels(), Surface(8, 8, 0));
    EXPECT_FALSE(store.UseMapping());
}

TEST(DibSectionTest, CreateKeepsTheEmptyFlagAndRecreateClearsIt) {
    DibSection store;
    store.Create(3, 2);
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_EQ(store.GetSizeImage(), 24);

    store.Pixels().Fill(0x123456);
    store.Recreate(2, 5);
    EXPECT_FALSE(store.IsEmpty());
    EXPECT_EQ(store.Pixels(), Surface(2, 5, 0));  // zero-filled
    store.Create(1, 1);
    EXPECT_FALSE(store.IsEmpty());  // never empty again
}

TEST(DibSectionTest, ImpossibleSizesRaiseOutOfMemoryAndKeepThePixels) {
    DibSection store;
    store.Recreate(2, 2);
    store.Pixels().Fill(0xABCDEF);
    EXPECT_THROW(store.Recreate(-1, 4), std::bad_alloc);
    EXPECT_THROW(store.Create(4, -1), std::bad_alloc);
    EXPECT_THROW(store.Recreate(16385, 16384), std::bad_alloc);
    EXPECT_EQ(store.Pixels(), Surface(2, 2, 0xABCDEF));
}

TEST(DibSectionTest, InfoHeaderDescribesBottomUpThirtyTwoBitPixels) {
    DibSection store;
    store.Recreate(300, 2);
    const std::array<std::uint8_t, 40> expected = {
        40, 0, 0, 0,  // size
        44, 1, 0, 0,  // width 300
        2,  0, 0, 0,  // height, positive: bottom-up
        1,  0,        // planes
        32, 0,        // bits per pixel
    };                // compression, image size, resolutions and colour counts all 0
    EXPECT_EQ(store.InfoHeader(), expected);
}

TEST(DibSectionTest, MappingNeedsTheFlagAndBothSidesAboveTwelveHundred) {
    struct Case {
        bool flag;
        std::int32_t width, height;
        bool mapped;
    };
    const Case cases[] = {
        {true, 1201, 1201, true},     {true, 1200, 5000, false},  {true, 5000, 1200, false},
        {true, 1200, 1200, false},    {false, 1201, 1201, false}, {true, 16384, 1201, true},
        {false, 16384, 16384, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DibSection::WouldMap(c.flag, c.width, c.height), c.mapped)
            << c.flag << " " << c.width << " x " << c.height;
    }

    DibSection store;
    store.SetUseMapping(true);
    store.Recreate(1201, 1201);
    EXPECT_TRUE(store.IsMapped());
    store.Recreate(1200, 5000);
    EXPECT_FALSE(store.IsMapped());
    // The flag is consulted when pixels are created, not afterwards.
    store.Recreate(1201, 1201);
    store.SetUseMapping(false);
    EXPECT_TRUE(store.IsMapped());
    store.Recreate(1201, 1201);
    EXPECT_FALSE(store.IsMapped());
}

// ---------------------------------------------------------------------------------------------
// Conversions

TEST(DibSectionTest, CopyFromRgbSwapsToBlueGreenRedAndStoresRowsBottomUp) {
    // Row 0: (1,2,3) (4,5,6); row 1: (7,8,9) (10,11,12).
    DibSection store;
    Surface& pixels = store.CopyFromRGB(Image(2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(&pixels, &store.Pixels());
    EXPECT_FALSE(store.IsEmpty());
    EXPECT_EQ(pixels.At(0, 0), MakeBgrx(1, 2, 3));
    EXPECT_EQ(pixels.At(1, 1), MakeBgrx(10, 11, 12));
    // Device-independent bytes: the picture's bottom row comes first, each pixel B, G, R, X.
    const std::vector<std::uint8_t> expected = {9, 8, 7, 0, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 0};
    EXPECT_EQ(store.BitsBottomUp(), expected);
}

TEST(DibSectionTest, CopyFromRgbReadsMissingBytesAsBlack) {
    DibSection store;
    store.CopyFromRGB(Image(2, 2, {1, 2, 3, 4, 5}));
    EXPECT_EQ(store.Pixels().At(0, 0), MakeBgrx(1, 2, 3));
    EXPECT_EQ(store.Pixels().At(1, 0), 0u);
    EXPECT_EQ(store.Pixels().At(1, 1), 0u);
}

TEST(DibSectionTest, SetBitsBottomUpIgnoresTheFourthByte) {
    DibSection store;
    store.Recreate(1, 2);
    store.SetBitsBottomUp(std::vector<std::uint8_t>{1, 2, 3, 0xFF, 4, 5, 6, 0x80});
    EXPECT_EQ(store.Pixels().At(0, 1), MakeBgrx(3, 2, 1));
    EXPECT_EQ(store.Pixels().At(0, 0), MakeBgrx(6, 5, 4));
}

TEST(DibSectionTest, CopyFromBitmapTakesSizeAndPixels) {
    Surface bitmap(3, 1, 0x102030);
    bitmap.Set(2, 0, 0x405060);
    DibSection store;
    EXPECT_TRUE(store.CopyFromBitmap(bitmap));
    EXPECT_FALSE(store.IsEmpty());
    EXPECT_EQ(store.Pixels(), bitmap);
}

// ---------------------------------------------------------------------------------------------
// Drawing and capture

TEST(DibSectionTest, EmptyStoreDrawsNothing) {
    DibSection store;
    store.Pixels().Fill(0xFFFFFF);  // even a placeholder with content stays undrawn
    Surface target(10, 10, 0x111111);
    dib::PixelTarget to(target);
    store.Draw(to, 0, 0);
    store.StretchDraw(to, 0, 0, 10, 10);
    EXPECT_EQ(target, Surface(10, 10, 0x111111));
}

TEST(DibSectionTest, DrawCopiesOneToOneInsideTheClipWithTheOrigin) {
    DibSection store = Patterned(3, 2);
    Surface target(8, 6, 0x111111);
    // Logical (x, y) lands at surface (x + 2, y + 1); only columns 3.. and rows ..2 may change.
    dib::PixelTarget to(target, Rect{3, 0, 8, 3}, Point{2, 1});
    store.Draw(to, 0, 0);
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 8; ++x) {
            bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            bool clipped = x < 3 || y >= 3;
            Bgrx expected = inside && !clipped ? store.Pixels().At(x - 2, y - 1) : Bgrx{0x111111};
            EXPECT_EQ(target.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(DibSectionTest, DrawClipsAtTheSurfaceEdges) {
    DibSection store = Patterned(4, 4);
    Surface target(3, 3, 0);
    dib::PixelTarget to(target, Rect{-100, -100, 100, 100}, Point{});
    store.Draw(to, -2, 1);
    EXPECT_EQ(target.At(0, 1), store.Pixels().At(2, 0));
    EXPECT_EQ(target.At(1, 2), store.Pixels().At(3, 1));
    EXPECT_EQ(target.At(2, 1), 0u);
    EXPECT_EQ(target.At(0, 0), 0u);
    store.Draw(to, INT32_MAX, INT32_MIN);  // far away: nothing, no overflow
}

TEST(DibSectionTest, StretchDrawMergesByModeAndMirrorsNegativeSizes) {
    DibSection store;
    store.Recreate(5, 1);
    const Bgrx source[5] = {0xF0F0F0, 0x3C3C3C, 0x0F0F0F, 0x808080, 0x010101};
    for (std::int32_t x = 0; x < 5; ++x) store.Pixels().Set(x, 0, source[x]);

    struct Case {
        StretchMode mode;
        Bgrx first, second;
    };
    const Case cases[] = {
        {StretchMode::kBlackOnWhite, 0xF0F0F0 & 0x3C3C3C & 0x0F0F0F, 0x808080 & 0x010101},
        {StretchMode::kWhiteOnBlack, 0xF0F0F0 | 0x3C3C3C | 0x0F0F0F, 0x808080 | 0x010101},
        {StretchMode::kColorOnColor, 0x0F0F0F, 0x010101},
        {StretchMode::kHalftone, 0x696969, 0x404040},
    };
    for (const Case& c : cases) {
        Surface target(4, 1, 0x777777);
        dib::PixelTarget to(target);
        store.StretchDraw(to, 1, 0, 2, 1, c.mode);
        EXPECT_EQ(target.At(0, 0), 0x777777u);
        EXPECT_EQ(target.At(1, 0), c.first) << int(c.mode);
        EXPECT_EQ(target.At(2, 0), c.second) << int(c.mode);
        EXPECT_EQ(target.At(3, 0), 0x777777u);
    }

    // Enlarged 5 -> 10 and mirrored: width -10 from x = 9 covers columns 0 ... 9 reversed.
    Surface target(10, 2, 0);
    dib::PixelTarget to(target);
    store.StretchDraw(to, 9, 0, -10, 2);
    for (std::int32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(target.At(x, 0), source[(9 - x) / 2]) << x;
        EXPECT_EQ(target.At(x, 1), source[(9 - x) / 2]) << x;
    }
    Surface untouched(10, 2, 0x555555);
    dib::PixelTarget none(untouched);
    store.StretchDraw(none, 0, 0, 0, 2);
    store.StretchDraw(none, 0, 0, 10, 0);
    EXPECT_EQ(untouched, Surface(10, 2, 0x555555));
}

TEST(DibSectionTest, StretchDrawHonoursTheClip) {
    DibSection store = Patterned(2, 2);
    Surface target(6, 6, 0x111111);
    dib::PixelTarget to(target, Rect{0, 0, 2, 6}, Point{1, 0});
    store.StretchDraw(to, 0, 0, 4, 4);  // surface columns 1 ... 4, only 1 is visible
    EXPECT_EQ(target.At(0, 0), 0x111111u);
    EXPECT_EQ(target.At(1, 0), store.Pixels().At(0, 0));
    EXPECT_EQ(target.At(1, 3), store.Pixels().At(0, 1));
    EXPECT_EQ(target.At(2, 0), 0x111111u);
    EXPECT_EQ(target.At(1, 4), 0x111111u);
}

TEST(DibSectionTest, CaptureReadsTheTargetAndBlackOutsideIt) {
    Surface screen(4, 4);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) screen.Set(x, y, Bgrx(0x010000 * x + y + 1));
    }
    DibSection store;
    // Logical (1, 2) is surface (2, 2) with the origin (1, 0).
    ASSERT_TRUE(store.CaptureFromDC(screen, Point{1, 0}, 1, 2, 3, 3));
    EXPECT_FALSE(store.IsEmpty());
    EXPECT_EQ(store.Width(), 3);
    EXPECT_EQ(store.Height(), 3);
    EXPECT_EQ(store.Pixels().At(0, 0), screen.At(2, 2));
    EXPECT_EQ(store.Pixels().At(1, 1), screen.At(3, 3));
    EXPECT_EQ(store.Pixels().At(2, 0), 0u);  // column 4 is off the surface
    EXPECT_EQ(store.Pixels().At(0, 2), 0u);  // row 4 as well

    EXPECT_FALSE(store.CaptureFromDC(screen, Point{}, 0, 0, 0, 3));
    EXPECT_EQ(store.Width(), 0);
    EXPECT_EQ(store.Height(), 3);
}

// ---------------------------------------------------------------------------------------------
// Three-state alpha pictures

// A 4 x 4 picture: colours of states 0, 1, 2 in three quadrants, alphas in the fourth.
RgbImage StatePicture(std::uint8_t alpha0, std::uint8_t alpha1, std::uint8_t alpha2) {
    RgbImage image{4, 4, std::vector<std::uint8_t>(48, 0)};
    auto set = [&](std::int32_t x, std::int32_t y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::size_t at = (std::size_t(y) * 4 + std::size_t(x)) * 3;
        image.pixels[at] = r;
        image.pixels[at + 1] = g;
        image.pixels[at + 2] = b;
    };
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 2; ++x) {
            set(x, y, 200, 0, 255);        // state 0
            set(x + 2, y, 0, 200, 255);    // state 1
            set(x, y + 2, 255, 255, 200);  // state 2
            set(x + 2, y + 2, alpha0, alpha1, alpha2);
        }
    }
    return image;
}

TEST(DibSectionTest, DrawStatesComposesEachStateWithItsAlphaByte) {
    const Bgrx background = MakeBgrx(100, 50, 0);
    // Expected channel: (c * a + b * (255 - a)) >> 8, exact at a = 0 and a = 255.
    struct Case {
        std::uint8_t alpha;
        std::int32_t state;
        Bgrx expected;
    };
    const Case cases[] = {
        {255, 0, MakeBgrx(200, 0, 255)},
        {0, 0, background},
        {128, 0, MakeBgrx(149, 24, 127)},  // (200*128+100*127)>>8, (50*127)>>8, (255*128)>>8
        {1, 0, MakeBgrx(100, 49, 0)},      // (200+100*254)>>8, (50*254)>>8, 255>>8
        {254, 0, MakeBgrx(198, 0, 253)},   // (200*254+100)>>8, 50>>8, (255*254)>>8
        {255, 1, MakeBgrx(0, 200, 255)},
        {128, 1, MakeBgrx(49, 124, 127)},  // (100*127)>>8, (200*128+50*127)>>8
        {0, 1, background},
        {255, 2, MakeBgrx(255, 255, 200)},
        {128, 2, MakeBgrx(177, 152, 100)},  // (255*128+12700)>>8, (255*128+6350)>>8, 25600>>8
        {0, 2, background},
    };
    for (const Case& c : cases) {
        // Only the state's own alpha byte counts: the others hold values that would differ.
        std::uint8_t alphas[3] = {7, 7, 7};
        alphas[c.state] = c.alpha;
        RgbImage picture = StatePicture(alphas[0], alphas[1], alphas[2]);
        Surface target(6, 6, background);
        dib::PixelTarget to(target);
        DibSection store;
        store.DrawStates(to, 3, 1, picture, c.state);
        for (std::int32_t y = 0; y < 6; ++y) {
            for (std::int32_t x = 0; x < 6; ++x) {
                bool inside = x >= 3 && x < 5 && y >= 1 && y < 3;
                EXPECT_EQ(target.At(x, y), inside ? c.expected : background)
                    << "alpha " << int(c.alpha) << " state " << c.state << " at " << x << "," << y;
            }
        }
        EXPECT_FALSE(store.IsEmpty());
        EXPECT_EQ(store.Width(), 2);
        EXPECT_EQ(store.Height(), 2);
    }
}

TEST(DibSectionTest, DrawStatesUsesHalfSizeQuadrantsAndIgnoresAnOddColumn) {
    // 5 x 2: n = 2, m = 1. Columns 0-1 are state 0, columns 2-3 state 1 (top row), the alpha
    // quadrant is columns 2-3 of row 1; column 4 must not be read.
    RgbImage picture{5, 2, std::vector<std::uint8_t>(30, 0)};
    auto px = [&](std::int32_t x, std::int32_t y) { return &picture.pixels[(y * 5 + x) * 3]; };
    for (std::int32_t x = 2; x < 4; ++x) {
        px(x, 0)[0] = 11, px(x, 0)[1] = 22, px(x, 0)[2] = 33;  // state 1 colour
        px(x, 1)[1] = 255;                                     // its alpha (G)
    }
    px(4, 0)[0] = px(4, 0)[1] = px(4, 0)[2] = 99;
    px(4, 1)[0] = px(4, 1)[1] = px(4, 1)[2] = 99;
    Surface target(4, 2, 0xFFFFFF);
    dib::PixelTarget to(target);
    DibSection store;
    store.DrawStates(to, 0, 0, picture, 1);
    EXPECT_EQ(target.At(0, 0), MakeBgrx(11, 22, 33));
    EXPECT_EQ(target.At(1, 0), MakeBgrx(11, 22, 33));
    EXPECT_EQ(target.At(2, 0), 0xFFFFFFu);
    EXPECT_EQ(target.At(0, 1), 0xFFFFFFu);
}

TEST(DibSectionTest, DrawStatesDrawsNothingForTinyOrShortPictures) {
    const RgbImage cases[] = {
        Image(1, 4, std::vector<std::uint8_t>(12, 255)),
        Image(4, 1, std::vector<std::uint8_t>(12, 255)), Image(0, 0, {}),
        Image(4, 4, std::vector<std::uint8_t>(47, 255)),  // one byte short
    };
    for (const RgbImage& picture : cases) {
        Surface target(4, 4, 0x123456);
        dib::PixelTarget to(target);
        DibSection store;
        store.DrawStates(to, 0, 0, picture, 0);
        EXPECT_EQ(target, Surface(4, 4, 0x123456));
        EXPECT_TRUE(store.IsEmpty());
    }
    // A state without a quadrant draws nothing either.
    Surface target(4, 4, 0x123456);
    dib::PixelTarget to(target);
    DibSection store;
    store.DrawStates(to, 0, 0, StatePicture(255, 255, 255), 3);
    EXPECT_EQ(target, Surface(4, 4, 0x123456));
}

TEST(DibSectionTest, DrawStatesComposesOverBlackOffTheSurfaceAndRespectsTheClip) {
    Surface target(3, 3, MakeBgrx(100, 100, 100));
    dib::PixelTarget to(target, Rect{0, 0, 3, 2}, Point{});
    DibSection store;
    // At (2, 1) the 2 x 2 picture covers surface columns 2-3 and rows 1-2; row 2 is clipped.
    store.DrawStates(to, 2, 1, StatePicture(128, 0, 0), 0);
    EXPECT_EQ(target.At(2, 1), MakeBgrx(149, 49, 177));
    EXPECT_EQ(target.At(2, 2), MakeBgrx(100, 100, 100));
    // What was captured off the surface composes over black.
    EXPECT_EQ(store.Pixels().At(1, 0), MakeBgrx(100, 0, 127));
}

// ---------------------------------------------------------------------------------------------
// Blend

TEST(DibSectionTest, BlendWeighsEachChannelWithShiftByEight) {
    struct Case {
        std::uint8_t first, second;
        std::int32_t t;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {0, 255, 255, 254},                      // t = 255 gives one less than the second store
        {0, 1, 255, 0},                          // ... for every nonzero channel
        {0, 100, 255, 99},    {255, 0, 0, 254},  // t = 0 likewise one less than the first
        {255, 255, 128, 254},                    // (255 * 127 + 255 * 128) >> 8
        {100, 200, 128, 149},                    // (100 * 127 + 200 * 128) >> 8
        {0, 0, 77, 0},        {255, 0, 300, 0},  // weights are clamped to 0 ... 255
        {0, 255, -5, 0},
    };
    for (const Case& c : cases) {
        DibSection first, second, out;
        first.Recreate(1, 1);
        second.Recreate(1, 1);
        out.Recreate(1, 1);
        first.Pixels().Fill(MakeBgrx(c.first, c.first, c.first));
        second.Pixels().Fill(MakeBgrx(c.second, 0, c.second));
        out.Blend(first, second, c.t);
        std::uint8_t green =
            static_cast<std::uint8_t>((c.first * (255 - std::clamp(c.t, 0, 255))) >> 8);
        EXPECT_EQ(out.Pixels().At(0, 0), MakeBgrx(c.expected, green, c.expected))
            << int(c.first) << " " << int(c.second) << " t=" << c.t;
    }
}

TEST(DibSectionTest, BlendCoversTheBottomAlignedOverlapOnly) {
    // Rows pair up from the bottom, as in the device-independent layout.
    DibSection first, second, out;
    first.Recreate(3, 2);
    first.Pixels().Fill(MakeBgrx(200, 200, 200));
    first.Pixels().Set(0, 1, MakeBgrx(100, 100, 100));  // its bottom-left pixel
    second.Recreate(4, 4);
    second.Pixels().Fill(MakeBgrx(0, 0, 0));
    out.Recreate(4, 3);
    out.Pixels().Fill(0x0A0B0C);
    out.Blend(first, second, 0);
    for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) {
            Bgrx expected = 0x0A0B0C;
            if (y >= 1 && x < 3) expected = MakeBgrx(199, 199, 199);
            if (y == 2 && x == 0) expected = MakeBgrx(99, 99, 99);
            EXPECT_EQ(out.Pixels().At(x, y), expected) << x << "," << y;
        }
    }

    // A second store smaller than the others bounds the overlap too.
    DibSection small;
    small.Recreate(1, 1);
    out.Pixels().Fill(0x0A0B0C);
    out.Blend(first, small, 0);
    EXPECT_EQ(out.Pixels().At(0, 2), MakeBgrx(99, 99, 99));
    EXPECT_EQ(out.Pixels().At(1, 2), 0x0A0B0Cu);
    EXPECT_EQ(out.Pixels().At(0, 1), 0x0A0B0Cu);
}

// ---------------------------------------------------------------------------------------------
// Stored form

TEST(DibSectionTest, EmptyStoreIsOneWordAndReadsBackEmpty) {
    headless::RecordingUi ui;
    DibSection store;
    std::vector<std::uint8_t> bytes = Write(store, ui);
    EXPECT_EQ(bytes, Raw().U32(1).bytes);

    DibSection read;
    read.Create(3, 3);
    ByteReader in(bytes);
    read.Serialize(in, ui);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_EQ(read.Width(), 3);  // left as it was
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(DibSectionTest, OnePixelRecordHasItsWordsAndAZlibStreamOfTheBottomUpBytes) {
    headless::RecordingUi ui;
    DibSection store;
    store.CopyFromRGB(Image(1, 1, {10, 20, 30}));
    std::vector<std::uint8_t> bytes = Write(store, ui);

    ByteReader in(bytes);
    EXPECT_EQ(in.U32(), 0u);           // a picture follows
    EXPECT_EQ(in.U32(), 1u);           // width
    EXPECT_EQ(in.U32(), 1u);           // height
    EXPECT_EQ(in.U32(), 0xFFFFFFFFu);  // compressed form
    EXPECT_EQ(in.U32(), 4u);           // raw size
    std::uint32_t length = in.U32();
    ASSERT_GT(length, 0u);
    InflateResult pixels = Inflate(in.View(length), 4);
    EXPECT_TRUE(pixels.ok);
    EXPECT_EQ(pixels.bytes, (std::vector<std::uint8_t>{30, 20, 10, 0}));
    EXPECT_TRUE(in.AtEnd());

    DibSection read;
    ByteReader back(bytes);
    read.Serialize(back, ui);
    EXPECT_FALSE(read.IsEmpty());
    EXPECT_EQ(read.Width(), 1);
    EXPECT_EQ(read.Height(), 1);
    EXPECT_EQ(read.GetSizeImage(), 4);
    EXPECT_EQ(read.Pixels().At(0, 0), MakeBgrx(10, 20, 30));
}

TEST(DibSectionTest, RoundTripKeepsSizeAndPixels) {
    headless::RecordingUi ui;
    for (auto [w, h] : {std::pair{7, 3}, std::pair{1, 9}, std::pair{64, 48}}) {
        DibSection store = Patterned(w, h);
        std::vector<std::uint8_t> bytes = Write(store, ui);
        DibSection read;
        ByteReader in(bytes);
        read.Serialize(in, ui);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_FALSE(read.IsEmpty());
        EXPECT_EQ(read.Pixels(), store.Pixels()) << w << " x " << h;
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(DibSectionTest, FailedCompressionStoresTheRawPixels) {
    headless::RecordingUi ui;
    DibSection store = Patterned(2, 2);
    std::size_t capacity_seen = 0;
    ByteWriter out;
    store.Serialize(out, ui, [&](std::span<const std::uint8_t>, std::size_t capacity) {
        capacity_seen = capacity;
        return std::vector<std::uint8_t>{};
    });
    EXPECT_EQ(capacity_seen, 16u + 3u + 12u);  // raw + raw * 0.2 + 12
    std::vector<std::uint8_t> expected =
        Raw().U32(0).U32(2).U32(2).U32(0xFFFFFFFF).U32(16).U32(0).Data(store.BitsBottomUp()).bytes;
    EXPECT_EQ(out.Data(), expected);
    EXPECT_TRUE(ui.Messages().empty());

    DibSection read;
    ByteReader in(out.Data());
    read.Serialize(in, ui);
    EXPECT_EQ(read.Pixels(), store.Pixels());
}

TEST(DibSectionTest, OutOfMemoryWhileCompressingIsShownAndTheRecordStaysReadable) {
    headless::RecordingUi ui;
    DibSection store = Patterned(3, 2);
    ByteWriter out;
    store.Serialize(out, ui,
                    [](std::span<const std::uint8_t>, std::size_t) -> std::vector<std::uint8_t> {
                        throw std::bad_alloc();
                    });
    EXPECT_EQ(ui.Messages(), (std::vector<headless::ShownMessage>{{kCaption, kWritingFailed}}));
    DibSection read;
    ByteReader in(out.Data());
    read.Serialize(in, ui);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(read.Pixels(), store.Pixels());
}

TEST(DibSectionTest, DefaultCompressorFailsWhenTheStreamOutgrowsItsBuffer) {
    std::vector<std::uint8_t> raw(64, 7);
    EXPECT_FALSE(DibSection::DefaultCompressor(raw, 100).empty());
    EXPECT_TRUE(DibSection::DefaultCompressor(raw, 4).empty());
}

// Bottom-up bytes of a 2 x 2 picture: bottom row blue, white; top row red, green.
std::vector<std::uint8_t> TwoByTwoBits() {
    return {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0};
}

void ExpectTwoByTwo(const DibSection& store) {
    EXPECT_FALSE(store.IsEmpty());
    ASSERT_EQ(store.Width(), 2);
    ASSERT_EQ(store.Height(), 2);
    EXPECT_EQ(store.Pixels().At(0, 0), MakeBgrx(255, 0, 0));
    EXPECT_EQ(store.Pixels().At(1, 0), MakeBgrx(0, 255, 0));
    EXPECT_EQ(store.Pixels().At(0, 1), MakeBgrx(0, 0, 255));
    EXPECT_EQ(store.Pixels().At(1, 1), MakeBgrx(255, 255, 255));
}

TEST(DibSectionTest, ReadsRecordsLaidByHand) {
    const std::vector<std::uint8_t> bits = TwoByTwoBits();
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"legacy", Raw().U32(0).U32(2).U32(2).U32(16).Data(bits).bytes},
        {"stored", Raw().U32(0).U32(2).U32(2).U32(0xFFFFFFFF).U32(16).U32(0).Data(bits).bytes},
        {"zlib", Raw()
                     .U32(0)
                     .U32(2)
                     .U32(2)
                     .U32(0xFFFFFFFF)
                     .U32(16)
                     .U32(static_cast<std::uint32_t>(Deflate(bits).size()))
                     .Data(Deflate(bits))
                     .bytes},
    };
    for (const Case& c : cases) {
        headless::RecordingUi ui;
        std::vector<std::uint8_t> bytes = c.bytes;
        bytes.push_back(0x5A);  // whatever follows the record
        DibSection store;
        ByteReader in(bytes);
        store.Serialize(in, ui);
        SCOPED_TRACE(c.name);
        ExpectTwoByTwo(store);
        EXPECT_EQ(in.U8(), 0x5A);
        EXPECT_TRUE(ui.Messages().empty());
    }
}

TEST(DibSectionTest, LegacySizeMismatchIsCorruptedDataAndLeavesTheStore) {
    const std::vector<std::uint8_t> records[] = {
        Raw().U32(0).U32(2).U32(2).U32(15).Data(TwoByTwoBits()).bytes,
        Raw().U32(0).U32(2).U32(2).U32(17).Data(TwoByTwoBits()).bytes,
        Raw().U32(0).U32(0xFFFFFFFE).U32(0xFFFFFFFE).U32(16).Data(TwoByTwoBits()).bytes,
        // 32768 x 32768 x 4 is 0 in 32 bits, not in the real size.
        Raw().U32(0).U32(32768).U32(32768).U32(0).bytes,
        // No pixels in 838860800 rows: 0 bytes, but no bitmap a writer makes.
        Raw().U32(0).U32(0).U32(0x32000000).U32(0).bytes,
    };
    for (const auto& bytes : records) {
        headless::RecordingUi ui;
        DibSection store;
        ByteReader in(bytes);
        store.Serialize(in, ui);
        EXPECT_EQ(ui.Messages(), (std::vector<headless::ShownMessage>{{kCaption, kCorrupted}}));
        EXPECT_TRUE(store.IsEmpty());
        EXPECT_EQ(store.Width(), 8);
    }
}

TEST(DibSectionTest, ShortLegacyPixelsAreADataReadError) {
    std::vector<std::uint8_t> bytes = Raw().U32(0).U32(2).U32(2).U32(16).bytes;
    std::vector<std::uint8_t> bits = TwoByTwoBits();
    bytes.insert(bytes.end(), bits.begin(), bits.begin() + 15);
    headless::RecordingUi ui;
    DibSection store;
    ByteReader in(bytes);
    store.Serialize(in, ui);
    EXPECT_EQ(ui.Messages(), (std::vector<headless::ShownMessage>{{kCaption, kReadError}}));
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_TRUE(in.AtEnd());
}

TEST(DibSectionTest, BrokenStreamIsUncompressionFailedAndKeepsTheNewSize) {
    const std::vector<std::uint8_t> bits = TwoByTwoBits();
    std::vector<std::uint8_t> stream = Deflate(bits);
    // The stream cut short: what was inflated stays, the rest is black.
    std::vector<std::uint8_t> cut(stream.begin(), stream.end() - 6);
    // Not zlib at all.
    std::vector<std::uint8_t> junk = {1, 2, 3, 4, 5, 6, 7, 8};
    // A complete stream of fewer bytes than the raw size.
    std::vector<std::uint8_t> shorter =
        Deflate(std::vector<std::uint8_t>(bits.begin(), bits.begin() + 8));
    for (const auto* data : {&cut, &junk, &shorter}) {
        std::vector<std::uint8_t> bytes = Raw()
                                              .U32(0)
                                              .U32(2)
                                              .U32(2)
                                              .U32(0xFFFFFFFF)
                                              .U32(16)
                                              .U32(static_cast<std::uint32_t>(data->size()))
                                              .Data(*data)
                                              .bytes;
        headless::RecordingUi ui;
        DibSection store;
        ByteReader in(bytes);
        store.Serialize(in, ui);
        EXPECT_EQ(ui.Messages(),
                  (std::vector<headless::ShownMessage>{{kCaption, kUncompressionFailed}}));
        EXPECT_TRUE(in.AtEnd());
        EXPECT_FALSE(store.IsEmpty());
        EXPECT_EQ(store.Width(), 2);
        EXPECT_EQ(store.Height(), 2);
        if (data == &shorter) {
            // The bottom row arrived, the top row stays zeroed.
            EXPECT_EQ(store.Pixels().At(0, 1), MakeBgrx(0, 0, 255));
            EXPECT_EQ(store.Pixels().At(1, 1), MakeBgrx(255, 255, 255));
            EXPECT_EQ(store.Pixels().At(0, 0), 0u);
        }
    }
}

TEST(DibSectionTest, ZeroRawSizeLeavesTheStoreAndPassesOverTheData) {
    const std::vector<std::uint8_t> records[] = {
        Raw().U32(0).U32(0).U32(5).U32(0xFFFFFFFF).U32(0).U32(3).Data({9, 9, 9}).bytes,
        Raw().U32(0).U32(2).U32(2).U32(0xFFFFFFFF).U32(0x80000000).U32(0).bytes,
    };
    for (const auto& record : records) {
        std::vector<std::uint8_t> bytes = record;
        bytes.push_back(0x5A);
        headless::RecordingUi ui;
        DibSection store;
        ByteReader in(bytes);
        store.Serialize(in, ui);
        EXPECT_TRUE(store.IsEmpty());
        EXPECT_EQ(in.U8(), 0x5A);
        EXPECT_TRUE(ui.Messages().empty());
    }

    // A store of zero area written by us reads back as no change, in step.
    headless::RecordingUi ui;
    DibSection zero;
    zero.Recreate(0, 5);
    ByteWriter out;
    zero.Serialize(out, ui);
    out.U8(0x5A);
    DibSection read;
    ByteReader in(out.Data());
    read.Serialize(in, ui);
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_EQ(in.U8(), 0x5A);
}

TEST(DibSectionTest, SizesTheBitmapCannotHoldAreCorruptedDataWithoutAllocating) {
    std::vector<std::uint8_t> stream = Deflate(TwoByTwoBits());
    auto compressed = [&](std::uint32_t w, std::uint32_t h, std::uint32_t raw,
                          const std::vector<std::uint8_t>& data, bool zlib) {
        return Raw()
            .U32(0)
            .U32(w)
            .U32(h)
            .U32(0xFFFFFFFF)
            .U32(raw)
            .U32(zlib ? static_cast<std::uint32_t>(data.size()) : 0)
            .Data(data)
            .bytes;
    };
    const std::vector<std::uint8_t> records[] = {
        // The raw size is larger than the bitmap.
        compressed(1, 2, 16, TwoByTwoBits(), false),
        compressed(1, 2, 16, stream, true),
        compressed(0, 2, 16, stream, true),
        // Negative sides, even with a product that looks right.
        compressed(0xFFFFFFFE, 0xFFFFFFFE, 16, stream, true),
        // Stored pixels that cannot fill the bitmap.
        compressed(4, 4, 16, TwoByTwoBits(), false),
        // A bitmap that a stream of this length cannot fill.
        compressed(16000, 16000, 16, stream, true),
        // Beyond the largest surface.
        compressed(16385, 16384, 16, stream, true),
    };
    for (const auto& record : records) {
        std::vector<std::uint8_t> bytes = record;
        bytes.push_back(0x5A);
        headless::RecordingUi ui;
        DibSection store;
        ByteReader in(bytes);
        store.Serialize(in, ui);
        EXPECT_EQ(ui.Messages(), (std::vector<headless::ShownMessage>{{kCaption, kCorrupted}}));
        EXPECT_TRUE(store.IsEmpty());
        EXPECT_EQ(store.Width(), 8);
        EXPECT_EQ(in.U8(), 0x5A);  // the data was passed over
    }
}

TEST(DibSectionTest, CutShortRecordsRaiseArchiveErrorAndLeaveTheStore) {
    headless::RecordingUi ui;
    DibSection source = Patterned(5, 4);
    const std::vector<std::uint8_t> compressed = Write(source, ui);
    ByteWriter raw_out;
    source.Serialize(raw_out, ui, [](std::span<const std::uint8_t>, std::size_t) {
        return std::vector<std::uint8_t>{};
    });
    const std::vector<std::uint8_t> raw = raw_out.Take();
    const std::vector<std::uint8_t> legacy_header = Raw().U32(0).U32(2).U32(2).U32(16).bytes;

    for (const auto* record : {&compressed, &raw, &legacy_header}) {
        for (std::size_t cut = 0; cut < record->size(); ++cut) {
            std::vector<std::uint8_t> bytes(record->begin(), record->begin() + cut);
            DibSection store;
            ByteReader in(bytes);
            EXPECT_THROW(store.Serialize(in, ui), ArchiveError) << cut;
            EXPECT_TRUE(store.IsEmpty());
        }
    }
    EXPECT_TRUE(ui.Messages().empty());
}

// ---------------------------------------------------------------------------------------------
// On a device context

TEST(DibSectionTest, OnACanvasTheClipOriginAndStretchModeApply) {
    DibSection store = Patterned(3, 2);
    Surface surface(8, 6, 0x111111);
    Canvas canvas(surface);
    canvas.SetViewportOrigin({2, 1});
    canvas.IntersectClip(Rect{1, -1, 10, 1});  // logical: surface columns 3.., rows ..1
    store.Draw(canvas, 0, 0);
    for (std::int32_t y = 0; y < 6; ++y) {
        for (std::int32_t x = 0; x < 8; ++x) {
            bool drawn = x >= 3 && x < 5 && y == 1;
            EXPECT_EQ(surface.At(x, y), drawn ? store.Pixels().At(x - 2, y - 1) : 0x111111u)
                << x << "," << y;
        }
    }

    DibSection row;
    row.Recreate(3, 1);
    row.Pixels().Set(0, 0, 0xF0F0F0);
    row.Pixels().Set(1, 0, 0x3C3C3C);
    row.Pixels().Set(2, 0, 0x0F0F0F);
    Surface small(1, 1, 0);
    Canvas shrink(small);
    row.StretchDraw(shrink, 0, 0, 1, 1);  // a new context ANDs: sources 0 and 1
    EXPECT_EQ(small.At(0, 0), 0x303030u);
    shrink.SetStretchMode(StretchMode::kWhiteOnBlack);
    row.StretchDraw(shrink, 0, 0, 1, 1);
    EXPECT_EQ(small.At(0, 0), 0xFCFCFCu);

    DibSection empty;
    Surface untouched(4, 4, 0x222222);
    Canvas none(untouched);
    empty.Draw(none, 0, 0);
    empty.StretchDraw(none, 0, 0, 4, 4);
    EXPECT_EQ(untouched, Surface(4, 4, 0x222222));
}

TEST(DibSectionTest, OnACanvasDrawStatesCapturesThroughTheOrigin) {
    const Bgrx background = MakeBgrx(100, 50, 0);
    Surface surface(6, 6, background);
    surface.Set(4, 2, MakeBgrx(0, 0, 0));
    Canvas canvas(surface);
    canvas.SetViewportOrigin({1, 1});
    DibSection store;
    store.DrawStates(canvas, 3, 1, StatePicture(7, 7, 128), 2);
    // Logical (3, 1) is surface (4, 2); state 2 colour (255, 255, 200) at alpha 128.
    EXPECT_EQ(surface.At(4, 2), MakeBgrx(127, 127, 100));
    EXPECT_EQ(surface.At(5, 3), MakeBgrx(177, 152, 100));
    EXPECT_EQ(surface.At(3, 2), background);

    DibSection captured;
    ASSERT_TRUE(captured.CaptureFromDC(canvas, -1, -1, 2, 2));
    EXPECT_EQ(captured.Pixels().At(0, 0), background);
    EXPECT_EQ(captured.Pixels().At(1, 1), surface.At(1, 1));
}

}  // namespace
}  // namespace velk
