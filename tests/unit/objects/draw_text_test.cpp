// Text objects: how the text is cut into lines, where plain and smooth text land, which colour
// each pointer state uses, and how the object's rectangle follows the text. Expected positions
// are worked out from the font's own measurements, never from earlier output.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"
#include "hosts/headless/recording_ui.h"
#include "objects/draw_object.h"
#include "objects/draw_support.h"
#include "objects/picture_cache.h"
#include "objects/text/text_kind.h"

namespace velk {
namespace {

using Lines = std::vector<std::string_view>;

TEST(CutTextLines, CutsAtLineFeedsThenAtBackslashN) {
    struct Case {
        std::string_view text;
        Lines lines;
    };
    const Case cases[] = {
        {"A\r\nB", {"A", "B"}},
        // The character before a line feed is dropped, carriage return or not.
        {"AB\nC", {"A", "C"}},
        {"\nB", {"", "B"}},
        {"A\\nB", {"A", "B"}},
        // A line feed anywhere in the rest is looked for before the backslash pair.
        {"A\\nB\nC", {"A\\n", "C"}},
        {"A\\nB\\nC", {"A", "B", "C"}},
        {"A\r\n", {"A", ""}},
        {"A\\n", {"A", ""}},
        {"ABC", {"ABC"}},
        {"A\\", {"A\\"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CutTextLines(c.text), c.lines) << "text: " << c.text;
    }
}

constexpr Bgrx kBackground = MakeBgrx(30, 60, 90);

class DrawTextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { fonts_ = std::make_unique<FontCache>(); }
    static void TearDownTestSuite() { fonts_.reset(); }

    DrawTextTest()
        : pictures_(ui_),
          surface_(320, 200, kBackground),
          canvas_(surface_),
          ctx_{canvas_, *fonts_, pictures_, {}} {}

    static LogFont ArialFont(std::int32_t height) {
        LogFont font;
        font.face_name = "Arial";
        font.height = height;
        return font;
    }

    static Object TextObject(std::string text, Rect rect) {
        Object object;
        object.kind = kKindText;
        object.text = std::move(text);
        object.rect = rect;
        object.font = ArialFont(-16);
        object.colour1 = 0x0000FF;  // red
        object.colour2 = 0x00FF00;  // green
        object.colour3 = 0xFF0000;  // blue
        return object;
    }

    // A canvas of the test's size with `font` selected, for measuring and reference drawings.
    struct Reference {
        Surface surface;
        Canvas canvas;
        explicit Reference(const std::shared_ptr<const Font>& font, Bgrx fill = kBackground)
            : surface(320, 200, fill), canvas(surface) {
            canvas.SetBkMode(BkMode::kTransparent);
            canvas.SelectFont(font);
        }
    };

    static std::unique_ptr<FontCache> fonts_;
    headless::RecordingUi ui_;
    PictureCache pictures_;
    Surface surface_;
    Canvas canvas_;
    DrawContext ctx_;
};

std::unique_ptr<FontCache> DrawTextTest::fonts_;

// --- Plain text ----------------------------------------------------------------------------

TEST_F(DrawTextTest, PlainTextFitsItsRectangleToTheLines) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"Hello", {"Hello"}},
        {"Hi\r\nLonger line", {"Hi", "Longer line"}},
        {"wide first\\nx\\ny", {"wide first", "x", "y"}},
    };
    Reference ref(fonts_->Get(ArialFont(-16)));
    for (const Case& c : cases) {
        for (std::uint32_t fixed : {0u, 1u}) {
            Object object = TextObject(c.text, {20, 30, 25, 31});
            object.param4 = fixed;
            DrawPlainText(object, ctx_);

            std::int32_t widest = 0;
            for (std::string_view line : c.lines) {
                widest = std::max(widest, GetTextExtent(ref.canvas, line).cx);
            }
            // The pitch is the height of the whole text measured as one string.
            const std::int32_t pitch = GetTextExtent(ref.canvas, c.text).cy;
            SCOPED_TRACE(c.text + (fixed ? " (fixed width)" : ""));
            EXPECT_EQ(object.rect.left, 20);
            EXPECT_EQ(object.rect.top, 30);
            EXPECT_EQ(object.rect.right, fixed ? 25 : 20 + widest);
            EXPECT_EQ(object.rect.bottom, 30 + std::int32_t(c.lines.size()) * pitch);
        }
    }
}

