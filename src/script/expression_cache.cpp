#include "script/expression_cache.h"

#include "script/number_text.h"

namespace velk {

ExpressionProgram* ExpressionCache::FindSlow(std::string_view text, bool condition) {
    // The pair keeps the two texts used last: two texts picking the same pair both stay.
    const std::size_t pair = Pair(text);
    Recent& recent = recent_[condition][pair];
    recent_[condition][pair + 1] = recent;
    Programs& programs = programs_[condition];
    auto it = programs.find(text);
    if (it == programs.end()) {
        if (programs.size() >= kLimit) {
            programs.clear();
            ++generation_;
            recent_[condition].fill(Recent{});
        }
        it = programs
                 .emplace(std::string(text),
                          ExpressionProgram::Compile(TrimWhiteSpace(text), condition))
                 .first;
    }
    recent = Recent{it->first.data(), it->first.size(), it->second.get()};
    return recent.program;
}

}  // namespace velk
