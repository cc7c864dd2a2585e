// A standalone presentation: the player executable with a project archive appended, and the
// start-up choice between that payload and a project file named on the command line.
//
// Layout at the end of the file (E = file size, N = the u32 at the very end):
//   [E-14-N, E-14)  the payload: one project archive, then the 11-byte single-instance marker
//                   ("ONEINSTANCE" or anything else) and the 38-byte zero-padded instance name
//   [E-14, E-4)     "STANDALONE"
//   [E-4, E)        N
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/container.h"
#include "document/load_context.h"
#include "host/host.h"

namespace velk {

inline constexpr std::string_view kStandaloneTag = "STANDALONE";
inline constexpr std::string_view kSingleInstanceMarker = "ONEINSTANCE";
inline constexpr std::size_t kInstanceNameLength = 38;
// Marker, name, tag and length: the fixed part at the end of the file.
inline constexpr std::size_t kStandaloneTrailerSize =
    kSingleInstanceMarker.size() + kInstanceNameLength + kStandaloneTag.size() + 4;

inline constexpr std::string_view kTrailerMissingMessage = "Corrupted Stand Alone file (1)";
inline constexpr std::string_view kPayloadMissingMessage = "Corrupted Stand Alone file (2)";

struct StandaloneTrailer {
    bool single_instance = false;
    // The name of the single-instance lock: the 38-byte field up to its first zero byte.
    std::string instance_name;
    // Where the N payload bytes lie in the file.
    std::size_t payload_offset = 0;
    std::size_t payload_size = 0;
};

struct TrailerResult {
    std::optional<StandaloneTrailer> trailer;
    // When there is no trailer: "Corrupted Stand Alone file (1)" for a file without the tag
    // (or too short to hold the trailer), "(2)" for a payload that is not a project archive or
    // that would begin before the file does.
    std::string failure;
};

TrailerResult ReadStandaloneTrailer(std::span<const std::uint8_t> exe_bytes);

// The standalone executable: `player` followed by `archive`, the marker, the instance name
// (cut to 38 bytes), the tag and the payload length.
std::vector<std::uint8_t> AppendStandalone(std::span<const std::uint8_t> player,
                                           std::span<const std::uint8_t> archive,
                                           bool single_instance, std::string_view instance_name);

// The player's own executable, read and checked.
struct StandaloneExecutable {
    std::vector<std::uint8_t> bytes;
    StandaloneTrailer trailer;

    std::span<const std::uint8_t> Payload() const {
        return std::span<const std::uint8_t>(bytes).subspan(trailer.payload_offset,
                                                            trailer.payload_size);
    }
};

// Reads the own executable and its trailer; shows "Cannot Open " + path + "\n" or the trailer's
// failure and returns nothing when start-up cannot go on.
std::optional<StandaloneExecutable> OpenStandalone(std::string_view own_exe_path,
                                                   const host::FileSystem& fs,
                                                   const LoadContext& ctx);

// Reads a project file. Nothing when it cannot be opened ("Cannot find the file\n" + path is
// shown); otherwise what the container reader made of it, with the path in its messages.
std::optional<LoadResult> OpenProjectFile(std::string_view path, const host::FileSystem& fs,
                                          LoadContext& ctx);

struct StartupProject {
    bool ok = false;  // false: start-up failed after its message; no window is to appear
    bool single_instance = false;
    std::string instance_name;
    // The file the project came from: the project file, or the own executable for the payload.
    // The player's folder ("<SrcDir>") is taken from it.
    std::string source_path;
    LoadResult load;
};

// The project of a player start: the file named on the command line when it opens and is a
// project, else the payload of the own executable.
StartupProject LoadStartupProject(const StandaloneExecutable& own_exe,
                                  std::string_view own_exe_path, std::string_view project_path,
                                  const host::FileSystem& fs, LoadContext& ctx);
// OpenStandalone followed by the above.
StartupProject LoadStartupProject(std::string_view own_exe_path, std::string_view project_path,
                                  const host::FileSystem& fs, LoadContext& ctx);

}  // namespace velk
