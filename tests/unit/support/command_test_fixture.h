// A main window for command tests: a small project with two pages, a log of what the commands
// asked of the window, and a pump whose behaviour a test sets.
#pragma once

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commands/command_owner.h"
#include "commands/dispatcher.h"
#include "document/project.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/recording_ui.h"
#include "hosts/headless/virtual_clock.h"
#include "media/media_hub.h"
#include "media/song_list.h"
#include "objects/picture_cache.h"
#include "pages/page_lookup.h"
#include "pages/page_manager.h"
#include "script/evaluator.h"
#include "script/variable_store.h"

namespace velk::testing {

class FakePageOwner : public PageOwner {
  public:
    explicit FakePageOwner(std::vector<std::string>& log) : log_(log) {}
    void RunExitActions(Page& page) override { log_.push_back("exit actions " + page.name); }
    void SetTimer(std::uint32_t id, std::uint32_t ms) override {
        log_.push_back("SetTimer " + std::to_string(id) + " " + std::to_string(ms));
    }
    void KillTimer(std::uint32_t id) override { log_.push_back("KillTimer " + std::to_string(id)); }
    void Invalidate(const Rect&) override {}

  private:
    std::vector<std::string>& log_;
};

inline Object MakeObject(std::string name, Rect rect, std::int32_t kind = kKindText) {
    Object object;
    object.kind = kind;
    object.name = std::move(name);
    object.rect = rect;
    return object;
}

inline ActionRecord Record(std::int32_t code, std::string target = {}, std::string argument = {}) {
    ActionRecord record;
    record.code = code;
    record.target = std::move(target);
    record.argument = std::move(argument);
    return record;
}

inline ActionListPtr List(std::vector<ActionRecord> records) {
    auto list = std::make_shared<ActionList>();
    list->records = std::move(records);
    return list;
}

class FakeCommandHost : public CommandOwner {
  public:
    FakeCommandHost() {
        Page intro;
        intro.name = "Intro";
        intro.objects.push_back(MakeObject("A", {10, 10, 20, 20}));
        intro.objects.push_back(MakeObject("B", {30, 30, 40, 40}));
        intro.objects.push_back(MakeObject("C", {50, 50, 60, 60}));
        intro.objects.push_back(MakeObject("Button1", {0, 0, 100, 20}));
        intro.objects.push_back(MakeObject("$X", {0, 100, 10, 110}));
        Page other;
        other.name = "Other";
        other.objects.push_back(MakeObject("A", {200, 200, 210, 210}));
        project.pages = {intro, other};
        current = &project.pages[0];
    }

    Object& Get(std::string_view qualified_name) { return *FindObject(qualified_name); }

    // CommandOwner
    Object* FindObject(std::string_view qualified_name) override {
        Page* page = FindPageOf(qualified_name);
        if (page == nullptr) return nullptr;
        const auto sep = qualified_name.find("::");
        const auto name =
            sep == std::string_view::npos ? qualified_name : qualified_name.substr(sep + 2);
        return FindObjectByName(*page, name, true);
    }
    Page* FindPageOf(std::string_view qualified_name) override {
        const auto sep = qualified_name.find("::");
        if (sep == std::string_view::npos) return current;
        for (Page& page : project.pages) {
            if (page.name == qualified_name.substr(0, sep)) return &page;
        }
        return nullptr;
    }
    Page* CurrentPage() override { return current; }
    PageOwner& PageSide() override { return page_host; }
    VariableStore& Variables() override { return variables; }
    PictureCache& Pictures() override { return pictures; }
    host::Ui& Ui() override { return ui; }
    const host::Clock& Clock() override { return clock; }
    media::MediaHub& Media() override { return media; }
    host::Observer& Observer() override { return observer; }
    media::SongList& Songs() override { return songs; }
    host::FileSystem& FileStore() override { return files; }
    // Expressions the test named, then numbers, then numeric variables.
    double Evaluate(std::string_view expression) override {
        const std::string text(expression);
        if (auto it = expressions.find(text); it != expressions.end()) return it->second;
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        if (end != text.c_str() && *end == '\0') return value;
        return variables.GetNumber(text);
    }
    Evaluator& ScriptEvaluator() override { return evaluator; }
    std::string ExpandPath(std::string_view path) override {
        return "expanded:" + std::string(path);
    }
    void GoToPage(std::int32_t mode, std::string_view name, Point pointer) override {
        log.push_back("GoToPage " + std::to_string(mode) + " '" + std::string(name) + "' " +
                      std::to_string(pointer.x) + "," + std::to_string(pointer.y));
        if (on_page_change) on_page_change();
    }
    void GoToPageCommand(std::string_view name) override {
        log.push_back("Page " + std::string(name));
    }
    void ArmPageTimer(PageTimerAction action, std::string_view target,
                      std::uint32_t interval_ms) override {
        log.push_back("Arm " + std::to_string(static_cast<int>(action)) + " '" +
                      std::string(target) + "' " + std::to_string(interval_ms));
    }
    void StopPageTimer() override { log.push_back("StopPageTimer"); }
    void Exit() override {
        log.push_back("Exit");
        dispatcher.StopAll();
    }
    void Minimize() override { log.push_back("Minimize"); }
    void Restore() override { log.push_back("Restore"); }
    void RequestProjectSwitch(std::string_view path, std::string_view parameter) override {
        log.push_back("Switch " + std::string(path) + " '" + std::string(parameter) + "'");
    }
    bool PumpMessages() override {
        ++pumps;
        return Pumped();
    }
    bool WaitUntil(std::uint32_t deadline) override {
        ++waits;
        const std::uint32_t now = clock.TickCount();
        if (static_cast<std::int32_t>(deadline - now) > 0) clock.Advance(deadline - now);
        return Pumped();
    }
    void Invalidate(const Rect& rect) override { invalidated.push_back(rect); }
    void FocusInputText(Object& object) override { log.push_back("Focus " + object.name); }

    Project project;
    Page* current = nullptr;
    VariableStore variables;
    RuntimeRandom random;
    // Statements run through a real evaluator on the same variables.
    Evaluator evaluator{variables, random};
    headless::RecordingUi ui;
    PictureCache pictures{ui};
    headless::VirtualClock clock;
    headless::MemoryFileSystem files;
    host::Observer observer;
    media::SongList songs;
    // Without speakers: media keep their time by the virtual clock.
    media::MediaHub media{files, clock, nullptr};
    std::vector<std::string> log;
    FakePageOwner page_host{log};
    std::map<std::string, double> expressions;
    std::vector<Rect> invalidated;
    int pumps = 0;
    int waits = 0;
    // Runs inside every pump or wait (timers and input of the real window); its result is the
    // pump's answer.
    std::function<bool()> on_pump;
    std::function<void()> on_page_change;
    Dispatcher dispatcher{*this};

  private:
    bool Pumped() { return on_pump ? on_pump() : true; }
};

}  // namespace velk::testing
