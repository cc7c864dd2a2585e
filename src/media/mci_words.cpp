#include "media/mci_words.h"

#include "base/text.h"

namespace velk::media {

std::vector<std::string> SplitMciWords(std::string_view command) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < command.size()) {
        if (IsWhiteSpace(command[at])) {
            ++at;
            continue;
        }
        if (command[at] == '"') {
            const std::size_t close = command.find('"', at + 1);
            const std::size_t end = close == std::string_view::npos ? command.size() : close;
            words.emplace_back(command.substr(at + 1, end - at - 1));
            at = close == std::string_view::npos ? end : close + 1;
            continue;
        }
        const std::size_t start = at;
        while (at < command.size() && !IsWhiteSpace(command[at])) ++at;
        words.emplace_back(command.substr(start, at - start));
    }
    return words;
}

std::optional<std::int64_t> MciNumber(std::string_view word) {
    constexpr std::int64_t kLargest = std::int64_t{1} << 53;
    if (word.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kLargest) return std::nullopt;
    }
    return value;
}

}  // namespace velk::media
