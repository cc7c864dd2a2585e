// Little-endian writer producing the archive encodings that ByteReader reads.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velk {

class ByteWriter {
  public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void F64(double v);
    void Bytes(std::span<const std::uint8_t> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    void Text(std::string_view text);  // raw characters, no length
    // Archive string in its shortest single-byte form.
    void ArchiveString(std::string_view text);

    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }
    std::size_t Size() const { return bytes_.size(); }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace velk
