// The pointer as one page sees it: the object under the pointer, the hover and press states of
// the page's objects, the targets they show and hide, and what a release over an object links
// to. The window-level handlers (pointer_dispatch.h) ask the three pages in turn.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "document/object.h"
#include "document/page.h"
#include "objects/paragraph/paragraph_pointer.h"

namespace velk {

class InputOwner;
class PictureCache;

// Run-time interaction state of one page; empty whenever the page is shown. Every object here
// belongs to the same page.
struct PageInputState {
    Object* hovered = nullptr;
    Object* hover_target = nullptr;
    Object* press_mark1 = nullptr;
    Object* press_mark2 = nullptr;
    Object* pressed = nullptr;
    bool button_down = false;
    Point grab_offset;
    Object* active_field = nullptr;
    ParagraphPointerState paragraphs;
};

// Link kinds of an object (`extra_value`): 1 ... 4 start programs, 5 opens a project, the rest
// act on the window and its pages.
enum LinkKind : std::uint32_t {
    kLinkNone = 0,
    kLinkProgramLast = 4,
    kLinkProject = 5,
    kLinkExit = 6,
    kLinkFirstPage = 7,
    kLinkLastPage = 8,
    kLinkNextPage = 9,
    kLinkPreviousPage = 10,
    kLinkPage = 11,
    kLinkMinimize = 12,
};

// What a release over an object asks the window to do.
struct ReleaseLink {
    std::uint32_t kind = kLinkNone;
    std::string text;
    std::string start_page;  // link kind 5: the page to open the project at
};

// The topmost object of `page` that takes the pointer at `point`, or null.
Object* HitTestPage(Page& page, Point point, PictureCache& pictures);

// The pointer moved to `point`: hover states and hover targets follow. The object under the
// pointer, or null.
Object* TrackHover(Page& page, PageInputState& state, InputOwner& owner, Point point,
                   bool run_hover_actions);
// The pointer is over another page's object: whatever this page showed as hovered is left.
void LeaveHover(Page& page, PageInputState& state, InputOwner& owner);

// The left button went down at `point`; the object pressed, or null.
Object* PressAt(Page& page, PageInputState& state, InputOwner& owner, Point point);

// Hides the open object menus ("ZIZ_Menu..." objects) that a press at `point` lies outside of,
// except the one the pressed object opens.
void CloseObjectMenus(Page& page, InputOwner& owner, Point point, const Object* hit);

// The left button went up at `point`; the object under the pointer, or null. Program links
// start here; the other links are returned in `link`.
Object* ReleaseAt(Page& page, PageInputState& state, InputOwner& owner, Point point,
                  ReleaseLink& link);

// The button went up over another page's object: this page's press ends without a click (its
// press marks are hidden again and its pressed object forgotten).
void CancelPress(Page& page, PageInputState& state, InputOwner& owner);

}  // namespace velk
