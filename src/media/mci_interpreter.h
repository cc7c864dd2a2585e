// The media control command strings ("open ... alias v", "play v", "status v mode") carried out
// over our own media engine: one interpreter per player, owned by its MediaHub. It keeps the
// opened devices by alias (by file when no alias was given) and replies as the media control
// interface does: "playing", "stopped", "paused", "true", lengths and positions in the device's
// time format, the device number for "open", and an empty text for every other success and for
// every error (an unknown verb or device, a word it does not know, a file that does not open).
//
// A device whose media has a picture has a window: it lies in the main window's client area
// (where "put ... window at" placed it, else at the corner in the picture's own size), shows
// while playing or when shown, and the main window draws its frame over the page.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "host/host.h"
#include "media/playback.h"

namespace velk {
class Surface;
}

namespace velk::media {

struct MciDevice;

// The number the main window goes by in command strings ("style child parent 656932"), as the
// handle of a window is written; fixed, so that runs repeat.
inline constexpr std::uint32_t kMainWindowHandle = 0x000A0624;

// Opens a media file (Windows-form path); none when it cannot be played.
using PlaybackOpener = std::function<std::unique_ptr<Playback>(std::string_view path)>;

// A device window that shows, and the frame it shows (null before the first one decoded).
struct MciWindowView {
    Rect rect;
    const Surface* frame = nullptr;
};

class MciInterpreter {
  public:
    MciInterpreter(PlaybackOpener opener, const host::Clock& clock);
    ~MciInterpreter();
    MciInterpreter(const MciInterpreter&) = delete;
    MciInterpreter& operator=(const MciInterpreter&) = delete;

    // Carries out one command string; the reply.
    std::string Send(std::string_view command);
    // Told after every command string, so that the main window repaints the device windows and
    // times their frames.
    void SetChangeHandler(std::function<void()> handler) { on_change_ = std::move(handler); }

    // Brings every device up to the clock: ends of media, "play ... to" and "repeat".
    void Update();
    // While the device `name` plays: the tick at which its playing should end (the end of the
    // media or of "play ... to"); none when it does not play. "play ... wait" waits for it.
    std::optional<std::uint32_t> PlayingUntil(std::string_view name);
    // The device windows that show, in the order the devices were opened (later ones on top).
    std::vector<MciWindowView> ShownWindows() const;
    // The tick at which a device next needs Update: a frame due, the stop of "play ... to", the
    // end of a media that repeats; none while nothing plays.
    std::optional<std::uint32_t> NextDue() const;

  private:
    MciDevice* Find(std::string_view name);
    std::optional<std::string> Carry(const std::vector<std::string>& words);
    std::optional<std::string> Open(const std::vector<std::string>& words);
    std::optional<std::string> Close(std::string_view name);
    void UpdateDevice(MciDevice& device);

    PlaybackOpener opener_;
    const host::Clock& clock_;
    std::function<void()> on_change_;
    std::vector<std::unique_ptr<MciDevice>> devices_;
    std::uint32_t last_id_ = 0;
};

}  // namespace velk::media
