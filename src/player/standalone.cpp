#include "player/standalone.h"

#include <limits>
#include <stdexcept>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace velk {
namespace {

constexpr std::string_view kMagic = "Vellumkit";
constexpr std::size_t kTagSize = kStandaloneTag.size() + 4;  // the tag and N
constexpr std::size_t kPayloadExtra = kSingleInstanceMarker.size() + kInstanceNameLength;

std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TrailerResult Failure(std::string_view message) {
    return {std::nullopt, std::string(message)};
}

}  // namespace

TrailerResult ReadStandaloneTrailer(std::span<const std::uint8_t> exe_bytes) {
    const std::size_t file_size = exe_bytes.size();
    if (file_size < kStandaloneTrailerSize) return Failure(kTrailerMissingMessage);

    ByteReader in(exe_bytes);
    in.Skip(file_size - kStandaloneTrailerSize);
    const auto marker = in.View(kSingleInstanceMarker.size());
    const auto name = in.View(kInstanceNameLength);
    const auto tag = in.View(kStandaloneTag.size());
    const std::uint32_t payload_size = in.U32();
    if (AsText(tag) != kStandaloneTag) return Failure(kTrailerMissingMessage);
    // The payload must lie inside the file, and begin with the archive's magic string (its
    // length byte is not looked at).
    if (payload_size > file_size - kTagSize) return Failure(kPayloadMissingMessage);
    const std::size_t payload_offset = file_size - kTagSize - payload_size;
    ByteReader magic(exe_bytes);
    magic.Skip(payload_offset + 1);
    if (!magic.Has(kMagic.size()) || AsText(magic.View(kMagic.size())) != kMagic) {
        return Failure(kPayloadMissingMessage);
    }

    StandaloneTrailer trailer;
    trailer.single_instance = AsText(marker) == kSingleInstanceMarker;
    const std::string_view name_text = AsText(name);
    trailer.instance_name = std::string(name_text.substr(0, name_text.find('\0')));
    trailer.payload_offset = payload_offset;
    trailer.payload_size = payload_size;
    return {trailer, {}};
}

std::vector<std::uint8_t> AppendStandalone(std::span<const std::uint8_t> player,
                                           std::span<const std::uint8_t> archive,
                                           bool single_instance, std::string_view instance_name) {
    if (archive.size() > std::numeric_limits<std::uint32_t>::max() - kPayloadExtra) {
        throw std::length_error("project archive too large for a standalone payload");
    }
    ByteWriter out;
    out.Bytes(player);
    out.Bytes(archive);
    if (single_instance) {
        out.Text(kSingleInstanceMarker);
    } else {
        for (std::size_t i = 0; i < kSingleInstanceMarker.size(); ++i) out.U8(0);
    }
    const std::string_view name = instance_name.substr(0, kInstanceNameLength);
    out.Text(name);
    for (std::size_t i = name.size(); i < kInstanceNameLength; ++i) out.U8(0);
    out.Text(kStandaloneTag);
    out.U32(static_cast<std::uint32_t>(archive.size() + kPayloadExtra));
    return out.Take();
}

std::optional<StandaloneExecutable> OpenStandalone(std::string_view own_exe_path,
                                                   const host::FileSystem& fs,
                                                   const LoadContext& ctx) {
    auto bytes = fs.ReadFile(own_exe_path);
    if (!bytes) {
        ctx.MessageNamingFile("Cannot Open ", fs.ShownPath(own_exe_path), "\n");
        return std::nullopt;
    }
    TrailerResult read = ReadStandaloneTrailer(*bytes);
    if (!read.trailer) {
        ctx.Message(read.failure);
        return std::nullopt;
    }
    return StandaloneExecutable{std::move(*bytes), std::move(*read.trailer)};
}

std::optional<LoadResult> OpenProjectFile(std::string_view path, const host::FileSystem& fs,
                                          LoadContext& ctx) {
    const auto bytes = fs.ReadFile(path);
    if (!bytes) {
        ctx.MessageNamingFile("Cannot find the file\n", fs.ShownPath(path));
        return std::nullopt;
    }
    ctx.shown_file = fs.ShownPath(path);
    return ReadProjectArchive(*bytes, ctx);
}

StartupProject LoadStartupProject(const StandaloneExecutable& own_exe,
                                  std::string_view own_exe_path, std::string_view project_path,
                                  const host::FileSystem& fs, LoadContext& ctx) {
    StartupProject startup;
    startup.ok = true;
    startup.single_instance = own_exe.trailer.single_instance;
    startup.instance_name = own_exe.trailer.instance_name;
    if (!project_path.empty()) {
        auto opened = OpenProjectFile(project_path, fs, ctx);
        // A file that is not a project falls back to the payload, after its message.
        if (opened && opened->status != LoadStatus::kNotAProject) {
            startup.source_path = std::string(project_path);
            startup.load = std::move(*opened);
            return startup;
        }
    }
    ctx.shown_file.clear();  // the payload has no file name of its own in messages
    startup.source_path = std::string(own_exe_path);
    startup.load = ReadProjectArchive(own_exe.Payload(), ctx);
    return startup;
}

StartupProject LoadStartupProject(std::string_view own_exe_path, std::string_view project_path,
                                  const host::FileSystem& fs, LoadContext& ctx) {
    const auto own_exe = OpenStandalone(own_exe_path, fs, ctx);
    if (!own_exe) return {};
    return LoadStartupProject(*own_exe, own_exe_path, project_path, fs, ctx);
}

}  // namespace velk
