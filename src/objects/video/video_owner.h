// What a Video object needs from the main window: its media engine, files and dialogs, the
// variables it writes, the polling timer, and the presentation that hears its events.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "document/object.h"
#include "host/host.h"
#include "media/playback.h"

namespace velk {

class PictureCache;
class VariableStore;
struct VideoWindow;

// The events a video reports (the numbers of the old video window's messages).
enum class VideoEvent : std::int32_t {
    kHide = 2,      // the object is hidden
    kNextPage = 3,  // the presentation goes to the next page
    kLoaded = 5,    // actions_down
    kStarted = 6,   // actions_click
    kStopped = 7,   // actions_4
    kEnded = 8,     // actions_5
};

// The interval of the main window's timer that polls the playing video for its events and
// writes the position variables (kVideoPollTimerId, pages/page_manager.h).
inline constexpr std::uint32_t kVideoPollIntervalMs = 500;

class VideoOwner {
  public:
    virtual ~VideoOwner() = default;

    // Opens a media file (Windows form, path macros expanded); none when nothing in it plays.
    virtual std::unique_ptr<media::Playback> OpenMedia(std::string_view path) = 0;
    virtual bool MediaFileExists(std::string_view path) = 0;
    virtual std::string ExpandPath(std::string_view path) = 0;
    virtual double Evaluate(std::string_view expression) = 0;
    virtual host::Ui& Ui() = 0;
    virtual host::Observer& Observer() = 0;
    virtual VariableStore& Variables() = 0;
    virtual PictureCache& Pictures() = 0;
    // A message box: `before` and the file as the user knows it.
    virtual void ShowMessageNamingFile(std::string_view before, std::string_view path) = 0;
    // The object named like a status variable shows its new text.
    virtual void ShowInDisplay(std::string_view name, std::string_view text) = 0;

    // The presentation acts on an event of `video` (runs its lists, hides it, changes page).
    virtual void ReportVideoEvent(Object& video, VideoEvent event) = 0;
    // Timer 502 runs and `window` becomes the video whose position the variables show.
    virtual void StartVideoPolling(const std::shared_ptr<VideoWindow>& window) = 0;
    virtual void StopVideoPolling() = 0;
    // The video's area must be drawn again and its frames timed anew (it started, stopped,
    // moved, changed size or went).
    virtual void VideoChanged(const Rect& old_area) = 0;
};

}  // namespace velk
