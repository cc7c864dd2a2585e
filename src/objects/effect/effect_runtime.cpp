#include "objects/effect/effect_runtime.h"

#include <memory>

#include "objects/effect/effect_engine.h"
#include "objects/picture_cache.h"

namespace velk {

void StartEffect(Object& object, PictureCache& pictures, RuntimeRandom& random) {
    if (object.kind != kKindEffect) return;
    const RgbImage* source = object.image1 ? &pictures.Pixels(*object.image1) : nullptr;
    object.effect_engine = std::make_shared<EffectEngine>(MakeEffectEngine(object, source, random));
}

void ReleaseEffect(Object& object) {
    object.effect_engine.reset();
}

void StepEffects(std::vector<Object>& objects, RuntimeRandom& random, ObjectOwner& owner) {
    for (Object& object : objects) {
        if (object.kind != kKindEffect || !object.effect_engine) continue;
        // A paused effect keeps showing its last frame.
        if (object.hidden != 0 || object.param3 != 0) continue;
        StepEffect(*object.effect_engine, random);
        owner.Invalidate(object.rect);
    }
}

}  // namespace velk
