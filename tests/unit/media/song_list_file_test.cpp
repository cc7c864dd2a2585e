// List files: the four readings, the choice among them, the folder, writing, and the size limit.
#include <gtest/gtest.h>

#include "hosts/headless/memory_file_system.h"
#include "media/song_list_file.h"

namespace velk::media {
namespace {

using Entries = std::vector<std::string>;
constexpr const char* kFolder = "C:\\lists\\";

TEST(ListFile, ReadingsTurnTextIntoEntries) {
    const struct {
        ListReading reading;
        const char* text;
        Entries entries;
    } cases[] = {
        // An extended list from C:\lists: the relative name takes the list's folder.
        {ListReading::kExtended,
         "#EXTM3U\r\n#EXTINF:123,Song\r\nsong.mp3",
         {"C:\\lists\\song.mp3"}},
        {ListReading::kExtended,
         "#EXTM3U\r\n#EXTINF:1,A\r\nD:\\a.mp3\r\nstray.mp3\r\n",
         {"D:\\a.mp3"}},
        // The line after "#EXTINF:" is the entry whatever it holds, even another "#EXTINF:".
        {ListReading::kExtended, "#EXTINF:1\r\n#EXTINF:2\r\nb.mp3", {"#EXTINF:2"}},
        {ListReading::kExtended, "a.mp3\r\n#EXTINF:1", {}},
        // Without any "#EXTINF:" an extended list is read as plain lines.
        {ListReading::kExtended,
         "#EXTM3U\r\na.mp3\r\n\r\nD:\\b.mp3",
         {"C:\\lists\\#EXTM3U", "C:\\lists\\a.mp3", "D:\\b.mp3"}},
        {ListReading::kPls,
         "[playlist]\r\nFile1=a.mp3\r\nTitle1=A\r\nFile2=D:\\b.mp3\r\n",
         {"C:\\lists\\a.mp3", "D:\\b.mp3"}},
        // After the first "File", up to the first "="; a "File" without "=" is no entry, and
        // letter case matters.
        {ListReading::kPls,
         "MyFile=x=y\r\nFile3\r\nfile4=c.mp3\r\nFile5=http://h/s.mp3",
         {"C:\\lists\\x=y", "http://h/s.mp3"}},
        {ListReading::kPlain,
         "a.mp3\r\n\r\n\\\\server\\b.mp3\r\n",
         {"C:\\lists\\a.mp3", "C:\\lists\\\\\\server\\b.mp3"}},
        // Only "\r\n" breaks lines.
        {ListReading::kPlain, "a.mp3\nb.mp3\rc.mp3", {"C:\\lists\\a.mp3\nb.mp3\rc.mp3"}},
        // Every line, as written: a final line break gives a last, empty entry.
        {ListReading::kEveryLine, "a.mp3\r\nb.mp3\r\n", {"a.mp3", "b.mp3", ""}},
        {ListReading::kEveryLine, "a.mp3\r\n\r\nb.mp3", {"a.mp3", "", "b.mp3"}},
        {ListReading::kEveryLine, "", {""}},
        {ListReading::kPlain, "", {}},
        {ListReading::kPlain, "a.mp3\r\nb.mp3\r\n", {"C:\\lists\\a.mp3", "C:\\lists\\b.mp3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadListText(c.text, c.reading, kFolder), c.entries)
            << static_cast<int>(c.reading) << " " << c.text;
    }
    // The editor's reading puts no folder before the names.
    EXPECT_EQ(ReadListText("#EXTINF:1\r\nsong.mp3", ListReading::kExtended, ""),
              Entries{"song.mp3"});
}

TEST(ListFile, TheTypeOrElseTheExtensionChoosesTheReading) {
    const struct {
        const char* type;
        const char* file;
        ListReading reading;
    } cases[] = {
        {"M3L", "C:\\a.pls", ListReading::kPlain},
        {"M3U", "C:\\a.txt", ListReading::kExtended},
        {"PLS", "C:\\a", ListReading::kPls},
        {"TXT", "C:\\a.m3u", ListReading::kEveryLine},
        // A type in lower case is no type name: the extension decides, without case.
        {"m3u", "C:\\a.PlS", ListReading::kPls},
        {"", "C:\\a.M3U", ListReading::kExtended},
        {"other", "C:\\a.m3l", ListReading::kPlain},
        {"", "C:\\a.txt", ListReading::kEveryLine},
        {"", "C:\\lists\\noextension", ListReading::kEveryLine},
        // The three characters after the last ".".
        {"", "C:\\a.m3u8", ListReading::kExtended},
        {"", "C:\\a.m3", ListReading::kEveryLine},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadingForListType(c.type, c.file), c.reading) << c.type << " " << c.file;
    }
}

TEST(ListFile, FolderIsUpToTheLastSeparator) {
    EXPECT_EQ(ListFolder("C:\\lists\\a.m3u"), "C:\\lists\\");
    EXPECT_EQ(ListFolder("/home/ann/lists/a.m3u"), "/home/ann/lists/");
    EXPECT_EQ(ListFolder("a.m3u"), "");
}

TEST(ListFile, SongListSaveBreaksBetweenEntriesTheEditorAfterEach) {
    const Entries three{"a.mp3", "C:\\b.mp3", ""};
    EXPECT_EQ(WriteListText(three, false), "a.mp3\r\nC:\\b.mp3\r\n");
    EXPECT_EQ(WriteListText(Entries{"a.mp3", "b.mp3", "c.mp3"}, false), "a.mp3\r\nb.mp3\r\nc.mp3");
    EXPECT_EQ(WriteListText(Entries{"a.mp3", "b.mp3", "c.mp3"}, true),
              "a.mp3\r\nb.mp3\r\nc.mp3\r\n");
    EXPECT_EQ(WriteListText(Entries{}, false), "");
    EXPECT_EQ(WriteListText(Entries{}, true), "");
}

TEST(ListFile, ReadsUpTo0xFFFFFBytesAndStopsAtAZeroByte) {
    headless::MemoryFileSystem files;
    files.AddFile("Z:\\lists\\limit.m3l", std::vector<std::uint8_t>(kMaxListFileBytes, 'x'));
    files.AddFile("Z:\\lists\\over.m3l", std::vector<std::uint8_t>(kMaxListFileBytes + 1, 'x'));
    files.AddFile("Z:\\lists\\zero.m3l", {'a', '\r', '\n', 'b', 0, 'c', '\r', '\n'});

    const ListFileText limit = ReadListFile(files, "Z:\\lists\\limit.m3l");
    ASSERT_TRUE(limit.text.has_value());
    EXPECT_EQ(limit.text->size(), kMaxListFileBytes);
    EXPECT_FALSE(limit.too_big);

    const ListFileText over = ReadListFile(files, "Z:\\lists\\over.m3l");
    EXPECT_FALSE(over.text.has_value());
    EXPECT_TRUE(over.too_big);

    const ListFileText missing = ReadListFile(files, "Z:\\lists\\missing.m3l");
    EXPECT_FALSE(missing.text.has_value());
    EXPECT_FALSE(missing.too_big);

    EXPECT_EQ(ReadListFile(files, "Z:\\lists\\zero.m3l").text, "a\r\nb");
}

}  // namespace
}  // namespace velk::media
