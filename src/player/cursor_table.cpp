#include "player/cursor_table.h"

#include <string>

#include "document/embedded_store.h"
#include "document/path_macros.h"

namespace velk {
namespace {

// Entries 1 ... 11, then entry 17.
constexpr std::array<std::int32_t, 11> kLowResources = {18007, 18026, 18027, 18028, 18029, 18030,
                                                        18031, 18032, 18033, 18034, 18035};
constexpr std::int32_t kLastEntryResource = 18008;
constexpr std::int64_t kFirstFileEntry = 12;

}  // namespace

CursorTable::CursorTable() = default;

void CursorTable::LoadEmbedded(const std::vector<EmbeddedFile>& files, PathMacros& macros,
                               const host::FileSystem& fs) {
    for (std::size_t n = 1; n <= files_.size(); ++n) {
        const std::string name = "CURSOR_" + std::to_string(n) + ".CUR";
        files_[n - 1].clear();
        if (FindEmbedded(files, name) == nullptr) continue;
        if (auto bytes = fs.ReadFile(macros.ExpandPath("<Embedded>\\" + name))) {
            files_[n - 1] = std::move(*bytes);
        }
    }
}

std::optional<host::Cursor> CursorTable::Entry(std::int64_t index) const {
    if (index >= 1 && index <= static_cast<std::int64_t>(kLowResources.size())) {
        return host::Cursor{.shape = host::CursorShape::kTableEntry,
                            .resource = kLowResources[static_cast<std::size_t>(index - 1)]};
    }
    if (index >= kFirstFileEntry && index < kFirstFileEntry + std::int64_t(files_.size())) {
        const auto& file = files_[static_cast<std::size_t>(index - kFirstFileEntry)];
        if (file.empty()) return std::nullopt;
        return host::Cursor{.shape = host::CursorShape::kProjectFile, .file = &file};
    }
    if (index == kCursorTableSize) {
        return host::Cursor{.shape = host::CursorShape::kTableEntry,
                            .resource = kLastEntryResource};
    }
    return std::nullopt;
}

host::Cursor CursorTable::Choose(bool busy, std::optional<std::int64_t> object_cursor_index,
                                 std::int64_t page_cursor) const {
    if (busy) return {.shape = host::CursorShape::kBusy, .resource = kBusyCursorResource};
    if (object_cursor_index) {
        if (auto entry = Entry(*object_cursor_index + 1)) return *entry;
    }
    if (page_cursor > 0) {
        if (auto entry = Entry(page_cursor)) return *entry;
    }
    return {};
}

}  // namespace velk
