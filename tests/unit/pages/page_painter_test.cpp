// Page painting: backgrounds, the order of the three layers, alias objects, the border.
#include "pages/page_painter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/zlib_codec.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "hosts/headless/recording_ui.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // COLORREFs
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// A Frame whose border style draws nothing: exactly `rect` filled with `colour`.
Object Box(std::string name, Rect rect, std::uint32_t colour) {
    Object object;
    object.kind = kKindFrame;
    object.name = std::move(name);
    object.rect = rect;
    object.colour1 = colour;
    object.param1 = 3;
    return object;
}

Object Alias(std::string name, Rect rect, std::string target) {
    Object object;
    object.kind = kKindFrame;
    object.name = std::move(name);
    object.rect = rect;
    object.is_alias = 1;
    object.text = std::move(target);
    // Were the alias drawn as a Frame of its own, it would show black.
    object.colour1 = 0;
    object.param1 = 3;
    return object;
}

Page MakePage(std::string name, std::uint32_t colour, std::vector<Object> objects = {}) {
    Page page;
    page.name = std::move(name);
    page.background_colour = colour;
    page.objects = std::move(objects);
    return page;
}

// A plain picture whose pixel (x, y) has red x * 40 + 1, green y * 40 + 1, blue 7.
Picture Gradient(std::int32_t width, std::int32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.bytes.push_back(static_cast<std::uint8_t>(x * 40 + 1));
            picture.bytes.push_back(static_cast<std::uint8_t>(y * 40 + 1));
            picture.bytes.push_back(7);
        }
    }
    return picture;
}

Bgrx GradientAt(std::int32_t x, std::int32_t y) {
    return MakeBgrx(static_cast<std::uint8_t>(x * 40 + 1), static_cast<std::uint8_t>(y * 40 + 1),
                    7);
}

Bgrx Px(std::uint32_t colorref) {
    return BgrxFromColorRef(colorref);
}

class PagePainter : public ::testing::Test {
  protected:
    PagePainter() { project.header.client_width = project.header.client_height = 0; }

    void SetClient(std::int32_t width, std::int32_t height) {
        project.header.client_width = static_cast<std::uint32_t>(width);
        project.header.client_height = static_cast<std::uint32_t>(height);
        surface = Surface(width, height, kUntouched);
    }

    // Paints `current` into the surface as it is.
    void Paint(Page& current) {
        Canvas canvas(surface);
        PaintPage(project, current, canvas, fonts, pictures);
    }
    Bgrx At(std::int32_t x, std::int32_t y) const { return surface.At(x, y); }

    static constexpr Bgrx kUntouched = MakeBgrx(1, 2, 3);
    Project project;
    Surface surface;
    FontCache fonts;
    headless::RecordingUi ui;
    PictureCache pictures{ui};
};

TEST_F(PagePainter, MasterPageThenPageThenMasterLayer) {
    SetClient(10, 4);
    // Three boxes overlapping along one row: each layer covers the one below it where they
    // overlap. Master page 0..6, page 2..8, master layer 4..10.
    project.master_page.objects = {Box("Under", {0, 0, 6, 4}, kRed)};
    project.master_layer.objects = {Box("Over", {4, 0, 10, 4}, kBlue)};
    project.pages = {MakePage("One", kWhite, {Box("Middle", {2, 0, 8, 4}, kGreen)})};

    struct Case {
        const char* current;
        std::vector<std::uint32_t> row;  // colours of x = 0, 2, 4, 6, 8
    };
    const Case cases[] = {
        {"page", {kRed, kGreen, kBlue, kBlue, kBlue}},
        // A shared layer that is current shows its own objects alone.
        {"master page", {kRed, kRed, kRed, kGrey, kGrey}},
        {"master layer", {kGrey, kGrey, kBlue, kBlue, kBlue}},
    };
    project.master_page.background_colour = kGrey;
    project.master_layer.background_colour = kGrey;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        Page& current = std::string(c.current) == "page"          ? project.pages[0]
                        : std::string(c.current) == "master page" ? project.master_page
                                                                  : project.master_layer;
        Paint(current);
        for (std::int32_t i = 0; i < 5; ++i) {
            EXPECT_EQ(At(i * 2, 1), Px(c.row[static_cast<std::size_t>(i)])) << "x = " << i * 2;
            EXPECT_EQ(At(i * 2 + 1, 3), Px(c.row[static_cast<std::size_t>(i)])) << "x = " << i * 2;
        }
    }
}

