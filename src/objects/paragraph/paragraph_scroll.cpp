#include "objects/paragraph/paragraph_scroll.h"

#include <algorithm>
#include <cmath>

#include "base/saturate.h"

namespace velk {
namespace {

// Moves the scroll position; true when it changed.
bool ScrollTo(ParagraphLayout& layout, std::int64_t first) {
    const std::int32_t clamped = layout.ClampedFirstLine(first);
    if (clamped == layout.first_line) return false;
    layout.first_line = clamped;
    return true;
}

// Which part of the scroll column a point relative to the object's top-left corner lies on.
enum class ScrollPart { kNone, kUp, kDown, kThumb, kPageUp, kPageDown };

ScrollPart PartAt(const ParagraphLayout& layout, const Rect& drawn, std::int64_t px,
                  std::int64_t py) {
    const std::int64_t width = std::int64_t{drawn.right} - drawn.left;
    const std::int64_t height = std::int64_t{drawn.bottom} - drawn.top;
    if (px <= width - kParagraphScrollWidth) return ScrollPart::kNone;
    if (py < kParagraphScrollWidth) return ScrollPart::kUp;
    if (py > height - kParagraphScrollWidth) return ScrollPart::kDown;
    const std::int64_t thumb_top = std::int64_t{layout.thumb.top} - drawn.top;
    const std::int64_t thumb_bottom = std::int64_t{layout.thumb.bottom} - drawn.top;
    if (py > thumb_top && py < thumb_bottom) return ScrollPart::kThumb;
    return py <= thumb_top ? ScrollPart::kPageUp : ScrollPart::kPageDown;
}

}  // namespace

ParagraphPressResult ParagraphPress(Object& paragraph, Point point, Point draw_offset) {
    if (!paragraph.paragraph_layout) return {};
    if (point.x < 0 && point.y < 0) return {.repaint = ParagraphRelease(paragraph)};
    ParagraphLayout& layout = *paragraph.paragraph_layout;
    layout.ReleaseAll();
    const Rect drawn = paragraph.rect.Offset(draw_offset.x, draw_offset.y);
    const std::int64_t px = std::int64_t{point.x} - drawn.left;
    const std::int64_t py = std::int64_t{point.y} - drawn.top;
    ParagraphPressResult result{.repaint = true};
    switch (PartAt(layout, drawn, px, py)) {
        case ScrollPart::kUp:
            layout.up_pressed = true;
            ScrollTo(layout, std::int64_t{layout.first_line} - 1);
            result.start_repeat = true;
            break;
        case ScrollPart::kDown:
            layout.down_pressed = true;
            ScrollTo(layout, std::int64_t{layout.first_line} + 1);
            result.start_repeat = true;
            break;
        case ScrollPart::kThumb:
            layout.thumb_pressed = true;
            result.drag = true;
            break;
        case ScrollPart::kPageUp:
            layout.page_up_pressed = true;
            ScrollTo(layout, std::int64_t{layout.first_line} - layout.visible_lines);
            break;
        case ScrollPart::kPageDown:
            layout.page_down_pressed = true;
            ScrollTo(layout, std::min(std::int64_t{layout.first_line} + layout.visible_lines,
                                      std::int64_t{layout.line_count} - layout.visible_lines));
            break;
        case ScrollPart::kNone:
            // The text itself is dragged like the thumb.
            layout.thumb_pressed = true;
            paragraph.text_grabbed = true;
            result.drag = true;
            break;
    }
    return result;
}

bool ParagraphRelease(Object& paragraph) {
    if (!paragraph.paragraph_layout) return false;
    ParagraphLayout& layout = *paragraph.paragraph_layout;
    const bool held = layout.up_pressed || layout.down_pressed || layout.page_up_pressed ||
                      layout.page_down_pressed || layout.thumb_pressed || paragraph.text_grabbed;
    layout.ReleaseAll();
    paragraph.text_grabbed = false;
    return held;
}

bool ParagraphDrag(Object& paragraph, std::int32_t y, Point draw_offset) {
    if (!paragraph.paragraph_layout) return false;
    ParagraphLayout& layout = *paragraph.paragraph_layout;
    const std::int64_t track = std::int64_t{layout.height} - 2 * kParagraphScrollWidth;
    // A scroll bar with no track between its arrows cannot be dragged.
    if (track == 0) return false;
    const double unit = double(track) / std::max(layout.line_count, 1);
    const std::int64_t thumb_y =
        std::int64_t{y} + draw_offset.y - paragraph.rect.top - kParagraphScrollWidth;
    const auto first = SaturateCast<std::int64_t>(std::floor(double(thumb_y) / unit));
    return ScrollTo(layout, std::max<std::int64_t>(first, 0));
}

bool ParagraphRepeatArrow(Object& paragraph) {
    if (!paragraph.paragraph_layout) return false;
    ParagraphLayout& layout = *paragraph.paragraph_layout;
    if (layout.up_pressed) return ScrollTo(layout, std::int64_t{layout.first_line} - 1);
    if (layout.down_pressed) return ScrollTo(layout, std::int64_t{layout.first_line} + 1);
    return false;
}

}  // namespace velk
