// The `velk` command-line tool: build, dump, extract and render projects.
#pragma once

namespace velk::tool {

int Main(int argc, char** argv);

}  // namespace velk::tool
