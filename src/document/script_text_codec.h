// Action lists written as script text in the JSON description. The document layer knows no
// script language: the script compiler supplies both directions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/action_list.h"

namespace velk {

class ScriptCodec {
  public:
    virtual ~ScriptCodec() = default;
    // The list that `text` (code-page bytes) compiles to. Nothing, with `error` ("line 3:
    // Unknown function foo" and the like), when any line is rejected or the blocks do not
    // balance: a description is compiled strictly.
    virtual std::optional<ActionList> Compile(std::string_view text, std::string& error) const = 0;
    // Text that compiles to exactly `list`; nothing when no text does.
    virtual std::optional<std::string> Decompile(const ActionList& list) const = 0;
};

}  // namespace velk
