#include "document/container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "codec/zlib_codec.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kNotVkd[] = "The file show.vkd is not a VKD file!";
constexpr char kSecureLayer[] = "Uncompression failed (Secure layer)";
constexpr char kCorrupted[] =
    "This file is corrupted or it was created for new version of Velk player.";

struct VersionCase {
    const char* magic;
    std::int32_t version;
};

TEST(ProjectVersion, ParsesTheNumberLeftAfterRemovingTheMagic) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const VersionCase cases[] = {
        {"Vellumkit27", 27},
        {"Vellumkit5", 5},
        {"  Vellumkit5", 5},   // blanks before the magic are leading blanks of the rest
        {"My Vellumkit5", 0},  // other text before the number stops the digits
        {"Vellumkit", 0},
        {"", 0},
        {"27", 27},
        {"Vellumkit+12", 12},
        {"Vellumkit-3", -3},
        {"Vellumkit- 3", 0},
        {"Vellumkit+-3", 0},
        {"Vellumkit \t\r\n7", 7},
        {"Vellumkit0027", 27},
        {"Vellumkit27beta", 27},
        {"Vellumkit2 7", 2},
        {"1Vellumkit2", 12},  // the magic in the middle joins the digits around it
        {"Vellumkit1Vellumkit9", 19},
        {"VellumkitVellumkit8", 8},
        {"vellumkit27", 0},  // the magic is matched with its case
        {"Vellumkit2147483647", kMax},
        {"Vellumkit2147483648", kMax},
        {"Vellumkit99999999999999999999", kMax},
        {"Vellumkit-2147483648", kMin},
        {"Vellumkit-99999999999999999999", kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseProjectVersion(c.magic), c.version) << '"' << c.magic << '"';
    }
}

class ContainerTest : public ::testing::Test {
  protected:
    LoadResult Read(const Bytes& bytes) {
        ui_.Clear();
        LoadContext ctx{ui_, profile_, kCurrentProjectVersion, "show.vkd"};
        return ReadProjectArchive(bytes, ctx);
    }

    headless::RecordingUi ui_;
    headless::MemoryProfileStore profile_;
};

// A plain archive of version 27 whose project differs from the defaults, so that a read can be
// told from a default project.
Project SampleProject() {
    Project project;
    project.header.title = "Nested";
    project.header.client_width = 321;
    Page page;
    page.name = "Only page";
    project.pages.push_back(page);
    return project;
}

Bytes Plain() {
    return WriteProjectArchive(SampleProject(), 27, false);
}

// An outer container with the compressed flag set around `payload`.
Bytes Layer(std::string_view magic, std::uint32_t inflated_size, std::uint32_t compressed_size,
            const Bytes& payload) {
    ByteWriter out;
    out.ArchiveString(magic);
    out.U32(1);
    out.U32(inflated_size);
    if (inflated_size != 0) out.U32(compressed_size);
    out.Bytes(payload);
    return out.Take();
}

Bytes ZlibLayer(const Bytes& inner) {
    Bytes stream = Deflate(inner);
    return Layer("Vellumkit27", static_cast<std::uint32_t>(inner.size()),
                 static_cast<std::uint32_t>(stream.size()), stream);
}

Bytes StoredLayer(const Bytes& inner) {
    return Layer("Vellumkit27", static_cast<std::uint32_t>(inner.size()), 0, inner);
}

Bytes WithMagic(std::string_view magic, const Bytes& plain27) {
    // Replaces the 12-byte magic "Vellumkit27" (length byte included) of a plain archive.
    ByteWriter out;
    out.ArchiveString(magic);
    out.Bytes(std::span(plain27).subspan(12));
    return out.Take();
}

struct ContainerCase {
    const char* name;
    Bytes bytes;
    LoadStatus status;
    std::vector<std::string> messages;
    std::int32_t version = 27;  // of a loaded project
};

