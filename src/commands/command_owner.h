// What the commands need from the main window. The shell's Player implements it; tests use a
// small fake.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "document/action_list.h"
#include "document/object.h"
#include "document/page.h"
#include "host/host.h"

namespace velk {
namespace media {
class MediaHub;
struct SongList;
}  // namespace media

class Evaluator;
class PageOwner;
class VideoOwner;
class PictureCache;
class VariableStore;

// How a page change was asked for (the main window's GoToPage): a direction (kFirst ... kNext
// as numbers 0 ... 3) or by name (-1).
inline constexpr std::int32_t kGoToByName = -1;

// The page and exit timer (window timer 0).
inline constexpr std::uint32_t kPageTimerId = 0;
// The script timers: the default one and the timers A, B and C.
inline constexpr std::uint32_t kScriptTimerId = 4;
inline constexpr std::uint32_t kScriptTimerAId = 101;
inline constexpr std::uint32_t kScriptTimerBId = 102;
inline constexpr std::uint32_t kScriptTimerCId = 103;
enum class PageTimerAction : std::int32_t { kNone = 0, kExit = 2, kGoToPage = 3 };

class CommandOwner {
  public:
    virtual ~CommandOwner() = default;

    // Object and page lookups with the page manager's rules (qualified names).
    virtual Object* FindObject(std::string_view qualified_name) = 0;
    virtual Page* FindPageOf(std::string_view qualified_name) = 0;
    virtual Page* CurrentPage() = 0;
    // The main window as the pages see it (timers, invalidation, per-kind steps).
    virtual PageOwner& PageSide() = 0;
    virtual VariableStore& Variables() = 0;
    // The decoded pixels of the project's pictures, which the image view scales and turns.
    virtual PictureCache& Pictures() = 0;
    virtual host::Ui& Ui() = 0;
    virtual const host::Clock& Clock() = 0;
    // Media files, the mixer and speech (media/media_hub.h).
    virtual media::MediaHub& Media() = 0;
    // Who records the effects of media and speech (the headless effect log).
    virtual host::Observer& Observer() = 0;
    // What Video objects need of the main window; none leaves the video commands without effect.
    virtual VideoOwner* Videos() { return nullptr; }
    // The main window's song list (media/song_list.h); its status is published by
    // UpdateSongListStatus (commands/song_list_status.h).
    virtual media::SongList& Songs() = 0;
    // The files that commands read and write (list files).
    virtual host::FileSystem& FileStore() = 0;

    // The value of an expression as the evaluator gives it (assignments happen); its errors are
    // not shown.
    virtual double Evaluate(std::string_view expression) = 0;
    // The player's evaluator, for the statements that show its errors (assignments, If).
    virtual Evaluator& ScriptEvaluator() = 0;
    // `list` (of the current project) shared with whatever owns it, so that a run keeps it alive
    // while the project is replaced. Hosts whose lists never go away mid-run may keep the
    // default, which owns nothing.
    virtual ActionListPtr ShareList(const ActionList& list) {
        return ActionListPtr(ActionListPtr(), &list);
    }
    // The project's title, the caption of the Message command's box.
    virtual std::string ProjectTitle() { return {}; }
    // A file name from a project or script with its path macros expanded.
    virtual std::string ExpandPath(std::string_view path) = 0;

    // The main window's GoToPage: timers stopped, transition prepared, the page left and the new
    // one entered, the transition played, the entry actions run. `mode` is 0 ... 3 or
    // kGoToByName; `pointer` is (-1, -1) when no pointer position applies.
    virtual void GoToPage(std::int32_t mode, std::string_view name, Point pointer) = 0;
    // The Page command's own page change (it stops fewer timers than GoToPage; see the command).
    virtual void GoToPageCommand(std::string_view name) = 0;
    // The page timer: action and target remembered, timer 0 armed with `interval_ms`.
    virtual void ArmPageTimer(PageTimerAction action, std::string_view target,
                              std::uint32_t interval_ms) = 0;
    virtual void StopPageTimer() = 0;
    // Script timer `id` (kScriptTimerId ... kScriptTimerCId) stopped, its target object name
    // replaced, and started again with `delay_ms`. When it fires, the object's click actions run.
    virtual void StartScriptTimer(std::uint32_t /*id*/, std::string_view /*target*/,
                                  std::uint32_t /*delay_ms*/) {}

    // Ends the presentation as the Exit command does (no "ZIZ_EXIT" object consulted).
    virtual void Exit() = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    // RunVKD in the same window: the project switch waits until no action list runs.
    virtual void RequestProjectSwitch(std::string_view path, std::string_view start_parameter) = 0;

    // Handles what is queued; false when the waiting command must give up.
    virtual bool PumpMessages() = 0;
    // Waits until `deadline` (a tick), handling events meanwhile; false as above.
    virtual bool WaitUntil(std::uint32_t deadline) = 0;
    virtual void Invalidate(const Rect& rect) = 0;
    // The whole client area must be painted again.
    virtual void InvalidateWindow() {}

    // The window that asks the user to wait while the speech engine starts (InitTTS): shown
    // centred over the page until hidden. It shows with the next paint.
    virtual void ShowSpeechWaitWindow(bool /*shown*/) {}

    // Show on an Input text of the current page that was already shown hands it the keyboard:
    // its field is focused with the whole text selected. Nothing until input fields exist.
    virtual void FocusInputText(Object& /*input_text*/) {}
};

}  // namespace velk
