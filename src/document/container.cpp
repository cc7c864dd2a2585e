#include "document/container.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/project_io.h"
#include "document/zlib_block.h"

namespace velk {
namespace {

constexpr std::string_view kMagic = "Vellumkit";

// Every archive layer may wrap another one; a file that nests deeper than any writer would is
// refused rather than followed until the stack runs out.
constexpr int kMaxLayers = 16;

// Archives from version 13 on carry the compressed flag after the magic.
constexpr std::int32_t kLastVersionWithoutLayerFlag = 12;

constexpr std::string_view kCorruptedMessage =
    "This file is corrupted or it was created for new version of Velk player.";
constexpr std::string_view kLayerInflateMessage = "Uncompression failed (Secure layer)";

// One archive layer: the magic, then either the project or one more (compressed) layer.
LoadStatus ReadLayer(std::span<const std::uint8_t> bytes, LoadContext& ctx, Project& project,
                     int depth) {
    if (depth >= kMaxLayers) throw ArchiveError("too many nested archive layers");
    ByteReader in(bytes);
    std::string magic = in.ArchiveString();
    if (magic.find(kMagic) == std::string::npos) throw ArchiveError("no project magic");
    ctx.version = ParseProjectVersion(magic);
    if (ctx.version == 0) {
        ctx.Message(kCorruptedMessage);
        return LoadStatus::kUnsupportedVersion;
    }
    if (ctx.version > kLastVersionWithoutLayerFlag && in.U32() != 0) {
        std::uint32_t inflated_size = in.U32();
        if (inflated_size == 0) return LoadStatus::kNothingLoaded;
        ZlibBlock inner = ReadZlibBlock(in, inflated_size, [&ctx, inflated_size](std::size_t done) {
            ctx.Progress(static_cast<std::uint32_t>(std::uint64_t{kInflatedPermille} * done /
                                                    inflated_size));
        });
        if (!inner.ok) ctx.Message(kLayerInflateMessage);
        return ReadLayer(inner.bytes, ctx, project, depth + 1);
    }
    project.version = ctx.version;
    ReadProjectHeader(in, ctx, project);
    return LoadStatus::kLoaded;
}

std::vector<std::uint8_t> WritePlainArchive(const Project& project, std::int32_t version) {
    ByteWriter out;
    out.ArchiveString(std::string(kMagic) + std::to_string(version));
    if (version > kLastVersionWithoutLayerFlag) out.U32(0);
    WriteProjectHeader(out, project, version);
    return out.Take();
}

}  // namespace

std::int32_t ParseProjectVersion(std::string_view magic) {
    std::string rest;
    for (std::size_t pos = 0; pos < magic.size();) {
        if (magic.substr(pos, kMagic.size()) == kMagic) {
            pos += kMagic.size();
        } else {
            rest.push_back(magic[pos++]);
        }
    }
    std::size_t i = 0;
    auto is_blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < rest.size() && is_blank(rest[i])) ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) negative = rest[i++] == '-';
    // Accumulated as a magnitude that stops growing once it is out of range either way.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (rest[i] - '0'), kLimit);
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

LoadResult ReadProjectArchive(std::span<const std::uint8_t> bytes, LoadContext& ctx) {
    LoadResult result;
    ctx.Progress(0);
    try {
        result.status = ReadLayer(bytes, ctx, result.project, 0);
    } catch (const ArchiveError&) {
        ctx.Progress(kLoadDonePermille);
        ctx.MessageNamingFile("The file ", ctx.shown_file, " is not a VKD file!");
        result.status = LoadStatus::kNotAProject;
    }
    ctx.Progress(kLoadDonePermille);
    // Only a complete read hands a project on; a failed one leaves nothing half-read behind.
    if (result.status != LoadStatus::kLoaded) result.project = Project{};
    return result;
}

std::vector<std::uint8_t> WriteProjectArchive(const Project& project, std::int32_t version,
                                              bool compressed) {
    std::vector<std::uint8_t> plain = WritePlainArchive(project, version);
    if (!compressed) return plain;
    ByteWriter out;
    out.ArchiveString(std::string(kMagic) + std::to_string(kCurrentProjectVersion));
    out.U32(1);
    out.U32(static_cast<std::uint32_t>(plain.size()));
    WriteZlibBlock(out, plain, true);
    return out.Take();
}

}  // namespace velk
