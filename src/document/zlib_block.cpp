#include "document/zlib_block.h"

#include "codec/limits.h"
#include "codec/zlib_codec.h"

namespace velk {

ZlibBlock ReadZlibBlock(ByteReader& in, std::uint32_t size,
                        const std::function<void(std::size_t produced)>& progress) {
    ZlibBlock block;
    std::uint32_t compressed_size = in.U32();
    if (compressed_size == 0) {
        block.bytes = in.Bytes(size);
        return block;
    }
    block.compressed = true;
    auto stream = in.View(compressed_size);
    if (!PlausibleInflatedSize(size, compressed_size)) {
        block.ok = false;
        return block;
    }
    InflateResult inflated = Inflate(stream, size, progress);
    block.ok = inflated.ok;
    block.bytes = std::move(inflated.bytes);
    return block;
}

void WriteZlibBlock(ByteWriter& out, std::span<const std::uint8_t> data, bool compress) {
    std::vector<std::uint8_t> stream;
    if (compress) stream = Deflate(data);
    out.U32(static_cast<std::uint32_t>(stream.size()));
    out.Bytes(stream.empty() ? data : std::span<const std::uint8_t>(stream));
}

}  // namespace velk
