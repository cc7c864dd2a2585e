#include "base/byte_writer.h"

#include <bit>

namespace velk {

void ByteWriter::U16(std::uint16_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::F64(double v) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void ByteWriter::Text(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ByteWriter::ArchiveString(std::string_view text) {
    std::size_t n = text.size();
    if (n < 0xFF) {
        U8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        // 0xFFFE is reserved for the wide marker, so it takes the 32-bit form too.
        U8(0xFF);
        U16(static_cast<std::uint16_t>(n));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(static_cast<std::uint32_t>(n));
    }
    Text(text);
}

}  // namespace velk
