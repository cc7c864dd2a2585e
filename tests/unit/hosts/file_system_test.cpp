#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "base/win_path.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/posix/posix_file_system.h"

namespace velk {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

TEST(WinPath, ConvertsBetweenNativeAndWindowsForms) {
    EXPECT_EQ(NativeToWindowsPath("/home/a/show.vkd"), "Z:\\home\\a\\show.vkd");
    EXPECT_EQ(NativeToWindowsPath("/"), "Z:\\");
    EXPECT_EQ(NativeToWindowsPath("pics/a.jpg"), "pics\\a.jpg");

    const struct {
        const char* windows;
        std::optional<std::string> native;
    } cases[] = {
        {"Z:\\home\\a\\show.vkd", "/home/a/show.vkd"},
        {"z:/home/a", "/home/a"},
        {"Z:\\home/a\\b", "/home/a/b"},
        {"Z:", "/"},
        {"Z:\\", "/"},
        {"Z:notes.txt", "/notes.txt"},
        {"pics\\a.jpg", "pics/a.jpg"},
        {"/etc/hosts", "/etc/hosts"},
        {"\\etc\\hosts", "/etc/hosts"},
        {"", ""},
        {"C:\\Windows\\win.ini", std::nullopt},
        {"c:x", std::nullopt},
        {"1:\\x", "1:/x"},  // not a drive letter: an ordinary relative name
    };
    for (const auto& c : cases) EXPECT_EQ(WindowsToNativePath(c.windows), c.native) << c.windows;
}

TEST(WinPath, FolderParts) {
    EXPECT_EQ(PathFolder("Z:\\shows\\demo\\player"), "Z:\\shows\\demo");
    EXPECT_EQ(PathFolder("player"), "");
    EXPECT_EQ(PathDrivePart("Z:\\shows\\demo"), "Z:");
    EXPECT_EQ(PathBaseName("a/b\\c.txt"), "c.txt");
    EXPECT_EQ(PathDrive("z:\\a"), 'Z');
    EXPECT_EQ(PathDrive("\\a"), 0);
    EXPECT_EQ(SplitPathComponents("Z:\\a\\\\b/"), (std::vector<std::string_view>{"Z:", "a", "b"}));
    EXPECT_EQ(JoinWindowsPath("Z:\\tmp", "x"), "Z:\\tmp\\x");
    EXPECT_EQ(JoinWindowsPath("Z:\\", "x"), "Z:\\x");
}

// A real folder, removed with everything in it at the end.
class PosixFileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "velk-fs-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        win_root = NativeToWindowsPath(root.string());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(root, fs::perms::owner_all, ignored);
        fs::remove_all(root, ignored);
    }

    void Put(const fs::path& relative, const std::string& text) {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative, std::ios::binary) << text;
    }
    std::string Get(const fs::path& relative) {
        std::ifstream in(root / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Win(const std::string& relative) { return win_root + "\\" + relative; }
    static Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }
    std::vector<std::string> Names(const fs::path& relative) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root / relative)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root;
    std::string win_root;
    posix::PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, MatchesEachComponentWithoutRegardToCase) {
    Put("Pics/Photo.JPG", "photo");
    Put("Pics/Data.txt", "mixed");
    Put("Pics/DATA.TXT", "upper");
    Put("Pics/data.txt", "lower");
    Put("Only/Data.txt", "only");

    EXPECT_EQ(files.ReadFile(Win("pics\\photo.jpg")), B("photo"));
    EXPECT_EQ(files.ReadFile(Win("PICS/PHOTO.jpg")), B("photo"));
    // The exact name first; else the first match in byte order.
    EXPECT_EQ(files.ReadFile(Win("Pics\\data.txt")), B("lower"));
    EXPECT_EQ(files.ReadFile(Win("Pics\\dAtA.txt")), B("upper"));
    EXPECT_EQ(files.ReadFile(Win("only\\DATA.TXT")), B("only"));
    EXPECT_EQ(files.ReadFile(Win("pics\\missing.jpg")), std::nullopt);
    EXPECT_EQ(files.ReadFile(Win("pics")), std::nullopt);  // a folder is not a file
    // Native paths are accepted as they are.
    EXPECT_EQ(files.ReadFile((root / "pics/photo.jpg").string()), B("photo"));
    EXPECT_EQ(files.ReadFile("C:\\Pics\\Photo.JPG"), std::nullopt);
}

