// An Animated GIF's timer through the page: started at entry when it plays by itself, stopped
// by hiding, started from the first frame by showing, and its ticks found on the right page.
#include "pages/gif_timer.h"

#include <gtest/gtest.h>

#include "fake_page_owner.h"
#include "gif_test_writer.h"
#include "pages/object_visibility.h"

namespace velk {
namespace {

// Two frames of 8 hundredths of a second each on timer 12.
Object Gif(std::string name, bool plays_on_entry) {
    test::TestGif gif{
        .width = 1, .height = 1, .background = 0, .global_palette = {0, 0xFFFFFF}, .frames = {}};
    for (std::uint8_t colour : {0, 1}) {
        test::TestGifFrame frame;
        frame.width = frame.height = 1;
        frame.pixels = {colour};
        frame.delay = 8;
        gif.frames.push_back(frame);
    }
    Object object = test::MakeObject(std::move(name), kKindAnimatedGif, {0, 0, 1, 1});
    object.gif_data = test::StoredGif(test::EncodeTestGif(gif));
    object.gif_timer_id = 12;
    object.option4 = 100;
    object.transparent2 = plays_on_entry;
    return object;
}

TEST(GifTimerTest, EntryHideAndShow) {
    Project project;
    project.pages = {test::MakePage("P", {Gif("auto", true), Gif("still", false)})};
    project.pages[0].objects[1].gif_timer_id = 13;
    PageManager pages(project);
    test::FakePageOwner owner;
    pages.EnterPage(owner);
    EXPECT_EQ(owner.timers, (std::map<std::uint32_t, std::uint32_t>{{12, 80}}));

    Page& page = project.pages[0];
    Object& gif = page.objects[0];
    gif.param2 = 1;
    owner.log.clear();
    SetObjectVisible(page, gif, true, false, &owner);
    SetObjectVisible(page, gif, false, false, &owner);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"kill 12", "set 12 80"}));
    EXPECT_EQ(gif.param2, 0u);

    // Leaving the page stops both, so that the next page's GIFs start only as they ask.
    owner.log.clear();
    pages.StopPage(page, owner);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"kill 12", "kill 13"}));
}

TEST(GifTimerTest, TicksStepTheGifThatOwnsTheTimer) {
    Project project;
    project.pages = {test::MakePage("P", {test::MakeObject("text"), Gif("gif", true)})};
    PageManager pages(project);
    test::FakePageOwner owner;
    pages.EnterPage(owner);
    owner.log.clear();
    // A text object keeps the field's default id, but only the GIF answers its timer.
    project.pages[0].objects[0].gif_timer_id = 12;
    EXPECT_EQ(OnGifTimer(pages, 12, owner), nullptr);
    EXPECT_EQ(project.pages[0].objects[1].param2, 1u);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"set 12 80"}));

    owner.log.clear();
    EXPECT_EQ(OnGifTimer(pages, 14, owner), nullptr);  // no GIF has it: the timer goes
    EXPECT_EQ(owner.log, (std::vector<std::string>{"kill 14"}));
    owner.log.clear();
    EXPECT_EQ(OnGifTimer(pages, 100, owner), nullptr);  // not a GIF timer at all
    EXPECT_TRUE(owner.log.empty());
}

}  // namespace
}  // namespace velk
