// A generated presentation of 200 pages with 400 JPEG pictures, built by `velk build` in the
// set-up. Two figures: the time to the first painted page (pictures stay coded until drawn)
// beside opening it and decoding every picture at once, as an eager reader would; and the
// peak memory after showing the first page and after visiting every page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "codec/jpeg_codec.h"
#include "tool_commands.h"
#include "document/container.h"
#include "document/load_context.h"
#include "document/picture_io.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "hosts/headless/headless_run.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "objects/picture_cache.h"
#include "pages/page_painter.h"
#include "synthetic_photo.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

constexpr int kPages = 200;
constexpr int kPicturesPerPage = 2;
constexpr std::int32_t kPictureWidth = 640;
constexpr std::int32_t kPictureHeight = 480;
constexpr std::int32_t kClientWidth = 1024;
constexpr std::int32_t kClientHeight = 768;

RgbImage Photo(int seed) {
    return bench::SyntheticPhoto(kPictureWidth, kPictureHeight, seed);
}

// Each page moves on after 20 ms; the last one (or, with `first_page_only`, the first one)
// ends the presentation.
std::string Description(bool first_page_only) {
    std::ostringstream json;
    json << R"({"version": 27, "header": {"title": "Bench", "client_width": )" << kClientWidth
         << R"(, "client_height": )" << kClientHeight << R"(}, "pages": [)";
    for (int p = 0; p < kPages; ++p) {
        const bool last = p == kPages - 1 || first_page_only;
        json << (p > 0 ? "," : "") << R"({"name": "Page )" << p + 1 << R"(", "entry_actions": )"
             << (last ? R"j("Exit()")j"
                      : R"j([{"code": 28, "target": "20", "argument_count": 2}])j")
             << R"(, "objects": [)";
        for (int i = 0; i < kPicturesPerPage; ++i) {
            const int x = i * 320, y = i * 240;
            json << (i > 0 ? "," : "") << R"({"kind": 3, "name": "Picture )" << i
                 << R"(", "rect": [)" << x << "," << y << "," << x + kPictureWidth << ","
                 << y + kPictureHeight << R"(], "image1": "pictures/)" << p * kPicturesPerPage + i
                 << R"(.jpg"})";
        }
        json << "]}";
    }
    json << "]}";
    return json.str();
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The two project files, built once through the tool's build command.
struct GeneratedProjects {
    std::vector<std::uint8_t> every_page, first_page;

    GeneratedProjects() {
        const fs::path folder =
            fs::temp_directory_path() / ("velk-project-bench-" + std::to_string(getpid()));
        fs::create_directories(folder / "pictures");
        for (int i = 0; i < kPages * kPicturesPerPage; ++i) {
            const std::vector<std::uint8_t> jpeg = EncodeJpeg(Photo(i));
            std::ofstream(folder / "pictures" / (std::to_string(i) + ".jpg"), std::ios::binary)
                .write(reinterpret_cast<const char*>(jpeg.data()),
                       static_cast<std::streamsize>(jpeg.size()));
        }
        every_page = Build(folder, "every", Description(false));
        first_page = Build(folder, "first", Description(true));
        fs::remove_all(folder);
    }

    static std::vector<std::uint8_t> Build(const fs::path& folder, const std::string& name,
                                           const std::string& description) {
        const fs::path json = folder / (name + ".json"), output = folder / (name + ".vkd");
        std::ofstream(json) << description;
        if (tool::RunBuild({json.string(), output.string(), "", false}) != 0) {
            throw std::runtime_error("velk build failed");
        }
        return ReadAll(output);
    }
};

const GeneratedProjects& Projects() {
    static const GeneratedProjects projects;
    return projects;
}

Project Open(const std::vector<std::uint8_t>& file) {
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    LoadContext ctx{ui, profile};
    LoadResult result = ReadProjectArchive(file, ctx);
    if (result.status != LoadStatus::kLoaded) throw std::runtime_error("the project does not load");
    return std::move(result.project);
}

// Alternating in one run: the reported time is the first painted page's, `first_page_per_eager`
// its share of opening and decoding every picture.
void BM_FirstPageAgainstEagerDecode(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const std::vector<std::uint8_t>& file = Projects().every_page;
    FontCache fonts;
    headless::RecordingUi ui;
    Surface surface(kClientWidth, kClientHeight);
    std::chrono::duration<double> lazy{0}, eager{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            Project project = Open(file);
            PictureCache pictures(ui);
            Canvas canvas(surface);
            PaintPage(project, project.pages.front(), canvas, fonts, pictures);
            benchmark::DoNotOptimize(surface.Pixels().data());
        }
        const auto t1 = Clock::now();
        {
            Project project = Open(file);
            std::size_t bytes = 0;
            for (const Page& page : project.pages) {
                for (const Object& object : page.objects) {
                    if (object.image1) bytes += DecodePicture(*object.image1).image.pixels.size();
                }
            }
            benchmark::DoNotOptimize(bytes);
        }
        const auto t2 = Clock::now();
        lazy += t1 - t0;
        eager += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["first_page_per_eager"] = eager.count() > 0 ? lazy.count() / eager.count() : 0;
    state.counters["pictures"] = kPages * kPicturesPerPage;
}
BENCHMARK(BM_FirstPageAgainstEagerDecode)->UseManualTime()->Unit(benchmark::kMillisecond);

// A figure of the process's memory from /proc/self/status ("VmHWM:" the peak resident set
// since the last reset, "VmRSS:" the present one), in MB.
double StatusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::strtod(line.c_str() + key.size(), nullptr) / 1024.0;
    }
    return 0;
}

// Starts the peak over from the present resident set (Linux: "5" to clear_refs).
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void Play(const std::vector<std::uint8_t>& file) {
    headless::MemoryFileSystem files;
    headless::HeadlessRunOptions options;
    options.max_time_ms = 60'000;
    headless::HeadlessRun run(
        files, [](std::string_view) {},
        [](std::string_view, const Surface&, std::string&) { return true; }, options);
    PlayerStart start;
    start.project.ok = true;
    start.project.source_path = "Z:\\bench\\show.vkd";
    start.project.load.status = LoadStatus::kLoaded;
    start.project.load.project = Open(file);
    if (run.Play(std::move(start), headless::EventScript{}) !=
        headless::HeadlessRun::Outcome::kEnded) {
        throw std::runtime_error("the presentation did not end");
    }
}

// One play that shows the first page and ends, then one that visits every page: the peak
// memory of each, beside the bound the project allows (its compressed size, the decoded
// pictures of one page and 50 MB on top of what the process held before).
void BM_PeakMemory(benchmark::State& state) {
    const GeneratedProjects& projects = Projects();
    const double before = StatusMegabytes("VmRSS:");
    double first = 0, every = 0;
    for (auto _ : state) {
        ResetPeak();
        Play(projects.first_page);
        first = StatusMegabytes("VmHWM:");
        ResetPeak();
        Play(projects.every_page);
        every = StatusMegabytes("VmHWM:");
    }
    const double page_pictures =
        kPicturesPerPage * double(kPictureWidth) * kPictureHeight * 3 / (1024.0 * 1024.0);
    const double project = double(projects.every_page.size()) / (1024.0 * 1024.0);
    state.counters["before_mb"] = before;
    state.counters["first_page_mb"] = first;
    state.counters["every_page_mb"] = every;
    state.counters["bound_mb"] = before + project + page_pictures + 50;
}
BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
