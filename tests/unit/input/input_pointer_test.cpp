#include <gtest/gtest.h>

#include "input/pointer_dispatch.h"
#include "input_test_owner.h"

namespace velk::test {
namespace {

using Log = std::vector<std::string>;

struct PointerRig {
    FakeInputHost host;
    PointerDispatch pointer{host};

    void Click(Point p) {
        pointer.Move(p);
        pointer.Down(p);
        pointer.Up(p);
    }
    Object& In(Page& page, const std::string& name) { return *FindObjectByName(page, name, false); }
};

TEST(InputPointer, AsksMasterLayerThenPageThenMasterPageAndTheTopmostObjectOfEach) {
    PointerRig rig;
    rig.host.master.objects.push_back(Active("Floor", {0, 0, 100, 100}));
    rig.host.current.objects.push_back(Active("Low", {0, 0, 50, 50}));
    rig.host.current.objects.push_back(Active("High", {20, 0, 50, 50}));
    rig.host.layer.objects.push_back(Active("Roof", {40, 0, 50, 50}));
    rig.Click({10, 10});
    rig.Click({30, 10});
    rig.Click({45, 10});
    rig.Click({80, 80});
    EXPECT_EQ(rig.host.log,
              (Log{"run Low.down", "idle ends", "run Low.click", "run High.down", "idle ends",
                   "run High.click", "run Roof.down", "idle ends", "run Roof.click",
                   "run Floor.down", "idle ends", "run Floor.click"}));
}

TEST(InputPointer, HiddenObjectsGroupsAndInactiveObjectsAreNeverHit) {
    PointerRig rig;
    Object hidden = Active("Hidden", {0, 0, 50, 50});
    hidden.hidden = 1;
    Object group = Active("Group", {0, 0, 50, 50});
    group.kind = kKindGroup;
    Object inactive = Active("Inactive", {0, 0, 50, 50});
    inactive.extra_value2 = 0;
    rig.host.current.objects = {hidden, group, inactive};
    rig.Click({10, 10});
    EXPECT_TRUE(rig.host.log.empty());
}

TEST(InputPointer, ReleaseOverAnotherObjectRunsNoClick) {
    PointerRig rig;
    rig.host.current.objects.push_back(Active("A", {0, 0, 20, 20}));
    rig.host.current.objects.push_back(Active("B", {30, 0, 50, 20}));
    rig.pointer.Down({5, 5});
    rig.pointer.Move({35, 5});
    rig.pointer.Up({35, 5});
    EXPECT_EQ(rig.host.log, (Log{"run A.down"}));
    EXPECT_EQ(rig.In(rig.host.current, "A").state, 0);
    EXPECT_EQ(rig.In(rig.host.current, "B").state, 1);
}

struct HoverCase {
    std::uint32_t mode;
    bool shown_on_enter;
    bool shown_after_leave;
    const char* logged;  // what entering and leaving asked for beyond visibility
};

TEST(InputPointer, HoverModes) {
    const HoverCase cases[] = {
        {0, true, false, ""},  {1, true, true, "fade Target"},        {2, true, true, ""},
        {3, false, false, ""}, {4, false, false, "run Target.click"}, {7, false, false, ""},
    };
    for (const HoverCase& c : cases) {
        SCOPED_TRACE(c.mode);
        PointerRig rig;
        Object target = Active("Target", {100, 100, 120, 120});
        target.extra_value2 = 0;
        target.hidden = c.mode == 3 ? 0 : 1;
        Object button = Active("Button", {0, 0, 20, 20});
        button.hover_object = "target";  // names are matched without regard to case
        button.hover_mode = c.mode;
        rig.host.current.objects = {target, button};
        Object& shown = rig.host.current.objects[0];
        rig.pointer.Move({5, 5});
        rig.pointer.Move({6, 6});  // still over the button: nothing runs again
        EXPECT_EQ(shown.hidden == 0, c.shown_on_enter);
        EXPECT_EQ(rig.host.current.objects[1].state, 1);
        rig.pointer.Move({50, 50});
        EXPECT_EQ(shown.hidden == 0, c.shown_after_leave);
        EXPECT_EQ(rig.host.current.objects[1].state, 0);
        const std::string logged = rig.host.log.empty() ? "" : rig.host.log[0];
        EXPECT_EQ(logged, c.logged);
        EXPECT_LE(rig.host.log.size(), 1u);
    }
}

TEST(InputPointer, MovingFromOneObjectToAnotherSwapsTheirHoverTargets) {
    PointerRig rig;
    Object a = Active("A", {0, 0, 20, 20});
    a.hover_object = "TipA";
    Object b = Active("B", {20, 0, 40, 20});
    b.hover_object = "TipB";
    Object tip_a = Active("TipA", {0, 50, 10, 60});
    tip_a.hidden = 1;
    Object tip_b = Active("TipB", {20, 50, 30, 60});
    tip_b.hidden = 1;
    rig.host.current.objects = {tip_a, tip_b, a, b};
    rig.pointer.Move({5, 5});
    rig.pointer.Move({25, 5});
    EXPECT_EQ(rig.In(rig.host.current, "TipA").hidden, 1u);
    EXPECT_EQ(rig.In(rig.host.current, "TipB").hidden, 0u);
}

TEST(InputPointer, AHigherPageTakingThePointerEndsTheHoverBelow) {
    PointerRig rig;
    Object button = Active("Button", {0, 0, 50, 50});
    button.hover_object = "Tip";
    Object tip = Active("Tip", {0, 80, 10, 90});
    tip.hidden = 1;
    tip.extra_value2 = 0;
    rig.host.current.objects = {tip, button};
    rig.host.layer.objects.push_back(Active("Cover", {30, 0, 60, 50}));
    rig.pointer.Move({10, 10});
    EXPECT_EQ(rig.In(rig.host.current, "Tip").hidden, 0u);
    rig.pointer.Move({40, 10});
    EXPECT_EQ(rig.In(rig.host.current, "Tip").hidden, 1u);
    EXPECT_EQ(rig.In(rig.host.current, "Button").state, 0);
    EXPECT_EQ(rig.In(rig.host.layer, "Cover").state, 1);
}

struct PressCase {
    std::uint32_t mode;
    bool initially_hidden;
    bool second_target;
    bool shown_while_pressed;
    bool shown_after_release;
};

TEST(InputPointer, PressModesOfTheFirstTarget) {
    const PressCase cases[] = {
        {0, true, false, true, false},  {8, true, false, true, true},
        {9, false, false, true, false}, {9, false, true, false, false},
        {10, true, false, true, true},  {10, false, false, false, false},
    };
    for (const PressCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.initially_hidden);
        PointerRig rig;
        Object target = Active("Target", {100, 100, 120, 120});
        target.extra_value2 = 0;
        target.hidden = c.initially_hidden ? 1 : 0;
        Object other = target;
        other.name = "Other";
        Object button = Active("Button", {0, 0, 20, 20});
        button.press_object = "Target";
        button.option0 = c.mode;
        if (c.second_target) {
            button.hint_text = "Other";
            button.hint_value = 8;
        }
        rig.host.current.objects = {target, other, button};
        rig.pointer.Down({5, 5});
        EXPECT_EQ(rig.host.current.objects[0].hidden == 0, c.shown_while_pressed);
        EXPECT_EQ(rig.host.current.objects[2].state, 2);
        rig.pointer.Up({5, 5});
        EXPECT_EQ(rig.host.current.objects[0].hidden == 0, c.shown_after_release);
    }
}

TEST(InputPointer, APressTargetThatIsAlsoTheHoverTargetShowsUntilRelease) {
    PointerRig rig;
    Object tip = Active("Tip", {0, 80, 10, 90});
    tip.hidden = 1;
    tip.extra_value2 = 0;
    Object button = Active("Button", {0, 0, 50, 50});
    button.hover_object = "Tip";
    button.press_object = "Tip";
    rig.host.current.objects = {tip, button};
    rig.pointer.Move({5, 5});
    rig.pointer.Down({5, 5});
    EXPECT_EQ(rig.host.current.objects[0].hidden, 0u);
    rig.pointer.Up({5, 5});
    // Released over the object: the hover target is shown again.
    EXPECT_EQ(rig.host.current.objects[0].hidden, 0u);
    rig.pointer.Move({60, 60});
    EXPECT_EQ(rig.host.current.objects[0].hidden, 1u);
}

TEST(InputPointer, AReleaseOverAHigherPageHidesThePressMarksBelow) {
    PointerRig rig;
    Object mark = Active("Mark", {0, 80, 10, 90});
    mark.hidden = 1;
    mark.extra_value2 = 0;
    Object button = Active("Button", {0, 0, 20, 20});
    button.press_object = "Mark";
    rig.host.current.objects = {mark, button};
    rig.host.layer.objects.push_back(Active("Cover", {30, 0, 60, 50}));
    rig.pointer.Down({5, 5});
    rig.pointer.Up({40, 5});
    EXPECT_EQ(rig.host.current.objects[0].hidden, 1u);
    EXPECT_EQ(rig.host.current.objects[1].state, 0);
    EXPECT_EQ(rig.host.log, (Log{"run Button.down"}));
}

struct LinkCase {
    std::uint32_t kind;
    const char* text;
    const char* parameter;
    std::vector<std::string> logged;  // after the press actions
};

TEST(InputPointer, LinksOfEveryKind) {
    const LinkCase cases[] = {
        // Programs start at the release and the click actions still run.
        {1, "setup.exe", "/quiet", {"program 1 setup.exe /quiet", "idle ends", "run Link.click"}},
        {4, "readme.txt", "", {"program 4 readme.txt ", "idle ends", "run Link.click"}},
        // The other kinds replace the click actions.
        {5,
         "<SrcDir>\\Other.vkd",
         " x, Intro ",
         {"idle ends", "open <SrcDir>\\Other.vkd at Intro"}},
        {5, "Other.vkd", "new_window,Intro", {"program 5 Other.vkd new_window,Intro", "idle ends"}},
        {5, "Other.vkd", "NEW_WINDOWS", {"idle ends", "open Other.vkd at "}},
        {6, "", "", {"idle ends", "exit"}},
        {7, "", "", {"idle ends", "page 0 "}},
        {8, "", "", {"idle ends", "page 1 "}},
        {9, "", "", {"idle ends", "page 3 "}},
        {10, "", "", {"idle ends", "page 2 "}},
        {11, "Gallery", "", {"idle ends", "page -1 Gallery"}},
        {12, "", "", {"idle ends", "minimize"}},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.parameter);
        PointerRig rig;
        Object link = Active("Link", {0, 0, 20, 20});
        link.extra_value = c.kind;
        link.text_variable = c.text;
        link.number_variable = c.parameter;
        rig.host.current.objects = {link};
        rig.Click({5, 5});
        std::vector<std::string> expected{"run Link.down"};
        expected.insert(expected.end(), c.logged.begin(), c.logged.end());
        EXPECT_EQ(rig.host.log, expected);
    }
}

