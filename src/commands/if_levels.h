// The If state of one dispatcher run: whether records are performed or skipped, how deep the
// If statements nest and, per level, whether that level runs. Nested runs have their own.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velk {

// Shown (with the application name as caption) when an If would open a level beyond the last.
inline constexpr std::string_view kIfDepthMessage = "If .. Then reached 50 levels.";
inline constexpr std::int32_t kMaxIfDepth = 50;

class IfLevels {
  public:
    // Only the levels up to the depth are ever read, and each is written on the way in: the
    // rest stay unset, as every run (each pass of a loop body) starts one of these.
    IfLevels() { levels_[0] = true; }

    bool Running() const { return running_; }
    std::int32_t Depth() const { return depth_; }

    // An If while running with its condition's value. False when the depth is exhausted: the
    // If is then ignored and the caller shows kIfDepthMessage.
    bool EnterIf(bool condition);
    // Else while running: the rest of the level is skipped.
    void ElseWhileRunning();

    // While skipping only these three records are looked at, to keep the levels right.
    bool SkipIf();  // false as EnterIf
    void ElseWhileSkipping();

    // End, the same in both modes: back to the level below (nothing at depth 0).
    void End();

  private:
    bool running_ = true;
    std::int32_t depth_ = 0;
    // Level 0 runs until an Else at depth 0 turns it off.
    std::array<bool, kMaxIfDepth + 1> levels_;
};

}  // namespace velk