// A project in a folder named outside the code page: the player knows the folder only by its
// code-page form ("???" for Cyrillic), and the file system finds the real folder from it.
TEST_F(PosixFileSystemTest, FindsNamesOutsideTheCodePageByTheirCodePageForm) {
    Put("\u0428\u043e\u0443/show.vkd", "cyrillic");  // Шоу
    Put("\u5317\u4eac/Pic.png", "cjk");              // 北京
    Put("\U0001F600/a.txt", "emoji");
    Put("\u0141\u00f3d\u017a/a.txt", "best fit");  // Łódź
    Put("Twins/\u0416/a.txt", "zhe");              // Ж
    Put("Twins/\u042f/a.txt", "ya");               // Я
    Put("Exact/\u042f/a.txt", "ya");
    Put("Exact/?/a.txt", "question mark");

    const struct {
        std::string windows;
        std::optional<std::string> contents;
    } cases[] = {
        {Win("???\\show.vkd"), "cyrillic"},
        {Win("???\\SHOW.VKD"), "cyrillic"},
        {Win("??\\pic.png"), "cjk"},
        {Win("?\\a.txt"), "emoji"},
        {Win("L\xf3"
             "dz\\a.txt"),
         "best fit"},
        {Win("l\xd3"
             "DZ\\a.txt"),
         "best fit"},                               // without regard to case
        {Win("??\\show.vkd"), std::nullopt},        // as many '?' as characters
        {Win("Twins\\?\\a.txt"), "zhe"},            // several match: the first in byte order
        {Win("Exact\\?\\a.txt"), "question mark"},  // an exact name comes first
    };
    for (const auto& c : cases) {
        const auto read = files.ReadFile(c.windows);
        EXPECT_EQ(read ? std::optional<std::string>(std::string(read->begin(), read->end()))
                       : std::nullopt,
                  c.contents)
            << c.windows;
    }
}

