// A presentation played headless from start to end: the player with the headless services, an
// event script as its input, an effect log as its output, screenshots on request. Runs are
// deterministic: the same project and script give the same log and the same pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/headless/effect_log.h"
#include "hosts/headless/event_script.h"
#include "hosts/headless/headless_audio.h"
#include "hosts/headless/headless_event_loop.h"
#include "hosts/headless/headless_window.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/scripted_ui.h"
#include "hosts/headless/virtual_clock.h"
#include "player/player.h"

namespace velk::headless {

struct HeadlessRunOptions {
    // How long the presentation may go on once the script is used up (virtual ms).
    std::uint64_t max_time_ms = 60'000;
    WatchdogLimits limits;
    Size screen{1024, 768};
    // Receives what the run sounded (`velk run --audio`); none: it sounds to nobody.
    HeadlessAudio::Tap audio_tap;
};

class HeadlessRun {
  public:
    // Saves a screenshot; false (with a message in `error`) when it cannot be written.
    using ShotWriter =
        std::function<bool(std::string_view name, const Surface& pixels, std::string& error)>;

    enum class Outcome {
        kEnded,       // the presentation ended
        kQuit,        // the script said quit
        kTimeUp,      // max_time_ms passed after the script
        kNotStarted,  // there was no project to play
        kWatchdog,    // a watchdog limit was exceeded; see Failure()
        kShotFailed,  // a screenshot could not be saved; see Failure()
    };

    HeadlessRun(host::FileSystem& files, EffectLog::Writer write_log, ShotWriter save_shot,
                HeadlessRunOptions options = {});
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // The services for reading the project before Play (its messages go into the log).
    host::Ui& ui() { return ui_; }
    const host::ProfileStore& profile() const { return profile_; }

    // Plays once: a run's clock and timeline are not reused.
    Outcome Play(PlayerStart start, EventScript script);
    const std::string& Failure() const { return failure_; }
    const HeadlessWindow& Window() const { return window_; }

  private:
    class PlayerTimers;
    void Handle(Player& player, const ScriptedEvent& event);
    void Pointer(Player& player, PointerAction action, Point position);
    void Shot(Player& player, const std::string& name);
    void PaintIfDirty(Player& player);

    HeadlessRunOptions options_;
    host::FileSystem& files_;
    VirtualClock clock_;
    HeadlessAudio audio_;
    EffectLog log_;
    ScriptedUi ui_;
    LoggingObserver observer_;
    RecordingLauncher launcher_;
    RecordingTooltip tooltip_;
    MemoryProfileStore profile_;
    HeadlessWindow window_;
    HeadlessEventLoop loop_;
    ShotWriter save_shot_;
    std::optional<Point> pointer_;  // where the pointer is, once it has come into the window
    bool quit_ = false;
    std::string failure_;
};

}  // namespace velk::headless
