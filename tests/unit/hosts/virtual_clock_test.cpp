#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "pages/timer_service.h"
#include "hosts/headless/virtual_clock.h"

namespace velk::headless {
namespace {

host::LocalTime At(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour = 0,
             std::int32_t minute = 0, std::int32_t second = 0, std::int32_t ms = 0,
             std::int32_t day_of_week = 0) {
    return host::LocalTime{year, month, day, day_of_week, hour, minute, second, ms};
}

TEST(VirtualClock, TickCountStartsWhereToldAndWraps) {
    VirtualClock clock(0xFFFFFFF0);
    EXPECT_EQ(clock.TickCount(), 0xFFFFFFF0u);
    clock.Advance(0x0F);
    EXPECT_EQ(clock.TickCount(), 0xFFFFFFFFu);
    clock.Advance(0x11);
    EXPECT_EQ(clock.TickCount(), 0x10u);
    clock.Advance(0xFFFFFFFF);
    clock.Advance(1);
    EXPECT_EQ(clock.TickCount(), 0x10u);
    EXPECT_EQ(clock.ElapsedMs(), 0x20ull + 0x100000000ull);
}

TEST(VirtualClock, LocalTimeFollowsTheVirtualTicks) {
    const struct {
        host::LocalTime start;
        std::uint64_t advance_ms;
        host::LocalTime expected;  // with its weekday, 0 = Sunday
    } cases[] = {
        {VirtualClock::kDefaultStart, 0, At(2001, 2, 3, 4, 5, 7, 0, 6)},
        {VirtualClock::kDefaultStart, 999, At(2001, 2, 3, 4, 5, 7, 999, 6)},
        {VirtualClock::kDefaultStart, 0xFFFFFFFF, At(2001, 3, 24, 21, 7, 54, 295, 6)},
        {At(1999, 12, 31, 23, 59, 59, 999), 1, At(2000, 1, 1, 0, 0, 0, 0, 6)},
        {At(2000, 2, 28, 12), 86400000, At(2000, 2, 29, 12, 0, 0, 0, 2)},  // leap century
        {At(1900, 2, 28, 12), 86400000, At(1900, 3, 1, 12, 0, 0, 0, 4)},   // not a leap year
        {At(1970, 1, 1), 0, At(1970, 1, 1, 0, 0, 0, 0, 4)},
        {At(1, 1, 1), 0, At(1, 1, 1, 0, 0, 0, 0, 1)},
        {At(9999, 12, 31, 23, 59, 59, 999), 0, At(9999, 12, 31, 23, 59, 59, 999, 5)},
    };
    for (const auto& c : cases) {
        VirtualClock clock(123, c.start);
        std::uint64_t left = c.advance_ms;
        while (left > 0) {
            const auto step = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, 0xFFFFFFFF));
            clock.Advance(step);
            left -= step;
        }
        const host::LocalTime now = clock.LocalNow();
        EXPECT_EQ(now, c.expected) << now.year << "-" << now.month << "-" << now.day << " "
                                   << now.hour << ":" << now.minute << ":" << now.second << "."
                                   << now.millisecond << " weekday " << now.day_of_week;
    }
}

TEST(VirtualClock, RejectsAStartThatIsNoDate) {
    const host::LocalTime invalid[] = {
        At(0, 1, 1),
        At(10000, 1, 1),
        At(2001, 0, 1),
        At(2001, 13, 1),
        At(2001, 1, 0),
        At(2001, 2, 29),
        At(2001, 4, 31),
        At(2001, 1, 1, 24),
        At(2001, 1, 1, 0, 60),
        At(2001, 1, 1, 0, 0, 60),
        At(2001, 1, 1, 0, 0, 0, 1000),
        At(2001, 1, 1, -1),
    };
    for (const auto& start : invalid) {
        EXPECT_THROW(VirtualClock(0, start), std::invalid_argument)
            << start.year << "-" << start.month << "-" << start.day << " " << start.hour;
    }
    EXPECT_NO_THROW(VirtualClock(0, At(2004, 2, 29)));
}

// What a pump delivered: virtual milliseconds since the start, and the timer id.
using Log = std::vector<std::pair<std::uint64_t, std::uint32_t>>;

TEST(TimerPump, FiresEachTimerAtItsExactTickAcrossTheWrap) {
    VirtualClock clock(0xFFFFFF00);  // wraps 256 ms into the run
    TimerService timers;
    Log log;
    TimerPump pump(clock, timers, [&](std::uint32_t id) {
        log.emplace_back(clock.ElapsedMs(), id);
        if (id == 0 || id == 105) timers.Kill(id);  // one-shot timers
    });
    timers.Set(0, 300, clock.TickCount());
    timers.Set(105, 1, clock.TickCount());  // counts as 10 ms
    timers.Set(600, 500, clock.TickCount());
    timers.Set(200, 50, clock.TickCount());

    ASSERT_TRUE(pump.PumpFor(200));
    EXPECT_EQ(clock.ElapsedMs(), 200u);  // the clock ends exactly at the end of the wait
    ASSERT_TRUE(pump.PumpFor(850));
    EXPECT_EQ(clock.ElapsedMs(), 1050u);
    timers.Kill(200);
    ASSERT_TRUE(pump.PumpUntil([&] { return log.back().first >= 1500; }));
    EXPECT_EQ(log, (Log{{10, 105},   {50, 200},  {100, 200}, {150, 200}, {200, 200},  {250, 200},
                        {300, 0},    {300, 200}, {350, 200}, {400, 200}, {450, 200},  {500, 200},
                        {500, 600},  {550, 200}, {600, 200}, {650, 200}, {700, 200},  {750, 200},
                        {800, 200},  {850, 200}, {900, 200}, {950, 200}, {1000, 200}, {1000, 600},
                        {1050, 200}, {1500, 600}}));
    EXPECT_EQ(pump.Pumps(), log.size());
    EXPECT_FALSE(pump.Tripped());
}

