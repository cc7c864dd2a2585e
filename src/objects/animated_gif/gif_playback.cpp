// Reading an Animated GIF's frames and stepping through them on its timer.
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "objects/animated_gif/gif_kind.h"

namespace velk {
namespace {

// The stored GIF begins with a word the file does not include.
constexpr std::size_t kStoredPrefix = 4;

std::int64_t FrameCount(const Object& gif) {
    if (!gif.gif_file) return 0;
    return std::min<std::int64_t>(gif.param1, std::int64_t(gif.gif_file->frames.size()));
}

}  // namespace

const GifFile* GifFramesOf(Object& gif) {
    if (!gif.gif_read) {
        gif.gif_read = true;
        gif.gif_file.reset();
        if (gif.gif_data.size() > kStoredPrefix) {
            gif.gif_file = DecodeGif(std::span(gif.gif_data).subspan(kStoredPrefix));
        }
        gif.param1 = gif.gif_file ? static_cast<std::uint32_t>(gif.gif_file->frames.size()) : 0;
    }
    return gif.gif_file ? &*gif.gif_file : nullptr;
}

std::optional<ObjectTimer> GifFrameTimer(Object& gif) {
    const GifFile* frames = GifFramesOf(gif);
    if (frames == nullptr) return std::nullopt;
    const std::uint32_t delay = GifFrameDelay(*frames, gif.param2);
    if (delay == 0) return std::nullopt;
    // Hundredths of a second to milliseconds, at the speed in percent.
    const double interval = std::floor(gif.option4 * 0.01 * delay * 10);
    // A speed of billions of percent still gives a timer, the longest there is.
    const double longest = std::numeric_limits<std::uint32_t>::max();
    return ObjectTimer{gif.gif_timer_id, static_cast<std::uint32_t>(std::min(interval, longest))};
}

ObjectTimer GifTimer(const Object& gif) {
    return {gif.gif_timer_id, 0};
}

std::optional<ObjectTimer> StartGifTimer(Object& gif, TimerStart why) {
    if (why == TimerStart::kPageEntry && gif.transparent2 == 0) return std::nullopt;
    if (why == TimerStart::kShown) gif.param2 = 0;
    return GifFrameTimer(gif);
}

GifTick StepGifFrame(Object& gif) {
    GifFramesOf(gif);
    const std::int64_t count = FrameCount(gif);
    if (count <= 0) return {};
    GifTick tick;
    if (std::int64_t{gif.param2} + 1 >= count) {
        if (gif.option1 == 0) {
            gif.param2 = static_cast<std::uint32_t>(count - 1);
            tick.hide = gif.transparent3 != 0;
            tick.run_click_actions = gif.transform != 0;
            return tick;
        }
        gif.param2 = 0;
    } else {
        ++gif.param2;
    }
    tick.next = GifFrameTimer(gif);
    return tick;
}

}  // namespace velk
