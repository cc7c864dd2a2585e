// Input text fields: the field made at the first drawing, its size, the fixed-width cut, and the
// caret and selection inverted where the pending pointer positions put them. Expected positions
// come from the font's own advances.
#include <gtest/gtest.h>

#include <string>

#include "draw_test_fixture.h"

namespace velk::test {
namespace {

constexpr Bgrx kPage = MakeBgrx(30, 60, 90);
constexpr Bgrx kWhite = MakeBgrx(255, 255, 255);
constexpr Bgrx kBlack = MakeBgrx(0, 0, 0);

Object InputText(std::string text, Rect rect, bool fixed_width) {
    Object object = MakeObject(kKindInputText, rect);
    object.text = std::move(text);
    object.font.height = -13;
    object.colour1 = 0x000000;
    object.colour2 = 0xFFFFFF;
    object.transparent1 = fixed_width ? 1 : 0;
    object.transparent2 = 1;
    return object;
}

std::int32_t Width(const Object& object, std::string_view text) {
    return SharedFonts().Get(object.font)->TextWidth(text);
}

std::int32_t CellHeight(const Object& object) {
    return SharedFonts().Get(object.font)->Metrics().height;
}

TEST(DrawInput, TheFirstDrawingMakesTheFieldAndAGrowingFieldFitsItsText) {
    DrawFixture fx(200, 60, kPage);
    Object object = InputText("ab", {10, 5, 11, 6}, false);
    fx.Draw(object, {2, 3});
    ASSERT_TRUE(object.input_field.has_value());
    const InputField& field = *object.input_field;
    const std::int32_t width = Width(object, "ab") + Width(object, "M");
    const std::int32_t cell = CellHeight(object);
    EXPECT_EQ(field.text, "ab");
    EXPECT_EQ(field.rect, (Rect{12, 8, 12 + width, 8 + cell + 3}));
    EXPECT_EQ(object.rect, (Rect{10, 5, 10 + width, 5 + cell + 2}));
    // The background fills the field; outside it the page shows.
    EXPECT_EQ(fx.At(field.rect.right - 1, field.rect.bottom - 1), kWhite);
    EXPECT_EQ(fx.At(field.rect.right, field.rect.bottom - 1), kPage);
    EXPECT_EQ(fx.At(field.rect.left, field.rect.bottom), kPage);

    // The field keeps its own text; the object's text is only where it started.
    object.input_field->text = "abcdef";
    fx.Draw(object, {2, 3});
    EXPECT_EQ(object.rect.Width(), Width(object, "abcdef") + Width(object, "M"));
}

TEST(DrawInput, AFixedWidthFieldCutsItsTextForGood) {
    DrawFixture fx(200, 60, kPage);
    const std::string text = "WWWWWWWWWW";
    Object object = InputText(text, {0, 0, 0, 10}, true);
    object.rect.right = Width(object, "WWW") + 2;  // three W fit, the fourth does not
    fx.Draw(object);
    EXPECT_EQ(object.input_field->text, "WWW");
    EXPECT_EQ(object.input_field->caret, 3);
    EXPECT_EQ(object.text, text);
    EXPECT_EQ(object.rect.right, Width(object, "WWW") + 2);
}

TEST(DrawInput, CaretAndSelectionAreInvertedWherePendingPositionsFall) {
    DrawFixture fx(200, 60, kPage);
    Object object = InputText("abcd", {10, 10, 150, 20}, true);
    fx.Draw(object);
    InputField& field = *object.input_field;
    const std::int32_t row = field.rect.bottom - 1;  // below the glyphs: background only
    EXPECT_EQ(fx.At(10, row), kWhite);               // not focused: no caret

    // A press just right of "ab" puts the caret after it.
    field.focused = true;
    field.press_x = Width(object, "ab");
    fx.Draw(object);
    EXPECT_EQ(field.caret, 2);
    EXPECT_EQ(field.press_x, 0);
    const std::int32_t cx = 10 + Width(object, "ab");
    EXPECT_EQ(fx.At(cx, row), kBlack);
    EXPECT_EQ(fx.At(cx, field.rect.top), kBlack);
    EXPECT_EQ(fx.At(cx - 1, row), kWhite);
    EXPECT_EQ(fx.At(cx + 1, row), kWhite);

    // A drag back to the start selects "ab": the band between the two is inverted.
    field.drag_x = 1;
    fx.Draw(object);
    EXPECT_EQ(field.anchor, 0);
    EXPECT_EQ(fx.At(10, row), kBlack);
    EXPECT_EQ(fx.At(cx - 1, row), kBlack);
    EXPECT_EQ(fx.At(cx, row), kWhite);

    // Past the end of the text the caret goes to its end.
    field.anchor = -1;
    field.press_x = 140;
    fx.Draw(object);
    EXPECT_EQ(field.caret, 4);
    EXPECT_EQ(fx.At(10 + Width(object, "abcd"), row), kBlack);
}

}  // namespace
}  // namespace velk::test
