// The player's timers on the desktop: one single-shot Qt timer, always armed for the player's
// next due timer.
#pragma once

#include <QTimer>

#include "host/host.h"
#include "hosts/qt/player_port.h"

namespace velk::desktop {

class TimerWake {
  public:
    explicit TimerWake(const host::Clock& clock);

    void Attach(PlayerPort* port);
    // Re-arms the timer for the player's next due timer (stops it when none is armed).
    void Rearm();

  private:
    void Fire();

    const host::Clock& clock_;
    PlayerPort* port_ = nullptr;
    QTimer timer_;
};

}  // namespace velk::desktop
