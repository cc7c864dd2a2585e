#include "document/embedded_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "codec/zlib_codec.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "raw_archive.h"

namespace velk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing_support::Raw;

constexpr char kInflateFailed[] = "Uncompression failed (Embedded Sound)";

class EmbeddedStoreTest : public ::testing::Test {
  protected:
    std::vector<EmbeddedFile> Read(const Bytes& bytes, std::int32_t version,
                                   std::size_t* left = nullptr) {
        ui_.Clear();
        LoadContext ctx{ui_, profile_, version, "show.vkd"};
        ByteReader in(bytes);
        auto files = ReadEmbeddedStore(in, ctx);
        if (left) *left = in.Remaining();
        return files;
    }

    headless::RecordingUi ui_;
    headless::MemoryProfileStore profile_;
};

EmbeddedFile Entry(std::uint32_t type, std::string name, Bytes data, bool compressed) {
    EmbeddedFile file;
    file.file_type = type;
    file.file_name = std::move(name);
    file.size = static_cast<std::uint32_t>(data.size());
    file.data = std::move(data);
    file.compressed = compressed;
    return file;
}

TEST_F(EmbeddedStoreTest, ReadsTheLayoutOfEachVersion) {
    struct Case {
        const char* name;
        std::int32_t version;
        Raw bytes;
        std::vector<EmbeddedFile> expected;
    };
    Bytes music = {'M', 'O', 'D', 0, 1, 2};
    Bytes stream = Deflate(music);

    std::vector<Case> cases;
    {
        // Before version 11: a plain size and the bytes.
        Case c{"version 10", 10, {}, {}};
        c.bytes.U32(2);
        c.bytes.U32(2).U32(6).Data(music);
        c.bytes.Str("song.mod");
        c.bytes.U32(10).U32(0).Str("none.dat");
        c.expected = {Entry(2, "song.mod", music, false), Entry(10, "none.dat", {}, false)};
        cases.push_back(std::move(c));
    }
    {
        // From version 11: U, then C only when U is not 0.
        Case c{"version 11", 11, {}, {}};
        c.bytes.U32(4);
        c.bytes.U32(2).U32(6).U32(static_cast<std::uint32_t>(stream.size())).Data(stream);
        c.bytes.Str("song.mod");
        c.bytes.U32(1).U32(0).Str("empty.wav");
        c.bytes.U32(12).U32(6).U32(0).Data(music).Str("raw.bin");
        c.bytes.U32(8).U32(0).Str("");
        c.expected = {Entry(2, "song.mod", music, true), Entry(1, "empty.wav", {}, false),
                      Entry(12, "raw.bin", music, false), Entry(8, "", {}, false)};
        cases.push_back(std::move(c));
    }
    {
        Case c{"empty store", 27, {}, {}};
        c.bytes.U32(0);
        cases.push_back(std::move(c));
    }
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.bytes.U32(0xABCDEF01);  // whatever follows the store
        std::size_t left = 0;
        EXPECT_EQ(Read(c.bytes.bytes, c.version, &left), c.expected);
        EXPECT_EQ(left, 4u);
        EXPECT_TRUE(ui_.Texts().empty());
    }
}

