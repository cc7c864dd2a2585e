#include "objects/effect/effect_engine.h"

#include <algorithm>

#include "objects/effect/effect_types.h"

namespace velk {
namespace {

std::int32_t ByteOf(std::uint32_t value, int index) {
    return static_cast<std::int32_t>((value >> (8 * index)) & 0xFF);
}

// Types 3 and 5 take their frame size from the picture they work on.
bool FrameIsSourceSized(std::int32_t type) {
    return type == static_cast<std::int32_t>(EffectType::kWarp) ||
           type == static_cast<std::int32_t>(EffectType::kLight);
}

bool NeedsSource(std::int32_t type) {
    return type >= static_cast<std::int32_t>(EffectType::kWarp);
}

std::int32_t FrameSide(std::int32_t rect_side, std::uint32_t requested) {
    const std::int64_t side = std::min<std::int64_t>(rect_side, requested);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(side, 0, kMaxEffectSide));
}

Surface SourceStore(const RgbImage& image) {
    Surface store(image.width, image.height);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* in =
            image.pixels.data() + std::size_t(y) * std::size_t(image.width) * 3;
        Bgrx* out = store.Row(y);
        for (std::int32_t x = 0; x < image.width; ++x, in += 3)
            out[x] = MakeBgrx(in[0], in[1], in[2]);
    }
    return store;
}

bool UsableSource(const RgbImage* source) {
    return source != nullptr && source->width > 0 && source->height > 0 &&
           source->width <= kMaxEffectSide && source->height <= kMaxEffectSide &&
           source->pixels.size() >= std::size_t(source->width) * std::size_t(source->height) * 3;
}

void SetUp(EffectEngine& engine, RuntimeRandom& random) {
    switch (static_cast<EffectType>(engine.type)) {
        case EffectType::kPlasma:
            SetUpPlasma(engine, random);
            break;
        case EffectType::kClouds:
            SetUpClouds(engine, random);
            break;
        case EffectType::kFire:
            SetUpFire(engine);
            break;
        case EffectType::kWarp:
            SetUpWarp(engine, random);
            break;
        case EffectType::kRelief:
            SetUpRelief(engine);
            break;
        case EffectType::kLight:
            SetUpLight(engine);
            break;
        case EffectType::kSpin:
            SetUpSpin(engine);
            break;
    }
}

}  // namespace

double EffectRandom(RuntimeRandom& random) {
    return random.Next() / static_cast<double>(RuntimeRandom::kMax);
}

std::int32_t EffectRandomPhase(RuntimeRandom& random) {
    return static_cast<std::int32_t>(EffectRandom(random) * 256.0) & 0xFF;
}

EffectEngine MakeEffectEngine(const Object& effect, const RgbImage* source, RuntimeRandom& random) {
    EffectEngine engine;
    const auto type = static_cast<std::int32_t>(effect.param1);
    if (type < 0 || type > static_cast<std::int32_t>(EffectType::kSpin)) return engine;
    const bool has_source = UsableSource(source);
    // Without its picture a picture effect never fills its frame: it draws nothing.
    if (NeedsSource(type) && !has_source) return engine;
    const Rect& r = effect.rect;
    engine.width = FrameSide(r.right - r.left, effect.option3);
    engine.height = FrameSide(r.bottom - r.top, effect.option4);
    if (has_source) {
        engine.source = SourceStore(*source);
        engine.has_source = true;
        if (FrameIsSourceSized(type)) {
            engine.width = source->width;
            engine.height = source->height;
        }
    }
    if (engine.width <= 0 || engine.height <= 0) return engine;
    engine.type = type;
    engine.mode = static_cast<std::int32_t>(effect.param4);
    engine.c1 = effect.colour1 & 0xFFFFFF;
    engine.c2 = effect.colour2 & 0xFFFFFF;
    for (int i = 0; i < 3; ++i) {
        engine.s[1 + i] = ByteOf(effect.colour3, i);
        engine.s[4 + i] = ByteOf(effect.hover_mode, i);
    }
    engine.s[7] = ByteOf(effect.option0, 0);
    engine.s[8] = ByteOf(effect.option0, 1);
    engine.frame = Surface(engine.width, engine.height);
    SetUp(engine, random);
    StepEffect(engine, random);
    return engine;
}

void StepEffect(EffectEngine& engine, RuntimeRandom& random) {
    switch (static_cast<EffectType>(engine.type)) {
        case EffectType::kPlasma:
            StepPlasma(engine);
            break;
        case EffectType::kClouds:
            StepClouds(engine);
            break;
        case EffectType::kFire:
            StepFire(engine, random);
            break;
        case EffectType::kWarp:
            StepWarp(engine, random);
            break;
        case EffectType::kRelief:
            StepRelief(engine);
            break;
        case EffectType::kLight:
            StepLight(engine);
            break;
        case EffectType::kSpin:
            StepSpin(engine);
            break;
        default:
            return;
    }
    engine.filled = true;
}

}  // namespace velk
