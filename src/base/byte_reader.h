// Bounds-checked little-endian reader: the one way untrusted bytes enter the core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace velk {

// Raised by every read past the end and by malformed archive strings. Project readers let it
// propagate; the container turns it into the "not a VKD file" outcome.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int32_t I32();
    double F64();

    // Copies n bytes; n is checked against what is left before anything is allocated.
    std::vector<std::uint8_t> Bytes(std::size_t n);
    // A view of the next n bytes, valid as long as the underlying buffer.
    std::span<const std::uint8_t> View(std::size_t n);
    void Skip(std::size_t n);

    // Length-prefixed archive string (0xFF / 0xFFFF / 0xFFFFFFFF escapes, 0xFFFE wide form).
    // Wide strings come back converted to Windows-1252 bytes.
    std::string ArchiveString();

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    // True when n more bytes exist; used to validate counts before allocating.
    bool Has(std::size_t n) const { return n <= Remaining(); }
    // Fails with ArchiveError unless count items of item_size bytes each can still follow.
    void RequireItems(std::uint64_t count, std::size_t item_size);

  private:
    void Require(std::size_t n) const;
    std::size_t ArchiveStringLength(bool& wide);

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace velk
