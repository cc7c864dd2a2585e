// One step of each Effect type at 640 x 480, beside copying that frame once: the cost of a
// frame of the page's effect timer in units of the cheapest thing a frame can do.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "base/pixel_dispatch.h"
#include "base/runtime_random.h"
#include "document/object.h"
#include "objects/effect/effect_engine.h"
#include "synthetic_photo.h"

namespace velk {
namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 480;

// Every step value set, so that each type moves every frame; modes as the demo uses them.
Object EffectOfType(std::int32_t type) {
    Object effect;
    effect.kind = kKindEffect;
    effect.rect = {0, 0, kWidth, kHeight};
    effect.option3 = kWidth;  // the frame's size
    effect.option4 = kHeight;
    effect.param1 = static_cast<std::uint32_t>(type);
    effect.param4 = type == 4 ? 3 : 0;  // the relief as a heat picture, the heaviest mode
    effect.colour1 = 0x2060C0;
    effect.colour2 = 0xF0E040;
    effect.colour3 = 0x050403;
    effect.hover_mode = 0x030201;
    effect.option0 = 0x0302;
    return effect;
}

void BM_EffectStepAgainstCopy(benchmark::State& state) {
    const auto type = static_cast<std::int32_t>(state.range(0));
    const RgbImage source = bench::SyntheticPhoto(kWidth, kHeight, 1);
    RuntimeRandom random(1);
    EffectEngine engine = MakeEffectEngine(EffectOfType(type), &source, random);
    if (engine.type < 0) {
        state.SkipWithError("the effect cannot show anything");
        return;
    }
    Surface copy(engine.width, engine.height);
    using Clock = std::chrono::steady_clock;
    std::chrono::duration<double> step{0}, copying{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        StepEffect(engine, random);
        benchmark::DoNotOptimize(engine.frame.Pixels().data());
        const auto t1 = Clock::now();
        std::copy(engine.frame.Pixels().begin(), engine.frame.Pixels().end(),
                  copy.Pixels().begin());
        benchmark::DoNotOptimize(copy.Pixels().data());
        const auto t2 = Clock::now();
        step += t1 - t0;
        copying += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["step_per_copy"] = copying.count() > 0 ? step.count() / copying.count() : 0;
    state.SetLabel(PixelLoopLevel());
}
// Types 0 to 6: plasma, clouds, fire, warped picture, relief, moving light, spin and zoom.
BENCHMARK(BM_EffectStepAgainstCopy)
    ->DenseRange(0, 6)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velk
