#include "hosts/headless/virtual_clock.h"

#include <stdexcept>
#include <utility>

#include "base/civil_date.h"
#include "base/int_division.h"

namespace velk::headless {
namespace {

constexpr std::int64_t kMsPerDay = 24 * 60 * 60 * 1000;

bool IsLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int32_t DaysInMonth(std::int64_t year, std::int32_t month) {
    static constexpr std::int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The inverse of DaysFromCivil.
void CivilFromDays(std::int64_t days, host::LocalTime& out) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t day_of_era = days - era * 146097;
    const std::int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // 0 = March
    const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
    out.day = static_cast<std::int32_t>(day_of_year - (153 * month_index + 2) / 5 + 1);
    out.month = static_cast<std::int32_t>(month);
    out.year = static_cast<std::int32_t>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

VirtualClock::VirtualClock(std::uint32_t start_tick, const host::LocalTime& start)
    : start_tick_(start_tick) {
    const bool valid =
        start.year >= 1 && start.year <= 9999 && start.month >= 1 && start.month <= 12 &&
        start.day >= 1 && start.day <= DaysInMonth(start.year, start.month) && start.hour >= 0 &&
        start.hour <= 23 && start.minute >= 0 && start.minute <= 59 && start.second >= 0 &&
        start.second <= 59 && start.millisecond >= 0 && start.millisecond <= 999;
    if (!valid) throw std::invalid_argument("VirtualClock: invalid start date or time");
    start_ms_ = DaysFromCivil(start.year, start.month, start.day) * kMsPerDay +
                ((start.hour * 60 + start.minute) * 60 + start.second) * std::int64_t{1000} +
                start.millisecond;
}

std::uint32_t VirtualClock::TickCount() const {
    return start_tick_ + static_cast<std::uint32_t>(elapsed_ms_);
}

host::LocalTime VirtualClock::LocalNow() const {
    const std::int64_t now = start_ms_ + static_cast<std::int64_t>(elapsed_ms_);
    const std::int64_t days = FloorDiv(now, kMsPerDay);
    std::int64_t in_day = now - days * kMsPerDay;
    host::LocalTime t;
    CivilFromDays(days, t);
    t.day_of_week = static_cast<std::int32_t>(((days + 4) % 7 + 7) % 7);  // 1970-01-01: Thursday
    t.millisecond = static_cast<std::int32_t>(in_day % 1000);
    in_day /= 1000;
    t.second = static_cast<std::int32_t>(in_day % 60);
    in_day /= 60;
    t.minute = static_cast<std::int32_t>(in_day % 60);
    t.hour = static_cast<std::int32_t>(in_day / 60);
    return t;
}

}  // namespace velk::headless
