// One-call zlib compression and decompression (RFC 1950 streams).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace velk {

struct InflateResult {
    std::vector<std::uint8_t> bytes;  // what was produced, at most the expected size
    bool ok = false;                  // the stream was complete and gave exactly that size
};

// Told how many bytes an inflation has produced so far, every few megabytes.
using InflateProgress = std::function<void(std::size_t produced)>;

// Inflates into a buffer of `expected_size` bytes. The caller checks the size first
// (PlausibleInflatedSize) so that a lying header cannot make it allocate.
InflateResult Inflate(std::span<const std::uint8_t> stream, std::size_t expected_size,
                      const InflateProgress& progress = {});

// Compresses with the default level; the output is the same for the same input.
std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> data);

}  // namespace velk
