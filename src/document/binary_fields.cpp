#include "document/binary_fields.h"

namespace velk {
namespace {

constexpr std::size_t kPointBytes = 8;
// The shortest archive string is its length byte.
constexpr std::size_t kMinStringBytes = 1;

}  // namespace

void ReadStored(ByteReader& in, std::vector<Point>& points) {
    std::uint32_t count = in.U32();
    in.RequireItems(count, kPointBytes);
    points.resize(count);
    for (auto& point : points) ReadStored(in, point);
}

void ReadStored(ByteReader& in, std::vector<std::string>& lines) {
    std::uint32_t count = in.U32();
    in.RequireItems(count, kMinStringBytes);
    lines.clear();
    lines.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) lines.push_back(in.ArchiveString());
}

void ReadStored(ByteReader& in, std::vector<std::uint8_t>& bytes) {
    bytes = in.Bytes(in.U32());
}

void WriteStored(ByteWriter& out, const std::vector<Point>& points) {
    out.U32(static_cast<std::uint32_t>(points.size()));
    for (const auto& point : points) WriteStored(out, point);
}

void WriteStored(ByteWriter& out, const std::vector<std::string>& lines) {
    out.U32(static_cast<std::uint32_t>(lines.size()));
    for (const auto& line : lines) out.ArchiveString(line);
}

void WriteStored(ByteWriter& out, const std::vector<std::uint8_t>& bytes) {
    out.U32(static_cast<std::uint32_t>(bytes.size()));
    out.Bytes(bytes);
}

}  // namespace velk
