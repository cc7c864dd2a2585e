// A small host for tests that drive a Player directly: memory files and settings, a virtual
// clock, and a window that remembers what it was told.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "hosts/headless/virtual_clock.h"
#include "player/player.h"

namespace velk::test {

class TestWindow : public host::WindowHost {
  public:
    void SetTitle(std::string_view title) override { this->title = title; }
    void SetStyle(const host::WindowStyle& s) override { style = s; }
    void SetClientSize(std::int32_t w, std::int32_t h) override { client = {w, h}; }
    void ShowFullscreenScaled(std::int32_t w, std::int32_t h) override { fullscreen = {w, h}; }
    Size ScreenSize() const override { return screen; }
    Size WindowSize() const override { return client; }
    Point Position() const override { return position; }
    void MoveTo(Point p) override { position = p; }
    void SetShape(const std::optional<Region>& s) override { shape = s; }
    void SetCursor(const host::Cursor& c) override { cursor = c; }
    void Minimize() override { minimized = true; }
    void Restore() override { minimized = false; }
    void ShowBackdrop(const host::Backdrop&) override { backdrop = true; }
    void MinimizeBackdrop() override {}
    void RestoreBackdrop() override {}
    void Invalidate(const Rect&) override { ++invalidations; }
    void TimersChanged() override {}
    void Close() override { closed = true; }

    std::string title;
    host::WindowStyle style;
    Size client;
    Size screen{1024, 768};
    std::optional<Size> fullscreen;
    Point position{-1, -1};
    std::optional<Region> shape;
    host::Cursor cursor;
    bool minimized = false;
    bool backdrop = false;
    bool closed = false;
    int invalidations = 0;
};

class TestObserver : public host::Observer {
  public:
    void PageShown(std::string_view name) override { log.push_back("page " + std::string(name)); }
    void Ended() override { log.push_back("end"); }
    void MciCommand(std::string_view command, std::string_view reply) override {
        log.push_back("mci " + std::string(command) + " -> " + std::string(reply));
    }
    void VideoEvent(std::string_view object, std::string_view verb,
                    std::string_view argument) override {
        log.push_back("video " + std::string(object) + " " + std::string(verb) +
                      (argument.empty() ? "" : " " + std::string(argument)));
    }
    std::vector<std::string> log;
};

// Waiting moves the virtual clock from timer to timer.
class TestEventLoop : public host::EventLoop {
  public:
    explicit TestEventLoop(headless::VirtualClock& clock) : clock_(clock) {}
    void Attach(Player& player) { player_ = &player; }
    bool PumpPending() override {
        if (player_ != nullptr) player_->DeliverDueTimers();
        return true;
    }
    bool WaitUntil(std::uint32_t deadline) override {
        const std::uint32_t now = clock_.TickCount();
        const auto due = player_ != nullptr ? player_->NextTimerDue() : std::nullopt;
        if (due && static_cast<std::int32_t>(*due - deadline) <= 0) {
            const std::int32_t to_due = static_cast<std::int32_t>(*due - now);
            if (to_due > 0) clock_.Advance(static_cast<std::uint32_t>(to_due));
            player_->DeliverDueTimers();
        } else if (static_cast<std::int32_t>(deadline - now) > 0) {
            clock_.Advance(deadline - now);
        }
        return true;
    }
    // Lets time pass until `deadline`, handling every timer on the way.
    void RunUntil(std::uint32_t deadline) {
        while (static_cast<std::int32_t>(deadline - clock_.TickCount()) > 0) WaitUntil(deadline);
        PumpPending();
    }

  private:
    headless::VirtualClock& clock_;
    Player* player_ = nullptr;
};

struct PlayerRig {
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    headless::MemoryFileSystem files;
    headless::VirtualClock clock;
    TestEventLoop events{clock};
    TestWindow window;
    TestObserver observer;
    Player player{PlayerServices{ui, profile, files, clock, events, window, observer}};

    PlayerRig() { events.Attach(player); }

    bool Start(Project project, std::vector<std::string> arguments = {}) {
        PlayerStart start;
        start.project.ok = true;
        start.project.source_path = "Z:\\shows\\show.vkd";
        start.project.load.status = LoadStatus::kLoaded;
        start.project.load.project = std::move(project);
        start.arguments = std::move(arguments);
        return player.Start(std::move(start));
    }
    // Lets `ms` virtual milliseconds pass.
    void Wait(std::uint32_t ms) { events.RunUntil(clock.TickCount() + ms); }
};

}  // namespace velk::test
