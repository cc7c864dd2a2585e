// The services through which the core reaches the machine. The core never touches files,
// dialogs or settings directly; the headless host and the desktop host implement these.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/region.h"

namespace velk {
class Surface;
}

namespace velk::host {

// The buttons of a message box, and the button the user chose.
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };
// The picture beside a message box's text. Most boxes of the player have none; the few that
// warn, stop or ask name theirs.
enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };

// A choice of a file by the user. `filter` is the old dialogs' text: pairs of a description and
// its patterns separated by '|', ended by "||" ("Video Files (*.avi)|*.avi|All Files (*.*)|*.*||").
struct FileDialog {
    enum class Purpose { kOpen, kSave };
    Purpose purpose = Purpose::kOpen;
    std::string title;              // empty: the system's own title
    std::string filter;             // code-page text
    std::string default_extension;  // added to a name typed without one
    std::string initial_file;       // Windows form; may be empty
    bool file_must_exist = false;   // open: only an existing file is taken
    bool overwrite_prompt = false;  // save: asks before replacing a file
};
struct FileChoice {
    std::string path;               // Windows form, code-page text
    std::int32_t filter_index = 1;  // the filter pair the user had selected, from 1
};

// The song list editor's side in the core, for the host's dialog: the entries it starts with,
// and its "Load" and "Save" buttons, which ask for a list file themselves (Ui::ChooseFile) and
// read or write it as the player reads and writes list files.
class ListEditor {
  public:
    virtual ~ListEditor() = default;
    // The song list's entries when the editor opened (code-page text).
    virtual const std::vector<std::string>& Entries() const = 0;
    // "Load": the editor's entries from now on (empty when the file cannot be read or is too
    // big), or none when the user cancelled the file dialog and the entries stay.
    virtual std::optional<std::vector<std::string>> Load() const = 0;
    // "Save": `entries` written to a list file the user chooses; nothing without entries.
    virtual void Save(std::span<const std::string> entries) const = 0;
};

// Modal messages to the user. Texts are code-page bytes. A host may pump events while the box
// is up (the desktop does); the core is ready for action lists that run meanwhile.
class Ui {
  public:
    virtual ~Ui() = default;
    // A modal message box; the answer is one of the buttons offered (closing the box counts as
    // Cancel where there is one, else as the last button).
    virtual MessageAnswer Ask(std::string_view caption, std::string_view text,
                              MessageButtons buttons, MessageIcon icon) = 0;
    // A project is being read: `permille` thousandths of it are done, and 1000 ends the
    // reading. The desktop shows a progress window when reading takes long enough for a user to
    // wonder; headless nothing is shown.
    virtual void LoadProgress(std::uint32_t permille) = 0;
    // A file chosen by the user; nothing when the dialog was cancelled. The default has no
    // dialog and cancels.
    virtual std::optional<FileChoice> ChooseFile(const FileDialog& /*dialog*/) {
        return std::nullopt;
    }
    // The song list editor (a modal dialog) over `editor`'s entries: the entries at OK, none at
    // Cancel. The default has no dialog and cancels.
    virtual std::optional<std::vector<std::string>> EditList(const ListEditor& /*editor*/) {
        return std::nullopt;
    }
    // A message box with an OK button.
    void MessageBox(std::string_view caption, std::string_view text,
                    MessageIcon icon = MessageIcon::kNone) {
        Ask(caption, text, MessageButtons::kOk, icon);
    }
    // A message box with an OK button whose text names a file: `before`, the file, `after`.
    // `before` and `after` are code-page bytes; `shown_file` is the file as the user knows it
    // (FileSystem::ShownPath, UTF-8), kept apart because the code page may not hold it. The
    // default puts the file into the code page (best fit, else '?') and shows the box as
    // MessageBox does; a host that shows Unicode overrides it to show the name exactly.
    virtual void MessageNamingFile(std::string_view caption, std::string_view before,
                                   std::string_view shown_file, std::string_view after);
};

// The player's settings registry: sections of named values.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view key) const = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // Integer values as the settings registry returns them: the default when absent or when
    // the stored text is not a number.
    std::int32_t ReadInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const;
};

