// What pointer and keyboard dispatch need from the presentation. The player implements it; unit
// tests use a small fake, so the interaction rules run without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "document/action_list.h"
#include "document/object.h"
#include "document/page.h"
#include "objects/object_owner.h"

namespace velk {

class Bubble;
class PageOwner;
class PictureCache;
class VariableStore;

// The three pages a pointer event asks, in the order it asks them; a missing page is null.
// The mode of GoToPage that names its page (the others are the PageDirection values).
inline constexpr std::int32_t kGoToPageByName = -1;

struct InputPages {
    Page* master_layer = nullptr;
    Page* current = nullptr;
    Page* master_page = nullptr;
};

class InputOwner : public ObjectOwner {
  public:
    virtual InputPages Pages() = 0;
    // The main window as the pages see it: visibility changes go through it.
    virtual PageOwner& PageSide() = 0;
    virtual PictureCache& Pictures() = 0;
    virtual VariableStore& Variables() = 0;
    // Object lookup with the page manager's qualified-name rules.
    virtual Object* FindObject(std::string_view qualified_name) = 0;
    virtual void InvalidateWindow() = 0;
    // Starts the fade-out (shrink and hide) of a hover target whose hover mode is 1.
    virtual void StartFadeOut(Page& page, Object& object) = 0;

    // Runs an object's action list through the dispatcher, plainly or through the nesting guard.
    virtual void RunList(const ActionList& list) = 0;
    virtual void RunListGuarded(const ActionList& list) = 0;

    // Link targets.
    virtual void GoToPage(std::int32_t mode, std::string_view name, Point pointer) = 0;
    virtual void Exit() = 0;
    virtual void Minimize() = 0;
    // Opens another project in this window once no action list runs (the current page's exit
    // actions have already run); `start_page` may be empty.
    virtual void OpenProject(std::string_view link_text, std::string_view start_page) = 0;
    // Starts a program, document or new player (`mode` 1 to 5); the number scripts receive.
    virtual std::int32_t RunProgram(std::string_view target, std::string_view parameters,
                                    std::int32_t mode) = 0;
    // A click ends the page timer's wait when it waits with the target "IF_IDLE".
    virtual void EndIdleWait() = 0;

    // The window: whether it may be dragged by its body (no title bar, the project's option on,
    // no full-screen video), its top-left corner on the screen, and moving it.
    virtual bool CanDragByBody() = 0;
    virtual Point WindowOrigin() = 0;
    virtual void MoveWindow(Point top_left) = 0;
    // The cursor: the grab cursor, else the object's cursor table entry (index = cursor number
    // - 1), else the page's cursor.
    virtual void ShowCursor(bool grab, std::optional<std::int64_t> object_cursor_index) = 0;

    // Press modes 1 to 7 drive a video target (play, stop, pause, step forward and back, double
    // and half rate); objects of other kinds ignore them.
    virtual void PressVideo(Object& /*target*/, std::uint32_t /*mode*/) {}

    // The tooltip bubble the pointer feeds; none shows no tooltips.
    virtual Bubble* TooltipBubble() { return nullptr; }
};

}  // namespace velk
