// Text output on a canvas: TextOut alignment, DrawText placement and clipping, mnemonic
// prefixes, background modes. Positions are read back from the pixels of the text cell.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/text_draw.h"

namespace velk {
namespace {

constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);
constexpr Bgrx kInk = MakeBgrx(0, 0, 128);
constexpr Bgrx kPaper = MakeBgrx(255, 255, 0);

// The bounding box of the pixels that are not white; empty when there are none.
Rect ChangedBox(const Surface& s) {
    std::optional<Rect> box;
    for (std::int32_t y = 0; y < s.Height(); ++y) {
        for (std::int32_t x = 0; x < s.Width(); ++x) {
            if (s.At(x, y) == kWhite) continue;
            if (!box) box = Rect{x, y, x + 1, y + 1};
            box->left = std::min(box->left, x);
            box->top = std::min(box->top, y);
            box->right = std::max(box->right, x + 1);
            box->bottom = std::max(box->bottom, y + 1);
        }
    }
    return box.value_or(Rect{});
}

int Count(const Surface& s, Bgrx colour) {
    int n = 0;
    for (Bgrx p : s.Pixels()) n += p == colour;
    return n;
}

class TextDrawTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { cache_ = std::make_unique<FontCache>(); }
    static void TearDownTestSuite() { cache_.reset(); }

    TextDrawTest() : surface_(200, 120, kWhite), canvas_(surface_) {
        canvas_.SetTextColour(kInk);
        canvas_.SetBkColour(kPaper);
    }

    // The 8 pt system sans of the old dialogs: cell 13, ascent 11.
    void SelectDialogFont() {
        LogFont lf;
        lf.face_name = "MS Sans Serif";
        lf.height = 10;
        canvas_.SelectFont(cache_->Get(lf));
        ASSERT_NE(canvas_.GetFont(), nullptr);
        ASSERT_EQ(canvas_.GetFont()->Metrics().height, 13);
        ASSERT_EQ(canvas_.GetFont()->Metrics().ascent, 11);
    }

    static std::unique_ptr<FontCache> cache_;
    Surface surface_;
    Canvas canvas_;
};
std::unique_ptr<FontCache> TextDrawTest::cache_;

TEST_F(TextDrawTest, TextOutPlacesTheCellByTheAlignment) {
    SelectDialogFont();
    const std::int32_t w = GetTextExtent(canvas_, "Hello").cx;
    ASSERT_GT(w, 0);
    struct Case {
        std::uint32_t align;
        std::int32_t left, top;
    };
    // Reference point (100, 50); cell 13 high with the baseline 11 rows down.
    const Case cases[] = {
        {kTaLeft | kTaTop, 100, 50},         {kTaCenter | kTaTop, 100 - w / 2, 50},
        {kTaRight | kTaTop, 100 - w, 50},    {kTaLeft | kTaBaseline, 100, 50 - 11},
        {kTaLeft | kTaBottom, 100, 50 - 13}, {kTaCenter | kTaBaseline, 100 - w / 2, 39},
    };
    for (const Case& c : cases) {
        surface_.Fill(kWhite);
        canvas_.SetTextAlign(c.align);
        TextOut(canvas_, 100, 50, "Hello");
        EXPECT_EQ(ChangedBox(surface_), (Rect{c.left, c.top, c.left + w, c.top + 13})) << c.align;
    }
}

TEST_F(TextDrawTest, CentringTruncatesHalfTheWidth) {
    SelectDialogFont();
    canvas_.SetTextAlign(kTaCenter | kTaTop);
    // Find a text of odd width so that the truncation shows.
    std::string text = "H";
    while (GetTextExtent(canvas_, text).cx % 2 == 0) text += "i";
    const std::int32_t w = GetTextExtent(canvas_, text).cx;
    TextOut(canvas_, 100, 50, text);
    EXPECT_EQ(ChangedBox(surface_).left, 100 - w / 2);
}

