// The player's cursor table: entries 1 to 11 and 17 are built-in cursors (named by their old
// resource numbers, which the hosts map to images of their own), entries 12 to 16 the cursor
// files a project embeds as "CURSOR_1.CUR" ... "CURSOR_5.CUR".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/embedded_file.h"
#include "host/host.h"

namespace velk {

class PathMacros;

inline constexpr std::int32_t kCursorTableSize = 17;
inline constexpr std::int32_t kBusyCursorResource = 18015;

class CursorTable {
  public:
    CursorTable();

    // Loads entries 12 ... 16 from the project's embedded cursor files (already extracted to the
    // player's temporary folder); an entry whose file is missing or unreadable stays empty.
    void LoadEmbedded(const std::vector<EmbeddedFile>& files, PathMacros& macros,
                      const host::FileSystem& fs);

    // Entry `index` (1 ... 17), or nothing when it is empty or out of range.
    std::optional<host::Cursor> Entry(std::int64_t index) const;

    // The cursor the window shows: the busy cursor; else the object's cursor (entry
    // `object_cursor_index` + 1) when one is active and present; else the page's cursor when
    // above 0 and present; else the default.
    host::Cursor Choose(bool busy, std::optional<std::int64_t> object_cursor_index,
                        std::int64_t page_cursor) const;

  private:
    std::array<std::vector<std::uint8_t>, 5> files_;  // entries 12 ... 16; empty = none
};

}  // namespace velk
