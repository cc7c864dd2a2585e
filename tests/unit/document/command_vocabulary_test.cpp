#include "document/command_vocabulary.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "document/action_list.h"

namespace velk {
namespace {

TEST(CommandTable, HoldsEveryCommandOnceInTableOrder) {
    const auto table = CommandTable();
    ASSERT_EQ(table.size(), 140u);
    EXPECT_EQ(table.front().name, "Hide");
    EXPECT_EQ(table[10].name, "Restore");
    EXPECT_EQ(table[98].name, "AGifPlay");
    EXPECT_EQ(table.back().name, "PluginRun");
    std::set<std::string> names;
    std::set<std::int32_t> codes;
    for (const CommandEntry& entry : table) {
        EXPECT_TRUE(names.insert(std::string(entry.name)).second) << entry.name;
        EXPECT_TRUE(codes.insert(entry.code).second) << entry.name;
        EXPECT_TRUE(entry.argument_count >= 0 && entry.argument_count <= 2) << entry.name;
        // Statement codes never collide with commands.
        EXPECT_FALSE(entry.code >= kCodeAssign && entry.code <= kCodeElse) << entry.name;
        EXPECT_NE(entry.code, kCodeComment) << entry.name;
        // The dispatcher's lookup has a place for every code.
        EXPECT_TRUE(entry.code >= 0 && entry.code < kCommandCodeLimit) << entry.name;
    }
}

TEST(CommandTable, FindsScriptWordsWithoutRegardToCase) {
    const struct {
        const char* word;
        std::int32_t code, arguments;
    } found[] = {
        {"Hide", 0, 1},         {"pagetimer", 28, 2},
        {"EXITTIMER", 27, 1},   {"runvkd", 5, 2},
        {"Restore", 241, 0},    {"MoveTo", 85, 2},
        {"songlistrnd", 69, 0}, {"AudioVisualizationColor", 202, 2},
    };
    for (const auto& c : found) {
        const auto entry = FindCommand(c.word);
        ASSERT_TRUE(entry.has_value()) << c.word;
        EXPECT_EQ(entry->code, c.code) << c.word;
        EXPECT_EQ(entry->argument_count, c.arguments) << c.word;
    }
    for (const char* word : {"", "Next", "If", "Hide ", "Hid", "PageTimers"}) {
        EXPECT_FALSE(FindCommand(word).has_value()) << word;
    }
}

TEST(CommandTable, NamesCodes) {
    EXPECT_EQ(CommandName(0), "Hide");
    EXPECT_EQ(CommandName(239), "Break");
    EXPECT_EQ(CommandName(78), "PluginRun");
    EXPECT_FALSE(CommandName(99).has_value());
    EXPECT_FALSE(CommandName(242).has_value());
}

}  // namespace
}  // namespace velk