TEST_F(TextDrawTest, OpaqueFillsTheCellTransparentOnlyDrawsGlyphs) {
    SelectDialogFont();
    const TextExtent extent = GetTextExtent(canvas_, "Hello");
    canvas_.SetBkMode(BkMode::kOpaque);
    TextOut(canvas_, 10, 20, "Hello");
    const int ink = Count(surface_, kInk);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(Count(surface_, kPaper) + ink, extent.cx * extent.cy);
    EXPECT_EQ(ChangedBox(surface_), (Rect{10, 20, 10 + extent.cx, 20 + extent.cy}));

    Surface opaque = surface_;
    surface_.Fill(kWhite);
    canvas_.SetBkMode(BkMode::kTransparent);
    TextOut(canvas_, 10, 20, "Hello");
    EXPECT_EQ(Count(surface_, kPaper), 0);
    EXPECT_EQ(Count(surface_, kWhite) + Count(surface_, kInk), 200 * 120);
    // The same glyph pixels in both modes.
    for (std::int32_t y = 0; y < surface_.Height(); ++y) {
        for (std::int32_t x = 0; x < surface_.Width(); ++x) {
            EXPECT_EQ(surface_.At(x, y) == kInk, opaque.At(x, y) == kInk) << x << "," << y;
        }
    }
}

TEST_F(TextDrawTest, GlyphsStandOnTheBaseline) {
    LogFont lf;
    lf.face_name = "Arial";
    lf.height = -20;
    canvas_.SelectFont(cache_->Get(lf));
    canvas_.SetBkMode(BkMode::kTransparent);
    canvas_.SetTextAlign(kTaLeft | kTaBaseline);
    TextOut(canvas_, 30, 60, "HIM");
    Rect ink = ChangedBox(surface_);
    EXPECT_EQ(ink.bottom, 60);  // the last row of the capitals is the one above the baseline
    EXPECT_GE(ink.left, 30);
}

TEST_F(TextDrawTest, DrawTextCentresWithTwoTruncatingHalves) {
    SelectDialogFont();
    canvas_.SetBkMode(BkMode::kOpaque);
    const std::int32_t cx = GetTextExtent(canvas_, "OK").cx;
    struct Case {
        Rect rect;
        std::uint32_t format;
        std::int32_t x, y;
    };
    const std::uint32_t centred = kDtSingleLine | kDtCenter | kDtVCenter;
    const Case cases[] = {
        // y = 0 + 23 / 2 - 13 / 2 = 5, baseline row 16.
        {{0, 0, 75, 23}, centred, (75 - cx) / 2, 5},
        // y = 12 - 6 = 6, where (24 - 13) / 2 would give 5.
        {{0, 0, 75, 24}, centred, (75 - cx) / 2, 6},
        {{0, 0, 75, 23}, kDtSingleLine | kDtRight | kDtVCenter, 75 - cx, 5},
        {{10, 30, 85, 53}, kDtSingleLine | kDtVCenter, 10, 30 + 11 - 6},
        {{10, 30, 85, 60}, kDtSingleLine | kDtBottom, 10, 60 - 13},
        {{10, 30, 85, 60}, kDtSingleLine, 10, 30},
        // (left + right - cx) / 2 truncates the sum, not each edge.
        {{11, 0, 86, 23}, centred, (11 + 86 - cx) / 2, 5},
    };
    for (const Case& c : cases) {
        surface_.Fill(kWhite);
        DrawText(canvas_, "OK", c.rect, c.format);
        EXPECT_EQ(ChangedBox(surface_), (Rect{c.x, c.y, c.x + cx, c.y + 13}))
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom
            << " format " << c.format;
    }
}

TEST_F(TextDrawTest, DrawTextClipsToItsRectangleUnlessNoClip) {
    SelectDialogFont();
    canvas_.SetBkMode(BkMode::kOpaque);
    const Rect narrow{20, 20, 30, 26};  // narrower and lower than the text
    DrawText(canvas_, "Wide text", narrow, kDtSingleLine | kDtVCenter);
    EXPECT_EQ(ChangedBox(surface_), narrow);

    surface_.Fill(kWhite);
    DrawText(canvas_, "Wide text", narrow, kDtSingleLine | kDtVCenter | kDtNoClip);
    const TextExtent extent = GetTextExtent(canvas_, "Wide text");
    const std::int32_t y = 20 + 6 / 2 - 13 / 2;
    EXPECT_EQ(ChangedBox(surface_), (Rect{20, y, 20 + extent.cx, y + 13}));
}

