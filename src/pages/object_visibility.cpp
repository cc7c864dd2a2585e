#include "pages/object_visibility.h"

#include <unordered_set>

#include "base/saturate.h"
#include "objects/kinds.h"
#include "objects/pictures/image_view.h"
#include "pages/page_lookup.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

// Groups may name each other (or themselves), and a chain of groups naming the next one many
// times over would multiply the work at every level: within one operation each group is
// opened once.
using GroupsSeen = std::unordered_set<const Object*>;

void CancelShrink(Page& page, Object& object) {
    if (!object.anim_running) return;
    object.scale = object.anim_saved_scale;
    object.anim_running = false;
    if (page.running_animations > 0) --page.running_animations;
}

// Hiding stops an object's own animation timer; showing starts it again.
void FollowAnimationTimer(Page& page, Object& object, bool hide, PageOwner& owner) {
    const KindTraits& kind = TraitsOf(object.kind);
    if (const KindTimer own_timer = kind.own_timer) {
        const ObjectTimer timer = own_timer(object);
        if (hide) {
            owner.KillTimer(timer.id);
        } else if (kind.start_timer != nullptr) {
            const auto started = kind.start_timer(object, TimerStart::kShown);
            if (started) owner.SetTimer(started->id, started->interval_ms);
        } else {
            owner.SetTimer(timer.id, timer.interval_ms);
        }
    }
    owner.ObjectVisibilityChanged(page, object, hide);
}

void SetVisible(Page& page, Object& object, bool hide, bool save_state, PageOwner* owner,
                GroupsSeen& seen) {
    if (TraitsOf(object.kind).holds_members) {
        if (object.lines.empty() || !seen.insert(&object).second) return;
        for (const std::string& member_name : object.lines) {
            Object* member = FindObjectByName(page, member_name, true);
            if (member != nullptr) SetVisible(page, *member, hide, save_state, owner, seen);
        }
        if (save_state) object.initially_hidden = hide;
        object.hidden = hide;
        return;
    }
    if (!hide) CancelShrink(page, object);
    object.hidden = hide;
    if (save_state) object.initially_hidden = hide;
    if (owner != nullptr) FollowAnimationTimer(page, object, hide, *owner);
}

void Place(Page& page, Object& object, std::int32_t x, std::int32_t y, GroupsSeen& seen) {
    if (TraitsOf(object.kind).holds_members) {
        // A group met again has been moved already, members and all.
        if (!seen.insert(&object).second) return;
        for (const std::string& member_name : object.lines) {
            Object* member = FindObjectByName(page, member_name, true);
            if (member == nullptr || member == &object) continue;
            const std::int64_t mx = std::int64_t{member->rect.left} + x - object.rect.left;
            const std::int64_t my = std::int64_t{member->rect.top} + y - object.rect.top;
            Place(page, *member, SaturateToInt32(mx), SaturateToInt32(my), seen);
        }
    }
    const std::int64_t width = std::int64_t{object.rect.right} - object.rect.left;
    const std::int64_t height = std::int64_t{object.rect.bottom} - object.rect.top;
    object.rect = {x, y, SaturateToInt32(x + width), SaturateToInt32(y + height)};
}

}  // namespace

void SetObjectVisible(Page& page, Object& object, bool hide, bool save_state, PageOwner* owner) {
    GroupsSeen seen;
    SetVisible(page, object, hide, save_state, owner, seen);
}

void PlaceObject(Page& page, Object& object, std::int32_t x, std::int32_t y, bool resized,
                 PictureCache* pictures) {
    GroupsSeen seen;
    Place(page, object, x, y, seen);
    const bool refits = object.kind == kKindImage || object.kind == kKindPolygon ||
                        object.kind == kKindImageWithoutPictureOutlined;
    if (resized && refits && pictures != nullptr) FitView(object, *pictures, object.rect);
}

}  // namespace velk