TEST_F(ContainerTest, ReadsEveryLayeringAndReportsEveryFailure) {
    const Bytes plain = Plain();
    Bytes with_tail = plain;
    with_tail.insert(with_tail.end(), 100, 0xAB);
    Bytes stream_with_tail = Deflate(with_tail);
    Bytes truncated = plain;
    truncated.pop_back();
    Bytes garbage = {1, 2, 3, 4, 5, 6, 7, 8};

    std::vector<ContainerCase> cases = {
        {"flag 0", plain, LoadStatus::kLoaded, {}},
        {"flag 1 with C = 0", StoredLayer(plain), LoadStatus::kLoaded, {}},
        {"zlib layer", ZlibLayer(plain), LoadStatus::kLoaded, {}},
        {"zlib layer twice", ZlibLayer(ZlibLayer(plain)), LoadStatus::kLoaded, {}},
        {"stored inside zlib", ZlibLayer(StoredLayer(plain)), LoadStatus::kLoaded, {}},
        {"trailing bytes after the archive", with_tail, LoadStatus::kLoaded, {}},
        // A stream longer than U: the first U bytes are the archive, read after the message.
        {"stream inflates beyond U",
         Layer("Vellumkit27", static_cast<std::uint32_t>(plain.size()),
               static_cast<std::uint32_t>(stream_with_tail.size()), stream_with_tail),
         LoadStatus::kLoaded,
         {kSecureLayer}},
        {"U = 0", Layer("Vellumkit27", 0, 0, {}), LoadStatus::kNothingLoaded, {}},
        {"U = 0 inside zlib",
         ZlibLayer(Layer("Vellumkit27", 0, 0, {})),
         LoadStatus::kNothingLoaded,
         {}},
        {"bad zlib",
         Layer("Vellumkit27", static_cast<std::uint32_t>(plain.size()), 8, garbage),
         LoadStatus::kNotAProject,
         {kSecureLayer, kNotVkd}},
        {"implausible U",
         Layer("Vellumkit27", 0xFFFFFFFF, 8, garbage),
         LoadStatus::kNotAProject,
         {kSecureLayer, kNotVkd}},
        {"C beyond the end",
         Layer("Vellumkit27", 100, 1000, garbage),
         LoadStatus::kNotAProject,
         {kNotVkd}},
        {"U beyond the end with C = 0",
         Layer("Vellumkit27", 1000, 0, garbage),
         LoadStatus::kNotAProject,
         {kNotVkd}},
        {"no magic", WithMagic("Vellum27", plain), LoadStatus::kNotAProject, {kNotVkd}},
        {"no magic inside a layer",
         StoredLayer(WithMagic("Vellum27", plain)),
         LoadStatus::kNotAProject,
         {kNotVkd}},
        {"empty", {}, LoadStatus::kNotAProject, {kNotVkd}},
        {"truncated", truncated, LoadStatus::kNotAProject, {kNotVkd}},
        {"truncated inside zlib", ZlibLayer(truncated), LoadStatus::kNotAProject, {kNotVkd}},
        {"version 0", WithMagic("Vellumkit", plain), LoadStatus::kUnsupportedVersion, {kCorrupted}},
        {"version 0 after text",
         WithMagic("Vellumkitx27", plain),
         LoadStatus::kUnsupportedVersion,
         {kCorrupted}},
        {"version 0 inside a layer",
         StoredLayer(WithMagic("Vellumkit", plain)),
         LoadStatus::kUnsupportedVersion,
         {kCorrupted}},
        // Any version above the current one is read with the current layout.
        {"version 31", WithMagic("Vellumkit31", plain), LoadStatus::kLoaded, {}, 31},
        {"version 27 inside a version 99 layer",
         Layer("Vellumkit99", static_cast<std::uint32_t>(plain.size()), 0, plain),
         LoadStatus::kLoaded,
         {},
         27},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadResult result = Read(c.bytes);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(ui_.Texts(), c.messages);
        if (c.status == LoadStatus::kLoaded) {
            Project expected = SampleProject();
            expected.version = c.version;
            EXPECT_EQ(result.project, expected);
        } else {
            EXPECT_EQ(result.project, Project{});
        }
    }
}

TEST_F(ContainerTest, MessagesCarryTheApplicationNameAndTheFilePath) {
    headless::RecordingUi ui;
    LoadContext ctx{ui, profile_, kCurrentProjectVersion, ""};
    Bytes nothing;
    EXPECT_EQ(ReadProjectArchive(nothing, ctx).status, LoadStatus::kNotAProject);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].caption, "Velk Player");
    // The appended payload has no path: the name in the message is empty.
    EXPECT_EQ(ui.Messages()[0].text, "The file  is not a VKD file!");
}

TEST_F(ContainerTest, TheVersionOfEachMagicIsRecordedInTheContext) {
    LoadContext ctx{ui_, profile_, kCurrentProjectVersion, "show.vkd"};
    Bytes bytes = ZlibLayer(WriteProjectArchive(SampleProject(), 21, false));
    LoadResult result = ReadProjectArchive(bytes, ctx);
    EXPECT_EQ(result.status, LoadStatus::kLoaded);
    EXPECT_EQ(ctx.version, 21);
    EXPECT_EQ(result.project.version, 21);
}

