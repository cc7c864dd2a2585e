// Input reaching the main window, and the services the commands borrow from it.
#include "shell/main_window.h"

namespace velk {
namespace {

constexpr std::uint32_t kVirtualKeyReturn = 0x0D;
constexpr std::uint32_t kVirtualKeyEscape = 0x1B;
constexpr std::uint32_t kVirtualKeyLeft = 0x25;
constexpr std::uint32_t kVirtualKeyRight = 0x27;

}  // namespace

void MainWindow::OnPointer(const PointerEvent& event) {
    pointer_ = event.position;
    if (ended_) return;
    // A click on a running transition shows the new page at once.
    if (transition_.Running() && event.action == PointerAction::kDown) {
        transition_.Click(*this);
        InvalidateAll();
    }
    AfterEvent();
}

bool MainWindow::OnKeyDown(std::uint32_t virtual_key) {
    if (ended_) return false;
    switch (virtual_key) {
        case kVirtualKeyEscape:
            OnCancel();
            return true;
        case kVirtualKeyReturn:
            // Enter never ends the presentation.
            return false;
        case kVirtualKeyLeft:
        case kVirtualKeyRight:
            return true;
        default:
            return false;
    }
}

void MainWindow::OnChar(std::uint8_t /*character*/) {}

double MainWindow::Evaluate(std::string_view expression) {
    // Commands use the value obtained; only statements show the evaluator's errors.
    return evaluator_.Evaluate(expression);
}

std::string MainWindow::ExpandPath(std::string_view path) {
    return macros_->ExpandPath(path);
}

void MainWindow::Minimize() {
    if (backdrop_shown_) {
        services_.window.MinimizeBackdrop();
    } else {
        minimized_ = true;
        services_.window.Minimize();
    }
}

void MainWindow::Restore() {
    if (backdrop_shown_) {
        services_.window.RestoreBackdrop();
    } else {
        minimized_ = false;
        services_.window.Restore();
        InvalidateAll();
    }
}

bool MainWindow::PumpMessages() {
    dispatcher_.SetPendingStop(false);
    if (!services_.events.PumpPending()) return false;
    return !dispatcher_.PendingStop() && !dispatcher_.Stopping();
}

bool MainWindow::WaitUntil(std::uint32_t deadline) {
    dispatcher_.SetPendingStop(false);
    // One event at a time, so that a stop while waiting ends the wait at once.
    while (static_cast<std::int32_t>(deadline - services_.clock.TickCount()) > 0) {
        if (!services_.events.WaitUntil(deadline)) return false;
        if (dispatcher_.PendingStop() || dispatcher_.Stopping()) return false;
    }
    return true;
}

}  // namespace velk
