#include "document/path_macros.h"

#include <gtest/gtest.h>

#include "hosts/headless/memory_file_system.h"

namespace velk {
namespace {

PlayerFolders DemoFolders() {
    PlayerFolders f;
    f.src_dir = "Z:\\shows\\demo";
    f.src_drive = "Z:";
    f.cd_drive = "";
    f.temp = "Z:\\tmp";
    f.player_temp = "Z:\\tmp\\VelkPlayer";
    return f;
}

struct ExpandCase {
    const char* text;
    const char* expanded;
};

TEST(PathMacros, ExpandsEveryMacroByTheRules) {
    const ExpandCase cases[] = {
        {"<SrcDir>\\intro.avi", "Z:\\shows\\demo\\intro.avi"},
        {"<SrcDir>intro.avi", "Z:\\shows\\demo\\intro.avi"},  // the backslash is supplied
        {"<SrcDrive>\\data\\a.txt", "Z:\\data\\a.txt"},
        {"<CD>\\track01.cda", "\\track01.cda"},  // no CD-ROM drive: an empty value
        {"<Embedded>\\song.mid", "Z:\\tmp\\VelkPlayer\\song.mid"},
        {"<Windows>\\win.ini", "C:\\WINDOWS\\win.ini"},
        {"<System>\\x.dll", "C:\\WINDOWS\\system32\\x.dll"},
        {"<Temp>", "Z:\\tmp\\"},  // nothing after the macro: a backslash follows the value
        // Searched in the trimmed copy, replaced in the text: the blanks stay.
        {"  <Temp>notes.txt \t", "  Z:\\tmp\\notes.txt \t"},
        {" <Temp>\\notes.txt ", " Z:\\tmp\\notes.txt "},
        // Only the exact spelling is a macro.
        {"<srcdir>\\intro.avi", "<srcdir>\\intro.avi"},
        {"<SRCDIR>intro.avi", "<SRCDIR>intro.avi"},
        {"plain\\file.txt", "plain\\file.txt"},
        {"", ""},
        // The first occurrence decides the replacement of every occurrence.
        {"<SrcDir>\\a;<SrcDir>b", "Z:\\shows\\demo\\a;Z:\\shows\\demob"},
        {"<SrcDir>a;<SrcDir>\\b", "Z:\\shows\\demo\\a;Z:\\shows\\demo\\\\b"},
        // Several macros in one text.
        {"<SrcDrive><Temp>x", "Z:\\Z:\\tmp\\x"},
    };
    PathMacros macros(DemoFolders());
    for (const auto& c : cases) EXPECT_EQ(macros.ExpandPath(c.text), c.expanded) << c.text;
}

TEST(PathMacros, FileMacroYieldsTheCurrentFileAlone) {
    PathMacros macros(DemoFolders());
    EXPECT_EQ(macros.ExpandPath("<File>"), "");
    EXPECT_EQ(macros.ExpandPath("<SrcDir>\\<File>.bak"), "");
    macros.SetCurrentFile("Z:\\home\\a\\letter.txt");
    EXPECT_EQ(macros.ExpandPath("  copy of <File> "), "Z:\\home\\a\\letter.txt");
    EXPECT_EQ(macros.ExpandPath("<file>"), "<file>");
    // Refreshed at every expansion, unlike the folders.
    macros.SetCurrentFile("Z:\\home\\a\\other.txt");
    EXPECT_EQ(macros.ExpandPath("<File>"), "Z:\\home\\a\\other.txt");
}

TEST(PathMacros, FolderValuesAreTakenOnceAtTheFirstExpansion) {
    PlayerFolders current = DemoFolders();
    int asked = 0;
    PathMacros macros([&] {
        ++asked;
        return current;
    });
    EXPECT_EQ(asked, 0);
    current.src_dir = "Z:\\first";
    EXPECT_EQ(macros.ExpandPath("<SrcDir>a"), "Z:\\first\\a");
    current.src_dir = "Z:\\second";
    current.temp = "Z:\\elsewhere";
    EXPECT_EQ(macros.ExpandPath("<SrcDir>a"), "Z:\\first\\a");
    EXPECT_EQ(macros.ExpandPath("<Temp>a"), "Z:\\tmp\\a");
    EXPECT_EQ(asked, 1);
}

TEST(PlayerFolders, ComesFromTheSourceFileAndTheTemporaryFolder) {
    headless::MemoryFileSystem fs("Z:\\run\\user\\1000");
    const PlayerFolders f = ComputePlayerFolders("Z:\\home\\a\\Show.vkd", fs);
    EXPECT_EQ(f.src_dir, "Z:\\home\\a");
    EXPECT_EQ(f.src_drive, "Z:");
    EXPECT_EQ(f.cd_drive, "");
    EXPECT_EQ(f.temp, "Z:\\run\\user\\1000");
    EXPECT_EQ(f.player_temp, "Z:\\run\\user\\1000\\VelkPlayer");
    EXPECT_TRUE(fs.FolderExists(f.player_temp));
    EXPECT_EQ(f.windows, "C:\\WINDOWS");
    EXPECT_EQ(f.system, "C:\\WINDOWS\\system32");

    // A native path is taken in its Windows form; an existing player folder is fine.
    EXPECT_EQ(ComputePlayerFolders("/home/a/Show.vkd", fs), f);
}

TEST(PlayerFolders, WithoutTemporaryFolderUsesDriveC) {
    headless::MemoryFileSystem fs("");
    const PlayerFolders f = ComputePlayerFolders("show.vkd", fs);
    EXPECT_EQ(f.src_dir, ".");
    EXPECT_EQ(f.src_drive, "");
    EXPECT_EQ(f.temp, "C:");
    EXPECT_EQ(f.player_temp, "C:");
}

}  // namespace
}  // namespace velk
