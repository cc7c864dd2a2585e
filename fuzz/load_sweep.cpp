// Damaged project files: every project file named on the command line (or inside a named
// folder) cut short at every offset up to a bound and at a fixed-seed sample beyond it, and with
// single bits flipped and single bytes overwritten at a fixed-seed sample of offsets. Each load
// must end in a readable project or in one of the format's messages, and no single allocation
// may exceed the cap that every reader of untrusted sizes keeps to. Projects that still read
// are played for a moment too, since a damaged value that reads is what the player meets.
// Usage: load_sweep PATH...   Prints "N passed, N failed".
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "codec/limits.h"
#include "document/container.h"
#include "hosts/headless/headless_run.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace {

// The largest single allocation since the last reset. Only this program counts: the core
// keeps no such state.
std::atomic<std::size_t> largest_allocation{0};

void NoteAllocation(std::size_t size) {
    std::size_t seen = largest_allocation.load(std::memory_order_relaxed);
    while (size > seen && !largest_allocation.compare_exchange_weak(seen, size)) {
    }
}

}  // namespace

void* operator new(std::size_t size) {
    NoteAllocation(size);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    NoteAllocation(size);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Every offset up to this is cut at; beyond it a sample.
constexpr std::size_t kEveryOffsetBound = 2048;
constexpr int kSampledCuts = 256;
constexpr int kSampledFlips = 512;
// How many of the damaged projects that still read are played, per file.
constexpr int kPlayedPerFile = 16;
// A reader may hold the largest picture the format accepts, with room for its bookkeeping.
constexpr std::size_t kAllocationCap = velk::kMaxPictureBytes + (1u << 20);

struct Tally {
    int passed = 0;
    int failed = 0;
    int played = 0;
};

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Fail(Tally& tally, const fs::path& file, const std::string& what) {
    ++tally.failed;
    std::printf("FAILED %s: %s\n", file.filename().c_str(), what.c_str());
}

// Plays a project that read for two virtual seconds with a click in the middle of the window.
void Play(velk::Project project) {
    velk::headless::MemoryFileSystem files;
    velk::headless::HeadlessRunOptions options;
    options.max_time_ms = 2000;
    velk::headless::HeadlessRun run(
        files, [](std::string_view) {}, nullptr, options);
    velk::PlayerStart start;
    start.project.ok = true;
    start.project.source_path = "Z:\\shows\\show.vkd";
    start.project.load.status = velk::LoadStatus::kLoaded;
    start.project.load.project = std::move(project);
    velk::headless::EventScript events;
    velk::headless::ScriptedEvent click;
    click.kind = velk::headless::EventKind::kClick;
    click.time_ms = 500;
    click.x = 100;
    click.y = 100;
    events.events.push_back(click);
    events.end_ms = 1000;
    (void)run.Play(std::move(start), std::move(events));
}

// Loads one damaged copy and checks the outcome.
void Check(const Bytes& bytes, const fs::path& file, const std::string& damage, bool play,
           Tally& tally) {
    velk::headless::RecordingUi ui;
    velk::headless::MemoryProfileStore profile;
    velk::LoadContext ctx{ui, profile, velk::kCurrentProjectVersion, "show.vkd"};
    largest_allocation = 0;
    velk::LoadResult result = velk::ReadProjectArchive(bytes, ctx);
    const std::size_t largest = largest_allocation;
    const bool told = !ui.Messages().empty();
    if (largest > kAllocationCap) {
        Fail(tally, file, damage + ": an allocation of " + std::to_string(largest) + " bytes");
    } else if (result.status != velk::LoadStatus::kLoaded &&
               result.status != velk::LoadStatus::kNothingLoaded && !told) {
        Fail(tally, file, damage + ": refused without a message");
    } else {
        ++tally.passed;
    }
    if (play && result.status == velk::LoadStatus::kLoaded && tally.played < kPlayedPerFile) {
        ++tally.played;
        Play(std::move(result.project));
    }
}

void Sweep(const fs::path& file, Tally& total) {
    const Bytes original = ReadFile(file);
    if (original.empty()) return;
    Tally tally;
    // Fixed seed per file length, so that a failure names a case that can be replayed.
    std::mt19937 random(static_cast<std::uint32_t>(original.size()));
    auto cut = [&](std::size_t length) {
        Check(Bytes(original.begin(), original.begin() + std::ptrdiff_t(length)), file,
              "cut at " + std::to_string(length), false, tally);
    };
    for (std::size_t length = 0; length < original.size() && length <= kEveryOffsetBound;
         ++length) {
        cut(length);
    }
    if (original.size() > kEveryOffsetBound) {
        for (int i = 0; i < kSampledCuts; ++i) cut(random() % original.size());
    }
    for (int i = 0; i < kSampledFlips; ++i) {
        Bytes damaged = original;
        const std::size_t at = random() % damaged.size();
        std::string damage;
        // Mostly single bits; now and then a byte of all ones or all zeros, the values that turn
        // a length or a count into its extreme.
        switch (random() % 4) {
            case 0:
                damaged[at] = 0xFF;
                damage = "0xFF at ";
                break;
            case 1:
                damaged[at] = 0x00;
                damage = "0x00 at ";
                break;
            default: {
                const unsigned bit = random() % 8;
                damaged[at] ^= static_cast<std::uint8_t>(1u << bit);
                damage = "bit " + std::to_string(bit) + " flipped at ";
            }
        }
        Check(damaged, file, damage + std::to_string(at), true, tally);
    }
    std::printf("%s: %d loads, %d played, %d failed\n", file.filename().c_str(),
                tally.passed + tally.failed, tally.played, tally.failed);
    total.passed += tally.passed;
    total.failed += tally.failed;
}

}  // namespace

int main(int argc, char** argv) {
    Tally total;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::vector<fs::path> found;
        if (fs::is_directory(path)) {
            for (const auto& entry : fs::directory_iterator(path)) {
                if (entry.is_regular_file()) found.push_back(entry.path());
            }
        } else if (fs::exists(path)) {
            found.push_back(path);
        }
        std::sort(found.begin(), found.end());
        for (const fs::path& file : found) {
            Sweep(file, total);
            ++files;
        }
    }
    std::printf("%d passed, %d failed\n", total.passed, total.failed);
    return files > 0 && total.failed == 0 ? 0 : 1;
}
