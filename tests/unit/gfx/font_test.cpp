// Fonts: the LOGFONT height rule, TEXTMETRIC values from the font tables, face substitution,
// style selection, the cache, and glyph runs with their underline and strike-out bands.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

#include "gfx/font.h"
#include "gfx/font_cache.h"

namespace velk {
namespace {

class FontTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { cache_ = std::make_unique<FontCache>(); }
    static void TearDownTestSuite() { cache_.reset(); }

    static std::shared_ptr<const Font> Get(const std::string& face, std::int32_t height,
                                           std::int32_t weight = 400, bool italic = false) {
        LogFont lf;
        lf.face_name = face;
        lf.height = height;
        lf.weight = weight;
        lf.italic = italic ? 1 : 0;
        auto font = cache_->Get(lf);
        EXPECT_NE(font, nullptr) << face << " " << height;
        return font;
    }

    static std::string FileName(const Font& font) {
        const std::string& path = font.Face().path;
        return path.substr(path.find_last_of('/') + 1);
    }

    static std::unique_ptr<FontCache> cache_;
};
std::unique_ptr<FontCache> FontTest::cache_;

TEST(FontHeight, NegativeIsTheEmHeightPositiveTheCellHeight) {
    struct Case {
        std::int32_t lf_height, units_per_em, cell_units, ppem;
    };
    // 2288 = usWinAscent + usWinDescent of the Arial-compatible sans; 2472 that of the Tahoma
    // replica of the rules note (13 -> 11 and 16 -> 13 there).
    const Case cases[] = {
        {-13, 2048, 2288, 13},
        {-11, 2048, 2472, 11},
        {16, 2048, 2288, 14},
        {13, 2048, 2288, 12},
        {13, 2048, 2472, 11},
        {16, 2048, 2472, 13},
        {0, 2048, 2288, 14},
        {1, 2048, 2288, 1},
        {12, 1000, 0, 12},
        {INT_MIN, 2048, 2288, kMaxPixelSize},
        {INT_MAX, 2048, 2288, kMaxPixelSize},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PixelSizeForHeight(c.lf_height, c.units_per_em, c.cell_units), c.ppem)
            << c.lf_height << " " << c.cell_units;
    }
}

TEST_F(FontTest, TextMetricsFollowTheWindowsMetricsOfTheFace) {
    // s(v) = round(v * ppem / 2048). Sans: win 1854 / 434, hhea line gap 67, xAvgCharWidth
    // 1187. Serif: win 1825 / 443, line gap 87, xAvgCharWidth 1124.
    struct Case {
        const char* face;
        std::int32_t lf_height, ppem, height, ascent, descent, internal, external, average;
    };
    const Case cases[] = {
        {"Arial", -13, 13, 15, 12, 3, 2, 0, 8},
        {"Arial", 16, 14, 16, 13, 3, 2, 0, 8},
        {"Arial", 13, 12, 14, 11, 3, 1, 0, 7},
        {"Arial", -16, 16, 17, 14, 3, 2, 1, 9},
        {"Times New Roman", -13, 13, 15, 12, 3, 1, 1, 7},
        // The cell of a positive height is the rounded scale of the request, not always it.
        {"Times New Roman", 16, 14, 15, 12, 3, 2, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.lf_height));
        auto font = Get(c.face, c.lf_height);
        ASSERT_NE(font, nullptr);
        const TextMetrics& m = font->Metrics();
        EXPECT_EQ(font->PixelSize(), c.ppem);
        EXPECT_EQ(m.height, c.height);
        EXPECT_EQ(m.ascent, c.ascent);
        EXPECT_EQ(m.descent, c.descent);
        EXPECT_EQ(m.height, m.ascent + m.descent);
        EXPECT_EQ(m.internal_leading, c.internal);
        EXPECT_EQ(m.external_leading, c.external);
        EXPECT_EQ(m.ave_char_width, c.average);
        EXPECT_GT(m.max_char_width, m.ave_char_width);
    }
}

