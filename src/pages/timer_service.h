// The main window's timers: numeric ids armed with an interval, delivered one at a time by
// whoever pumps the player's messages (the desktop host's event loop, or the headless pump).
//
// They behave like window timers of the old desktop system, which presentations were timed
// against:
// - arming an id that is already armed replaces it and restarts its period from now;
// - intervals below 10 ms count as 10 ms, intervals above 0x7FFFFFFF count as 0x7FFFFFFF;
// - a timer that could not be delivered on time is delivered once; the periods it missed are
//   dropped, and it keeps its phase (the next tick comes at the next point of its period);
// - several due timers are delivered in order of due time, then of id.
//
// Ticks are the host clock's 32-bit millisecond count, which wraps. Every comparison is made
// relative to the current tick, so a timer armed just before the wrap fires just after it.
// This holds while no timer is more than 2^31 ms (about 24.8 days) away from the current tick.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace velk {

class TimerService {
  public:
    static constexpr std::uint32_t kMinimumIntervalMs = 10;
    static constexpr std::uint32_t kMaximumIntervalMs = 0x7FFFFFFF;

    // Arms timer `id`: first due `interval_ms` after `now`, then every `interval_ms`. An armed
    // timer with the same id is replaced, its old period forgotten.
    void Set(std::uint32_t id, std::uint32_t interval_ms, std::uint32_t now);
    // Stops timer `id`. True when it was armed.
    bool Kill(std::uint32_t id);
    void KillAll();

    bool IsSet(std::uint32_t id) const { return timers_.contains(id); }
    // The interval in use (after the minimum and maximum were applied).
    std::optional<std::uint32_t> Interval(std::uint32_t id) const;
    bool Empty() const { return timers_.empty(); }

    // The tick at which the earliest armed timer is due (possibly already past), or nothing when
    // no timer is armed.
    std::optional<std::uint32_t> NextDue(std::uint32_t now) const;
    // Milliseconds from `now` until the earliest armed timer is due; 0 when one is due already.
    std::optional<std::uint32_t> TimeUntilNextDue(std::uint32_t now) const;

    // The ids due at `now`, in delivery order (due time, then id).
    std::vector<std::uint32_t> DueTimers(std::uint32_t now) const;
    // Takes the delivery of timer `id` at `now`: its next tick moves to the first point of its
    // period after `now`. False when the timer is no longer armed or no longer due (a handler
    // that ran before it killed or re-armed it); the caller then must not deliver it.
    bool Fire(std::uint32_t id, std::uint32_t now);
    // The first of `DueTimers(now)`, already fired; nothing when no timer is due.
    std::optional<std::uint32_t> TakeNextDue(std::uint32_t now);

  private:
    struct Timer {
        std::uint32_t interval = kMinimumIntervalMs;
        std::uint32_t due = 0;  // tick
    };
    // Signed distance from `now` to the timer's due tick: negative or zero when due.
    static std::int32_t DueIn(const Timer& timer, std::uint32_t now) {
        return static_cast<std::int32_t>(timer.due - now);
    }
    // The id of the timer delivered first, counted from `now`.
    std::optional<std::uint32_t> Earliest(std::uint32_t now) const;

    std::map<std::uint32_t, Timer> timers_;
};

}  // namespace velk
