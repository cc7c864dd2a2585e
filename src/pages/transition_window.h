// The window that plays a page transition over the main window: it keeps the old page, the new
// page and the frame being shown, and moves from frame to frame on its own timer. While it runs
// the main window paints nothing of its own; the frame is what the window shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/runtime_random.h"
#include "document/page.h"
#include "gfx/surface.h"
#include "pages/transition_frames.h"

namespace velk {

class PageOwner;

// The transition window's own timer. It is a separate window in the old system, so its id may
// not clash with the main window's timers.
inline constexpr std::uint32_t kTransitionTimerId = 0x10001;

// Effect 18 is drawn by a transition plug-in. Until one is loaded, there is none and the effect
// shows no frames (only its timing runs).
class TransitionPlugin {
  public:
    virtual ~TransitionPlugin() = default;
    // Draws the frame for progress p into `work`.
    virtual void Step(float p, Surface& work) = 0;
};

class TransitionWindow {
  public:
    explicit TransitionWindow(RuntimeRandom& random);
    // The mask copy is referred to by the frame inputs: the window stays where it was made.
    TransitionWindow(const TransitionWindow&) = delete;
    TransitionWindow& operator=(const TransitionWindow&) = delete;

    // Called at the start of every page change with the page being left and what the window
    // shows now. Does nothing unless the page's effect is at least 1; otherwise remembers the
    // effect, duration, mask and the (path-expanded) plug-in file, and copies `shown` into the
    // old picture and the frame.
    void Prepare(const Page& leaving, const Surface& shown, std::string transition_file);

    // Called after the new page was entered, with the new page painted in full. False (and
    // nothing happens) unless a transition was prepared and none runs; otherwise starts it.
    bool Play(const Surface& new_page, PageOwner& owner);

    // The transition timer fired: draws the next frame, or ends the transition after the last.
    // True when the frame changed (the window must be painted again).
    bool OnTimer(PageOwner& owner);

    // A click on the window: the transition ends at once.
    void Click(PageOwner& owner);

    bool Running() const { return running_; }
    // The frame being shown; the size of the client area while running.
    const Surface& Frame() const { return work_; }

    void SetPlugin(TransitionPlugin* plugin) { plugin_ = plugin; }

  private:
    void Start(PageOwner& owner);
    bool StepFrames(PageOwner& owner);
    bool StepProgress(PageOwner& owner);
    void Finish(PageOwner& owner);
    void InvalidateFrame(PageOwner& owner) const;

    RuntimeRandom& random_;
    TransitionInputs inputs_;
    Surface from_, to_, work_;
    int effect_ = 0;
    std::int32_t duration_ = 500;
    int steps_ = 0;      // N
    int remaining_ = 0;  // k
    double progress_ = 0.0;
    double progress_step_ = 0.0;
    bool prepared_ = false;
    bool running_ = false;
    std::string transition_file_;
    std::vector<std::uint8_t> mask_;
    TransitionPlugin* plugin_ = nullptr;
};

}  // namespace velk
