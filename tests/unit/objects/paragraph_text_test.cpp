#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw_test_fixture.h"
#include "objects/paragraph/paragraph_text.h"

namespace velk::test {
namespace {

using Words = std::vector<std::string>;

// Every byte 10 pixels wide keeps the wrapping arithmetic readable.
std::int32_t TenEach(char) {
    return 10;
}

TEST(ParagraphWords, NormalisesBlanksAndCutsAfterEverySpace) {
    struct Case {
        std::string text;
        Words words;
    };
    const std::vector<Case> cases = {
        {"a\tb", {"a ", "b"}},
        {"a b", {"a ", "b"}},
        {"a    b ", {"a ", "b "}},
        {"a\t\tb", {"a ", " ", "b"}},  // each tab gives a space
        {"a\t b", {"a ", "b"}},        // a space after a tab goes
        {"end.\r\nNext", {"end. ", "\nNext"}},
        {"end.\nNext word", {"end.\nNext ", "word"}},
        {"x\n y", {"x\ny"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParagraphWords(c.text), c.words) << c.text;
}

TEST(ParagraphWrap, BreaksAtTheAreaAndAtLineFeeds) {
    struct Case {
        std::string text;
        std::int32_t width;
        Words lines;
    };
    const std::vector<Case> cases = {
        // 2 + 40 + 40 fits in 100, the third word does not.
        {"aaa bbb ccc", 100, {"aaa bbb ", "ccc"}},
        // CR LF: the break falls at the line feed, which the new line loses.
        {"one two.\r\nNext line", 1000, {"one two. ", "Next line"}},
        // A bare line feed inside a word breaks before the word and stays in the line.
        {"one end.\nNext", 1000, {"one ", "end.\nNext"}},
        // A word wider than the area is cut between characters, the rest cut again.
        {"abcdefghij", 45, {"abcd", "efgh", "ij"}},
        {"xy abcdefghij", 45, {"xy ", "abcd", "efgh", "ij"}},
        // Only the margin overruns: no shorter prefix is too wide, so the line stays whole.
        {"abcd", 41, {"abcd"}},
        // Not even one character fits: nothing is shown.
        {"abc def", 5, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapParagraph(ParagraphWords(c.text), c.width, TenEach), c.lines) << c.text;
    }
}

TEST(ParagraphWrap, LineStartsByAlignment) {
    // Area at x 100, 200 wide, line 50 wide.
    EXPECT_EQ(ParagraphLineX(0, 100, 200, 50), 102);
    EXPECT_EQ(ParagraphLineX(3, 100, 200, 50), 102);
    EXPECT_EQ(ParagraphLineX(1, 100, 200, 50), 177);
    EXPECT_EQ(ParagraphLineX(2, 100, 200, 50), 248);
}

TEST(ParagraphThumb, FollowsThePositionAndStaysInTheTrack) {
    // Track 100 pixels for 10 lines: 10 pixels a line.
    EXPECT_EQ(ParagraphThumb({50, 0}, 130, 10, 5, 5), (Rect{50, 65, 65, 115}));
    EXPECT_EQ(ParagraphThumb({50, 0}, 130, 10, 0, 5), (Rect{50, 15, 65, 65}));
    // Many lines: the thumb keeps 6 pixels and, at the end, the last of the track.
    EXPECT_EQ(ParagraphThumb({50, 0}, 130, 1000, 998, 2), (Rect{50, 109, 65, 115}));
    EXPECT_EQ(ParagraphThumb({50, 0}, 130, 0, 0, 0), (Rect{50, 15, 65, 21}));
}

TEST(ParagraphThumb, TracksOfNoLengthOrLessKeepASixPixelThumbBelowTheUpArrow) {
    for (std::int32_t height : {29, 30, 31}) {
        for (std::int32_t first : {0, 5, 11}) {
            const Rect thumb = ParagraphThumb({0, 100}, height, 12, first, 1);
            EXPECT_EQ(thumb.top, 115) << height << " " << first;
            EXPECT_EQ(thumb.Height(), 6) << height << " " << first;
        }
    }
}

// A paragraph of `count` one-word lines ("L0" ...) `visible` lines high.
struct ParagraphRig {
    DrawFixture fixture{260, 400, MakeBgrx(255, 255, 255)};
    Object paragraph = MakeObject(kKindParagraph, {});
    std::int32_t line_height = SharedFonts().Get(LogFont{})->Metrics().height;

    ParagraphRig(int count, std::int32_t height) {
        for (int i = 0; i < count; ++i) {
            if (i > 0) paragraph.text += "\r\n";
            paragraph.text += "L" + std::to_string(i);
        }
        paragraph.colour1 = 0;
        paragraph.rect = {10, 20, 210, 20 + height};
    }
    ParagraphLayout& Layout() { return *paragraph.paragraph_layout; }
};

TEST(DrawParagraph, ScrolledPastTheEndShowsTheLastFullPage) {
    ParagraphRig rig(12, 0);
    rig.paragraph.rect.bottom = 20 + 5 * rig.line_height + rig.line_height / 2;
    rig.fixture.Draw(rig.paragraph);
    rig.Layout().first_line = 10;
    rig.fixture.Draw(rig.paragraph);
    const ParagraphLayout& layout = rig.Layout();
    EXPECT_EQ(layout.lines.size(), 12u);
    EXPECT_EQ(layout.lines[7], "L7 ");
    EXPECT_EQ(layout.lines[11], "L11");
    EXPECT_EQ(layout.visible_lines, 5);
    EXPECT_EQ(layout.first_line, 7);
    EXPECT_TRUE(layout.has_scroll_bar);
    EXPECT_EQ(layout.line_count, 12);
    // The scroll bar fills the 15 columns right of the 185-pixel text area.
    EXPECT_EQ(layout.thumb.left, 195);
    EXPECT_EQ(layout.thumb.right, 210);
    // At the end of the track, give or take the rounding of the two parts.
    EXPECT_LE(layout.thumb.bottom, rig.paragraph.rect.bottom - 15);
    EXPECT_GE(layout.thumb.bottom, rig.paragraph.rect.bottom - 16);
    EXPECT_EQ(rig.fixture.At(202, 37), MakeBgrx(224, 224, 224));
    EXPECT_EQ(rig.fixture.At(197, rig.paragraph.rect.bottom - 13),
              rig.fixture.canvas.GetSystemColours().btn_face);
}

TEST(DrawParagraph, FittingTextShowsNoScrollBar) {
    ParagraphRig rig(3, 0);
    rig.paragraph.rect.bottom = 20 + 5 * rig.line_height;
    rig.fixture.Draw(rig.paragraph);
    EXPECT_FALSE(rig.Layout().has_scroll_bar);
    EXPECT_EQ(rig.fixture.At(202, 30), MakeBgrx(255, 255, 255));
}

TEST(DrawParagraph, ShortHeightsDrawWithoutHarm) {
    for (std::int32_t height : {29, 30, 31}) {
        ParagraphRig rig(12, height);
        rig.fixture.Draw(rig.paragraph);
        const ParagraphLayout& layout = rig.Layout();
        ASSERT_TRUE(layout.has_scroll_bar) << height;
        EXPECT_GE(layout.thumb.Height(), 6) << height;
        EXPECT_EQ(layout.thumb.top, 35) << height;
    }
}

TEST(DrawParagraph, ANewSizeWrapsTheLinesAgain) {
    Object paragraph = MakeObject(kKindParagraph, {0, 0, 415, 100});
    paragraph.text = "one two three four five six";
    DrawFixture fixture(420, 100, MakeBgrx(255, 255, 255));
    fixture.Draw(paragraph);
    EXPECT_EQ(paragraph.paragraph_layout->lines.size(), 1u);
    paragraph.rect.right = 75;
    fixture.Draw(paragraph);
    EXPECT_GT(paragraph.paragraph_layout->lines.size(), 1u);
}

}  // namespace
}  // namespace velk::test