TEST_F(FontTest, UnderlineAndStrikeOutComeFromThePostAndOs2Tables) {
    // Sans: underline position -67, thickness 150; strike-out 530, size 102.
    auto small = Get("Arial", -13);
    EXPECT_EQ(small->Metrics().underline_position, 0);
    EXPECT_EQ(small->Metrics().underline_size, 1);
    EXPECT_EQ(small->Metrics().strikeout_position, 3);
    EXPECT_EQ(small->Metrics().strikeout_size, 1);
    auto larger = Get("Arial", -16);
    EXPECT_EQ(larger->Metrics().underline_position, -1);
    EXPECT_EQ(larger->Metrics().strikeout_position, 4);
}

TEST_F(FontTest, WidthIsTheSumOfIntegerAdvancesWithoutKerning) {
    for (std::int32_t height : {-13, 16, -24}) {
        auto font = Get("Arial", height);
        std::int32_t sum = 0;
        for (char c : std::string("Hello")) sum += font->CharAdvance(c);
        EXPECT_EQ(font->TextWidth("Hello"), sum);
        EXPECT_EQ(font->Extent("Hello"), (TextExtent{sum, font->Metrics().height}));
        EXPECT_EQ(font->Render("Hello").advance, sum);
        // The face has a kerning pair for A and V; the old text calls never applied it.
        EXPECT_EQ(font->TextWidth("AV"), font->CharAdvance('A') + font->CharAdvance('V'));
        // Newlines are measured as characters, not as line breaks.
        EXPECT_EQ(font->TextWidth("a\nb"),
                  font->CharAdvance('a') + font->CharAdvance('\n') + font->CharAdvance('b'));
    }
    EXPECT_EQ(Get("Arial", -13)->TextWidth(""), 0);
}

TEST_F(FontTest, CodePageBytesFindTheirGlyphs) {
    auto font = Get("Arial", -13);
    // 0x80 is the euro sign and 0xE9 e with acute in the code page; both are in the face.
    auto euro = font->Render("\x80");
    auto e_acute = font->Render("\xE9");
    auto e = font->Render("e");
    EXPECT_GT(euro.mask.width, 0);
    EXPECT_GT(e_acute.mask.height, e.mask.height);  // the accent sits above the letter
}

TEST_F(FontTest, FaceNamesResolveToInstalledFamilies) {
    struct Case {
        const char* face;
        std::uint8_t pitch_and_family;
        const char* family;
    };
    const Case cases[] = {
        {"Arial", 0x22, "Liberation Sans"},
        {"ARIAL", 0x22, "Liberation Sans"},
        {"Times New Roman", 0x12, "Liberation Serif"},
        {"times new roman", 0x00, "Liberation Serif"},
        {"Courier New", 0x31, "Liberation Mono"},
        {"MS Sans Serif", 0x22, "Liberation Sans"},
        {"DejaVu Serif", 0x12, "DejaVu Serif"},
        // Faces that are not installed go by the LOGFONT's family class: sans by default.
        {"Nowhere Grotesk", 0x22, "Liberation Sans"},
        {"Nowhere Grotesk", 0x00, "Liberation Sans"},
        {"", 0x00, "Liberation Sans"},
        {"Nowhere Antiqua", 0x12, "Liberation Serif"},
        {"Nowhere Typewriter", 0x31, "Liberation Mono"},
        {"Nowhere Typewriter", 0x30, "Liberation Mono"},
    };
    for (const Case& c : cases) {
        LogFont lf;
        lf.face_name = c.face;
        lf.pitch_and_family = c.pitch_and_family;
        lf.height = -13;
        auto font = cache_->Get(lf);
        ASSERT_NE(font, nullptr) << c.face;
        EXPECT_EQ(font->Face().family, c.family) << c.face;
    }
    EXPECT_EQ(SubstituteFaceName("Courier New"), "Liberation Mono");
    EXPECT_EQ(SubstituteFaceName("Tahoma"), "Tahoma");
}

