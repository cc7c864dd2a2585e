#include "script/builtins.h"

#include "script/builtin_support.h"

namespace velk {
namespace {

bool SameName(std::string_view lower, std::string_view name) {
    if (lower.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

template <typename Entry>
auto Lookup(std::string_view name, std::initializer_list<std::span<const Entry>> tables)
    -> decltype(Entry::call) {
    for (const auto& table : tables) {
        for (const Entry& entry : table) {
            if (SameName(entry.name, name)) return entry.call;
        }
    }
    return nullptr;
}

}  // namespace

NumericBuiltin FindNumericBuiltin(std::string_view name) {
    return Lookup<NumericEntry>(
        name, {ArithmeticBuiltins(), WindowBuiltins(), ObjectBuiltins(), FileNumericBuiltins()});
}

StringBuiltin FindStringBuiltin(std::string_view name) {
    return Lookup<StringEntry>(name,
                               {TextBuiltins(), SystemStringBuiltins(), FileStringBuiltins()});
}

}  // namespace velk
