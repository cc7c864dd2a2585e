#include "objects/video/video_control.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/codepage.h"
#include "base/saturate.h"
#include "base/text.h"
#include "objects/pictures/image_view.h"
#include "objects/video/video_status.h"
#include "objects/video/video_window.h"

namespace velk {
namespace {

constexpr std::string_view kRelative = ",RELATIVE";
// Invalidating this repaints the whole client area (a full-screen video).
constexpr Rect kWholeWindow{-32768, -32768, 32768, 32768};

bool Is(const VideoWindow& window, VideoState state) {
    return window.state == state;
}

// Holds the window alive while an operation that reports events runs: the lists it runs may
// close the video.
std::shared_ptr<VideoWindow> Media(const Object& video) {
    if (video.video_window == nullptr || !video.video_window->HasMedia()) return nullptr;
    return video.video_window;
}

bool ReportsEvents(const VideoWindow& window) {
    return window.end_mode == VideoEndMode::kReportEvents;
}

void Notify(const Object& video, std::string_view verb, std::string_view argument,
            VideoOwner& owner) {
    owner.Observer().VideoEvent(video.name, verb, argument);
}

Rect AreaOf(const Object& video, const VideoWindow& window) {
    return window.full_screen ? kWholeWindow : VideoWindowArea(video, window);
}

// The window of `video`, made for a load: the settings come from the object each time a window
// is made.
VideoWindow& MakeWindow(Object& video) {
    if (video.video_window == nullptr) {
        auto window = std::make_shared<VideoWindow>();
        const VideoFields fields(video);
        window->end_mode = fields.EndMode();
        window->muted = fields.StartsMuted();
        window->loop = fields.Loops();
        video.video_window = std::move(window);
    }
    return *video.video_window;
}

std::optional<std::string> ChooseVideoFile(VideoOwner& owner) {
    host::FileDialog dialog;
    dialog.purpose = host::FileDialog::Purpose::kOpen;
    dialog.title = "Open Video";
    dialog.filter = std::string(kOpenVideoFilter);
    dialog.file_must_exist = true;
    const auto choice = owner.Ui().ChooseFile(dialog);
    if (!choice || choice->path.empty()) return std::nullopt;
    return choice->path;
}

// The rate the object starts at, when the engine takes it.
void ApplyStartSettings(const Object& video, VideoWindow& window) {
    window.playback->SetMuted(window.muted);
    const double rate = VideoFields(video).StartRate();
    if (rate > 0) window.playback->SetRate(rate);
}

void StartPlaying(Object& video, const std::shared_ptr<VideoWindow>& window, VideoOwner& owner) {
    const bool from_start = !Is(*window, VideoState::kPaused);
    window->playback->Play();
    window->state = VideoState::kPlaying;
    window->shown = true;
    owner.StartVideoPolling(window);
    BlankVideoPosition(owner);
    owner.VideoChanged(AreaOf(video, *window));
    Notify(video, "play", {}, owner);
    if (from_start && ReportsEvents(*window)) owner.ReportVideoEvent(video, VideoEvent::kStarted);
}

// Splits off a trailing ",RELATIVE".
bool TakeRelative(std::string& argument) {
    if (!argument.ends_with(kRelative)) return false;
    argument.resize(argument.size() - kRelative.size());
    return true;
}

std::int64_t Truncated(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<std::int64_t>(std::trunc(std::clamp(value, -9.0e15, 9.0e15)));
}

void Seek(VideoWindow& window, std::int64_t position) {
    if (window.frames_format) {
        window.playback->SeekFrame(position);
    } else {
        window.playback->SeekMs(position);
    }
}

std::int64_t Position(const VideoWindow& window) {
    return window.frames_format ? window.playback->PositionFrame() : window.playback->PositionMs();
}

void ApplyRate(VideoWindow& window, double rate, VideoOwner& owner) {
    if (!window.playback->SetRate(rate)) WriteVideoError(kVideoInvalidArgument, owner);
}

// The end of the media as the polling timer meets it: looping plays on from the start, any
// other video stops at its end.
void MeetEnd(Object& video, VideoWindow& window, VideoOwner& owner) {
    Notify(video, "end", {}, owner);
    if (window.loop) {
        window.playback->SeekMs(0);
        window.playback->Play();
        return;
    }
    if (window.end_mode != VideoEndMode::kHoldLastFrame &&
        window.end_mode != VideoEndMode::kReportEvents && window.full_screen) {
        window.full_screen = false;
        owner.VideoChanged(kWholeWindow);
    }
    window.playback->Stop();
    window.state = VideoState::kEnded;
}

void AfterEnd(Object& video, const std::shared_ptr<VideoWindow>& window, VideoOwner& owner) {
    const Rect area = AreaOf(video, *window);
    switch (window->end_mode) {
        case VideoEndMode::kHoldLastFrame:
            window->playback->Pause();
            break;
        case VideoEndMode::kRewind:
            window->playback->SeekMs(0);
            window->playback->Pause();
            window->state = VideoState::kStopped;
            owner.StopVideoPolling();
            owner.VideoChanged(area);
            break;
        case VideoEndMode::kHide:
            window->shown = false;
            owner.VideoChanged(area);
            break;
        case VideoEndMode::kNextPage:
            window->shown = false;
            owner.VideoChanged(area);
            owner.ReportVideoEvent(video, VideoEvent::kNextPage);
            break;
        case VideoEndMode::kReportEvents:
            // Held before the lists hear of it: they may close the video.
            window->playback->Pause();
            owner.ReportVideoEvent(video, VideoEvent::kEnded);
            break;
    }
}

}  // namespace

bool LoadVideo(Object& video, std::string_view file, VideoOwner& owner) {
    // The file as the script named it (or the dialog gave it) is what the effect log shows.
    std::string named(file);
    std::string path;
    if (file.empty()) {
        const auto chosen = ChooseVideoFile(owner);
        if (!chosen) return false;
        path = named = *chosen;
    } else {
        path = owner.ExpandPath(file);
    }
    if (!owner.MediaFileExists(path)) return false;
    VideoWindow& window = MakeWindow(video);
    const Rect old_area = AreaOf(video, window);
    window.playback.reset();
    window.state = VideoState::kNoVideo;
    window.shown = false;
    window.shape_made = false;
    window.end_pending = false;
    window.path = path;
    window.playback = owner.OpenMedia(path);
    owner.VideoChanged(old_area);
    if (window.playback == nullptr) return false;
    window.state = VideoState::kLoaded;
    ApplyStartSettings(video, window);
    const std::shared_ptr<VideoWindow> keep = video.video_window;
    WriteVideoLength(window, owner);
    Notify(video, "load", named, owner);
    // Without a still picture of its own the object shows the video's first frame.
    if (!VideoFields(video).HasStill() && !window.playback->Info().has_video) {
        owner.ShowMessageNamingFile("Couldn't grab still image for ", path);
    }
    if (ReportsEvents(window)) owner.ReportVideoEvent(video, VideoEvent::kLoaded);
    return true;
}

void PlayVideo(Object& video, VideoOwner& owner) {
    if (Media(video) == nullptr) {
        const std::string& file = VideoFields(video).File();
        if (file.empty() || !LoadVideo(video, file, owner)) return;
    }
    const std::shared_ptr<VideoWindow> window = Media(video);
    // The lists the load reported to may have closed it again.
    if (window == nullptr) return;
    if (Is(*window, VideoState::kEnded)) {
        window->playback->Stop();
        window->playback->SeekMs(0);
        window->state = VideoState::kStopped;
    }
    if (Is(*window, VideoState::kLoaded) || Is(*window, VideoState::kStopped) ||
        Is(*window, VideoState::kPaused)) {
        StartPlaying(video, window, owner);
    }
}

void PauseVideo(Object& video, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    if (Is(*window, VideoState::kPaused)) {
        StartPlaying(video, window, owner);
        return;
    }
    // Held with its current frame shown.
    window->playback->Pause();
    window->state = VideoState::kPaused;
    window->shown = true;
    owner.VideoChanged(AreaOf(video, *window));
    Notify(video, "pause", {}, owner);
}

void StopVideo(Object& video, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    const VideoState before = window->state;
    if (before != VideoState::kLoaded) window->state = VideoState::kStopped;
    window->playback->Stop();
    window->playback->SeekMs(0);
    window->end_pending = false;
    owner.StopVideoPolling();
    owner.VideoChanged(AreaOf(video, *window));
    Notify(video, "stop", {}, owner);
    const bool was_running = before == VideoState::kPlaying || before == VideoState::kPaused ||
                             before == VideoState::kEnded;
    if (was_running && ReportsEvents(*window)) {
        owner.ReportVideoEvent(video, VideoEvent::kStopped);
    }
}

void CloseVideo(Object& video, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = video.video_window;
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    const Rect area = AreaOf(video, *window);
    window->state = VideoState::kClosing;
    if (window->playback != nullptr) window->playback->Stop();
    window->playback.reset();
    video.video_window.reset();
    owner.VideoChanged(area);
    BlankVideoStatus(owner);
    Notify(video, "close", {}, owner);
}

void RewindVideo(Object& video, std::string_view argument, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    std::string expression(argument);
    const bool relative = TakeRelative(expression);
    const std::int64_t amount = Truncated(owner.Evaluate(expression));
    const std::int64_t target =
        relative ? Position(*window) + amount : std::max<std::int64_t>(amount, 0);
    // Shown at the start first, then at the target; a playing video plays on from there.
    window->playback->Pause();
    window->playback->SeekMs(0);
    Seek(*window, target);
    window->end_pending = false;
    if (Is(*window, VideoState::kPlaying)) window->playback->Play();
    owner.VideoChanged(AreaOf(video, *window));
}

void SetVideoSpeed(Object& video, std::string_view argument, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    std::string expression(argument);
    const bool relative = TakeRelative(expression);
    const double amount = owner.Evaluate(expression) / 1000.0;
    if (relative) {
        if (amount == 0) return;
        ApplyRate(*window, window->playback->Rate() + amount, owner);
    } else {
        ApplyRate(*window, amount, owner);
    }
    owner.VideoChanged(AreaOf(video, *window));
}

void ScaleVideo(Object& video, std::string_view argument, VideoOwner& owner) {
    const std::string text(argument);
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return;
    const std::int64_t width = Truncated(owner.Evaluate(text.substr(0, comma)));
    const std::int64_t height = Truncated(owner.Evaluate(text.substr(comma + 1)));
    if (width < 1 || height < 1) return;
    VideoWindow* window = VideoWindowOf(video);
    const Rect old_area = window != nullptr ? AreaOf(video, *window) : video.rect;
    owner.VideoChanged(video.rect);
    Rect& rect = video.rect;
    rect.right = SaturateToInt32(std::int64_t{rect.left} + width);
    rect.bottom = SaturateToInt32(std::int64_t{rect.top} + height);
    if (window == nullptr || !window->HasMedia()) {
        FitView(video, owner.Pictures(), rect);
    } else {
        window->shape_made = false;
    }
    owner.VideoChanged(old_area);
    owner.VideoChanged(rect);
}

void SetVideoParam(Object& video, std::string_view argument, VideoOwner& owner) {
    VideoWindow* window = VideoWindowOf(video);
    if (window == nullptr) return;
    const std::string name = Cp1252LowerString(TrimWhiteSpace(argument));
    if (name == "fullscreen") {
        if (!window->HasMedia()) return;
        window->full_screen = !window->full_screen;
        owner.VideoChanged(kWholeWindow);
    } else if (name == "loop") {
        window->loop = !window->loop;
    } else if (name == "mute") {
        window->muted = !window->muted;
        if (window->HasMedia()) window->playback->SetMuted(window->muted);
    } else if (name == "time") {
        window->frames_format = false;
    } else if (name == "frame") {
        // Only a video with pictures counts in frames.
        if (window->HasMedia() && window->playback->Info().has_video) window->frames_format = true;
    }
}

void StepVideoFrame(Object& video, int direction, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    if (!window->playback->Info().has_video) return;
    window->playback->Pause();
    window->playback->SeekFrame(window->playback->PositionFrame() + direction);
    if (Is(*window, VideoState::kPlaying)) window->state = VideoState::kPaused;
    window->shown = window->shown || window->ShowsFrames();
    owner.VideoChanged(AreaOf(video, *window));
}

void ScaleVideoRate(Object& video, double factor, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || Is(*window, VideoState::kClosing)) return;
    ApplyRate(*window, window->playback->Rate() * factor, owner);
    owner.VideoChanged(AreaOf(video, *window));
}

