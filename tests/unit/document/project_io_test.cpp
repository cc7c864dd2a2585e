#include "document/project_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/zlib_codec.h"
#include "document/command_vocabulary.h"
#include "document/container.h"
#include "document/object_io.h"
#include "document/page_io.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "raw_archive.h"

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

using testing_support::Raw;

// The knobs of the hand-laid version-27 archive; the defaults give an archive that the writer
// reproduces byte for byte.
struct Layout {
    std::uint32_t backdrop_enabled = 0;
    std::uint32_t backdrop_image_present = 1;
    std::uint32_t window_layer = 2;
    std::uint32_t has_caption = 0;
    std::uint32_t top_most = 0;
    std::uint32_t no_background = 1;
    std::uint32_t page_cursor = 5;  // as stored
    std::uint32_t page_count = 1;
    std::string settings_section = "Sec";
    std::uint32_t change_resolution = 2;
    bool reserved_filled = false;  // reserved words and strings hold something
};

const Bytes kBackdropPixels = {10, 20, 30, 40, 50, 60};

void ActionListEnd(Raw& b) {
    b.U32(0xFFFFFFFF);
}

void LayIntroPage(Raw& b, const Layout& l, std::uint32_t r, std::string_view rs) {
    b.Str("Intro").U32(7).Str("note").U32(3).U32(l.page_cursor);
    b.U32(0).U32(1);  // no background image, use the first page's background
    b.U32(0x00FF00).U32(1).U32(0x1234);
    b.U32(0);  // objects
    b.Str("t.dll").Str(rs).Str(rs).U32(1).U32(r).U32(r).U32(9).U32(18).U32(750);
    // Entry actions: one command record.
    b.U32(1).U32(11).Str("Page 2").Str("").Str("").Str("").U32(0).U32(1).U32(0).U32(0);
    b.U32(0xFFFFFFFF);
    ActionListEnd(b);
    // Transition mask 4 x 1, stored raw.
    b.U32(4).U32(1).U32(4).U32(0).Data({1, 2, 3, 4});
    b.U32(0).U32(1);  // mask_stretch, mask_invert
    for (int i = 0; i < 5; ++i) b.U32(r);
    b.U32(0);  // exit actions: none
    ActionListEnd(b);
}

void LayEmptyPage(Raw& b, std::string_view name, std::uint32_t r, std::string_view rs) {
    // The cursor is stored as 1 (the default arrow), the form the writer gives it.
    b.Str(name).U32(0).Str("").U32(0).U32(1).U32(0).U32(0);
    b.U32(0xFFFFFF).U32(0).U32(0x5900).U32(0);
    b.Str("").Str(rs).Str(rs).U32(0).U32(r).U32(r).U32(0).U32(0).U32(500);
    b.U32(0);
    ActionListEnd(b);
    b.U32(0).U32(0).U32(0);  // mask 0 x 0, U = 0: no C
    b.U32(1).U32(0);
    for (int i = 0; i < 5; ++i) b.U32(r);
    b.U32(0);
    ActionListEnd(b);
}

