// The machine's clocks for the desktop: a monotonic millisecond count that wraps like the old
// tick count, and the local wall-clock time.
#pragma once

#include <QElapsedTimer>

#include "host/host.h"

namespace velk::desktop {

class QtClock : public host::Clock {
  public:
    QtClock();
    std::uint32_t TickCount() const override;
    host::LocalTime LocalNow() const override;

  private:
    QElapsedTimer started_;
    // Added to the elapsed time so that the count starts somewhere arbitrary, as a tick count
    // does; scripts must not rely on it being small.
    std::uint32_t origin_;
};

}  // namespace velk::desktop
