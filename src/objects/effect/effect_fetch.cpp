// Built without the vector loops of the effects' row kernels (see effect_fetch.h).
#include "objects/effect/effect_fetch.h"

namespace velk {

void FetchColours(Bgrx* __restrict out, const std::int32_t* __restrict spots, std::size_t count,
                  const Bgrx* __restrict table) {
    for (std::size_t i = 0; i < count; ++i) out[i] = table[spots[i]];
}

void FetchLevels(std::uint32_t* __restrict out, const std::int32_t* __restrict spots,
                 std::size_t count, const std::uint8_t* __restrict table) {
    for (std::size_t i = 0; i < count; ++i) out[i] = table[spots[i]];
}

void FetchColours(Bgrx* __restrict out, const std::uint8_t* __restrict levels, std::size_t count,
                  const Bgrx* __restrict palette) {
    for (std::size_t i = 0; i < count; ++i) out[i] = palette[levels[i]];
}

}  // namespace velk
