// Hit test and hover tracking on one page.
#include "input/input_owner.h"
#include "input/page_pointer.h"
#include "objects/hit_test.h"
#include "objects/input_text/field_control.h"
#include "objects/kinds.h"
#include "objects/paragraph/paragraph_pointer.h"
#include "objects/pictures/image_pan.h"
#include "pages/object_visibility.h"
#include "pages/page_lookup.h"

namespace velk {
namespace {

// Hover modes of an object's hover target.
constexpr std::uint32_t kHoverShowHide = 0;
constexpr std::uint32_t kHoverShowFade = 1;
constexpr std::uint32_t kHoverShow = 2;
constexpr std::uint32_t kHoverHide = 3;
constexpr std::uint32_t kHoverRunClick = 4;

bool TakesPointer(const Object& object) {
    if (TraitsOf(object.kind).holds_members || object.hidden != 0) return false;
    return object.kind == kKindParagraph || object.extra_value2 != 0 || PansWithPointer(object);
}

void SetVisible(Page& page, Object& object, bool hide, InputOwner& owner) {
    SetObjectVisible(page, object, hide, false, &owner.PageSide());
}

// The hovered object's hover target goes away as its hover mode says.
void LeaveTarget(Page& page, PageInputState& state, InputOwner& owner, Rect& repaint) {
    if (state.hover_target == nullptr) return;
    Object& target = *state.hover_target;
    const std::uint32_t mode = state.hovered != nullptr ? state.hovered->hover_mode : 0;
    if (state.hovered == nullptr || mode == kHoverShowHide) {
        SetVisible(page, target, true, owner);
        repaint = repaint.Union(target.rect).Inflate(1);
    } else if (mode == kHoverShowFade) {
        owner.StartFadeOut(page, target);
    }
    state.hover_target = nullptr;
}

void ShowHoverTarget(Page& page, PageInputState& state, InputOwner& owner, const Object& hit,
                     bool run_hover_actions, Rect& repaint) {
    if (hit.hover_object.empty() || state.press_mark1 != nullptr) return;
    Object* target = FindObjectByName(page, hit.hover_object, true);
    if (target == nullptr) return;
    switch (hit.hover_mode) {
        case kHoverShowHide:
        case kHoverShowFade:
        case kHoverShow:
        case kHoverHide:
            SetVisible(page, *target, hit.hover_mode == kHoverHide, owner);
            state.hover_target = target;
            repaint = repaint.Union(target->rect);
            break;
        case kHoverRunClick:
            if (run_hover_actions) owner.RunList(target->actions_click);
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

void LeaveHover(Page& page, PageInputState& state, InputOwner& owner) {
    Rect repaint;
    if (state.hovered != nullptr) {
        state.hovered->state = kStateNormal;
        repaint = repaint.Union(state.hovered->rect);
    }
    LeaveTarget(page, state, owner, repaint);
    state.hovered = nullptr;
    if (!repaint.IsEmpty()) owner.Invalidate(repaint.Inflate(2));
}

Object* TrackHover(Page& page, PageInputState& state, InputOwner& owner, Point point,
                   bool run_hover_actions) {
    Object* hit = HitTestPage(page, point, owner.Pictures());
    if (hit != nullptr && TraitsOf(hit->kind).takes_focus) {
        if (auto field = FieldOf(owner, *hit)) field->InputMove(point.x);
        return hit;
    }
    // No hover is shown while a Paragraph is scrolled by dragging.
    if (DragPressedParagraph(state.paragraphs, state.pressed, owner, point) || hit == nullptr) {
        LeaveHover(page, state, owner);
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
        LeaveTarget(page, state, owner, repaint);
    }
    ShowHoverTarget(page, state, owner, *hit, run_hover_actions, repaint);
    state.hovered = hit;
    if (!was_hovering) repaint = repaint.Inflate(1);
    owner.Invalidate(repaint.Inflate(2));
    return hit;
}

}  // namespace velk
