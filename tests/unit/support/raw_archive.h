// Archive bytes laid by hand for tests, independent of ByteWriter: little-endian words and
// short archive strings, chained so that a record reads like its layout table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace velk::testing_support {

class Raw {
  public:
    Raw& U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    // Strings of fewer than 255 characters: one length byte, then the characters.
    Raw& Str(std::string_view s) {
        bytes.push_back(static_cast<std::uint8_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Raw& Data(const std::vector<std::uint8_t>& data) {
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
    std::vector<std::uint8_t> bytes;
};

}  // namespace velk::testing_support
