// The running presentation: the project it plays and all its run-time state (pages, timers,
// variables, dispatcher, pictures, fonts, the back buffer). It plays the role of the
// presentation's main window: the window's messages (paint, timers, input, close) arrive here,
// and it answers the pages (PageOwner), the commands (CommandOwner), the scripts (ScriptOwner),
// pointer and keyboard dispatch (InputOwner) and the tooltip bubble (BubbleOwner). Player is its
// public face; it is split over a few files by concern: start-up (presentation_start.cpp),
// painting (presentation_paint.cpp), page changes and the page timer (presentation_pages.cpp),
// timers (presentation_timers.cpp), the end and project switches (presentation_end.cpp), the
// page's panorama window (presentation_panorama.cpp), media control devices and MCI objects
// (presentation_mci.cpp), the Video objects (presentation_video.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/runtime_random.h"
#include "commands/command_owner.h"
#include "commands/dispatcher.h"
#include "controls/bubble.h"
#include "document/path_macros.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "input/input_owner.h"
#include "input/keyboard_dispatch.h"
#include "input/pointer_dispatch.h"
#include "media/media_hub.h"
#include "media/song_list.h"
#include "objects/picture_cache.h"
#include "objects/video/video_owner.h"
#include "pages/page_manager.h"
#include "pages/panorama_window.h"
#include "pages/timer_service.h"
#include "pages/transition_window.h"
#include "player/cursor_table.h"
#include "player/player.h"
#include "script/evaluator.h"
#include "script/script_owner.h"
#include "script/variable_store.h"

