// A picture as stored in a project: raw RGB, or still coded (zlib or JPEG) until first use.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rgb_image.h"

namespace velk {

// How a picture was stored; kept so that a project writes back byte for byte.
enum class PictureCoding : std::uint8_t {
    kPlain,    // no coded marker: width x height x 3 bytes
    kStored,   // coded, method 0 with no compression: U raw bytes
    kZlib,     // coded, method 0: a zlib stream of U bytes
    kJpegRaw,  // coded, method 1 with length 0: raw RGB
    kJpeg,     // coded, method 1: a JPEG stream
    kRaw,      // coded, method 2: raw RGB
};

struct Picture {
    PictureCoding coding = PictureCoding::kPlain;
    // The size stored in the record. A JPEG's decoded size may differ and then wins.
    std::int32_t width = 0;
    std::int32_t height = 0;
    // For kZlib the uncompressed size U; for kStored the byte count; otherwise unused.
    std::uint32_t size = 0;
    // Raw RGB bytes, or the coded stream (zlib or JPEG) exactly as stored.
    std::vector<std::uint8_t> bytes;

    bool IsCoded() const {
        return coding == PictureCoding::kZlib || coding == PictureCoding::kJpeg;
    }
    bool operator==(const Picture&) const = default;
};

}  // namespace velk
