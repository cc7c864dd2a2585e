#include "hosts/headless/headless_audio.h"

#include <algorithm>

namespace velk::headless {
namespace {

// Rendered in pieces of 100 ms at most: a source that waits for its frames (speech) never has
// to make more than this at a time.
constexpr std::uint64_t kPieceFrames = host::AudioOutput::kSampleRate / 10;

std::uint64_t FramesAt(std::uint64_t elapsed_ms) {
    return elapsed_ms * host::AudioOutput::kSampleRate / 1000;
}

}  // namespace

HeadlessAudio::HeadlessAudio(VirtualClock& clock, Tap tap)
    : clock_(clock), tap_(std::move(tap)), start_ms_(clock.ElapsedMs()) {
    clock_.OnAdvance([this] { CatchUp(); });
}

HeadlessAudio::~HeadlessAudio() {
    clock_.OnAdvance(nullptr);
}

void HeadlessAudio::Attach(host::AudioSource* source) {
    CatchUp();  // what passed before belongs to the source that was attached then
    source_ = source;
}

std::uint64_t HeadlessAudio::PlayedFrames() const {
    return FramesAt(clock_.ElapsedMs() - start_ms_);
}

void HeadlessAudio::CatchUp() {
    const std::uint64_t due = PlayedFrames();
    if (source_ == nullptr && !tap_) {
        rendered_ = due;  // silence heard by nobody
        return;
    }
    while (rendered_ < due) {
        const std::uint64_t frames = std::min(due - rendered_, kPieceFrames);
        piece_.assign(frames * kChannels, 0);
        if (source_ != nullptr) source_->Render(piece_);
        if (tap_) tap_(piece_);
        rendered_ += frames;
    }
}

}  // namespace velk::headless
