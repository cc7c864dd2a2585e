#include "document/action_list_io.h"

namespace velk {
namespace {

// Smallest stored record: code, four empty strings, four numbers and the end marker.
constexpr std::size_t kMinRecordBytes = 4 + 4 * 1 + 4 * 4 + 4;

ActionRecord ReadActionRecord(ByteReader& in) {
    ActionRecord record;
    record.code = in.I32();
    record.target = in.ArchiveString();
    record.argument = in.ArchiveString();
    record.limit = in.ArchiveString();
    record.spare_text = in.ArchiveString();
    record.spare_number = in.I32();
    record.argument_count = in.I32();
    record.spare_pair[0] = in.I32();
    record.spare_pair[1] = in.I32();
    record.end_marker = in.U32();
    return record;
}

void WriteActionRecord(ByteWriter& out, const ActionRecord& record) {
    out.I32(record.code);
    out.ArchiveString(record.target);
    out.ArchiveString(record.argument);
    out.ArchiveString(record.limit);
    out.ArchiveString(record.spare_text);
    out.I32(record.spare_number);
    out.I32(record.argument_count);
    out.I32(record.spare_pair[0]);
    out.I32(record.spare_pair[1]);
    out.U32(record.end_marker);
}

}  // namespace

ActionList ReadActionList(ByteReader& in) {
    ActionList list;
    std::uint32_t count = in.U32();
    in.RequireItems(count, kMinRecordBytes);
    list.records.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) list.records.push_back(ReadActionRecord(in));
    list.end_marker = in.U32();
    return list;
}

void WriteActionList(ByteWriter& out, const ActionList& list) {
    out.U32(static_cast<std::uint32_t>(list.records.size()));
    for (const auto& record : list.records) WriteActionRecord(out, record);
    out.U32(list.end_marker);
}

}  // namespace velk
