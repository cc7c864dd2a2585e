#include "pages/page_manager.h"

#include <gtest/gtest.h>

#include "fake_page_owner.h"
#include "hosts/headless/memory_file_system.h"
#include "image_test_writers.h"
#include "objects/effect/effect_kind.h"

namespace velk {
namespace {

using test::FakePageOwner;
using test::MakeObject;
using test::MakePage;

Project ThreePages() {
    Project project;
    project.pages = {MakePage("A", {MakeObject("a1")}), MakePage("B", {MakeObject("b1")}),
                     MakePage("C", {MakeObject("c1")})};
    return project;
}

TEST(PageManagerTest, NavigationByDirectionStopsAtTheEnds) {
    struct Case {
        const char* start;
        PageDirection direction;
        int result;
        const char* current;
        std::vector<std::string> exits;
    };
    const Case cases[] = {
        {"B", PageDirection::kFirst, 1, "A", {"B"}},    {"A", PageDirection::kFirst, 0, "A", {}},
        {"B", PageDirection::kLast, 1, "C", {"B"}},     {"A", PageDirection::kNext, 1, "B", {"A"}},
        {"C", PageDirection::kPrevious, 1, "B", {"C"}}, {"C", PageDirection::kNext, 0, "C", {}},
        {"A", PageDirection::kPrevious, 0, "A", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " direction " + std::to_string(int(c.direction)));
        Project project = ThreePages();
        PageManager pages(project);
        FakePageOwner host;
        if (std::string(c.start) != "A") {
            ASSERT_EQ(pages.GoToByName(c.start, false, host), 1);
        }
        host.Clear();
        EXPECT_EQ(pages.GoTo(c.direction, host), c.result);
        EXPECT_EQ(pages.Current()->name, c.current);
        EXPECT_EQ(host.exits, c.exits);
        // The page is stopped even when it stays (the main window enters it again).
        const std::string only_object{char(c.start[0] - 'A' + 'a'), '1'};
        EXPECT_EQ(host.stopped, std::vector<std::string>{only_object});
    }
}

TEST(PageManagerTest, NavigationByNameAndLastPage) {
    Project project = ThreePages();
    project.pages.push_back(MakePage("c", {}));  // a second page whose name differs only in case
    PageManager pages(project);
    FakePageOwner host;

    // Right after the start there is no last page.
    EXPECT_EQ(pages.GoToByName("LASTPAGE", true, host), 0);
    EXPECT_EQ(pages.LastPageName(), "");
    // Exact names: "c" is the fourth page; with ignore_case the first match wins.
    EXPECT_EQ(pages.GoToByName("c", false, host), 1);
    EXPECT_EQ(pages.Current(), &project.pages[3]);
    EXPECT_EQ(pages.GoToByName("c", true, host), 1);
    EXPECT_EQ(pages.Current(), &project.pages[2]);
    EXPECT_EQ(pages.LastPageName(), "c");
    EXPECT_EQ(pages.GoToByName("b", false, host), 0);
    EXPECT_EQ(pages.Current()->name, "C");
    // "LASTPAGE" is compared exactly; it goes back to the page left last.
    EXPECT_EQ(pages.GoToByName("lastpage", true, host), 0);
    host.Clear();
    EXPECT_EQ(pages.GoToByName("LASTPAGE", false, host), 1);
    EXPECT_EQ(pages.Current(), &project.pages[3]);
    EXPECT_EQ(pages.LastPageName(), "C");
    EXPECT_EQ(host.exits, std::vector<std::string>{"C"});

    // The current page by name: 1, and it is left (exit actions) although it stays current.
    host.Clear();
    EXPECT_EQ(pages.GoToByName("c", false, host), 1);
    EXPECT_EQ(pages.Current(), &project.pages[3]);
    EXPECT_EQ(host.exits, std::vector<std::string>{"c"});
    // By direction to the current page: neither exit nor change.
    ASSERT_EQ(pages.GoToByName("A", false, host), 1);
    host.Clear();
    EXPECT_EQ(pages.GoTo(PageDirection::kFirst, host), 0);
    EXPECT_TRUE(host.exits.empty());
}

TEST(PageManagerTest, WithoutPagesNothingMovesAndOnlyQualifiedNamesFindObjects) {
    Project project;
    project.master_page.objects.push_back(MakeObject("Logo"));
    PageManager pages(project);
    FakePageOwner host;
    EXPECT_EQ(pages.Current(), nullptr);
    EXPECT_EQ(pages.GoTo(PageDirection::kNext, host), 0);
    EXPECT_EQ(pages.GoToByName("A", true, host), 0);
    EXPECT_EQ(pages.FindObject("Logo"), nullptr);
    EXPECT_EQ(pages.FindObject("Master Page::Logo"), &project.master_page.objects[0]);
    EXPECT_EQ(pages.FindPageOf("Logo"), nullptr);
    pages.EnterPage(host);  // masters only
    pages.StopPages(host);
    EXPECT_TRUE(host.exits.empty());
}

TEST(PageManagerTest, QualifiedNames) {
    Project project;
    project.master_page.objects = {MakeObject("Logo")};
    project.master_layer.objects = {MakeObject("Bar")};
    project.pages = {MakePage("Intro", {MakeObject("Title")}),
                     MakePage("Menu", {MakeObject("Title"), MakeObject("a::b")}),
                     MakePage("MASTER PAGE 000", {MakeObject("Logo")})};
    PageManager pages(project);
    Object* logo = &project.master_page.objects[0];
    Object* bar = &project.master_layer.objects[0];
    Object* intro_title = &project.pages[0].objects[0];
    Object* menu_title = &project.pages[1].objects[0];

    // Scripts may have renamed the shared pages; lookups give them their names back.
    project.master_page.name = "Renamed";
    project.master_layer.name = "Menu";

    struct Case {
        const char* name;
        Object* object;
    };
    const Case cases[] = {
        {"Master Page::Logo", logo},
        {"master page::logo", logo},
        {"Master Page 000::Logo", logo},
        {"MASTER PAGE::Logo", logo},  // the lower-cased form is "master page"
        {"MASTER PAGE 000::Logo", &project.pages[2].objects[0]},
        {"Master Layer::bar", bar},
        {"Master Layer 000::Bar", bar},
        {"master layer::Bar", bar},
        {"Title", intro_title},
        {"TITLE", intro_title},
        {"menu::title", menu_title},
        {"Menu::a::b", &project.pages[1].objects[1]},
        {"Nowhere::Title", nullptr},
        {"::Title", nullptr},
        {"Menu::", nullptr},
        {"Logo", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pages.FindObject(c.name), c.object);
    }
    EXPECT_EQ(project.master_page.name, kMasterPageName);
    EXPECT_EQ(project.master_layer.name, kMasterLayerName);

    struct PageCase {
        const char* name;
        Page* page;
    };
    const PageCase page_cases[] = {
        {"Master Page::x", &project.master_page},
        {"Master Page 000::x", &project.master_page},
        {"master page::x", nullptr},
        {"Master Layer::x", &project.master_layer},
        {"Master Layer 000::x", &project.master_layer},
        {"Menu::x", &project.pages[1]},
        {"menu::x", nullptr},
        {"MASTER PAGE 000::x", &project.pages[2]},
        {"x", &project.pages[0]},
    };
    for (const PageCase& c : page_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pages.FindPageOf(c.name), c.page);
    }
    EXPECT_EQ(pages.PageHolding(*bar), &project.master_layer);
    EXPECT_EQ(pages.PageHolding(*menu_title), &project.pages[1]);
    Object stray;
    EXPECT_EQ(pages.PageHolding(stray), nullptr);
}

TEST(PageManagerTest, EnteringResetsObjectsAndEntersTheMastersOnce) {
    Project project = ThreePages();
    project.master_page.objects = {MakeObject("mp")};
    project.master_layer.objects = {MakeObject("ml")};
    project.pages[0].objects[0].state = 2;
    project.pages[0].objects[0].initially_hidden = 1;
    Object effect = MakeObject("fx", kKindEffect);
    effect.param2 = 40;
    Object hidden_effect = MakeObject("fx2", kKindEffect);
    hidden_effect.initially_hidden = 1;
    project.pages[0].objects.push_back(effect);
    project.pages[0].objects.push_back(hidden_effect);
    const Object& a1 = project.pages[0].objects[0];
    PageManager pages(project);
    FakePageOwner host;

    pages.EnterPage(host);
    EXPECT_EQ(host.entered, (std::vector<std::string>{"mp", "ml", "a1", "fx", "fx2"}));
    EXPECT_EQ(a1.state, 0);
    EXPECT_EQ(a1.hidden, 1u);
    EXPECT_EQ(host.timers.at(kEffectTimerId), 40u);
    EXPECT_EQ(host.log.front(), "kill 200");
    EXPECT_EQ(host.log[1], "kill 502");

    host.Clear();
    pages.EnterPage(host);
    EXPECT_EQ(host.entered, (std::vector<std::string>{"a1", "fx", "fx2"}));
    pages.StopPages(host);
    EXPECT_EQ(host.stopped, (std::vector<std::string>{"a1", "fx", "fx2", "mp", "ml"}));
    pages.Reset(project);
    host.Clear();
    pages.EnterPage(host);
    EXPECT_EQ(host.entered.front(), "mp");
}

TEST(PageManagerTest, EnteringEndsShrinkAnimationsWithTheScaleRestored) {
    Project project = ThreePages();
    Object& a1 = project.pages[0].objects[0];
    a1.scale = 0.2;
    a1.anim_running = true;
    a1.anim_saved_scale = 0.8;
    project.pages[0].running_animations = 1;
    PageManager pages(project);
    FakePageOwner host;
    pages.EnterPage(host);
    EXPECT_FALSE(a1.anim_running);
    EXPECT_EQ(a1.scale, 0.8);
    EXPECT_EQ(project.pages[0].running_animations, 0);
}

TEST(PageManagerTest, ImageObjectsLoadTheirFilePictureOnEntryAndFreeItOnStop) {
    headless::MemoryFileSystem files;
    test::TestBmp bmp(3, 2, 24);
    bmp.data = test::PackBmpRows(3, 24, {{0xFF0000, 0, 0}, {0, 0, 0x0000FF}}, true);
    files.AddFile("Z:\\player\\Images\\Pic.BMP", test::WriteTestBmp(bmp));
    const std::vector<std::uint8_t> grey(5 * 4 * 3, 128);
    files.AddFile("Z:\\player\\Images\\photo.img", test::EncodeTestJpeg(5, 4, 3, grey));
    files.AddFile("Z:\\player\\Images\\fake.bmp", test::EncodeTestJpeg(5, 4, 3, grey));

    auto image = [](std::string name, std::string file) {
        Object object = MakeObject(std::move(name), kKindImage, {10, 20, 11, 21});
        object.text = std::move(file);
        object.param1 = 1;
        object.param2 = 1;
        return object;
    };
    Project project;
    project.pages = {MakePage("A", {image("bmp", "pic.bmp"), image("jpeg", "PHOTO.IMG"),
                                    image("fake", "fake.bmp"), image("missing", "none.jpg")}),
                     MakePage("B")};
    Object stored = image("stored", "pic.bmp");
    stored.param2 = 0;
    project.pages[0].objects.push_back(stored);
    PageManager pages(project);
    pages.SetPlayerDirectory("Z:\\player");
    FakePageOwner host;
    host.files = &files;
    pages.EnterPage(host);

    const auto& objects = project.pages[0].objects;
    ASSERT_TRUE(objects[0].image1);
    EXPECT_EQ(objects[0].image1->width, 3);
    EXPECT_EQ(objects[0].image1->bytes.size(), 3u * 2 * 3);
    EXPECT_EQ(objects[0].image1->bytes[0], 0xFF);  // red, top left
    EXPECT_EQ(objects[0].rect, (Rect{10, 20, 13, 22}));
    EXPECT_EQ(objects[0].param1, 0u);
    ASSERT_TRUE(objects[1].image1);
    EXPECT_EQ(objects[1].rect, (Rect{10, 20, 15, 24}));
    for (std::size_t i : {2, 3, 4}) {
        SCOPED_TRACE(objects[i].name);
        EXPECT_FALSE(objects[i].image1);
        EXPECT_EQ(objects[i].rect, (Rect{10, 20, 11, 21}));
        EXPECT_EQ(objects[i].param1, 1u);
    }

    // Leaving frees the file pictures; coming back reads them again.
    ASSERT_EQ(pages.GoTo(PageDirection::kNext, host), 1);
    EXPECT_FALSE(objects[0].image1);
    EXPECT_FALSE(objects[1].image1);
    ASSERT_EQ(pages.GoTo(PageDirection::kPrevious, host), 1);
    pages.EnterPage(host);
    EXPECT_TRUE(objects[0].image1);
    EXPECT_GE(host.forgotten, 4);

    // Without files to read from, an Image is simply left without its picture.
    host.files = nullptr;
    ASSERT_EQ(pages.GoTo(PageDirection::kNext, host), 1);
    ASSERT_EQ(pages.GoTo(PageDirection::kPrevious, host), 1);
    pages.EnterPage(host);
    EXPECT_FALSE(objects[0].image1);
}

TEST(PageManagerTest, LeavingAPageGivesBackTheDecodedPixelsOfItsPictures) {
    Project project = ThreePages();
    Object& image = project.pages[0].objects[0];
    image.kind = kKindImage;
    image.image1 = Picture{};
    image.image3 = Picture{};
    PageManager pages(project);
    FakePageOwner host;
    ASSERT_EQ(pages.GoToByName("A", false, host), 1);
    host.forgotten = 0;
    ASSERT_EQ(pages.GoToByName("B", false, host), 1);
    EXPECT_EQ(host.forgotten, 2);
    ASSERT_TRUE(image.image1.has_value());
}

TEST(PageManagerTest, CoveringAreaFollowsThePaintOrder) {
    Project project;
    project.master_layer.objects = {MakeObject("ml1", kKindText, {0, 0, 10, 10}),
                                    MakeObject("ml2", kKindText, {100, 0, 110, 10})};
    project.master_page.objects = {MakeObject("mp1", kKindText, {0, 100, 10, 110}),
                                   MakeObject("mp2", kKindText, {100, 100, 110, 110})};
    Object hidden = MakeObject("p2", kKindText, {0, 300, 10, 310});
    hidden.hidden = 1;
    project.pages = {MakePage("P", {MakeObject("p1", kKindText, {0, 200, 10, 210}), hidden,
                                    MakeObject("group", kKindGroup, {0, 400, 10, 410}),
                                    MakeObject("script", kKindScript, {0, 500, 10, 510}),
                                    MakeObject("p5", kKindText, {100, 200, 110, 210})})};
    PageManager pages(project);
    const auto rects = [](std::vector<Rect> list) { return Region::FromRects(list); };
    const Rect ml1{0, 0, 10, 10}, ml2{100, 0, 110, 10}, mp2{100, 100, 110, 110},
        p1{0, 200, 10, 210}, p5{100, 200, 110, 210};

    EXPECT_EQ(pages.CoveringArea(project.master_layer, project.master_layer.objects[0]),
              rects({ml2}));
    EXPECT_TRUE(
        pages.CoveringArea(project.master_layer, project.master_layer.objects[1]).IsEmpty());
    EXPECT_EQ(pages.CoveringArea(project.master_page, project.master_page.objects[0]),
              rects({ml1, ml2, p1, p5, mp2}));
    EXPECT_EQ(pages.CoveringArea(project.pages[0], project.pages[0].objects[0]),
              rects({ml1, ml2, p5}));
    EXPECT_EQ(pages.CoveringArea(project.pages[0], project.pages[0].objects[4]), rects({ml1, ml2}));
}

}  // namespace
}  // namespace velk
