// The pointer on a Paragraph (kind 15): presses on its scroll arrows, track, thumb and text,
// dragging the thumb or the text, and the repetition of a held arrow. These act on the layout
// the last drawing left on the object (document/paragraph_layout.h); a Paragraph not yet drawn
// ignores the pointer. Each says whether the object's rectangle must be painted again.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

// The interval of the scroll timer after a press on an arrow, and between its repetitions.
// The window timer that repeats a held scroll arrow.
inline constexpr std::uint32_t kScrollTimerId = 200;
inline constexpr std::uint32_t kScrollFirstDelayMs = 200;
inline constexpr std::uint32_t kScrollRepeatMs = 50;

struct ParagraphPressResult {
    // The thumb or the text was grabbed: moves drag the scroll position.
    bool drag = false;
    // An arrow was pressed: the scroll timer starts with kScrollFirstDelayMs.
    bool start_repeat = false;
    bool repaint = false;
};

// A press at `point` (window coordinates); `draw_offset` is where the object was drawn relative
// to its rectangle. A negative point is a release (see ParagraphRelease).
ParagraphPressResult ParagraphPress(Object& paragraph, Point point, Point draw_offset = {});

// The button went up: nothing is held and the text is no longer grabbed. True when something
// was held (the scroll bar looks different now).
bool ParagraphRelease(Object& paragraph);

// A drag moved the thumb's top to `y` (the pointer's y less its distance from the thumb's top
// at the press). True when the scroll position changed.
bool ParagraphDrag(Object& paragraph, std::int32_t y, Point draw_offset = {});

// One repetition of the held arrow: one line up or down. True when the position changed.
bool ParagraphRepeatArrow(Object& paragraph);

}  // namespace velk
