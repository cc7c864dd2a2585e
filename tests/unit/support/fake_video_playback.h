// A media file played without decoding anything, for the tests of what plays media: its info
// is scripted, its position follows the clock it was given (times the rate) while it plays,
// it reaches its end at the scripted length, and its frame is a flat picture whose colour
// names the frame (FakeFrameColour). A test that wants a file it cannot open scripts none.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "gfx/surface.h"
#include "host/host.h"
#include "media/playback.h"

namespace velk::test {

inline Bgrx FakeFrameColour(std::int64_t frame) {
    const auto n = static_cast<std::uint8_t>(frame % 200);
    return MakeBgrx(n, std::uint8_t(255 - n), 40);
}

// 25 frames a second over two seconds, a 32 x 24 picture and sound.
inline media::MediaInfo FakeVideoInfo(std::int64_t duration_ms = 2000) {
    media::MediaInfo info;
    info.has_video = true;
    info.has_audio = true;
    info.width = 32;
    info.height = 24;
    info.duration_ms = duration_ms;
    info.frames_per_second = 25;
    info.frame_count = duration_ms * 25 / 1000;
    return info;
}

class FakePlayback : public media::Playback {
  public:
    FakePlayback(const host::Clock& clock, media::MediaInfo info) : clock_(clock), info_(info) {}

    const media::MediaInfo& Info() const override { return info_; }
    media::PlaybackState State() const override { return state_; }
    void Play() override {
        CatchUp();
        if (state_ == media::PlaybackState::kEnded) position_ms_ = 0;
        state_ = media::PlaybackState::kPlaying;
        anchor_tick_ = clock_.TickCount();
        anchor_ms_ = position_ms_;
    }
    void Pause() override { Hold(media::PlaybackState::kPaused); }
    void Stop() override { Hold(media::PlaybackState::kStopped); }
    void SeekMs(std::int64_t position_ms) override {
        CatchUp();
        position_ms_ = std::clamp<std::int64_t>(position_ms, 0, info_.duration_ms);
        anchor_tick_ = clock_.TickCount();
        anchor_ms_ = position_ms_;
        if (state_ == media::PlaybackState::kEnded) state_ = media::PlaybackState::kPaused;
    }
    void SeekFrame(std::int64_t frame) override { SeekMs(frame * 1000 / FramesPerSecond()); }
    std::int64_t PositionMs() const override {
        CatchUp();
        return position_ms_;
    }
    std::int64_t PositionFrame() const override { return PositionMs() * FramesPerSecond() / 1000; }
    bool SetRate(double rate) override {
        if (!(rate > 0 && rate <= 16)) return false;
        CatchUp();
        anchor_tick_ = clock_.TickCount();
        anchor_ms_ = position_ms_;
        rate_ = rate;
        return true;
    }
    double Rate() const override { return rate_; }
    void SetMuted(bool muted) override { muted_ = muted; }
    bool Update() override {
        CatchUp();
        const bool ended = end_unreported_;
        end_unreported_ = false;
        return ended;
    }
    const Surface* CurrentFrame() const override {
        if (!info_.has_video) return nullptr;
        frame_ = Surface(info_.width, info_.height, FakeFrameColour(PositionFrame()));
        return &frame_;
    }
    std::optional<std::uint32_t> NextFrameDue() const override {
        if (state_ != media::PlaybackState::kPlaying || !info_.has_video) return std::nullopt;
        const std::int64_t next = (PositionFrame() + 1) * 1000 / FramesPerSecond();
        return clock_.TickCount() +
               static_cast<std::uint32_t>(std::max<double>(1, (next - position_ms_) / rate_));
    }

    bool Muted() const { return muted_; }

  private:
    std::int64_t FramesPerSecond() const {
        return std::max<std::int64_t>(1, static_cast<std::int64_t>(info_.frames_per_second));
    }
    void Hold(media::PlaybackState held) {
        CatchUp();
        state_ = held;
    }
    // The position follows the clock while playing; the end holds it there.
    void CatchUp() const {
        if (state_ != media::PlaybackState::kPlaying) return;
        const auto elapsed = static_cast<std::int64_t>(clock_.TickCount() - anchor_tick_);
        position_ms_ = anchor_ms_ + static_cast<std::int64_t>(elapsed * rate_);
        if (position_ms_ >= info_.duration_ms) {
            position_ms_ = info_.duration_ms;
            state_ = media::PlaybackState::kEnded;
            end_unreported_ = true;
        }
    }

    const host::Clock& clock_;
    media::MediaInfo info_;
    mutable media::PlaybackState state_ = media::PlaybackState::kStopped;
    mutable std::int64_t position_ms_ = 0;
    mutable bool end_unreported_ = false;
    std::uint32_t anchor_tick_ = 0;
    std::int64_t anchor_ms_ = 0;
    double rate_ = 1.0;
    bool muted_ = false;
    mutable Surface frame_;
};

}  // namespace velk::test
