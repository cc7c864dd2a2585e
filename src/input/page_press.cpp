// Press and release on one page: pressed states, press targets, object menus and links.

#include "base/codepage.h"
#include "base/text.h"
#include "input/input_owner.h"
#include "input/page_pointer.h"
#include "objects/input_text/field_control.h"
#include "objects/kinds.h"
#include "objects/paragraph/paragraph_pointer.h"
#include "pages/object_visibility.h"
#include "pages/page_lookup.h"
#include "script/number_text.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// Press modes of the first and second press target.
constexpr std::uint32_t kPressShowUntilRelease = 0;
constexpr std::uint32_t kPressVideoFirst = 1;
constexpr std::uint32_t kPressVideoLast = 7;
constexpr std::uint32_t kPressShow = 8;
constexpr std::uint32_t kPressHideOnRelease = 9;
constexpr std::uint32_t kPressToggle = 10;

constexpr std::string_view kMenuPrefix = "ZIZ_Menu";
constexpr std::string_view kNewWindow = "NEW_WINDOW";
constexpr std::string_view kReturnValue = "ZIZ_ReturnVal";

bool DrawnPressed(const Object& object) {
    return TraitsOf(object.kind).drawn_pressed;
}

void SetVisible(Page& page, Object& object, bool hide, InputOwner& owner) {
    SetObjectVisible(page, object, hide, false, &owner.PageSide());
}

bool ClearsMarkFirst(std::uint32_t mode) {
    return mode == kPressShowUntilRelease || mode == kPressShow || mode == kPressHideOnRelease ||
           mode == kPressToggle;
}

// One press target acts by its mode; `mark` is the press mark it may become.
void ApplyPressMode(Page& page, InputOwner& owner, Object& target, std::uint32_t mode,
                    Object*& mark, bool hide_instead_of_mark) {
    if (ClearsMarkFirst(mode)) mark = nullptr;
    switch (mode) {
        case kPressShowUntilRelease:
            SetVisible(page, target, false, owner);
            mark = &target;
            break;
        case kPressShow:
            SetVisible(page, target, false, owner);
            break;
        case kPressHideOnRelease:
            if (hide_instead_of_mark) {
                SetVisible(page, target, true, owner);
            } else {
                mark = &target;
            }
            break;
        case kPressToggle:
            SetVisible(page, target, target.hidden == 0, owner);
            break;
        default:
            if (mode >= kPressVideoFirst && mode <= kPressVideoLast) owner.PressVideo(target, mode);
            break;
    }
}

void PressTargets(Page& page, PageInputState& state, InputOwner& owner, const Object& hit) {
    if (!hit.press_object.empty()) {
        if (Object* target = FindObjectByName(page, hit.press_object, true)) {
            ApplyPressMode(page, owner, *target, hit.option0, state.press_mark1,
                           !hit.hint_text.empty());
            Rect repaint = target->rect;
            // A hover target gives way to the press target, unless they are one object.
            if (state.hover_target != nullptr && state.hover_target != target) {
                SetVisible(page, *state.hover_target, true, owner);
                repaint = repaint.Union(state.hover_target->rect);
            }
            owner.Invalidate(repaint.Inflate(2));
        }
    }
    if (!hit.hint_text.empty()) {
        if (Object* target = FindObjectByName(page, hit.hint_text, true)) {
            ApplyPressMode(page, owner, *target, hit.hint_value, state.press_mark2, false);
            if (hit.hint_value >= kPressVideoFirst && hit.hint_value <= kPressVideoLast) return;
            owner.Invalidate(target->rect.Inflate(2));
        }
    }
}

// The link parameter of a project link asks for a new player: "NEW_WINDOW" alone or followed
// by "," (letter case ignored).
bool AsksForNewWindow(std::string_view parameter) {
    if (parameter.size() < kNewWindow.size()) return false;
    if (Cp1252UpperString(parameter.substr(0, kNewWindow.size())) != kNewWindow) return false;
    return parameter.size() == kNewWindow.size() || parameter[kNewWindow.size()] == ',';
}

std::string StartPageOf(std::string_view parameter) {
    const std::size_t comma = parameter.find(',');
    if (comma == std::string_view::npos) return {};
    return std::string(TrimWhiteSpace(parameter.substr(comma + 1)));
}

void RunProgramLink(InputOwner& owner, const Object& hit, std::string_view parameter,
                    std::int32_t mode) {
    const std::int32_t result = owner.RunProgram(hit.text_variable, parameter, mode);
    owner.Variables().SetNumber(kReturnValue, result);
    if (Object* shown = owner.FindObject(kReturnValue)) {
        shown->text = IntToText(result);
        owner.Invalidate(shown->rect);
    }
}

