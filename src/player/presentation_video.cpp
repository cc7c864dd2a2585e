// The Video objects as the main window keeps them: it opens their media, runs their lists when
// they report events, polls the playing one (timer 502), moves their frames on (a timer at the
// next frame due) and draws their pictures over the page.
#include <algorithm>

#include "document/command_vocabulary.h"
#include "objects/video/video_control.h"
#include "objects/video/video_window.h"
#include "pages/object_visibility.h"
#include "pages/video_overlay.h"
#include "player/presentation.h"

namespace velk {
namespace {

// Press modes 1 to 7 on a video.
enum VideoPressMode : std::uint32_t {
    kPressPlay = 1,
    kPressStop = 2,
    kPressPause = 3,
    kPressStepForward = 4,
    kPressStepBack = 5,
    kPressFaster = 6,
    kPressSlower = 7,
};

}  // namespace

std::vector<std::pair<Page*, Object*>> Presentation::ShownVideos() const {
    std::vector<std::pair<Page*, Object*>> videos;
    // In drawing order: the master page, the page, the master layer.
    Page* layers[] = {&project_->master_page, pages_.Current(), &project_->master_layer};
    for (Page* page : layers) {
        if (page == nullptr) continue;
        if (page != layers[0] && page != layers[2] && pages_.IsMaster(*page)) continue;
        for (Object& object : page->objects) {
            if (object.kind == kKindVideo && object.video_window != nullptr) {
                videos.emplace_back(page, &object);
            }
        }
    }
    return videos;
}

std::unique_ptr<media::Playback> Presentation::OpenMedia(std::string_view path) {
    return media_.Open(path);
}

bool Presentation::MediaFileExists(std::string_view path) {
    return services_.files.OpenForReading(path) != nullptr;
}

void Presentation::ShowInDisplay(std::string_view name, std::string_view text) {
    ShowInDisplayObject(name, text);
}

void Presentation::ReportVideoEvent(Object& video, VideoEvent event) {
    // Copies: the lists may replace the page that holds the object.
    switch (event) {
        case VideoEvent::kLoaded: {
            const ActionList actions = video.actions_down;
            Run(actions);
            break;
        }
        case VideoEvent::kStarted: {
            const ActionList actions = video.actions_click;
            Run(actions);
            break;
        }
        case VideoEvent::kStopped: {
            const ActionList actions = video.actions_4;
            Run(actions);
            break;
        }
        case VideoEvent::kEnded: {
            const ActionList actions = video.actions_5;
            Run(actions);
            break;
        }
        case VideoEvent::kHide:
            if (Page* page = pages_.PageHolding(video)) {
                SetObjectVisible(*page, video, true, false, this);
                Invalidate(video.rect.Inflate(2));
            }
            break;
        case VideoEvent::kNextPage:
            GoToPage(static_cast<std::int32_t>(PageDirection::kNext), {}, Point{-1, -1});
            break;
    }
}

void Presentation::StartVideoPolling(const std::shared_ptr<VideoWindow>& window) {
    SetTimer(kVideoPollTimerId, kVideoPollIntervalMs);
    polled_video_ = window;
}

void Presentation::StopVideoPolling() {
    KillTimer(kVideoPollTimerId);
}

void Presentation::VideoChanged(const Rect& old_area) {
    Invalidate(old_area);
    ScheduleVideoFrames();
}

void Presentation::PollVideos() {
    for (const auto& [page, video] : ShownVideos()) PollVideo(*video, *this);
    if (const auto polled = polled_video_.lock()) WriteVideoPosition(*polled, *this);
    ScheduleVideoFrames();
}

void Presentation::AdvanceVideoFrames() {
    for (const auto& [page, video] : ShownVideos()) {
        VideoWindow& window = *video->video_window;
        if (window.state != VideoState::kPlaying) continue;
        AdvanceVideo(window);
        Invalidate(window.full_screen ? Rect{0, 0, ClientSize().width, ClientSize().height}
                                      : VideoWindowArea(*video, window));
    }
    ScheduleVideoFrames();
}

void Presentation::ScheduleVideoFrames() {
    std::optional<std::uint32_t> next;
    const std::uint32_t now = services_.clock.TickCount();
    for (const auto& [page, video] : ShownVideos()) {
        const VideoWindow& window = *video->video_window;
        if (window.state != VideoState::kPlaying || window.playback == nullptr) continue;
        const auto due = window.playback->NextFrameDue();
        if (!due) continue;
        const auto wait = static_cast<std::int32_t>(*due - now);
        const std::uint32_t interval = wait > 0 ? static_cast<std::uint32_t>(wait) : 1;
        next = next ? std::min(*next, interval) : interval;
    }
    if (next) {
        SetTimer(kVideoFrameTimerId, *next);
    } else {
        KillTimer(kVideoFrameTimerId);
    }
}

void Presentation::PaintVideos() {
    const Size client = ClientSize();
    const Rect whole{0, 0, client.width, client.height};
    const std::pair<Page*, Object*>* full_screen = nullptr;
    const auto videos = ShownVideos();
    for (const auto& entry : videos) {
        VideoWindow& window = *entry.second->video_window;
        if (window.full_screen && window.HasMedia()) {
            full_screen = &entry;
            continue;
        }
        PaintVideo(*entry.first, *entry.second, whole);
    }
    // A full-screen video covers the client area, over everything.
    if (full_screen != nullptr) PaintVideo(*full_screen->first, *full_screen->second, whole);
}

void Presentation::PaintVideo(Page& page, Object& video, const Rect& whole) {
    VideoWindow& window = *video.video_window;
    // What shows is the frame due now.
    AdvanceVideo(window);
    const Surface* frame = VideoPicture(video, window);
    if (frame == nullptr) return;
    const Region visible =
        VideoVisibleRegion(pages_, page, video, window, {whole.right, whole.bottom}, pictures_);
    const Rect area = window.full_screen ? whole : VideoWindowArea(video, window);
    PaintVideoFrame(back_buffer_, *frame, area, visible);
}

void Presentation::PressVideo(Object& target, std::uint32_t mode) {
    if (target.kind != kKindVideo) return;
    switch (mode) {
        case kPressPlay:
            PlayVideo(target, *this);
            break;
        case kPressStop:
            StopVideo(target, *this);
            break;
        case kPressPause:
            PauseVideo(target, *this);
            break;
        case kPressStepForward:
            StepVideoFrame(target, 1, *this);
            break;
        case kPressStepBack:
            StepVideoFrame(target, -1, *this);
            break;
        case kPressFaster:
            ScaleVideoRate(target, 2.0, *this);
            break;
        case kPressSlower:
            ScaleVideoRate(target, 0.5, *this);
            break;
        default:
            break;
    }
}

std::optional<Size> Presentation::VideoPictureSize(const Object& video) {
    const VideoWindow* window = VideoWindowOf(video);
    if (window == nullptr || !window->HasMedia() || !window->playback->Info().has_video) {
        return std::nullopt;
    }
    const media::MediaInfo& info = window->playback->Info();
    return Size{info.width, info.height};
}

bool Presentation::VideoSettingOn(const Object& video, VideoSetting setting) {
    const VideoWindow* window = VideoWindowOf(video);
    if (window == nullptr) return false;
    switch (setting) {
        case VideoSetting::kFullScreen:
            return window->full_screen;
        case VideoSetting::kLoop:
            return window->loop;
        case VideoSetting::kMute:
            return window->muted;
        case VideoSetting::kTimeFormatMediaTime:
            return !window->frames_format;
        case VideoSetting::kTimeFormatFrame:
            return window->frames_format;
    }
    return false;
}

bool Presentation::FullScreenVideo() const {
    const auto videos = ShownVideos();
    return std::any_of(videos.begin(), videos.end(),
                       [](const auto& entry) { return entry.second->video_window->full_screen; });
}

}  // namespace velk
