// Metafile objects (kind 14): an enhanced metafile played into the object's rectangle.
#pragma once

#include "document/object.h"

namespace velk {

struct DrawContext;

// Plays the stored metafile into the rectangle, exchanging its top and bottom or left and
// right as `param2` asks; nothing without a metafile.
void DrawMetafile(Object& object, DrawContext& ctx);

}  // namespace velk