Bytes LayArchive(const Layout& l) {
    const std::uint32_t r = l.reserved_filled ? 0xDEADBEEF : 0;
    const std::string rs = l.reserved_filled ? "junk" : "";
    Raw b;
    b.Str("Vellumkit27").U32(0);
    // Rows 1 to 10 and the backdrop block.
    b.U32(0).U32(2).U32(l.backdrop_enabled).U32(0x112233).U32(2).U32(1).U32(l.window_layer);
    b.U32(1).U32(1).U32(l.backdrop_image_present);
    if (l.backdrop_enabled && l.backdrop_image_present) b.U32(0).Data(kBackdropPixels);
    // Rows 11 to 16.
    b.Str("Show").U32(l.has_caption).U32(1).U32(r).U32(1).Str(rs);
    // Row 17: the page manager record.
    b.U32(l.page_count);
    for (std::uint32_t i = 0; i < l.page_count; ++i) LayIntroPage(b, l, r, rs);
    b.U32(1).U32(static_cast<std::uint32_t>(-1)).U32(2);  // one shape point (-1, 2)
    LayEmptyPage(b, "Under", r, rs);
    LayEmptyPage(b, "Over", r, rs);
    b.Str(rs).Str(rs).Str(rs);
    b.U32(1).U32(2).U32(1).U32(2).Data({0, 255});  // shape mask 2 x 1
    for (int i = 0; i < 5; ++i) b.U32(r);
    b.U32(2);
    b.U32(1).U32(3).U32(0).Data({'a', 'b', 'c'}).Str("A.WAV");
    b.U32(11).U32(0).Str("x.bin");  // U = 0: no C, no data
    // Rows 18 to 39.
    b.U32(r).U32(800).U32(600).U32(2).Str("<SrcDir>\\low.vkd").Str("Low");
    b.Str(rs).Str(rs).Str(rs).U32(r);
    b.U32(l.top_most).U32(1).Str(l.settings_section);
    b.U32(0).U32(l.no_background).U32(r).U32(r);
    b.U32(l.change_resolution).U32(3).U32(2);
    if (l.reserved_filled) {
        b.U32(2).U32(r).U32(r).U32(1).U32(r);
    } else {
        b.U32(0).U32(0);
    }
    for (int i = 0; i < 6; ++i) b.Str(rs);
    b.U32(0).U32(2).U32(r).U32(r).U32(r);
    return b.bytes;
}

class ProjectIoTest : public ::testing::Test {
  protected:
    LoadResult Read(const Bytes& bytes) {
        ui_.Clear();
        LoadContext ctx{ui_, profile_, kCurrentProjectVersion, "show.vkd"};
        return ReadProjectArchive(bytes, ctx);
    }

    headless::RecordingUi ui_;
    headless::MemoryProfileStore profile_;
};

