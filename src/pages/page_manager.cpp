#include "pages/page_manager.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/codepage.h"
#include "base/saturate.h"
#include "objects/kinds.h"
#include "objects/paragraph/paragraph_scroll.h"
#include "objects/pictures/image_scroll.h"
#include "pages/page_entry.h"
#include "pages/page_painter.h"

namespace velk {
namespace {

constexpr std::string_view kLastPageKeyword = "LASTPAGE";

// The position of `page` in the list, or the list's size when it is not a page of the list
// (the master page or the master layer).
std::size_t IndexOf(const std::vector<Page>& pages, const Page* page) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (&pages[i] == page) return i;
    }
    return pages.size();
}

bool HoldsObject(const Page& page, const Object& object) {
    const auto& objects = page.objects;
    return !objects.empty() && &object >= objects.data() &&
           &object < objects.data() + objects.size();
}

// The objects of `page` that count as covering: shown, and neither a group nor a script.
void AddCovering(const Page& page, std::size_t first, std::vector<Rect>& rects) {
    for (std::size_t i = first; i < page.objects.size(); ++i) {
        const Object& above = page.objects[i];
        if (above.hidden != 0 || !TraitsOf(above.kind).covers) continue;
        // An Image's scroll bars hang outside its rectangle and cover what lies there.
        rects.push_back(OuterRect(above));
    }
}

}  // namespace

PageManager::PageManager(Project& project) : project_(&project) {
    Reset(project);
}

void PageManager::Reset(Project& project) {
    project_ = &project;
    current_ = project.pages.empty() ? nullptr : &project.pages.front();
    last_page_name_.clear();
    masters_entered_ = false;
}

bool PageManager::IsMaster(const Page& page) const {
    return &page == &project_->master_page || &page == &project_->master_layer;
}

int PageManager::GoTo(PageDirection direction, PageOwner& owner) {
    if (current_ == nullptr) return 0;
    // The page is stopped before the target is known: a move past either end stops and (through
    // the main window) re-enters the current page without running any action list.
    StopPage(*current_, owner);
    std::vector<Page>& pages = project_->pages;
    if (pages.empty()) return 0;
    const std::size_t index = IndexOf(pages, current_);
    Page* target = nullptr;
    switch (direction) {
        case PageDirection::kFirst:
            target = &pages.front();
            break;
        case PageDirection::kLast:
            target = &pages.back();
            break;
        case PageDirection::kPrevious:
            if (index < pages.size() && index > 0) target = &pages[index - 1];
            break;
        case PageDirection::kNext:
            if (index + 1 < pages.size()) target = &pages[index + 1];
            break;
    }
    return ChangeTo(target, false, owner);
}

int PageManager::GoToByName(std::string_view name, bool ignore_case, PageOwner& owner) {
    if (current_ != nullptr) StopPage(*current_, owner);
    // Copied: the change below rewrites the last page name.
    const std::string wanted{name == kLastPageKeyword ? std::string_view{last_page_name_} : name};
    // Right after the start there is no last page to go back to, even if a page has no name.
    if (name == kLastPageKeyword && wanted.empty()) return 0;
    Page* target = nullptr;
    for (Page& page : project_->pages) {
        if (ignore_case ? EqualsIgnoreCase(page.name, wanted) : page.name == wanted) {
            target = &page;
            break;
        }
    }
    return ChangeTo(target, true, owner);
}

int PageManager::ChangeTo(Page* target, bool allow_same, PageOwner& owner) {
    if (target == nullptr) return 0;
    if (current_ != nullptr) last_page_name_ = current_->name;
    if (target == current_ && !allow_same) return 0;
    // The exit list may pump and start nested action lists; the change itself happens after.
    if (current_ != nullptr) owner.RunExitActions(*current_);
    current_ = target;
    return 1;
}

void PageManager::ResetMasterNames() {
    project_->master_page.name = kMasterPageName;
    project_->master_layer.name = kMasterLayerName;
}

Object* PageManager::FindObject(std::string_view qualified_name) {
    ResetMasterNames();
    // Without a current page only qualified names can find anything; the master page stands in
    // as the page an unqualified name would be looked up on, and holds the name's object only
    // when the name asks for it.
    if (current_ == nullptr && qualified_name.find("::") == std::string_view::npos) return nullptr;
    const Page& current = current_ != nullptr ? *current_ : project_->master_page;
    return velk::FindObject(*project_, current, qualified_name);
}

Page* PageManager::FindPageForLookup(std::string_view page_part) {
    if (page_part == kMasterPageName || page_part == "Master Page") return &project_->master_page;
    if (page_part == kMasterLayerName || page_part == "Master Layer") {
        return &project_->master_layer;
    }
    for (Page& page : project_->pages) {
        if (page.name == page_part) return &page;
    }
    return nullptr;
}

Page* PageManager::FindPageOf(std::string_view qualified_name) {
    const std::size_t separator = qualified_name.find("::");
    if (separator == std::string_view::npos) return current_;
    return FindPageForLookup(qualified_name.substr(0, separator));
}

Page* PageManager::PageHolding(const Object& object) const {
    if (HoldsObject(project_->master_page, object)) return &project_->master_page;
    if (HoldsObject(project_->master_layer, object)) return &project_->master_layer;
    for (Page& page : project_->pages) {
        if (HoldsObject(page, object)) return &page;
    }
    return nullptr;
}

void PageManager::StopPage(Page& page, PageOwner& owner) {
    for (Object& object : page.objects) StopObject(page, object, owner);
}

void PageManager::StopPages(PageOwner& owner) {
    Page* stopped[] = {current_, &project_->master_page, &project_->master_layer};
    for (std::size_t i = 0; i < std::size(stopped); ++i) {
        // The master page or layer may itself be current: each page is stopped once.
        if (stopped[i] == nullptr || std::find(stopped, stopped + i, stopped[i]) != stopped + i) {
            continue;
        }
        StopPage(*stopped[i], owner);
    }
}

void PageManager::EnterPage(PageOwner& owner) {
    if (!masters_entered_) {
        masters_entered_ = true;
        EnterOnePage(project_->master_page, owner);
        EnterOnePage(project_->master_layer, owner);
    }
    if (current_ != nullptr) EnterOnePage(*current_, owner);
}

void PageManager::EnterOnePage(Page& page, PageOwner& owner) {
    owner.KillTimer(kScrollTimerId);
    owner.KillTimer(kVideoPollTimerId);
    ResetAnimations(page);
    ResetObjectsForEntry(page);
    const PictureFolder folder{owner.Files(), player_directory_};
    for (Object& object : page.objects) {
        // An Image's scroll bars are made anew, showing only where nothing above covers them.
        if (object.kind == kKindImage) {
            MakeScrollBars(object);
            SetScrollBarCovering(object, CoveringArea(page, object));
        }
        EnterObject(page, object, folder, owner);
    }
}

Region PageManager::CoveringArea(const Page& page, const Object& object) const {
    std::size_t index = page.objects.size();
    if (HoldsObject(page, object)) index = static_cast<std::size_t>(&object - page.objects.data());
    const std::size_t after = std::min(index + 1, page.objects.size());
    std::vector<Rect> rects;
    const Page& layer = project_->master_layer;
    const bool shared_layer_current = current_ != nullptr && IsMaster(*current_);
    // When the master page or the master layer is itself current, only its own objects are
    // painted, so only they can cover anything.
    if (&page == &layer || shared_layer_current) {
        AddCovering(page, after, rects);
    } else if (&page == &project_->master_page) {
        AddCovering(layer, 0, rects);
        if (current_ != nullptr) AddCovering(*current_, 0, rects);
        AddCovering(page, after, rects);
    } else {
        AddCovering(layer, 0, rects);
        AddCovering(page, after, rects);
    }
    return Region::FromRects(rects);
}

}  // namespace velk
