// What each object kind does, in one table: how it draws, its precise hit test, the roles it
// plays for the pointer and the keyboard, and whether it holds other objects. Code that treats
// kinds differently asks this table instead of testing kind numbers; a new kind is a row here
// and a folder of its own beside the others.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class PictureCache;
struct DrawContext;

using KindDrawer = void (*)(Object& object, DrawContext& ctx);
// The precise test of a page point against an object, once its rectangle matched.
using KindHitTest = bool (*)(const Object& object, Point point, PictureCache& pictures);
// A window timer an object runs while it is shown.
struct ObjectTimer {
    std::uint32_t id = 0;
    std::uint32_t interval_ms = 0;
};
using KindTimer = ObjectTimer (*)(const Object& object);
// Why a timer is about to start, for kinds that decide it from their state.
enum class TimerStart { kPageEntry, kShown };
// The timer to start, or none; may ready the object first (an Animated GIF reads its frames).
using KindTimerStart = std::optional<ObjectTimer> (*)(Object& object, TimerStart why);

struct KindTraits {
    // Draws the object on the page; none draws nothing (shown by a child window, by a drawer
    // still to come, or not at all).
    KindDrawer draw = nullptr;
    // Draws itself before any of the page's visibility checks (plug-ins).
    bool draws_itself = false;
    // Looks at its pixels or outline when a precise hit is asked; none: its rectangle decides.
    KindHitTest precise_hit = nullptr;
    // Shows its own cursor table entry (`option6`) while the pointer is over it.
    bool shows_object_cursor = false;
    // Drawn in its pressed state while the button is down over it (text and both buttons).
    bool drawn_pressed = false;
    // Keeps the pointer after a press until the release, as a button does.
    bool captures_press = false;
    // Takes the keyboard focus and typed characters (Input text).
    bool takes_focus = false;
    // Names other objects (`lines`) that showing, hiding, moving and shrinking reach; has no
    // area of its own to hover, cover or press.
    bool holds_members = false;
    // Never covers the objects below it (groups, script objects).
    bool covers = true;
    // The timer an object of this kind runs while shown (effects, timer objects): hiding kills
    // it, showing sets it again.
    KindTimer own_timer = nullptr;
    // The timer also starts when the page is entered with the object shown (effects).
    bool timer_starts_on_entry = false;
    // When set, decides instead of `own_timer` whether the timer starts at page entry (shown
    // objects only) and on showing (Animated GIFs: only with frames, from their first frame
    // when shown, at entry only when they play automatically).
    KindTimerStart start_timer = nullptr;
};

// The row of `kind`; kinds the player does not know get the empty row.
const KindTraits& TraitsOf(std::int32_t kind);

}  // namespace velk
