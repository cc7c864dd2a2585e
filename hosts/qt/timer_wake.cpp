#include "hosts/qt/timer_wake.h"

namespace velk::desktop {

TimerWake::TimerWake(const host::Clock& clock) : clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
}

void TimerWake::Attach(PlayerPort* port) {
    port_ = port;
    Rearm();
}

void TimerWake::Rearm() {
    if (!port_) return;
    const auto due = port_->NextTimerDue();
    if (!due) {
        timer_.stop();
        return;
    }
    // Ticks wrap: only the difference counts. A timer already late fires at once.
    const auto wait = static_cast<std::int32_t>(*due - clock_.TickCount());
    timer_.start(std::max(wait, 0));
}

void TimerWake::Fire() {
    if (!port_) return;
    port_->DeliverDueTimers();
    Rearm();
}

}  // namespace velk::desktop
