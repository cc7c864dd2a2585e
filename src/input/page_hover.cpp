// Hit test and hover tracking on one page.
#include "objects/pictures/image_pan.h"
#include "objects/input_text/field_control.h"
#include "input/input_host.h"
#include "input/page_pointer.h"
#include "objects/paragraph/paragraph_pointer.h"
#include "pages/object_visibility.h"
#include "pages/page_lookup.h"
#include "pages/hit_test.h"

namespace velk {
namespace {

// Hover modes of an object's hover target.
constexpr std::uint32_t kHoverShowHide = 0;
constexpr std::uint32_t kHoverShowFade = 1;
constexpr std::uint32_t kHoverShow = 2;
constexpr std::uint32_t kHoverHide = 3;
constexpr std::uint32_t kHoverRunClick = 4;

constexpr std::int32_t kStateNormal = 0;
constexpr std::int32_t kStateOver = 1;
constexpr std::int32_t kStatePressed = 2;

bool TakesPointer(const Object& object) {
    if (object.kind == kKindGroup || object.hidden != 0) return false;
    return object.kind == kKindParagraph || object.extra_value2 != 0 ||
           (object.kind == kKindImage && object.flag_c && CanPanPicture(object));
}

void SetVisible(Page& page, Object& object, bool hide, InputHost& host) {
    SetObjectVisible(page, object, hide, false, &host.PageSide());
}

// The hovered object's hover target goes away as its hover mode says.
void LeaveTarget(Page& page, PageInputState& state, InputHost& host, Rect& repaint) {
    if (state.hover_target == nullptr) return;
    Object& target = *state.hover_target;
    const std::uint32_t mode = state.hovered != nullptr ? state.hovered->hover_mode : 0;
    if (state.hovered == nullptr || mode == kHoverShowHide) {
        SetVisible(page, target, true, host);
        repaint = repaint.Union(target.rect).Inflate(1);
    } else if (mode == kHoverShowFade) {
        host.StartFadeOut(page, target);
    }
    state.hover_target = nullptr;
}

void ShowHoverTarget(Page& page, PageInputState& state, InputHost& host, const Object& hit,
                     bool run_hover_actions, Rect& repaint) {
    if (hit.hover_object.empty() || state.press_mark1 != nullptr) return;
    Object* target = FindObjectByName(page, hit.hover_object, true);
    if (target == nullptr) return;
    switch (hit.hover_mode) {
        case kHoverShowHide:
        case kHoverShowFade:
        case kHoverShow:
        case kHoverHide:
            SetVisible(page, *target, hit.hover_mode == kHoverHide, host);
            state.hover_target = target;
            repaint = repaint.Union(target->rect);
            break;
        case kHoverRunClick:
            if (run_hover_actions) host.RunList(target->actions_click);
            break;
        default:
            break;
    }
}

}  // namespace

Object* HitTestPage(Page& page, Point point, PictureCache& pictures) {
    Object* hit = nullptr;
    // The last hit in list order is the one drawn on top.
    for (Object& object : page.objects) {
        if (TakesPointer(object) && HitTestObject(object, point, 0, true, pictures)) hit = &object;
    }
    return hit;
}

void LeaveHover(Page& page, PageInputState& state, InputHost& host) {
    Rect repaint;
    if (state.hovered != nullptr) {
        state.hovered->state = kStateNormal;
        repaint = repaint.Union(state.hovered->rect);
    }
    LeaveTarget(page, state, host, repaint);
    state.hovered = nullptr;
    if (!repaint.IsEmpty()) host.Invalidate(repaint.Inflate(2));
}

Object* TrackHover(Page& page, PageInputState& state, InputHost& host, Point point,
                   bool run_hover_actions) {
    Object* hit = HitTestPage(page, point, host.Pictures());
    if (hit != nullptr && hit->kind == kKindInputText) {
        if (auto field = FieldOf(host, *hit)) field->InputMove(point.x);
        return hit;
    }
    // No hover is shown while a Paragraph is scrolled by dragging.
    if (DragPressedParagraph(state, host, point) || hit == nullptr) {
        LeaveHover(page, state, host);
        return nullptr;
    }
    if (hit == state.hovered) return hit;
    Rect repaint;
    hit->state = state.button_down ? kStatePressed : kStateOver;
    repaint = repaint.Union(hit->rect);
    const bool was_hovering = state.hovered != nullptr;
    if (state.hovered != nullptr) {
        state.hovered->state = kStateNormal;
        repaint = repaint.Union(state.hovered->rect);
        LeaveTarget(page, state, host, repaint);
    }
    ShowHoverTarget(page, state, host, *hit, run_hover_actions, repaint);
    state.hovered = hit;
    if (!was_hovering) repaint = repaint.Inflate(1);
    host.Invalidate(repaint.Inflate(2));
    return hit;
}

}  // namespace velk
