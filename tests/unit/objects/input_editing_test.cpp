// The editing rules of an Input text's field, between two drawings: typing, the editing keys,
// filters, the width limits, and what the pointer leaves for the next drawing.
#include "objects/input_text/input_editing.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

// Text 10 pixels a character, in a window 640 pixels wide.
const FieldMetrics kRoom{.client_width = 640, .char_advance = [](char) { return 10; }};

InputField Focused(std::string text, std::int32_t caret, std::int32_t anchor = -1) {
    InputField field;
    field.text = std::move(text);
    field.rect = {100, 50, 300, 70};
    field.caret = caret;
    field.anchor = anchor;
    field.focused = true;
    return field;
}

// Plays `steps` on the field: '#' Backspace, '~' Delete, '<' Left, '>' Right, '^' Home, '$' End;
// any other character is typed.
void Play(InputField& field, std::string_view steps) {
    for (char c : steps) {
        switch (c) {
            case '#':
                InputKey(field, 8, kRoom);
                break;
            case '~':
                InputKey(field, 46, kRoom);
                break;
            case '<':
                InputKey(field, 37, kRoom);
                break;
            case '>':
                InputKey(field, 39, kRoom);
                break;
            case '^':
                InputKey(field, 36, kRoom);
                break;
            case '$':
                InputKey(field, 35, kRoom);
                break;
            default:
                InputChar(field, static_cast<std::uint8_t>(c), kRoom);
                break;
        }
    }
}

TEST(InputEditing, KeysAndTypingBetweenDrawings) {
    struct Case {
        const char* what;
        InputField field;
        std::string_view steps;
        std::string text;
        std::int32_t caret;
        std::int32_t anchor;
    };
    auto with_filter = [](InputField field, std::uint32_t filter) {
        field.filter = filter;
        return field;
    };
    auto pending = [](InputField field, std::int32_t press_x, std::int32_t drag_x) {
        field.press_x = press_x;
        field.drag_x = drag_x;
        return field;
    };
    const Case cases[] = {
        {"Backspace at 0", Focused("abc", 0), "#", "abc", 0, -1},
        {"Delete at the end", Focused("abc", 3), "~", "abc", 3, -1},
        {"Left x3 then a character", Focused("abcd", 4), "<<<X", "aXbcd", 2, -1},
        {"Left at 0, Right at the end", Focused("ab", 0), "<>>>", "ab", 2, -1},
        {"Home, End", Focused("abc", 1), "^Z$Y", "ZabcY", 5, -1},
        {"a selection replaced by typing", Focused("hello", 1, 4), "J", "hJo", 2, -1},
        {"a selection dragged leftwards", Focused("hello", 4, 1), "J", "hJo", 2, -1},
        {"Backspace deletes the selection", Focused("hello", 1, 4), "#", "ho", 1, -1},
        {"Delete deletes the selection", Focused("hello", 4, 1), "~", "ho", 1, -1},
        {"Left ends the selection at its start - 1", Focused("hello", 3, 1), "<", "hello", 0, -1},
        // Text replaced behind the field's back (DisplayValue) leaves the caret beyond it.
        {"a stale caret and anchor", Focused("ab", 9, 12), "#", "a", 1, -1},
        // Typed faster than the window paints: the click still places the caret.
        {"a click not drawn yet", pending(Focused("abcd", 0), 25, 0), "X", "abXcd", 3, -1},
        {"a drag not drawn yet", pending(Focused("abcd", 0), 25, 1), "X", "Xcd", 1, -1},
        {"control characters change nothing", Focused("ab", 1), "\x01\x1F\xFF", "ab", 1, -1},
        {"filter 1", with_filter(Focused("", 0), kFilterIntegers), "x-7.e", "-7", 2, -1},
        {"filter 2", with_filter(Focused("", 0), kFilterReals), "1.5E-3ex", "1.5-3e", 6, -1},
        {"filter 2 refuses control characters", with_filter(Focused("1", 1), kFilterReals), "\x01",
         "1", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InputField field = c.field;
        Play(field, c.steps);
        EXPECT_EQ(field.text, c.text);
        EXPECT_EQ(field.caret, c.caret);
        EXPECT_EQ(field.anchor, c.anchor);
    }
}

TEST(InputEditing, WhatAFieldRefusesToTake) {
    // A fixed-width field 50 pixels wide shows five characters and takes no sixth.
    InputField fixed = Focused("abc", 3);
    fixed.rect.right = fixed.rect.left + 50;
    Play(fixed, "defg");
    EXPECT_EQ(fixed.text, "abcde");
    // Replacing a selection needs room only for the result.
    fixed.anchor = 0;
    fixed.caret = 5;
    EXPECT_TRUE(InputChar(fixed, 'z', kRoom));
    EXPECT_EQ(fixed.text, "z");

    // A growing field stops near the window's right edge, and grows otherwise.
    InputField growing = Focused("ab", 2);
    growing.fixed_width = false;
    growing.rect.right = 631;
    EXPECT_FALSE(InputChar(growing, 'c', kRoom));
    growing.rect.right = 630;
    EXPECT_TRUE(InputChar(growing, 'c', kRoom));
    EXPECT_EQ(growing.text, "abc");

    InputField unfocused = Focused("ab", 2);
    unfocused.focused = false;
    EXPECT_FALSE(InputChar(unfocused, 'c', kRoom));
    EXPECT_FALSE(InputKey(unfocused, 8, kRoom));
    EXPECT_EQ(unfocused.text, "ab");
}

TEST(InputEditing, PointerLeavesPositionsForTheNextDrawing) {
    InputField field = Focused("hello", 3);
    field.focused = false;
    EXPECT_TRUE(InputPress(field, {130, 60}));
    EXPECT_TRUE(field.focused && field.selecting);
    EXPECT_EQ(field.caret, 0);
    EXPECT_EQ(field.press_x, 30);
    EXPECT_TRUE(InputMove(field, 90));  // left of the field: still at least 1
    EXPECT_EQ(field.drag_x, 1);
    EXPECT_TRUE(InputMove(field, 160));
    EXPECT_EQ(field.drag_x, 60);
    InputRelease(field, 160);
    EXPECT_FALSE(field.selecting);
    EXPECT_EQ(field.drag_x, 60);  // a drag: the drawing makes it the anchor
    EXPECT_FALSE(InputMove(field, 170));

    // A release within 2 pixels of the press is a click: no selection.
    InputPress(field, {130, 60});
    InputMove(field, 131);
    InputRelease(field, 131);
    EXPECT_EQ(field.drag_x, 0);
    EXPECT_EQ(field.anchor, -1);

    // The edges belong to the field; a press outside takes its focus.
    EXPECT_TRUE(InputPress(field, {300, 70}));
    EXPECT_TRUE(field.focused);
    EXPECT_TRUE(InputPress(field, {301, 70}));
    EXPECT_FALSE(field.focused || field.selecting);
    EXPECT_FALSE(InputPress(field, {301, 70}));  // nothing to repaint any more

    // Select all (a double click): the release that follows is not taken for a click.
    field.focused = true;
    InputSelectAll(field);
    EXPECT_EQ(field.anchor, 5);
    EXPECT_EQ(field.drag_x, 200);
    InputRelease(field, 130);
    EXPECT_EQ(field.anchor, 5);
    EXPECT_TRUE(InputLeave(field));
    EXPECT_FALSE(field.focused);
}

}  // namespace
}  // namespace velk
