#include "media/ffmpeg_playback.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace velk::media {
namespace {

// Half a second of sound waits in the mixer: enough to ride out a slow frame, little enough that
// a seek or a pause is heard at once.
constexpr std::size_t kSoundCapacityFrames = host::AudioOutput::kSampleRate / 2;
constexpr double kMinRate = 0.01;
constexpr double kMaxRate = 100.0;
// Real time a virtual clock waits for the decoder at most, so that a decoder stuck in a hostile
// file cannot hang a headless run.
constexpr auto kVirtualWaitLimit = std::chrono::seconds(10);
// Real time a seek on the desktop waits for the picture at its target: about one frame.
constexpr auto kSeekWait = std::chrono::milliseconds(40);
constexpr std::int64_t kNoEnd = INT64_MAX / 4;
// Milliseconds without a sound frame played after which the sound no longer keeps the time.
constexpr std::uint32_t kSoundStall = 250;

}  // namespace

FfmpegPlayback::FfmpegPlayback(std::unique_ptr<FfmpegDecoder> decoder, const host::Clock& clock,
                               AudioMixer* mixer, bool speakers_clock)
    : info_(decoder->Info()),
      clock_(clock),
      mixer_(info_.has_audio ? mixer : nullptr),
      speakers_clock_(speakers_clock && mixer_ && !clock.IsVirtual()),
      frame_us_(decoder->FrameDurationUs()) {
    if (mixer_) {
        sound_ = mixer_->AddStream(kSoundCapacityFrames);
        sound_->SetPaused(true);
    }
    worker_ = std::make_unique<FfmpegWorker>(std::move(decoder), sound_, speakers_clock_);
    // Stopped at the start, the first picture showing (decoded while opening, so it comes
    // at once).
    worker_->Advance(0, SeekDeadline(), current_);
}

FfmpegPlayback::~FfmpegPlayback() {
    worker_.reset();
    if (sound_) mixer_->RemoveStream(sound_);
}

std::chrono::steady_clock::time_point FfmpegPlayback::WaitDeadline() const {
    const auto now = std::chrono::steady_clock::now();
    return clock_.IsVirtual() ? now + kVirtualWaitLimit : now;
}

std::chrono::steady_clock::time_point FfmpegPlayback::SeekDeadline() const {
    return clock_.IsVirtual() ? WaitDeadline() : std::chrono::steady_clock::now() + kSeekWait;
}

bool FfmpegPlayback::UsesSpeakersClock() const {
    return speakers_clock_;
}

std::int64_t FfmpegPlayback::EndLimitUs() const {
    if (info_.duration_ms > 0) return info_.duration_ms * 1000;
    if (worker_->Drained()) return worker_->DecodedEndUs();
    return kNoEnd;
}

std::int64_t FfmpegPlayback::ClockUs() const {
    if (state_ != PlaybackState::kPlaying) return position_us_;
    double elapsed_us = 0;
    if (anchored_to_sound_) {
        elapsed_us = double(sound_->SoundedFrames() - anchor_sounded_) * 1e6 /
                     host::AudioOutput::kSampleRate;
    } else {
        elapsed_us = double(std::uint32_t(clock_.TickCount() - anchor_tick_)) * 1000.0;
    }
    return position_us_ + std::llround(elapsed_us * rate_);
}

void FfmpegPlayback::Anchor(std::int64_t position_us) const {
    position_us_ = position_us;
    anchor_tick_ = clock_.TickCount();
    if (sound_) anchor_sounded_ = last_sounded_ = sound_->SoundedFrames();
    last_sound_tick_ = anchor_tick_;
}

void FfmpegPlayback::Catch() const {
    if (state_ == PlaybackState::kPlaying && anchored_to_sound_) {
        const std::uint64_t sounded = sound_->SoundedFrames();
        const std::uint32_t now = clock_.TickCount();
        if (sounded != last_sounded_) {
            last_sounded_ = sounded;
            last_sound_tick_ = now;
        } else if (std::uint32_t(now - last_sound_tick_) > kSoundStall) {
            // The sound stopped (its stream ended before the pictures, or the speakers went
            // away): the ticks carry on from where it stood.
            Anchor(ClockUs());
            anchored_to_sound_ = false;
        }
    }
    const std::int64_t position = ClockUs();
    worker_->Advance(position, WaitDeadline(), current_);
    if (state_ == PlaybackState::kPlaying && worker_->Drained()) {
        const std::int64_t end = worker_->DecodedEndUs();
        if (position >= end) {
            state_ = PlaybackState::kEnded;
            end_unreported_ = true;
            position_us_ = end;
            if (sound_) sound_->SetPaused(true);
        }
    }
}

void FfmpegPlayback::Play() {
    if (state_ == PlaybackState::kPlaying) return;
    if (state_ == PlaybackState::kEnded) SeekUs(0);
    state_ = PlaybackState::kPlaying;
    anchored_to_sound_ = UsesSpeakersClock();
    Anchor(position_us_);
    if (sound_) sound_->SetPaused(false);
}

