// A page's side of the pointer on Paragraphs: the press that may start a scroll drag and arm
// the scroll timer, the drag itself, the release, and the timer's repetition of a held arrow.
#pragma once

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class ObjectOwner;

// A page's Paragraph under the pointer: part of the page's interaction state.
struct ParagraphPointerState {
    // A Paragraph's thumb or text is dragged; the offset is the pointer's distance below the
    // thumb's top at the press.
    bool scroll_drag = false;
    std::int32_t scroll_drag_offset = 0;
    // The Paragraph pressed last: the scroll timer repeats its held arrow until the release.
    Object* scroll_object = nullptr;
};

// The left button went down on `paragraph` at `point`.
void PressParagraph(ParagraphPointerState& state, ObjectOwner& owner, Object& paragraph,
                    Point point);

// While a scroll drag runs, the pointer at `point` moves the scroll position of `pressed` (the
// page's pressed object) when it is a Paragraph. False when no scroll drag runs on this page.
bool DragPressedParagraph(ParagraphPointerState& state, Object* pressed, ObjectOwner& owner,
                          Point point);

// The press ends: the scroll drag stops, and the Paragraph under the pointer (`hit`) and the
// one pressed (`pressed`) let go of whatever they held.
void ReleaseParagraphs(ParagraphPointerState& state, Object* pressed, ObjectOwner& owner,
                       Object* hit);

// The scroll timer fired: the page's pressed Paragraph moves by its held arrow and the timer
// goes on at the repeat rate. False when the page has no such Paragraph.
bool RepeatScrollArrow(ParagraphPointerState& state, ObjectOwner& owner);

}  // namespace velk
