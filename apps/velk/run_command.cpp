// velk run: plays a presentation headless, with input and time from an event script, and
// writes what it did as an effect log and screenshots.
#include <fstream>
#include <iostream>
#include <optional>
#include <span>

#include "base/codepage.h"
#include "document/load_context.h"
#include "gfx/surface_png.h"
#include "hosts/headless/headless_run.h"
#include "hosts/headless/wav_file.h"
#include "hosts/posix/posix_file_system.h"
#include "player/command_line.h"
#include "player/standalone.h"
#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {
namespace {

constexpr int kBadEvents = 2;
constexpr int kWatchdog = 3;

// The last bytes of a file, enough to recognise a standalone executable without reading it all.
std::vector<std::uint8_t> ReadTail(const fs::path& path, std::size_t count) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    const std::streamoff start =
        size > static_cast<std::streamoff>(count) ? size - static_cast<std::streamoff>(count) : 0;
    in.seekg(start);
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(size - start));
    in.read(reinterpret_cast<char*>(tail.data()), static_cast<std::streamsize>(tail.size()));
    return tail;
}

// How a player is started on the file: a standalone executable runs its own payload with no
// arguments; a project file is handed to the player on its command line, as typed. The readers'
// messages go into the effect log.
PlayerStart StartOn(const std::string& input, headless::HeadlessRun& run, host::FileSystem& files) {
    PlayerStart start;
    LoadContext ctx{run.ui(), run.profile()};
    const std::string typed = files.FromUserPath(input);
    const std::string absolute = posix::AbsoluteWindowsPath(typed);
    if (EndsWithStandaloneTag(ReadTail(input, kStandaloneTag.size() + 4))) {
        start.own_executable = absolute;
        start.project = LoadStartupProject(absolute, "", files, ctx);
    } else {
        // velk carries no payload to fall back on when the file is not a project.
        start.own_executable = posix::OwnExecutablePath();
        start.arguments = {typed};
        start.launch = ApplyLaunchPrefix(start.arguments);
        if (auto opened = OpenProjectFile(absolute, files, ctx)) {
            start.project.ok = true;
            start.project.source_path = absolute;
            start.project.load = std::move(*opened);
        }
    }
    return start;
}

std::optional<headless::EventScript> ReadEvents(const std::string& path) {
    if (path.empty()) return headless::EventScript{};
    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        PrintError("cannot read the event script " + path);
        return std::nullopt;
    }
    try {
        return headless::ParseEventScript(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    } catch (const headless::EventScriptError& e) {
        PrintError(path + ": " + e.what());
        return std::nullopt;
    }
}

}  // namespace

int RunRun(const RunArgs& args) {
    if (!fs::is_regular_file(args.input)) {
        PrintError("cannot find " + args.input);
        return 1;
    }
    auto script = ReadEvents(args.events);
    if (!script) return kBadEvents;

    std::ofstream log_file;
    if (!args.log.empty()) {
        const fs::path log_path(args.log);
        if (!log_path.parent_path().empty()) fs::create_directories(log_path.parent_path());
        log_file.open(log_path, std::ios::binary | std::ios::trunc);
        if (!log_file) {
            PrintError("cannot write the log " + args.log);
            return 1;
        }
    }
    std::ostream& log = args.log.empty() ? std::cout : log_file;
    auto write_log = [&log](std::string_view line) { log.write(line.data(), line.size()).flush(); };

    const fs::path shots(args.shots_dir);
    if (!args.shots_dir.empty()) fs::create_directories(shots);
    auto save_shot = [&](std::string_view name, const Surface& pixels, std::string& error) {
        if (args.shots_dir.empty()) return true;  // painted all the same, kept nowhere
        const std::vector<std::uint8_t> png = EncodeSurfacePng(pixels);
        if (png.empty()) {
            error = "cannot encode the screenshot " + std::string(name);
            return false;
        }
        return WriteFileAtomically(shots / (std::string(name) + ".png"), png, error);
    };

    std::optional<headless::WavFile> wav;
    if (!args.audio.empty()) {
        const fs::path wav_path(args.audio);
        if (!wav_path.parent_path().empty()) fs::create_directories(wav_path.parent_path());
        wav.emplace(wav_path);
        if (!wav->Ok()) {
            PrintError("cannot write the sound " + args.audio);
            return 1;
        }
    }

    posix::PosixFileSystem files;
    headless::HeadlessRunOptions options;
    options.max_time_ms = args.max_time_ms;
    if (wav)
        options.audio_tap = [&wav](std::span<const std::int16_t> frames) { wav->Append(frames); };
    headless::HeadlessRun run(files, write_log, save_shot, options);
    PlayerStart start = StartOn(args.input, run, files);
    if (!start.project.ok || start.project.load.status != LoadStatus::kLoaded) {
        // The reader's message is in the log already.
        PrintError("cannot play " + args.input + ": it holds no project that can be read");
        return 1;
    }

    switch (run.Play(std::move(start), std::move(*script))) {
        case headless::HeadlessRun::Outcome::kEnded:
        case headless::HeadlessRun::Outcome::kQuit:
        case headless::HeadlessRun::Outcome::kTimeUp:
            break;
        case headless::HeadlessRun::Outcome::kNotStarted:
            PrintError("cannot play " + args.input);
            return 1;
        case headless::HeadlessRun::Outcome::kWatchdog:
            PrintError(run.Failure());
            return kWatchdog;
        case headless::HeadlessRun::Outcome::kShotFailed:
            PrintError(run.Failure());
            return 1;
    }
    if (!log) {
        PrintError("cannot write the log " + args.log);
        return 1;
    }
    if (wav && !wav->Finish()) {
        PrintError("cannot write the sound " + args.audio);
        return 1;
    }
    return 0;
}

}  // namespace velk::tool
