// The life of Effect objects on a page: made when the page is entered, stepped together by the
// page's effect timer, released when the page is left.
#pragma once

#include <vector>

#include "base/runtime_random.h"
#include "document/object.h"
#include "objects/object_owner.h"

namespace velk {

class PictureCache;

// Makes the engine of an Effect object (other kinds are left alone); its random phases and
// seeds come from the presentation's generator, so a seeded run repeats its pictures.
void StartEffect(Object& object, PictureCache& pictures, RuntimeRandom& random);

// Gives the engine's memory back.
void ReleaseEffect(Object& object);

// One step of every shown, running Effect among `objects`; each stepped rectangle is
// invalidated.
void StepEffects(std::vector<Object>& objects, RuntimeRandom& random, ObjectOwner& owner);

}  // namespace velk
