// A media file whose playing a test scripts: what it is (MediaInfo), where it is, and when it
// reaches its end. The test keeps the FakeMedia; the Playback an opener hands out works on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "media/playback.h"

namespace velk::testing {

struct FakeMedia {
    media::MediaInfo info;
    media::PlaybackState state = media::PlaybackState::kStopped;
    std::int64_t position_ms = 0;
    double rate = 1.0;
    bool muted = false;
    // The next Update reports the end.
    bool end_pending = false;
    std::optional<std::uint32_t> next_frame_due;
    Surface frame;
    // What was asked of it: "play", "pause", "stop", "seek 1500", "seek frame 36".
    std::vector<std::string> calls;
};

inline FakeMedia VideoMedia(std::int64_t duration_ms = 10000, double fps = 25) {
    FakeMedia media;
    media.info = {.has_video = true,
                  .has_audio = true,
                  .width = 32,
                  .height = 24,
                  .duration_ms = duration_ms,
                  .frames_per_second = fps,
                  .frame_count = static_cast<std::int64_t>(duration_ms * fps / 1000)};
    media.frame = Surface(32, 24);
    return media;
}

inline FakeMedia SoundMedia(std::int64_t duration_ms) {
    FakeMedia media;
    media.info = {.has_audio = true, .duration_ms = duration_ms};
    return media;
}

class FakePlayback : public media::Playback {
  public:
    explicit FakePlayback(FakeMedia& media) : m_(media) {}
    const media::MediaInfo& Info() const override { return m_.info; }
    media::PlaybackState State() const override { return m_.state; }
    void Play() override {
        if (m_.state == media::PlaybackState::kEnded) m_.position_ms = 0;
        m_.state = media::PlaybackState::kPlaying;
        m_.calls.push_back("play");
    }
    void Pause() override {
        m_.state = media::PlaybackState::kPaused;
        m_.calls.push_back("pause");
    }
    void Stop() override {
        m_.state = media::PlaybackState::kStopped;
        m_.calls.push_back("stop");
    }
    void SeekMs(std::int64_t ms) override {
        m_.position_ms = std::clamp<std::int64_t>(ms, 0, m_.info.duration_ms);
        if (m_.state == media::PlaybackState::kEnded) m_.state = media::PlaybackState::kStopped;
        m_.calls.push_back("seek " + std::to_string(ms));
    }
    void SeekFrame(std::int64_t frame) override {
        const double ms = static_cast<double>(frame) * 1000.0 / m_.info.frames_per_second;
        m_.position_ms = static_cast<std::int64_t>(
            std::clamp(ms, 0.0, static_cast<double>(m_.info.duration_ms)));
        if (m_.state == media::PlaybackState::kEnded) m_.state = media::PlaybackState::kStopped;
        m_.calls.push_back("seek frame " + std::to_string(frame));
    }
    std::int64_t PositionMs() const override { return m_.position_ms; }
    std::int64_t PositionFrame() const override {
        return static_cast<std::int64_t>(m_.position_ms * m_.info.frames_per_second / 1000);
    }
    bool SetRate(double rate) override {
        if (!(rate > 0 && rate <= 16)) return false;
        m_.rate = rate;
        return true;
    }
    double Rate() const override { return m_.rate; }
    void SetMuted(bool muted) override { m_.muted = muted; }
    bool Update() override {
        if (!m_.end_pending) return false;
        m_.end_pending = false;
        m_.state = media::PlaybackState::kEnded;
        m_.position_ms = m_.info.duration_ms;
        return true;
    }
    const Surface* CurrentFrame() const override { return m_.info.has_video ? &m_.frame : nullptr; }
    std::optional<std::uint32_t> NextFrameDue() const override {
        return m_.state == media::PlaybackState::kPlaying ? m_.next_frame_due : std::nullopt;
    }

  private:
    FakeMedia& m_;
};

// Files by the exact path the opener is given; any other path does not open.
class FakeMediaFiles {
  public:
    FakeMedia& Add(const std::string& path, FakeMedia media) {
        return files_[path] = std::move(media);
    }
    std::function<std::unique_ptr<media::Playback>(std::string_view)> Opener() {
        return [this](std::string_view path) -> std::unique_ptr<media::Playback> {
            auto found = files_.find(std::string(path));
            if (found == files_.end()) return nullptr;
            return std::make_unique<FakePlayback>(found->second);
        };
    }

  private:
    std::map<std::string, FakeMedia> files_;
};

}  // namespace velk::testing
