#include "host/host.h"

#include <charconv>

#include "base/codepage.h"

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

void Ui::MessageNamingFile(std::string_view caption, std::string_view before,
                           std::string_view shown_file, std::string_view after) {
    std::string text(before);
    text += Utf8ToCp1252BestFit(shown_file);
    text += after;
    MessageBox(caption, text);
}

std::string FileSystem::ShownPath(std::string_view path) const {
    return Cp1252ToUtf8(path);
}

std::string FileSystem::FromUserPath(std::string_view native) {
    return Utf8ToCp1252BestFit(native);
}

}  // namespace velk::host
