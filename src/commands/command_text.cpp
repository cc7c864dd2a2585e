#include <algorithm>
#include <limits>

#include "base/saturate.h"
#include "base/text.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "script/variable_store.h"

namespace velk {

std::string ResolveText(std::string_view text, const VariableStore& variables) {
    return SubstituteStringVariable(text, variables);
}

std::vector<std::string> SplitArgs(std::string_view text, std::size_t count,
                                   const VariableStore& variables) {
    const std::string resolved = ResolveText(text, variables);
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start <= resolved.size() && fields.size() < count) {
        std::size_t comma = resolved.find(',', start);
        if (comma == std::string::npos) comma = resolved.size();
        if (comma > start) fields.push_back(resolved.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

std::int32_t LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kCap);
    }
    return SaturateToInt32(negative ? -value : value);
}

std::int32_t EvaluateInt(CommandOwner& owner, std::string_view expression) {
    return SaturateCast<std::int32_t>(owner.Evaluate(expression));
}

Page* CommandContext::PageForTarget() const {
    return named_page != nullptr ? named_page : owner.CurrentPage();
}

std::string CommandContext::Argument() const {
    return ResolveText(record.argument, owner.Variables());
}

}  // namespace velk
