#include "script/expression_cache.h"

#include "script/number_text.h"

namespace velk {

ExpressionProgram* ExpressionCache::FindSlow(std::string_view text, bool condition) {
    // Two texts picking the same entry take turns in its pair instead of evicting each other.
    const std::size_t pick = Pick(text);
    Recent& recent = recent_[condition][pick];
    recent_[condition][pick ^ 1] = recent;
    Programs& programs = programs_[condition];
    auto it = programs.find(text);
    if (it == programs.end()) {
        if (programs.size() >= kLimit) {
            programs.clear();
            recent_[condition].fill(Recent{});
        }
        it = programs
                 .emplace(std::string(text),
                          ExpressionProgram::Compile(TrimWhiteSpace(text), condition))
                 .first;
    }
    recent = Recent{&it->first, it->second.get()};
    return recent.program;
}

}  // namespace velk
