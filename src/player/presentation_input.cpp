// Input reaching the main window, and the services the commands borrow from it.
#include "player/presentation.h"

#include <algorithm>

#include "base/saturate.h"
#include "base/virtual_keys.h"
#include "pages/shrink_animation.h"

namespace velk {

void Presentation::OnPointer(const PointerEvent& event) {
    pointer_ = event.position;
    if (ended_) return;
    if (transition_.Running()) {
        // A click on a running transition shows the new page at once, and does no more.
        if (event.action == PointerAction::kDown) {
            transition_.Click(*this);
            InvalidateAll();
        }
        AfterEvent();
        return;
    }
    if (PanoramaPointer(event)) {
        AfterEvent();
        return;
    }
    switch (event.action) {
        case PointerAction::kMove:
            pointer_dispatch_.Move(event.position);
            break;
        case PointerAction::kDown:
            pointer_dispatch_.Down(event.position);
            break;
        case PointerAction::kUp:
            pointer_dispatch_.Up(event.position);
            break;
        case PointerAction::kDoubleClick:
            pointer_dispatch_.DoubleClick(event.position);
            break;
        case PointerAction::kRightDown:
            pointer_dispatch_.RightDown(event.position);
            break;
        case PointerAction::kRightUp:
            pointer_dispatch_.RightUp(event.position);
            break;
    }
    AfterEvent();
}

bool Presentation::OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers) {
    if (ended_) return false;
    keyboard_dispatch_.KeyDown(virtual_key, modifiers, kArrowNone);
    AfterEvent();
    if (ended_) return true;
    switch (virtual_key) {
        case kVkEscape:
            OnCancel();
            return true;
        case kVkReturn:
            // Enter never ends the presentation.
            return false;
        case kVkLeft:
        case kVkRight:
            return true;
        default:
            return false;
    }
}

void Presentation::OnChar(std::uint8_t character) {
    if (ended_) return;
    keyboard_dispatch_.Char(character);
    AfterEvent();
}

void Presentation::OnFocusLost() {
    if (ended_) return;
    keyboard_dispatch_.FocusLost();
    AfterEvent();
}

void Presentation::FocusInputText(Object& input_text) {
    Page* page = pages_.Current();
    if (page == nullptr) return;
    // Only a field of the current page takes the keyboard.
    const bool on_page = std::any_of(page->objects.begin(), page->objects.end(),
                                     [&](const Object& object) { return &object == &input_text; });
    if (on_page) keyboard_dispatch_.FocusField(input_text);
}

std::int32_t Presentation::FieldCharAdvance(const LogFont& font, char character) {
    const std::shared_ptr<const Font> face = fonts_.Get(font);
    return face != nullptr ? face->CharAdvance(character) : 0;
}

InputPages Presentation::Pages() {
    return {.master_layer = &project_->master_layer,
            .current = pages_.Current(),
            .master_page = &project_->master_page};
}

void Presentation::StartFadeOut(Page& page, Object& object) {
    StartShrink(pages_, page, object, object.scale, *this);
}

void Presentation::OpenProject(std::string_view link_text, std::string_view start_page) {
    if (Page* page = pages_.Current()) RunExitActions(*page);
    // Like RunVKD: the switch waits until no action list runs.
    RequestProjectSwitch(ExpandPath(link_text), start_page);
}

std::int32_t Presentation::RunProgram(std::string_view target, std::string_view parameters,
                                      std::int32_t /*mode*/) {
    if (target.empty() || services_.launcher == nullptr) return 0;
    services_.launcher->Run(ExpandPath(target), parameters);
    return 0;
}

void Presentation::EndIdleWait() {
    if (page_timer_action_ != PageTimerAction::kGoToPage || page_timer_target_ != "IF_IDLE") {
        return;
    }
    KillTimer(kPageTimerId);
    page_timer_action_ = PageTimerAction::kNone;
}

bool Presentation::CanDragByBody() {
    const ProjectHeader& header = project_->header;
    return header.has_caption == 0 && header.drag_by_body != 0 && !FullScreenVideo();
}

void Presentation::ShowCursor(bool grab, std::optional<std::int64_t> object_cursor_index) {
    const Page* page = pages_.Current();
    services_.window.SetCursor(
        cursors_.Choose(grab, object_cursor_index, page != nullptr ? page->page_cursor : 0));
}

double Presentation::Evaluate(std::string_view expression) {
    // Commands use the value obtained; only statements show the evaluator's errors.
    return evaluator_.Evaluate(expression);
}

std::string Presentation::ExpandPath(std::string_view path) {
    return macros_->ExpandPath(path);
}

void Presentation::Minimize() {
    if (backdrop_shown_) {
        services_.window.MinimizeBackdrop();
    } else {
        minimized_ = true;
        services_.window.Minimize();
    }
}

void Presentation::Restore() {
    if (backdrop_shown_) {
        services_.window.RestoreBackdrop();
    } else {
        minimized_ = false;
        services_.window.Restore();
        InvalidateAll();
    }
}

Point Presentation::ClientToScreen(Point client) {
    const Point origin = services_.window.ClientOrigin();
    return {SaturateToInt32(std::int64_t{origin.x} + client.x),
            SaturateToInt32(std::int64_t{origin.y} + client.y)};
}

Rect Presentation::DesktopRect() {
    const Size screen = services_.window.ScreenSize();
    return {0, 0, screen.width, screen.height};
}

void Presentation::ShowBubbleWindow(Point top_left, const Surface& pixels, std::string_view text) {
    if (services_.tooltip != nullptr) services_.tooltip->ShowTooltip(top_left, pixels, text);
}

void Presentation::HideBubbleWindow() {
    if (services_.tooltip != nullptr) services_.tooltip->HideTooltip();
}

bool Presentation::PumpMessages() {
    dispatcher_.SetPendingStop(false);
    const std::uint64_t stops = dispatcher_.StopCount();
    if (!services_.events.PumpPending()) return false;
    return dispatcher_.StopCount() == stops && !dispatcher_.Stopping();
}

bool Presentation::WaitUntil(std::uint32_t deadline) {
    dispatcher_.SetPendingStop(false);
    const std::uint64_t stops = dispatcher_.StopCount();
    // One event at a time, so that a stop while waiting ends the wait at once.
    while (static_cast<std::int32_t>(deadline - services_.clock.TickCount()) > 0) {
        if (!services_.events.WaitUntil(deadline)) return false;
        if (dispatcher_.StopCount() != stops || dispatcher_.Stopping()) return false;
    }
    return true;
}

}  // namespace velk