TEST(InputPointer, AProgramLinkStartsAlsoWhenThePressBeganElsewhere) {
    PointerRig rig;
    Object link = Active("Link", {0, 0, 20, 20});
    link.extra_value = 2;
    link.text_variable = "doc.pdf";
    Object shown = Active("ZIZ_ReturnVal", {0, 50, 20, 60});
    shown.extra_value2 = 0;
    rig.host.current.objects = {link, Active("Other", {30, 0, 50, 20}), shown};
    rig.pointer.Down({35, 5});
    rig.pointer.Up({5, 5});
    EXPECT_EQ(rig.host.log, (Log{"run Other.down", "program 2 doc.pdf "}));
    EXPECT_EQ(rig.host.variables.GetNumber("ZIZ_ReturnVal"), 7);
    EXPECT_EQ(rig.host.current.objects[2].text, "7");
}

TEST(InputPointer, APressOutsideAnOpenMenuClosesItButNotThePressOnItsOpener) {
    PointerRig rig;
    Object menu = Active("ZIZ_MenuFile", {0, 30, 40, 80});
    menu.extra_value2 = 0;
    Object opener = Active("File", {0, 0, 40, 20});
    opener.press_object = "ZIZ_MenuFile";
    opener.option0 = 8;
    rig.host.current.objects = {menu, opener};
    rig.Click({5, 5});
    EXPECT_EQ(rig.host.current.objects[0].hidden, 0u);
    rig.Click({5, 50});  // inside the menu
    EXPECT_EQ(rig.host.current.objects[0].hidden, 0u);
    rig.Click({100, 100});
    EXPECT_EQ(rig.host.current.objects[0].hidden, 1u);
}

