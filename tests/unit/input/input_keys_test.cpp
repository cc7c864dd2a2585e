#include <gtest/gtest.h>

#include "input/keyboard_dispatch.h"
#include "input/pointer_dispatch.h"
#include "input_test_owner.h"

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
    object.rect = {0, 0, 200, 20};
    object.hidden = hidden ? 1 : 0;
    return object;
}

bool SelectsAll(const InputField& field) {
    return field.focused && field.caret == 0 && field.anchor == std::int32_t(field.text.size());
}

TEST(InputKeys, TabMovesTheFocusAmongShownFieldsWithTheirTextSelectedAndWraps) {
    KeyRig rig;
    Page& page = rig.host.current;
    page.objects = {InputText("One"), InputText("Hidden", true), InputText("Two"),
                    InputText("Undrawn")};
    const InputField& one = GiveField(page.objects[0], "one");
    const InputField& hidden = GiveField(page.objects[1], "hidden");
    const InputField& two = GiveField(page.objects[2], "two");
    const auto active = [&] { return rig.pointer.StateOf(page).active_field; };
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(SelectsAll(one));
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(SelectsAll(two));
    EXPECT_FALSE(one.focused);
    EXPECT_FALSE(hidden.focused);  // a hidden field would swallow what is typed
    EXPECT_EQ(active(), &page.objects[2]);
    rig.keys.KeyDown(9, {}, 0);
    EXPECT_TRUE(SelectsAll(one));
    EXPECT_FALSE(two.focused);
    rig.keys.KeyDown(9, {.shift = true}, 0);
    EXPECT_TRUE(SelectsAll(two));
    EXPECT_EQ(active(), &page.objects[2]);
}

TEST(InputKeys, TabWithoutDrawnFieldsGivesNoFocus) {
    KeyRig rig;
    rig.host.current.objects = {InputText("Undrawn")};
    EXPECT_FALSE(rig.keys.NextField(false));
}

TEST(InputKeys, ShowFocusingAFieldTakesTheFocusFromTheOthers) {
    KeyRig rig;
    Page& page = rig.host.current;
    page.objects = {InputText("One"), InputText("Two"), InputText("Undrawn")};
    InputField& one = GiveField(page.objects[0], "1");
    const InputField& two = GiveField(page.objects[1], "22");
    one.focused = true;
    rig.keys.FocusField(page.objects[1]);
    EXPECT_FALSE(one.focused);
    EXPECT_TRUE(SelectsAll(two));
    EXPECT_EQ(rig.pointer.StateOf(page).active_field, &page.objects[1]);
    rig.keys.FocusField(page.objects[2]);  // not drawn yet: nothing changes
    EXPECT_TRUE(two.focused);
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
    rig.host.current.objects = {input, changed};
    GiveField(rig.host.current.objects[0]).focused = true;
    for (char c : std::string("4x2")) rig.keys.Char(static_cast<std::uint8_t>(c));
    EXPECT_EQ(rig.host.variables.GetString("age$"), "42");
    EXPECT_EQ(rig.host.variables.GetNumber("age"), 42);
    rig.host.current.objects.push_back(KeyObject("Delete", "DELETE", {}));
    rig.host.log.clear();
    rig.keys.KeyDown(8, {}, 0);
    rig.keys.KeyDown(36, {}, 0);  // Home publishes nothing
    rig.keys.KeyDown(46, {}, 0);
    EXPECT_EQ(rig.host.variables.GetString("age$"), "");
    EXPECT_EQ(rig.host.variables.GetNumber("age"), 0);
    EXPECT_EQ(rig.host.log, (Log{"run Changed", "run Changed", "guarded Delete"}));
}

TEST(InputKeys, EscapeTakesTheFocusFromFieldsAndOnlyCurrentPageFieldsAreTypedInto) {
    KeyRig rig;
    rig.host.current.objects = {InputText("Here")};
    rig.host.layer.objects = {InputText("Layer")};
    InputField& here = GiveField(rig.host.current.objects[0]);
    InputField& layer = GiveField(rig.host.layer.objects[0]);
    layer.focused = true;
    rig.keys.Char('x');
    EXPECT_EQ(layer.text, "");
    here.focused = true;
    rig.keys.KeyDown(27, {}, 0);
    EXPECT_FALSE(here.focused);
    rig.keys.Char('y');
    EXPECT_EQ(here.text, "");
    here.focused = true;
    rig.keys.FocusLost();
    EXPECT_FALSE(here.focused);
}

}  // namespace
}  // namespace velk::test
