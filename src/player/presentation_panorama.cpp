// The page's panorama window as the main window keeps it: made at page entry for the page's
// first Panorama, closed when its page stops or the next page is entered, drawn over the page,
// fed the pointer where it shows, and turned by its own timer while it is dragged.
#include "objects/panorama/panorama_fields.h"
#include "objects/video/video_control.h"
#include "pages/page_lookup.h"
#include "player/presentation.h"

namespace velk {

void Presentation::OpenPanorama(Page& page, Object& panorama) {
    // A page holds one panorama window: the first Panorama entered gets it.
    if (panorama_ != nullptr) return;
    const std::string path = ExpandPath(PanoramaFields(panorama).PicturePath());
    panorama_ = PanoramaWindow::Open(page, panorama, path, services_.files, services_.ui);
    InvalidatePanorama();
}

void Presentation::ClosePanorama() {
    if (panorama_ == nullptr) return;
    EndPanoramaDrag();
    InvalidatePanorama();
    panorama_.reset();
}

void Presentation::EndPanoramaDrag() {
    if (panorama_ == nullptr) return;
    if (PanoramaView* view = panorama_->View()) view->Release();
    KillTimer(kPanoramaTimerId);
}

void Presentation::StopObject(Page& /*page*/, Object& object) {
    if (panorama_ != nullptr && panorama_->Holds(object)) ClosePanorama();
    if (object.kind == kKindMci) StopMciObject(object);
    // A page that is left closes its videos.
    if (object.kind == kKindVideo) CloseVideo(object, *this);
}

void Presentation::ObjectVisibilityChanged(Page& /*page*/, Object& object, bool hide) {
    if (object.kind == kKindVideo) VideoVisibilityChanged(object, hide, *this);
    if (panorama_ == nullptr || !panorama_->Holds(object)) return;
    // A hidden window loses the pointer it held.
    if (hide) EndPanoramaDrag();
    InvalidatePanorama();
}

void Presentation::InvalidatePanorama() {
    if (panorama_ != nullptr) Invalidate(panorama_->Area());
}

void Presentation::PaintPanorama() {
    if (panorama_ == nullptr) return;
    const Region visible = panorama_->VisibleRegion(pages_, ClientSize());
    panorama_->Paint(back_buffer_, visible, &fonts_);
}

void Presentation::TurnPanorama() {
    PanoramaView* view = panorama_ != nullptr ? panorama_->View() : nullptr;
    if (view == nullptr) {
        KillTimer(kPanoramaTimerId);
        return;
    }
    if (view->Turn()) InvalidatePanorama();
}

void Presentation::ShowPanoramaCursor(std::int32_t resource) {
    if (resource == kPanoramaArrowCursor) {
        services_.window.SetCursor({});
        return;
    }
    services_.window.SetCursor({.shape = host::CursorShape::kTableEntry, .resource = resource});
}

bool Presentation::PanoramaPointer(const PointerEvent& event) {
    PanoramaView* view = panorama_ != nullptr ? panorama_->View() : nullptr;
    if (view == nullptr) return false;
    const Rect area = panorama_->Area();
    const Point local{event.position.x - area.left, event.position.y - area.top};
    if (view->Dragging()) {
        // The window holds the pointer from the press to the release, wherever it goes.
        if (event.action == PointerAction::kUp) {
            EndPanoramaDrag();
        } else if (event.action == PointerAction::kMove) {
            ShowPanoramaCursor(view->Move(local));
        }
        return true;
    }
    if (!panorama_->VisibleRegion(pages_, ClientSize()).Contains(event.position)) return false;
    switch (event.action) {
        case PointerAction::kMove:
            ShowPanoramaCursor(view->Move(local));
            break;
        case PointerAction::kDown:
        case PointerAction::kDoubleClick:
            // The window takes no double clicks: a second press is a press.
            if (view->Press(local) == PanoramaPress::kDrag) {
                SetTimer(kPanoramaTimerId, kPanoramaTurnIntervalMs);
                ShowPanoramaCursor(kPanoramaHeldCursor);
                break;
            }
            if (Page* page = pages_.Current()) {
                const std::string& name = PanoramaFields(panorama_->Panorama()).HotSpotTarget();
                if (Object* target = FindObjectByName(*page, name, true)) {
                    Run(target->actions_click);
                }
            }
            break;
        case PointerAction::kUp:
            // A release after a press elsewhere ends that press on the page.
            return false;
        case PointerAction::kRightDown:
        case PointerAction::kRightUp:
            break;
    }
    return true;
}

}  // namespace velk
