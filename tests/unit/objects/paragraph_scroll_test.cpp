#include <gtest/gtest.h>

#include <string>

#include "draw_test_fixture.h"
#include "input/pointer_dispatch.h"
#include "input_test_owner.h"
#include "objects/paragraph/paragraph_scroll.h"

namespace velk::test {
namespace {

// A drawn Paragraph of 30 one-word lines, 5 lines high, at (10, 20), scrolled to line 10.
struct ScrollRig {
    DrawFixture fixture{260, 400, MakeBgrx(255, 255, 255)};
    Object paragraph = MakeObject(kKindParagraph, {});

    explicit ScrollRig(std::int32_t height = 0) {
        paragraph.name = "Para";
        for (int i = 0; i < 30; ++i) paragraph.text += (i > 0 ? "\r\n" : "") + std::to_string(i);
        const std::int32_t line_height = SharedFonts().Get(paragraph.font)->Metrics().height;
        paragraph.rect = {10, 20, 210, 20 + (height > 0 ? height : 5 * line_height)};
        Draw();
        Layout().first_line = 10;
        Draw();
    }
    void Draw() { fixture.Draw(paragraph); }
    ParagraphLayout& Layout() { return *paragraph.paragraph_layout; }
    // Points relative to the object's top-left corner.
    Point At(std::int32_t x, std::int32_t y) const {
        return {paragraph.rect.left + x, paragraph.rect.top + y};
    }
    std::int32_t Height() const { return paragraph.rect.Height(); }
};

TEST(ParagraphPress, EachPartOfTheScrollBarAndTheText) {
    enum Held { kUp, kDown, kPageUp, kPageDown, kThumb };
    struct Case {
        const char* part;
        Point relative;
        Held held;
        std::int32_t first_line;
        bool drag, repeat, grabbed;
    };
    ScrollRig probe;
    const std::int32_t h = probe.Height();
    const std::int32_t thumb_top = probe.Layout().thumb.top - probe.paragraph.rect.top;
    const std::int32_t thumb_bottom = probe.Layout().thumb.bottom - probe.paragraph.rect.top;
    const std::vector<Case> cases = {
        {"up arrow", {195, 14}, kUp, 9, false, true, false},
        {"down arrow", {199, h - 14}, kDown, 11, false, true, false},
        {"track above the thumb", {199, thumb_top}, kPageUp, 5, false, false, false},
        {"track below the thumb", {199, thumb_bottom}, kPageDown, 15, false, false, false},
        {"thumb", {199, thumb_top + 1}, kThumb, 10, true, false, false},
        {"text", {100, 30}, kThumb, 10, true, false, true},
        // The column starts after width - 15.
        {"left of the column", {185, 5}, kThumb, 10, true, false, true},
    };
    for (const Case& c : cases) {
        ScrollRig rig;
        const ParagraphPressResult result =
            ParagraphPress(rig.paragraph, rig.At(c.relative.x, c.relative.y));
        const ParagraphLayout& layout = rig.Layout();
        EXPECT_EQ(layout.first_line, c.first_line) << c.part;
        EXPECT_EQ(result.drag, c.drag) << c.part;
        EXPECT_EQ(result.start_repeat, c.repeat) << c.part;
        EXPECT_TRUE(result.repaint) << c.part;
        EXPECT_EQ(rig.paragraph.text_grabbed, c.grabbed) << c.part;
        const bool held[] = {layout.up_pressed, layout.down_pressed, layout.page_up_pressed,
                             layout.page_down_pressed, layout.thumb_pressed};
        for (int i = 0; i < 5; ++i) EXPECT_EQ(held[i], i == c.held) << c.part << " " << i;

        EXPECT_TRUE(ParagraphRelease(rig.paragraph)) << c.part;
        EXPECT_FALSE(rig.Layout().up_pressed || rig.Layout().down_pressed ||
                     rig.Layout().page_up_pressed || rig.Layout().page_down_pressed ||
                     rig.Layout().thumb_pressed || rig.paragraph.text_grabbed)
            << c.part;
    }
}

TEST(ParagraphPress, ScrollingStaysWithinTheLines) {
    ScrollRig rig;
    rig.Layout().first_line = 0;
    ParagraphPress(rig.paragraph, rig.At(199, 3));
    EXPECT_EQ(rig.Layout().first_line, 0);
    rig.Layout().first_line = 25;
    ParagraphPress(rig.paragraph, rig.At(199, rig.Height() - 3));
    EXPECT_EQ(rig.Layout().first_line, 25);
    EXPECT_FALSE(ParagraphRepeatArrow(rig.paragraph));
}

TEST(ParagraphPress, AParagraphNotYetDrawnIgnoresThePointer) {
    Object paragraph = MakeObject(kKindParagraph, {0, 0, 100, 100});
    EXPECT_FALSE(ParagraphPress(paragraph, {50, 50}).repaint);
    EXPECT_FALSE(ParagraphDrag(paragraph, 50));
    EXPECT_FALSE(paragraph.text_grabbed);
}

TEST(ParagraphDrag, MovesByTheTrackUnitWithinTheLines) {
    ScrollRig rig;
    const ParagraphLayout& layout = rig.Layout();
    const double unit = double(rig.Height() - 30) / 30;
    const std::int32_t track_top = rig.paragraph.rect.top + 15;
    EXPECT_TRUE(ParagraphDrag(rig.paragraph, track_top + std::int32_t(unit * 4.5)));
    EXPECT_EQ(layout.first_line, 4);
    EXPECT_FALSE(ParagraphDrag(rig.paragraph, track_top + std::int32_t(unit * 4.5)));
    EXPECT_TRUE(ParagraphDrag(rig.paragraph, track_top - 50));
    EXPECT_EQ(layout.first_line, 0);
    EXPECT_TRUE(ParagraphDrag(rig.paragraph, track_top + 1000));
    EXPECT_EQ(layout.first_line, 25);
}

TEST(ParagraphDrag, ShortScrollBarsDoNotDivideByZero) {
    for (std::int32_t height : {29, 30, 31}) {
        ScrollRig rig(height);
        for (std::int32_t y : {-100, 0, 35, 1000}) {
            ParagraphDrag(rig.paragraph, rig.paragraph.rect.top + y);
            EXPECT_GE(rig.Layout().first_line, 0) << height;
            EXPECT_LE(rig.Layout().first_line, 29) << height;
        }
    }
    ScrollRig flat(30);
    EXPECT_FALSE(ParagraphDrag(flat.paragraph, flat.paragraph.rect.top + 200));
}

// The paragraph as a page object under the pointer dispatch.
struct PointerRig {
    ScrollRig scroll;
    FakeInputHost host;
    PointerDispatch pointer{host};

