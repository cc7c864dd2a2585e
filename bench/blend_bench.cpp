// DibSection::Blend of two 1024 x 768 stores (one step of a cross-fade) beside a plain copy of
// the same pixel bytes: the ratio says what the per-channel arithmetic costs over moving memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "gfx/dib_section.h"

namespace velk {
namespace {

constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 768;

DibSection Filled(std::uint32_t seed) {
    DibSection store;
    store.Recreate(kWidth, kHeight);
    std::uint32_t v = seed;
    for (Bgrx& pixel : store.Pixels().Pixels()) {
        v = v * 1664525u + 1013904223u;
        pixel = v & 0xFFFFFF;
    }
    return store;
}

struct Stores {
    DibSection first = Filled(1);
    DibSection second = Filled(2);
    DibSection out = Filled(3);
};

void CopyPixels(const DibSection& from, DibSection& to) {
    auto source = from.Pixels().Pixels();
    std::copy(source.begin(), source.end(), to.Pixels().Pixels().begin());
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kWidth * kHeight * 4);
}

void BM_Blend(benchmark::State& state) {
    Stores s;
    std::int32_t t = 0;
    for (auto _ : state) {
        s.out.Blend(s.first, s.second, t);
        t = (t + 17) & 0xFF;
        benchmark::DoNotOptimize(s.out.Pixels().Pixels().data());
    }
    SetBytes(state);
}
BENCHMARK(BM_Blend)->Unit(benchmark::kMicrosecond);

void BM_PlainCopy(benchmark::State& state) {
    Stores s;
    for (auto _ : state) {
        CopyPixels(s.first, s.out);
        benchmark::DoNotOptimize(s.out.Pixels().Pixels().data());
    }
    SetBytes(state);
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMicrosecond);

// Both in one run, alternating, so that the ratio compares like with like (same caches, same
// clock state): the reported time is the blend's, `blend_per_copy` how many copies it costs.
void BM_BlendAgainstCopy(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Stores s;
    std::chrono::duration<double> blend{0}, copy{0};
    std::int32_t t = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        s.out.Blend(s.first, s.second, t);
        benchmark::DoNotOptimize(s.out.Pixels().Pixels().data());
        auto t1 = Clock::now();
        CopyPixels(s.second, s.out);
        benchmark::DoNotOptimize(s.out.Pixels().Pixels().data());
        auto t2 = Clock::now();
        t = (t + 17) & 0xFF;
        blend += t1 - t0;
        copy += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["blend_per_copy"] = copy.count() > 0 ? blend.count() / copy.count() : 0;
}
BENCHMARK(BM_BlendAgainstCopy)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk
