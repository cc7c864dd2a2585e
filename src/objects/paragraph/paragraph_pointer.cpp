#include "objects/paragraph/paragraph_pointer.h"

#include "base/saturate.h"
#include "objects/object_owner.h"
#include "objects/paragraph/paragraph_scroll.h"

namespace velk {
namespace {

void Release(ObjectOwner& owner, Object* object) {
    if (object == nullptr || object->kind != kKindParagraph) return;
    if (ParagraphRelease(*object)) owner.Invalidate(object->rect);
}

}  // namespace

void PressParagraph(ParagraphPointerState& state, ObjectOwner& owner, Object& paragraph,
                    Point point) {
    if (!paragraph.paragraph_layout) return;
    state.scroll_drag_offset =
        SaturateToInt32(std::int64_t{point.y} - paragraph.paragraph_layout->thumb.top);
    const ParagraphPressResult result = ParagraphPress(paragraph, point);
    state.scroll_drag = result.drag;
    state.scroll_object = &paragraph;
    if (result.start_repeat) owner.SetTimer(kScrollTimerId, kScrollFirstDelayMs);
    if (result.repaint) owner.Invalidate(paragraph.rect);
}

bool DragPressedParagraph(ParagraphPointerState& state, Object* pressed, ObjectOwner& owner,
                          Point point) {
    if (!state.scroll_drag) return false;
    if (pressed != nullptr && pressed->kind == kKindParagraph &&
        ParagraphDrag(*pressed,
                      SaturateToInt32(std::int64_t{point.y} - state.scroll_drag_offset))) {
        owner.Invalidate(pressed->rect);
    }
    return true;
}

void ReleaseParagraphs(ParagraphPointerState& state, Object* pressed, ObjectOwner& owner,
                       Object* hit) {
    state.scroll_drag = false;
    state.scroll_object = nullptr;
    Release(owner, hit);
    if (pressed != hit) Release(owner, pressed);
}

bool RepeatScrollArrow(ParagraphPointerState& state, ObjectOwner& owner) {
    Object* paragraph = state.scroll_object;
    if (paragraph == nullptr) return false;
    owner.SetTimer(kScrollTimerId, kScrollRepeatMs);
    if (ParagraphRepeatArrow(*paragraph)) owner.Invalidate(paragraph->rect);
    return true;
}

}  // namespace velk
