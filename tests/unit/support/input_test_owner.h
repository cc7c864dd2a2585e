// A main window for the input tests: three pages, a log of what dispatch asked for (lists run,
// links, window moves), and text 10 pixels a character for Input text fields.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_page_owner.h"
#include "hosts/headless/recording_ui.h"
#include "input/input_owner.h"
#include "objects/picture_cache.h"
#include "pages/page_lookup.h"
#include "script/variable_store.h"

namespace velk::test {

// A list whose one record names it, so that the log can say which list ran.
inline ActionList Named(std::string name) {
    ActionList list;
    ActionRecord record;
    record.target = std::move(name);
    list.records.push_back(std::move(record));
    return list;
}

// An object that takes the pointer, with named press and click lists.
inline Object Active(std::string name, Rect rect) {
    Object object;
    object.kind = kKindFrame;
    object.name = name;
    object.rect = rect;
    object.extra_value2 = 1;
    object.actions_down = Named(name + ".down");
    object.actions_click = Named(name + ".click");
    return object;
}

// The field an Input text gets at its first drawing, as if drawn where the object stands.
inline InputField& GiveField(Object& input_text, std::string text = {}) {
    InputField& field = input_text.input_field.emplace();
    field.text = std::move(text);
    field.rect = input_text.rect;
    field.fixed_width = input_text.transparent1 != 0;
    field.filter = input_text.option3;
    return field;
}

class FakeInputHost : public InputOwner {
  public:
    FakeInputHost() {
        layer.name = "Master Layer 000";
        current.name = "Page";
        master.name = "Master Page 000";
    }
    InputPages Pages() override { return {&layer, &current, &master}; }
    PageOwner& PageSide() override { return page_host; }
    PictureCache& Pictures() override { return pictures; }
    VariableStore& Variables() override { return variables; }
    Object* FindObject(std::string_view name) override {
        return FindObjectByName(current, name, true);
    }
    void Invalidate(const Rect&) override {}
    void SetTimer(std::uint32_t id, std::uint32_t ms) override { page_host.SetTimer(id, ms); }
    void KillTimer(std::uint32_t id) override { page_host.KillTimer(id); }
    void InvalidateWindow() override {}
    void StartFadeOut(Page&, Object& object) override { log.push_back("fade " + object.name); }
    void RunList(const ActionList& list) override { Ran(list, "run "); }
    void RunListGuarded(const ActionList& list) override { Ran(list, "guarded "); }
    void GoToPage(std::int32_t mode, std::string_view name, Point) override {
        log.push_back("page " + std::to_string(mode) + " " + std::string(name));
    }
    void Exit() override { log.push_back("exit"); }
    void Minimize() override { log.push_back("minimize"); }
    void OpenProject(std::string_view text, std::string_view start) override {
        log.push_back("open " + std::string(text) + " at " + std::string(start));
    }
    std::int32_t RunProgram(std::string_view target, std::string_view parameters,
                            std::int32_t mode) override {
        log.push_back("program " + std::to_string(mode) + " " + std::string(target) + " " +
                      std::string(parameters));
        return 7;
    }
    void EndIdleWait() override { log.push_back("idle ends"); }
    bool CanDragByBody() override { return drag_by_body; }
    Point WindowOrigin() override { return origin; }
    void MoveWindow(Point top_left) override { origin = top_left; }
    void ShowCursor(bool grab, std::optional<std::int64_t> index) override {
        cursor = grab ? -2 : index.value_or(-1);
    }
    std::int32_t ClientWidth() override { return client_width; }
    // Every character is 10 pixels wide.
    std::int32_t FieldCharAdvance(const LogFont&, char) override { return 10; }

    std::vector<std::string> log;
    Page layer, current, master;
    FakePageOwner page_host;
    headless::RecordingUi ui;
    PictureCache pictures{ui};
    VariableStore variables;
    bool drag_by_body = false;
    Point origin{100, 100};
    std::int64_t cursor = -1;
    std::int32_t client_width = 640;

  private:
    void Ran(const ActionList& list, const char* how) {
        if (!list.records.empty()) log.push_back(how + list.records[0].target);
    }
};

}  // namespace velk::test
