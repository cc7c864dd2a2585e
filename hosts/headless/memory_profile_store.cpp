#include "hosts/headless/memory_profile_store.h"

#include <algorithm>

#include "base/codepage.h"

namespace velk::headless {

bool MemoryProfileStore::KeyLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Cp1252Upper(x)) <
               static_cast<unsigned char>(Cp1252Upper(y));
    });
}

std::optional<std::string> MemoryProfileStore::ReadString(std::string_view section,
                                                          std::string_view key) const {
    auto s = sections_.find(std::string(section));
    if (s == sections_.end()) return std::nullopt;
    auto v = s->second.find(std::string(key));
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

void MemoryProfileStore::WriteString(std::string_view section, std::string_view key,
                                     std::string_view value) {
    sections_[std::string(section)][std::string(key)] = std::string(value);
}

}  // namespace velk::headless
