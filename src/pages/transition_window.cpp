#include "pages/transition_window.h"

#include <utility>

#include "pages/page_manager.h"

namespace velk {

TransitionWindow::TransitionWindow(RuntimeRandom& random) : random_(random), inputs_(random) {}

void TransitionWindow::Prepare(const Page& leaving, const Surface& shown,
                               std::string transition_file) {
    // A page change in the middle of a transition leaves that transition alone; the new page
    // is painted once it ends.
    if (running_) return;
    const auto effect = leaving.transition_effect;
    // Only a prepared transition is played: a page without one must not replay the last one.
    prepared_ = effect >= 1 && effect <= static_cast<std::uint32_t>(kLastTransitionEffect);
    if (!prepared_) return;
    effect_ = static_cast<int>(effect);
    // The stored duration is unsigned; its bits read as signed give the step-count form -n.
    duration_ = static_cast<std::int32_t>(leaving.transition_duration);
    from_ = shown;
    work_ = shown;
    mask_ = leaving.transition_mask.bytes;
    inputs_.mask = mask_;
    inputs_.mask_width = leaving.transition_mask_width;
    inputs_.mask_height = leaving.transition_mask_height;
    inputs_.mask_stretch = leaving.mask_stretch != 0;
    inputs_.mask_invert = leaving.mask_invert != 0;
    transition_file_ = std::move(transition_file);
}

bool TransitionWindow::Play(const Surface& new_page, PageOwner& owner) {
    if (!prepared_ || running_) return false;
    prepared_ = false;
    to_ = new_page;
    Start(owner);
    return true;
}

void TransitionWindow::Start(PageOwner& owner) {
    running_ = true;
    if (effect_ >= kFirstProgressEffect) {
        progress_ = 0.0;
        progress_step_ = TransitionProgressStep(duration_);
        inputs_.tables = TransitionTables{};
        // Effect 18 has no tables of its own; a failed allocation shows no frames.
        PrepareTransitionTables(effect_, work_.Width(), work_.Height(), inputs_);
    }
    steps_ = TransitionFrameCount(effect_, duration_);
    remaining_ = steps_;
    owner.SetTimer(kTransitionTimerId, static_cast<std::uint32_t>(TransitionInterval(duration_)));
}

bool TransitionWindow::OnTimer(PageOwner& owner) {
    if (!running_) return false;
    return effect_ >= kFirstProgressEffect ? StepProgress(owner) : StepFrames(owner);
}

bool TransitionWindow::StepFrames(PageOwner& owner) {
    DrawTransitionFrame(effect_, remaining_, steps_, from_, to_, work_, inputs_);
    InvalidateFrame(owner);
    if (--remaining_ < 0) Finish(owner);
    return true;
}

bool TransitionWindow::StepProgress(PageOwner& owner) {
    progress_ += progress_step_;
    if (progress_ > 1.0) {
        Finish(owner);
        return true;
    }
    if (effect_ == kLastTransitionEffect) {
        if (plugin_ == nullptr) return false;
        plugin_->Step(static_cast<float>(progress_), work_);
    } else {
        if (inputs_.tables.failed) return false;
        DrawTransitionProgressFrame(effect_, progress_, from_, to_, work_, inputs_);
    }
    InvalidateFrame(owner);
    return true;
}

void TransitionWindow::Click(PageOwner& owner) {
    if (running_) Finish(owner);
}

void TransitionWindow::Finish(PageOwner& owner) {
    owner.KillTimer(kTransitionTimerId);
    running_ = false;
    // The window hides: what shows from now on is the new page.
    if (work_.Width() == to_.Width() && work_.Height() == to_.Height()) work_ = to_;
    inputs_.tables = TransitionTables{};
    InvalidateFrame(owner);
}

void TransitionWindow::InvalidateFrame(PageOwner& owner) const {
    owner.Invalidate({0, 0, work_.Width(), work_.Height()});
}

}  // namespace velk
