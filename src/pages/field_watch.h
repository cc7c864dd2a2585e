// Input text fields take their size from their text when they are drawn, so a paint can narrow
// or widen a field beyond the area that was invalidated: the window would keep a strip of the
// old field, or miss part of the new one. The window notes where the fields are before it
// paints and paints again the old and the new place of every field that changed.
#pragma once

#include <utility>
#include <vector>

#include "base/geometry.h"
#include "document/object.h"
#include "document/page.h"
#include "document/project.h"

namespace velk {

class FieldWatch {
  public:
    // Notes the place of the Input text fields of the layers painted with `current` (the master
    // page, `current`, the master layer).
    FieldWatch(const Project& project, const Page& current);

    // The union of the old and the new place of every field that moved or changed size since;
    // empty when none did.
    Rect Changed() const;

  private:
    std::vector<std::pair<const Object*, Rect>> noted_;
};

}  // namespace velk