// A file opened for reading piece by piece: media files, too big to be held in memory whole.
class ReadableFile {
  public:
    virtual ~ReadableFile() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads up to out.size() bytes at `offset`; the number read (0 at or past the end).
    virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// Files, named by Windows-form paths ("Z:\home\user\show.vkd"; `/` accepted too), code-page
// text. Each component is matched without regard to case; a native name the code page cannot
// hold is matched by the form the system gave such names (best fit, else '?').
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view path) const = 0;
    // The file to be read piece by piece; none when it cannot be read. The default reads it
    // whole with ReadFile and serves the pieces from memory.
    virtual std::unique_ptr<ReadableFile> OpenForReading(std::string_view path) const;
    // Creates or truncates. False when the file cannot be written.
    virtual bool WriteFile(std::string_view path, std::span<const std::uint8_t> data) = 0;
    // True when the file is gone afterwards (a missing file is not an error).
    virtual bool RemoveFile(std::string_view path) = 0;
    // Creates the folder; an existing folder is fine.
    virtual bool CreateFolder(std::string_view path) = 0;
    // The system's temporary folder in Windows form, without a trailing backslash; empty when
    // the system has none.
    virtual std::string TempFolder() const = 0;
    // `path` as the user knows it, for messages that name a file: the native path, with the
    // names as they are on the disk, in UTF-8 (a native name may hold characters the code page
    // lacks). Scripts never see this form. The default is the Windows form itself.
    virtual std::string ShownPath(std::string_view path) const;
    // A path the user gave natively (UTF-8: an argument of the command line, a file chosen in a
    // dialog) in code-page text as the core takes it: characters the code page lacks in their
    // best fit (Utf8ToCp1252BestFit); a relative path stays relative. A file system with native
    // names remembers the path as given, so that the core's form of it, and of every file
    // beside or below it, leads back to exactly these names (two names with the same code-page
    // form stay apart) and ShownPath shows them as the user gave them. The default only
    // converts.
    virtual std::string FromUserPath(std::string_view native);
};

// Local wall-clock time, broken down the way the date and time variables show it.
struct LocalTime {
    std::int32_t year = 1970;      // four digits
    std::int32_t month = 1;        // 1-12
    std::int32_t day = 1;          // day of the month, 1-31
    std::int32_t day_of_week = 4;  // 0 = Sunday ... 6 = Saturday
    std::int32_t hour = 0;         // 0-23
    std::int32_t minute = 0;
    std::int32_t second = 0;
    std::int32_t millisecond = 0;
    bool operator==(const LocalTime&) const = default;
};

// The machine's clocks. Timers, Pause and MoveTo measure with the tick count; the date and
// time variables read the local time.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start. It wraps at 2^32 (about every 49.7 days), so ticks
    // are only ever compared by their unsigned difference.
    virtual std::uint32_t TickCount() const = 0;
    virtual LocalTime LocalNow() const = 0;
    // True for a clock that moves only when the host moves it (headless runs): whatever is due
    // at a tick (a video frame) is waited for, so the same events give the same pixels.
    virtual bool IsVirtual() const { return false; }
};

// Waiting. Commands that wait (Pause, MoveTo, infinite loops) and modal dialogs keep the
// presentation alive through this: timers fire and input arrives while they wait, and may run
// further action lists in the middle of the waiting one.
class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Handles what is due now (queued input, due timers, posted work) without waiting. False
    // once the application is quitting: the waiting command gives up.
    virtual bool PumpPending() = 0;
    // Waits for the next event and handles it, or returns when the tick count reaches
    // `deadline` (compared by unsigned difference) with nothing to handle. It returns after one
    // event so that the waiting command can check whether it is still wanted. False once the
    // application is quitting.
    virtual bool WaitUntil(std::uint32_t deadline) = 0;
};

// The ways the player's window is stacked among the other windows.
enum class WindowLayer {
    kNormal,   // on top when shown, then like any window
    kTopMost,  // above every ordinary window
    kBottom,   // desktop mode: below every other window, like part of the desktop
};

// The outer look of the window as the project header asks for it.
struct WindowStyle {
    bool has_caption = true;
    bool minimize_box = true;
    WindowLayer layer = WindowLayer::kNormal;
    bool operator==(const WindowStyle&) const = default;
};

// The built-in cursors of the player's cursor table and its other cursor resources;
// `kProjectFile` is a cursor the project stores as a ".CUR" file.
enum class CursorShape {
    kDefault,      // the arrow, or whatever the window shows by default
    kHand,         // table entry 1
    kTableEntry,   // a resource of the player: entries 2 ... 11 and 17, and the cursors a
                   // panorama shows while it is dragged or over its hot spot (18004, 18020 ...
                   // 18024); `resource` names which
    kBusy,         // the busy cursor
    kProjectFile,  // entries 12 ... 16: `file` holds the .CUR bytes
};
struct Cursor {
    CursorShape shape = CursorShape::kDefault;
    std::int32_t resource = 0;                        // the old resource number, for kTableEntry
    const std::vector<std::uint8_t>* file = nullptr;  // for kProjectFile; owned by the core
    bool operator==(const Cursor&) const = default;
};

// A window that covers the whole screen behind the presentation.
struct Backdrop {
    std::uint32_t colour = 0;          // COLORREF
    std::int32_t mode = 0;             // 0 picture once at the top-left, 1 tiled, 2 stretched
    const Surface* picture = nullptr;  // owned by the core; null without a picture
    bool top_most = false;
};

// The presentation's main window. Coordinates are pixels of the screen; the client area is
// what the core paints.
class WindowHost {
  public:
    virtual ~WindowHost() = default;

