#include "document/action_list_io.h"

#include "document/action_fields.h"
#include "document/binary_fields.h"

namespace velk {
namespace {

// Smallest stored record: code, four empty strings, four numbers and the end marker.
constexpr std::size_t kMinRecordBytes = 4 + 4 * 1 + 4 * 4 + 4;

// Action lists are read on their own, outside the loading of a project; their records are the
// same in every version.
struct RecordVersion {
    std::int32_t version = kCurrentProjectVersion;
};

ActionRecord ReadActionRecord(ByteReader& in) {
    RecordVersion ctx;
    ActionRecord record;
    FieldReader<ActionRecord, RecordVersion> reader(in, ctx, record);
    VisitFields(RecordTag<ActionRecord>{}, reader);
    return record;
}

void WriteActionRecord(ByteWriter& out, const ActionRecord& record) {
    FieldWriter<ActionRecord> writer(out, record, kCurrentProjectVersion);
    VisitFields(RecordTag<ActionRecord>{}, writer);
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
