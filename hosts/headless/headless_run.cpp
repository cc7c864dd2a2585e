#include "hosts/headless/headless_run.h"

#include "hosts/headless/event_keys.h"

namespace velk::headless {
namespace {

// The tick count when a run starts: a machine that has been up for a while, so that code taking
// tick 0 for "never" is not fooled into seeing a click or a timer at the start.
constexpr std::uint32_t kStartTick = 1'000'000;
// Paints in a row for one batch of invalidations.
constexpr int kPaintRounds = 4;

}  // namespace

class HeadlessRun::PlayerTimers : public TimerSource {
  public:
    PlayerTimers(HeadlessRun& run, Player& player) : run_(run), player_(player) {}
    std::optional<std::uint32_t> NextTimerDue() const override { return player_.NextTimerDue(); }
    void DeliverDueTimers() override {
        player_.DeliverDueTimers();
        run_.PaintIfDirty(player_);
    }

  private:
    HeadlessRun& run_;
    Player& player_;
};

void HeadlessRun::PaintIfDirty(Player& player) {
    // As a desktop window paints what was invalidated once its messages are handled: drawing
    // is where fields and paragraphs take their measure, so input acts as it would there. What
    // a paint invalidates (a field that changed size) is painted next, as the desktop does; a
    // few rounds settle any page.
    for (int round = 0; round < kPaintRounds; ++round) {
        const Rect dirty = window_.TakeDirty();
        if (dirty.IsEmpty()) return;
        player.Paint(dirty);
        window_.Present(player.BackBuffer(), dirty);
    }
}

HeadlessRun::HeadlessRun(host::FileSystem& files, EffectLog::Writer write_log, ShotWriter save_shot,
                         HeadlessRunOptions options)
    : options_(options),
      files_(files),
      clock_(kStartTick),
      audio_(clock_, std::move(options_.audio_tap)),
      log_(clock_, std::move(write_log)),
      ui_(log_),
      observer_(log_),
      launcher_(log_),
      tooltip_(log_),
      window_(options.screen),
      loop_(clock_, options.limits),
      save_shot_(std::move(save_shot)) {
    window_.OnClose([this] { loop_.Quit(); });
}

HeadlessRun::Outcome HeadlessRun::Play(PlayerStart start, EventScript script) {
    Player player(PlayerServices{ui_, profile_, files_, clock_, loop_, window_, observer_,
                                 &launcher_, &tooltip_, &audio_});
    // Start may already pump (entry actions that wait): the timeline is ready before it.
    PlayerTimers timers(*this, player);
    loop_.SetTimerSource(&timers);
    loop_.SetEventHandler([this, &player](const ScriptedEvent& event) {
        Handle(player, event);
        PaintIfDirty(player);
    });
    // Answers that open the script are in place before the presentation starts, so that a box
    // the first page's entry raises at once takes them, as it would take them a moment later.
    auto first_other = script.events.begin();
    while (first_other != script.events.end() && first_other->kind == EventKind::kAnswer &&
           first_other->time_ms == 0) {
        ui_.QueueAnswer(first_other->text);
        ++first_other;
    }
    script.events.erase(script.events.begin(), first_other);
    loop_.Schedule(std::move(script.events));
    const std::uint64_t horizon = script.end_ms + options_.max_time_ms;
    loop_.SetHorizon(horizon);
    const bool started = player.Start(std::move(start));
    if (started) PaintIfDirty(player);
    if (started && !loop_.Quitting()) loop_.WaitUntilElapsed(horizon);
    loop_.SetTimerSource(nullptr);
    loop_.SetEventHandler(nullptr);
    if (!started) return Outcome::kNotStarted;

    if (loop_.Tripped()) {
        failure_ = loop_.Failure();
        return Outcome::kWatchdog;
    }
    if (!failure_.empty()) return Outcome::kShotFailed;
    if (player.Ended() || window_.Closed()) return Outcome::kEnded;
    return quit_ ? Outcome::kQuit : Outcome::kTimeUp;
}

void HeadlessRun::Pointer(Player& player, PointerAction action, Point position) {
    // The pointer cannot jump: the system reports the move to a new place before a button.
    if (action != PointerAction::kMove && pointer_ != position) {
        player.OnPointer({PointerAction::kMove, position});
    }
    pointer_ = position;
    player.OnPointer({action, position});
}

void HeadlessRun::Shot(Player& player, const std::string& name) {
    // What the window shows: what was invalidated is painted first, nothing else.
    PaintIfDirty(player);
    std::string error;
    if (save_shot_ && !save_shot_(name, window_.Shown(), error)) {
        failure_ = error;
        loop_.Quit();
    }
}

void HeadlessRun::Handle(Player& player, const ScriptedEvent& event) {
    const Point at{event.x, event.y};
    switch (event.kind) {
        case EventKind::kMove:
            Pointer(player, PointerAction::kMove, at);
            break;
        case EventKind::kDown:
            Pointer(player, PointerAction::kDown, at);
            break;
        case EventKind::kUp:
            Pointer(player, PointerAction::kUp, at);
            break;
        case EventKind::kClick:
            Pointer(player, PointerAction::kDown, at);
            Pointer(player, PointerAction::kUp, at);
            break;
        case EventKind::kDoubleClick:
            // The system's own sequence: the second press arrives as a double click.
            Pointer(player, PointerAction::kDown, at);
            Pointer(player, PointerAction::kUp, at);
            Pointer(player, PointerAction::kDoubleClick, at);
            Pointer(player, PointerAction::kUp, at);
            break;
        case EventKind::kRightDown:
            Pointer(player, PointerAction::kRightDown, at);
            break;
        case EventKind::kRightUp:
            Pointer(player, PointerAction::kRightUp, at);
            break;
        case EventKind::kKey:
            player.OnKeyDown(event.key, {.shift = (event.modifiers & kModifierShift) != 0,
                                         .ctrl = (event.modifiers & kModifierCtrl) != 0,
                                         .alt = (event.modifiers & kModifierAlt) != 0});
            break;
        case EventKind::kType:
            for (char c : event.text) player.OnChar(static_cast<std::uint8_t>(c));
            break;
        case EventKind::kAnswer:
            ui_.QueueAnswer(event.text);
            break;
        case EventKind::kShot:
            Shot(player, event.text);
            break;
        case EventKind::kVars:
            log_.Variables(player.VariableValues());
            break;
        case EventKind::kClose:
            player.OnCancel();
            break;
        case EventKind::kBlur:
            player.OnFocusLost();
            break;
        case EventKind::kQuit:
            quit_ = true;
            loop_.Quit();
            break;
    }
}

}  // namespace velk::headless
