#include "script/builtins.h"

#include "base/codepage.h"
#include "script/builtin_support.h"

namespace velk {
namespace {

template <typename Entry>
auto Lookup(std::string_view name, std::initializer_list<std::span<const Entry>> tables)
    -> decltype(Entry::call) {
    for (const auto& table : tables) {
        for (const Entry& entry : table) {
            if (EqualsIgnoreCase(entry.name, name)) return entry.call;
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
