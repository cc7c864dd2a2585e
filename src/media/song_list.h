// The song list of the main window: file names in list order, numbered from 1 in scripts, and
// the current entry number. The presentation owns one for the player's life (opening another
// project keeps it); the song-list commands, the file search and list boxes fill it, and the
// "<List>n" terms read it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/runtime_random.h"

namespace velk::media {

struct SongList {
    std::vector<std::string> entries;
    // 0 when the window opens and after a reset; 1 after the editor's OK and a file search.
    std::int32_t current = 0;

    // Entry `number` (from 1); none outside the list.
    std::optional<std::string> Entry(std::int64_t number) const;
    // Removes entry `number` (from 1), the others moving up; false (nothing changes) outside
    // the list.
    bool Remove(std::int64_t number);
    // Exchanges 2 x count pairs of entries drawn from `random`, as the player always shuffled:
    // position trunc(r / 32767 x count), clamped into the list, for each of the two.
    void Shuffle(RuntimeRandom& random);
};

// The value of a "<List>n" or "<List+>n" source of LoadText: `evaluate` gives n from the text
// after the macro, truncated toward zero. Outside the list the value is empty; otherwise entry
// n, which "<List+>" appends after `destination_text` (the destination object's text, none
// without an object) and a line break. None when `source` is no list source.
std::optional<std::string> SongListSource(std::string_view source, const SongList& list,
                                          const std::function<double(std::string_view)>& evaluate,
                                          std::optional<std::string_view> destination_text);

}  // namespace velk::media
