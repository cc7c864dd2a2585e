#include "base/byte_reader.h"

#include <bit>
#include <cstring>

#include "base/codepage.h"

namespace velk {

void ByteReader::Require(std::size_t n) const {
    if (n > Remaining()) throw ArchiveError("read past the end of the archive");
}

void ByteReader::RequireItems(std::uint64_t count, std::size_t item_size) {
    if (item_size != 0 && count > Remaining() / item_size) {
        throw ArchiveError("count larger than the archive");
    }
}

std::uint8_t ByteReader::U8() {
    Require(1);
    return bytes_[pos_++];
}

std::uint16_t ByteReader::U16() {
    Require(2);
    std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::U32() {
    Require(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 4;
    return v;
}

std::int32_t ByteReader::I32() {
    return static_cast<std::int32_t>(U32());
}

double ByteReader::F64() {
    Require(8);
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
    pos_ += 8;
    return std::bit_cast<double>(v);
}

std::span<const std::uint8_t> ByteReader::View(std::size_t n) {
    Require(n);
    auto view = bytes_.subspan(pos_, n);
    pos_ += n;
    return view;
}

std::vector<std::uint8_t> ByteReader::Bytes(std::size_t n) {
    auto view = View(n);
    return {view.begin(), view.end()};
}

void ByteReader::Skip(std::size_t n) {
    Require(n);
    pos_ += n;
}

std::size_t ByteReader::ArchiveStringLength(bool& wide) {
    std::uint8_t n = U8();
    if (n < 0xFF) return n;
    std::uint16_t m = U16();
    if (m == 0xFFFE) {
        // The wide marker is followed by the length scheme once more; a second marker there
        // is an ordinary length of 0xFFFE.
        wide = true;
        n = U8();
        if (n < 0xFF) return n;
        m = U16();
    }
    if (m < 0xFFFF) return m;
    return U32();
}

std::string ByteReader::ArchiveString() {
    bool wide = false;
    std::size_t length = ArchiveStringLength(wide);
    if (!wide) {
        auto view = View(length);
        return {view.begin(), view.end()};
    }
    RequireItems(length, 2);
    std::u16string units(length, u'\0');
    for (auto& unit : units) unit = U16();
    return Utf16ToCp1252(units);
}

}  // namespace velk
