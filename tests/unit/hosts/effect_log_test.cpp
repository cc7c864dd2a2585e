#include "hosts/headless/effect_log.h"

#include <gtest/gtest.h>

#include "hosts/headless/scripted_ui.h"

namespace velk::headless {
namespace {

TEST(EffectLog, TextIsUtf8WithEscapes) {
    EXPECT_EQ(EscapeLogText("Gr\xFC\xDF\x65 \x80"), "Grüße €");
    EXPECT_EQ(EscapeLogText("a\"b\\c\r\nd\te\x01"), "a\\\"b\\\\c\\r\\nd\\te\\x01");
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
    EXPECT_EQ(ui.Ask("Cap", "Go on?", host::MessageButtons::kYesNo, host::MessageIcon::kNone),
              host::MessageAnswer::kNo);
    EXPECT_EQ(ui.Ask("Cap", "Sure?", host::MessageButtons::kOkCancel, host::MessageIcon::kWarning),
              host::MessageAnswer::kCancel);
    EXPECT_EQ(
        ui.Ask("Cap", "Really?", host::MessageButtons::kYesNoCancel, host::MessageIcon::kQuestion),
        host::MessageAnswer::kYes);
    log.Variables({{"n", false, "1.5"}, {"s$", true, "x\"y"}});
    observer.Ended();
    EXPECT_EQ(out,
              "t=0 page \"One\"\n"
              "t=250 msgbox \"Cap\" \"Go on?\" -> no\n"
              "t=250 msgbox \"Cap\" \"Sure?\" warning -> cancel\n"
              "t=250 msgbox \"Cap\" \"Really?\" question -> yes\n"
              "t=250 var n=1.5\n"
              "t=250 var s$=\"x\\\"y\"\n"
              "t=250 end\n");
}

}  // namespace
}  // namespace velk::headless
