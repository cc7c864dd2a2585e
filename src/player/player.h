// The presentation's main window: the project it plays, its pages, timers, variables and
// dispatcher, the paint pipeline and the end of the presentation. Hosts drive it: they give it
// their services, forward input and timer wake-ups, and show its back buffer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "gfx/surface.h"
#include "host/host.h"
#include "objects/script_object/shortcut_keys.h"
#include "player/command_line.h"
#include "player/standalone.h"

namespace velk {

class VariableStore;

// The host services a player works through. All must outlive the player.
struct PlayerServices {
    host::Ui& ui;
    host::ProfileStore& profile;
    host::FileSystem& files;
    const host::Clock& clock;
    host::EventLoop& events;
    host::WindowHost& window;
    host::Observer& observer;
    // Programs and documents that links and commands start; none starts nothing.
    host::ProcessLauncher* launcher = nullptr;
    // The tooltip bubble's window; none shows no tooltips.
    host::TooltipWindow* tooltip = nullptr;
    // The speakers; none plays sound to nowhere (media and speech still keep their time).
    host::AudioOutput* audio = nullptr;
};

// How the player was started.
struct PlayerStart {
    // The project read at start-up (LoadStartupProject).
    StartupProject project;
    // The process command line without the program name, as arguments (ParseCommandLine) and
    // the launch options taken from them (ApplyLaunchPrefix already applied).
    std::vector<std::string> arguments;
    LaunchOptions launch;
    // The player's own executable (a Windows-form path); the player's folder is its folder.
    std::string own_executable;
};

// A script variable as logs and tools show it: string variables, and texts the player keeps
// under other names ("ZIZ_PageName"), as their text; the others as numbers in the scripts' own
// number form.
struct VariableValue {
    std::string name;
    bool is_text = false;
    std::string value;  // code-page bytes
};

// Pointer and key input, in client coordinates. Delivered now, acted on by the interaction
// rules.
enum class PointerAction { kMove, kDown, kUp, kDoubleClick, kRightDown, kRightUp };
struct PointerEvent {
    PointerAction action = PointerAction::kMove;
    Point position;
};

class Player {
  public:
    explicit Player(PlayerServices services);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Construction defaults and initialisation of the window from the project, then the first
    // page entered and its entry actions scheduled. False when there is no project to play (the
    // start-up failed): the host then quits without showing a window.
    bool Start(PlayerStart start);

    // Paints the part `dirty` of the client area into the back buffer (the whole area when
    // `dirty` is empty).
    void Paint(const Rect& dirty = {});
    // The client area as last painted: client_width x client_height pixels.
    const Surface& BackBuffer() const;
    Size ClientSize() const;

    // Timers: the tick at which the next one is due (nothing when none is armed), and the
    // delivery of every timer due now.
    std::optional<std::uint32_t> NextTimerDue() const;
    void DeliverDueTimers();

    // Input.
    void OnPointer(const PointerEvent& event);
    // A key pressed, by its Windows virtual-key code, with the Shift, Ctrl and Alt states at
    // that moment; true when the player took it.
    bool OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers = {});
    // A typed character, a code-page byte.
    void OnChar(std::uint8_t character);
    // Escape, closing the window, the system Close command.
    void OnCancel();
    // The presentation lost the keyboard focus (another window took it, or the window was
    // deactivated): its input fields lose it too.
    void OnFocusLost();
    // A second instance handed over its command line (code-page bytes).
    void OnActivation(std::string_view command_line);

    // The presentation has ended (the window is to close).
    bool Ended() const;
    // The script variables (read by tests).
    const VariableStore& Variables() const;
    // Every script variable by name, in byte order of the names (`velk run`'s "vars").
    std::vector<VariableValue> VariableValues() const;
    // The current page's name, empty without one.
    std::string CurrentPageName() const;
    // Whether a page transition is playing.
    bool TransitionRunning() const;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velk
