#include "document/embedded_extraction.h"

#include <gtest/gtest.h>

#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;

EmbeddedFile Entry(std::uint32_t type, std::string name, Bytes data) {
    EmbeddedFile e;
    e.file_type = type;
    e.file_name = std::move(name);
    e.size = static_cast<std::uint32_t>(data.size());
    e.data = std::move(data);
    return e;
}

TEST(EmbeddedExtraction, SafeNamesStayInsideTheFolder) {
    const struct {
        const char* stored;
        const char* safe;
    } cases[] = {
        {"song.mid", "song.mid"},
        {"My Picture.JPG", "My Picture.JPG"},
        {"..\\..\\x", "x"},
        {"/etc/x", "x"},
        {"C:\\Windows\\x", "x"},
        {"a/../../b", "b"},
        {"C:x", "x"},
        {"sub\\C:y", "y"},
        {"", "_embedded"},
        {".", "_embedded"},
        {"..", "_embedded"},
        {"a\\..", "_embedded"},
        {"dir\\", "_embedded"},
        {"C:", "_embedded"},
        {"bell\a\nname\x7F", "bell__name_"},
        {"...", "..."},  // an ordinary name here
        {"x:y", "y"},
        {"ab:c", "ab:c"},
        {"caf\xE9.txt", "caf\xE9.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(SafeEmbeddedName(c.stored), c.safe) << c.stored;
}

class ExtractionTest : public ::testing::Test {
  protected:
    ExtractionTest() : folders(ComputePlayerFolders("Z:\\shows\\demo.vkd", fs)) {}

    LoadContext Context() { return LoadContext{ui, profile, kCurrentProjectVersion, {}}; }

    headless::MemoryFileSystem fs{"Z:\\tmp"};
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    PlayerFolders folders;
};

TEST_F(ExtractionTest, WritesFilesOfType10AndAboveIntoThePlayerFolderOnly) {
    std::vector<EmbeddedFile> files = {
        Entry(kEmbeddedWav, "click.wav", {1, 2}),
        Entry(9, "clip.avi", {3}),
        Entry(10, "readme.txt", {'h', 'i'}),
        Entry(12, "..\\..\\evil.bat", {'x'}),
        Entry(10, "/etc/passwd", {'p'}),
        Entry(11, "C:\\Windows\\win.ini", {'w'}),
        Entry(10, "a/../../b", {'b'}),
        Entry(10, "", {'e'}),
        Entry(10, "empty.dat", {}),
    };
    const auto ctx = Context();
    ExtractEmbeddedFiles(files, fs, folders, ctx);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(fs.ListFiles(), (std::vector<std::string>{
                                  "/tmp/VelkPlayer/_embedded",
                                  "/tmp/VelkPlayer/b",
                                  "/tmp/VelkPlayer/empty.dat",
                                  "/tmp/VelkPlayer/evil.bat",
                                  "/tmp/VelkPlayer/passwd",
                                  "/tmp/VelkPlayer/readme.txt",
                                  "/tmp/VelkPlayer/win.ini",
                              }));
    EXPECT_EQ(fs.ReadFile("Z:\\tmp\\VelkPlayer\\readme.txt"), (Bytes{'h', 'i'}));

    // Sounds and in-memory media keep their bytes; extracted entries keep only their size.
    EXPECT_EQ(files[0].data, (Bytes{1, 2}));
    EXPECT_EQ(files[1].data, (Bytes{3}));
    EXPECT_TRUE(files[2].data.empty());
    EXPECT_EQ(files[2].size, 2u);
}

TEST_F(ExtractionTest, ToolsMayKeepTheData) {
    std::vector<EmbeddedFile> files = {Entry(10, "readme.txt", {'h', 'i'})};
    const auto ctx = Context();
    ExtractEmbeddedFiles(files, fs, folders, ctx, {.keep_data = true});
    EXPECT_EQ(files[0].data, (Bytes{'h', 'i'}));
    EXPECT_TRUE(fs.FileExists("Z:\\tmp\\VelkPlayer\\readme.txt"));
}

TEST_F(ExtractionTest, CollidingNamesEndAsTheLaterEntry) {
    std::vector<EmbeddedFile> files = {Entry(10, "sub\\Data.bin", {1}), Entry(10, "DATA.BIN", {2})};
    const auto ctx = Context();
    ExtractEmbeddedFiles(files, fs, folders, ctx);
    EXPECT_EQ(fs.ListFiles(), std::vector<std::string>{"/tmp/VelkPlayer/Data.bin"});
    EXPECT_EQ(fs.ReadFile("Z:\\tmp\\VelkPlayer\\data.bin"), Bytes{2});
}

TEST_F(ExtractionTest, FailedWriteIsReportedAndTheOthersGoOn) {
    fs.AddFolder("Z:\\tmp\\VelkPlayer\\taken");  // a folder where a file should go
    std::vector<EmbeddedFile> files = {Entry(10, "taken", {1}), Entry(10, "fine.txt", {2})};
    const auto ctx = Context();
    ExtractEmbeddedFiles(files, fs, folders, ctx);
    // The file as the user knows it: the native path.
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"The temporary space is full.\nCannot write "
                                                   "file:\n/tmp/VelkPlayer/taken"});
    EXPECT_TRUE(files[0].data.empty());
    EXPECT_TRUE(fs.FileExists("Z:\\tmp\\VelkPlayer\\fine.txt"));

    // Without a temporary folder the player folder is "C:", which this machine lacks.
    headless::MemoryFileSystem no_temp("");
    const PlayerFolders c_drive = ComputePlayerFolders("Z:\\shows\\demo.vkd", no_temp);
    std::vector<EmbeddedFile> more = {Entry(10, "x.txt", {1})};
    ui.Clear();
    ExtractEmbeddedFiles(more, no_temp, c_drive, ctx);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{
                              "The temporary space is full.\nCannot write file:\nC:\\x.txt"});
    EXPECT_TRUE(no_temp.ListFiles().empty());
}

TEST_F(ExtractionTest, CleanUpRemovesWhatBelongsToEachEntry) {
    const std::string dir = "Z:\\tmp\\VelkPlayer\\";
    for (const char* name :
         {"_qhv_wav_click.wav.tmp", "_qhv_mod_m.mod.tmp", "_qhv_mid_a.mid.tmp",
          "_qhv_s3m_b.s3m.tmp", "_qhv_xm_c.xm.tmp", "_qhv_it_d.it.tmp", "_qhv_rmi_e.rmi.tmp",
          "clip.avi", "readme.txt", "evil.bat", "unrelated.txt"}) {
        fs.AddFile(dir + name, {1});
    }
    fs.AddFile("Z:\\evil.bat", {1});  // outside: must survive a hostile name
    const std::vector<EmbeddedFile> files = {
        Entry(1, "click.wav", {}),
        Entry(2, "m.mod", {}),
        Entry(3, "a.mid", {}),
        Entry(4, "b.s3m", {}),
        Entry(5, "c.xm", {}),
        Entry(6, "d.it", {}),
        Entry(7, "e.rmi", {}),
        Entry(8, "clip.avi", {}),
        Entry(10, "README.TXT", {}),
        Entry(10, "..\\..\\evil.bat", {}),
        Entry(10, "never-written.dat", {}),
    };
    CleanUpEmbeddedFiles(files, fs, folders);
    EXPECT_EQ(fs.ListFiles(), (std::vector<std::string>{"/evil.bat", "/tmp/VelkPlayer/clip.avi",
                                                        "/tmp/VelkPlayer/unrelated.txt"}));
}

}  // namespace
}  // namespace velk
