// One opened media file as the player plays it: the interface Video objects, MCI objects and
// MCICommand work through. The engine behind it (FFmpeg decoding on a worker thread, sound into
// the audio mixer) is in ffmpeg_playback.h; tests use a fake.
//
// Time: positions are media time in milliseconds (or frames). The position moves only while
// playing, following the clock the engine was given (virtual headless, real on the desktop,
// where the sound actually played is the master once there is sound). Every call is made on
// the player's thread; nothing here blocks it for longer than one frame, except headless,
// where a frame due now is waited for so that the same events give the same pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velk {
class Surface;
}

namespace velk::media {

struct MediaInfo {
    bool has_video = false;
    bool has_audio = false;
    std::int32_t width = 0;  // the video's native size; 0 without video
    std::int32_t height = 0;
    std::int64_t duration_ms = 0;  // 0 when the container does not tell
    double frames_per_second = 0;  // 0 without video
    std::int64_t frame_count = 0;  // duration x frame rate, rounded, when not stored
};

enum class PlaybackState { kStopped, kPaused, kPlaying, kEnded };

class Playback {
  public:
    virtual ~Playback() = default;

    virtual const MediaInfo& Info() const = 0;
    virtual PlaybackState State() const = 0;

    // Playing from the current position; from kEnded it starts again at 0.
    virtual void Play() = 0;
    // Holds at the current position, the current frame still shown.
    virtual void Pause() = 0;
    // Holds at the current position like Pause; the caller seeks when it wants a rewind (the
    // media control's "stop" keeps its position, a video's stop rewinds).
    virtual void Stop() = 0;

    // Moves to a position, clamped to 0 ... the end; the frame there becomes the current one.
    virtual void SeekMs(std::int64_t position_ms) = 0;
    virtual void SeekFrame(std::int64_t frame) = 0;
    virtual std::int64_t PositionMs() const = 0;
    virtual std::int64_t PositionFrame() const = 0;

    // The playback rate, 1.0 normal. Rates the engine cannot play (<= 0, absurd) are refused
    // with false and change nothing. Sound keeps its pitch.
    virtual bool SetRate(double rate) = 0;
    virtual double Rate() const = 0;
    virtual void SetMuted(bool muted) = 0;

    // Brings the position up to the clock. True once when the media reached its end since the
    // last call (the state is then kEnded); the caller loops, stops or reports it.
    virtual bool Update() = 0;
    // The frame for the current position, in the drawing layer's pixel format, at the video's
    // native size; null without a video stream or before the first frame decoded.
    virtual const Surface* CurrentFrame() const = 0;
    // The tick (host clock) at which the next frame is due while playing, so the caller can
    // set a timer for it; nothing when not playing or without video.
    virtual std::optional<std::uint32_t> NextFrameDue() const = 0;
};

}  // namespace velk::media
