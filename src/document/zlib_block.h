// The stored form shared by compressed layers, transition masks and embedded files: after the
// size U comes u32 C, then C bytes of a zlib stream that inflates to U bytes, or (C = 0) the U
// bytes themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace velk {

struct ZlibBlock {
    std::vector<std::uint8_t> bytes;  // what was inflated, at most U bytes
    bool compressed = false;          // C was non-zero
    bool ok = true;                   // false: the stream failed or gave another length
};

// Reads C and the data of a block whose size U the caller has read. A U that no stream of C
// bytes can reach is treated as a failed inflation and nothing is allocated for it.
// `progress` hears how many of the `size` bytes are inflated so far.
ZlibBlock ReadZlibBlock(ByteReader& in, std::uint32_t size,
                        const std::function<void(std::size_t produced)>& progress = {});

// Writes C and the data (without U). With `compress` the data is deflated; should zlib refuse,
// the bytes are stored as they are.
void WriteZlibBlock(ByteWriter& out, std::span<const std::uint8_t> data, bool compress);

}  // namespace velk
