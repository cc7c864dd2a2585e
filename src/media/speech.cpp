#include "media/speech.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "base/codepage.h"

namespace velk::media {
namespace {

constexpr std::size_t kChannels = host::AudioOutput::kChannels;
static_assert(host::AudioOutput::kSampleRate == 2 * speech_engine::kSampleRate,
              "speech doubles the synthesiser's rate");
// How far the synthesiser may run ahead of what sounded: ten seconds of frames. Beyond that it
// waits, so a long text holds little memory.
constexpr std::size_t kAheadSamples = 10 * host::AudioOutput::kSampleRate * kChannels;
// Texts waiting beyond this are not kept: a script saying in a loop cannot fill the memory.
constexpr std::size_t kMaxWaitingTexts = 1000;
// A headless output waits for the synthesiser at most this long; it never hangs on it.
constexpr std::chrono::seconds kMaxWait{30};

// espeak-ng's words per minute go from 80 to 450.
constexpr std::int32_t kSlowestWords = 80;
constexpr std::int32_t kFastestWords = 450;
// The presentation's pitch range and espeak-ng's.
constexpr std::int32_t kLowestPitch = 47;
constexpr std::int32_t kHighestPitch = 200;
constexpr std::int32_t kEnginePitchTop = 100;

}  // namespace

// One text's samples on their way into the speech's sound: each synthesised sample becomes two
// frames, the second halfway to the next sample, so the doubling does not depend on how the
// synthesiser cut its pieces.
class Speech::Sink : public speech_engine::SampleSink {
  public:
    Sink(Speech& speech, std::uint64_t generation, std::stop_token stop)
        : speech_(speech), generation_(generation), stop_(std::move(stop)) {}

    bool Take(std::span<const std::int16_t> samples) override {
        std::unique_lock lock(speech_.mutex_);
        if (Stale()) return false;
        for (const std::int16_t sample : samples) {
            if (last_) {
                Emit(*last_);
                Emit(static_cast<std::int16_t>((std::int32_t{*last_} + sample) / 2));
            }
            last_ = sample;
        }
        speech_.changed_.notify_all();
        speech_.changed_.wait(lock, stop_,
                              [&] { return Stale() || speech_.sound_.size() < kAheadSamples; });
        return !Stale();
    }

    // The text is done: its last sample is held for its two frames.
    void Finish() {
        std::lock_guard lock(speech_.mutex_);
        if (Stale() || !last_) return;
        Emit(*last_);
        Emit(*last_);
        last_.reset();
    }

  private:
    bool Stale() const { return generation_ != speech_.generation_ || stop_.stop_requested(); }
    void Emit(std::int16_t value) {
        for (std::size_t c = 0; c < kChannels; ++c) speech_.sound_.push_back(value);
    }

    Speech& speech_;
    const std::uint64_t generation_;
    const std::stop_token stop_;
    std::optional<std::int16_t> last_;
};

Speech::Speech(AudioMixer& mixer, bool virtual_clock)
    : mixer_(mixer), virtual_clock_(virtual_clock) {
    mixer_.AddSource(this);
}

Speech::~Speech() {
    // No render runs once this returns; the worker is stopped and joined next (worker_ goes
    // first), and a text being synthesised ends at its next piece.
    mixer_.RemoveSource(this);
}

bool Speech::Start() {
    if (tried_) return started_;
    tried_ = true;
    if (!speech_engine::Available()) return false;
    started_ = true;
    worker_ = std::jthread([this](std::stop_token stop) { Work(std::move(stop)); });
    return true;
}

void Speech::Work(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [&] { return !texts_.empty() && !paused_; })) {
        Text text = std::move(texts_.front());
        texts_.pop_front();
        synthesising_ = true;
        lock.unlock();
        Sink sink(*this, text.generation, stop);
        speech_engine::Synthesize(text.utf8, text.voice, sink);
        sink.Finish();
        lock.lock();
        synthesising_ = false;
        changed_.notify_all();
    }
}

void Speech::Say(std::string_view text) {
    if (!started_) return;
    std::string utf8 = Cp1252ToUtf8(text);
    std::lock_guard lock(mutex_);
    if (texts_.size() >= kMaxWaitingTexts) return;
    texts_.push_back({std::move(utf8), voice_, generation_});
    changed_.notify_all();
}

void Speech::Stop() {
    std::lock_guard lock(mutex_);
    ++generation_;
    texts_.clear();
    sound_.clear();
    changed_.notify_all();
}

void Speech::Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
}

void Speech::Resume() {
    std::lock_guard lock(mutex_);
    paused_ = false;
    changed_.notify_all();
}

void Speech::SetPitch(std::int32_t pitch) {
    const std::int32_t clamped = std::clamp(pitch, kLowestPitch, kHighestPitch);
    voice_.pitch = (clamped - kLowestPitch) * kEnginePitchTop / (kHighestPitch - kLowestPitch);
}

void Speech::SetSpeed(std::int32_t words_per_minute) {
    voice_.words_per_minute = std::clamp(words_per_minute, kSlowestWords, kFastestWords);
}

bool Speech::Idle() const {
    return texts_.empty() && !synthesising_;
}

bool Speech::Speaking() const {
    std::lock_guard lock(mutex_);
    return !Idle() || !sound_.empty();
}

void Speech::Render(std::span<std::int16_t> interleaved) {
    const std::size_t wanted = interleaved.size() - interleaved.size() % kChannels;
    std::unique_lock lock(mutex_);
    std::size_t taken = 0;
    if (!paused_) {
        if (virtual_clock_) {
            // What sounds must not depend on how fast the synthesiser ran: wait for the frames
            // due, or for the end of everything said.
            const std::size_t due = std::min(wanted, kAheadSamples);
            changed_.wait_for(lock, kMaxWait, [&] { return sound_.size() >= due || Idle(); });
        }
        taken = std::min(wanted, sound_.size());
        std::copy_n(sound_.begin(), taken, interleaved.begin());
        sound_.erase(sound_.begin(), sound_.begin() + static_cast<std::ptrdiff_t>(taken));
        if (taken > 0) changed_.notify_all();
    }
    std::fill(interleaved.begin() + static_cast<std::ptrdiff_t>(taken), interleaved.end(), 0);
}

}  // namespace velk::media
