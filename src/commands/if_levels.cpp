#include "commands/if_levels.h"

namespace velk {

bool IfLevels::EnterIf(bool condition) {
    if (depth_ >= kMaxIfDepth) return false;
    ++depth_;
    levels_[depth_] = condition;
    running_ = condition;
    return true;
}

void IfLevels::ElseWhileRunning() {
    running_ = false;
    levels_[depth_] = false;
}

bool IfLevels::SkipIf() {
    if (depth_ >= kMaxIfDepth) return false;
    ++depth_;
    levels_[depth_] = false;
    return true;
}

void IfLevels::ElseWhileSkipping() {
    // At depth 0 there is no enclosing level that could run, so skipping goes on.
    if (depth_ > 0 && levels_[depth_ - 1]) {
        levels_[depth_] = true;
        running_ = true;
    }
}

void IfLevels::End() {
    if (depth_ == 0) return;
    running_ = levels_[depth_ - 1];
    --depth_;
}

}  // namespace velk
