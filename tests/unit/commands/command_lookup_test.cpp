#include "commands/command_lookup.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "document/action_list.h"

namespace velk {
namespace {

// A second row for a code would silently take the place of the first; a row for a code outside
// the vocabulary is dead, or worse shadows a statement; a row the lookup misses is never played.
TEST(CommandLookup, EveryPlayedCommandHasExactlyOneRowInTheVocabulary) {
    const CommandLookup& played = CommandLookup::Played();
    std::map<std::int32_t, int> rows;
    for (const std::span<const CommandRow> family : CommandFamilies()) {
        EXPECT_FALSE(family.empty());
        for (const CommandRow& row : family) {
            EXPECT_TRUE(CommandName(row.code).has_value()) << row.code;
            EXPECT_EQ(++rows[row.code], 1) << "another row for " << row.code;
            EXPECT_NE(row.body, nullptr) << row.code;
            EXPECT_EQ(played.Find(row.code), row.body) << row.code;
        }
    }
    // Everything else passes over silently.
    for (const CommandEntry& entry : CommandTable()) {
        if (!rows.contains(entry.code)) {
            EXPECT_EQ(played.Find(entry.code), nullptr) << entry.name;
        }
    }
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t others[] = {kCodeAssign,       kCodeIf,   kCodeEnd,     kCodeFor,
                                   kCodeNext,         kCodeElse, kCodeComment, -1,
                                   kCommandCodeLimit, kMax,      -kMax - 1};
    for (const std::int32_t code : others) EXPECT_EQ(played.Find(code), nullptr) << code;
}

}  // namespace
}  // namespace velk
