#include <gtest/gtest.h>

#include "input/keyboard_dispatch.h"
#include "input/pointer_dispatch.h"
#include "input_test_host.h"

namespace velk::test {
namespace {

using Log = std::vector<std::string>;

TEST(InputKeys, KeyNames) {
    struct Case {
        std::uint32_t key;
        std::uint32_t held_arrows;
        const char* name;
    };
    const Case cases[] = {
        {'A', 0, "A"},
        {'7', 0, "7"},
        {8, 0, ""},
        {13, 0, "ENTER"},
        {27, 0, "ESC"},
        {9, 0, "TAB"},
        {32, 0, "SPACE"},
        {46, 0, "DELETE"},
        {45, 0, "INSERT"},
        {36, 0, "HOME"},
        {35, 0, "END"},
        {112, 0, "F1"},
        {113, 0, "F2"},
        {122, 0, "F11"},
        {123, 0, "F12"},
        {96, 0, "0"},
        {105, 0, "9"},
        {'A', kArrowDown, "DOWN"},
        {'A', kArrowDown | kArrowRight, "RIGHT"},
        {'A', kArrowUp | kArrowLeft, "LEFT"},
        {13, kArrowDown, "ENTER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(KeyName(c.key, c.held_arrows), c.name);
    }
}

Object KeyObject(std::string name, std::string key, KeyModifiers needs) {
    Object object;
    object.kind = kKindScript;
    object.name = name;
    object.hover_object = std::move(key);
    object.transparent1 = 1;
    object.transparent2 = needs.shift;
    object.transparent3 = needs.ctrl;
    object.option1 = needs.alt;
    object.actions_click = Named(name);
    return object;
}

struct KeyRig {
    FakeInputHost host;
    PointerDispatch pointer{host};
    KeyboardDispatch keys{host, pointer};
};

TEST(InputKeys, KeyObjectsNeedTheirExactModifiersAndTheCurrentPageWins) {
    KeyRig rig;
    Object off = KeyObject("Off", "A", {});
    off.transparent1 = 0;
    rig.host.current.objects = {off, KeyObject("ShiftA", "A", {.shift = true}),
                                KeyObject("LowerA", "a", {})};
    rig.host.layer.objects = {KeyObject("LayerA", "A", {}), KeyObject("LayerF2", "F2", {})};
    rig.host.master.objects = {KeyObject("MasterQ", "Q", {})};
    rig.keys.KeyDown('A', {.shift = true}, 0);
    rig.keys.KeyDown('A', {}, 0);
    rig.keys.KeyDown('A', {.shift = true, .ctrl = true}, 0);
    rig.keys.KeyDown(113, {}, 0);  // F2, whose code is the character "q"
    rig.keys.KeyDown('Q', {}, 0);  // the master page never hears keys
    EXPECT_EQ(rig.host.log, (Log{"guarded ShiftA", "guarded LayerA", "guarded LayerF2"}));
}

Object InputText(std::string name, bool hidden = false) {
    Object object;
    object.kind = kKindInputText;
    object.name = std::move(name);
    object.hidden = hidden ? 1 : 0;
    return object;
}

TEST(InputKeys, TabMovesTheFocusAmongShownFieldsAndWraps) {
    KeyRig rig;
    rig.host.current.objects = {InputText("One"), InputText("Hidden", true), InputText("Two"),
                                InputText("Undrawn")};
    FakeField& one = rig.host.GiveField("One");
    rig.host.GiveField("Hidden");
    FakeField& two = rig.host.GiveField("Two");
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(one.Focused());
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(two.Focused());
    EXPECT_FALSE(one.Focused());
    EXPECT_EQ(rig.pointer.StateOf(rig.host.current).active_field, &rig.host.current.objects[2]);
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(one.Focused());
    rig.keys.KeyDown(9, {.shift = true}, 0);
    EXPECT_TRUE(two.Focused());
    EXPECT_EQ(rig.host.log, (Log{"One select all", "One leave", "Two select all", "Two leave",
                                 "One select all", "One leave", "Two select all"}));
}

TEST(InputKeys, TabWithoutDrawnFieldsGivesNoFocus) {
    KeyRig rig;
    rig.host.current.objects = {InputText("Undrawn")};
    EXPECT_FALSE(rig.keys.NextField(false));
}

TEST(InputKeys, TypingPublishesTheTextAndRunsTheChangeActionsAndKeyObjectsStillHearKeys) {
    KeyRig rig;
    Object input = InputText("Age");
    input.text_variable = "age$";
    input.number_variable = "age";
    input.option3 = 1;
    input.extra_text1 = "Changed";
    Object changed = KeyObject("Changed", "", {});
    changed.transparent1 = 0;
    rig.host.current.objects = {input, changed, KeyObject("Back", "", {})};
    rig.host.current.objects[2].hover_object = std::string(1, char(8));  // never matches
    FakeField& field = rig.host.GiveField("Age");
    field.SetFocused(true);
    for (char c : std::string(" 42x")) rig.keys.Char(static_cast<std::uint8_t>(c));
    EXPECT_EQ(rig.host.variables.GetString("age$"), " 42x");
    EXPECT_EQ(rig.host.variables.GetNumber("age"), 42);
    rig.host.current.objects.push_back(KeyObject("Delete", "DELETE", {}));
    rig.host.log.clear();
    rig.keys.KeyDown(8, {}, 0);
    rig.keys.KeyDown(46, {}, 0);
    rig.keys.KeyDown(36, {}, 0);  // Home publishes nothing
    EXPECT_EQ(rig.host.variables.GetString("age$"), " 42");
    EXPECT_EQ(rig.host.log, (Log{"Age key 8", "run Changed", "Age key 46", "run Changed",
                                 "guarded Delete", "Age key 36"}));
}

TEST(InputKeys, EscapeTakesTheFocusFromFieldsAndOnlyCurrentPageFieldsAreTypedInto) {
    KeyRig rig;
    rig.host.current.objects = {InputText("Here")};
    rig.host.layer.objects = {InputText("Layer")};
    FakeField& here = rig.host.GiveField("Here");
    FakeField& layer = rig.host.GiveField("Layer");
    layer.SetFocused(true);
    rig.keys.Char('x');
    EXPECT_EQ(layer.text, "");
    here.SetFocused(true);
    rig.keys.KeyDown(27, {}, 0);
    EXPECT_FALSE(here.Focused());
    rig.keys.Char('y');
    EXPECT_EQ(here.text, "");
}

}  // namespace
}  // namespace velk::test
