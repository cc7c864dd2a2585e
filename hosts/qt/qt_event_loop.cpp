#include "hosts/qt/qt_event_loop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "hosts/qt/timer_wake.h"

namespace velk::desktop {

namespace {

// Milliseconds until `deadline`, negative once it has passed. Ticks wrap, so only their
// difference means anything.
std::int32_t MsUntil(std::uint32_t deadline, std::uint32_t now) {
    return static_cast<std::int32_t>(deadline - now);
}

}  // namespace

bool QtEventLoop::PumpPending() {
    if (quitting_) return false;
    if (wake_) wake_->Rearm();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !quitting_;
}

bool QtEventLoop::WaitUntil(std::uint32_t deadline) {
    if (quitting_) return false;
    const std::int32_t remaining = MsUntil(deadline, clock_.TickCount());
    if (remaining <= 0) return PumpPending();
    if (wake_) wake_->Rearm();
    // Waits for the next events (the wake-up guarantees one by the deadline), handles them and
    // returns, so that the waiting command can see whether it is still wanted.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(remaining);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return !quitting_;
}

void QtEventLoop::Quit() {
    quitting_ = true;
    // Leaves the main loop and every nested one. With none running (the presentation ended
    // during its start) there is nothing to leave, and telling Qt to quit would make every
    // later loop of this thread return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace velk::desktop
