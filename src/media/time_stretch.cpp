#include "media/time_stretch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velk::media {
namespace {

constexpr std::size_t kWindow = 882;       // frames: 20 ms at 44 100 Hz
constexpr std::size_t kHop = kWindow / 2;  // output frames per window
constexpr std::int64_t kTolerance = 220;   // frames the window may move to fit: 5 ms
constexpr std::size_t kCompared = kHop;    // frames compared when looking for the fit

// A Hann window: two of them half overlapped sum to one.
float Weight(std::size_t i) {
    return static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / kWindow));
}

std::int16_t ToSample(float v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

}  // namespace

void TimeStretch::SetRate(double rate) {
    if (rate != rate_) Reset();
    rate_ = rate;
}

void TimeStretch::Reset() {
    input_.clear();
    next_ = 0;
    previous_ = -1;
    tail_.clear();
}

std::size_t TimeStretch::BestStart(std::size_t nominal) const {
    if (previous_ < 0) return nominal;
    // The window should go on where the last one would have gone on by itself.
    const std::size_t natural = static_cast<std::size_t>(previous_) + kHop;
    const auto lowest = std::max<std::int64_t>(0, std::int64_t(nominal) - kTolerance);
    const auto highest = std::int64_t(nominal) + kTolerance;
    std::size_t best = nominal;
    double best_score = -1e300;
    for (std::int64_t start = lowest; start <= highest; start += 2) {
        double score = 0;
        const float* a = input_.data() + std::size_t(start) * kChannels;
        const float* b = input_.data() + natural * kChannels;
        for (std::size_t i = 0; i < kCompared * kChannels; i += 2 * kChannels)
            score += double(a[i] + a[i + 1]) * double(b[i] + b[i + 1]);
        if (score > best_score) {
            best_score = score;
            best = std::size_t(start);
        }
    }
    return best;
}

void TimeStretch::Process(std::span<const std::int16_t> in, std::vector<std::int16_t>& out) {
    if (rate_ == 1.0 && input_.empty() && tail_.empty()) {
        out.insert(out.end(), in.begin(), in.end());
        return;
    }
    input_.insert(input_.end(), in.begin(), in.end());
    const std::size_t frames = input_.size() / kChannels;
    const auto needed = [&](std::size_t start) {
        return std::max(start + std::size_t(kTolerance) + kWindow,
                        previous_ < 0 ? 0 : std::size_t(previous_) + kHop + kCompared);
    };
    while (needed(static_cast<std::size_t>(next_)) <= frames) {
        const std::size_t start = BestStart(static_cast<std::size_t>(next_));
        const float* window = input_.data() + start * kChannels;
        tail_.resize(kHop * kChannels, 0.0f);
        for (std::size_t i = 0; i < kHop; ++i) {
            const float w = Weight(i);
            for (std::size_t c = 0; c < kChannels; ++c)
                out.push_back(ToSample(tail_[i * kChannels + c] + w * window[i * kChannels + c]));
        }
        for (std::size_t i = 0; i < kHop; ++i) {
            const float w = Weight(kHop + i);
            for (std::size_t c = 0; c < kChannels; ++c)
                tail_[i * kChannels + c] = w * window[(kHop + i) * kChannels + c];
        }
        previous_ = std::int64_t(start);
        next_ += double(kHop) * rate_;
    }
    // Input that no later window can reach goes.
    const auto keep_from = static_cast<std::size_t>(std::max<std::int64_t>(
        0, std::min<std::int64_t>(previous_ < 0 ? std::int64_t(next_) : previous_,
                                  std::int64_t(next_) - kTolerance)));
    const std::size_t drop = std::min(keep_from, frames);
    if (drop > 0) {
        input_.erase(input_.begin(), input_.begin() + std::ptrdiff_t(drop * kChannels));
        next_ -= double(drop);
        if (previous_ >= 0) previous_ -= std::int64_t(drop);
    }
}

}  // namespace velk::media
