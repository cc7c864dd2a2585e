#include "velk_tool.h"

#include <CLI/CLI.hpp>

namespace velk::tool {

int Main(int argc, char** argv) {
    CLI::App app{"velk: build, dump and extract Vellumkit projects"};
    app.require_subcommand(1);
    CLI11_PARSE(app, argc, argv);
    return 0;
}

}  // namespace velk::tool
