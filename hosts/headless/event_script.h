// Event scripts: the input, time and dialog answers of a headless run, one event a line.
//
//   wait MS            let MS virtual milliseconds pass
//   move X Y           the pointer moves to (X, Y) in client coordinates
//   down X Y, up X Y   the left button goes down or up there
//   click X Y          down and up
//   dblclick X Y       down, up, double click, up: what the system sends for a double click
//   rdown X Y, rup X Y the right button
//   key NAME           a key is pressed (names as in key_names.h, optionally after "Shift+",
//                      "Ctrl+", "Alt+"); no character is typed
//   type TEXT          each character of TEXT (UTF-8, the rest of the line up to its last
//                      non-blank) is typed
//   answer VALUE       the answer to the next dialog: ok, yes, no, cancel, or a path or r,g,b;
//                      a file dialog takes a path, "|N" after it choosing the Nth filter pair
//                      ("answer C:\lists\a.m3u|2"), or cancel
//   shot NAME          the client area is painted and saved as NAME.png
//   vars               every script variable goes into the effect log
//   close              the window is closed by the user (as Alt+F4 or the close box)
//   blur               the window loses the keyboard focus (another window was activated)
//   quit               the run ends here
//
// Pointer events at a new place are preceded by a move there, as the system reports them.
// Blank lines and lines starting with '#' are ignored. Every event happens at the virtual time
// reached by the waits above it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velk::headless {

enum class EventKind {
    kMove,
    kDown,
    kUp,
    kClick,
    kDoubleClick,
    kRightDown,
    kRightUp,
    kKey,
    kType,
    kAnswer,
    kShot,
    kVars,
    kClose,
    kBlur,
    kQuit,
};

struct ScriptedEvent {
    EventKind kind = EventKind::kQuit;
    std::uint64_t time_ms = 0;    // virtual milliseconds since the start of the run
    std::int32_t x = 0, y = 0;    // pointer events
    std::uint32_t key = 0;        // kKey: the virtual-key code
    std::uint32_t modifiers = 0;  // kKey: kModifierShift, kModifierCtrl, kModifierAlt
    std::string text;             // kType: code-page bytes; kAnswer: the answer; kShot: the name
    std::size_t line = 0;         // where the event stands in the script, for messages
    bool operator==(const ScriptedEvent&) const = default;
};

struct EventScript {
    std::vector<ScriptedEvent> events;  // in time order, as written
    std::uint64_t end_ms = 0;           // the time the script has used up (its waits)
};

// A line that is not an event: the message names the line ("line 3: ...").
class EventScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws EventScriptError on the first bad line.
EventScript ParseEventScript(std::string_view text);

}  // namespace velk::headless
