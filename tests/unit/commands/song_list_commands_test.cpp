// The song-list commands against a small main window: entries, the status variables and their
// display objects, list files on a memory disk, the dialogs.
#include <gtest/gtest.h>

#include "command_test_fixture.h"
#include "commands/song_list_editor.h"
#include "document/command_vocabulary.h"
#include "media/song_list_file.h"

namespace velk {
namespace {

using testing::List;
using testing::MakeObject;
using testing::Record;
using Entries = std::vector<std::string>;

constexpr const char* kStatusNames[] = {"ZIZ_CurItemList", "ZIZ_NumInList", "ZIZ_TotalList",
                                        "ZIZ_TotalListSec"};

// Paths as they are, "<File>" the project being played; display objects for the status.
class SongListHost : public testing::FakeCommandHost {
  public:
    SongListHost() {
        for (const char* name : kStatusNames) {
            current->objects.push_back(MakeObject(name, {0, 200, 40, 220}));
            current->objects.back().text = "old";
        }
        files.AddFolder("Z:\\lists");
    }
    std::string ExpandPath(std::string_view path) override {
        return path == "<File>" ? "Z:\\show\\current.vkd" : std::string(path);
    }
    void Run(std::int32_t code, std::string target = {}, std::string argument = {}) {
        dispatcher.RunActions(List({Record(code, std::move(target), std::move(argument))}));
    }
    void AddFile(std::string_view path, std::string_view text) {
        files.AddFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    std::string FileText(std::string_view path) {
        const auto bytes = files.ReadFile(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
    }
    // The status as the four display objects show it.
    std::string Shown() {
        std::string shown;
        for (const char* name : kStatusNames) shown += "[" + Get(name).text + "]";
        return shown;
    }
    // Marks the status variables, to see whether a command rewrote them.
    void MarkStatus() {
        variables.SetNumber("ZIZ_NumInList", -7);
        Get("ZIZ_NumInList").text = "old";
    }
    bool StatusRewritten() { return variables.GetNumber("ZIZ_NumInList") != -7; }
};

TEST(SongListCommands, StatusAfterResetAndAfterTheEditor) {
    SongListHost host;
    host.songs.entries = {"a", "b"};
    host.songs.current = 2;
    host.Run(kCmdSongListReset);
    EXPECT_TRUE(host.songs.entries.empty());
    EXPECT_EQ(host.variables.GetNumber("ZIZ_CurItemList"), 0);
    EXPECT_EQ(host.variables.GetNumber("ZIZ_NumInList"), 0);
    ASSERT_NE(host.variables.FindString("ZIZ_TotalList"), std::nullopt);
    EXPECT_EQ(host.variables.GetString("ZIZ_TotalList"), "");
    EXPECT_EQ(host.variables.FindNumber("ZIZ_TotalListSec"), 0.0);
    EXPECT_EQ(host.Shown(), "[0][0][][]");
    EXPECT_EQ(host.invalidated.size(), 4u);

    // OK in the editor with five entries.
    const Entries five{"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"};
    Entries opened_with;
    host.ui.edit_list = [&](const host::ListEditor& editor) {
        opened_with = editor.Entries();
        return std::optional<Entries>(five);
    };
    host.songs.entries = {"x"};
    host.Run(kCmdSongListEdit);
    EXPECT_EQ(opened_with, Entries{"x"});
    EXPECT_EQ(host.songs.entries, five);
    EXPECT_EQ(host.variables.GetNumber("ZIZ_CurItemList"), 1);
    EXPECT_EQ(host.variables.GetNumber("ZIZ_NumInList"), 5);
    EXPECT_EQ(host.Shown(), "[1][5][][]");

    // Cancel keeps the list and the current entry, and the status is written all the same.
    host.songs.current = 4;
    host.ui.edit_list = [](const host::ListEditor&) { return std::optional<Entries>(); };
    host.MarkStatus();
    host.Run(kCmdSongListEdit);
    EXPECT_EQ(host.songs.entries, five);
    EXPECT_EQ(host.Shown(), "[4][5][][]");
}

TEST(SongListCommands, AddTakesTheTargetAsWrittenExceptTheCurrentFile) {
    const struct {
        const char* target;
        std::optional<std::string> entry;  // none: nothing added, no status
    } cases[] = {
        {"", std::nullopt},
        {"Z:\\music\\a.mp3", "Z:\\music\\a.mp3"},
        {"<SrcDir>\\a.mp3", "<SrcDir>\\a.mp3"},
        {"<File>", "Z:\\show\\current.vkd"},
        {"<File>\\x", "<File>\\x"},
        {"Song$", "Z:\\songs\\b.mp3"},
        {"Here$", "Z:\\show\\current.vkd"},
    };
    for (const auto& c : cases) {
        SongListHost host;
        host.variables.SetString("Song$", "Z:\\songs\\b.mp3");
        host.variables.SetString("Here$", "<File>");
        host.songs.entries = {"first"};
        host.MarkStatus();
        host.Run(kCmdSongListAdd, c.target);
        Entries expected{"first"};
        if (c.entry) expected.push_back(*c.entry);
        EXPECT_EQ(host.songs.entries, expected) << c.target;
        EXPECT_EQ(host.StatusRewritten(), c.entry.has_value()) << c.target;
    }
}

TEST(SongListCommands, DelRemovesOnlyAnEntryThatExists) {
    const struct {
        const char* target;
        Entries left;
        bool status;
    } cases[] = {
        {"1", {"b", "c"}, true},       {"3", {"a", "b"}, true},
        {"2.9", {"a", "c"}, true},     {"n", {"a", "b"}, true},
        {"0", {"a", "b", "c"}, false}, {"-1", {"a", "b", "c"}, false},
        {"4", {"a", "b", "c"}, false}, {"1e12", {"a", "b", "c"}, false},
    };
    for (const auto& c : cases) {
        SongListHost host;
        host.variables.SetNumber("n", 3);
        host.songs.entries = {"a", "b", "c"};
        host.MarkStatus();
        host.Run(kCmdSongListDel, c.target);
        EXPECT_EQ(host.songs.entries, c.left) << c.target;
        EXPECT_EQ(host.StatusRewritten(), c.status) << c.target;
        if (c.status) {
            EXPECT_EQ(host.Get("ZIZ_NumInList").text, "2") << c.target;
        }
    }
}

TEST(SongListCommands, LoadChoosesTheReadingAndPrefixesTheFolder) {
    const struct {
        const char* file;
        const char* text;
        const char* type;
        Entries entries;
    } cases[] = {
        {"Z:\\lists\\ext.m3u",
         "#EXTM3U\r\n#EXTINF:123,Song\r\nsong.mp3",
         "M3U",
         {"Z:\\lists\\song.mp3"}},
        // A ".m3u" list without "#EXTINF:" reads plain.
        {"Z:\\lists\\plain.m3u",
         "a.mp3\r\n\r\nD:\\b.mp3\r\n",
         "",
         {"Z:\\lists\\a.mp3", "D:\\b.mp3"}},
        {"Z:\\lists\\list.pls",
         "[playlist]\r\nFile1=a.mp3\r\nTitle1=A\r\nFile2=D:\\b.mp3",
         "m3u",
         {"Z:\\lists\\a.mp3", "D:\\b.mp3"}},
        {"Z:\\lists\\lines.txt", "a.mp3\r\nb.mp3\r\n", "TXT", {"a.mp3", "b.mp3", ""}},
        {"Z:\\lists\\lines.m3l",
         "a.mp3\r\nb.mp3\r\n",
         "",
         {"Z:\\lists\\a.mp3", "Z:\\lists\\b.mp3"}},
    };
    for (const auto& c : cases) {
        SongListHost host;
        host.AddFile(c.file, c.text);
        host.songs.entries = {"old"};
        host.songs.current = 3;
        host.Run(kCmdSongListLoad, c.file, c.type);
        EXPECT_EQ(host.songs.entries, c.entries) << c.file;
        EXPECT_EQ(host.songs.current, 3) << c.file;
        EXPECT_EQ(host.Get("ZIZ_NumInList").text, std::to_string(c.entries.size())) << c.file;
    }
}

TEST(SongListCommands, LoadThatCannotReadEmptiesTheListWithoutStatus) {
    SongListHost host;
    host.files.AddFile("Z:\\lists\\big.m3l",
                       std::vector<std::uint8_t>(media::kMaxListFileBytes + 1, 'x'));
    for (const char* file : {"Z:\\lists\\missing.m3l", "Z:\\lists\\big.m3l"}) {
        host.songs.entries = {"old"};
        host.MarkStatus();
        host.Run(kCmdSongListLoad, file, "M3L");
        EXPECT_TRUE(host.songs.entries.empty()) << file;
        EXPECT_FALSE(host.StatusRewritten()) << file;
    }
    EXPECT_EQ(host.ui.Texts(), Entries{"The list file is too big"});
    // An empty target does nothing at all.
    host.songs.entries = {"old"};
    host.Run(kCmdSongListLoad, "", "M3L");
    EXPECT_EQ(host.songs.entries, Entries{"old"});
}

TEST(SongListCommands, RndShufflesWithThePlayersGeneratorAndKeepsTheStatus) {
    SongListHost host;
    host.random.Seed(1);
    host.songs.entries = {"a", "b", "c", "d"};
    host.MarkStatus();
    host.Run(kCmdSongListRnd);
    EXPECT_EQ(host.songs.entries, (Entries{"c", "b", "a", "d"}));
    EXPECT_FALSE(host.StatusRewritten());
    host.songs.entries = {"only"};
    host.Run(kCmdSongListRnd);
    EXPECT_EQ(host.songs.entries, Entries{"only"});
    EXPECT_FALSE(host.StatusRewritten());
}

TEST(SongListCommands, SaveWritesTheSongListWithBreaksBetweenEntries) {
    SongListHost host;
    host.songs.entries = {"a.mp3", "Z:\\b.mp3", "c.mp3"};
    host.MarkStatus();
    host.Run(kCmdSongListSave, "", "Z:\\lists\\out.m3l");
    EXPECT_EQ(host.FileText("Z:\\lists\\out.m3l"), "a.mp3\r\nZ:\\b.mp3\r\nc.mp3");
    host.Run(kCmdSongListSave, "<List>anything", "Z:\\lists\\list.m3l");
    EXPECT_EQ(host.FileText("Z:\\lists\\list.m3l"), "a.mp3\r\nZ:\\b.mp3\r\nc.mp3");
    EXPECT_FALSE(host.StatusRewritten());
    // A target naming no list box with its window does nothing.
    host.Run(kCmdSongListSave, "A", "Z:\\lists\\box.m3l");
    EXPECT_EQ(host.FileText("Z:\\lists\\box.m3l"), "<missing>");
    // An empty list gives an empty file; a file that cannot be written is passed over.
    host.songs.entries.clear();
    host.Run(kCmdSongListSave, "", "Z:\\lists\\out.m3l");
    EXPECT_EQ(host.FileText("Z:\\lists\\out.m3l"), "");
    host.Run(kCmdSongListSave, "", "Z:\\nofolder\\out.m3l");
    EXPECT_TRUE(host.ui.Messages().empty());
    EXPECT_TRUE(host.ui.file_dialogs.empty());
}

TEST(SongListCommands, SaveWithoutAFileAsksForOne) {
    SongListHost host;
    host.songs.entries = {"a.mp3", "b.mp3"};
    host.ui.file_answers.push_back(host::FileChoice{"Z:\\lists\\chosen.tch", 2});
    host.ui.file_answers.push_back(std::nullopt);
    host.Run(kCmdSongListSave);
    EXPECT_EQ(host.FileText("Z:\\lists\\chosen.tch"), "a.mp3\r\nb.mp3");
    host.Run(kCmdSongListSave, "<List>");  // cancelled: nothing more
    ASSERT_EQ(host.ui.file_dialogs.size(), 2u);
    const host::FileDialog& dialog = host.ui.file_dialogs[0];
    EXPECT_EQ(dialog.purpose, host::FileDialog::Purpose::kSave);
    EXPECT_EQ(dialog.filter, "MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||");
    EXPECT_EQ(dialog.default_extension, "tch");
    EXPECT_TRUE(dialog.overwrite_prompt);
    EXPECT_EQ(host.files.ListFiles().size(), 1u);
}

TEST(SongListEditor, LoadReadsByTheFilterChosenWithoutTheFolder) {
    headless::MemoryFileSystem files;
    headless::RecordingUi ui;
    const std::string ext = "#EXTM3U\r\n#EXTINF:1,A\r\nsong.mp3\r\nD:\\x.mp3\r\n";
    const std::string plain = "a.mp3\r\n\r\nb.mp3\r\n";
    files.AddFile("Z:\\lists\\ext.m3u", std::vector<std::uint8_t>(ext.begin(), ext.end()));
    files.AddFile("Z:\\lists\\ext.txt", std::vector<std::uint8_t>(ext.begin(), ext.end()));
    files.AddFile("Z:\\lists\\plain.m3u", std::vector<std::uint8_t>(plain.begin(), plain.end()));
    files.AddFile("Z:\\lists\\big.m3l", std::vector<std::uint8_t>(media::kMaxListFileBytes + 1));
    const struct {
        const char* file;
        std::int32_t filter;
        std::optional<Entries> entries;  // none: cancelled
    } cases[] = {
        {"Z:\\lists\\ext.m3u", 1, Entries{"#EXTM3U", "#EXTINF:1,A", "song.mp3", "D:\\x.mp3"}},
        {"Z:\\lists\\ext.m3u", 2, Entries{"song.mp3"}},
        {"Z:\\lists\\plain.m3u", 2, Entries{"a.mp3", "b.mp3"}},
        // "All Files": by the extension, plain for any other one.
        {"Z:\\lists\\ext.m3u", 3, Entries{"song.mp3"}},
        {"Z:\\lists\\ext.txt", 3, Entries{"#EXTM3U", "#EXTINF:1,A", "song.mp3", "D:\\x.mp3"}},
        {"Z:\\lists\\missing.m3l", 1, Entries{}},
        {"Z:\\lists\\big.m3l", 1, Entries{}},
        {nullptr, 1, std::nullopt},
    };
    const SongListEditor editor({"kept"}, ui, files);
    for (const auto& c : cases) {
        if (c.file != nullptr) ui.file_answers.push_back(host::FileChoice{c.file, c.filter});
        EXPECT_EQ(editor.Load(), c.entries) << (c.file ? c.file : "cancel") << " " << c.filter;
    }
    EXPECT_EQ(ui.Texts(), Entries{"The list file is too big"});
    ASSERT_FALSE(ui.file_dialogs.empty());
    EXPECT_EQ(ui.file_dialogs[0].purpose, host::FileDialog::Purpose::kOpen);
    EXPECT_EQ(ui.file_dialogs[0].filter,
              "MP3List file (*.m3l)|*.m3l|M3U playlist (*.m3u)|*.m3u|All Files (*.*)|*.*||");
    EXPECT_EQ(ui.file_dialogs[0].default_extension, "tch");
}

TEST(SongListEditor, SaveEndsEveryEntryWithALineBreak) {
    headless::MemoryFileSystem files;
    files.AddFolder("Z:\\lists");
    headless::RecordingUi ui;
    const SongListEditor editor({}, ui, files);
    ui.file_answers.push_back(host::FileChoice{"Z:\\lists\\edited.tch", 1});
    ui.file_answers.push_back(host::FileChoice{"Z:\\nofolder\\edited.tch", 1});
    editor.Save(Entries{"a.mp3", "b.mp3", "c.mp3"});
    editor.Save(Entries{"a.mp3"});  // cannot be written: passed over
    editor.Save(Entries{});         // no entries: no dialog
    const auto written = files.ReadFile("Z:\\lists\\edited.tch");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(std::string(written->begin(), written->end()), "a.mp3\r\nb.mp3\r\nc.mp3\r\n");
    ASSERT_EQ(ui.file_dialogs.size(), 2u);
    EXPECT_EQ(ui.file_dialogs[0].purpose, host::FileDialog::Purpose::kSave);
    EXPECT_EQ(ui.file_dialogs[0].filter, "MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||");
    EXPECT_TRUE(ui.file_dialogs[0].overwrite_prompt);
    EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace velk
