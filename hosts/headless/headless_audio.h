// The speakers of a headless run: the core's sound is rendered as the virtual clock moves,
// exactly 44.1 frames per virtual millisecond, so the audio clock is the virtual clock and two
// runs sound the same frames at the same times. What sounded may be handed on (a WAV file).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "host/host.h"
#include "hosts/headless/virtual_clock.h"

namespace velk::headless {

class HeadlessAudio : public host::AudioOutput {
  public:
    // Receives every rendered piece, in order (interleaved stereo, silence included).
    using Tap = std::function<void(std::span<const std::int16_t>)>;

    // Listens to `clock` (its one listener) from now until destroyed.
    explicit HeadlessAudio(VirtualClock& clock, Tap tap = {});
    ~HeadlessAudio() override;
    HeadlessAudio(const HeadlessAudio&) = delete;
    HeadlessAudio& operator=(const HeadlessAudio&) = delete;

    void Attach(host::AudioSource* source) override;
    // The frames of the virtual time since the output was made, the fraction carried: 441 per
    // 10 ms.
    std::uint64_t PlayedFrames() const override;

  private:
    // Renders what the clock has reached and the output has not.
    void CatchUp();

    VirtualClock& clock_;
    Tap tap_;
    const std::uint64_t start_ms_;
    std::uint64_t rendered_ = 0;  // frames
    host::AudioSource* source_ = nullptr;
    std::vector<std::int16_t> piece_;
};

}  // namespace velk::headless
