// What scripts read from the main window: the evaluator's built-ins and string terms, the
// display objects of system variables. The shell's main window implements it; the trial
// evaluators of the compiler have none. The defaults answer as a window that shows nothing yet,
// so that subsystems can fill their part in later.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

namespace host {
class FileSystem;
}

enum class MouseButton { kLeft, kRight, kMiddle };

// The settings of a video object that getvideoparam reads.
enum class VideoSetting { kFullScreen, kLoop, kMute, kTimeFormatMediaTime, kTimeFormatFrame };

// The colour depth of the screen where nothing else is known.
inline constexpr std::int32_t kUsualScreenBitsPerPixel = 32;

// The system version scripts see (winver).
struct SystemVersion {
    std::int32_t major = 5;
    std::int32_t minor = 1;
    std::int32_t build = 2600;
};

// Physical memory in units of 2^20 bytes (getmemory).
struct MemoryStatus {
    std::int64_t total_mb = 0;
    std::int64_t available_mb = 0;
};

class ScriptOwner {
  public:
    virtual ~ScriptOwner() = default;
    // A file name with its path macros expanded.
    virtual std::string ExpandPath(std::string_view path) = 0;
    // Entry `index` (from 1) of the song list; nothing when there is no such entry.
    virtual std::optional<std::string> SongListEntry(std::int64_t index) = 0;
    // An object by qualified name (page manager rules), or null.
    virtual Object* FindObject(std::string_view qualified_name) = 0;
    // The object's rectangle must be painted again (its text changed).
    virtual void InvalidateObject(const Object& object) = 0;

    // The pointer in client coordinates, and the buttons as they are now.
    virtual Point PointerPosition() { return {}; }
    virtual bool MouseButtonDown(MouseButton /*button*/) { return false; }
    // The window's outer rectangle on the screen, its client size, minimised state.
    virtual Rect WindowRect() { return {}; }
    virtual Size ClientAreaSize() { return {}; }
    virtual bool IsMinimized() { return false; }
    // The screen: resolution, work area (the screen without task bars), bits per pixel.
    virtual Size ScreenSize() { return {}; }
    virtual Size WorkAreaSize() { return {}; }
    virtual std::int32_t ScreenBitsPerPixel() { return kUsualScreenBitsPerPixel; }

    // System information.
    virtual SystemVersion Version() { return {}; }
    virtual MemoryStatus PhysicalMemory() { return {}; }
    virtual double ProcessorFrequency() { return 0.0; }
    virtual std::string ProcessorTypeName() { return {}; }

    // Files that scripts read and write; null when there are none.
    virtual host::FileSystem* ScriptFiles() { return nullptr; }
    // A message box with an OK button, captioned with the application name: `before` and the
    // file `path` (Windows form) as the user knows it.
    virtual void ShowMessageNamingFile(std::string_view /*before*/, std::string_view /*path*/) {}

    // The size of one line of text drawn in `font` on the screen.
    virtual Size TextLineExtent(const LogFont& /*font*/, std::string_view /*line*/) { return {}; }
    // The size of a video object's picture while a video is loaded.
    virtual std::optional<Size> VideoPictureSize(const Object& /*video*/) { return std::nullopt; }
    // A picture's size as shown (a decoded JPEG may differ from its stored size).
    virtual Size PictureSize(const Picture& picture) { return {picture.width, picture.height}; }
    // The thickness of an image view's scroll bar (horizontal first), 0 without one.
    virtual std::int32_t ScrollBarSize(const Object& /*object*/) { return 0; }
    virtual bool VideoSettingOn(const Object& /*video*/, VideoSetting /*setting*/) { return false; }
};

}  // namespace velk
