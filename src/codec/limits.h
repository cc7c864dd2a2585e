// Size limits shared by every decoder of untrusted pictures and streams.
#pragma once

#include <cstdint>

namespace velk {

// The largest picture the format accepts: 75,000,000 bytes of RGB.
inline constexpr std::uint64_t kMaxPictureBytes = 75'000'000;

// zlib cannot expand data by more than about 1032:1; a claimed size beyond that is a lie and
// is refused before anything is allocated for it.
inline constexpr std::uint64_t kMaxInflateRatio = 1032;

constexpr bool PlausibleInflatedSize(std::uint64_t inflated, std::uint64_t compressed) {
    return inflated <= compressed * kMaxInflateRatio + 64;
}

}  // namespace velk