TEST_F(EmbeddedStoreTest, AFailedInflationIsReportedAndTheNextEntryStillReads) {
    Bytes sound(40, 7);
    Bytes good = Deflate(sound);
    struct Case {
        const char* name;
        std::uint32_t inflated_size;
        Bytes stream;
        std::size_t kept;  // bytes of data kept from the failed entry
    };
    const Case cases[] = {
        {"garbage", 40, {9, 9, 9, 9}, 0},
        {"stream gives fewer bytes", 50, good, 40},
        {"stream gives more bytes", 30, good, 30},
        {"implausible size", 0xFFFFFFF0, {1, 2}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Raw out;
        out.U32(2);
        out.U32(1).U32(c.inflated_size).U32(static_cast<std::uint32_t>(c.stream.size()));
        out.Data(c.stream);
        out.Str("bad.wav");
        out.U32(12).U32(2).U32(0).Data(Bytes{'o', 'k'}).Str("next.txt");
        std::size_t left = 1;
        auto files = Read(out.bytes, 27, &left);
        EXPECT_EQ(left, 0u);
        EXPECT_EQ(ui_.Texts(), std::vector<std::string>{kInflateFailed});
        ASSERT_EQ(files.size(), 2u);
        EXPECT_EQ(files[0].file_name, "bad.wav");
        EXPECT_EQ(files[0].size, c.inflated_size);
        EXPECT_EQ(files[0].data.size(), c.kept);
        EXPECT_EQ(files[1], Entry(12, "next.txt", {'o', 'k'}, false));
    }
}

TEST_F(EmbeddedStoreTest, RefusesCountsAndSizesBeyondTheArchive) {
    struct Case {
        const char* name;
        std::int32_t version;
        Raw bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"count", 27, {}});
    cases.back().bytes.U32(0x40000000).U32(1);
    cases.push_back({"plain size", 10, {}});
    cases.back().bytes.U32(1).U32(1).U32(0xFFFFFFFF).Data(Bytes(8, 0));
    cases.push_back({"raw U", 27, {}});
    cases.back().bytes.U32(1).U32(1).U32(0xFFFFFFFF).U32(0).Data(Bytes(8, 0));
    cases.push_back({"C", 27, {}});
    cases.back().bytes.U32(1).U32(1).U32(16).U32(0xFFFFFFFF).Data(Bytes(8, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadContext ctx{ui_, profile_, c.version, "show.vkd"};
        ByteReader in(c.bytes.bytes);
        EXPECT_THROW(ReadEmbeddedStore(in, ctx), ArchiveError);
    }
}

TEST_F(EmbeddedStoreTest, WritesWhatEachVersionCanHold) {
    Bytes text(500, 'x');
    std::vector<EmbeddedFile> files = {Entry(3, "tune.mid", text, true),
                                       Entry(10, "doc.txt", text, false),
                                       Entry(1, "silent.wav", {}, true)};
    for (std::int32_t version : {7, 10, 11, 27}) {
        SCOPED_TRACE(version);
        ByteWriter out;
        WriteEmbeddedStore(out, files, version);
        std::size_t left = 1;
        auto back = Read(out.Data(), version, &left);
        EXPECT_EQ(left, 0u);
        EXPECT_TRUE(ui_.Texts().empty());
        auto expected = files;
        // Nothing to compress in an empty entry; before version 11 nothing is compressed.
        expected[2].compressed = false;
        if (version <= 10) expected[0].compressed = false;
        EXPECT_EQ(back, expected);
        // The compressed entry really is stored smaller.
        if (version > 10) {
            EXPECT_LT(out.Size(), 2 * text.size());
        }
    }
}

TEST(FindEmbedded, MatchesWithoutRegardToCaseAndTakesTheFirst) {
    std::vector<EmbeddedFile> files = {Entry(1, "Click.WAV", {1}, false),
                                       Entry(1, "click.wav", {2}, false),
                                       Entry(12, "\xC9t\xE9.txt", {3}, false)};  // "Été.txt"
    struct Case {
        const char* name;
        const EmbeddedFile* expected;
    };
    const Case cases[] = {
        {"click.wav", &files[0]},     {"CLICK.WAV", &files[0]}, {"Click.wav", &files[0]},
        {"\xE9t\xC9.TXT", &files[2]},  // code-page letters compare by their upper case too
        {"click.wa", nullptr},        {"click.wav ", nullptr},  {"", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindEmbedded(files, c.name), c.expected) << c.name;
    }
    EXPECT_EQ(FindEmbedded({}, "x"), nullptr);
}

}  // namespace
}  // namespace velk
