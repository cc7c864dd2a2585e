// The dispatcher: runs an action list record by record on the main window. It is re-entrant: a
// command may pump messages or run another list, which starts a nested run with its own
// position and repaint rectangle, sharing the flags kept here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document/action_list.h"

namespace velk {

enum class CommandResult;
struct RunFrame;
class CommandLookup;
class CommandOwner;
class RecordPrograms;
class VariableStore;

// A run refused by the nesting guard shows this; the guard allows 49 nested runs.
inline constexpr std::string_view kRecursionMessage = "Recursion in Script reached 50 levels.";
inline constexpr std::int32_t kMaxActionNesting = 50;
// Any run, guarded or not, is refused this deep in other runs.
inline constexpr std::int32_t kMaxRunDepth = 50;

class Dispatcher {
  public:
    explicit Dispatcher(CommandOwner& owner);

    // Runs `list`. 1 when it ran to its end or a Break cut it short; 0 when it was refused (no
    // list, no records, the player stopping) or stopped. The list is held for the whole run, so
    // it survives its project being replaced meanwhile.
    int RunActions(ActionListPtr list);
    // The same for a list its caller holds for the whole run (a loop body run pass after pass),
    // with its records' expressions prepared when `programs` is given.
    int RunHeld(const ActionListPtr& list, RecordPrograms* programs = nullptr);
    // The same, through the nesting guard (key objects, RunScript, hyperlinks, script timers).
    int RunGuarded(ActionListPtr list);

    // Stops everything: the pending-stop state and the stop flag are set and the current list
    // is forgotten; running lists return at their next step.
    void StopAll();
    bool Stopping() const { return stop_; }
    void ClearStop() { stop_ = false; }

    // Set while a run is in progress (cleared by the end of any run, nested ones included).
    bool Executing() const { return executing_; }
    // RunVKD in the same window clears it so that the project switch need not wait for the
    // list that asked for it.
    void ClearExecuting() { executing_ = false; }
    // How many runs are on the stack right now (nested runs included); a project switch or an
    // end waits until this is 0.
    std::int32_t Depth() const { return depth_; }

    bool BreakSet() const { return break_; }
    void SetBreak(bool on) { break_ = on; }

    // The pending-stop state: set by page changes and StopAll, cleared at the start of every
    // PumpMessages, which returns false when it finds it set again afterwards.
    bool PendingStop() const { return pending_stop_; }
    void SetPendingStop(bool on) {
        pending_stop_ = on;
        if (on) ++stops_;
    }
    // How often the pending-stop state was set. A wait compares it with the count at its start:
    // a wait nested inside it clears the state, and would otherwise hide a page change made
    // meanwhile from the list that waited first.
    std::uint64_t StopCount() const { return stops_; }

    // The list of the latest run; none once the player stops.
    const ActionListPtr& CurrentList() const { return current_; }

  private:
    int Walk(const ActionList& list, RecordPrograms* programs);
    CommandResult Perform(RunFrame& frame, const ActionRecord& record);

    CommandOwner& owner_;
    // Where each record finds its command's body.
    const CommandLookup& commands_;
    bool stop_ = false;
    bool executing_ = false;
    bool break_ = false;
    bool pending_stop_ = false;
    std::uint64_t stops_ = 0;
    std::int32_t depth_ = 0;
    std::int32_t nesting_ = 0;
    ActionListPtr current_;
};

// A target or argument text as the commands see it: when the text, trimmed, contains "$" after
// its first character and a string variable of exactly that name exists, its value; otherwise
// the text unchanged.
std::string ResolveText(std::string_view text, const VariableStore& variables);

// The resolved text cut at every ",", empty fields skipped, at most `count` fields.
std::vector<std::string> SplitArgs(std::string_view text, std::size_t count,
                                   const VariableStore& variables);

}  // namespace velk