TEST_F(TextDrawTest, TextOutIsClippedByTheCanvas) {
    SelectDialogFont();
    canvas_.SetBkMode(BkMode::kOpaque);
    canvas_.IntersectClip({0, 0, 105, 120});
    TextOut(canvas_, 100, 50, "Hello");
    EXPECT_EQ(ChangedBox(surface_), (Rect{100, 50, 105, 63}));
    // Far outside the surface nothing is drawn and nothing overflows.
    surface_.Fill(kWhite);
    TextOut(canvas_, INT32_MAX - 3, INT32_MIN + 2, "Hello");
    TextOut(canvas_, -2000000000, 50, "Hello");
    EXPECT_EQ(ChangedBox(surface_), Rect{});
}

TEST_F(TextDrawTest, PrefixCharactersUnderlineTheNextCharacter) {
    SelectDialogFont();
    canvas_.SetBkMode(BkMode::kTransparent);
    const Rect rect{0, 0, 100, 13};
    const TextExtent ok = GetTextExtent(canvas_, "OK");

    // "&OK" draws "OK" with O marked: one row under the baseline (row 11 + 1), from the
    // start of O to one column before its end.
    DrawText(canvas_, "&OK", rect, kDtSingleLine);
    Surface marked = surface_;
    surface_.Fill(kWhite);
    DrawText(canvas_, "OK", rect, kDtSingleLine);
    const std::int32_t o = canvas_.GetFont()->CharAdvance('O');
    for (std::int32_t y = 0; y < 13; ++y) {
        for (std::int32_t x = 0; x < 100; ++x) {
            const bool mark = y == 12 && x < o - 1;
            if (mark) {
                EXPECT_EQ(marked.At(x, y), kInk) << x;
            } else {
                EXPECT_EQ(marked.At(x, y), surface_.At(x, y)) << x << "," << y;
            }
        }
    }

    // "&&" is one ampersand; without prefixes "&" is drawn as it is.
    surface_.Fill(kWhite);
    DrawText(canvas_, "A&&B", rect, kDtSingleLine);
    Surface doubled = surface_;
    surface_.Fill(kWhite);
    DrawText(canvas_, "A&B", rect, kDtSingleLine | kDtNoPrefix);
    EXPECT_EQ(doubled, surface_);
    EXPECT_EQ(CalcTextRect(canvas_, "&OK", rect, kDtSingleLine).right, ok.cx);
    EXPECT_GT(CalcTextRect(canvas_, "&OK", rect, kDtSingleLine | kDtNoPrefix).right, ok.cx);
}

TEST_F(TextDrawTest, DrawTextWithoutSingleLineBreaksAtLineEnds) {
    SelectDialogFont();
    const Rect rect{0, 0, 150, 100};
    EXPECT_EQ(DrawText(canvas_, "One\r\nTwo\nThree", rect, 0), 3 * 13);
    EXPECT_EQ(DrawText(canvas_, "One\r\nTwo", rect, kDtSingleLine), 13);
    EXPECT_EQ(DrawText(canvas_, "A\n\rB", rect, kDtCalcRect), 2 * 13);  // LF CR is one break
    EXPECT_EQ(DrawText(canvas_, "A\n\nB", rect, kDtCalcRect), 3 * 13);
    EXPECT_EQ(DrawText(canvas_, "OK", Rect{0, 0, 75, 23}, kDtSingleLine | kDtVCenter), 5 + 13);

    const Rect calc = CalcTextRect(canvas_, "One\r\nThree", {5, 7, 6, 8}, 0);
    EXPECT_EQ(calc, (Rect{5, 7, 5 + GetTextExtent(canvas_, "Three").cx, 7 + 2 * 13}));

    // DT_CALCRECT draws nothing.
    surface_.Fill(kWhite);
    DrawText(canvas_, "OK", rect, kDtSingleLine | kDtCalcRect);
    EXPECT_EQ(ChangedBox(surface_), Rect{});
}

TEST_F(TextDrawTest, NothingHappensWithoutAFont) {
    canvas_.SetBkMode(BkMode::kOpaque);
    TextOut(canvas_, 10, 10, "Hello");
    EXPECT_EQ(DrawText(canvas_, "Hello", {0, 0, 100, 100}, kDtSingleLine), 0);
    EXPECT_EQ(GetTextExtent(canvas_, "Hello"), TextExtent{});
    EXPECT_EQ(ChangedBox(surface_), Rect{});
}

}  // namespace
}  // namespace velk
