// Media control devices as the main window keeps them: MCI objects send their verbs at page
// entry and page stop, and the windows of devices that show are drawn over the page, each
// frame when it is due.
#include <algorithm>

#include "gfx/canvas.h"
#include "objects/mci/mci_object.h"
#include "player/presentation.h"

namespace velk {

void Presentation::ConnectMci() {
    media_.Mci().SetChangeHandler([this] { RefreshMciWindows(); });
}

void Presentation::EnterMciObject(Object& object) {
    if (object.param1 != 0) return;
    RunMciVerb(object, "play", ExpandPath(object.text), {media_.Mci(), services_.observer});
}

void Presentation::StopMciObject(Object& object) {
    RunMciVerb(object, "close", {}, {media_.Mci(), services_.observer});
}

void Presentation::RefreshMciWindows() {
    // The frames change under the windows that show; those that went leave the page to show.
    Rect area;
    for (const media::MciWindowView& view : media_.Mci().ShownWindows()) {
        area = area.Union(view.rect);
    }
    Invalidate(area.Union(mci_area_));
    mci_area_ = area;
    const std::optional<std::uint32_t> due = media_.Mci().NextDue();
    if (!due) {
        KillTimer(kMciTimerId);
        return;
    }
    const std::int32_t wait = static_cast<std::int32_t>(*due - services_.clock.TickCount());
    SetTimer(kMciTimerId, static_cast<std::uint32_t>(std::max(wait, 1)));
}

void Presentation::OnMciTimer() {
    media_.Mci().Update();
    RefreshMciWindows();
}

void Presentation::PaintMciWindows(Canvas& canvas) {
    canvas.SetStretchMode(StretchMode::kColorOnColor);
    for (const media::MciWindowView& view : media_.Mci().ShownWindows()) {
        if (view.frame == nullptr) continue;
        canvas.StretchBlt(view.rect.left, view.rect.top, view.rect.Width(), view.rect.Height(),
                          *view.frame, 0, 0, view.frame->Width(), view.frame->Height());
    }
}

}  // namespace velk