TEST_F(ProjectIoTest, ReadsAHandLaidVersion27ArchiveFieldByField) {
    Bytes bytes = LayArchive(Layout{});
    LoadResult result = Read(bytes);
    ASSERT_EQ(result.status, LoadStatus::kLoaded) << testing::PrintToString(ui_.Texts());
    EXPECT_TRUE(ui_.Texts().empty());
    const Project& p = result.project;
    EXPECT_EQ(p.version, 27);

    const ProjectHeader& h = p.header;
    EXPECT_EQ(h.drag_by_body, 0u);
    EXPECT_EQ(h.backdrop_mode, 2u);
    EXPECT_EQ(h.backdrop_enabled, 0u);
    EXPECT_EQ(h.backdrop_colour, 0x112233u);
    EXPECT_EQ(h.backdrop_width, 2u);
    EXPECT_EQ(h.backdrop_height, 1u);
    EXPECT_EQ(h.window_layer, 0u);  // the stored 2 became desktop mode
    EXPECT_TRUE(h.desktop_mode);
    EXPECT_EQ(h.hide_taskbar, 1u);
    EXPECT_EQ(h.lock_system_keys, 1u);
    EXPECT_EQ(h.backdrop_image_present, 1u);
    EXPECT_FALSE(h.backdrop_image.has_value());
    EXPECT_EQ(h.title, "Show");
    EXPECT_EQ(h.has_caption, 0u);
    EXPECT_EQ(h.border, 1u);
    EXPECT_EQ(h.shaped_window, 1u);
    EXPECT_EQ(h.client_width, 800u);
    EXPECT_EQ(h.client_height, 600u);
    EXPECT_EQ(h.low_colour_action, 2u);
    EXPECT_EQ(h.low_colour_file, "<SrcDir>\\low.vkd");
    EXPECT_EQ(h.low_colour_page, "Low");
    EXPECT_EQ(h.top_most, 0u);
    EXPECT_EQ(h.remember_position, 1u);
    EXPECT_EQ(h.settings_section, "Sec");
    EXPECT_EQ(h.ignore_palette, 0u);
    EXPECT_EQ(h.no_background, 1u);
    EXPECT_EQ(h.change_resolution, 1u);
    EXPECT_TRUE(h.force_resolution);
    EXPECT_EQ(h.resolution, 3u);
    EXPECT_EQ(h.process_priority, 2u);
    EXPECT_EQ(h.minimize_box, 0u);
    EXPECT_EQ(h.flash_install_option, 2u);

    ASSERT_EQ(p.pages.size(), 1u);
    const Page& page = p.pages[0];
    EXPECT_EQ(page.name, "Intro");
    EXPECT_EQ(page.serial, 7u);
    EXPECT_EQ(page.notes, "note");
    EXPECT_EQ(page.page_option_a, 3u);
    EXPECT_EQ(page.page_cursor, 4u);
    EXPECT_FALSE(page.background_image.has_value());
    EXPECT_EQ(page.use_first_page_background, 1u);
    EXPECT_EQ(page.background_colour, 0x00FF00u);
    EXPECT_EQ(page.tile_background, 1u);
    EXPECT_EQ(page.page_option_c, 0x1234u);
    EXPECT_TRUE(page.objects.empty());
    EXPECT_EQ(page.transition_file, "t.dll");
    EXPECT_EQ(page.use_master_background, 1u);
    EXPECT_EQ(page.page_value1, 9u);
    EXPECT_EQ(page.transition_effect, 18u);
    EXPECT_EQ(page.transition_duration, 750u);
    ASSERT_EQ(page.entry_actions.records.size(), 1u);
    EXPECT_EQ(page.entry_actions.records[0].code, 11);
    EXPECT_EQ(page.entry_actions.records[0].target, "Page 2");
    EXPECT_EQ(page.entry_actions.records[0].argument_count, 1);
    EXPECT_EQ(page.transition_mask_width, 4u);
    EXPECT_EQ(page.transition_mask_height, 1u);
    EXPECT_EQ(page.transition_mask.size, 4u);
    EXPECT_FALSE(page.transition_mask.compressed);
    EXPECT_EQ(page.transition_mask.bytes, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(page.mask_stretch, 0u);
    EXPECT_EQ(page.mask_invert, 1u);
    EXPECT_TRUE(page.exit_actions.empty());

    EXPECT_EQ(p.shape.shape_points, (std::vector<Point>{{-1, 2}}));
    EXPECT_EQ(p.master_page.name, "Under");
    EXPECT_EQ(p.master_layer.name, "Over");
    EXPECT_EQ(p.master_layer.transition_duration, 500u);
    EXPECT_EQ(p.shape.shape_mask_present, 1u);
    EXPECT_EQ(p.shape.shape_mask_width, 2u);
    EXPECT_EQ(p.shape.shape_mask_height, 1u);
    EXPECT_EQ(p.shape.shape_mask, (Bytes{0, 255}));

    ASSERT_EQ(p.embedded_files.size(), 2u);
    EXPECT_EQ(p.embedded_files[0].file_type, 1u);
    EXPECT_EQ(p.embedded_files[0].file_name, "A.WAV");
    EXPECT_EQ(p.embedded_files[0].size, 3u);
    EXPECT_EQ(p.embedded_files[0].data, (Bytes{'a', 'b', 'c'}));
    EXPECT_FALSE(p.embedded_files[0].compressed);
    EXPECT_EQ(p.embedded_files[1].file_type, 11u);
    EXPECT_EQ(p.embedded_files[1].file_name, "x.bin");
    EXPECT_EQ(p.embedded_files[1].size, 0u);
    EXPECT_TRUE(p.embedded_files[1].data.empty());

    // And the writer lays the same bytes for what was read.
    Bytes written = WriteProjectArchive(p, 27, false);
    EXPECT_EQ(written.size(), bytes.size());
    auto differ = std::mismatch(written.begin(), written.end(), bytes.begin(), bytes.end());
    EXPECT_TRUE(differ.first == written.end() && differ.second == bytes.end())
        << "first difference at byte " << (differ.first - written.begin());
}

struct DerivationCase {
    const char* name;
    Layout layout;
    // Expected after reading.
    bool desktop_mode = true;
    std::uint32_t window_layer = 0;
    bool backdrop_image = false;
    std::uint32_t page_cursor = 4;
    std::string settings_section = "Sec";
    std::uint32_t change_resolution = 1;
    bool force_resolution = true;
    std::uint32_t no_background = 1;
};

TEST_F(ProjectIoTest, DerivesTheHeaderMeaningsAsItReads) {
    auto with = [](auto change) {
        Layout l;
        change(l);
        return l;
    };
    std::vector<DerivationCase> cases;
    cases.push_back({"as laid", Layout{}});
    {
        DerivationCase c{"backdrop off: the present flag brings no image",
                         with([](Layout& l) { l.window_layer = 1; })};
        c.desktop_mode = false;
        c.window_layer = 1;
        cases.push_back(c);
    }
    {
        DerivationCase c{"backdrop on with layer 2: no desktop mode",
                         with([](Layout& l) { l.backdrop_enabled = 1; })};
        c.desktop_mode = false;
        c.backdrop_image = true;
        cases.push_back(c);
    }
    {
        DerivationCase c{"backdrop on without an image", with([](Layout& l) {
                             l.backdrop_enabled = 1;
                             l.backdrop_image_present = 0;
                             l.window_layer = 1;
                         })};
        c.desktop_mode = false;
        c.window_layer = 1;
        cases.push_back(c);
    }
    {
        DerivationCase c{"cursor stored as 0", with([](Layout& l) { l.page_cursor = 0; })};
        c.page_cursor = 0;
        cases.push_back(c);
    }
    {
        DerivationCase c{"cursor stored as 1", with([](Layout& l) { l.page_cursor = 1; })};
        c.page_cursor = 0;
        cases.push_back(c);
    }
    {
        DerivationCase c{"cursor stored as 2", with([](Layout& l) { l.page_cursor = 2; })};
        c.page_cursor = 1;
        cases.push_back(c);
    }
    {
        DerivationCase c{"empty settings section",
                         with([](Layout& l) { l.settings_section.clear(); })};
        c.settings_section = "Velk";
        cases.push_back(c);
    }
    {
        DerivationCase c{"change resolution 0", with([](Layout& l) { l.change_resolution = 0; })};
        c.change_resolution = 0;
        c.force_resolution = false;
        cases.push_back(c);
    }
    {
        DerivationCase c{"change resolution 1", with([](Layout& l) { l.change_resolution = 1; })};
        c.force_resolution = false;
        cases.push_back(c);
    }
    cases.push_back(
        {"change resolution above 2", with([](Layout& l) { l.change_resolution = 0xFFFFFFFF; })});
    {
        DerivationCase c{"top_most paints the background", with([](Layout& l) { l.top_most = 1; })};
        c.no_background = 0;
        cases.push_back(c);
    }
    {
        DerivationCase c{"a caption paints the background",
                         with([](Layout& l) { l.has_caption = 1; })};
        c.no_background = 0;
        cases.push_back(c);
    }
    cases.push_back(
        {"reserved fields hold data", with([](Layout& l) { l.reserved_filled = true; })});

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadResult result = Read(LayArchive(c.layout));
        ASSERT_EQ(result.status, LoadStatus::kLoaded);
        EXPECT_TRUE(ui_.Texts().empty());
        const ProjectHeader& h = result.project.header;
        EXPECT_EQ(h.desktop_mode, c.desktop_mode);
        EXPECT_EQ(h.window_layer, c.window_layer);
        EXPECT_EQ(h.backdrop_image.has_value(), c.backdrop_image);
        if (h.backdrop_image) {
            EXPECT_EQ(h.backdrop_image->bytes, kBackdropPixels);
        }
        EXPECT_EQ(h.settings_section, c.settings_section);
        EXPECT_EQ(h.change_resolution, c.change_resolution);
        EXPECT_EQ(h.force_resolution, c.force_resolution);
        EXPECT_EQ(h.no_background, c.no_background);
        EXPECT_EQ(h.top_most, c.layout.top_most);
        EXPECT_EQ(h.has_caption, c.layout.has_caption);
        ASSERT_EQ(result.project.pages.size(), 1u);
        EXPECT_EQ(result.project.pages[0].page_cursor, c.page_cursor);
        // The fields after the varying ones are still in step.
        EXPECT_EQ(h.flash_install_option, 2u);
        EXPECT_EQ(result.project.embedded_files.size(), 2u);

        // What the writer makes of it reads back the same.
        LoadResult again = Read(WriteProjectArchive(result.project, 27, false));
        ASSERT_EQ(again.status, LoadStatus::kLoaded);
        EXPECT_EQ(again.project, result.project);
    }
}

