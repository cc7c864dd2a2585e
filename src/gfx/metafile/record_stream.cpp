#include "gfx/metafile/record_stream.h"

#include "gfx/metafile/emf_format.h"

namespace velk::emf {

std::span<const std::uint8_t> Record::Part(std::uint32_t offset, std::uint32_t size) const {
    if (offset > bytes.size() || size > bytes.size() - offset) {
        throw ArchiveError("metafile record part outside its record");
    }
    return bytes.subspan(offset, size);
}

std::vector<Record> SplitRecords(std::span<const std::uint8_t> data) {
    std::vector<Record> records;
    std::size_t at = 0;
    while (data.size() - at >= 8) {
        ByteReader in(data.subspan(at, 8));
        const std::uint32_t type = in.U32();
        const std::uint32_t size = in.U32();
        if (size < 8 || size % 4 != 0 || size > data.size() - at) break;
        records.push_back({type, data.subspan(at, size)});
        at += size;
        if (type == kEof) break;
    }
    if (records.empty() || records.front().type != kHeader) return {};
    return records;
}

Rect ReadRect(ByteReader& in) {
    Rect r;
    r.left = in.I32();
    r.top = in.I32();
    r.right = in.I32();
    r.bottom = in.I32();
    return r;
}

Point ReadPoint(ByteReader& in) {
    Point p;
    p.x = in.I32();
    p.y = in.I32();
    return p;
}

std::optional<MetafileHeader> ReadHeader(const Record& first) {
    if (first.type != kHeader || first.bytes.size() < kHeaderSize) return std::nullopt;
    ByteReader in = first.Fields();
    MetafileHeader h;
    h.bounds = ReadRect(in);
    h.frame = ReadRect(in);
    if (in.U32() != kSignature) return std::nullopt;
    in.U32();  // version
    in.U32();  // bytes: the records themselves say where they end
    in.U32();  // records
    h.handles = in.U16();
    in.U16();  // reserved
    in.U32();  // description length
    in.U32();  // description offset
    in.U32();  // palette entries
    h.device.width = in.I32();
    h.device.height = in.I32();
    h.millimetres.width = in.I32();
    h.millimetres.height = in.I32();
    return h;
}

}  // namespace velk::emf
