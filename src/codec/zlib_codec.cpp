#include "codec/zlib_codec.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace velk {
namespace {

constexpr std::size_t kProgressSlice = std::size_t{4} << 20;

}  // namespace

InflateResult Inflate(std::span<const std::uint8_t> stream, std::size_t expected_size,
                      const InflateProgress& progress) {
    InflateResult result;
    result.bytes.resize(expected_size);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        result.bytes.clear();
        return result;
    }
    // Fed in slices so that sizes beyond the 32-bit counters of z_stream stay correct; the
    // output in smaller ones so that progress can be told while a large project inflates.
    const std::size_t kSlice = std::numeric_limits<uInt>::max();
    const std::size_t kOutSlice = progress ? kProgressSlice : kSlice;
    std::size_t in_pos = 0, out_pos = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        std::size_t in_len = std::min(kSlice, stream.size() - in_pos);
        std::size_t out_len = std::min(kOutSlice, expected_size - out_pos);
        z.next_in = const_cast<Bytef*>(stream.data() + in_pos);
        z.avail_in = static_cast<uInt>(in_len);
        z.next_out = result.bytes.data() + out_pos;
        z.avail_out = static_cast<uInt>(out_len);
        status = inflate(&z, Z_NO_FLUSH);
        in_pos += in_len - z.avail_in;
        out_pos += out_len - z.avail_out;
        if (progress) progress(out_pos);
        bool stalled = in_len == z.avail_in && out_len == z.avail_out;
        if (status == Z_OK && stalled) break;
        if (status == Z_BUF_ERROR) break;
    }
    inflateEnd(&z);
    result.ok = status == Z_STREAM_END && out_pos == expected_size;
    result.bytes.resize(out_pos);
    return result;
}

std::vector<std::uint8_t> Deflate(std::span<const std::uint8_t> data) {
    uLongf length = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(length);
    if (compress2(out.data(), &length, data.data(), static_cast<uLong>(data.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return {};
    }
    out.resize(length);
    return out;
}

}  // namespace velk
