// Looking up a colour per pixel, shared by the effects whose row loops first work out where
// each pixel's colour comes from.
//
// A vector loop can fetch sixteen table entries at scattered places only one at a time, moving
// each between the vector and the plain registers; a plain loop fetches them faster. So the
// effects work out the places in a vector row loop and fetch the colours here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gfx/surface.h"

namespace velk {

// out[i] = table[spots[i]].
void FetchColours(Bgrx* out, const std::int32_t* spots, std::size_t count, const Bgrx* table);
// out[i] = table[spots[i]], for a table of bytes.
void FetchLevels(std::uint32_t* out, const std::int32_t* spots, std::size_t count,
                 const std::uint8_t* table);
// out[i] = palette[levels[i]].
void FetchColours(Bgrx* out, const std::uint8_t* levels, std::size_t count, const Bgrx* palette);

}  // namespace velk