TEST(InputPointer, DragsTheWindowByItsBodyOnlyWhereNoObjectIsPressed) {
    PointerRig rig;
    rig.host.drag_by_body = true;
    rig.host.current.objects.push_back(Active("Button", {0, 0, 20, 20}));
    rig.pointer.Down({50, 50});
    rig.pointer.Move({60, 45});
    // The window moved; the pointer's client position follows it back.
    EXPECT_EQ(rig.host.origin, (Point{110, 95}));
    rig.pointer.Move({55, 50});
    EXPECT_EQ(rig.host.origin, (Point{115, 95}));
    rig.pointer.Up({55, 50});
    rig.pointer.Move({60, 60});
    EXPECT_EQ(rig.host.origin, (Point{115, 95}));
    rig.pointer.Down({5, 5});
    rig.pointer.Move({15, 5});
    EXPECT_EQ(rig.host.origin, (Point{115, 95}));
    EXPECT_EQ(rig.host.log, (Log{"run Button.down"}));
}

TEST(InputPointer, DraggingAPannableImageMovesItsPictureWithinItsRectangle) {
    PointerRig rig;
    Object image = Active("Photo", {10, 10, 50, 50});
    image.kind = kKindImage;
    image.extra_value2 = 0;  // panning alone makes it take the pointer
    image.flag_a = false;
    image.flag_b = true;
    image.flag_c = true;
    image.image1 =
        Picture{.width = 100, .height = 80, .bytes = std::vector<std::uint8_t>(100 * 80 * 3, 0x80)};
    rig.host.current.objects = {image};
    Object& photo = rig.host.current.objects[0];
    rig.pointer.Down({20, 20});
    rig.pointer.Move({10, 15});
    EXPECT_EQ(photo.image_origin, (Point{-10, -5}));
    rig.pointer.Move({-200, -200});
    EXPECT_EQ(photo.image_origin, (Point{-60, -40}));
    rig.pointer.Move({90, 90});
    EXPECT_EQ(photo.image_origin, (Point{0, 0}));
    rig.pointer.Up({90, 90});
    rig.pointer.Move({0, 0});
    EXPECT_EQ(photo.image_origin, (Point{0, 0}));
    photo.flag_b = false;  // scroll bars not allowed: no panning, and no hit
    rig.pointer.Down({20, 20});
    rig.pointer.Move({10, 15});
    EXPECT_EQ(photo.image_origin, (Point{0, 0}));
    // Released outside the picture: no click.
    EXPECT_EQ(rig.host.log, (Log{"run Photo.down"}));
}