    PointerRig() { host.current.objects.push_back(scroll.paragraph); }
    Object& Para() { return host.current.objects[0]; }
    std::int32_t First() { return Para().paragraph_layout->first_line; }
    Point At(std::int32_t x, std::int32_t y) { return scroll.At(x, y); }
    bool TimerArmed(std::uint32_t interval) {
        auto found = host.page_host.timers.find(200);
        return found != host.page_host.timers.end() && found->second == interval;
    }
};

TEST(ParagraphPointer, AHeldArrowRepeatsUntilTheRelease) {
    PointerRig rig;
    rig.pointer.Down(rig.At(199, rig.scroll.Height() - 3));
    EXPECT_EQ(rig.First(), 11);
    EXPECT_TRUE(rig.TimerArmed(200));
    rig.pointer.RepeatScrollArrows();
    rig.pointer.RepeatScrollArrows();
    EXPECT_EQ(rig.First(), 13);
    EXPECT_TRUE(rig.TimerArmed(50));
    rig.pointer.Up(rig.At(199, rig.scroll.Height() - 3));
    EXPECT_FALSE(rig.Para().paragraph_layout->down_pressed);
    rig.pointer.RepeatScrollArrows();
    EXPECT_EQ(rig.First(), 13);
    EXPECT_EQ(rig.host.page_host.timers.count(200), 0u);
}

TEST(ParagraphPointer, DraggingTheTextScrollsWithTheGrabCursorAndNoHover) {
    PointerRig rig;
    const Point start = rig.At(100, 40);
    rig.pointer.Down(start);
    EXPECT_TRUE(rig.Para().text_grabbed);
    EXPECT_EQ(rig.host.cursor, -2);
    // One pixel up moves the thumb above line 10's place.
    rig.pointer.Move({start.x, start.y - 1});
    EXPECT_LT(rig.First(), 10);
    EXPECT_EQ(rig.host.cursor, -2);
    EXPECT_EQ(rig.pointer.StateOf(rig.host.current).hovered, nullptr);
    rig.pointer.Move({start.x, start.y + 1000});
    EXPECT_EQ(rig.First(), 25);
    rig.pointer.Up(start);
    EXPECT_FALSE(rig.Para().text_grabbed);
    EXPECT_NE(rig.host.cursor, -2);
    // Without a drag, moves only hover.
    rig.pointer.Move({start.x, start.y + 30});
    EXPECT_EQ(rig.First(), 25);
    EXPECT_EQ(rig.pointer.StateOf(rig.host.current).hovered, &rig.Para());
}

}  // namespace
}  // namespace velk::test
