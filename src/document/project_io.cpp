#include "document/project_io.h"

#include "document/binary_fields.h"
#include "document/header_fields.h"
#include "document/page_io.h"

namespace velk {

void ReadProjectHeader(ByteReader& in, LoadContext& ctx, Project& project) {
    FieldReader<ProjectHeader> reader(in, ctx, project.header);
    VisitHeaderFieldsBeforePages(reader);
    ReadPageManager(in, ctx, project);
    VisitHeaderFieldsAfterPages(reader);
}

void WriteProjectHeader(ByteWriter& out, const Project& project, std::int32_t version) {
    FieldWriter<ProjectHeader> writer(out, project.header, version);
    VisitHeaderFieldsBeforePages(writer);
    WritePageManager(out, project, version);
    VisitHeaderFieldsAfterPages(writer);
}

}  // namespace velk
