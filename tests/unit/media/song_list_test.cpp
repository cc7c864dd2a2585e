// The song list: entries by number, removal, the shuffle, and the "<List>" sources.
#include <gtest/gtest.h>

#include <cmath>

#include "media/song_list.h"

namespace velk::media {
namespace {

using Entries = std::vector<std::string>;

SongList ListOf(std::size_t count) {
    SongList list;
    for (std::size_t i = 0; i < count; ++i) list.entries.push_back(std::string(1, char('a' + i)));
    return list;
}

std::string Joined(const SongList& list) {
    std::string joined;
    for (const std::string& entry : list.entries) joined += entry;
    return joined;
}

TEST(SongList, EntriesAreNumberedFromOne) {
    SongList list = ListOf(3);
    EXPECT_EQ(list.Entry(1), "a");
    EXPECT_EQ(list.Entry(3), "c");
    for (const std::int64_t outside :
         {std::int64_t{0}, std::int64_t{-1}, std::int64_t{4}, std::int64_t{1} << 40}) {
        EXPECT_FALSE(list.Entry(outside).has_value()) << outside;
        EXPECT_FALSE(list.Remove(outside)) << outside;
    }
    EXPECT_EQ(Joined(list), "abc");
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(Joined(list), "bc");
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(Joined(list), "b");
}

TEST(SongList, ShuffleExchangesTwiceCountPairsFromTheSeededGenerator) {
    const struct {
        std::uint32_t seed;
        std::size_t count;
        const char* order;
        int draws;  // numbers taken from the generator
    } cases[] = {
        {1, 4, "cbad", 16},
        {7, 5, "cdaeb", 20},
        // The first number is 32767: scaled to 2 and clamped to the last position.
        {30091, 2, "ab", 8},
        // One entry stays where it is; the numbers are drawn all the same.
        {1, 1, "a", 4},
        {1, 0, "", 0},
    };
    for (const auto& c : cases) {
        SongList list = ListOf(c.count);
        RuntimeRandom random(c.seed);
        list.Shuffle(random);
        EXPECT_EQ(Joined(list), c.order) << c.seed << " " << c.count;
        RuntimeRandom expected(c.seed);
        for (int i = 0; i < c.draws; ++i) expected.Next();
        EXPECT_EQ(random.Next(), expected.Next()) << c.seed << " " << c.count;
    }
}

TEST(SongList, ListSourcesOfLoadText) {
    SongList list;
    list.entries = {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"};
    // The text after the macro is evaluated; "i" is a variable holding 3.
    const auto evaluate = [](std::string_view text) {
        if (text == "i") return 3.0;
        if (text == "nan") return std::nan("");
        return std::stod(std::string(text));
    };
    const struct {
        const char* source;
        std::optional<std::string_view> destination;
        std::optional<std::string> value;
    } cases[] = {
        {"<List>2", std::nullopt, "C:\\b.mp3"},
        {"<List>i", std::nullopt, "C:\\c.mp3"},
        {"<List>2.9", std::nullopt, "C:\\b.mp3"},
        {"<List>0", std::nullopt, ""},
        {"<List>4", std::nullopt, ""},
        {"<List>-1", std::nullopt, ""},
        {"<List>1e300", std::nullopt, ""},
        {"<List>nan", std::nullopt, ""},
        // "<List+>" appends a line break and the entry to the destination's text.
        {"<List+>3", "Played:", "Played:\r\nC:\\c.mp3"},
        {"<List+>1", std::nullopt, "\r\nC:\\a.mp3"},
        {"<List+>9", "Played:", ""},
        {"<list>1", std::nullopt, std::nullopt},
        {"C:\\a.txt", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SongListSource(c.source, list, evaluate, c.destination), c.value) << c.source;
    }
}

}  // namespace
}  // namespace velk::media
