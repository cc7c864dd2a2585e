// Animated GIF objects (kind 16): a GIF file carried in the record, played frame by frame on a
// window timer of its own (`gif_timer_id`, 10 to 99).
#pragma once

#include <cstdint>
#include <optional>

#include "codec/gif_codec.h"
#include "document/object.h"
#include "objects/kinds.h"

namespace velk {

struct DrawContext;

inline constexpr std::uint32_t kFirstGifTimerId = 10;
inline constexpr std::uint32_t kLastGifTimerId = 99;

// The frames of the object's GIF, read from `gif_data` the first time they are needed (the
// stored bytes begin with a 4-byte word that is not part of the file). Null when the object
// has none or they cannot be read; `param1` then holds the number of frames.
const GifFile* GifFramesOf(Object& gif);

// The timer interval for the current frame (`param2`): the frame's delay scaled by the speed
// in percent (`option4`); none when that frame does not exist.
std::optional<ObjectTimer> GifFrameTimer(Object& gif);

// The kind's timer as hiding stops it.
ObjectTimer GifTimer(const Object& gif);
// Entry plays only with `transparent2` set; showing goes back to the first frame.
std::optional<ObjectTimer> StartGifTimer(Object& gif, TimerStart why);

// One tick of the object's timer: the next frame, or the end of a non-looping animation.
struct GifTick {
    // The timer to set again; none: kill it.
    std::optional<ObjectTimer> next;
    // A non-looping animation ended: hide the object (`transparent3`) or run its click actions
    // (`transform`).
    bool hide = false;
    bool run_click_actions = false;
};
GifTick StepGifFrame(Object& gif);

void DrawAnimatedGif(Object& gif, DrawContext& ctx);

}  // namespace velk