TEST_F(DrawTextTest, EmptyTextDrawsNothingAndTakesTenPixels) {
    Object object = TextObject("", {20, 30, 120, 90});
    DrawPlainText(object, ctx_);
    EXPECT_EQ(surface_, Surface(320, 200, kBackground));
    EXPECT_EQ(object.rect, (Rect{20, 30, 20, 40}));

    Object fixed = TextObject("", {20, 30, 120, 90});
    fixed.param4 = 1;
    DrawPlainText(fixed, ctx_);
    EXPECT_EQ(fixed.rect, (Rect{20, 30, 120, 40}));
}

// Each line goes through TextOut at y = top + i x line height, with the reference point at
// the left edge, the middle of the object's width, or the right edge.
TEST_F(DrawTextTest, PlainTextAlignmentByParam1) {
    struct Case {
        std::uint32_t param1;
        std::uint32_t align;
    };
    const Case cases[] = {{0, kTaLeft}, {1, kTaCenter}, {2, kTaRight}, {7, kTaLeft}};
    const Rect rect{40, 20, 241, 60};  // an odd width: the middle is 40 + 201 / 2 = 140
    for (const Case& c : cases) {
        surface_.Fill(kBackground);
        Object object = TextObject("Top\r\nLower line", rect);
        object.param1 = c.param1;
        DrawPlainText(object, ctx_);

        Reference ref(fonts_->Get(object.font));
        ref.canvas.SetTextColour(BgrxFromColorRef(object.colour1));
        ref.canvas.SetTextAlign(c.align);
        const std::int32_t x = c.align == kTaLeft ? 40 : c.align == kTaCenter ? 140 : 241;
        const std::int32_t h = GetTextExtent(ref.canvas, "Top").cy;
        TextOut(ref.canvas, x, 20, "Top");
        TextOut(ref.canvas, x, 20 + h, "Lower line");
        EXPECT_EQ(surface_, ref.surface) << "param1 " << c.param1;
    }
}

// With a fixed width each line is DrawText'n into its band of the object's width, centred
// vertically, and clipped to it.
TEST_F(DrawTextTest, FixedWidthTextUsesBandsAndClips) {
    struct Case {
        std::uint32_t param1;
        std::uint32_t format;
    };
    const Case cases[] = {{0, 0}, {1, kDtCenter}, {2, kDtRight}};
    const Rect rect{50, 40, 90, 60};  // narrower than the lines
    for (const Case& c : cases) {
        surface_.Fill(kBackground);
        Object object = TextObject("Wider than forty\nSecond wide line", rect);
        object.param1 = c.param1;
        object.param4 = 1;
        DrawPlainText(object, ctx_);

        Reference ref(fonts_->Get(object.font));
        ref.canvas.SetTextColour(BgrxFromColorRef(object.colour1));
        const std::int32_t h = GetTextExtent(ref.canvas, "x").cy;
        const std::uint32_t format = kDtSingleLine | kDtVCenter | c.format;
        DrawText(ref.canvas, "Wider than fort", {50, 40, 90, 40 + h}, format);
        DrawText(ref.canvas, "Second wide line", {50, 40 + h, 90, 40 + 2 * h}, format);
        EXPECT_EQ(surface_, ref.surface) << "param1 " << c.param1;
        for (std::int32_t y = 0; y < surface_.Height(); ++y) {
            for (std::int32_t x : {49, 90}) ASSERT_EQ(surface_.At(x, y), kBackground);
        }
    }
}

TEST_F(DrawTextTest, PointerStateSelectsTheTextColour) {
    for (std::int32_t state : {0, 1, 2}) {
        surface_.Fill(kBackground);
        Object object = TextObject("Colour", {10, 10, 100, 40});
        object.state = state;
        DrawPlainText(object, ctx_);
        const std::uint32_t expected[] = {object.colour1, object.colour2, object.colour3};
        int ink = 0;
        for (Bgrx p : surface_.Pixels()) {
            if (p == kBackground) continue;
            ASSERT_EQ(p, BgrxFromColorRef(expected[state])) << "state " << state;
            ++ink;
        }
        EXPECT_GT(ink, 0);
    }
}

