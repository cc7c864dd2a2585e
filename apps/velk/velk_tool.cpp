#include "velk_tool.h"

#include <CLI/CLI.hpp>
#include <exception>

#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {

int Main(int argc, char** argv) {
    CLI::App app{"velk: build, dump, extract, render and run Vellumkit projects"};
    app.require_subcommand(1);

    DumpArgs dump;
    CLI::App* dump_command = app.add_subcommand(
        "dump", "Write a project as project.json, with its pictures and files beside it");
    dump_command->add_option("file", dump.input, "project file (.vkd) or standalone executable")
        ->required();
    dump_command->add_option("-o,--output", dump.output_dir,
                             "folder to write (default: FILE without extension + _dump, beside "
                             "FILE); an earlier dump there is replaced");
    dump_command->add_flag("--omit-defaults", dump.omit_defaults,
                           "leave out fields that have the value of a fresh record");

    BuildArgs build;
    CLI::App* build_command =
        app.add_subcommand("build", "Write a project file from a JSON project description");
    build_command->add_option("description", build.description, "project.json")->required();
    build_command->add_option("-o,--output", build.output, "project file to write")->required();
    build_command->add_option("--standalone", build.player,
                              "player executable: write a copy of it with the project appended");
    build_command->add_flag("--uncompressed", build.uncompressed,
                            "write the records without the zlib layer");

    ExtractArgs extract;
    CLI::App* extract_command =
        app.add_subcommand("extract", "Write the embedded files of a project into a folder");
    extract_command->add_option("file", extract.input, "project file or standalone executable")
        ->required();
    extract_command->add_option("folder", extract.output_dir, "folder to write into")->required();

    RenderArgs render;
    CLI::App* render_command = app.add_subcommand(
        "render", "Paint a page as it looks on entry into a PNG of the client size");
    render_command->add_option("file", render.input, "project file or standalone executable")
        ->required();
    render_command->add_option("--page", render.page,
                               "page name, matched without regard to case (default: the first)");
    render_command->add_option("-o,--output", render.output,
                               "PNG to write (default: FILE without extension + .png)");
    render_command
        ->add_option("--size", render.max_side,
                     "scale the page down to fit N x N, proportions kept (never up), as a "
                     "thumbnail")
        ->check(CLI::Range(1, 16384));

    RunArgs run;
    CLI::App* run_command = app.add_subcommand(
        "run",
        "Play a presentation headless: input and time from an event script, what it does "
        "as an effect log (exit code 2: bad event script, 3: the watchdog stopped it)");
    run_command->add_option("file", run.input, "project file or standalone executable")->required();
    run_command->add_option("--events", run.events,
                            "event script: wait MS, move/down/up/click/dblclick/rdown/rup X Y, "
                            "key NAME, type TEXT, answer VALUE, shot NAME, vars, close, blur, "
                            "quit");
    run_command->add_option("--shots", run.shots_dir, "folder for the screenshots (NAME.png)");
    run_command->add_option("--log", run.log, "effect log file (default: stdout)");
    run_command->add_option("--audio", run.audio,
                            "WAV file of what the presentation sounded (16-bit stereo, "
                            "44100 Hz, by the virtual clock)");
    run_command->add_option("--max-time", run.max_time_ms,
                            "virtual ms the presentation may run after the events (default "
                            "60000)");

    CLI11_PARSE(app, argc, argv);
    try {
        if (dump_command->parsed()) return RunDump(dump);
        if (build_command->parsed()) return RunBuild(build);
        if (extract_command->parsed()) return RunExtract(extract);
        if (render_command->parsed()) return RunRender(render);
        if (run_command->parsed()) return RunRun(run);
    } catch (const std::exception& e) {
        PrintError(e.what());
        return 1;
    }
    return 1;
}

}  // namespace velk::tool