    virtual void SetTitle(std::string_view title) = 0;  // code-page bytes
    virtual void SetStyle(const WindowStyle& style) = 0;
    // The client area becomes width x height; with a caption the frame is added around it.
    virtual void SetClientSize(std::int32_t width, std::int32_t height) = 0;
    // The presentation asked for a display mode of this size. Velk never changes the machine's
    // resolution: the host shows the client area fullscreen, scaled to fit.
    virtual void ShowFullscreenScaled(std::int32_t width, std::int32_t height) = 0;
    virtual Size ScreenSize() const = 0;
    // Whether any part of a window whose frame is `frame` (screen coordinates) would show on a
    // screen. The default knows one screen, of ScreenSize() at the origin.
    virtual bool ShowsOnAScreen(const Rect& frame) const {
        const Size screen = ScreenSize();
        return !frame.Intersect(Rect{0, 0, screen.width, screen.height}).IsEmpty();
    }
    // The outer size of the window (client area plus frame).
    virtual Size WindowSize() const = 0;
    // The top-left corner of the window (its frame).
    virtual Point Position() const = 0;
    // The top-left corner of the client area on the screen; the frame's corner for a window
    // without a frame.
    virtual Point ClientOrigin() const { return Position(); }
    virtual void MoveTo(Point top_left) = 0;
    // Cuts the window to `shape` (client coordinates); none restores the rectangle.
    virtual void SetShape(const std::optional<Region>& shape) = 0;
    virtual void SetCursor(const Cursor& cursor) = 0;
    virtual void Minimize() = 0;
    virtual void Restore() = 0;
    virtual void ShowBackdrop(const Backdrop& backdrop) = 0;
    virtual void MinimizeBackdrop() = 0;
    virtual void RestoreBackdrop() = 0;
    // Part of the client area must be painted again: the host calls the player's Paint soon.
    virtual void Invalidate(const Rect& rect) = 0;
    // The player's timers changed: the host wakes the player when the next one is due.
    virtual void TimersChanged() = 0;
    // The presentation has ended: the window closes and the event loop quits.
    virtual void Close() = 0;
};

// Starts other programs and opens documents with the program the machine associates with them.
// The core decides what to start; the host only starts it and does not wait for it.
class ProcessLauncher {
  public:
    virtual ~ProcessLauncher() = default;
    // Starts `file` (a machine path, code-page bytes) with the command-line `parameters`. False
    // when it could not be started.
    virtual bool Run(std::string_view file, std::string_view parameters) = 0;
};

// The tooltip bubble's window: a small top-level window above every other, which never takes
// the keyboard. The core draws its pixels (border included) and places it; the host shows them.
class TooltipWindow {
  public:
    virtual ~TooltipWindow() = default;
    // Shows `pixels` with their top-left corner at the screen point `top_left`; `text` is what
    // the bubble says (code-page bytes), for hosts that record it.
    virtual void ShowTooltip(Point top_left, const Surface& pixels, std::string_view text) = 0;
    virtual void HideTooltip() = 0;
};

// Sound to the speakers. The core mixes everything it plays (videos, media files, speech)
// into one stream of interleaved 16-bit stereo frames at 44 100 Hz, and the host pulls it.
class AudioSource {
  public:
    virtual ~AudioSource() = default;
    // Fills `frames` (2 x frames samples, left then right) with what plays next; silence where
    // nothing plays. Called on a thread of the host's (the desktop's audio device) or on the
    // player's (headless); it never blocks.
    virtual void Render(std::span<std::int16_t> interleaved) = 0;
};

class AudioOutput {
  public:
    static constexpr std::int32_t kSampleRate = 44100;
    static constexpr std::int32_t kChannels = 2;

    virtual ~AudioOutput() = default;
    // Starts pulling from `source`; none stops. The source stays alive while attached.
    virtual void Attach(AudioSource* source) = 0;
    // Frames the device has played since the output was made: the audio clock. Headless it
    // follows the virtual clock exactly; on the desktop it is what the speakers have sounded.
    virtual std::uint64_t PlayedFrames() const = 0;
};

// What a recorder of effects hears beyond the services above. Every method does nothing unless
// a host overrides it.
class Observer {
  public:
    virtual ~Observer() = default;
    // A page became the current page and was entered.
    virtual void PageShown(std::string_view /*name*/) {}
    // The presentation ended.
    virtual void Ended() {}
    // A media control command string was carried out, with the reply it gave.
    virtual void MciCommand(std::string_view /*command*/, std::string_view /*reply*/) {}
    // A Video object did something: load, play, pause, stop, close or end, with the file or
    // argument it concerns (may be empty).
    virtual void VideoEvent(std::string_view /*object*/, std::string_view /*verb*/,
                            std::string_view /*argument*/) {}
    // A text was handed to the speech engine.
    virtual void Speak(std::string_view /*text*/) {}
    // The speech engine was told to stop, pause or resume, or took a pitch or a speed:
    // "stop", "pause", "resume", "pitch 120", "speed 200".
    virtual void SpeechControl(std::string_view /*what*/) {}
};

}  // namespace velk::host
