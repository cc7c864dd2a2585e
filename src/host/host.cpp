#include "host/host.h"

#include <algorithm>
#include <charconv>

#include "base/codepage.h"

namespace velk::host {
namespace {

// A file held whole in memory, for file systems without reading in pieces.
class BytesFile : public ReadableFile {
  public:
    explicit BytesFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        if (offset >= bytes_.size()) return 0;
        const std::size_t count = std::min<std::uint64_t>(out.size(), bytes_.size() - offset);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
        return count;
    }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace

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

std::unique_ptr<ReadableFile> FileSystem::OpenForReading(std::string_view path) const {
    auto bytes = ReadFile(path);
    if (!bytes) return nullptr;
    return std::make_unique<BytesFile>(std::move(*bytes));
}

std::string FileSystem::ShownPath(std::string_view path) const {
    return Cp1252ToUtf8(path);
}

std::string FileSystem::FromUserPath(std::string_view native) {
    return Utf8ToCp1252BestFit(native);
}

}  // namespace velk::host