TEST_F(ProjectIoTest, AProjectWithoutPagesLoads) {
    Layout l;
    l.page_count = 0;
    LoadResult result = Read(LayArchive(l));
    ASSERT_EQ(result.status, LoadStatus::kLoaded);
    EXPECT_TRUE(result.project.pages.empty());
    EXPECT_EQ(result.project.master_page.name, "Under");
    EXPECT_EQ(result.project.header.client_width, 800u);
}

TEST_F(ProjectIoTest, APageCountBeyondTheArchiveIsRefusedBeforeReading) {
    Bytes bytes = LayArchive(Layout{});
    // The page count sits right after rows 1 to 16.
    const std::size_t count_at = 12 + 4 + 10 * 4 + 5 + 4 * 4 + 1;
    ASSERT_EQ(bytes[count_at], 1);
    bytes[count_at + 3] = 0x7F;
    EXPECT_EQ(Read(bytes).status, LoadStatus::kNotAProject);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"The file show.vkd is not a VKD file!"});
}

// A project with every header and page field away from its default (without the
// derivations that would change them on reading).
Project RichProject(const host::ProfileStore& profile, bool with_objects) {
    Project p;
    ProjectHeader& h = p.header;
    h.drag_by_body = 0;
    h.backdrop_mode = 1;
    h.backdrop_enabled = 1;
    h.backdrop_colour = 0x123456;
    h.backdrop_width = 2;
    h.backdrop_height = 1;
    h.window_layer = 1;
    h.hide_taskbar = 1;
    h.lock_system_keys = 1;
    h.backdrop_image_present = 1;
    Picture backdrop;
    backdrop.coding = PictureCoding::kRaw;
    backdrop.width = 2;
    backdrop.height = 1;
    backdrop.bytes = kBackdropPixels;
    h.backdrop_image = backdrop;
    h.title = "Rich show";
    h.border = 1;
    h.shaped_window = 1;
    h.client_width = 640;
    h.client_height = 480;
    h.low_colour_action = 1;
    h.low_colour_file = "<SrcDir>\\low.vkd";
    h.low_colour_page = "Simple";
    h.remember_position = 1;
    h.settings_section = "Rich";
    h.ignore_palette = 0;
    h.no_background = 1;
    h.change_resolution = 1;
    h.force_resolution = true;
    h.resolution = 2;
    h.process_priority = 0;
    h.minimize_box = 0;
    h.flash_install_option = 3;

    ActionRecord go;
    go.code = kCmdPage;
    go.target = "Second";
    go.argument_count = 1;
    ActionRecord assign;
    assign.code = kCodeAssign;
    assign.argument = "a=1";

    Page first;
    first.name = "First";
    first.serial = 11;
    first.notes = "notes";
    first.page_option_a = 2;
    first.page_cursor = 3;
    Picture background;
    background.width = 2;
    background.height = 2;
    background.bytes = Bytes(12, 0x40);
    first.background_image = background;
    first.use_first_page_background = 1;
    first.background_colour = 0x0000FF;
    first.tile_background = 1;
    first.page_option_c = 0x1111;
    first.transition_file = "<SrcDir>\\fade.dll";
    first.use_master_background = 1;
    first.page_value1 = 5;
    first.transition_effect = 1;
    first.transition_duration = 900;
    first.entry_actions.records = {go, assign};
    first.transition_mask_width = 8;
    first.transition_mask_height = 8;
    first.transition_mask.size = 64;
    first.transition_mask.compressed = true;
    for (int i = 0; i < 64; ++i)
        first.transition_mask.bytes.push_back(static_cast<std::uint8_t>(i));
    first.mask_stretch = 0;
    first.mask_invert = 1;
    first.exit_actions.records = {assign};
    if (with_objects) {
        Object text = MakeObject(profile);
        text.kind = kKindText;
        text.name = "Hello";
        text.text = "Hello, world";
        text.rect = {10, 10, 200, 40};
        Object box = MakeObject(profile);
        box.kind = kKindShape;
        box.name = "Box";
        box.rect = {0, 0, 50, 50};
        box.actions_click.records = {go};
        first.objects = {text, box};
    }

    Page second;
    second.name = "Second";
    second.transition_mask.size = 4;
    second.transition_mask.bytes = {9, 8, 7, 6};
    second.transition_mask_width = 2;
    second.transition_mask_height = 2;

    p.pages = {first, second};
    p.master_page.name = "Master Page 001";
    p.master_page.background_colour = 0x00FFFF;
    p.master_page.entry_actions.records = {assign};
    p.master_layer.name = "Master Layer 001";
    p.master_layer.exit_actions.records = {go};
    p.shape.shape_points = {{0, 0}, {100, 0}, {50, -80}};
    p.shape.shape_mask_present = 1;
    p.shape.shape_mask_width = 3;
    p.shape.shape_mask_height = 1;
    p.shape.shape_mask = {0, 128, 255};

    EmbeddedFile sound;
    sound.file_type = kEmbeddedWav;
    sound.file_name = "Click.wav";
    sound.compressed = true;
    for (int i = 0; i < 300; ++i) sound.data.push_back(static_cast<std::uint8_t>(i % 7));
    sound.size = 300;
    EmbeddedFile text_file;
    text_file.file_type = 12;
    text_file.file_name = "readme.txt";
    text_file.data = {'h', 'i'};
    text_file.size = 2;
    EmbeddedFile empty;
    empty.file_type = kEmbeddedMidi;
    empty.file_name = "silence.mid";
    p.embedded_files = {sound, text_file, empty};
    return p;
}

