#include "commands/dispatcher.h"

#include "commands/assignment.h"
#include "commands/command_lookup.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "document/command_vocabulary.h"
#include "document/load_context.h"
#include "script/variable_store.h"

namespace velk {
namespace {

// Keeps a counter raised for as long as a scope lasts, however it is left.
class CountedScope {
  public:
    explicit CountedScope(std::int32_t& counter) : counter_(counter) { ++counter_; }
    ~CountedScope() { --counter_; }
    CountedScope(const CountedScope&) = delete;
    CountedScope& operator=(const CountedScope&) = delete;

  private:
    std::int32_t& counter_;
};

bool IsStatement(std::int32_t code) {
    return code >= kCodeAssign && code <= kCodeElse;
}

// The name the target object is looked up by: "Button[i]" with i = 3 names Button3. Matrix
// commands take their target as written (their cell form looks like an index). A target without
// brackets was resolved already and is not substituted a second time.
std::string ObjectLookupName(std::int32_t code, const std::string& target,
                             const VariableStore& variables) {
    if (code == kCmdMatrixSet || code == kCmdMatrixGet) return target;
    if (target.find('[') == std::string::npos) return target;
    return ResolveObjectName(target, true, variables);
}

// While an If or Else skips records, only If, Else and End are looked at, so that the levels
// still match when running resumes.
void SkipRecord(const ActionRecord& record, IfLevels& ifs, host::Ui& ui) {
    switch (record.code) {
        case kCodeIf:
            if (!ifs.SkipIf()) ui.MessageBox(kApplicationName, kIfDepthMessage);
            break;
        case kCodeElse:
            ifs.ElseWhileSkipping();
            break;
        case kCodeEnd:
            ifs.End();
            break;
        default:
            break;
    }
}

}  // namespace

Dispatcher::Dispatcher(CommandOwner& owner) : owner_(owner), commands_(CommandLookup::Played()) {}

// RunHeld's loop over the records, kept in line with it: a loop body runs it every pass.
[[gnu::always_inline]] inline int Dispatcher::Walk(const ActionList& list,
                                                   RecordPrograms* programs) {
    RunFrame frame;
    frame.list = &list;
    frame.programs = programs;
    const std::size_t count = list.records.size();
    while (frame.position < count) {
        if (stop_ || current_ == nullptr) {
            // A stopping player has forgotten its current list; either way the run is over.
            executing_ = false;
            return 0;
        }
        // A Break leaves everything as it is for the For loop that will consume it.
        if (break_) return 1;

        const ActionRecord& record = list.records[frame.position++];
        if (!frame.ifs.Running()) {
            SkipRecord(record, frame.ifs, owner_.Ui());
            continue;
        }
        // Commands may pump or stop the player; nothing more runs once it is stopping.
        // Assignments, the most frequent records, need no command context.
        if (record.code == kCodeAssign) {
            PerformAssignment(owner_, record, programs);
            if (!stop_) continue;
            executing_ = false;
            return 0;
        }
        if (Perform(frame, record) == CommandResult::kEndList || stop_) {
            executing_ = false;
            return 0;
        }
    }
    if (!frame.repaint.IsEmpty()) owner_.Invalidate(frame.repaint.Inflate(1));
    executing_ = false;
    return 1;
}

int Dispatcher::RunActions(ActionListPtr list) {
    return RunHeld(list);
}

int Dispatcher::RunHeld(const ActionListPtr& list, RecordPrograms* programs) {
    if (list == nullptr || stop_ || list->empty()) return 0;
    // A list may start itself again without any guard of its own (a page whose entry actions
    // go to that page by name): the old player recursed until its stack ran out. Runs nested
    // this deep are refused like guarded ones, so the presentation goes on instead.
    if (depth_ >= kMaxRunDepth) {
        owner_.Ui().MessageBox(kApplicationName, kRecursionMessage);
        return 0;
    }
    // `list` stays alive until this run returns, whatever happens to the project meanwhile.
    if (current_ != list) current_ = list;
    executing_ = true;
    CountedScope on_stack(depth_);
    const int result = Walk(*list, programs);
    // A Break that no For loop consumed cuts short every run on the stack, as it should; left
    // set beyond the outermost run it would silently disable every later click, timer and page
    // entry of the presentation.
    if (depth_ == 1) break_ = false;
    return result;
}

CommandResult Dispatcher::Perform(RunFrame& frame, const ActionRecord& record) {
    CommandContext ctx{.owner = owner_,
                       .dispatcher = *this,
                       .frame = frame,
                       .record = record,
                       .target = {},
                       .object_name = {}};
    // Statements have no target object: only commands look theirs up.
    if (IsStatement(record.code)) return PerformStatement(ctx);
    ctx.target = ResolveText(record.target, owner_.Variables());
    if (ctx.target.find("::") != std::string::npos) {
        ctx.named_page = owner_.FindPageOf(ctx.target);
    }
    ctx.object_name = ObjectLookupName(record.code, ctx.target, owner_.Variables());
    if (!ctx.object_name.empty()) ctx.object = owner_.FindObject(ctx.object_name);
    // Sound, music and CD commands, unknown codes and commands whose kinds are not played yet
    // have no body: accepted and passed over without a word.
    const CommandBody body = commands_.Find(record.code);
    return body != nullptr ? body(ctx) : CommandResult::kGoOn;
}

int Dispatcher::RunGuarded(ActionListPtr list) {
    CountedScope nested(nesting_);
    if (nesting_ >= kMaxActionNesting) {
        owner_.Ui().MessageBox(kApplicationName, kRecursionMessage);
        return 0;
    }
    return RunActions(std::move(list));
}

void Dispatcher::StopAll() {
    SetPendingStop(true);
    stop_ = true;
    current_.reset();
}

}  // namespace velk
