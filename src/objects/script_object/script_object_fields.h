// A Script object's stored fields by what they mean: a read-only view over the record.
#pragma once

#include <cstdint>
#include <string>

#include "document/object.h"

namespace velk {

class ScriptObjectFields {
  public:
    explicit ScriptObjectFields(const Object& script) : script_(script) {}

    // A key starts the object's actions.
    bool HasShortcut() const { return script_.transparent1 != 0; }
    // The key's name (see KeyName) and the Shift, Ctrl and Alt states it needs, stored as 0 or 1.
    const std::string& ShortcutKey() const { return script_.hover_object; }
    std::uint32_t Shift() const { return script_.transparent2; }
    std::uint32_t Ctrl() const { return script_.transparent3; }
    std::uint32_t Alt() const { return script_.option1; }

  private:
    const Object& script_;
};

}  // namespace velk
