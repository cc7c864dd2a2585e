#include "script/date_time_variables.h"

#include <langinfo.h>

#include <cstring>
#include <ctime>

#include "base/codepage.h"
#include "script/number_text.h"

namespace velk {

LocaleTimeFormat::LocaleTimeFormat(const char* locale_name) {
    locale_ = newlocale(LC_ALL_MASK, locale_name, static_cast<locale_t>(nullptr));
    if (locale_ == static_cast<locale_t>(nullptr)) {
        locale_ = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    }
    if (locale_ != static_cast<locale_t>(nullptr)) {
        utf8_ = std::strcmp(nl_langinfo_l(CODESET, locale_), "UTF-8") == 0;
    }
}

LocaleTimeFormat::~LocaleTimeFormat() {
    if (locale_ != static_cast<locale_t>(nullptr)) freelocale(locale_);
}

std::string LocaleTimeFormat::Format(const char* format, const host::LocalTime& time) const {
    std::tm tm{};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_wday = time.day_of_week;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    tm.tm_isdst = -1;
    char buffer[256];
    std::size_t length = 0;
    if (locale_ != static_cast<locale_t>(nullptr)) {
        length = strftime_l(buffer, sizeof buffer, format, &tm, locale_);
    } else {
        length = std::strftime(buffer, sizeof buffer, format, &tm);
    }
    const std::string_view text(buffer, length);
    return utf8_ ? Utf8ToCp1252(text) : std::string(text);
}

namespace {

struct ClockVariable {
    const char* name;
    const char* format;  // a text variable; null for a number
    std::int32_t (*number)(const host::LocalTime&);
};

// In the order they are written.
constexpr ClockVariable kClockVariables[] = {
    {"ZIZ_TimeHMS", "%I:%M:%S %p", nullptr},
    {"ZIZ_Time24", "%H:%M:%S", nullptr},
    {"ZIZ_Hour", nullptr, [](const host::LocalTime& t) { return t.hour; }},
    {"ZIZ_Minute", nullptr, [](const host::LocalTime& t) { return t.minute; }},
    {"ZIZ_Second", nullptr, [](const host::LocalTime& t) { return t.second; }},
    {"ZIZ_Year", nullptr, [](const host::LocalTime& t) { return t.year; }},
    {"ZIZ_Month", "%B", nullptr},
    {"ZIZ_MonthNum", nullptr, [](const host::LocalTime& t) { return t.month; }},
    {"ZIZ_Day", "%A", nullptr},
    {"ZIZ_DayNum", nullptr, [](const host::LocalTime& t) { return t.day_of_week + 1; }},
    {"ZIZ_DateNum", nullptr, [](const host::LocalTime& t) { return t.day; }},
    {"ZIZ_DateShort", "%d/%m/%y", nullptr},
    {"ZIZ_DateLong", "%B %d, %Y", nullptr},
};

}  // namespace

void UpdateDateTimeVariables(VariableStore& variables, ScriptOwner& owner,
                             const host::LocalTime& time, const LocaleTimeFormat& format) {
    for (const ClockVariable& clock : kClockVariables) {
        Object* display = owner.FindObject(ResolveObjectName(clock.name, true, variables));
        if (display == nullptr) continue;
        std::string text;
        if (clock.format != nullptr) {
            text = format.Format(clock.format, time);
            variables.SetString(clock.name, text);
        } else {
            const std::int32_t value = clock.number(time);
            if (value >= 0) variables.SetNumber(clock.name, value);
            text = IntToText(value);
        }
        display->text = std::move(text);
        owner.InvalidateObject(*display);
    }
}

void UpdateDateTimeVariables(VariableStore& variables, ScriptOwner& owner,
                             const host::LocalTime& time) {
    UpdateDateTimeVariables(variables, owner, time, LocaleTimeFormat());
}

}  // namespace velk
