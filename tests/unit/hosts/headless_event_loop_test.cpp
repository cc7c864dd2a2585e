#include "hosts/headless/headless_event_loop.h"

#include <gtest/gtest.h>

#include <map>

#include "pages/timer_service.h"

namespace velk::headless {
namespace {

// Timers as the player keeps them, with a handler per id.
class FakeTimers : public TimerSource {
  public:
    explicit FakeTimers(VirtualClock& clock) : clock_(clock) {}
    void Set(std::uint32_t id, std::uint32_t interval, std::function<void()> handler) {
        service_.Set(id, interval, clock_.TickCount());
        handlers_[id] = std::move(handler);
    }
    void Kill(std::uint32_t id) { service_.Kill(id); }
    std::optional<std::uint32_t> NextTimerDue() const override {
        return service_.NextDue(clock_.TickCount());
    }
    void DeliverDueTimers() override {
        while (auto id = service_.TakeNextDue(clock_.TickCount())) handlers_[*id]();
    }

  private:
    VirtualClock& clock_;
    TimerService service_;
    std::map<std::uint32_t, std::function<void()>> handlers_;
};

class HeadlessEventLoopTest : public ::testing::Test {
  protected:
    explicit HeadlessEventLoopTest(WatchdogLimits limits = {})
        : clock_(0xFFFFFFF0u), loop_(clock_, limits), timers_(clock_) {
        // The clock starts just before the tick count wraps: waits must not care.
        loop_.SetTimerSource(&timers_);
        loop_.SetEventHandler([this](const ScriptedEvent& e) {
            Note("event" + std::to_string(e.line));
            if (auto handler = on_event_.find(e.line); handler != on_event_.end()) {
                handler->second();
            }
        });
    }
    void Note(const std::string& what) {
        seen_.push_back(what + "@" + std::to_string(clock_.ElapsedMs()));
    }
    void Events(std::initializer_list<std::uint64_t> times) {
        std::vector<ScriptedEvent> events;
        for (std::uint64_t t : times) {
            ScriptedEvent event;
            event.time_ms = t;
            event.line = events.size() + 1;
            events.push_back(event);
        }
        loop_.Schedule(std::move(events));
    }

    VirtualClock clock_;
    HeadlessEventLoop loop_;
    FakeTimers timers_;
    std::map<std::size_t, std::function<void()>> on_event_;
    std::vector<std::string> seen_;
};

TEST_F(HeadlessEventLoopTest, DeliversEventsAndTimersInTimeOrderEventsFirst) {
    Events({0, 25, 50});
    timers_.Set(1, 20, [&] { Note("timer1"); });
    timers_.Set(2, 25, [&] {
        Note("timer2");
        timers_.Kill(2);
    });
    EXPECT_TRUE(loop_.WaitUntilElapsed(60));
    EXPECT_EQ(clock_.ElapsedMs(), 60u);
    const std::vector<std::string> expected = {"event1@0",  "timer1@20", "event2@25", "timer2@25",
                                               "timer1@40", "event3@50", "timer1@60"};
    EXPECT_EQ(seen_, expected);
    EXPECT_FALSE(loop_.EventsPending());
}

TEST_F(HeadlessEventLoopTest, AWaitInsideAHandlerDeliversWhatFallsInItAndTheOuterWaitGoesOn) {
    Events({10, 20, 45});
    on_event_[1] = [&] {
        // A Pause(30): the core waits event by event until its deadline.
        const std::uint32_t deadline = clock_.TickCount() + 30;
        while (static_cast<std::int32_t>(deadline - clock_.TickCount()) > 0) {
            EXPECT_TRUE(loop_.WaitUntil(deadline));
        }
        Note("paused");
    };
    timers_.Set(1, 30, [&] {
        Note("timer1");
        timers_.Kill(1);
    });
    EXPECT_TRUE(loop_.WaitUntilElapsed(100));
    const std::vector<std::string> expected = {"event1@10", "event2@20", "timer1@30", "paused@40",
                                               "event3@45"};
    EXPECT_EQ(seen_, expected);
}

TEST_F(HeadlessEventLoopTest, APollingLoopSeesTimePassAndEndsAtTheHorizon) {
    const std::uint32_t start = clock_.TickCount();
    while (clock_.TickCount() - start <= 5) ASSERT_TRUE(loop_.PumpPending());
    EXPECT_EQ(clock_.ElapsedMs(), 6u);

    loop_.SetHorizon(50);
    Events({40});
    timers_.Set(1, 50, [&] { Note("timer1"); });
    // A wait past the horizon delivers what comes before it, then reports the end of the run.
    EXPECT_FALSE(loop_.WaitUntilElapsed(1000));
    EXPECT_EQ(clock_.ElapsedMs(), 50u);
    EXPECT_EQ(seen_, std::vector<std::string>{"event1@40"});
    EXPECT_TRUE(loop_.Quitting());
    EXPECT_FALSE(loop_.PumpPending());
    EXPECT_FALSE(loop_.Tripped());
}

TEST_F(HeadlessEventLoopTest, QuitEndsEveryWaitAtOnce) {
    Events({10, 20});
    on_event_[1] = [&] {
        loop_.Quit();
        EXPECT_FALSE(loop_.WaitUntil(clock_.TickCount() + 100));
    };
    EXPECT_FALSE(loop_.WaitUntilElapsed(100));
    EXPECT_EQ(seen_, std::vector<std::string>{"event1@10"});
    EXPECT_EQ(clock_.ElapsedMs(), 10u);
}

struct WatchdogCase {
    const char* name;
    WatchdogLimits limits;
    const char* failure;
};

void PrintTo(const WatchdogCase& c, std::ostream* out) {
    *out << c.name;
}

class HeadlessWatchdogTest : public HeadlessEventLoopTest,
                             public ::testing::WithParamInterface<WatchdogCase> {
  protected:
    HeadlessWatchdogTest() : HeadlessEventLoopTest(GetParam().limits) {}
};

// Three runaway presentations, each stopped by the limit it runs into: a timer whose handler
// waits for itself (nesting), a script that polls forever (pumps), a timer that never stops
// (virtual time).
TEST_P(HeadlessWatchdogTest, StopsARunawayRunInsteadOfHanging) {
    const WatchdogCase& c = GetParam();
    bool nested_gave_up = false;
    timers_.Set(1, 10, [&] {
        if (std::string(c.name) == "nesting") {
            nested_gave_up = !loop_.WaitUntil(clock_.TickCount() + 100) || nested_gave_up;
        } else if (std::string(c.name) == "pumps") {
            while (loop_.PumpPending()) {
            }
        }
    });
    EXPECT_FALSE(loop_.WaitUntilElapsed(1'000'000));
    EXPECT_TRUE(loop_.Tripped());
    EXPECT_EQ(loop_.Failure().rfind(c.failure, 0), 0u) << loop_.Failure();
    EXPECT_FALSE(loop_.PumpPending());  // tripped for good
    if (std::string(c.name) == "nesting") {
        EXPECT_TRUE(nested_gave_up);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, HeadlessWatchdogTest,
    ::testing::Values(WatchdogCase{"nesting", {.max_nesting = 8}, "watchdog: pumps nested"},
                      WatchdogCase{"pumps", {.max_pumps = 500}, "watchdog: more than 500 pumps"},
                      WatchdogCase{"time", {.max_virtual_ms = 5000}, "watchdog: virtual time"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velk::headless
