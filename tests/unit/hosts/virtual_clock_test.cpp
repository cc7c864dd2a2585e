#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

}  // namespace
}  // namespace velk::headless
