// Time for headless runs: a clock that moves only when told, and a pump that moves it straight
// to the next timer. A headless `Pause(1000)` or a page timer of a minute takes a few steps,
// and every timer fires at its exact tick, so two runs of a presentation log the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "host/host.h"

namespace velk::headless {

class VirtualClock : public host::Clock {
  public:
    // The local time a headless run starts at unless told otherwise: Saturday 2001-02-03
    // 04:05:07, where no two fields are equal, so a mixed-up field shows in a test.
    static constexpr host::LocalTime kDefaultStart{.year = 2001,
                                                   .month = 2,
                                                   .day = 3,
                                                   .day_of_week = 6,
                                                   .hour = 4,
                                                   .minute = 5,
                                                   .second = 7,
                                                   .millisecond = 0};

    // Throws std::invalid_argument when `start` is no valid date and time (years 1-9999; its
    // `day_of_week` is ignored and computed).
    explicit VirtualClock(std::uint32_t start_tick = 0,
                          const host::LocalTime& start = kDefaultStart);

    std::uint32_t TickCount() const override;
    host::LocalTime LocalNow() const override;
    bool IsVirtual() const override { return true; }

    void Advance(std::uint32_t ms) {
        elapsed_ms_ += ms;
        if (on_advance_) on_advance_();
    }
    // Called after every advance: the headless audio output sounds the time that passed. One
    // listener; none removes it.
    void OnAdvance(std::function<void()> listener) { on_advance_ = std::move(listener); }
    // Virtual milliseconds since construction; never wraps.
    std::uint64_t ElapsedMs() const { return elapsed_ms_; }

  private:
    std::uint32_t start_tick_;
    std::int64_t start_ms_;  // local time of the start, in milliseconds since 1970-01-01
    std::uint64_t elapsed_ms_ = 0;
    std::function<void()> on_advance_;
};

// Bounds on a headless run. When one is exceeded the run fails instead of hanging.
struct WatchdogLimits {
    std::uint64_t max_pumps = 1'000'000;
    std::uint64_t max_virtual_ms = 24ull * 60 * 60 * 1000;
    std::uint32_t max_nesting = 64;  // handlers that pump again, nested
};

}  // namespace velk::headless
