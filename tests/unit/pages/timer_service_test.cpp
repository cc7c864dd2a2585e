#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "pages/timer_service.h"

namespace velk {
namespace {

using Ids = std::vector<std::uint32_t>;

TEST(TimerService, IntervalsAreClampedToTheWindowTimerRange) {
    const struct {
        std::uint32_t asked, used;
    } cases[] = {
        {0, 10},
        {1, 10},
        {9, 10},
        {10, 10},
        {11, 11},
        {0x7FFFFFFF, 0x7FFFFFFF},
        {0x80000000, 0x7FFFFFFF},
        {0xFFFFFFFF, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        TimerService timers;
        timers.Set(3, c.asked, 1000);
        EXPECT_EQ(timers.Interval(3), c.used) << c.asked;
        EXPECT_EQ(timers.NextDue(1000), 1000 + c.used) << c.asked;
        EXPECT_EQ(timers.TimeUntilNextDue(1000), c.used) << c.asked;
        EXPECT_TRUE(timers.DueTimers(1000 + c.used - 1).empty()) << c.asked;
        EXPECT_EQ(timers.DueTimers(1000 + c.used), Ids{3}) << c.asked;
    }
}

TEST(TimerService, SettingAnArmedIdReplacesItAndRestartsItsPeriod) {
    TimerService timers;
    timers.Set(7, 100, 0);
    timers.Set(7, 100, 90);  // re-armed shortly before it was due
    EXPECT_TRUE(timers.DueTimers(100).empty());
    EXPECT_EQ(timers.DueTimers(190), Ids{7});

    timers.Set(7, 500, 190);  // a new interval replaces the old one entirely
    EXPECT_EQ(timers.Interval(7), 500u);
    EXPECT_TRUE(timers.DueTimers(290).empty());
    EXPECT_EQ(timers.NextDue(290), 690u);

    EXPECT_TRUE(timers.Kill(7));
    EXPECT_FALSE(timers.Kill(7));
    EXPECT_FALSE(timers.IsSet(7));
    EXPECT_TRUE(timers.Empty());
    EXPECT_EQ(timers.NextDue(0), std::nullopt);
    EXPECT_EQ(timers.TimeUntilNextDue(0), std::nullopt);
}

TEST(TimerService, ALateTimerFiresOnceAndKeepsItsPhase) {
    // Armed at 0 with 100 ms: ticks at 100, 200, 300, ... A delivery at `at` drops the ticks
    // missed meanwhile; the next one is the next point of the period after `at`.
    const struct {
        std::uint32_t at, next_due;
    } cases[] = {
        {100, 200}, {101, 200}, {199, 200}, {200, 300}, {350, 400}, {999, 1000}, {100000, 100100},
    };
    for (const auto& c : cases) {
        TimerService timers;
        timers.Set(1, 100, 0);
        EXPECT_FALSE(timers.Fire(1, 99)) << c.at;  // not due yet
        EXPECT_TRUE(timers.Fire(1, c.at)) << c.at;
        EXPECT_TRUE(timers.DueTimers(c.at).empty()) << "no catch-up burst at " << c.at;
        EXPECT_FALSE(timers.Fire(1, c.at)) << c.at;
        EXPECT_EQ(timers.NextDue(c.at), c.next_due) << c.at;
    }
}

TEST(TimerService, DueTimersComeInOrderOfDueTimeThenId) {
    TimerService timers;
    timers.Set(5, 30, 0);     // due 30
    timers.Set(3, 30, 0);     // due 30
    timers.Set(9, 20, 0);     // due 20
    timers.Set(600, 10, 40);  // due 50
    timers.Set(1, 50, 0);     // due 50
    timers.Set(2, 100, 0);    // due 100: not yet
    EXPECT_EQ(timers.NextDue(60), 20u);
    EXPECT_EQ(timers.TimeUntilNextDue(60), 0u);
    EXPECT_EQ(timers.DueTimers(60), (Ids{9, 3, 5, 1, 600}));

    Ids taken;
    while (auto id = timers.TakeNextDue(60)) taken.push_back(*id);
    EXPECT_EQ(taken, (Ids{9, 3, 5, 1, 600}));
    EXPECT_EQ(timers.NextDue(60), 70u);  // timer 600: the first point of its period after 60
    EXPECT_EQ(timers.DueTimers(70), (Ids{600}));
}

// The delivery loop of a message pump: everything due now, each checked again right before it
// is delivered, since an earlier handler may have changed the timers.
Ids Deliver(TimerService& timers, std::uint32_t now,
            const std::function<void(std::uint32_t)>& handler) {
    Ids delivered;
    for (std::uint32_t id : timers.DueTimers(now)) {
        if (!timers.Fire(id, now)) continue;
        delivered.push_back(id);
        handler(id);
    }
    return delivered;
}

TEST(TimerService, AHandlerCanKillOrReArmTimersNotYetDelivered) {
    TimerService timers;
    for (std::uint32_t id : {1, 2, 3, 4}) timers.Set(id, 100, 0);
    const Ids delivered = Deliver(timers, 100, [&](std::uint32_t id) {
        if (id == 1) {
            timers.Kill(1);          // one-shot, like the page timer
            timers.Kill(2);          // killed before its turn
            timers.Set(3, 10, 100);  // re-armed before its turn: due 110 now
        }
    });
    EXPECT_EQ(delivered, (Ids{1, 4}));
    EXPECT_FALSE(timers.IsSet(1));
    EXPECT_FALSE(timers.IsSet(2));
    EXPECT_EQ(timers.DueTimers(110), (Ids{3}));
}

TEST(TimerService, TicksWrapAt2To32) {
    TimerService timers;
    timers.Set(1, 100, 0xFFFFFFF0);  // due 0x54, after the wrap
    EXPECT_TRUE(timers.DueTimers(0xFFFFFFFF).empty());
    EXPECT_EQ(timers.TimeUntilNextDue(0xFFFFFFFF), 0x55u);
    EXPECT_EQ(timers.NextDue(0xFFFFFFFF), 0x54u);
    EXPECT_EQ(timers.DueTimers(0x54), Ids{1});

    // Timer 2 is due before the wrap, so it comes first although its tick is the larger number.
    timers.Set(2, 10, 0xFFFFFFF0);  // due 0xFFFFFFFA
    timers.Set(3, 21, 0xFFFFFFF0);  // due 0x5
    EXPECT_EQ(timers.DueTimers(0x10), (Ids{2, 3}));
    EXPECT_EQ(timers.NextDue(0x10), 0xFFFFFFFAu);

    // Late across the wrap: one delivery, the phase kept.
    EXPECT_TRUE(timers.Fire(2, 0x10));  // ticks at ...FA, 0x4, 0xE, 0x18
    EXPECT_EQ(timers.DueTimers(0x10), (Ids{3}));
    EXPECT_EQ(timers.NextDue(0x10), 0x5u);
    timers.Kill(3);
    EXPECT_EQ(timers.NextDue(0x10), 0x18u);

    // The longest interval reaches just below half the tick range and is never taken for past.
    TimerService longest;
    longest.Set(1, 0xFFFFFFFF, 0xC0000000);
    EXPECT_EQ(longest.TimeUntilNextDue(0xC0000000), 0x7FFFFFFFu);
    EXPECT_TRUE(longest.DueTimers(0x3FFFFFFE).empty());
    EXPECT_EQ(longest.DueTimers(0x3FFFFFFF), Ids{1});
}

}  // namespace
}  // namespace velk
