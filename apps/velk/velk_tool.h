// The `velk` command-line tool: build, dump, extract, render and run projects.
#pragma once

namespace velk::tool {

int Main(int argc, char** argv);

}  // namespace velk::tool
