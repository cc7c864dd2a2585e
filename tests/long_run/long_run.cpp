// A presentation left running: four pages that hand over to each other by page timer, each with
// a transition, a script timer that re-arms itself and an object that shrinks away when the
// pointer leaves its neighbour, played in virtual time through 10,000 page changes. The peak
// resident memory after the first 1,000 changes and after all of them must differ by less than
// 1 MB: anything a page change, a transition frame, a timer or an animation leaks shows up here.
// Usage: long_run [CHANGES]   (10,000 when not given; the first tenth is the warm-up)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "document/project_json.h"
#include "hosts/headless/headless_window.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "hosts/headless/virtual_clock.h"
#include "player/player.h"
#include "player_test_host.h"
#include "script/compiler_script_codec.h"
#include "script/variable_store.h"

// The sanitizers' quarantine holds freed memory back on purpose and would grow the resident
// size by itself; leaks are still reported at exit.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=0";
}

namespace {

using velk::Json;

constexpr int kPages = 4;
constexpr std::uint32_t kStartTick = 1'000'000;

class PageCounter : public velk::host::Observer {
  public:
    void PageShown(std::string_view) override { ++shown; }
    void Ended() override { ended = true; }
    long shown = 0;
    bool ended = false;
};

Json TextObject(const std::string& name, int left, const std::string& script) {
    return {{"kind", 1},         {"name", name},
            {"extra_value2", 1}, {"rect", {left, 10, left + 30, 40}},
            {"text", name},      {"actions_click", script}};
}

// Page k: entry arms the page timer to the next page and the script timer; "Spot" shows
// "Target" while the pointer is on it and lets it shrink away when the pointer leaves.
Json PageDescription(int k) {
    const std::string next = "P" + std::to_string((k + 1) % kPages);
    Json spot = TextObject("Spot", 10, "");
    spot["hover_object"] = "Target";
    spot["hover_mode"] = 1;
    Json target = TextObject("Target", 60, "");
    target["initially_hidden"] = 1;
    return {
        {"name", "P" + std::to_string(k)},
        {"background_colour", 0x102030 * (k + 1)},
        {"transition_effect", 1 + 3 * k},
        {"transition_duration", 120},
        {"entry_actions",
         "PageTimer(\"300\",\"" + next + "\")\nScriptTimer(\"Tick\",\"25\")\nvisits=visits+1\n"},
        {"objects",
         {spot, target, TextObject("Tick", 110, "ticks=ticks+1\nScriptTimer(\"Tick\",\"25\")")}}};
}

velk::Project MakeProject() {
    Json description = {
        {"version", 27},
        {"header",
         {{"title", "Long run"}, {"client_width", 160}, {"client_height", 60}, {"has_caption", 0}}},
        {"pages", Json::array()}};
    for (int k = 0; k < kPages; ++k) description["pages"].push_back(PageDescription(k));
    const velk::CompilerScriptCodec scripts;
    velk::MemoryBlobs blobs;
    velk::DescriptionResult read = velk::ProjectFromJson(description, blobs, &scripts);
    if (!read.description) {
        std::fprintf(stderr, "long_run: %s\n", read.error.c_str());
        std::exit(2);
    }
    return read.description->project;
}

// The peak resident size so far, in kB.
long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const long changes = argc > 1 ? std::atol(argv[1]) : 10'000;
    const long warm_up = changes / 10;
    velk::headless::RecordingUi ui;
    velk::headless::MemoryProfileStore profile;
    velk::headless::MemoryFileSystem files;
    velk::headless::VirtualClock clock{kStartTick};
    velk::test::TestEventLoop events{clock};
    velk::headless::HeadlessWindow window;
    PageCounter pages;
    velk::Player player{velk::PlayerServices{ui, profile, files, clock, events, window, pages}};
    events.Attach(player);

    velk::PlayerStart start;
    start.project.ok = true;
    start.project.source_path = "Z:\\shows\\show.vkd";
    start.project.load.status = velk::LoadStatus::kLoaded;
    start.project.load.project = MakeProject();
    if (!player.Start(std::move(start))) return 2;

    long after_warm_up = -1;
    long transitions_seen = 0;
    while (pages.shown <= changes && !pages.ended) {
        // Onto the spot and away again: the target shows, then shrinks away over 800 ms,
        // across the next page change now and then.
        player.OnPointer({velk::PointerAction::kMove, {20, 20}});
        events.RunUntil(clock.TickCount() + 40);
        if (player.TransitionRunning()) ++transitions_seen;
        player.OnPointer({velk::PointerAction::kMove, {150, 55}});
        events.RunUntil(clock.TickCount() + 60);
        player.Paint();
        if (after_warm_up < 0 && pages.shown > warm_up) after_warm_up = PeakResidentKb();
    }
    const long at_end = PeakResidentKb();
    const double ticks = player.Variables().GetNumber("ticks");
    std::printf(
        "%ld page changes, %.0f script timer runs, %ld transitions caught running, "
        "%llu virtual ms\n",
        pages.shown - 1, ticks, transitions_seen,
        static_cast<unsigned long long>(clock.ElapsedMs()));
    std::printf("peak resident: %ld kB after %ld changes, %ld kB after %ld\n", after_warm_up,
                warm_up, at_end, changes);
    if (pages.ended || ui.Messages().size() != 0 || ticks < changes || transitions_seen == 0) {
        std::printf("the presentation did not run as written\n1 failed\n");
        return 1;
    }
    if (at_end - after_warm_up >= 1024) {
        std::printf("the peak grew by %ld kB\n0 passed, 1 failed\n", at_end - after_warm_up);
        return 1;
    }
    std::printf("1 passed, 0 failed\n");
    return 0;
}
