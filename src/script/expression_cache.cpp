#include "script/expression_cache.h"

#include "script/number_text.h"

namespace velk {

ExpressionProgram* ExpressionCache::FindSlow(std::string_view text, bool condition) {
    Recent& recent = recent_[condition][Pick(text)];
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