void AdvanceVideo(VideoWindow& window) {
    if (window.playback == nullptr || !Is(window, VideoState::kPlaying)) return;
    if (window.playback->Update()) window.end_pending = true;
}

void PollVideo(Object& video, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr || !Is(*window, VideoState::kPlaying)) return;
    AdvanceVideo(*window);
    if (window->end_pending) {
        window->end_pending = false;
        MeetEnd(video, *window, owner);
    }
    if (Is(*window, VideoState::kEnded)) AfterEnd(video, window, owner);
}

void WriteVideoPosition(const VideoWindow& window, VideoOwner& owner) {
    WriteVideoPositionVariables(window, owner);
}

void VideoVisibilityChanged(Object& video, bool hide, VideoOwner& owner) {
    const std::shared_ptr<VideoWindow> window = Media(video);
    if (window == nullptr) return;
    owner.VideoChanged(AreaOf(video, *window));
    if (Is(*window, VideoState::kStopped) || Is(*window, VideoState::kClosing)) return;
    if (hide) {
        window->paused_before_hidden = Is(*window, VideoState::kPaused);
        if (Is(*window, VideoState::kPlaying)) PauseVideo(video, owner);
        return;
    }
    // Shown again: it plays on where hiding held it, unless it had been paused before.
    if (Is(*window, VideoState::kPaused) && !window->paused_before_hidden) {
        PauseVideo(video, owner);
    }
}

}  // namespace velk
