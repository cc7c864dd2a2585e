// Page changes as the main window drives them: timers stopped, the transition prepared, the
// page left and entered, the transition played, the entry actions run; and the page timer.

#include "base/codepage.h"
#include "base/saturate.h"
#include "document/command_vocabulary.h"
#include "gfx/canvas.h"
#include "objects/effect/effect_runtime.h"
#include "objects/input_text/field_control.h"
#include "objects/kinds.h"
#include "pages/page_painter.h"
#include "player/presentation.h"
#include "script/number_text.h"

namespace velk {
namespace {

// Entry lists with these commands wait for timer 105, so that the page is painted first.
bool NeedsPaintedPage(const ActionList& list) {
    for (const ActionRecord& record : list.records) {
        if (record.code == kCmdVideoPlay || record.code == kCmdMoveTo ||
            record.code == kCmdRefresh) {
            return true;
        }
    }
    return false;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

int Presentation::Run(const ActionList& list) {
    // The list lives inside the project; sharing the project's ownership keeps it alive while
    // the run pumps and perhaps a project switch replaces the project.
    return dispatcher_.RunActions(ActionListPtr(project_, &list));
}

int Presentation::RunGuarded(const ActionList& list) {
    return dispatcher_.RunGuarded(ActionListPtr(project_, &list));
}

Object* Presentation::FindObject(std::string_view qualified_name) {
    return pages_.FindObject(qualified_name);
}

Page* Presentation::FindPageOf(std::string_view qualified_name) {
    return pages_.FindPageOf(qualified_name);
}

std::string Presentation::CurrentPageName() const {
    const Page* page = pages_.Current();
    return page != nullptr ? page->name : std::string();
}

void Presentation::RunExitActions(Page& page) {
    Run(page.exit_actions);
}

void Presentation::ShowInDisplayObject(std::string_view name, std::string_view text) {
    if (Object* object = FindObject(name)) {
        object->text = std::string(text);
        Invalidate(object->rect);
    }
}

void Presentation::EnterObject(Page& page, Object& object) {
    StartEffect(object, pictures_, random_);
    if (object.kind == kKindPanorama) OpenPanorama(page, object);
    if (object.kind == kKindMci) EnterMciObject(object);
}

void Presentation::StartPage() {
    // The panorama window of the page before goes; the page entered makes its own.
    ClosePanorama();
    pages_.EnterPage(*this);
    Page* page = pages_.Current();
    if (page == nullptr) return;
    pointer_dispatch_.PageShown(*page);
    variables_.SetString("ZIZ_PageName", page->name);
    ShowInDisplayObject("ZIZ_PageName", page->name);
    ShowInDisplayObject("ZIZ_Error",
                        IntToText(SaturateCast<std::int32_t>(variables_.GetNumber("ZIZ_Error"))));
    // Input fields hand their text (as typed, once drawn) to their variables on entry.
    for (const Object& object : page->objects) {
        if (!TraitsOf(object.kind).takes_focus) continue;
        const std::string& text = object.input_field ? object.input_field->text : object.text;
        StoreInputText(variables_, object, text);
    }
    UpdateCursor();
    services_.observer.PageShown(page->name);
}

void Presentation::RunEntryActions(std::uint32_t delay_ms) {
    Page* page = pages_.Current();
    if (page == nullptr) return;
    if (NeedsPaintedPage(page->entry_actions)) {
        SetTimer(kEntryActionsTimerId, delay_ms);
    } else {
        Run(page->entry_actions);
    }
}

void Presentation::PrepareTransition() {
    Page* page = pages_.Current();
    if (page == nullptr || page->transition_effect < 1) return;
    Paint({});
    transition_.Prepare(*page, back_buffer_, ExpandPath(page->transition_file));
}

bool Presentation::PlayTransition() {
    if (transition_.Running()) return false;
    Page* page = pages_.Current();
    if (page == nullptr) return false;
    const Size client = ClientSize();
    Surface new_page(client.width, client.height);
    // Painted twice, as the window does: text objects fit their rectangles on the first pass.
    for (int pass = 0; pass < 2; ++pass) {
        Canvas canvas(new_page);
        PaintPage(*project_, *page, canvas, fonts_, pictures_);
    }
    if (!transition_.Play(new_page, *this)) return false;
    InvalidateAll();
    return true;
}

void Presentation::KillPageScriptTimers() {
    for (std::uint32_t id : kScriptTimerIds) {
        auto target = script_timer_targets_.find(id);
        if (target != script_timer_targets_.end() &&
            (StartsWith(target->second, "Master Layer::") ||
             StartsWith(target->second, "Master Page::"))) {
            continue;
        }
        KillTimer(id);
        script_timer_targets_.erase(id);
    }
}

void Presentation::GoToPage(std::int32_t mode, std::string_view name, Point pointer) {
    dispatcher_.SetPendingStop(true);
    KillTimer(kPageTimerId);
    KillPageScriptTimers();
    page_timer_action_ = PageTimerAction::kNone;
    PrepareTransition();
    const int changed = mode == kGoToByName ? pages_.GoToByName(name, true, *this)
                                            : pages_.GoTo(static_cast<PageDirection>(mode), *this);
    StartPage();
    if (!PlayTransition()) {
        // The object under a pointer that has not moved shows the pointer-over state at once.
        if (pointer.x >= 0) pointer_dispatch_.TrackWithoutActions(pointer);
        InvalidateAll();
    }
    if (changed != 0) RunEntryActions(1);
}

void Presentation::GoToPageCommand(std::string_view name) {
    if (name.empty()) return;
    dispatcher_.SetPendingStop(true);
    KillTimer(kPageTimerId);
    KillTimer(kScriptTimerIds[0]);
    page_timer_action_ = PageTimerAction::kNone;
    PrepareTransition();
    const std::string target = name == "<File>" ? macros_->CurrentFile() : std::string(name);
    const int changed = pages_.GoToByName(target, true, *this);
    StartPage();
    if (!PlayTransition()) InvalidateAll();
    if (changed != 0) RunEntryActions(1);
}

void Presentation::ArmPageTimer(PageTimerAction action, std::string_view target,
                                std::uint32_t interval_ms) {
    KillTimer(kPageTimerId);
    page_timer_action_ = action;
    if (action == PageTimerAction::kGoToPage) page_timer_target_ = std::string(target);
    SetTimer(kPageTimerId, interval_ms);
}

void Presentation::StopPageTimer() {
    KillTimer(kPageTimerId);
}

void Presentation::FirePageTimer() {
    KillTimer(kPageTimerId);
    if (page_timer_action_ == PageTimerAction::kExit) {
        EndNormally();
        return;
    }
    if (page_timer_action_ != PageTimerAction::kGoToPage) return;
    page_timer_action_ = PageTimerAction::kNone;
    const std::string target = page_timer_target_;
    if (target.empty() || target == "IF_IDLE") {
        GoToPage(static_cast<std::int32_t>(PageDirection::kNext), "", {-1, -1});
    } else if (target == "THIS_SCRIPT") {
        RunEntryActions(1);
    } else if (target == "THIS_PAGE") {
        StartPage();
        RunEntryActions(1);
        InvalidateAll();
    } else {
        PrepareTransition();
        if (pages_.GoToByName(target, true, *this) != 0) {
            StartPage();
            if (!PlayTransition()) InvalidateAll();
            RunEntryActions(1);
        }
    }
}

void Presentation::UpdateCursor() {
    const Page* page = pages_.Current();
    services_.window.SetCursor(
        cursors_.Choose(false, std::nullopt, page != nullptr ? page->page_cursor : 0));
}

}  // namespace velk
