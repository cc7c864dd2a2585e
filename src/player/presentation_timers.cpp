// The main window's timers: one TimerService with the window-timer rules; the host wakes the
// player when the next one is due and the player delivers what is due.
#include "objects/effect/effect_kind.h"
#include "objects/effect/effect_runtime.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "pages/gif_timer.h"
#include "pages/shrink_animation.h"
#include "player/presentation.h"
#include "script/compiler.h"

namespace velk {

// The windows of their own (transition, tooltip bubble, panorama) share the main window's timer
// service, each under an id of its own: a timer delivered to the wrong window would be lost.
static_assert(kTransitionTimerId != kBubbleTimerId && kPanoramaTimerId != kBubbleTimerId &&
              kPanoramaTimerId != kTransitionTimerId);

void Presentation::SetTimer(std::uint32_t id, std::uint32_t interval_ms) {
    timers_.Set(id, interval_ms, services_.clock.TickCount());
    services_.window.TimersChanged();
}

void Presentation::KillTimer(std::uint32_t id) {
    if (timers_.Kill(id)) services_.window.TimersChanged();
}

std::optional<std::uint32_t> Presentation::NextTimerDue() const {
    if (ended_) return std::nullopt;
    return timers_.NextDue(services_.clock.TickCount());
}

void Presentation::DeliverDueTimers() {
    // Each delivery moves the timer's next tick past now, so this ends even when handlers pump
    // and deliver further timers themselves.
    while (!ended_) {
        auto id = timers_.TakeNextDue(services_.clock.TickCount());
        if (!id) break;
        OnTimer(*id);
    }
    AfterEvent();
}

void Presentation::OnTimer(std::uint32_t id) {
    if (id == kBubbleTimerId) {
        // The bubble's own window timer: the layers never hear it.
        bubble_.OnTimer();
        return;
    }
    if (id == kPanoramaTimerId) {
        TurnPanorama();
        return;
    }
    if (id == kMciTimerId) {
        OnMciTimer();
        return;
    }
    if (id == kVideoFrameTimerId) {
        AdvanceVideoFrames();
        return;
    }
    switch (id) {
        case kPageTimerId:
            FirePageTimer();
            break;
        case kTimerKilledOnFire:
            KillTimer(id);
            break;
        case kEntryActionsTimerId:
            KillTimer(id);
            if (Page* page = pages_.Current()) Run(page->entry_actions);
            break;
        case kScrollTimerId:
            pointer_dispatch_.RepeatScrollArrows();
            break;
        case kDateTimeTimerId:
            UpdateDateTime();
            break;
        case kScriptTimerId:
        case kScriptTimerAId:
        case kScriptTimerBId:
        case kScriptTimerCId:
            OnScriptTimer(id);
            break;
        case kProjectSwitchTimerId:
            SwitchProject();
            break;
        case kVideoPollTimerId:
            PollVideos();
            break;
        case kEffectTimerId:
            if (Page* page = pages_.Current()) StepEffects(page->objects, random_, *this);
            break;
        case kTransitionTimerId:
            if (transition_.OnTimer(*this) || !transition_.Running()) InvalidateAll();
            break;
        default:
            if (Object* ended = OnGifTimer(pages_, id, *this)) {
                // A copy: the actions may replace the page that holds the object.
                const ActionList actions = ended->actions_click;
                Run(actions);
            }
            break;
    }
    // Every timer message is also offered to the three layers, as the old window did.
    OnShrinkTimer(pages_, id, *this);
}

void Presentation::StartScriptTimer(std::uint32_t id, std::string_view target,
                                    std::uint32_t delay_ms) {
    KillTimer(id);
    script_timer_targets_[id] = std::string(target);
    SetTimer(id, delay_ms);
}

void Presentation::OnScriptTimer(std::uint32_t id) {
    KillTimer(id);
    // The target stays stored after the timer fired.
    auto target = script_timer_targets_.find(id);
    if (target == script_timer_targets_.end() || target->second.empty()) return;
    const std::string name = ResolveObjectName(target->second, true, variables_);
    if (Object* object = FindObject(name)) RunGuarded(object->actions_click);
}

void Presentation::RunScriptText(std::string_view text) {
    CompiledScript compiled = CompileScript(text, services_.ui);
    // Rejected lines are comments in the list; the rest runs all the same.
    dispatcher_.RunActions(std::make_shared<const ActionList>(std::move(compiled.list)));
    AfterEvent();
}

}  // namespace velk
