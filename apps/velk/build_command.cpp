// velk build: a JSON description to a project file or a standalone executable.
#include <sys/stat.h>

#include "document/container.h"
#include "player/standalone.h"
#include "script/compiler_script_codec.h"
#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {
namespace {

// Archives after version 12 carry the compressed-layer flag; older layouts are written plain
// so that their magic string is the first thing in the file, as those versions had it.
constexpr std::int32_t kLastVersionWithoutLayer = 12;

}  // namespace

int RunBuild(const BuildArgs& args) {
    const fs::path description_path(args.description);
    auto text = ReadWholeFile(description_path);
    if (!text) {
        PrintError("cannot read " + args.description);
        return 1;
    }
    FolderBlobSource blobs(description_path.parent_path());
    // Scripts written as text are compiled strictly: a rejected line fails the build.
    const CompilerScriptCodec scripts;
    DescriptionResult read = ParseProjectJson(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), blobs,
        &scripts);
    if (!read.description) {
        PrintError(args.description + ": " + read.error);
        return 1;
    }
    const Project& project = read.description->project;
    bool compressed = project.version > kLastVersionWithoutLayer && !args.uncompressed;
    std::vector<std::uint8_t> output = WriteProjectArchive(project, project.version, compressed);

    unsigned mode = 0666;
    if (!args.player.empty()) {
        auto player = ReadWholeFile(args.player);
        if (!player) {
            PrintError("cannot read the player " + args.player);
            return 1;
        }
        StandaloneSettings settings = read.description->standalone.value_or(StandaloneSettings{});
        output =
            AppendStandalone(*player, output, settings.single_instance, settings.instance_name);
        // The copy runs like the player does.
        struct stat info {};
        mode = ::stat(args.player.c_str(), &info) == 0 ? (info.st_mode & 07777) | 0200 : 0777;
    }

    const fs::path target(args.output);
    if (!target.parent_path().empty()) fs::create_directories(target.parent_path());
    std::string error;
    if (!WriteFileAtomically(target, output, error, mode)) {
        PrintError(error);
        return 1;
    }
    return 0;
}

}  // namespace velk::tool
