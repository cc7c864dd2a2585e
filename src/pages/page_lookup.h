// Finding an object of one page by its name.
#pragma once

#include <string_view>

#include "document/object.h"
#include "document/page.h"

namespace velk {

// The first object of `page` (list order) whose name equals `name`; with `ignore_case` both
// are compared upper-cased (code-page letters included). Null when none matches.
Object* FindObjectByName(Page& page, std::string_view name, bool ignore_case);

}  // namespace velk