// What a read of `p` written at `version` gives: every field the version lacks is back at its
// default.
Project ExpectedAt(Project p, std::int32_t v) {
    const ProjectHeader defaults;
    ProjectHeader& h = p.header;
    p.version = v;
    if (v <= 7) {
        h.drag_by_body = defaults.drag_by_body;
        h.backdrop_mode = defaults.backdrop_mode;
        h.backdrop_enabled = defaults.backdrop_enabled;
        h.backdrop_colour = defaults.backdrop_colour;
        h.backdrop_width = defaults.backdrop_width;
        h.backdrop_height = defaults.backdrop_height;
        h.window_layer = defaults.window_layer;
        h.lock_system_keys = defaults.lock_system_keys;
        h.backdrop_image_present = defaults.backdrop_image_present;
        h.backdrop_image.reset();
        h.desktop_mode = false;
    }
    if (v <= 9) h.hide_taskbar = defaults.hide_taskbar;
    if (v <= 4) {
        h.top_most = defaults.top_most;
        h.remember_position = defaults.remember_position;
        h.settings_section = defaults.settings_section;
    }
    if (v <= 5) h.ignore_palette = defaults.ignore_palette;
    if (v <= 8) h.no_background = defaults.no_background;
    if (v <= 12) {
        h.change_resolution = defaults.change_resolution;
        h.force_resolution = false;
        h.resolution = defaults.resolution;
        h.process_priority = defaults.process_priority;
    }
    if (v <= 17) h.minimize_box = defaults.minimize_box;
    if (v <= 18) h.flash_install_option = defaults.flash_install_option;

    auto page_at = [v](Page& page) {
        const Page fresh;
        if (v <= 3) page.entry_actions = {};
        if (v <= 10) {
            page.transition_mask_width = fresh.transition_mask_width;
            page.transition_mask_height = fresh.transition_mask_height;
            page.transition_mask = fresh.transition_mask;
            page.mask_stretch = fresh.mask_stretch;
            page.mask_invert = fresh.mask_invert;
        }
        if (v <= 18) page.exit_actions = {};
    };
    for (auto& page : p.pages) page_at(page);
    if (v <= 2) {
        p.master_page = Project::MakeSharedLayer("Master Page 000");
        p.master_layer = Project::MakeSharedLayer("Master Layer 000");
    }
    page_at(p.master_page);
    page_at(p.master_layer);
    if (v <= 6) p.embedded_files.clear();
    if (v <= 10) {
        for (auto& file : p.embedded_files) file.compressed = false;
    }
    return p;
}

