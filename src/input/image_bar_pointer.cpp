#include "input/image_bar_pointer.h"

#include <array>

#include "input/input_owner.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "objects/pictures/image_scroll.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

ScrollCode CodeOf(ScrollBarPart part) {
    switch (part) {
        case ScrollBarPart::kLineBack:
            return ScrollCode::kLineBack;
        case ScrollBarPart::kLineAhead:
            return ScrollCode::kLineAhead;
        case ScrollBarPart::kPageBack:
            return ScrollCode::kPageBack;
        case ScrollBarPart::kPageAhead:
            return ScrollCode::kPageAhead;
        default:
            return ScrollCode::kEndScroll;
    }
}

ImageScrollBar& BarOf(Object& object, bool vertical) {
    return vertical ? object.image_view.vertical : object.image_view.horizontal;
}

}  // namespace

ImageBarPointer::Hit ImageBarPointer::BarAt(Point point) {
    const InputPages pages = owner_.Pages();
    // Top first: the master layer, the current page, the master page; later objects above.
    const std::array<Page*, 3> order{pages.master_layer, pages.current, pages.master_page};
    for (Page* page : order) {
        if (page == nullptr) continue;
        for (auto it = page->objects.rbegin(); it != page->objects.rend(); ++it) {
            Object& object = *it;
            if (object.kind != kKindImage || object.hidden != 0) continue;
            for (const bool vertical : {true, false}) {
                const ScrollBarPart part = ScrollBarPartAt(object, vertical, point);
                if (part != ScrollBarPart::kNone) return {&object, vertical, part};
            }
        }
    }
    return {};
}

bool ImageBarPointer::Over(Point point) {
    return object_ != nullptr || BarAt(point).object != nullptr;
}

void ImageBarPointer::Scroll(ScrollBarPart part) {
    if (ScrollMessage(*object_, vertical_, CodeOf(part))) owner_.Invalidate(object_->rect);
}

bool ImageBarPointer::Press(Point point) {
    const Hit hit = BarAt(point);
    if (hit.object == nullptr) return false;
    object_ = hit.object;
    vertical_ = hit.vertical;
    last_ = point;
    ImageScrollBar& bar = BarOf(*object_, vertical_);
    bar.held = hit.part;
    if (hit.part == ScrollBarPart::kThumb) {
        const Rect whole = ScrollBarRect(*object_, vertical_);
        const std::int64_t along =
            vertical_ ? std::int64_t{point.y} - whole.top : std::int64_t{point.x} - whole.left;
        grab_ = along - ScrollBarThumb(*object_, vertical_).start;
        bar.track_pos = bar.pos;
    } else {
        Scroll(hit.part);
        // A held arrow or trough repeats as a paragraph's arrows do.
        owner_.PageSide().SetTimer(kScrollTimerId, kScrollFirstDelayMs);
    }
    owner_.Invalidate(OuterRect(*object_));
    return true;
}

bool ImageBarPointer::Move(Point point) {
    if (object_ == nullptr) return false;
    last_ = point;
    ImageScrollBar& bar = BarOf(*object_, vertical_);
    if (bar.held != ScrollBarPart::kThumb) return true;
    const Rect whole = ScrollBarRect(*object_, vertical_);
    const std::int64_t along =
        vertical_ ? std::int64_t{point.y} - whole.top : std::int64_t{point.x} - whole.left;
    const std::int32_t track = ScrollBarTrackValue(*object_, vertical_, along - grab_);
    if (track == bar.track_pos) return true;
    bar.track_pos = track;
    ScrollMessage(*object_, vertical_, ScrollCode::kThumbTrack);
    owner_.Invalidate(OuterRect(*object_));
    return true;
}

bool ImageBarPointer::Release() {
    if (object_ == nullptr) return false;
    BarOf(*object_, vertical_).held = ScrollBarPart::kNone;
    ScrollMessage(*object_, vertical_, ScrollCode::kEndScroll);
    owner_.Invalidate(OuterRect(*object_));
    object_ = nullptr;
    return true;
}

bool ImageBarPointer::Repeat() {
    if (object_ == nullptr) return false;
    const ImageScrollBar& bar = BarOf(*object_, vertical_);
    if (bar.held == ScrollBarPart::kThumb || bar.held == ScrollBarPart::kNone) return true;
    owner_.PageSide().SetTimer(kScrollTimerId, kScrollRepeatMs);
    // Only while the pointer stays on the held part: a trough stops when the thumb reaches it.
    if (ScrollBarPartAt(*object_, vertical_, last_) != bar.held) return true;
    Scroll(bar.held);
    owner_.Invalidate(OuterRect(*object_));
    return true;
}

}  // namespace velk
