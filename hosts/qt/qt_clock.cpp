#include "hosts/qt/qt_clock.h"

#include <QDateTime>

namespace velk::desktop {

QtClock::QtClock() : origin_(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch())) {
    started_.start();
}

std::uint32_t QtClock::TickCount() const {
    // Truncation to 32 bits is the wrap every user of the tick count expects.
    return origin_ + static_cast<std::uint32_t>(started_.elapsed());
}

host::LocalTime QtClock::LocalNow() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return host::LocalTime{.year = date.year(),
                           .month = date.month(),
                           .day = date.day(),
                           .day_of_week = date.dayOfWeek() % 7,  // Qt: Monday 1 ... Sunday 7
                           .hour = time.hour(),
                           .minute = time.minute(),
                           .second = time.second(),
                           .millisecond = time.msec()};
}

}  // namespace velk::desktop