TEST_F(ProjectIoTest, EveryVersionReadsBackWhatItStores) {
    const Project rich = RichProject(profile_, false);
    for (std::int32_t version : {2, 6, 7, 12, 21, 22, 26, 27}) {
        for (bool compressed : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "version " << version << " compressed " << compressed);
            LoadResult result = Read(WriteProjectArchive(rich, version, compressed));
            ASSERT_EQ(result.status, LoadStatus::kLoaded) << testing::PrintToString(ui_.Texts());
            EXPECT_TRUE(ui_.Texts().empty());
            EXPECT_EQ(result.project, ExpectedAt(rich, version));
        }
    }
}

TEST_F(ProjectIoTest, ObjectsTravelWithTheirPage) {
    const Project rich = RichProject(profile_, true);
    LoadResult result = Read(WriteProjectArchive(rich, 27, true));
    ASSERT_EQ(result.status, LoadStatus::kLoaded);
    ASSERT_EQ(result.project.pages[0].objects.size(), 2u);
    EXPECT_EQ(result.project.pages[0].objects[0].name, "Hello");
    EXPECT_EQ(result.project.pages[0].objects[0].text, "Hello, world");
    EXPECT_EQ(result.project.pages[0].objects[1].name, "Box");
    EXPECT_EQ(result.project.pages[0].objects[1].actions_click,
              rich.pages[0].objects[1].actions_click);
    EXPECT_EQ(result.project, rich);
}

