#include "hosts/headless/effect_log.h"

#include <gtest/gtest.h>

#include <clocale>

#include "hosts/headless/scripted_ui.h"

namespace velk::headless {
namespace {

TEST(EffectLog, TextIsUtf8WithEscapes) {
    EXPECT_EQ(EscapeLogText("Gr\xFC\xDF\x65 \x80"), "Grüße €");
    EXPECT_EQ(EscapeLogText("a\"b\\c\r\nd\te\x01"), "a\\\"b\\\\c\\r\\nd\\te\\x01");
}

TEST(EffectLog, NumbersAreIntegralOrFifteenDigitsWhateverTheLocale) {
    // A locale with a decimal comma must not leak into the log (when the machine has one).
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {42, "42"},
        {-7, "-7"},
        {2147483647, "2147483647"},
        {4294967296.0, "4294967296"},
        {0.5, "0.5"},
        {1.0 / 3, "0.333333333333333"},
        {1e20, "1e+20"},
        {-2.25, "-2.25"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatLogNumber(value), text) << value;
    std::setlocale(LC_NUMERIC, "C");
}

TEST(EffectLog, LinesCarryTheVirtualTime) {
    VirtualClock clock(123);
    std::string out;
    EffectLog log(clock, [&](std::string_view line) { out += line; });
    ScriptedUi ui(log);
    LoggingObserver observer(log);

    observer.PageShown("One");
    clock.Advance(250);
    ui.QueueAnswer("No");
    ui.QueueAnswer("retry");  // not offered: closing the box
    EXPECT_EQ(ui.Ask("Cap", "Go on?", host::MessageButtons::kYesNo), host::MessageAnswer::kNo);
    EXPECT_EQ(ui.Ask("Cap", "Sure?", host::MessageButtons::kOkCancel), host::MessageAnswer::kCancel);
    EXPECT_EQ(ui.Ask("Cap", "Really?", host::MessageButtons::kYesNoCancel), host::MessageAnswer::kYes);
    VariableStore variables;
    variables.SetNumber("n", 1.5);
    variables.SetString("s$", "x\"y");
    log.Variables(variables);
    observer.Ended();
    EXPECT_EQ(out,
              "t=0 page \"One\"\n"
              "t=250 msgbox \"Cap\" \"Go on?\" -> no\n"
              "t=250 msgbox \"Cap\" \"Sure?\" -> cancel\n"
              "t=250 msgbox \"Cap\" \"Really?\" -> yes\n"
              "t=250 var n=1.5\n"
              "t=250 var s$=\"x\\\"y\"\n"
              "t=250 end\n");
}

}  // namespace
}  // namespace velk::headless
