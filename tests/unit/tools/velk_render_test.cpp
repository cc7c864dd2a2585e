// `velk render`: runs the velk binary on a project built inside the test and reads its PNG.
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/rgb_image.h"
#include "codec/png_codec.h"
#include "tool_test_fixture.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Rgb PixelOf(const RgbImage& image, int x, int y) {
    const std::size_t at = (std::size_t(y) * std::size_t(image.width) + std::size_t(x)) * 3;
    return {image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]};
}

class VelkRender : public ToolTest {
  protected:
    // Two pages of 40 x 30 with a one-pixel border. Page "Red box" shows a red 10 x 10 box at
    // (5, 5) that is stored hidden but visible on entry, and a green box stored visible that
    // is hidden on entry. Page "Blue" is plain blue; the master layer puts a yellow pixel at
    // (20, 20) on every page.
    void BuildProject() {
        std::ofstream(root_ / "work/project.json") << R"({
  "header": {"client_width": 40, "client_height": 30, "border": 1},
  "pages": [
    {"name": "Red box", "background_colour": 16777215, "objects": [
      {"kind": 2, "name": "Red", "rect": [5, 5, 15, 15], "colour1": 255, "param1": 3,
       "hidden": 1, "initially_hidden": 0},
      {"kind": 2, "name": "Green", "rect": [20, 5, 30, 15], "colour1": 65280, "param1": 3,
       "hidden": 0, "initially_hidden": 1}]},
    {"name": "Blue", "background_colour": 16711680}
  ],
  "master_layer": {"objects": [
    {"kind": 2, "name": "Dot", "rect": [20, 20, 21, 21], "colour1": 65535, "param1": 3}]}
})";
        ToolRun built = Velk("build project.json -o show.vkd");
        ASSERT_EQ(built.exit_code, 0) << built.err;
    }

    std::optional<RgbImage> ReadPng(const std::string& name) {
        std::string bytes = ReadText(root_ / "work" / name);
        return DecodePng({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    }
};

TEST_F(VelkRender, FirstPageInItsEntryState) {
    BuildProject();
    ToolRun run = Velk("render show.vkd");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("show.png"), std::string::npos) << run.out;
    auto image = ReadPng("show.png");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 40);
    ASSERT_EQ(image->height, 30);
    const Rgb white{255, 255, 255}, black{0, 0, 0}, red{255, 0, 0}, yellow{255, 255, 0};
    EXPECT_EQ(PixelOf(*image, 0, 0), black);
    EXPECT_EQ(PixelOf(*image, 39, 29), black);
    EXPECT_EQ(PixelOf(*image, 1, 1), white);
    EXPECT_EQ(PixelOf(*image, 5, 5), red);
    EXPECT_EQ(PixelOf(*image, 14, 14), red);
    EXPECT_EQ(PixelOf(*image, 15, 15), white);
    EXPECT_EQ(PixelOf(*image, 25, 10), white);  // the green box is hidden on entry
    EXPECT_EQ(PixelOf(*image, 20, 20), yellow);
}

TEST_F(VelkRender, PageByNameIntoAChosenFile) {
    BuildProject();
    ToolRun run = Velk("render show.vkd --page blue -o shots/blue.png");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    auto image = ReadPng("shots/blue.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(PixelOf(*image, 10, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelOf(*image, 20, 20), (Rgb{255, 255, 0}));
    EXPECT_EQ(PixelOf(*image, 0, 15), (Rgb{0, 0, 0}));
}

// --size, as the file managers' thumbnailer asks for it: each thumbnail pixel averages the page
// pixels it covers, and a page that already fits keeps its size.
TEST_F(VelkRender, SizeScalesThePageDownToFitASquare) {
    BuildProject();
    ToolRun run = Velk("render show.vkd --size 20 -o thumb.png");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find("scaled to 20 x 15"), std::string::npos) << run.out;
    auto image = ReadPng("thumb.png");
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 20);
    ASSERT_EQ(image->height, 15);
    EXPECT_EQ(PixelOf(*image, 0, 0), (Rgb{64, 64, 64}));  // three border pixels of four
    EXPECT_EQ(PixelOf(*image, 5, 5), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelOf(*image, 10, 10), (Rgb{255, 255, 191}));  // the yellow dot, a quarter

    ToolRun larger = Velk("render show.vkd --size 100 -o full.png");
    ASSERT_EQ(larger.exit_code, 0) << larger.err;
    auto full = ReadPng("full.png");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->width, 40);
    EXPECT_EQ(full->height, 30);
}

TEST_F(VelkRender, UnknownPageOrUnreadableFileFails) {
    BuildProject();
    ToolRun unknown = Velk("render show.vkd --page Nowhere -o nowhere.png");
    EXPECT_EQ(unknown.exit_code, 1);
    EXPECT_NE(unknown.err.find("no page named \"Nowhere\""), std::string::npos) << unknown.err;
    EXPECT_NE(unknown.err.find("\"Red box\", \"Blue\""), std::string::npos) << unknown.err;
    EXPECT_FALSE(fs::exists(root_ / "work/nowhere.png"));

    // A client area the player would not allocate either: refused before any pixel exists.
    std::ofstream(root_ / "work/huge.json")
        << R"({"header": {"client_width": 16384, "client_height": 16384}, "pages": [{}]})";
    ASSERT_EQ(Velk("build huge.json -o huge.vkd").exit_code, 0);
    ToolRun huge = Velk("render huge.vkd --size 128 -o huge.png");
    EXPECT_EQ(huge.exit_code, 1);
    EXPECT_NE(huge.err.find("cannot render a client area of 16384 x 16384"), std::string::npos)
        << huge.err;

    std::ofstream(root_ / "work/junk.vkd") << "not a project";
    ToolRun junk = Velk("render junk.vkd -o junk.png");
    EXPECT_EQ(junk.exit_code, 1);
    EXPECT_FALSE(fs::exists(root_ / "work/junk.png"));
}

}  // namespace
}  // namespace velk
