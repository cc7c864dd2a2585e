// What scripts read from the main window: the evaluator's built-ins and string terms, the
// display objects of system variables. The shell's main window implements it; the trial
// evaluators of the compiler have none.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/object.h"

namespace velk {

class ScriptOwner {
  public:
    virtual ~ScriptOwner() = default;
    // A file name with its path macros expanded.
    virtual std::string ExpandPath(std::string_view path) = 0;
    // Entry `index` (from 1) of the song list; nothing when there is no such entry.
    virtual std::optional<std::string> SongListEntry(std::int64_t index) = 0;
    // An object by qualified name (page manager rules), or null.
    virtual Object* FindObject(std::string_view qualified_name) = 0;
    // The object's rectangle must be painted again (its text changed).
    virtual void InvalidateObject(const Object& object) = 0;
};

}  // namespace velk
