// A page's side of the pointer on Paragraphs: the press that may start a scroll drag and arm
// the scroll timer, the drag itself, the release, and the timer's repetition of a held arrow.
#pragma once

#include "base/geometry.h"
#include "document/object.h"
#include "input/page_pointer.h"

namespace velk {

class InputOwner;

// The left button went down on `paragraph` at `point`.
void PressParagraph(PageInputState& state, InputOwner& owner, Object& paragraph, Point point);

// While a scroll drag runs, the pointer at `point` moves the pressed Paragraph's scroll
// position. False when no scroll drag runs on this page.
bool DragPressedParagraph(PageInputState& state, InputOwner& owner, Point point);

// The press ends: the scroll drag stops, and the Paragraph under the pointer (`hit`) and the
// one pressed let go of whatever they held.
void ReleaseParagraphs(PageInputState& state, InputOwner& owner, Object* hit);

// The scroll timer fired: the page's pressed Paragraph moves by its held arrow and the timer
// goes on at the repeat rate. False when the page has no such Paragraph.
bool RepeatScrollArrow(PageInputState& state, InputOwner& owner);

}  // namespace velk