void FfmpegPlayback::Hold(PlaybackState held) {
    if (state_ == PlaybackState::kPlaying) {
        Catch();
        if (state_ == PlaybackState::kEnded) return;
        position_us_ = ClockUs();
        if (sound_) sound_->SetPaused(true);
    }
    // An ended file stays ended: its end was reached, whatever holds it now.
    if (state_ != PlaybackState::kEnded) state_ = held;
}

void FfmpegPlayback::SeekUs(std::int64_t position_us) {
    position_us = std::clamp<std::int64_t>(position_us, 0, EndLimitUs());
    worker_->Seek(position_us);
    if (state_ == PlaybackState::kEnded) state_ = PlaybackState::kStopped;
    end_unreported_ = false;
    anchored_to_sound_ = state_ == PlaybackState::kPlaying && UsesSpeakersClock();
    Anchor(position_us);
    const auto deadline =
        clock_.IsVirtual() ? WaitDeadline() : std::chrono::steady_clock::now() + kSeekWait;
    worker_->Advance(position_us, deadline, current_);
}

void FfmpegPlayback::SeekMs(std::int64_t position_ms) {
    SeekUs(std::clamp<std::int64_t>(position_ms, 0, kNoEnd / 1000) * 1000);
}

void FfmpegPlayback::SeekFrame(std::int64_t frame) {
    if (info_.frame_count > 0) frame = std::min(frame, info_.frame_count);
    frame = std::clamp<std::int64_t>(frame, 0, kNoEnd / 1000000);
    const double fps = info_.frames_per_second > 0 ? info_.frames_per_second : 25.0;
    // The frame's own start, rounded up so that the time lands on the frame, not before it.
    SeekUs(static_cast<std::int64_t>(std::ceil(double(frame) * 1e6 / fps)));
}

std::int64_t FfmpegPlayback::PositionMs() const {
    return std::clamp<std::int64_t>(ClockUs(), 0, EndLimitUs()) / 1000;
}

std::int64_t FfmpegPlayback::PositionFrame() const {
    const double fps = info_.frames_per_second > 0 ? info_.frames_per_second : 25.0;
    const auto us = std::clamp<std::int64_t>(ClockUs(), 0, EndLimitUs());
    // A frame's start rounded to microseconds is still that frame.
    return static_cast<std::int64_t>(std::floor(double(us) * fps / 1e6 + 1e-3));
}

bool FfmpegPlayback::SetRate(double rate) {
    if (!(rate >= kMinRate && rate <= kMaxRate)) return false;
    if (rate == rate_) return true;
    const std::int64_t position = ClockUs();
    rate_ = rate;
    if (sound_) worker_->SetSoundRate(rate);
    if (sound_ && state_ != PlaybackState::kEnded) {
        // The sound already queued plays at the old rate: it is decoded again from here.
        SeekUs(position);
    } else if (state_ == PlaybackState::kPlaying) {
        Anchor(position);
    } else {
        position_us_ = position;
    }
    return true;
}

void FfmpegPlayback::SetMuted(bool muted) {
    if (sound_) sound_->SetVolume(muted ? 0.0f : 1.0f);
}

bool FfmpegPlayback::Update() {
    Catch();
    return std::exchange(end_unreported_, false);
}

const Surface* FfmpegPlayback::CurrentFrame() const {
    Catch();
    return current_.pixels.Empty() ? nullptr : &current_.pixels;
}

std::optional<std::uint32_t> FfmpegPlayback::NextFrameDue() const {
    if (state_ != PlaybackState::kPlaying || !info_.has_video) return std::nullopt;
    Catch();
    if (state_ != PlaybackState::kPlaying) return clock_.TickCount();  // the end is due now
    std::int64_t next = 0;
    if (const auto queued = worker_->NextPictureUs()) {
        next = *queued;
    } else if (worker_->Drained()) {
        next = worker_->DecodedEndUs();  // no picture left: the end is next
    } else {
        next = ClockUs() + frame_us_;  // the decoder is behind: look again in a frame
    }
    if (anchored_to_sound_) {
        const double ms = double(std::max<std::int64_t>(next - ClockUs(), 0)) / rate_ / 1000.0;
        return clock_.TickCount() + static_cast<std::uint32_t>(std::ceil(ms));
    }
    // The first tick at which the clock reaches the picture.
    auto ticks =
        static_cast<std::int64_t>(std::ceil(double(next - position_us_) / (1000.0 * rate_) - 1e-9));
    ticks = std::max<std::int64_t>(ticks, 0);
    while (position_us_ + std::llround(double(ticks) * 1000.0 * rate_) < next) ++ticks;
    return anchor_tick_ + static_cast<std::uint32_t>(ticks);
}

}  // namespace velk::media
