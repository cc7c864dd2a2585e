#include "media/time_stretch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace velk::media {
namespace {

constexpr int kRate = 44100;

std::vector<std::int16_t> Tone(double hz, int frames) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        const auto v =
            static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * hz * i / kRate));
        samples.push_back(v);
        samples.push_back(v);
    }
    return samples;
}

// Upward zero crossings of the left channel per second: the tone's frequency.
double Frequency(const std::vector<std::int16_t>& samples) {
    int crossings = 0;
    for (std::size_t i = 2; i < samples.size(); i += 2)
        if (samples[i - 2] < 0 && samples[i] >= 0) ++crossings;
    return crossings * double(kRate) / double(samples.size() / 2);
}

double Rms(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (auto s : samples) sum += double(s) * s;
    return std::sqrt(sum / double(samples.size()));
}

TEST(TimeStretch, ChangesTheLengthAndKeepsThePitch) {
    const auto tone = Tone(440, 2 * kRate);
    for (double rate : {0.5, 0.8, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(rate);
        TimeStretch stretch;
        stretch.SetRate(rate);
        std::vector<std::int16_t> out;
        // In pieces, as the decoder hands them over.
        for (std::size_t at = 0; at < tone.size(); at += 2 * 1000) {
            const std::size_t end = std::min(tone.size(), at + 2 * 1000);
            stretch.Process(std::span(tone).subspan(at, end - at), out);
        }
        const double expected = double(tone.size() / 2) / rate;
        // Up to a few windows stay inside waiting for more.
        EXPECT_NEAR(double(out.size() / 2), expected, 2000.0);
        EXPECT_NEAR(Frequency(out), 440.0, 440.0 * 0.03);
        // Windows join without gaps or doubling: the loudness stays.
        EXPECT_NEAR(Rms(out) / Rms(tone), 1.0, 0.15);
    }
}

TEST(TimeStretch, PassesSoundThroughUntouchedAtRateOne) {
    const auto tone = Tone(300, 5000);
    TimeStretch stretch;
    stretch.SetRate(2.0);
    std::vector<std::int16_t> out;
    stretch.Process(tone, out);
    stretch.SetRate(1.0);
    out.clear();
    stretch.Process(tone, out);
    EXPECT_EQ(out, tone);
}

}  // namespace
}  // namespace velk::media
