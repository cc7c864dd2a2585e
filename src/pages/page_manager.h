// The pages of the open project and which one is current: navigation, the master page and the
// master layer, objects found by qualified name, and the steps that run when a page is left or
// entered. The main window (shell) drives it and lends it what it needs through PageOwner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "base/region.h"
#include "document/object.h"
#include "document/page.h"
#include "document/picture.h"
#include "document/project.h"
#include "pages/page_lookup.h"

namespace velk {

namespace host {
class FileSystem;
}

enum class PageDirection : std::int32_t { kFirst = 0, kLast = 1, kPrevious = 2, kNext = 3 };

// The names the master page and the master layer are given whenever objects are looked up.
inline constexpr std::string_view kMasterPageName = "Master Page 000";
inline constexpr std::string_view kMasterLayerName = "Master Layer 000";

// Window timers that page entry and page stop touch.
inline constexpr std::uint32_t kVideoPollTimerId = 502;

// The sub-folder of the player's folder from which Image objects load their picture files.
inline constexpr std::string_view kImagesFolder = "Images";

// What the page manager needs from the main window.
class PageOwner {
  public:
    virtual ~PageOwner() = default;
    // Runs a page's exit action list through the dispatcher.
    virtual void RunExitActions(Page& page) = 0;
    virtual void SetTimer(std::uint32_t id, std::uint32_t interval_ms) = 0;
    virtual void KillTimer(std::uint32_t id) = 0;
    // Part of the window must be painted again.
    virtual void Invalidate(const Rect& rect) = 0;
    // The per-kind steps of objects whose kinds arrive with later work (video, MCI, effects,
    // controls, panorama, application windows). Page stop and page entry call these for every
    // object after their own steps; the default does nothing.
    virtual void StopObject(Page& /*page*/, Object& /*object*/) {}
    virtual void EnterObject(Page& /*page*/, Object& /*object*/) {}
    // An object of a kind with windows or an animation of its own was shown or hidden.
    virtual void ObjectVisibilityChanged(Page& /*page*/, Object& /*object*/, bool /*hide*/) {}
    // Where Image objects read their picture files at page entry; none (the default) leaves
    // such objects without a picture.
    virtual const host::FileSystem* Files() const { return nullptr; }
    // A picture is about to be freed or was just replaced: decoded copies of it are stale.
    virtual void ForgetPicture(const Picture& /*picture*/) {}
};

class PageManager {
  public:
    // The project must outlive the manager, or be replaced through Reset first.
    explicit PageManager(Project& project);

    // A newly read project: its first page (if any) current, nothing entered yet, the last page
    // name empty.
    void Reset(Project& project);

    Project& GetProject() const { return *project_; }
    // The current page: a page of the list, the master page or the master layer; null when the
    // project has no pages.
    Page* Current() const { return current_; }
    bool IsMaster(const Page& page) const;  // the master page or the master layer
    const std::string& LastPageName() const { return last_page_name_; }
    // The player's folder (Windows form, no trailing backslash): Image objects load their
    // picture files from its "Images" sub-folder.
    void SetPlayerDirectory(std::string directory) { player_directory_ = std::move(directory); }
    const std::string& PlayerDirectory() const { return player_directory_; }

    // Navigation. 1 when the current page changed, 0 otherwise (see the rules in the .cpp).
    int GoTo(PageDirection direction, PageOwner& owner);
    // By name ("LASTPAGE" = the page current before the last change). 1 whenever such a page
    // exists, even when it is already current (it is then left and entered again).
    int GoToByName(std::string_view name, bool ignore_case, PageOwner& owner);

    // Qualified names: "Page::Object", "Master Page::Object", "Master Layer::Object" or just
    // "Object" on the current page.
    Object* FindObject(std::string_view qualified_name);
    // The page a qualified name points into (page names compared exactly here); the current
    // page for a name without "::". Null when no page has that name.
    Page* FindPageOf(std::string_view qualified_name);
    // The page of the list, the master page or the master layer that holds `object`.
    Page* PageHolding(const Object& object) const;

    // Page stop: the per-kind stop steps for every object of `page`.
    void StopPage(Page& page, PageOwner& owner);
    // Stops the current page, the master page and the master layer.
    void StopPages(PageOwner& owner);

    // The page manager's side of entering the current page: the first time also the master
    // page and the master layer; then page entry of the current page.
    void EnterPage(PageOwner& owner);
    // Page entry of one page: timers 200 and 502 killed, every object reset (state 0, hidden
    // back to initially_hidden) and its per-kind entry steps.
    void EnterOnePage(Page& page, PageOwner& owner);

    // The union of the rectangles of the objects painted above `object` on `page` (see the
    // layer rules in the .cpp): what covers a windowed object.
    Region CoveringArea(const Page& page, const Object& object) const;

  private:
    Page* FindPageForLookup(std::string_view page_part);
    void ResetMasterNames();
    // Steps 1, 3, 4 and 6 of a page change once the target is known.
    int ChangeTo(Page* target, bool allow_same, PageOwner& owner);

    Project* project_;
    Page* current_ = nullptr;
    std::string last_page_name_;
    std::string player_directory_;
    bool masters_entered_ = false;
};

}  // namespace velk
