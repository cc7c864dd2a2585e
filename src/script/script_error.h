// The error numbers scripts report. The expression grammar raises the syntax ones; the built-ins
// raise the rest.
#pragma once

namespace velk {

enum class ScriptError : int {
    kSyntax = 1,
    kBrackets = 3,
    kBraces = 4,
    kOperandMissing = 5,
    kMessage = 10,
    kParameters = 11,
    kOverflow = 23,
};

}  // namespace velk
