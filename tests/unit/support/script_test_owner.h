// A main window as the scripts see it, for the evaluator and built-in tests: a few objects, a
// song list, files in memory, and fixed answers for the pointer, screen and system.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/runtime_random.h"
#include "hosts/headless/memory_file_system.h"
#include "script/evaluator.h"
#include "script/script_owner.h"
#include "script/variable_store.h"

namespace velk {

class TestScriptOwner : public ScriptOwner {
  public:
    std::string ExpandPath(std::string_view path) override {
        std::string out(path);
        const std::string macro = "<SrcDir>";
        if (auto at = out.find(macro); at != std::string::npos)
            out.replace(at, macro.size(), "Z:\\show\\");
        return out;
    }
    std::optional<std::string> SongListEntry(std::int64_t index) override {
        if (index < 1 || index > static_cast<std::int64_t>(songs.size())) return std::nullopt;
        return songs[static_cast<std::size_t>(index - 1)];
    }
    Object* FindObject(std::string_view name) override {
        for (Object& object : objects) {
            if (object.name == name) return &object;
        }
        return nullptr;
    }
    void InvalidateObject(const Object& object) override { invalidated.push_back(object.name); }
    Point PointerPosition() override { return {12, 34}; }
    bool MouseButtonDown(MouseButton button) override { return button == MouseButton::kLeft; }
    Rect WindowRect() override { return {100, 50, 740, 530}; }
    Size ClientAreaSize() override { return {632, 453}; }
    Size ScreenSize() override { return {1024, 768}; }
    Size WorkAreaSize() override { return {1024, 738}; }
    host::FileSystem* ScriptFiles() override { return &files; }
    void ShowMessageNamingFile(std::string_view before, std::string_view path) override {
        messages.push_back(std::string(before) + std::string(path));
    }
    // Every character 7 pixels wide, every line 16 high.
    Size TextLineExtent(const LogFont&, std::string_view line) override {
        return {static_cast<std::int32_t>(line.size()) * 7, 16};
    }

    Object& AddObject(std::string name, std::int32_t kind, Rect rect) {
        Object& object = objects.emplace_back();
        object.name = std::move(name);
        object.kind = kind;
        object.rect = rect;
        return object;
    }

    std::vector<std::string> songs;
    std::deque<Object> objects;
    std::vector<std::string> invalidated;
    std::vector<std::string> messages;
    headless::MemoryFileSystem files;
};

// An evaluator with its own store and generator, owned by a test window or by none.
struct EvaluatorRig {
    explicit EvaluatorRig(bool with_owner = true)
        : evaluator(variables, random, with_owner ? &owner : nullptr) {}

    TestScriptOwner owner;
    VariableStore variables;
    RuntimeRandom random;
    Evaluator evaluator;
};

}  // namespace velk
