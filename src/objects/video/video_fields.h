// The stored fields of a Video object (kind 12) by what they mean: what happens at the end of
// the media, whether it starts muted or looping, the rate it starts at, and its shape mask.
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

// What a video does when its media ends.
enum class VideoEndMode : std::int32_t {
    kHoldLastFrame = 0,  // the last frame stays
    kRewind = 1,         // back to the start, stopped
    kHide = 2,           // the video window goes
    kNextPage = 3,       // the window goes and the presentation moves to the next page
    kReportEvents = 4,   // the object's lists hear of loading, starting, stopping and the end
};

class VideoFields {
  public:
    explicit VideoFields(const Object& object) : object_(object) {}

    // `option3` 0 to 3 as they are; any other value reports events.
    VideoEndMode EndMode() const {
        return object_.option3 <= 3 ? static_cast<VideoEndMode>(object_.option3)
                                    : VideoEndMode::kReportEvents;
    }
    // A video sounds only when `option4` is 1.
    bool StartsMuted() const { return object_.option4 != 1; }
    bool Loops() const { return object_.option5 == 1; }
    // `option6` in thousandths: 1000 is the normal rate.
    double StartRate() const { return object_.option6 / 1000.0; }
    // The file the object plays when no other was loaded (path macros allowed).
    const std::string& File() const { return object_.text; }
    // A picture of its own, shown while no video plays; without one the video shows its
    // first frame instead.
    bool HasStill() const { return object_.image1.has_value(); }

  private:
    const Object& object_;
};

}  // namespace velk
