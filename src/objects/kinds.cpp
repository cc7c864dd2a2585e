#include "objects/kinds.h"

#include <array>

#include "objects/animated_gif/gif_kind.h"
#include "objects/buttons/button_kind.h"
#include "objects/effect/effect_kind.h"
#include "objects/input_text/input_text_kind.h"
#include "objects/metafile/metafile_kind.h"
#include "objects/paragraph/paragraph_kind.h"
#include "objects/pictures/picture_kind.h"
#include "objects/shapes/shape_kind.h"
#include "objects/text/text_kind.h"
#include "objects/timer_object/timer_object_kind.h"

namespace velk {
namespace {

constexpr std::size_t kKindCount = 32;

constexpr std::array<KindTraits, kKindCount> MakeTable() {
    std::array<KindTraits, kKindCount> t{};
    t[kKindText] = {.draw = DrawTextObject, .shows_object_cursor = true, .drawn_pressed = true};
    t[kKindFrame] = {.draw = DrawFrame, .shows_object_cursor = true};
    t[kKindImage] = {.draw = DrawImage, .precise_hit = HitImage, .shows_object_cursor = true};
    t[kKindImageWithoutPicture] = {.precise_hit = HitImage, .shows_object_cursor = true};
    t[kKindImageWithoutPictureOutlined] = {.precise_hit = HitImage, .shows_object_cursor = true};
    t[kKindBitmapButton] = {.draw = DrawBitmapButton,
                            .precise_hit = HitBitmapButton,
                            .shows_object_cursor = true,
                            .drawn_pressed = true,
                            .captures_press = true};
    t[kKindLine] = {.draw = DrawLine};
    t[kKindShape] = {.draw = DrawShape, .shows_object_cursor = true};
    t[kKindGroup] = {.holds_members = true, .covers = false};
    t[kKindTextButton] = {.draw = DrawTextButton,
                          .shows_object_cursor = true,
                          .drawn_pressed = true,
                          .captures_press = true};
    t[kKindVideo] = {.draw = DrawVideoStill};
    t[kKindPolygon] = {.draw = DrawPolygon, .precise_hit = HitPolygon, .shows_object_cursor = true};
    t[kKindMetafile] = {.draw = DrawMetafile};
    t[kKindParagraph] = {.draw = DrawParagraph};
    t[kKindAnimatedGif] = {
        .draw = DrawAnimatedGif, .own_timer = GifTimer, .start_timer = StartGifTimer};
    t[kKindScript] = {.covers = false};
    t[kKindEffect] = {.draw = DrawEffect, .own_timer = EffectTimer, .timer_starts_on_entry = true};
    t[kKindTimer] = {.own_timer = TimerObjectTimer};
    t[kKindMatrix] = {.draw = DrawMatrix, .shows_object_cursor = true};
    t[kKindPlugin] = {.draws_itself = true};
    t[kKindInputText] = {.draw = DrawInput, .shows_object_cursor = true, .takes_focus = true};
    t[kKindApplicationWindow] = {.draw = DrawApplicationFrame};
    return t;
}

constexpr std::array<KindTraits, kKindCount> kKinds = MakeTable();
constexpr KindTraits kUnknownKind{};

}  // namespace

const KindTraits& TraitsOf(std::int32_t kind) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= kKinds.size()) return kUnknownKind;
    return kKinds[static_cast<std::size_t>(kind)];
}

}  // namespace velk
