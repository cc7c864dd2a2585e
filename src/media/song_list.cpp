#include "media/song_list.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velk::media {
namespace {

// A position of the shuffle: r scaled to the list, truncated, clamped (r = 32767 gives count).
std::size_t DrawPosition(RuntimeRandom& random, std::size_t count) {
    const double scaled =
        static_cast<double>(random.Next()) / RuntimeRandom::kMax * static_cast<double>(count);
    return std::min(static_cast<std::size_t>(scaled), count - 1);
}

}  // namespace

std::optional<std::string> SongList::Entry(std::int64_t number) const {
    if (number < 1 || static_cast<std::uint64_t>(number) > entries.size()) return std::nullopt;
    return entries[static_cast<std::size_t>(number - 1)];
}

bool SongList::Remove(std::int64_t number) {
    if (number < 1 || static_cast<std::uint64_t>(number) > entries.size()) return false;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(number - 1));
    return true;
}

void SongList::Shuffle(RuntimeRandom& random) {
    const std::size_t count = entries.size();
    if (count == 0) return;
    for (std::size_t i = 0; i < 2 * count; ++i) {
        const std::size_t a = DrawPosition(random, count);
        const std::size_t b = DrawPosition(random, count);
        std::swap(entries[a], entries[b]);
    }
}

std::optional<std::string> SongListSource(std::string_view source, const SongList& list,
                                          const std::function<double(std::string_view)>& evaluate,
                                          std::optional<std::string_view> destination_text) {
    constexpr std::string_view kList = "<List>";
    constexpr std::string_view kListPlus = "<List+>";
    const bool plus = source.starts_with(kListPlus);
    if (!plus && !source.starts_with(kList)) return std::nullopt;
    const double value = evaluate(source.substr(plus ? kListPlus.size() : kList.size()));
    // NaN and values beyond any list fall outside it.
    const double number = std::trunc(value);
    if (!(number >= 1.0 && number <= static_cast<double>(list.entries.size())))
        return std::string();
    const std::string& entry = list.entries[static_cast<std::size_t>(number) - 1];
    if (!plus) return entry;
    std::string text(destination_text.value_or(std::string_view()));
    text += "\r\n";
    text += entry;
    return text;
}

}  // namespace velk::media
