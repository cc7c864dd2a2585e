// A page's side of the pointer on Paragraphs: the press that may start a scroll drag and arm
// the scroll timer, the drag itself, the release, and the timer's repetition of a held arrow.
#pragma once

#include "base/geometry.h"
#include "document/object.h"
#include "input/page_pointer.h"

namespace velk {

class InputHost;

// The left button went down on `paragraph` at `point`.
void PressParagraph(PageInputState& state, InputHost& host, Object& paragraph, Point point);

// While a scroll drag runs, the pointer at `point` moves the pressed Paragraph's scroll
// position. False when no scroll drag runs on this page.
bool DragPressedParagraph(PageInputState& state, InputHost& host, Point point);

// The press ends: the scroll drag stops, and the Paragraph under the pointer (`hit`) and the
// one pressed let go of whatever they held.
void ReleaseParagraphs(PageInputState& state, InputHost& host, Object* hit);

// The scroll timer fired: the page's pressed Paragraph moves by its held arrow and the timer
// goes on at the repeat rate. False when the page has no such Paragraph.
bool RepeatScrollArrow(PageInputState& state, InputHost& host);

}  // namespace velk
