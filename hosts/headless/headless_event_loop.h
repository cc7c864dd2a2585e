// The headless event loop: one timeline of scripted events and the player's timers, played
// against a virtual clock. Waiting jumps the clock straight to the next thing due, so a Pause of
// a minute takes a few steps, and everything happens at its exact virtual millisecond: two runs
// deliver the same events in the same order.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "host/host.h"
#include "hosts/headless/event_script.h"
#include "hosts/headless/virtual_clock.h"

namespace velk::headless {

// Whoever owns the timers: the player, or a fake in tests.
class TimerSource {
  public:
    virtual ~TimerSource() = default;
    // The tick at which the next timer is due (possibly already past); nothing when none is.
    virtual std::optional<std::uint32_t> NextTimerDue() const = 0;
    // Delivers every timer due now.
    virtual void DeliverDueTimers() = 0;
};

class HeadlessEventLoop : public host::EventLoop {
  public:
    using EventHandler = std::function<void(const ScriptedEvent&)>;

    HeadlessEventLoop(VirtualClock& clock, WatchdogLimits limits = {});

    // Set before the first pump; the loop delivers to them. Without a timer source no timer
    // fires; without a handler events are dropped.
    void SetTimerSource(TimerSource* timers) { timers_ = timers; }
    void SetEventHandler(EventHandler handler) { handler_ = std::move(handler); }
    // The scripted events, each due at its `time_ms` (virtual ms since the clock started), in
    // time order.
    void Schedule(std::vector<ScriptedEvent> events);
    // The run is over once the clock reaches `elapsed_ms`: waits end there and report quitting.
    void SetHorizon(std::uint64_t elapsed_ms) { horizon_ms_ = elapsed_ms; }

    // Events and timers due now, in time order (events before timers of the same millisecond,
    // as input comes before timer messages on the desktop). When nothing was due, one virtual
    // millisecond passes: a loop that polls lets time go by as it would on a machine, so a wait
    // written as a poll of the tick count ends.
    bool PumpPending() override;
    bool WaitUntil(std::uint32_t deadline) override;
    // Lets time pass until `deadline_ms` (virtual ms since the clock started), handling every
    // event on the way; the runner's own waits.
    bool WaitUntilElapsed(std::uint64_t deadline_ms);

    // From now on every pump and wait returns false at once.
    void Quit() { quitting_ = true; }
    // Quit was called, the horizon was reached or the watchdog tripped.
    bool Quitting() const { return quitting_ || Tripped() || horizon_passed_; }
    bool Tripped() const { return !failure_.empty(); }
    // Why the watchdog tripped ("watchdog: ..."); empty while it has not.
    const std::string& Failure() const { return failure_; }
    bool EventsPending() const { return !events_.empty(); }

  private:
    enum class Next { kEvent, kTimers, kNothing };

    // What is due first, at most `limit_ms`, and when.
    Next NextDue(std::uint64_t limit_ms, std::uint64_t& when) const;
    // Delivers the event or the timers found by NextDue. False once the run is quitting.
    bool Deliver(Next next);
    // Moves the clock forward to `elapsed_ms` (never back), stopping at the horizon. False once
    // the run is quitting.
    bool AdvanceTo(std::uint64_t elapsed_ms);
    // Counts one pump against the watchdog; false when it trips.
    bool CountPump();
    void Trip(const std::string& why);

    // One pump call running; bounds the nesting of pumps inside handlers.
    class Nesting;

    VirtualClock& clock_;
    WatchdogLimits limits_;
    TimerSource* timers_ = nullptr;
    EventHandler handler_;
    std::deque<ScriptedEvent> events_;
    std::optional<std::uint64_t> horizon_ms_;
    bool horizon_passed_ = false;
    std::uint64_t start_ms_;  // the clock's elapsed time when the loop was made
    std::uint64_t pumps_ = 0;
    std::uint32_t depth_ = 0;
    bool quitting_ = false;
    std::string failure_;
};

}  // namespace velk::headless
