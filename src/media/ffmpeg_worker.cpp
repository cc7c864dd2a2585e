#include "media/ffmpeg_worker.h"

#include <algorithm>

namespace velk::media {
namespace {

// How long the decoder sleeps when the sound stream is full (the speakers take about 440
// frames in that time).
constexpr auto kSoundRetry = std::chrono::milliseconds(10);

}  // namespace

FfmpegWorker::FfmpegWorker(std::unique_ptr<FfmpegDecoder> decoder,
                           std::shared_ptr<AudioMixer::Stream> sound, bool wait_for_sound)
    : decoder_(std::move(decoder)),
      sound_(std::move(sound)),
      wait_for_sound_(wait_for_sound),
      has_video_(decoder_->Info().has_video),
      frame_us_(decoder_->FrameDurationUs()),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

FfmpegWorker::~FfmpegWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    decoder_->Interrupt();
    changed_.notify_all();
    thread_.request_stop();
    thread_.join();
}

void FfmpegWorker::Seek(std::int64_t position_us) {
    {
        std::lock_guard lock(mutex_);
        for (auto& picture : pictures_) spare_.push_back(std::move(picture.pixels));
        pictures_.clear();
        seek_target_us_ = position_us;
        ++seek_generation_;
        ended_ = false;
        decoded_end_us_ = position_us;
    }
    if (sound_) sound_->Clear();
    changed_.notify_all();
}

void FfmpegWorker::Run(std::stop_token stop) {
    DecodedVideo picture;
    DecodedAudio sound;
    std::uint64_t generation = 0;
    while (!stop.stop_requested()) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || SeekPending() || !ended_; });
            if (stopping_) return;
            if (SeekPending()) {
                const std::int64_t target = seek_target_us_;
                generation = handled_generation_ = seek_generation_;
                lock.unlock();
                decoder_->Seek(target);
                stretch_.Reset();
                // Sound of the old position that was pushed meanwhile goes too.
                if (sound_) sound_->Clear();
                continue;
            }
        }
        switch (decoder_->Next(picture, sound)) {
            case FfmpegDecoder::Step::kVideo:
                PushPicture(picture, generation);
                break;
            case FfmpegDecoder::Step::kAudio:
                PushSound(sound, generation);
                break;
            case FfmpegDecoder::Step::kEnd: {
                std::lock_guard lock(mutex_);
                if (generation == seek_generation_) ended_ = true;
                changed_.notify_all();
                break;
            }
        }
    }
}

void FfmpegWorker::PushPicture(DecodedVideo& picture, std::uint64_t generation) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] {
        return stopping_ || generation != seek_generation_ || pictures_.size() < kMaxQueuedPictures;
    });
    if (stopping_ || generation != seek_generation_) return;
    decoded_end_us_ = std::max(decoded_end_us_, picture.pts_us + frame_us_);
    pictures_.push_back(std::move(picture));
    picture = DecodedVideo{};
    if (!spare_.empty()) {
        picture.pixels = std::move(spare_.back());
        spare_.pop_back();
    }
    changed_.notify_all();
}

void FfmpegWorker::PushSound(const DecodedAudio& sound, std::uint64_t generation) {
    if (sound_) {
        stretch_.SetRate(sound_rate_);
        stretched_.clear();
        stretch_.Process(sound.samples, stretched_);
        PushToStream(stretched_, generation);
    }
    const auto frames = static_cast<std::int64_t>(sound.samples.size() / 2);
    std::lock_guard lock(mutex_);
    if (generation != seek_generation_) return;
    decoded_end_us_ =
        std::max(decoded_end_us_, sound.pts_us + frames * 1000000 / host::AudioOutput::kSampleRate);
    changed_.notify_all();
}

void FfmpegWorker::PushToStream(std::span<const std::int16_t> rest, std::uint64_t generation) {
    while (!rest.empty()) {
        rest = rest.subspan(sound_->Push(rest) * 2);
        if (rest.empty() || !wait_for_sound_) return;
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kSoundRetry,
                          [&] { return stopping_ || generation != seek_generation_; });
        if (stopping_ || generation != seek_generation_) return;
    }
}

bool FfmpegWorker::Settled(std::int64_t position_us) const {
    if (ended_ || SeekPending()) return ended_ && !SeekPending();
    if (has_video_) return !pictures_.empty() && pictures_.back().pts_us > position_us;
    return decoded_end_us_ > position_us;
}

bool FfmpegWorker::Advance(std::int64_t position_us, std::chrono::steady_clock::time_point deadline,
                           DecodedVideo& current) {
    std::unique_lock lock(mutex_);
    bool changed = false;
    const auto take_due = [&] {
        while (!pictures_.empty() && pictures_.front().pts_us <= position_us) {
            if (!current.pixels.Empty()) spare_.push_back(std::move(current.pixels));
            current = std::move(pictures_.front());
            pictures_.pop_front();
            changed = true;
            changed_.notify_all();  // room in the queue
        }
    };
    for (;;) {
        take_due();
        if (Settled(position_us)) break;
        if (changed_.wait_until(lock, deadline) == std::cv_status::timeout) {
            take_due();  // whatever came meanwhile still counts
            break;
        }
    }
    // Reuse needs a few surfaces; more would only hold memory.
    if (spare_.size() > 2) spare_.resize(2);
    return changed;
}

std::optional<std::int64_t> FfmpegWorker::NextPictureUs() const {
    std::lock_guard lock(mutex_);
    if (pictures_.empty()) return std::nullopt;
    return pictures_.front().pts_us;
}

bool FfmpegWorker::Drained() const {
    std::lock_guard lock(mutex_);
    return ended_ && !SeekPending() && pictures_.empty();
}

std::int64_t FfmpegWorker::DecodedEndUs() const {
    std::lock_guard lock(mutex_);
    return decoded_end_us_;
}

}  // namespace velk::media