void TakeLink(InputOwner& owner, const Object& hit, ReleaseLink& link) {
    const auto kind = static_cast<std::int32_t>(hit.extra_value);
    if (kind <= 0) return;
    if (kind == kLinkProject) {
        link.kind = kLinkProject;
        const std::string parameter(TrimWhiteSpace(hit.number_variable));
        if (AsksForNewWindow(parameter)) {
            RunProgramLink(owner, hit, hit.number_variable, kLinkProject);
            link.text.clear();
            return;
        }
        link.text = hit.text_variable;
        link.start_page = StartPageOf(hit.number_variable);
        return;
    }
    if (kind <= static_cast<std::int32_t>(kLinkProgramLast)) {
        RunProgramLink(owner, hit, hit.number_variable, kind);
        link.text.clear();
        return;
    }
    link.kind = static_cast<std::uint32_t>(kind);
    link.text = hit.text_variable;
}

// Steps shared by a release and a cancelled press: the press marks go, the press is over.
void EndPress(Page& page, PageInputState& state, InputOwner& owner, Object* hit) {
    ReleaseParagraphs(state.paragraphs, state.pressed, owner, hit);
    state.button_down = false;
    // Released elsewhere: the pressed object must not keep its pressed look.
    if (state.pressed != nullptr && state.pressed != hit && state.pressed->state == kStatePressed) {
        state.pressed->state = kStateNormal;
        owner.Invalidate(state.pressed->rect.Inflate(2));
    }
    if (state.press_mark1 != nullptr) {
        Object& mark = *state.press_mark1;
        SetVisible(page, mark, true, owner);
        Rect repaint = mark.rect;
        if (state.hover_target != nullptr && hit != nullptr && hit == state.pressed) {
            SetVisible(page, *state.hover_target, false, owner);
            repaint = repaint.Union(state.hover_target->rect);
        }
        owner.Invalidate(repaint.Inflate(2));
    }
    if (state.press_mark2 != nullptr) {
        SetVisible(page, *state.press_mark2, true, owner);
        owner.Invalidate(state.press_mark2->rect);
    }
    state.press_mark1 = state.press_mark2 = nullptr;
    state.pressed = nullptr;
}

}  // namespace

void CloseObjectMenus(Page& page, InputOwner& owner, Point point, const Object* hit) {
    const std::string_view keep = hit != nullptr ? std::string_view(hit->press_object) : "";
    for (Object& object : page.objects) {
        if (!std::string_view(object.name).starts_with(kMenuPrefix)) continue;
        if (object.hidden != 0 || object.rect.Inflate(1).Contains(point)) continue;
        if (!keep.empty() && EqualsIgnoreCase(object.name, keep)) continue;
        SetVisible(page, object, true, owner);
        owner.Invalidate(object.rect.Inflate(2));
    }
}

Object* PressAt(Page& page, PageInputState& state, InputOwner& owner, Point point) {
    Object* hit = HitTestPage(page, point, owner.Pictures());
    CloseObjectMenus(page, owner, point, hit);
    state.pressed = hit;
    state.paragraphs.scroll_drag = false;
    if (state.active_field != nullptr && state.active_field != hit) {
        if (auto field = FieldOf(owner, *state.active_field)) field->InputLeave();
        state.active_field = nullptr;
    }
    if (hit == nullptr) {
        state.button_down = false;
        return nullptr;
    }
    if (hit->kind == kKindParagraph) PressParagraph(state.paragraphs, owner, *hit, point);
    if (TraitsOf(hit->kind).takes_focus) {
        if (auto field = FieldOf(owner, *hit)) {
            field->InputPress(point);
            state.active_field = hit;
        }
        return hit;
    }
    hit->state = kStatePressed;
    state.button_down = true;
    state.grab_offset = {point.x - hit->rect.left, point.y - hit->rect.top};
    if (DrawnPressed(*hit)) owner.Invalidate(hit->rect.Inflate(2));
    PressTargets(page, state, owner, *hit);
    return hit;
}

Object* ReleaseAt(Page& page, PageInputState& state, InputOwner& owner, Point point,
                  ReleaseLink& link) {
    Object* hit = HitTestPage(page, point, owner.Pictures());
    if (hit != nullptr && TraitsOf(hit->kind).takes_focus) {
        if (auto field = FieldOf(owner, *hit)) field->InputRelease(point.x);
    }
    if (state.active_field != nullptr && state.active_field != hit) {
        if (auto field = FieldOf(owner, *state.active_field)) field->InputRelease(point.x);
    }
    EndPress(page, state, owner, hit);
    if (hit == nullptr) return nullptr;
    hit->state = kStateOver;
    if (DrawnPressed(*hit)) owner.Invalidate(hit->rect.Inflate(2));
    TakeLink(owner, *hit, link);
    return hit;
}

void CancelPress(Page& page, PageInputState& state, InputOwner& owner) {
    EndPress(page, state, owner, nullptr);
}

}  // namespace velk
