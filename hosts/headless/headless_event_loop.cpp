#include "hosts/headless/headless_event_loop.h"

#include <algorithm>
#include <limits>

namespace velk::headless {

class HeadlessEventLoop::Nesting {
  public:
    explicit Nesting(HeadlessEventLoop& loop) : loop_(loop) {
        if (loop_.depth_ >= loop_.limits_.max_nesting) {
            loop_.Trip("pumps nested deeper than " + std::to_string(loop_.limits_.max_nesting));
        }
        ++loop_.depth_;
    }
    ~Nesting() { --loop_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

  private:
    HeadlessEventLoop& loop_;
};

HeadlessEventLoop::HeadlessEventLoop(VirtualClock& clock, WatchdogLimits limits)
    : clock_(clock), limits_(limits), start_ms_(clock.ElapsedMs()) {}

void HeadlessEventLoop::Schedule(std::vector<ScriptedEvent> events) {
    for (ScriptedEvent& event : events) events_.push_back(std::move(event));
}

void HeadlessEventLoop::Trip(const std::string& why) {
    if (failure_.empty()) failure_ = "watchdog: " + why;
}

HeadlessEventLoop::Next HeadlessEventLoop::NextDue(std::uint64_t limit_ms,
                                                   std::uint64_t& when) const {
    const std::uint64_t now = clock_.ElapsedMs();
    std::optional<std::uint64_t> event_at;
    if (!events_.empty()) event_at = std::max(events_.front().time_ms, now);
    std::optional<std::uint64_t> timers_at;
    if (timers_ != nullptr) {
        if (auto due = timers_->NextTimerDue()) {
            // Ticks wrap: the distance counts, and a timer already late is due now.
            const auto distance = static_cast<std::int32_t>(*due - clock_.TickCount());
            timers_at = now + static_cast<std::uint64_t>(std::max<std::int32_t>(distance, 0));
        }
    }
    if (event_at && *event_at <= limit_ms && (!timers_at || *event_at <= *timers_at)) {
        when = *event_at;
        return Next::kEvent;
    }
    if (timers_at && *timers_at <= limit_ms) {
        when = *timers_at;
        return Next::kTimers;
    }
    return Next::kNothing;
}

bool HeadlessEventLoop::CountPump() {
    if (pumps_ >= limits_.max_pumps) {
        Trip("more than " + std::to_string(limits_.max_pumps) + " pumps");
        return false;
    }
    ++pumps_;
    return !Tripped();
}

bool HeadlessEventLoop::Deliver(Next next) {
    if (!CountPump()) return false;
    if (next == Next::kEvent) {
        const ScriptedEvent event = std::move(events_.front());
        events_.pop_front();
        if (handler_) handler_(event);
    } else if (next == Next::kTimers) {
        timers_->DeliverDueTimers();
    }
    return !Quitting();
}

bool HeadlessEventLoop::AdvanceTo(std::uint64_t elapsed_ms) {
    std::uint64_t target = elapsed_ms;
    if (horizon_ms_ && target > *horizon_ms_) {
        target = *horizon_ms_;
        horizon_passed_ = true;
    }
    const std::uint64_t now = clock_.ElapsedMs();
    if (target > now) {
        if (target - start_ms_ > limits_.max_virtual_ms) {
            Trip("virtual time would pass " + std::to_string(limits_.max_virtual_ms) + " ms");
            return false;
        }
        for (std::uint64_t left = target - now; left > 0;) {
            const auto step = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(left, std::numeric_limits<std::uint32_t>::max()));
            clock_.Advance(step);
            left -= step;
        }
    }
    return !Quitting();
}

bool HeadlessEventLoop::PumpPending() {
    Nesting nesting(*this);
    if (Quitting() || !CountPump()) return false;
    bool delivered = false;
    std::uint64_t when = 0;
    while (true) {
        const Next next = NextDue(clock_.ElapsedMs(), when);
        if (next == Next::kNothing) break;
        if (!Deliver(next)) return false;
        delivered = true;
    }
    if (!delivered && !AdvanceTo(clock_.ElapsedMs() + 1)) return false;
    return !Quitting();
}

bool HeadlessEventLoop::WaitUntil(std::uint32_t deadline) {
    const auto distance = static_cast<std::int32_t>(deadline - clock_.TickCount());
    const std::uint64_t deadline_ms =
        clock_.ElapsedMs() + static_cast<std::uint64_t>(std::max<std::int32_t>(distance, 0));
    if (deadline_ms <= clock_.ElapsedMs()) return PumpPending();
    // One event, then back to the waiting command, which decides whether to wait on.
    Nesting nesting(*this);
    if (Quitting() || !CountPump()) return false;
    const std::uint64_t limit = horizon_ms_ ? std::min(deadline_ms, *horizon_ms_) : deadline_ms;
    std::uint64_t when = 0;
    const Next next = NextDue(limit, when);
    if (next == Next::kNothing) return AdvanceTo(deadline_ms);
    return AdvanceTo(when) && Deliver(next);
}

bool HeadlessEventLoop::WaitUntilElapsed(std::uint64_t deadline_ms) {
    // A wait for a moment already reached is a pump (Pause(0) in a loop lets time pass too).
    if (deadline_ms <= clock_.ElapsedMs()) return PumpPending();
    Nesting nesting(*this);
    if (Quitting() || !CountPump()) return false;
    std::uint64_t limit = deadline_ms;
    if (horizon_ms_) limit = std::min(limit, *horizon_ms_);
    while (!Quitting()) {
        std::uint64_t when = 0;
        const Next next = NextDue(limit, when);
        if (next == Next::kNothing) return AdvanceTo(deadline_ms);
        if (!AdvanceTo(when) || !Deliver(next)) return false;
    }
    return false;
}

}  // namespace velk::headless
