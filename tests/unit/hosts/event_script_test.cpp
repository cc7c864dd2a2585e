#include "hosts/headless/event_script.h"

#include <gtest/gtest.h>

#include "hosts/headless/event_keys.h"

namespace velk::headless {
namespace {

TEST(EventScript, ReadsEveryEventAtTheTimeItsWaitsReach) {
    const EventScript script = ParseEventScript(
        "# a comment\n"
        "\n"
        "  move 10 -20\r\n"
        "wait 100\n"
        "click 5 6\n"
        "dblclick 1 2\n"
        "rdown 3 4\n"
        "rup 3 4\n"
        "down 7 8\n"
        "up 7 8\n"
        "wait 50\n"
        "key Return\n"
        "type Grüße, Welt  \n"
        "answer C:\\my folder\\x.txt\n"
        "shot after-click.1\n"
        "vars\n"
        "close\n"
        "blur\n"
        "quit\n"
        "wait 7");
    using K = EventKind;
    const std::vector<std::tuple<K, std::uint64_t, std::size_t>> expected = {
        {K::kMove, 0, 3},        {K::kClick, 100, 5},   {K::kDoubleClick, 100, 6},
        {K::kRightDown, 100, 7}, {K::kRightUp, 100, 8}, {K::kDown, 100, 9},
        {K::kUp, 100, 10},       {K::kKey, 150, 12},    {K::kType, 150, 13},
        {K::kAnswer, 150, 14},   {K::kShot, 150, 15},   {K::kVars, 150, 16},
        {K::kClose, 150, 17},    {K::kBlur, 150, 18},   {K::kQuit, 150, 19},
    };
    ASSERT_EQ(script.events.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [kind, time, line] = expected[i];
        EXPECT_EQ(script.events[i].kind, kind) << i;
        EXPECT_EQ(script.events[i].time_ms, time) << i;
        EXPECT_EQ(script.events[i].line, line) << i;
    }
    EXPECT_EQ(script.end_ms, 157u);  // a trailing wait still counts
    EXPECT_EQ(script.events[0].x, 10);
    EXPECT_EQ(script.events[0].y, -20);
    EXPECT_EQ(script.events[7].key, 13u);
    EXPECT_EQ(script.events[8].text, "Gr\xFC\xDF\x65, Welt");  // code page, blanks inside kept
    EXPECT_EQ(script.events[9].text, "C:\\my folder\\x.txt");
    EXPECT_EQ(script.events[10].text, "after-click.1");
}

TEST(EventScript, ABadLineNamesItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"jump 1 2", "line 2: unknown event \"jump\""},
        {"click 1", "line 2: \"click\" takes X and Y"},
        {"click 1 2 3", "line 2: \"click\" takes X and Y"},
        {"move a b", "line 2: \"move\" takes X and Y"},
        {"move 1 99999999999", "line 2: \"move\" takes X and Y"},
        {"wait", "line 2: \"wait\" takes one number"},
        {"wait -5", "line 2: \"wait\" takes one number"},
        {"wait 2147483648", "line 2: \"wait\" takes one number"},
        {"wait 10ms", "line 2: \"wait\" takes one number"},
        {"key Hyper", "line 2: \"key\" takes one key name"},
        {"key", "line 2: \"key\" takes one key name"},
        {"key Meta+A", "line 2: \"key\" takes one key name"},
        {"key Shift+", "line 2: \"key\" takes one key name"},
        {"type", "line 2: \"type\" needs a text"},
        {"shot ../escape", "line 2: \"shot\" takes one name"},
        {"shot a b", "line 2: \"shot\" takes one name"},
        {"shot", "line 2: \"shot\" takes one name"},
        {"quit now", "line 2: \"quit\" takes nothing after it"},
        {"Click 1 2", "line 2: unknown event \"Click\""},
    };
    for (const auto& [line, message] : cases) {
        try {
            ParseEventScript(std::string("wait 1\n") + line + "\nquit\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const EventScriptError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(message, 0), 0u) << e.what();
        }
    }
}

TEST(KeyNames, NamesGiveTheVirtualKeyCodes) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"A", 65},      {"z", 90},      {"0", 48},       {"9", 57},        {"F1", 112},
        {"f12", 123},   {"Escape", 27}, {"Return", 13},  {"Enter", 13},    {"Tab", 9},
        {"Space", 32},  {"Left", 37},   {"Up", 38},      {"Right", 39},    {"Down", 40},
        {"Home", 36},   {"End", 35},    {"PageUp", 33},  {"PageDown", 34}, {"Backspace", 8},
        {"Delete", 46}, {"Insert", 45}, {"Numpad0", 96}, {"numpad9", 105},
    };
    for (const auto& [name, code] : cases) EXPECT_EQ(VirtualKeyFromName(name), code) << name;
    for (const char* unknown : {"", "F0", "F13", "F01", "AB", "!", "Shift"}) {
        EXPECT_EQ(VirtualKeyFromName(unknown), std::nullopt) << unknown;
    }
}

TEST(KeyNames, ModifiersGoInFrontOfTheKey) {
    const auto chord = KeyFromChord("shift+Ctrl+ALT+F2");
    ASSERT_TRUE(chord);
    EXPECT_EQ(chord->key, 113u);
    EXPECT_EQ(chord->modifiers, kModifierShift | kModifierCtrl | kModifierAlt);
    EXPECT_EQ(KeyFromChord("A")->modifiers, 0u);
    EXPECT_EQ(KeyFromChord("Shift+Shift"), std::nullopt);
}

}  // namespace
}  // namespace velk::headless
