#include "host/host.h"

#include <charconv>

namespace velk::host {

std::int32_t ProfileStore::ReadInt(std::string_view section, std::string_view key,
                                   std::int32_t fallback) const {
    auto text = ReadString(section, key);
    if (!text) return fallback;
    std::int32_t value = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : fallback;
}

}  // namespace velk::host
