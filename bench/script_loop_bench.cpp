// A counted loop of a million assignments, `For i=1 To 1000000 / x=x+i / Next i`, played by
// the player's dispatcher, beside Lua 5.4 running the same loop on global variables in the same
// process. The ratio says how far the script runtime is from a small production interpreter.
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>
#include <string>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include "hosts/headless/headless_run.h"
#include "hosts/headless/memory_file_system.h"
#include "script/compiler.h"

namespace velk {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kVelkLoop = "x=0\nFor i=1 To 1000000\nx=x+i\nNext i\nExit()";
constexpr const char* kLuaLoop = "x = 0 for i = 1, 1000000 do x = x + i end";

PlayerStart LoopProject() {
    Project project;
    Page page;
    page.name = "Loop";
    CompiledScript script = CompileScript(kVelkLoop);
    if (!script.ok) throw std::runtime_error("the loop does not compile");
    page.entry_actions = std::move(script.list);
    project.pages.push_back(std::move(page));
    PlayerStart start;
    start.project.ok = true;
    start.project.source_path = "Z:\\bench\\loop.vkd";
    start.project.load.status = LoadStatus::kLoaded;
    start.project.load.project = std::move(project);
    return start;
}

// One play of the loop project, from start to its Exit.
std::chrono::duration<double> RunVelkLoop() {
    headless::MemoryFileSystem files;
    headless::HeadlessRun run(
        files, [](std::string_view) {},
        [](std::string_view, const Surface&, std::string&) { return true; });
    PlayerStart start = LoopProject();
    const auto t0 = Clock::now();
    if (run.Play(std::move(start), headless::EventScript{}) !=
        headless::HeadlessRun::Outcome::kEnded) {
        throw std::runtime_error("the loop did not end");
    }
    return Clock::now() - t0;
}

std::chrono::duration<double> RunLuaLoop() {
    lua_State* lua = luaL_newstate();
    luaL_openlibs(lua);
    const auto t0 = Clock::now();
    const int status = luaL_dostring(lua, kLuaLoop);
    const auto elapsed = Clock::now() - t0;
    lua_close(lua);
    if (status != LUA_OK) throw std::runtime_error("the Lua loop failed");
    return elapsed;
}

// Both alternate in one run, so the ratio compares like with like: the reported time is Velk's,
// `velk_per_lua` how many Lua loops one Velk loop costs.
void BM_ForLoopAgainstLua(benchmark::State& state) {
    std::chrono::duration<double> velk{0}, lua{0};
    for (auto _ : state) {
        const auto v = RunVelkLoop();
        lua += RunLuaLoop();
        velk += v;
        state.SetIterationTime(v.count());
    }
    state.counters["velk_per_lua"] = lua.count() > 0 ? velk.count() / lua.count() : 0;
}
BENCHMARK(BM_ForLoopAgainstLua)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