TEST_F(ProjectIoTest, EveryTruncationIsRefusedAsNotAProject) {
    const Project rich = RichProject(profile_, true);
    const std::vector<std::string> not_vkd = {"The file show.vkd is not a VKD file!"};
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        const Bytes bytes = WriteProjectArchive(rich, 27, compressed);
        ASSERT_EQ(Read(bytes).status, LoadStatus::kLoaded);
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            Bytes part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
            LoadResult result = Read(part);
            ASSERT_EQ(result.status, LoadStatus::kNotAProject) << "cut at " << cut;
            ASSERT_EQ(ui_.Texts(), not_vkd) << "cut at " << cut;
        }
    }
}

// Damaged bytes anywhere must end in a project or a message, never in a fault: every byte of
// a plain archive is set to 0xFF and to 0x00 in turn (counts and sizes become huge or zero).
TEST_F(ProjectIoTest, DamagedBytesNeverBreakTheReader) {
    const Bytes bytes = WriteProjectArchive(RichProject(profile_, true), 27, false);
    for (std::uint8_t value : {std::uint8_t{0xFF}, std::uint8_t{0x00}}) {
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            Bytes damaged = bytes;
            damaged[at] = value;
            LoadResult result = Read(damaged);
            if (result.status == LoadStatus::kNotAProject) {
                ASSERT_FALSE(ui_.Texts().empty()) << "at " << at;
                EXPECT_EQ(ui_.Texts().back(), "The file show.vkd is not a VKD file!");
            }
        }
    }
}