TEST_F(DrawTextTest, DrawOffsetMovesThePixelsButNotTheRectangle) {
    Object object = TextObject("Alias", {10, 10, 100, 40});
    ctx_.draw_offset = {35, 50};
    DrawPlainText(object, ctx_);

    Reference ref(fonts_->Get(object.font));
    ref.canvas.SetTextColour(BgrxFromColorRef(object.colour1));
    TextOut(ref.canvas, 45, 60, "Alias");
    EXPECT_EQ(surface_, ref.surface);
    EXPECT_EQ(object.rect.left, 10);
    EXPECT_EQ(object.rect.top, 10);
    EXPECT_EQ(object.rect.right, 10 + GetTextExtent(ref.canvas, "Alias").cx);
}

TEST_F(DrawTextTest, DrawObjectSkipsInvisibleTextWhateverHiddenSays) {
    for (std::uint32_t hidden : {0u, 1u}) {
        Object object = TextObject("Hidden", {10, 10, 100, 40});
        object.visible = 0;
        object.hidden = hidden;
        DrawObject(object, ctx_);
        EXPECT_EQ(surface_, Surface(320, 200, kBackground));
        EXPECT_EQ(object.rect, (Rect{10, 10, 100, 40}));
    }
}

TEST_F(DrawTextTest, RectanglesAtTheEdgeOfTheRangeSaturate) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    for (std::uint32_t smooth : {0u, 1u}) {
        Object far = TextObject("Far\r\naway", {kMax - 3, kMax - 3, kMax, kMax});
        far.option1 = smooth;
        far.param1 = 2;
        DrawObject(far, ctx_);
        DrawPlainText(far, ctx_);
        DrawSmoothText(far, ctx_);
        EXPECT_EQ(far.rect, (Rect{kMax - 3, kMax - 3, kMax, kMax}));

        Object before = TextObject("Before", {kMin, kMin, kMin + 1, kMin + 1});
        before.option1 = smooth;
        before.param1 = 1;
        before.param4 = 1;
        DrawPlainText(before, ctx_);
        DrawSmoothText(before, ctx_);
        EXPECT_EQ(before.rect.right, kMin + 1);
    }
    EXPECT_EQ(surface_, Surface(320, 200, kBackground));
}

// --- Smooth text ---------------------------------------------------------------------------

// The expected smooth text: the lines drawn black on white at double size into a 2w x 2h
// bitmap, and every 2 x 2 block averaged, paper showing `page` and ink the text colour.
Surface ExpectedSmooth(const std::shared_ptr<const Font>& big, const Lines& lines,
                       std::uint32_t align, std::int32_t w, std::int32_t h, const Surface& page,
                       std::int32_t left, std::int32_t top, Bgrx ink) {
    Surface work(2 * w, 2 * h, MakeBgrx(255, 255, 255));
    Canvas canvas(work);
    canvas.SetBkMode(BkMode::kTransparent);
    canvas.SelectFont(big);
    canvas.SetTextAlign(align);
    const std::int32_t x = align == kTaLeft ? 0 : align == kTaCenter ? w : 2 * w;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TextOut(canvas, x, std::int32_t(i) * GetTextExtent(canvas, lines[i]).cy, lines[i]);
    }
    Surface out = page;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x0 = 0; x0 < w; ++x0) {
            const Bgrx under = page.At(left + x0, top + y);
            int sum[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const Bgrx sub = work.At(2 * x0 + k % 2, 2 * y + k / 2);
                const Bgrx c = sub == MakeBgrx(255, 255, 255) ? under : ink;
                sum[0] += RedOf(c);
                sum[1] += GreenOf(c);
                sum[2] += BlueOf(c);
            }
            out.Set(left + x0, top + y,
                    MakeBgrx(std::uint8_t(sum[0] / 4), std::uint8_t(sum[1] / 4),
                             std::uint8_t(sum[2] / 4)));
        }
    }
    return out;
}

// A page whose pixels all differ, so that each output pixel shows which page pixel it used.
Surface PatternedPage() {
    Surface page(320, 200);
    for (std::int32_t y = 0; y < page.Height(); ++y) {
        for (std::int32_t x = 0; x < page.Width(); ++x) {
            page.Set(x, y, MakeBgrx(std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)));
        }
    }
    return page;
}

TEST_F(DrawTextTest, SmoothTextOfOne40By16LineEnds22By10) {
    Object object = TextObject("12345", {100, 50, 300, 150});
    object.option1 = 1;
    object.font = ArialFont(8);
    Reference big(fonts_->Get(ArialFont(16)));
    ASSERT_EQ(GetTextExtent(big.canvas, "12345"), (TextExtent{40, 16}));
    DrawObject(object, ctx_);
    EXPECT_EQ(object.rect, (Rect{100, 50, 122, 60}));
}

