// Start-up: construction defaults, then the initialisation of the window from the project
// header, the first page and the script parameters.
#include <algorithm>
#include <array>

#include "base/saturate.h"
#include "document/embedded_extraction.h"
#include "document/load_context.h"
#include "gfx/image_library.h"
#include "objects/pictures/image_view.h"
#include "pages/window_shape.h"
#include "player/presentation.h"

namespace velk {
namespace {

// The display modes a project may ask for, by `resolution`.
constexpr std::array<Size, 4> kResolutions = {Size{640, 480}, Size{800, 600}, Size{960, 720},
                                              Size{1024, 768}};

// The window position that centres `window` on `screen`.
Point Centred(Size screen, Size window) {
    return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

}  // namespace

Presentation::Presentation(PlayerServices services)
    : services_(services),
      media_(services.files, services.clock, services.audio),
      project_(std::make_shared<Project>()),
      pages_(*project_),
      dispatcher_(*this),
      transition_(random_),
      pictures_(services.ui) {
    SeedRandom();
    evaluator_.SetOwner(this);
    ConnectMci();
}

Presentation::~Presentation() = default;

void Presentation::AdoptProject(Project project) {
    // Nothing may point into the old project's pages.
    ClosePanorama();
    // Lists still running keep the old project alive through their own reference.
    project_ = std::make_shared<Project>(std::move(project));
    ++generation_;
    pictures_.Clear();
    RefitConvertedVideos(*project_, pictures_);
    pointer_dispatch_.Reset();
    pages_.Reset(*project_);
    pages_.SetPlayerDirectory(folders_.src_dir);
    const LoadContext ctx{
        .ui = services_.ui, .profile = services_.profile, .version = project_->version};
    ExtractEmbeddedFiles(project_->embedded_files, services_.files, folders_, ctx);
}

bool Presentation::Start(PlayerStart start) {
    if (!start.project.ok) return false;
    // The player's folders follow the file it started with, also after a project switch.
    folders_ = ComputePlayerFolders(start.project.source_path, services_.files);
    macros_ = std::make_unique<PathMacros>(folders_);
    AdoptProject(std::move(start.project.load.project));
    start_page_ = start.launch.start_page;
    ApplyDisplayMode();
    ApplyWindowStyle();
    services_.window.SetTitle(project_->header.title);
    ApplyPosition();
    const ProjectHeader& header = project_->header;
    if (header.has_caption == 0 && header.shaped_window != 0) {
        if (auto shape = ShapeOfProject(*project_)) services_.window.SetShape(shape);
    }
    ApplyBackdrop();
    if (!start_page_.empty()) {
        const std::size_t first = start_page_.find_first_not_of(" \t\r\n");
        pages_.GoToByName(first == std::string::npos ? "" : start_page_.substr(first), true, *this);
    }
    cursors_.LoadEmbedded(project_->embedded_files, *macros_, services_.files);
    started_ = true;
    StartPage();
    UpdateDateTime();
    SetScriptParameters(std::move(start.arguments));
    RunEntryActions(10);
    SetTimer(kDateTimeTimerId, kDateTimeIntervalMs);
    AfterEvent();
    return true;
}

void Presentation::ApplyDisplayMode() {
    const ProjectHeader& header = project_->header;
    if (header.change_resolution == 0 || header.resolution >= kResolutions.size()) return;
    const Size target = kResolutions[header.resolution];
    const Size screen = services_.window.ScreenSize();
    if (screen.width == target.width) return;
    // Velk never changes the machine's display mode: where the presentation would have switched
    // it, the window goes fullscreen and the presentation is scaled to fit.
    if (header.force_resolution || screen.width >= target.width) {
        services_.window.ShowFullscreenScaled(target.width, target.height);
    }
}

void Presentation::ApplyWindowStyle() {
    const ProjectHeader& header = project_->header;
    host::WindowStyle style{.has_caption = header.has_caption != 0,
                            .minimize_box = header.minimize_box != 0};
    if (header.desktop_mode) {
        style.layer = host::WindowLayer::kBottom;
    } else if (header.top_most != 0) {
        style.layer = host::WindowLayer::kTopMost;
    }
    services_.window.SetStyle(style);
    ApplyClientSize();
}

void Presentation::ApplyClientSize() {
    const Size client = ClientSize();
    services_.window.SetClientSize(client.width, client.height);
}

void Presentation::ApplyPosition() {
    const ProjectHeader& header = project_->header;
    const Size screen = services_.window.ScreenSize();
    const Point centre = Centred(screen, services_.window.WindowSize());
    if (header.remember_position == 0) {
        services_.window.MoveTo(centre);
        return;
    }
    const std::int32_t x = services_.profile.ReadInt(header.settings_section, "X", -1);
    const std::int32_t y = services_.profile.ReadInt(header.settings_section, "Y", -1);
    if (x < 0 || y < 0) {
        services_.window.MoveTo(centre);
        return;
    }
    // A remembered place where none of the window shows (a screen that is gone, another
    // resolution) would hide the presentation: it opens centred instead.
    const Size size = services_.window.WindowSize();
    const Rect frame{x, y, SaturateToInt32(std::int64_t{x} + size.width),
                     SaturateToInt32(std::int64_t{y} + size.height)};
    services_.window.MoveTo(services_.window.ShowsOnAScreen(frame) ? Point{x, y} : centre);
}

void Presentation::ApplyBackdrop() {
    const ProjectHeader& header = project_->header;
    if (header.backdrop_enabled == 0) return;
    backdrop_picture_ = Surface();
    if (header.backdrop_image) {
        const RgbImage& image = pictures_.Pixels(*header.backdrop_image);
        backdrop_picture_ = Surface(image.width, image.height);
        DrawRGB(backdrop_picture_, Rect{0, 0, image.width, image.height}, image, 0, 0);
    }
    services_.window.ShowBackdrop(
        host::Backdrop{.colour = header.backdrop_colour,
                       .mode = static_cast<std::int32_t>(header.backdrop_mode),
                       .picture = backdrop_picture_.Empty() ? nullptr : &backdrop_picture_,
                       .top_most = header.top_most != 0});
    backdrop_shown_ = true;
}

void Presentation::SetScriptParameters(std::vector<std::string> arguments) {
    arguments_ = std::move(arguments);
    for (const auto& [name, value] : ScriptParameters(arguments_)) {
        variables_.SetString(name, value);
    }
    if (Object* object = FindObject("ZIZ_CMDLINE")) Run(object->actions_click);
}

void Presentation::OnActivation(std::string_view command_line) {
    std::vector<std::string> arguments = ParseCommandLine(command_line);
    SetScriptParameters(arguments);
    std::string path = arguments.empty() ? std::string() : arguments[0];
    if (!path.empty() && path.find('\\') == std::string::npos &&
        path.find('/') == std::string::npos) {
        path = ".\\" + path;
    }
    if (path.empty() || !LooksLikeProjectFile(path, services_.files)) {
        AfterEvent();
        return;
    }
    if (Page* page = pages_.Current()) RunExitActions(*page);
    dispatcher_.StopAll();
    pending_switch_ = PendingSwitch{.path = path, .command_line = std::string(command_line)};
    SetTimer(kProjectSwitchTimerId, kProjectSwitchIntervalMs);
    AfterEvent();
}

}  // namespace velk