TEST(InputPointer, AMatrixTellsTheCellUnderThePressAndTheClick) {
    PointerRig rig;
    Object matrix = Active("Board", {10, 10, 40, 30});
    matrix.kind = kKindMatrix;
    matrix.param1 = 3;
    matrix.param2 = 2;
    matrix.image1 =
        Picture{.width = 10, .height = 10, .bytes = std::vector<std::uint8_t>(10 * 10 * 3, 0)};
    rig.host.current.objects = {matrix};
    rig.pointer.Down({35, 25});
    EXPECT_EQ(rig.host.variables.GetNumber("MXCOL"), 3);
    EXPECT_EQ(rig.host.variables.GetNumber("MXROW"), 2);
    rig.pointer.Move({15, 12});
    rig.pointer.Up({15, 12});
    EXPECT_EQ(rig.host.variables.GetNumber("MXCOL"), 1);
    EXPECT_EQ(rig.host.variables.GetNumber("MXROW"), 1);
}

TEST(InputPointer, ObjectCursorWhileOverAnObjectOfACursorKind) {
    PointerRig rig;
    Object frame = Active("Frame", {0, 0, 20, 20});
    frame.option6 = 3;
    Object paragraph = Active("Paragraph", {30, 0, 50, 20});
    paragraph.kind = kKindParagraph;
    paragraph.option6 = 3;
    rig.host.current.objects = {frame, paragraph};
    rig.pointer.Move({5, 5});
    EXPECT_EQ(rig.host.cursor, 2);
    rig.pointer.Move({35, 5});
    EXPECT_EQ(rig.host.cursor, -1);
}

TEST(InputPointer, APressThatChangesThePageLeavesNoPressedObjectForTheRelease) {
    PointerRig rig;
    rig.host.current.objects.push_back(Active("Button", {0, 0, 20, 20}));
    rig.pointer.Down({5, 5});
    rig.pointer.PageShown(rig.host.current);
    rig.pointer.Up({5, 5});
    EXPECT_EQ(rig.host.log, (Log{"run Button.down"}));
}

TEST(InputPointer, FieldsGetPressesAndLoseTheFocusToAPressElsewhere) {
    PointerRig rig;
    Object input = Active("Name", {0, 0, 40, 20});
    input.kind = kKindInputText;
    input.actions_down = input.actions_click = {};
    rig.host.current.objects = {input, Active("Button", {50, 0, 70, 20})};
    const InputField& field = GiveField(rig.host.current.objects[0], "abc");
    rig.Click({5, 5});
    EXPECT_TRUE(field.focused);
    EXPECT_EQ(field.press_x, 5);
    EXPECT_EQ(field.anchor, -1);
    rig.pointer.DoubleClick({5, 5});  // selects the whole text and runs no press actions
    rig.pointer.Up({5, 5});
    EXPECT_EQ(field.anchor, 3);
    EXPECT_EQ(field.caret, 0);
    rig.Click({55, 5});
    EXPECT_FALSE(field.focused);
    EXPECT_EQ(rig.host.log, (Log{"idle ends", "run Button.down", "idle ends", "run Button.click"}));
}

}  // namespace
}  // namespace velk::test
