#include "base/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

// Names the system hands to the player: in the code page, a best fit where the system has one,
// else '?' (one per character, an emoji too).
TEST(CodePage, BestFitOfNamesOutsideTheCodePage) {
    const struct {
        const char* utf8;
        std::string best_fit;
        std::string plain;  // Utf8ToCp1252: no best fit
    } cases[] = {
        {"show.vkd", "show.vkd", "show.vkd"},
        {"Caf\u00e9 \u20ac", "Caf\xe9 \x80", "Caf\xe9 \x80"},  // in the code page
        {"\u0141\u00f3d\u017a",
         "L\xf3"
         "dz",
         "?\xf3"
         "d?"},                                         // Latin Extended-A
        {"\u0110\u0131\u0160", "\xd0i\x8a", "??\x8a"},  // Đ → Ð, dotless i
        {"\u01d3\u0191", "U\x83", "??"},                // Extended-B
        {"\uff21\uff42\uff10", "Ab0", "???"},           // full-width forms
        {"a\u3000b\u2011c", "a b-c", "a?b?c"},          // spaces and dashes
        {"\u0428\u043e\u0443", "???", "???"},           // Cyrillic: no best fit
        {"\u5317\u4eac", "??", "??"},                   // CJK
        {"\U0001F600.vkd", "?.vkd", "?.vkd"},           // an emoji is one '?'
        {"\u0133\u0149", "??", "??"},                   // no best fit in the table
        {"a\xff"
         "b\xc3",
         "a?b?", "a?b?"},  // invalid UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252BestFit(c.utf8), c.best_fit) << c.utf8;
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.plain) << c.utf8;
    }
}

}  // namespace
}  // namespace velk