// Page records on their own: a mask that fails to inflate is reported and the record stays in
// step.
TEST_F(ProjectIoTest, ABrokenTransitionMaskIsReportedAndReadingGoesOn) {
    struct MaskCase {
        const char* name;
        std::uint32_t inflated_size;
        Bytes stream;
        Bytes expected;
    };
    Bytes mask(16, 0x55);
    Bytes good = Deflate(mask);
    Bytes cut_stream(good.begin(), good.end() - 6);
    const MaskCase cases[] = {
        {"garbage", 16, {1, 2, 3, 4, 5}, {}},
        {"stream ends early", 16, cut_stream, {}},
        {"U larger than the stream gives", 20, good, mask},
        {"implausible U", 0xFFFFFF00, {1, 2, 3}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Raw b;
        b.Str("P").U32(0).Str("").U32(0).U32(0).U32(0).U32(0);
        b.U32(0xFFFFFF).U32(0).U32(0x5900).U32(0);
        b.Str("").Str("").Str("").U32(0).U32(0).U32(0).U32(0).U32(0).U32(500);
        b.U32(0);
        ActionListEnd(b);
        b.U32(4).U32(4).U32(c.inflated_size).U32(static_cast<std::uint32_t>(c.stream.size()));
        b.Data(c.stream);
        b.U32(0).U32(1).U32(0).U32(0).U32(0).U32(0).U32(0);
        b.U32(1).U32(kCodeComment).Str("").Str("* end").Str("").Str("").U32(0).U32(0).U32(0).U32(0);
        b.U32(0xFFFFFFFF);
        ActionListEnd(b);

        LoadContext ctx{ui_, profile_, 27, "show.vkd"};
        ui_.Clear();
        ByteReader in(b.bytes);
        Page page = ReadPage(in, ctx);
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Uncompression failed (2)"});
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(page.transition_mask.size, c.inflated_size);
        EXPECT_TRUE(page.transition_mask.compressed);
        if (c.expected.empty()) {
            EXPECT_LE(page.transition_mask.bytes.size(), mask.size());
        } else {
            EXPECT_EQ(page.transition_mask.bytes, c.expected);
        }
        EXPECT_EQ(page.mask_stretch, 0u);
        EXPECT_EQ(page.mask_invert, 1u);
        ASSERT_EQ(page.exit_actions.records.size(), 1u);
        EXPECT_EQ(page.exit_actions.records[0].argument, "* end");
    }
}

TEST_F(ProjectIoTest, OlderPagesStopWhereTheirVersionEnds) {
    Page page;
    page.name = "Old";
    page.entry_actions.records.resize(1);
    page.transition_mask.bytes = {1};
    page.transition_mask.size = 1;
    page.exit_actions.records.resize(1);
    // Record sizes grow at versions 4 (entry list), 11 (mask block) and 19 (exit list).
    std::size_t sizes[4];
    std::int32_t versions[4] = {3, 4, 11, 19};
    for (int i = 0; i < 4; ++i) {
        ByteWriter out;
        WritePage(out, page, versions[i]);
        sizes[i] = out.Size();
        LoadContext ctx{ui_, profile_, versions[i], "show.vkd"};
        ByteReader in(out.Data());
        ReadPage(in, ctx);
        EXPECT_TRUE(in.AtEnd()) << versions[i];
    }
    // Count, one record (code, four empty strings, four numbers, marker), end marker.
    const std::size_t list_bytes = 4 + (4 + 4 + 4 * 4 + 4) + 4;
    EXPECT_EQ(sizes[1] - sizes[0], list_bytes);
    EXPECT_EQ(sizes[2] - sizes[1], 4 * 3 + 4 + 1 + 4 * 7);
    EXPECT_EQ(sizes[3] - sizes[2], list_bytes);
}

}  // namespace
}  // namespace velk