// Messages name a file as the user knows it: the native path with the names on the disk.
TEST_F(PosixFileSystemTest, ReadsAFileInPiecesWhereAsked) {
    Put("Media/Clip.AVI", "0123456789");
    auto file = files.OpenForReading(Win("media\\clip.avi"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Size(), 10u);
    std::uint8_t buffer[4] = {};
    // {offset, bytes read, what they are}: the end cuts a read short and reads nothing past it.
    const std::tuple<std::uint64_t, std::size_t, std::string> reads[] = {
        {6, 4, "6789"}, {0, 4, "0123"}, {8, 2, "89"}, {10, 0, ""}, {1ull << 40, 0, ""}};
    for (const auto& [offset, count, text] : reads) {
        ASSERT_EQ(file->ReadAt(offset, buffer), count) << offset;
        EXPECT_EQ(std::string(buffer, buffer + count), text) << offset;
    }
    // Not a regular file, or none at all: nothing to read.
    EXPECT_EQ(files.OpenForReading(Win("media")), nullptr);
    EXPECT_EQ(files.OpenForReading(Win("media\\missing.avi")), nullptr);
}

TEST_F(PosixFileSystemTest, ShowsTheNativePathWithTheNamesOnTheDisk) {
    Put("\u0428\u043e\u0443/Show.vkd", "x");
    const std::string native = root.string() + "/\u0428\u043e\u0443";
    EXPECT_EQ(files.ShownPath(Win("???\\show.VKD")), native + "/Show.vkd");
    // What does not exist is shown as given.
    EXPECT_EQ(files.ShownPath(Win("???\\Missing\\pic.jpg")), native + "/Missing/pic.jpg");
    EXPECT_EQ(files.ShownPath(Win("Caf\xe9.txt")), root.string() + "/Caf\u00e9.txt");
    EXPECT_EQ(files.ShownPath("C:\\Show\\a.vkd"), "C:\\Show\\a.vkd");
    EXPECT_EQ(files.ShownPath(""), "");
}

// The player's own file and a project named relative to a current folder outside the code
// page come to the core in the code-page form that leads back to them.
TEST_F(PosixFileSystemTest, AbsolutePathsFromAFolderOutsideTheCodePage) {
    Put("\u5317\u4eac/a.vkd", "project");
    const fs::path before = fs::current_path();
    fs::current_path(root / "\u5317\u4eac");
    const std::string absolute = posix::AbsoluteWindowsPath("a.vkd");
    fs::current_path(before);
    EXPECT_EQ(absolute, Win("??\\a.vkd"));
    EXPECT_EQ(files.ReadFile(absolute), B("project"));
    // Writing and removing find the same folder.
    EXPECT_TRUE(files.WriteFile(Win("??\\b.txt"), B("b")));
    EXPECT_EQ(Get("\u5317\u4eac/b.txt"), "b");
    EXPECT_TRUE(files.RemoveFile(Win("??\\B.TXT")));
    EXPECT_FALSE(fs::exists(root / "\u5317\u4eac/b.txt"));
}

// A path the user gave (the command line) is remembered with its exact names: its code-page
// form leads back to them where siblings share that form, and messages show them as given.
TEST_F(PosixFileSystemTest, UserPathsKeepTheirExactNames) {
    Put("Twins/\u0416/a.txt", "zhe");  // Ж: first in byte order
    Put("Twins/\u042f/a.txt", "ya");   // Я
    const std::string ya = (root / "Twins/\u042f").string();

    posix::PosixFileSystem fresh;
    const std::string named = fresh.FromUserPath(ya + "/a.txt");
    EXPECT_EQ(named, (root / "Twins/?/a.txt").string());  // as given, in the code page
    EXPECT_EQ(fresh.ReadFile(named), B("ya"));
    EXPECT_EQ(fresh.ReadFile(posix::AbsoluteWindowsPath(named)), B("ya"));
    EXPECT_EQ(fresh.ReadFile(Win("Twins\\?\\A.TXT")), B("ya"));  // files beside it too
    EXPECT_EQ(files.ReadFile(named), B("zhe"));  // without it: the first in byte order
    // A missing file is shown as the user gave it, not in its code-page form.
    const std::string missing = ya + "/\u0141\u00f3d\u017a.txt";  // Łódź
    EXPECT_EQ(fresh.ShownPath(fresh.FromUserPath(missing)), missing);
    // A relative path is remembered against the current folder and stays relative.
    const fs::path before = fs::current_path();
    fs::current_path(root / "Twins");
    EXPECT_EQ(fresh.FromUserPath("\u0416/a.txt"), "?/a.txt");
    EXPECT_EQ(fresh.ReadFile(posix::AbsoluteWindowsPath("?\\a.txt")), B("zhe"));
    fs::current_path(before);
}

TEST_F(PosixFileSystemTest, WritesReplaceTheMatchingFileInTheMatchingFolder) {
    Put("Show/Save.TXT", "old");
    ::chmod((root / "Show/Save.TXT").c_str(), 0640);

    ASSERT_TRUE(files.WriteFile(Win("SHOW\\save.txt"), B("new")));
    EXPECT_EQ(Get("Show/Save.TXT"), "new");
    ASSERT_TRUE(files.WriteFile(Win("show\\Fresh.txt"), B("fresh")));
    EXPECT_EQ(Get("Show/Fresh.txt"), "fresh");
    ASSERT_TRUE(files.WriteFile(Win("show\\empty"), {}));
    EXPECT_EQ(Get("Show/empty"), "");
    // No temporary file is left behind, and a replaced file keeps its permissions.
    EXPECT_EQ(Names("Show"), (std::vector<std::string>{"Fresh.txt", "Save.TXT", "empty"}));
    struct stat st {};
    ASSERT_EQ(::stat((root / "Show/Save.TXT").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_FALSE(files.WriteFile(Win("nowhere\\x.txt"), B("x")));
    EXPECT_FALSE(files.WriteFile(Win("show"), B("x")));  // a folder stays a folder
    EXPECT_FALSE(files.WriteFile("C:\\x.txt", B("x")));
}

TEST_F(PosixFileSystemTest, NeverWritesThroughASymbolicLink) {
    Put("outside/target.txt", "keep");
    fs::create_directories(root / "temp");
    fs::create_symlink(root / "outside/target.txt", root / "temp/planted.txt");

    EXPECT_FALSE(files.WriteFile(Win("temp\\planted.txt"), B("evil")));
    EXPECT_FALSE(files.WriteFile(Win("temp\\PLANTED.TXT"), B("evil")));
    EXPECT_EQ(Get("outside/target.txt"), "keep");
    EXPECT_EQ(Names("temp"), std::vector<std::string>{"planted.txt"});

    // Removing takes the link away, never its target.
    EXPECT_TRUE(files.RemoveFile(Win("temp\\planted.txt")));
    EXPECT_EQ(Get("outside/target.txt"), "keep");
}

TEST_F(PosixFileSystemTest, RemovesAndCreates) {
    Put("Box/Item.dat", "x");
    EXPECT_TRUE(files.RemoveFile(Win("box\\item.DAT")));
    EXPECT_FALSE(fs::exists(root / "Box/Item.dat"));
    EXPECT_TRUE(files.RemoveFile(Win("box\\item.DAT")));  // already gone
    EXPECT_TRUE(files.RemoveFile(Win("nothing\\here")));
    EXPECT_FALSE(files.RemoveFile(Win("box")));

    EXPECT_TRUE(files.CreateFolder(Win("box\\Inner")));
    EXPECT_TRUE(fs::is_directory(root / "Box/Inner"));
    EXPECT_TRUE(files.CreateFolder(Win("BOX\\inner")));  // existing is fine
    EXPECT_FALSE(files.CreateFolder(Win("a\\b\\c")));    // parents are not made
    Put("plain", "x");
    EXPECT_FALSE(files.CreateFolder(Win("plain")));
}

TEST_F(PosixFileSystemTest, ReadingAFifoDoesNotWait) {
    ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(files.ReadFile(Win("pipe")), std::nullopt);
}

// Sets an environment variable for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(PosixFileSystemTest, TempFolderIsPrivateToTheUser) {
    fs::create_directories(root / "runtime");
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    fs::create_directories(root / "shared");
    const posix::PosixFileSystem with_shared((root / "shared").string());
    const std::string own = "velk-" + std::to_string(::getuid());

    {
        ScopedEnv env("XDG_RUNTIME_DIR", (root / "runtime").c_str());
        EXPECT_EQ(with_shared.TempFolder(), Win("runtime"));
    }
    {
        // Not a folder: the private folder in the shared one is made, mode 0700.
        Put("not-a-folder", "x");
        ScopedEnv env("XDG_RUNTIME_DIR", (root / "not-a-folder").c_str());
        EXPECT_EQ(with_shared.TempFolder(), Win("shared\\" + own));
        struct stat st {};
        ASSERT_EQ(::lstat((root / "shared" / own).c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    ScopedEnv no_runtime("XDG_RUNTIME_DIR", nullptr);
    {
        // Ours but readable by others: tightened and used.
        fs::permissions(root / "shared" / own,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
        EXPECT_EQ(with_shared.TempFolder(), Win("shared\\" + own));
        struct stat st {};
        ASSERT_EQ(::lstat((root / "shared" / own).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    {
        // Writable by others: somebody may have planted entries; refused.
        fs::permissions(root / "shared" / own, fs::perms::all, fs::perm_options::replace);
        EXPECT_EQ(with_shared.TempFolder(), "");
        fs::remove(root / "shared" / own);
    }
    {
        // A link planted under the expected name is refused, and its target left alone.
        fs::create_directories(root / "elsewhere");
        fs::create_directory_symlink(root / "elsewhere", root / "shared" / own);
        EXPECT_EQ(with_shared.TempFolder(), "");
    }
}

TEST(MemoryFileSystem, FollowsTheSameMatchingRules) {
    headless::MemoryFileSystem files("Z:\\tmp");
    files.AddFile("Z:\\Show\\Data.txt", Bytes{1});
    files.AddFile("Z:\\Show\\DATA.TXT", Bytes{2});
    files.AddFile("Z:\\Show\\data.txt", Bytes{3});
    EXPECT_EQ(files.ReadFile("z:/show/data.txt"), Bytes{3});
    EXPECT_EQ(files.ReadFile("Z:\\SHOW\\dAtA.txt"), Bytes{2});
    EXPECT_EQ(files.ReadFile("/show/../Show/./DATA.TXT"), Bytes{2});
    EXPECT_EQ(files.ReadFile("C:\\Show\\Data.txt"), std::nullopt);

    EXPECT_TRUE(files.WriteFile("Z:\\show\\data.TXT", Bytes{4}));  // replaces "DATA.TXT"
    EXPECT_EQ(files.ReadFile("Z:\\Show\\DATA.TXT"), Bytes{4});
    EXPECT_FALSE(files.WriteFile("Z:\\missing\\x", Bytes{1}));
    EXPECT_FALSE(files.WriteFile("Z:\\show", Bytes{1}));
    EXPECT_TRUE(files.RemoveFile("Z:\\show\\missing"));
    EXPECT_FALSE(files.RemoveFile("Z:\\show"));
    EXPECT_TRUE(files.CreateFolder("Z:\\TMP\\VelkPlayer"));
    EXPECT_TRUE(files.FolderExists("Z:\\tmp\\velkplayer"));
    EXPECT_FALSE(files.CreateFolder("Z:\\a\\b"));
    EXPECT_EQ(files.TempFolder(), "Z:\\tmp");

    // Shown natively with the stored names; the rest of a missing path as given.
    EXPECT_EQ(files.ShownPath("z:\\SHOW\\dAtA.txt"), "/Show/DATA.TXT");
    EXPECT_EQ(files.ShownPath("Z:\\show\\New\\a.txt"), "/Show/New/a.txt");
    EXPECT_EQ(files.ShownPath("Z:\\show\\data.txt\\x"), "/Show/data.txt/x");
    EXPECT_EQ(files.ShownPath("Z:\\Caf\xe9"), "/Caf\u00e9");
    EXPECT_EQ(files.ShownPath("C:\\a.txt"), "C:\\a.txt");
}

}  // namespace
}  // namespace velk
