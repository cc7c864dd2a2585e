#include "player/standalone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/byte_writer.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ProjectArchive(const std::string& title) {
    Project project;
    project.header.title = title;
    return WriteProjectArchive(project, kCurrentProjectVersion, true);
}

Bytes PlayerBytes() {
    const std::string text =
        "\x7F"
        "ELF stand-in for the player program";
    return Bytes(text.begin(), text.end());
}

Bytes Standalone(bool single_instance = false, const std::string& name = "") {
    return AppendStandalone(PlayerBytes(), ProjectArchive("Payload"), single_instance, name);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(StandaloneTrailer, ReadsWhatTheWriterAppends) {
    const Bytes archive = ProjectArchive("Payload");
    const Bytes exe = AppendStandalone(PlayerBytes(), archive, true, "Quillhaven.Demo");
    const TrailerResult read = ReadStandaloneTrailer(exe);
    ASSERT_TRUE(read.trailer) << read.failure;
    EXPECT_TRUE(read.trailer->single_instance);
    EXPECT_EQ(read.trailer->instance_name, "Quillhaven.Demo");
    EXPECT_EQ(read.trailer->payload_offset, PlayerBytes().size());
    EXPECT_EQ(read.trailer->payload_size, archive.size() + 49);
    const Bytes tail(exe.end() - 14, exe.end() - 4);
    EXPECT_EQ(std::string(tail.begin(), tail.end()), "STANDALONE");

    const TrailerResult plain = ReadStandaloneTrailer(Standalone());
    ASSERT_TRUE(plain.trailer);
    EXPECT_FALSE(plain.trailer->single_instance);
    EXPECT_EQ(plain.trailer->instance_name, "");
}

TEST(StandaloneTrailer, InstanceNameIsThirtyEightBytesAtMost) {
    const std::string long_name(45, 'n');
    const TrailerResult read = ReadStandaloneTrailer(Standalone(true, long_name));
    ASSERT_TRUE(read.trailer);
    EXPECT_EQ(read.trailer->instance_name, std::string(38, 'n'));
}

TEST(StandaloneTrailer, MarkerAndNameAreUsedWhateverTheyHold) {
    // A writer without single-instance mode may leave any bytes there.
    Bytes exe = Standalone();
    const std::size_t marker_at = exe.size() - 63;
    const std::string marker = std::string("ONEINSTANCEtail of the stream\0xyz", 33);
    std::copy(marker.begin(), marker.end(), exe.begin() + static_cast<std::ptrdiff_t>(marker_at));
    const TrailerResult read = ReadStandaloneTrailer(exe);
    ASSERT_TRUE(read.trailer);
    EXPECT_TRUE(read.trailer->single_instance);
    EXPECT_EQ(read.trailer->instance_name, "tail of the stream");
}

TEST(StandaloneTrailer, RefusesDamagedFilesWithoutReadingOutside) {
    const std::string k1 = "Corrupted Stand Alone file (1)";
    const std::string k2 = "Corrupted Stand Alone file (2)";
    const Bytes good = Standalone();
    const std::size_t n_at = good.size() - 4;

    struct Case {
        const char* what;
        Bytes bytes;
        std::string failure;
    };
    std::vector<Case> cases;
    cases.push_back({"empty file", {}, k1});
    cases.push_back({"shorter than the tag", Bytes(13, 'S'), k1});
    {
        ByteWriter w;
        w.Text("STANDALONE");
        w.U32(0);
        cases.push_back({"only the tag", w.Take(), k1});
    }
    {
        ByteWriter w;
        w.Bytes(Bytes(49, 0));
        w.Text("STANDALONE");
        w.U32(49);
        cases.push_back({"trailer without payload", w.Take(), k2});
    }
    {
        Bytes b = good;
        b[good.size() - 14] = 's';
        cases.push_back({"tag missing", b, k1});
    }
    {
        Bytes b = good;
        b.push_back(0);
        cases.push_back({"bytes after the trailer", b, k1});
    }
    {
        Bytes b = good;
        b[PlayerBytes().size() + 9] = 'X';  // "VellumkXt"
        cases.push_back({"bad magic", b, k2});
    }
    {
        Bytes b = good;
        PutU32(b, n_at, static_cast<std::uint32_t>(good.size() - 14 + 1));
        cases.push_back({"N one past the start", b, k2});
    }
    {
        Bytes b = good;
        PutU32(b, n_at, 0xFFFFFFFFu);
        cases.push_back({"N far past the file", b, k2});
    }
    {
        Bytes b = good;
        PutU32(b, n_at, 0);
        cases.push_back({"N zero", b, k2});
    }
    for (const auto& c : cases) {
        const TrailerResult read = ReadStandaloneTrailer(c.bytes);
        EXPECT_FALSE(read.trailer) << c.what;
        EXPECT_EQ(read.failure, c.failure) << c.what;
    }

    // A payload that begins at the very first byte of the file is still inside it.
    const Bytes bare = AppendStandalone({}, ProjectArchive("Bare"), false, "");
    ASSERT_TRUE(ReadStandaloneTrailer(bare).trailer);
}

class StartupTest : public ::testing::Test {
  protected:
    static constexpr char kExe[] = "Z:\\opt\\show\\player";

    void SetUp() override { fs.AddFile(kExe, Standalone(true, "Demo")); }

    StartupProject Load(std::string_view project_path, std::string_view exe = kExe) {
        LoadContext ctx{ui, profile, kCurrentProjectVersion, {}};
        return LoadStartupProject(exe, project_path, fs, ctx);
    }

    headless::MemoryFileSystem fs;
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
};

TEST_F(StartupTest, PlaysThePayloadWhenNoProjectIsNamed) {
    const StartupProject s = Load("");
    EXPECT_TRUE(s.ok);
    EXPECT_TRUE(s.single_instance);
    EXPECT_EQ(s.instance_name, "Demo");
    EXPECT_EQ(s.source_path, kExe);
    EXPECT_EQ(s.load.status, LoadStatus::kLoaded);
    EXPECT_EQ(s.load.project.header.title, "Payload");
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StartupTest, NamedProjectFileReplacesThePayload) {
    fs.AddFile("Z:\\home\\a\\talk.vkd", ProjectArchive("Talk"));
    const StartupProject s = Load("Z:\\HOME\\A\\Talk.VKD");
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.source_path, "Z:\\HOME\\A\\Talk.VKD");
    EXPECT_EQ(s.load.project.header.title, "Talk");
    EXPECT_TRUE(s.single_instance);  // the trailer is read in any case
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(StartupTest, FallsBackToThePayloadAfterTheMessage) {
    fs.AddFile("Z:\\home\\a\\notes.txt", Bytes{'h', 'e', 'l', 'l', 'o'});
    struct Case {
        const char* path;
        std::string message;
    };
    // The messages name the file as the user knows it: the native path, with the names as
    // they are on the disk; a path on another drive names nothing here and is shown as given.
    const Case cases[] = {
        {"Z:\\home\\a\\missing.vkd", "Cannot find the file\n/home/a/missing.vkd"},
        {"Z:\\HOME\\A\\NOTES.TXT", "The file /home/a/notes.txt is not a VKD file!"},
        {"C:\\shows\\a.vkd", "Cannot find the file\nC:\\shows\\a.vkd"},
    };
    for (const auto& c : cases) {
        ui.Clear();
        const StartupProject s = Load(c.path);
        EXPECT_TRUE(s.ok) << c.path;
        EXPECT_EQ(s.source_path, kExe) << c.path;
        EXPECT_EQ(s.load.project.header.title, "Payload") << c.path;
        EXPECT_EQ(ui.Texts(), std::vector<std::string>{c.message}) << c.path;
    }
}

TEST_F(StartupTest, DamagedOrMissingExecutableEndsStartUp) {
    fs.AddFile("Z:\\home\\a\\talk.vkd", ProjectArchive("Talk"));
    const StartupProject missing = Load("Z:\\home\\a\\talk.vkd", "Z:\\opt\\show\\gone");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Cannot Open /opt/show/gone\n"});

    // The trailer is checked before the named project is looked at.
    ui.Clear();
    fs.AddFile("Z:\\opt\\show\\plain", PlayerBytes());
    const StartupProject damaged = Load("Z:\\home\\a\\talk.vkd", "Z:\\opt\\show\\plain");
    EXPECT_FALSE(damaged.ok);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Corrupted Stand Alone file (1)"});
}

}  // namespace
}  // namespace velk
