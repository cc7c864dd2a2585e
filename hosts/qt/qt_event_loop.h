// Waiting on the desktop: waiting commands run Qt's event loop, so input, timers and repaints
// go on while a Pause or a MoveTo is in progress.
#pragma once

#include "host/host.h"

namespace velk::desktop {

class TimerWake;

class QtEventLoop : public host::EventLoop {
  public:
    explicit QtEventLoop(const host::Clock& clock) : clock_(clock) {}

    // Re-armed before every wait: a wait inside a timer's action list must still see the
    // player's other timers fire.
    void SetTimerWake(TimerWake* wake) { wake_ = wake; }

    bool PumpPending() override;
    bool WaitUntil(std::uint32_t deadline) override;

    // The application is ending: every wait gives up and the main loop returns.
    void Quit();
    bool Quitting() const { return quitting_; }

  private:
    const host::Clock& clock_;
    TimerWake* wake_ = nullptr;
    bool quitting_ = false;
};

}  // namespace velk::desktop