namespace velk {

class Canvas;

// The main window's own timers (the page timer 0 and the shrink timers live with their
// owners).
inline constexpr std::uint32_t kTimerKilledOnFire = 8;
inline constexpr std::uint32_t kEntryActionsTimerId = 105;
inline constexpr std::uint32_t kDateTimeTimerId = 600;
inline constexpr std::uint32_t kDateTimeIntervalMs = 500;
inline constexpr std::uint32_t kProjectSwitchTimerId = 999;
inline constexpr std::uint32_t kProjectSwitchIntervalMs = 100;
// Script timers; those started by objects of the master page or layer survive page changes.
inline constexpr std::uint32_t kScriptTimerIds[] = {4, 101, 102, 103};
// The tooltip bubble is a window of its own with its own timer 2; it shares the timer service
// under an id that no timer of the main window uses.
inline constexpr std::uint32_t kBubbleTimerId = 0x10002;
// The frames and stops of media control devices: an id no main-window timer uses.
inline constexpr std::uint32_t kMciTimerId = 0x10017;
// The next frame of the playing videos is due: their pictures move on. Videos were windows of
// their own; their frames share the timer service under an id no main-window timer uses.
inline constexpr std::uint32_t kVideoFrameTimerId = 0x10120;

// Whether the file at `path` begins like a project (its first archive string names the format).
bool LooksLikeProjectFile(std::string_view path, const host::FileSystem& files);

class Presentation : public CommandOwner,
                     public PageOwner,
                     public ScriptOwner,
                     public InputOwner,
                     public BubbleOwner,
                     public VideoOwner {
  public:
    explicit Presentation(PlayerServices services);
    ~Presentation() override;

    // Start-up (presentation_start.cpp).
    bool Start(PlayerStart start);
    void OnActivation(std::string_view command_line);

    // Painting (presentation_paint.cpp).
    void Paint(const Rect& dirty);
    const Surface& BackBuffer() const { return back_buffer_; }
    Size ClientSize() const;

    // Timers (presentation_timers.cpp).
    std::optional<std::uint32_t> NextTimerDue() const;
    void DeliverDueTimers();

    // Input.
    void OnPointer(const PointerEvent& event);
    bool OnKeyDown(std::uint32_t virtual_key, KeyModifiers modifiers);
    void OnChar(std::uint8_t character);
    void OnCancel();
    // The keyboard focus left the presentation: its input fields lose it.
    void OnFocusLost();
    // Script text from an embedded control (the Flash command channel): compiled, its
    // messages shown, and run whatever they said.
    void RunScriptText(std::string_view text);

    bool Ended() const { return ended_; }
    const VariableStore& Vars() const { return variables_; }
    std::string CurrentPageName() const;
    bool TransitionRunning() const { return transition_.Running(); }

    // CommandOwner.
    Object* FindObject(std::string_view qualified_name) override;
    Page* FindPageOf(std::string_view qualified_name) override;
    Page* CurrentPage() override { return pages_.Current(); }
    PageOwner& PageSide() override { return *this; }
    VariableStore& Variables() override { return variables_; }
    host::Ui& Ui() override { return services_.ui; }
    const host::Clock& Clock() override { return services_.clock; }
    media::MediaHub& Media() override { return media_; }
    host::Observer& Observer() override { return services_.observer; }
    VideoOwner* Videos() override { return this; }
    media::SongList& Songs() override { return song_list_; }
    host::FileSystem& FileStore() override { return services_.files; }
    double Evaluate(std::string_view expression) override;
    Evaluator& ScriptEvaluator() override { return evaluator_; }
    ActionListPtr ShareList(const ActionList& list) override {
        return ActionListPtr(project_, &list);
    }
    std::string ProjectTitle() override { return project_->header.title; }
    std::string ExpandPath(std::string_view path) override;
    void GoToPage(std::int32_t mode, std::string_view name, Point pointer) override;
    void GoToPageCommand(std::string_view name) override;
    void ArmPageTimer(PageTimerAction action, std::string_view target,
                      std::uint32_t interval_ms) override;
    void StopPageTimer() override;
    void StartScriptTimer(std::uint32_t id, std::string_view target,
                          std::uint32_t delay_ms) override;
    void Exit() override;
    void Minimize() override;
    void Restore() override;
    void RequestProjectSwitch(std::string_view path, std::string_view start_parameter) override;
    bool PumpMessages() override;
    bool WaitUntil(std::uint32_t deadline) override;
    void Invalidate(const Rect& rect) override;
    void InvalidateWindow() override { InvalidateAll(); }
    void FocusInputText(Object& input_text) override;
    void ShowSpeechWaitWindow(bool shown) override;

    // ScriptOwner (presentation_script.cpp); ExpandPath and FindObject serve both.
    std::optional<std::string> SongListEntry(std::int64_t index) override;
    void InvalidateObject(const Object& object) override { Invalidate(object.rect); }
    Point PointerPosition() override { return pointer_; }
    Rect WindowRect() override;
    Size ClientAreaSize() override { return ClientSize(); }
    bool IsMinimized() override { return minimized_; }
    Size ScreenSize() override { return services_.window.ScreenSize(); }
    Size WorkAreaSize() override { return services_.window.ScreenSize(); }
    host::FileSystem* ScriptFiles() override { return &services_.files; }
    void ShowMessageNamingFile(std::string_view before, std::string_view path) override;
    std::optional<Size> VideoPictureSize(const Object& video) override;
    bool VideoSettingOn(const Object& video, VideoSetting setting) override;

    // InputOwner (presentation_input.cpp); FindObject, Variables, PageSide, Invalidate, GoToPage,
    // Exit and Minimize serve the commands too.
    InputPages Pages() override;
    PictureCache& Pictures() override { return pictures_; }
    void StartFadeOut(Page& page, Object& object) override;
    void RunList(const ActionList& list) override { Run(list); }
    void RunListGuarded(const ActionList& list) override { RunGuarded(list); }
    void OpenProject(std::string_view link_text, std::string_view start_page) override;
    std::int32_t RunProgram(std::string_view target, std::string_view parameters,
                            std::int32_t mode) override;
    void EndIdleWait() override;
    bool CanDragByBody() override;
    Point WindowOrigin() override { return services_.window.Position(); }
    void MoveWindow(Point top_left) override { services_.window.MoveTo(top_left); }
    void ShowCursor(bool grab, std::optional<std::int64_t> object_cursor_index) override;
    Bubble* TooltipBubble() override { return &bubble_; }
    void PressVideo(Object& target, std::uint32_t mode) override;

    // BubbleOwner (presentation_input.cpp).
    Point ClientToScreen(Point client) override;
    Rect DesktopRect() override;
    void SetBubbleTimer(std::uint32_t interval_ms) override {
        SetTimer(kBubbleTimerId, interval_ms);
    }
    void KillBubbleTimer() override { KillTimer(kBubbleTimerId); }
    void ShowBubbleWindow(Point top_left, const Surface& pixels, std::string_view text) override;
    void HideBubbleWindow() override;
    std::int32_t ClientWidth() override { return ClientSize().width; }
    std::int32_t FieldCharAdvance(const LogFont& font, char character) override;

    // PageOwner.
    void RunExitActions(Page& page) override;
    void SetTimer(std::uint32_t id, std::uint32_t interval_ms) override;
    void KillTimer(std::uint32_t id) override;
    const host::FileSystem* Files() const override { return &services_.files; }
    void ForgetPicture(const Picture& picture) override { pictures_.Drop(picture); }
    void EnterObject(Page& page, Object& object) override;
    void StopObject(Page& page, Object& object) override;
    void ObjectVisibilityChanged(Page& page, Object& object, bool hide) override;

    // VideoOwner (presentation_video.cpp); ExpandPath, Evaluate, Ui, Observer, Variables,
    // Pictures and ShowMessageNamingFile serve the commands too.
    std::unique_ptr<media::Playback> OpenMedia(std::string_view path) override;
    bool MediaFileExists(std::string_view path) override;
    void ShowInDisplay(std::string_view name, std::string_view text) override;
    void ReportVideoEvent(Object& video, VideoEvent event) override;
    void StartVideoPolling(const std::shared_ptr<VideoWindow>& window) override;
    void StopVideoPolling() override;
    void VideoChanged(const Rect& old_area) override;

  private:
    struct PendingSwitch {
        std::string path;
        std::string start_page = {};
        // From a second instance: its command line, given to the scripts once the project opened.
        std::optional<std::string> command_line = std::nullopt;
    };

    // Start-up steps.
    void ApplyDisplayMode();
    void ApplyWindowStyle();
    void ApplyClientSize();
    void ApplyPosition();
    void ApplyBackdrop();
    void SetScriptParameters(std::vector<std::string> arguments);
    void AdoptProject(Project project);

    // Pages (presentation_pages.cpp).
    void StartPage();
    void RunEntryActions(std::uint32_t delay_ms);
    void PrepareTransition();
    bool PlayTransition();
    void FirePageTimer();
    void ShowInDisplayObject(std::string_view name, std::string_view text);
    void UpdateCursor();

    // The page's panorama window (presentation_panorama.cpp).
    void OpenPanorama(Page& page, Object& panorama);
    void ClosePanorama();
    void EndPanoramaDrag();
    void InvalidatePanorama();
    void PaintPanorama();
    void TurnPanorama();
    // The pointer where the panorama shows, or anywhere while it is dragged; false when the
    // page takes it.
    bool PanoramaPointer(const PointerEvent& event);
    void ShowPanoramaCursor(std::int32_t resource);

    // Media control devices and MCI objects (presentation_mci.cpp).
    void ConnectMci();
    void EnterMciObject(Object& object);
    void StopMciObject(Object& object);
    void RefreshMciWindows();
    void OnMciTimer();
    void PaintMciWindows(Canvas& canvas);
    // The Video objects (presentation_video.cpp): those of the three pages shown that have a
    // window, in drawing order with their pages.
    std::vector<std::pair<Page*, Object*>> ShownVideos() const;
    void PollVideos();
    void AdvanceVideoFrames();
    void ScheduleVideoFrames();
    void PaintVideos();
    void PaintVideo(Page& page, Object& video, const Rect& whole);
    bool FullScreenVideo() const;

    // Timers (presentation_timers.cpp).
    void OnTimer(std::uint32_t id);
    void KillPageScriptTimers();
    void UpdateDateTime();
    void SeedRandom();
    void OnScriptTimer(std::uint32_t id);

    // The end and project switches (presentation_end.cpp).
    void EndNormally();
    void FinishEnd();
    void SwitchProject();
    // Destructive work waits until no action list runs; entry points call this on their way out.
    void AfterEvent();
    void InvalidateAll();

    // Runs an action list of the current project, keeping the project alive for the whole run.
    int Run(const ActionList& list);
    int RunGuarded(const ActionList& list);
    Object* FindExactSystemObject(std::string_view name);

    PlayerServices services_;
    media::MediaHub media_;
    std::shared_ptr<Project> project_;
    std::uint64_t generation_ = 0;  // counts projects adopted, for checks after pumps
    PageManager pages_;
    VariableStore variables_;
    TimerService timers_;
    RuntimeRandom random_;
    Evaluator evaluator_{variables_, random_};
    Dispatcher dispatcher_;
    TransitionWindow transition_;
    FontCache fonts_;
    PictureCache pictures_;
    // The main window's song list: it outlives the projects played in the window.
    media::SongList song_list_;
    Bubble bubble_{*this, &fonts_};
    CursorTable cursors_;
    std::unique_ptr<PathMacros> macros_;
    PlayerFolders folders_;
    Surface back_buffer_;
    Surface backdrop_picture_;
    PointerDispatch pointer_dispatch_{*this};
    std::unique_ptr<PanoramaWindow> panorama_;
    // Where the device windows showed when last painted, repainted when they change.
    Rect mci_area_;
    // The video whose position the status variables show (the one last started).
    std::weak_ptr<VideoWindow> polled_video_;
    KeyboardDispatch keyboard_dispatch_{*this, pointer_dispatch_};

    std::vector<std::string> arguments_;
    std::string start_page_;
    std::map<std::uint32_t, std::string> script_timer_targets_;
    PageTimerAction page_timer_action_ = PageTimerAction::kNone;
    std::string page_timer_target_;
    std::optional<PendingSwitch> pending_switch_;
    Point pointer_{-1, -1};
    bool started_ = false;
    bool minimized_ = false;
    bool backdrop_shown_ = false;
    bool end_requested_ = false;
    bool ended_ = false;
    bool speech_wait_shown_ = false;  // InitTTS's window over the page
};

}  // namespace velk
