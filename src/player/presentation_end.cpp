// The end of the presentation, cancelling through "ZIZ_EXIT", and switching to another project
// in the same window. Both destroy state that running action lists may still use, so both wait
// until no list runs.
#include "base/byte_reader.h"
#include "document/embedded_extraction.h"
#include "pages/object_visibility.h"
#include "player/presentation.h"

namespace velk {

bool LooksLikeProjectFile(std::string_view path, const host::FileSystem& files) {
    auto bytes = files.ReadFile(path);
    if (!bytes) return false;
    try {
        ByteReader in(*bytes);
        return in.ArchiveString().find("Vellumkit") != std::string::npos;
    } catch (const std::exception&) {
        return false;
    }
}

void Presentation::Exit() {
    EndNormally();
}

void Presentation::EndNormally() {
    if (ended_) return;
    // Running lists return at their next step; the rest happens once they have.
    dispatcher_.StopAll();
    end_requested_ = true;
}

void Presentation::FinishEnd() {
    end_requested_ = false;
    ended_ = true;
    if (Page* page = pages_.Current()) pages_.StopPage(*page, *this);
    const ProjectHeader& header = project_->header;
    if (header.remember_position != 0) {
        const Point position = services_.window.Position();
        services_.profile.WriteString(header.settings_section, "X", std::to_string(position.x));
        services_.profile.WriteString(header.settings_section, "Y", std::to_string(position.y));
    }
    CleanUpEmbeddedFiles(project_->embedded_files, services_.files, folders_);
    timers_.KillAll();
    services_.window.TimersChanged();
    services_.observer.Ended();
    services_.window.Close();
}

void Presentation::OnCancel() {
    if (ended_) return;
    if (Object* exit_object = FindObjectByName(project_->master_layer, "ZIZ_EXIT", true)) {
        SetObjectVisible(project_->master_layer, *exit_object, false, false, this);
        Run(exit_object->actions_click);
        Invalidate(exit_object->rect);
    } else {
        EndNormally();
    }
    AfterEvent();
}

void Presentation::AfterEvent() {
    if (end_requested_ && dispatcher_.Depth() == 0) FinishEnd();
}

void Presentation::RequestProjectSwitch(std::string_view path, std::string_view start_parameter) {
    pending_switch_ =
        PendingSwitch{.path = std::string(path), .start_page = std::string(start_parameter)};
    SetTimer(kProjectSwitchTimerId, kProjectSwitchIntervalMs);
}

void Presentation::SwitchProject() {
    // Timer 999 waits while any list runs: the switch replaces what they work on.
    if (!pending_switch_ || dispatcher_.Executing() || dispatcher_.Depth() > 0) return;
    dispatcher_.ClearStop();
    KillTimer(kProjectSwitchTimerId);
    PendingSwitch pending = std::move(*pending_switch_);
    pending_switch_.reset();
    LoadContext ctx{.ui = services_.ui, .profile = services_.profile};
    std::optional<LoadResult> load = OpenProjectFile(pending.path, services_.files, ctx);
    // A file that cannot be read as a project leaves the running presentation as it is, rather
    // than an empty window.
    if (!load || load->status != LoadStatus::kLoaded) return;
    pages_.StopPages(*this);
    KillTimer(kPageTimerId);
    page_timer_action_ = PageTimerAction::kNone;
    CleanUpEmbeddedFiles(project_->embedded_files, services_.files, folders_);
    AdoptProject(std::move(load->project));
    // The window takes the new project's size, and all of it shows the new project: nothing of
    // the old one (a button that no longer answers) may stay beside a smaller presentation.
    ApplyClientSize();
    cursors_.LoadEmbedded(project_->embedded_files, *macros_, services_.files);
    if (!pending.start_page.empty()) pages_.GoToByName(pending.start_page, true, *this);
    StartPage();
    InvalidateAll();
    if (pending.command_line) SetScriptParameters(ParseCommandLine(*pending.command_line));
    RunEntryActions(1);
}

}  // namespace velk