TEST(TimerPump, AKilledTimerIsNotDeliveredAndAnEmptyPumpIsIdle) {
    VirtualClock clock;
    TimerService timers;
    std::vector<std::uint32_t> fired;
    TimerPump pump(clock, timers, [&](std::uint32_t id) {
        fired.push_back(id);
        timers.Kill(1);
        timers.Kill(2);  // due at the same tick, not delivered yet
    });
    timers.Set(1, 100, clock.TickCount());
    timers.Set(2, 100, clock.TickCount());
    EXPECT_EQ(pump.PumpOnce(), TimerPump::Result::kFired);
    EXPECT_EQ(pump.PumpOnce(), TimerPump::Result::kIdle);
    EXPECT_FALSE(pump.PumpUntil([] { return false; }));
    EXPECT_FALSE(pump.Tripped());  // nothing to wait for is no watchdog failure
    EXPECT_EQ(fired, std::vector<std::uint32_t>{1});
    EXPECT_EQ(clock.ElapsedMs(), 100u);
}

TEST(TimerPump, AHandlerThatWaitsPumpsTheTimersDueMeanwhile) {
    VirtualClock clock;
    TimerService timers;
    Log log;
    TimerPump* pump_ref = nullptr;
    TimerPump pump(clock, timers, [&](std::uint32_t id) {
        log.emplace_back(clock.ElapsedMs(), id);
        if (id == 1) {
            timers.Kill(1);
            EXPECT_TRUE(pump_ref->PumpFor(50));         // a Pause inside the timer's action list
            log.emplace_back(clock.ElapsedMs(), 1000);  // back from the wait
        }
    });
    pump_ref = &pump;
    timers.Set(1, 100, 0);
    timers.Set(2, 20, 0);
    ASSERT_TRUE(pump.PumpFor(200));
    EXPECT_EQ(log, (Log{{20, 2},
                        {40, 2},
                        {60, 2},
                        {80, 2},
                        {100, 1},
                        {100, 2},
                        {120, 2},
                        {140, 2},
                        {150, 1000},
                        {160, 2},
                        {180, 2},
                        {200, 2}}));
}

TEST(TimerPump, WatchdogFailsARunInsteadOfHanging) {
    struct Case {
        const char* name;
        WatchdogLimits limits;
        std::uint32_t interval;
        bool handler_pumps_again;
        const char* failure;
        std::uint64_t pumps;
        std::uint64_t elapsed_ms;
    };
    const Case cases[] = {
        {"pumps", {.max_pumps = 5}, 10, false, "watchdog: more than 5 pumps", 5, 50},
        {"virtual time",
         {.max_virtual_ms = 2500},
         1000,
         false,
         "watchdog: virtual time would pass 2500 ms",
         2,
         2000},
        {"nesting", {.max_nesting = 3}, 10, true, "watchdog: pumps nested deeper than 3", 3, 30},
    };
    for (const auto& c : cases) {
        VirtualClock clock(0xFFFFFFF0);
        TimerService timers;
        TimerPump* pump_ref = nullptr;
        TimerPump pump(
            clock, timers,
            [&](std::uint32_t) {
                if (c.handler_pumps_again) pump_ref->PumpOnce();
            },
            c.limits);
        pump_ref = &pump;
        timers.Set(1, c.interval, clock.TickCount());
        EXPECT_FALSE(pump.PumpUntil([] { return false; })) << c.name;
        EXPECT_TRUE(pump.Tripped()) << c.name;
        EXPECT_EQ(pump.Failure(), c.failure) << c.name;
        EXPECT_EQ(pump.Pumps(), c.pumps) << c.name;
        EXPECT_EQ(clock.ElapsedMs(), c.elapsed_ms) << c.name;
        // It stays tripped: nothing runs any more, the clock stands still.
        EXPECT_EQ(pump.PumpOnce(), TimerPump::Result::kWatchdog) << c.name;
        EXPECT_FALSE(pump.PumpFor(10)) << c.name;
        EXPECT_EQ(clock.ElapsedMs(), c.elapsed_ms) << c.name;
    }

    // A plain wait past the time limit fails too, without moving the clock.
    VirtualClock clock;
    TimerService timers;
    TimerPump pump(clock, timers, [](std::uint32_t) {}, {.max_virtual_ms = 1000});
    EXPECT_TRUE(pump.PumpFor(600));
    EXPECT_FALSE(pump.PumpFor(600));
    EXPECT_EQ(pump.Failure(), "watchdog: virtual time would pass 1000 ms");
    EXPECT_EQ(clock.ElapsedMs(), 600u);
}

}  // namespace
}  // namespace velk::headless