TEST_F(DrawTextTest, SmoothTextSizeFromTheDoubleSizeLines) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"Smooth", {"Smooth"}},
        {"One\r\nTwo lines", {"One", "Two lines"}},
        // An empty line counts as high as "Mj".
        {"A\r\n\r\nB", {"A", "", "B"}},
    };
    Reference big(fonts_->Get(ArialFont(-26)));
    const std::int32_t mj = GetTextExtent(big.canvas, "Mj").cy;
    for (const Case& c : cases) {
        for (std::uint32_t fixed : {0u, 1u}) {
            Object object = TextObject(c.text, {10, 20, 200, 21});
            object.option1 = 1;
            object.font = ArialFont(-13);
            object.param4 = fixed;
            DrawSmoothText(object, ctx_);
            std::int32_t widest = 0, sum = 0;
            for (std::string_view line : c.lines) {
                const TextExtent e =
                    line.empty() ? TextExtent{0, mj} : GetTextExtent(big.canvas, line);
                widest = std::max(widest, e.cx);
                sum += e.cy;
            }
            SCOPED_TRACE(c.text + (fixed ? " (fixed width)" : ""));
            EXPECT_EQ(object.rect.right, fixed ? 200 : 10 + widest / 2 + 2);
            EXPECT_EQ(object.rect.bottom, 20 + sum / 2 + 2);
        }
    }
}

TEST_F(DrawTextTest, SmoothTextAveragesTwoByTwoBlocksOverThePage) {
    struct Case {
        std::uint32_t param1;
        std::uint32_t param4;
        std::uint32_t align;
    };
    const Case cases[] = {
        {0, 0, kTaLeft},
        {1, 0, kTaCenter},  // auto-sized: the offset is 0 whatever the alignment
        {1, 1, kTaCenter},
        {2, 1, kTaRight},
    };
    const Surface page = PatternedPage();
    const auto big = fonts_->Get(ArialFont(-28));
    for (const Case& c : cases) {
        surface_ = page;
        Object object = TextObject("Smooth\r\nAg", {30, 40, 231, 41});
        object.option1 = 1;
        object.font = ArialFont(-14);
        object.param1 = c.param1;
        object.param4 = c.param4;
        object.state = 1;
        DrawSmoothText(object, ctx_);

        Reference measure(big);
        const std::int32_t w =
            GetTextExtent(measure.canvas, "Smooth").cx / 2 + 2;  // the wider line
        const std::int32_t h = 2 * GetTextExtent(measure.canvas, "Ag").cy / 2 + 2;
        std::int32_t offset = 0;
        if (c.param4 == 1 && c.align == kTaCenter) offset = (201 - w) / 2;
        if (c.param4 == 1 && c.align == kTaRight) offset = 201 - w;
        const Surface expected = ExpectedSmooth(big, {"Smooth", "Ag"}, c.align, w, h, page,
                                                30 + offset, 40, BgrxFromColorRef(object.colour2));
        EXPECT_EQ(surface_, expected) << "param1 " << c.param1 << " param4 " << c.param4;
    }
}

TEST_F(DrawTextTest, SmoothTextHonoursTheClip) {
    const Surface page = PatternedPage();
    Object object = TextObject("Clipped smooth text", {30, 40, 231, 41});
    object.option1 = 1;
    object.font = ArialFont(-14);

    surface_ = page;
    Object whole = object;
    DrawSmoothText(whole, ctx_);
    const Surface unclipped = surface_;

    surface_ = page;
    const Rect clip{55, 44, 90, 49};
    canvas_.IntersectClip(clip);
    DrawSmoothText(object, ctx_);
    EXPECT_EQ(object.rect, whole.rect);
    for (std::int32_t y = 0; y < page.Height(); ++y) {
        for (std::int32_t x = 0; x < page.Width(); ++x) {
            const Bgrx want = clip.Contains({x, y}) ? unclipped.At(x, y) : page.At(x, y);
            ASSERT_EQ(surface_.At(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(DrawTextTest, SmoothEmptyTextLeavesThePage) {
    Object object = TextObject("", {30, 40, 231, 41});
    object.option1 = 1;
    DrawSmoothText(object, ctx_);
    EXPECT_EQ(surface_, Surface(320, 200, kBackground));
}

}  // namespace
}  // namespace velk
