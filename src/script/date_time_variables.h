// The date and time system variables ("ZIZ_Hour", "ZIZ_DateLong", ...), written twice a second
// by the main window's clock timer, each only while an object of its name exists to show it.
#pragma once

#include <locale.h>

#include <string>

#include "host/host.h"
#include "script/script_owner.h"
#include "script/variable_store.h"

namespace velk {

// Clock texts in a locale's language (month and weekday names), made without touching the
// process's locale, as code-page text.
class LocaleTimeFormat {
  public:
    // "" is the user's locale; "C" gives the same texts on every machine. A name the system
    // does not know falls back to "C".
    explicit LocaleTimeFormat(const char* locale_name = "");
    ~LocaleTimeFormat();
    LocaleTimeFormat(const LocaleTimeFormat&) = delete;
    LocaleTimeFormat& operator=(const LocaleTimeFormat&) = delete;

    // `format` as strftime reads it.
    std::string Format(const char* format, const host::LocalTime& time) const;

  private:
    locale_t locale_ = nullptr;
    bool utf8_ = false;
};

// Writes each of the thirteen date and time variables whose display object exists: stored
// (numbers only when not negative), shown as the object's text, and the object repainted.
void UpdateDateTimeVariables(VariableStore& variables, ScriptOwner& owner,
                             const host::LocalTime& time, const LocaleTimeFormat& format);
// The same in the user's locale.
void UpdateDateTimeVariables(VariableStore& variables, ScriptOwner& owner,
                             const host::LocalTime& time);

}  // namespace velk