TEST_F(ContainerTest, ReadingReportsItsProgressPageByPageAndAlwaysEnds) {
    Project project = SampleProject();
    project.pages.resize(4);
    EXPECT_EQ(Read(ZlibLayer(WriteProjectArchive(project, 27, false))).status, LoadStatus::kLoaded);
    const std::vector<std::uint32_t>& seen = ui_.Progress();
    // Start, inflated, one report per page, the end.
    ASSERT_EQ(seen.size(), 2u + 4u + 1u);
    EXPECT_EQ(seen.front(), 0u);
    EXPECT_EQ(seen[1], kInflatedPermille);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_LT(seen[5], kLoadDonePermille);
    EXPECT_EQ(seen.back(), kLoadDonePermille);

    // A file that is no project ends its progress too, so no progress window outlives it.
    EXPECT_EQ(Read(Bytes{1, 2, 3}).status, LoadStatus::kNotAProject);
    ASSERT_FALSE(ui_.Progress().empty());
    EXPECT_EQ(ui_.Progress().back(), kLoadDonePermille);
}

TEST(Inflate, TellsItsProgressWhileALargeStreamInflates) {
    const Bytes data(std::size_t{10} << 20, 0x5A);
    std::vector<std::size_t> produced;
    InflateResult result =
        Inflate(Deflate(data), data.size(), [&](std::size_t n) { produced.push_back(n); });
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.bytes, data);
    EXPECT_GE(produced.size(), 3u);
    EXPECT_TRUE(std::is_sorted(produced.begin(), produced.end()));
    EXPECT_EQ(produced.back(), data.size());
}

TEST_F(ContainerTest, NestingIsBoundedInsteadOfFollowedToTheEnd) {
    Bytes bytes = Plain();
    for (int i = 0; i < 3; ++i) bytes = StoredLayer(bytes);
    EXPECT_EQ(Read(bytes).status, LoadStatus::kLoaded);

    // Thousands of stored layers would otherwise recurse once each.
    for (int i = 0; i < 1000; ++i) bytes = StoredLayer(bytes);
    EXPECT_EQ(Read(bytes).status, LoadStatus::kNotAProject);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kNotVkd});

    Bytes zipped = Plain();
    for (int i = 0; i < 40; ++i) zipped = ZlibLayer(zipped);
    EXPECT_EQ(Read(zipped).status, LoadStatus::kNotAProject);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kNotVkd});
}

TEST(ContainerWriter, PlainArchivesCarryTheirVersionAndAFlagFrom13On) {
    for (std::int32_t version : {2, 7, 12, 13, 27}) {
        SCOPED_TRACE(version);
        Bytes bytes = WriteProjectArchive(Project{}, version, false);
        ByteReader in(bytes);
        EXPECT_EQ(in.ArchiveString(), "Vellumkit" + std::to_string(version));
        if (version > 12) {
            EXPECT_EQ(in.U32(), 0u);
        }
        // The header follows at once: from version 8 on it opens with drag_by_body (1),
        // before that with the title.
        if (version > 7) {
            EXPECT_EQ(in.U32(), 1u);
        } else {
            EXPECT_EQ(in.ArchiveString(), "Untitled");
        }
    }
}

TEST(ContainerWriter, CompressedArchivesWrapThePlainOneInAVersion27Layer) {
    Project project = SampleProject();
    for (std::int32_t version : {6, 21, 27}) {
        SCOPED_TRACE(version);
        Bytes plain = WriteProjectArchive(project, version, false);
        Bytes packed = WriteProjectArchive(project, version, true);
        EXPECT_EQ(packed, WriteProjectArchive(project, version, true));  // deterministic
        ByteReader in(packed);
        EXPECT_EQ(in.ArchiveString(), "Vellumkit27");
        EXPECT_EQ(in.U32(), 1u);
        std::uint32_t inflated_size = in.U32();
        std::uint32_t compressed_size = in.U32();
        EXPECT_EQ(inflated_size, plain.size());
        ASSERT_NE(compressed_size, 0u);
        InflateResult inner = Inflate(in.View(compressed_size), inflated_size);
        EXPECT_TRUE(inner.ok);
        EXPECT_EQ(inner.bytes, plain);
        EXPECT_TRUE(in.AtEnd());
    }
}

}  // namespace
}  // namespace velk
