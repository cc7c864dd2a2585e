#include "objects/paragraph/paragraph_pointer.h"

#include "base/saturate.h"
#include "input/input_owner.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

void Release(InputOwner& owner, Object* object) {
    if (object == nullptr || object->kind != kKindParagraph) return;
    if (ParagraphRelease(*object)) owner.Invalidate(object->rect);
}

}  // namespace

void PressParagraph(PageInputState& state, InputOwner& owner, Object& paragraph, Point point) {
    if (!paragraph.paragraph_layout) return;
    state.scroll_drag_offset =
        SaturateToInt32(std::int64_t{point.y} - paragraph.paragraph_layout->thumb.top);
    const ParagraphPressResult result = ParagraphPress(paragraph, point);
    state.scroll_drag = result.drag;
    state.scroll_object = &paragraph;
    if (result.start_repeat) owner.PageSide().SetTimer(kScrollTimerId, kScrollFirstDelayMs);
    if (result.repaint) owner.Invalidate(paragraph.rect);
}

bool DragPressedParagraph(PageInputState& state, InputOwner& owner, Point point) {
    if (!state.scroll_drag) return false;
    Object* pressed = state.pressed;
    if (pressed != nullptr && pressed->kind == kKindParagraph &&
        ParagraphDrag(*pressed,
                      SaturateToInt32(std::int64_t{point.y} - state.scroll_drag_offset))) {
        owner.Invalidate(pressed->rect);
    }
    return true;
}

void ReleaseParagraphs(PageInputState& state, InputOwner& owner, Object* hit) {
    state.scroll_drag = false;
    state.scroll_object = nullptr;
    Release(owner, hit);
    if (state.pressed != hit) Release(owner, state.pressed);
}

bool RepeatScrollArrow(PageInputState& state, InputOwner& owner) {
    Object* paragraph = state.scroll_object;
    if (paragraph == nullptr) return false;
    owner.PageSide().SetTimer(kScrollTimerId, kScrollRepeatMs);
    if (ParagraphRepeatArrow(*paragraph)) owner.Invalidate(paragraph->rect);
    return true;
}

}  // namespace velk
