// The programs an evaluator compiled, by text and mode. Scripts run the same few texts over and
// over (loop bodies, limits, conditions), so each is read once; a text that does not compile is
// remembered as such and goes to the interpreter. The cache is bounded: past its limit it starts
// afresh, so a script that builds ever new texts costs no more memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "script/expression_program.h"

namespace velk {

class ExpressionCache {
  public:
    // The program of `text` (trimmed when compiled) in that mode, or null when the interpreter
    // must run it. `found` tells whether the cache knew the text.
    ExpressionProgram* Find(std::string_view text, bool condition) {
        // The address only picks the pair of entries; the text itself decides.
        const std::size_t pair = Pair(text);
        for (const Recent& recent : {recent_[condition][pair], recent_[condition][pair + 1]}) {
            if (recent.size == text.size() && recent.text != nullptr &&
                Same(recent.text, text.data(), text.size())) {
                return recent.program;
            }
        }
        return FindSlow(text, condition);
    }

    // Changes whenever the cache starts afresh: programs found before are gone.
    std::uint64_t Generation() const { return generation_; }

  private:
    static constexpr std::size_t kLimit = 1024;
    static constexpr std::size_t kRecent = 64;  // 2^6

    // The first of the two entries a text may be remembered in.
    static std::size_t Pair(std::string_view text) {
        const auto address =
            static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(text.data()));
        return ((address * 0x9E3779B97F4A7C15u) >> 58) & ~std::uint64_t{1};  // top 6 bits: kRecent
    }
    // Short texts are the common case: compared by overlapping words, in line.
    template <typename Word>
    static bool SameWords(const char* a, const char* b, std::size_t size) {
        Word a1, a2, b1, b2;
        std::memcpy(&a1, a, sizeof(Word));
        std::memcpy(&b1, b, sizeof(Word));
        std::memcpy(&a2, a + size - sizeof(Word), sizeof(Word));
        std::memcpy(&b2, b + size - sizeof(Word), sizeof(Word));
        return ((a1 ^ b1) | (a2 ^ b2)) == 0;
    }
    static bool Same(const char* a, const char* b, std::size_t size) {
        if (size >= 8) {
            return size <= 16 ? SameWords<std::uint64_t>(a, b, size) : std::memcmp(a, b, size) == 0;
        }
        if (size >= 4) return SameWords<std::uint32_t>(a, b, size);
        for (std::size_t i = 0; i < size; ++i) {
            if (a[i] != b[i]) return false;
        }
        return true;
    }
    ExpressionProgram* FindSlow(std::string_view text, bool condition);

    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    using Programs = std::unordered_map<std::string, std::unique_ptr<ExpressionProgram>, TextHash,
                                        std::equal_to<>>;
    // Recently used texts by where their characters live: the records of a running list keep
    // their texts in place, so a repeated text is found without hashing it.
    struct Recent {
        const char* text = nullptr;  // the characters of the cache's own copy
        std::size_t size = 0;
        ExpressionProgram* program = nullptr;
    };

    std::array<Programs, 2> programs_;
    std::uint64_t generation_ = 0;
    std::array<std::array<Recent, kRecent>, 2> recent_{};
};

}  // namespace velk
