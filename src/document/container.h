// The outer container of a project archive: magic and version, optional zlib layers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "document/load_context.h"
#include "document/project.h"

namespace velk {

enum class LoadStatus {
    kLoaded,
    kNothingLoaded,       // a compressed layer of size 0: nothing read, nothing said
    kNotAProject,         // "The file %s is not a VKD file!" was shown
    kUnsupportedVersion,  // version 0: the presentation ends
};

struct LoadResult {
    LoadStatus status = LoadStatus::kNotAProject;
    Project project;
};

// The number after "Vellumkit" in a magic string (every occurrence removed, then read like
// atoi); 0 when there is none.
std::int32_t ParseProjectVersion(std::string_view magic);

// Reads a whole project archive, showing the messages of every failure through ctx.
LoadResult ReadProjectArchive(std::span<const std::uint8_t> bytes, LoadContext& ctx);

// Writes a project archive of `version`: with `compressed`, a version-27 outer container
// holding one zlib layer around the plain archive.
std::vector<std::uint8_t> WriteProjectArchive(const Project& project, std::int32_t version,
                                              bool compressed);

}  // namespace velk
