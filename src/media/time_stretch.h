// Sound played faster or slower at its own pitch: a small waveform-similarity overlap-add
// (WSOLA). The output is cut into 20 ms windows overlapping by half; each window is taken
// from the input where it continues the previous one best (within 5 ms of where the rate puts
// it), so voices and tones keep their pitch and join without clicks. At rate 1 the sound goes
// through untouched.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velk::media {

class TimeStretch {
  public:
    // Interleaved 16-bit stereo.
    static constexpr std::size_t kChannels = 2;

    void SetRate(double rate);
    double Rate() const { return rate_; }
    // Appends what `in` becomes at the rate to `out`. Some sound stays inside until more comes.
    void Process(std::span<const std::int16_t> in, std::vector<std::int16_t>& out);
    // Forgets what it holds (a seek).
    void Reset();

  private:
    std::size_t BestStart(std::size_t nominal) const;

    double rate_ = 1.0;
    std::vector<float> input_;    // interleaved, from the oldest frame still needed
    double next_ = 0;             // where the next window nominally starts, in frames of input_
    std::int64_t previous_ = -1;  // where the last window started; -1 before the first
    std::vector<float> tail_;     // the second half of the last window, to overlap
};

}  // namespace velk::media
