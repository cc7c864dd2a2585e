// One frame of the cross-fade transition at 1024 x 768 beside copying the three buffers it
// touches (old page, new page, frame): the ratio says what the blending costs over moving the
// same memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "base/runtime_random.h"
#include "gfx/surface.h"
#include "pages/transition_frames.h"

namespace velk {
namespace {

constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 768;
constexpr int kCrossFade = 12;
constexpr int kFrames = 25;

Surface Noise(std::uint32_t seed) {
    Surface surface(kWidth, kHeight);
    std::uint32_t v = seed;
    for (Bgrx& pixel : surface.Pixels()) {
        v = v * 1664525u + 1013904223u;
        pixel = v & 0xFFFFFF;
    }
    return surface;
}

void Copy(const Surface& from, Surface& to) {
    std::copy(from.Pixels().begin(), from.Pixels().end(), to.Pixels().begin());
}

// Alternating in one run, so that the ratio compares like with like: the reported time is the
// frame's, `frame_per_copy` how many three-buffer copies one frame costs.
void BM_CrossFadeFrameAgainstCopy(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const Surface old_page = Noise(1), new_page = Noise(2);
    Surface frame = Noise(3), spare1(kWidth, kHeight), spare2(kWidth, kHeight),
            spare3(kWidth, kHeight);
    RuntimeRandom random;
    TransitionInputs inputs(random);
    std::chrono::duration<double> fade{0}, copy{0};
    int k = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        DrawTransitionFrame(kCrossFade, k, kFrames, old_page, new_page, frame, inputs);
        benchmark::DoNotOptimize(frame.Pixels().data());
        const auto t1 = Clock::now();
        Copy(old_page, spare1);
        Copy(new_page, spare2);
        Copy(frame, spare3);
        benchmark::DoNotOptimize(spare3.Pixels().data());
        const auto t2 = Clock::now();
        k = (k + 1) % kFrames;
        fade += t1 - t0;
        copy += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["frame_per_copy"] = copy.count() > 0 ? fade.count() / copy.count() : 0;
}
BENCHMARK(BM_CrossFadeFrameAgainstCopy)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk
