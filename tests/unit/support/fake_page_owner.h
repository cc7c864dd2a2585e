// A main window for the page tests: it records the timers, exit actions, invalidations and
// per-kind object steps the pages ask for.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "pages/page_manager.h"

namespace velk::test {

class FakePageOwner : public PageOwner {
  public:
    void RunExitActions(Page& page) override { exits.push_back(page.name); }
    void SetTimer(std::uint32_t id, std::uint32_t interval_ms) override {
        timers[id] = interval_ms;
        log.push_back("set " + std::to_string(id) + " " + std::to_string(interval_ms));
    }
    void KillTimer(std::uint32_t id) override {
        timers.erase(id);
        log.push_back("kill " + std::to_string(id));
    }
    void Invalidate(const Rect& rect) override { invalidated.push_back(rect); }
    void StopObject(Page& /*page*/, Object& object) override { stopped.push_back(object.name); }
    void EnterObject(Page& /*page*/, Object& object) override { entered.push_back(object.name); }
    void ObjectVisibilityChanged(Page& /*page*/, Object& object, bool hide) override {
        visibility.push_back((hide ? "hide " : "show ") + object.name);
    }
    const host::FileSystem* Files() const override { return files; }
    void ForgetPicture(const Picture& /*picture*/) override { ++forgotten; }

    void Clear() {
        exits.clear();
        log.clear();
        invalidated.clear();
        stopped.clear();
        entered.clear();
        visibility.clear();
    }

    std::map<std::uint32_t, std::uint32_t> timers;  // armed now: id -> interval
    std::vector<std::string> log;                   // "set id ms" / "kill id", in order
    std::vector<std::string> exits;                 // pages whose exit list ran
    std::vector<Rect> invalidated;
    std::vector<std::string> stopped, entered, visibility;
    const host::FileSystem* files = nullptr;
    int forgotten = 0;
};

inline Object MakeObject(std::string name, std::int32_t kind = kKindText, Rect rect = {}) {
    Object object;
    object.name = std::move(name);
    object.kind = kind;
    object.rect = rect;
    return object;
}

inline Page MakePage(std::string name, std::vector<Object> objects = {}) {
    Page page;
    page.name = std::move(name);
    page.objects = std::move(objects);
    return page;
}

}  // namespace velk::test