TEST_F(PagePainter, ObjectsOfALayerInListOrder) {
    SetClient(4, 4);
    project.pages = {MakePage(
        "One", kWhite, {Box("First", {0, 0, 3, 3}, kRed), Box("Second", {1, 1, 4, 4}, kGreen)})};
    Paint(project.pages[0]);
    EXPECT_EQ(At(0, 0), Px(kRed));
    EXPECT_EQ(At(2, 2), Px(kGreen));  // the later object is on top
    EXPECT_EQ(At(3, 0), Px(kWhite));
}

TEST_F(PagePainter, BackgroundsEachWay) {
    // Pages: 0 "First" with a 2 x 2 picture at the corner over green; 1 "Second" of its own
    // colour; the master page blue with a tiled picture in some cases.
    struct Case {
        const char* name;
        bool master_picture;           // the master page has the tiled 2 x 2 picture
        std::uint32_t use_master = 0;  // on page 1
        std::uint32_t use_first = 0;   // on page 1 (or page 0 with on_first)
        bool on_first = false;         // paint page 0 instead of page 1
        // What pixel (x, y) of the 5 x 3 client must show.
        enum { kOwnColour, kFirstPicture, kMasterColour, kTiled } expect;
    };
    const Case cases[] = {
        {"own colour", false, 0, 0, false, Case::kOwnColour},
        {"master colour", false, 1, 0, false, Case::kMasterColour},
        {"master picture tiled", true, 1, 0, false, Case::kTiled},
        {"first page's picture", false, 0, 1, false, Case::kFirstPicture},
        {"first page wins over master", true, 1, 1, false, Case::kFirstPicture},
        {"first page itself", false, 0, 1, true, Case::kFirstPicture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetClient(5, 3);
        project.pages = {MakePage("First", kGreen), MakePage("Second", kYellow)};
        project.pages[0].background_image = Gradient(2, 2);
        project.pages[1].use_master_background = c.use_master;
        project.pages[1].use_first_page_background = c.use_first;
        project.pages[0].use_first_page_background = c.on_first ? 1 : 0;
        project.master_page = MakePage("Master Page 000", kBlue);
        if (c.master_picture) {
            project.master_page.background_image = Gradient(2, 2);
            project.master_page.tile_background = 1;
        }
        pictures.Clear();
        Page& current = project.pages[c.on_first ? 0 : 1];
        Paint(current);

        for (std::int32_t y = 0; y < 3; ++y) {
            for (std::int32_t x = 0; x < 5; ++x) {
                Bgrx expected = 0;
                // Where a picture leaves the client uncovered, the window's own fill with the
                // current page's colour shows.
                switch (c.expect) {
                    case Case::kOwnColour:
                        expected = Px(kYellow);
                        break;
                    case Case::kMasterColour:
                        expected = Px(kBlue);
                        break;
                    case Case::kTiled:
                        expected = GradientAt(x % 2, y % 2);
                        break;
                    case Case::kFirstPicture:
                        expected =
                            x < 2 && y < 2 ? GradientAt(x, y) : Px(current.background_colour);
                        break;
                }
                EXPECT_EQ(At(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST_F(PagePainter, HugeStoredClientSizeCostsOnlyTheCanvas) {
    // The header may claim any size; painting touches the canvas's pixels and no more, with a
    // one-pixel tile and the border (whose far sides lie off the canvas) as well.
    project.header.client_width = project.header.client_height = 0x7FFFFFFF;
    project.header.border = 1;
    surface = Surface(4, 3, kUntouched);
    project.pages = {MakePage("One", kWhite)};
    project.pages[0].background_image = Gradient(1, 1);
    project.pages[0].tile_background = 1;
    Paint(project.pages[0]);
    for (std::int32_t y = 0; y < 3; ++y) {
        for (std::int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(At(x, y), x == 0 || y == 0 ? MakeBgrx(0, 0, 0) : GradientAt(0, 0));
        }
    }
}

TEST_F(PagePainter, CodedBackgroundIsDecodedOnFirstPaint) {
    SetClient(3, 2);
    Picture plain = Gradient(3, 2);
    Picture coded;
    coded.coding = PictureCoding::kZlib;
    coded.width = 3;
    coded.height = 2;
    coded.size = static_cast<std::uint32_t>(plain.bytes.size());
    coded.bytes = Deflate(plain.bytes);
    project.pages = {MakePage("One", kWhite)};
    project.pages[0].background_image = coded;

    EXPECT_EQ(pictures.Size(), 0u);
    Paint(project.pages[0]);
    EXPECT_EQ(pictures.Size(), 1u);
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) EXPECT_EQ(At(x, y), GradientAt(x, y));
    }
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(PagePainter, BrokenBackgroundPictureFallsBackToTheColour) {
    SetClient(3, 2);
    // A JPEG stream that decodes to nothing.
    Picture broken;
    broken.coding = PictureCoding::kJpeg;
    broken.width = 3;
    broken.height = 2;
    broken.bytes = {0xFF, 0xD8, 1, 2, 3};
    project.pages = {MakePage("One", kGreen)};
    project.pages[0].background_image = broken;
    project.pages[0].tile_background = 1;
    Paint(project.pages[0]);
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) EXPECT_EQ(At(x, y), Px(kGreen));
    }
}

TEST_F(PagePainter, NoBackgroundLeavesTheCanvas) {
    SetClient(6, 4);
    project.header.no_background = 1;
    project.pages = {MakePage("One", kGreen, {Box("Box", {1, 1, 3, 3}, kRed)})};
    project.pages[0].background_image = Gradient(2, 2);
    Paint(project.pages[0]);
    for (std::int32_t y = 0; y < 4; ++y) {
        for (std::int32_t x = 0; x < 6; ++x) {
            const bool in_box = x >= 1 && x < 3 && y >= 1 && y < 3;
            EXPECT_EQ(At(x, y), in_box ? Px(kRed) : kUntouched) << x << "," << y;
        }
    }
    EXPECT_EQ(pictures.Size(), 0u);  // the background picture was not even decoded
}

TEST_F(PagePainter, BorderIsAOnePixelBlackFrameOnTop) {
    SetClient(7, 5);
    project.header.border = 1;
    // An object covering the whole client: the border is drawn over it.
    project.pages = {MakePage("One", kWhite, {Box("Cover", {0, 0, 7, 5}, kGreen)})};
    Paint(project.pages[0]);
    for (std::int32_t y = 0; y < 5; ++y) {
        for (std::int32_t x = 0; x < 7; ++x) {
            const bool edge = x == 0 || y == 0 || x == 6 || y == 4;
            EXPECT_EQ(At(x, y), edge ? MakeBgrx(0, 0, 0) : Px(kGreen)) << x << "," << y;
        }
    }
    // Without the flag nothing black appears.
    project.header.border = 0;
    Paint(project.pages[0]);
    EXPECT_EQ(At(0, 0), Px(kGreen));
    EXPECT_EQ(At(6, 4), Px(kGreen));
}

TEST_F(PagePainter, AliasDrawsItsTargetAtItsOwnPlace) {
    SetClient(20, 12);
    // The target is hidden: an alias shows it all the same, and only at the alias's place.
    Object target = Box("Target", {1, 1, 4, 3}, kRed);
    target.hidden = 1;
    Object hidden_alias = Alias("Hidden alias", {0, 8, 3, 10}, "target");
    hidden_alias.hidden = 1;
    project.master_page.objects = {Box("Logo", {0, 0, 2, 2}, kBlue)};
    project.pages = {MakePage("One", kWhite,
                              {target, Alias("Copy", {10, 5, 11, 6}, "TARGET"), hidden_alias,
                               Alias("Missing", {0, 0, 20, 12}, "nobody")}),
                     MakePage("Two", kWhite, {Box("Elsewhere", {0, 0, 1, 1}, kYellow)})};
    // Aliases on the master layer: one to the master page, one to another page by name.
    project.master_layer.objects = {Alias("Badge", {15, 0, 16, 1}, "master page::logo"),
                                    Alias("Far", {18, 10, 19, 11}, "two::elsewhere")};
    Paint(project.pages[0]);

    for (std::int32_t y = 0; y < 12; ++y) {
        for (std::int32_t x = 0; x < 20; ++x) {
            Bgrx expected = Px(kWhite);
            if (x < 2 && y < 2) expected = Px(kBlue);  // the master page's own Logo
            if (x >= 10 && x < 13 && y >= 5 && y < 7) expected = Px(kRed);
            if (x >= 15 && x < 17 && y < 2) expected = Px(kBlue);
            if (x == 18 && y == 10) expected = Px(kYellow);
            EXPECT_EQ(At(x, y), expected) << x << "," << y;
        }
    }
    // Drawing through an alias leaves the target's own record as it was.
    EXPECT_EQ(project.pages[0].objects[0].rect, (Rect{1, 1, 4, 3}));
    EXPECT_EQ(project.pages[0].objects[0].hidden, 1u);
}

TEST_F(PagePainter, FindObjectByQualifiedName) {
    project.master_page.name = "Renamed";  // the shared layers answer to their fixed names
    project.master_page.objects = {Box("Logo", {}, kRed)};
    project.master_layer.objects = {Box("Logo", {}, kGreen)};
    project.pages = {MakePage("Intro", kWhite, {Box("Logo", {}, kBlue)}),
                     MakePage("MASTER PAGE 000", kWhite, {Box("Logo", {}, kYellow)})};
    Page& intro = project.pages[0];
    struct Case {
        const char* name;
        const Page* current;
        const Object* expected;
    };
    const Object* master_logo = &project.master_page.objects[0];
    const Object* layer_logo = &project.master_layer.objects[0];
    const Object* intro_logo = &intro.objects[0];
    const Object* odd_logo = &project.pages[1].objects[0];
    const Case cases[] = {
        {"Master Page::Logo", &intro, master_logo},
        {"master page::LOGO", &intro, master_logo},
        {"Master Page 000::Logo", &intro, master_logo},
        {"MASTER PAGE 000::Logo", &intro, odd_logo},  // a list page of that name
        {"Master Layer::logo", &intro, layer_logo},
        {"intro::logo", &project.master_layer, intro_logo},
        {"Logo", &intro, intro_logo},
        {"Logo", &project.master_page, master_logo},
        {"Logo", &project.master_layer, layer_logo},
        {"Nowhere::Logo", &intro, nullptr},
        {"Intro::Nobody", &intro, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindObject(project, *c.current, c.name), c.expected) << c.name;
    }
}

TEST_F(PagePainter, EntryStateShowsWhatIsInitiallyVisible) {
    SetClient(4, 2);
    Object shown_on_entry = Box("A", {0, 0, 2, 2}, kRed);
    shown_on_entry.hidden = 1;
    shown_on_entry.state = 2;
    Object hidden_on_entry = Box("B", {2, 0, 4, 2}, kGreen);
    hidden_on_entry.initially_hidden = 1;
    project.pages = {MakePage("One", kWhite, {shown_on_entry, hidden_on_entry})};

    ResetObjectsForEntry(project.pages[0]);
    EXPECT_EQ(project.pages[0].objects[0].state, 0);
    EXPECT_EQ(project.pages[0].objects[0].hidden, 0u);
    EXPECT_EQ(project.pages[0].objects[1].hidden, 1u);
    Paint(project.pages[0]);
    EXPECT_EQ(At(0, 0), Px(kRed));
    EXPECT_EQ(At(3, 1), Px(kWhite));
}

}  // namespace
}  // namespace velk