TEST_F(FontTest, WeightAboveMediumAndItalicPickTheStyledFiles) {
    struct Case {
        std::int32_t weight;
        bool italic;
        const char* file;
    };
    const Case cases[] = {
        {100, false, "LiberationSans-Regular.ttf"},   {400, false, "LiberationSans-Regular.ttf"},
        {500, false, "LiberationSans-Regular.ttf"},   {600, false, "LiberationSans-Bold.ttf"},
        {700, false, "LiberationSans-Bold.ttf"},      {400, true, "LiberationSans-Italic.ttf"},
        {900, true, "LiberationSans-BoldItalic.ttf"},
    };
    for (const Case& c : cases) {
        auto font = Get("Arial", -13, c.weight, c.italic);
        EXPECT_EQ(FileName(*font), c.file) << c.weight << " " << c.italic;
        EXPECT_FALSE(font->Face().synthetic_bold);
        EXPECT_FALSE(font->Face().synthetic_italic);
    }
    // The bold face is wider than the regular one at the same size.
    EXPECT_GT(Get("Arial", -13, 700)->TextWidth("Hello"), Get("Arial", -13)->TextWidth("Hello"));
}

TEST_F(FontTest, MissingStylesAreSynthesized) {
    // This family has one regular face only.
    const char* face = "DejaVu Math TeX Gyre";
    auto regular = Get(face, -20);
    auto bold = Get(face, -20, 700);
    auto italic = Get(face, -20, 400, true);
    ASSERT_EQ(regular->Face().family, face);
    EXPECT_FALSE(regular->Face().synthetic_bold);
    EXPECT_TRUE(bold->Face().synthetic_bold);
    EXPECT_FALSE(bold->Face().synthetic_italic);
    EXPECT_TRUE(italic->Face().synthetic_italic);
    EXPECT_EQ(bold->Face().path, regular->Face().path);
    for (char c : std::string("Hm.")) {
        // Emboldening widens each glyph by a pixel and its advance with it; slanting does not
        // change advances.
        EXPECT_EQ(bold->CharAdvance(c), regular->CharAdvance(c) + 1) << c;
        EXPECT_EQ(italic->CharAdvance(c), regular->CharAdvance(c)) << c;
    }
    EXPECT_NE(italic->Render("l").mask.coverage, regular->Render("l").mask.coverage);
}

TEST_F(FontTest, MsSansSerifKeepsTheSizesAndMetricsOfTheBitmapFont) {
    struct Case {
        std::int32_t lf_height;
        std::int32_t height, ascent, descent, internal, average, maximum;
    };
    const Case cases[] = {
        // Heights below the smallest size still get it.
        {10, 13, 11, 2, 2, 5, 11},  {13, 13, 11, 2, 2, 5, 11},  {-11, 13, 11, 2, 2, 5, 11},
        {-12, 13, 11, 2, 2, 5, 11},  // the 10 pt em of 13 would exceed 12
        {-13, 16, 13, 3, 3, 7, 14}, {16, 16, 13, 3, 3, 7, 14},  {-16, 20, 16, 4, 4, 8, 16},
        {24, 24, 19, 5, 6, 9, 19},  {30, 29, 23, 6, 5, 12, 24}, {37, 37, 29, 8, 5, 16, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lf_height);
        auto font = Get("MS Sans Serif", c.lf_height);
        const TextMetrics& m = font->Metrics();
        EXPECT_EQ(m.height, c.height);
        EXPECT_EQ(m.ascent, c.ascent);
        EXPECT_EQ(m.descent, c.descent);
        EXPECT_EQ(m.internal_leading, c.internal);
        EXPECT_EQ(m.ave_char_width, c.average);
        EXPECT_EQ(m.max_char_width, c.maximum);
        EXPECT_EQ(font->PixelSize(), c.height - c.internal);
    }
    // Without outline metrics: underline on the baseline row, strike-out ascent / 2 above it.
    const TextMetrics& eight = Get("MS Sans Serif", 10)->Metrics();
    EXPECT_EQ(eight.underline_position, 0);
    EXPECT_EQ(eight.underline_size, 1);
    EXPECT_EQ(eight.strikeout_position, 5);
    // Beyond the largest size the sans face is scaled as asked.
    EXPECT_EQ(Get("MS Sans Serif", -40)->PixelSize(), 40);
}

