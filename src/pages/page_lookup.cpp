#include "pages/page_lookup.h"

#include "base/codepage.h"

namespace velk {

Object* FindObjectByName(Page& page, std::string_view name, bool ignore_case) {
    for (Object& object : page.objects) {
        if (ignore_case ? EqualsIgnoreCase(object.name, name) : object.name == name) {
            return &object;
        }
    }
    return nullptr;
}

}  // namespace velk
