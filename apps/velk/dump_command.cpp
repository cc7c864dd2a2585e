// velk dump: a project as project.json with its pictures and files beside it.
#include <iostream>

#include "script/compiler_script_codec.h"
#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {
namespace {

fs::path DefaultDumpFolder(const fs::path& input) {
    return input.parent_path() / (input.stem().string() + "_dump");
}

// A folder may be replaced only when it is empty or is an earlier dump (project.json, blobs/
// and embedded/ and nothing else); anything else is the user's and stays untouched.
bool MayReplace(const fs::path& folder, std::string& error) {
    std::error_code ec;
    auto status = fs::symlink_status(folder, ec);
    if (!fs::exists(status)) return true;
    if (!fs::is_directory(status)) {
        error = folder.string() + " exists and is not a folder";
        return false;
    }
    bool dump_shaped = true;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        dump_shaped &= name == "project.json" || name == "blobs" || name == "embedded";
    }
    if (dump_shaped) return true;
    error = folder.string() + " holds more than an earlier dump; not replacing it";
    return false;
}

}  // namespace

int RunDump(const DumpArgs& args) {
    StderrUi ui;
    const fs::path input(args.input);
    auto description = LoadProjectInput(input, ui);
    if (!description) return 1;

    fs::path target =
        args.output_dir.empty() ? DefaultDumpFolder(input) : fs::path(args.output_dir);
    if (target.filename().empty()) target = target.parent_path();  // "out/" names "out"
    std::string error;
    if (!MayReplace(target, error)) {
        PrintError(error);
        return 1;
    }
    if (!target.parent_path().empty()) fs::create_directories(target.parent_path());

    StagingFolder staging(target);
    FolderBlobSink blobs(staging.Path());
    // Action lists come out as script text wherever that text compiles back to them.
    const CompilerScriptCodec scripts;
    Json json = ProjectToJson(*description, blobs, {args.omit_defaults, &scripts});
    std::string text = FormatJson(json);
    if (!blobs.Error().empty()) {
        PrintError(blobs.Error());
        return 1;
    }
    if (!WriteFileAtomically(staging.Path() / "project.json",
                             {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                             error)) {
        PrintError(error);
        return 1;
    }
    staging.Commit();
    std::cout << Summary(description->project) << '\n';
    return 0;
}

}  // namespace velk::tool