TEST_F(FontTest, TheCacheSharesOneFontPerFaceSizeAndStyle) {
    FontCache cache;
    LogFont a;
    a.face_name = "Arial";
    a.height = -13;
    auto first = cache.Get(a);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.Get(a), first);

    LogFont same = a;
    same.face_name = "ARIAL";
    same.weight = 300;  // not bold either
    EXPECT_EQ(cache.Get(same), first);
    EXPECT_EQ(cache.LoadedCount(), 1u);

    LogFont bold = a;
    bold.weight = 600;
    LogFont bolder = a;
    bolder.weight = 700;
    EXPECT_EQ(cache.Get(bold), cache.Get(bolder));

    for (auto change : {+[](LogFont& f) { f.height = -14; }, +[](LogFont& f) { f.italic = 1; },
                        +[](LogFont& f) { f.underline = 1; }, +[](LogFont& f) { f.strike_out = 1; },
                        +[](LogFont& f) { f.face_name = "Times New Roman"; }}) {
        LogFont other = a;
        change(other);
        EXPECT_NE(cache.Get(other), first);
    }
    EXPECT_EQ(cache.LoadedCount(), 7u);
}

TEST_F(FontTest, FontsOutliveTheirCache) {
    std::shared_ptr<const Font> font;
    {
        FontCache cache;
        LogFont lf;
        font = cache.Get(lf);
    }
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->Render("Hi").mask.width, 0);
}

TEST_F(FontTest, GlyphRunsAreBiLevelAndSitOnTheBaseline) {
    auto font = Get("Arial", -13);
    RenderedText run = font->Render("Hx");
    ASSERT_GT(run.mask.width, 0);
    for (std::uint8_t v : run.mask.coverage) EXPECT_TRUE(v == 0 || v == 255);
    // H and x stand on the baseline: ink in the row above it, none in the row below.
    auto row_has_ink = [&](std::int32_t y) {
        if (y < 0 || y >= run.mask.height) return false;
        for (std::int32_t x = 0; x < run.mask.width; ++x) {
            if (run.mask.At(x, y)) return true;
        }
        return false;
    };
    EXPECT_TRUE(row_has_ink(run.baseline - 1));
    EXPECT_FALSE(row_has_ink(run.baseline));
    // The capital reaches higher than the x-height, and no higher than the ascent.
    EXPECT_GE(run.baseline, 8);
    EXPECT_LE(run.baseline, font->Metrics().ascent);
}

TEST_F(FontTest, UnderlineAndStrikeOutBandsSpanTheAdvance) {
    LogFont lf;
    lf.face_name = "Arial";
    lf.height = -13;
    lf.underline = 1;
    lf.strike_out = 1;
    auto font = cache_->Get(lf);
    ASSERT_NE(font, nullptr);
    RenderedText run = font->Render("Hi");
    const std::int32_t width = run.advance;
    ASSERT_GT(width, 0);
    // Rows baseline - position - size / 2: the underline on the baseline row, strike-out 3 up.
    for (std::int32_t row : {run.baseline, run.baseline - 3}) {
        for (std::int32_t x = 0; x < width; ++x) {
            EXPECT_EQ(run.mask.At(run.origin_x + x, row), 255) << row << " " << x;
        }
        if (run.origin_x + width < run.mask.width) {
            EXPECT_EQ(run.mask.At(run.origin_x + width, row), 0);
        }
    }
    EXPECT_EQ(run.mask.height, run.baseline + 1);  // nothing below the underline
}

TEST_F(FontTest, AWindowKeepsOnlyThePixelsAskedFor) {
    auto font = Get("Arial", -20);
    RenderedText whole = font->Render("Window");
    const Rect window{5, -10, 30, 2};  // pen coordinates: baseline at y = 0
    RenderedText part = font->Render("Window", window);
    EXPECT_EQ(part.advance, whole.advance);
    ASSERT_GT(part.mask.width, 0);
    EXPECT_LE(part.mask.width, window.Width());
    EXPECT_LE(part.mask.height, window.Height());
    for (std::int32_t y = 0; y < part.mask.height; ++y) {
        for (std::int32_t x = 0; x < part.mask.width; ++x) {
            const std::int32_t pen_x = x - part.origin_x, pen_y = y - part.baseline;
            EXPECT_TRUE(window.Contains({pen_x, pen_y}));
            EXPECT_EQ(part.mask.At(x, y),
                      whole.mask.At(pen_x + whole.origin_x, pen_y + whole.baseline));
        }
    }
    EXPECT_EQ(font->Render("Window", Rect{1000, 0, 1100, 10}).mask.width, 0);
}

}  // namespace
}  // namespace velk
