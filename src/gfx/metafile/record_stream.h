// The records of an enhanced metafile as untrusted bytes: the header, and each record's type
// and bytes. A record whose size does not add up (smaller than its 8-byte start, not a multiple
// of 4, running past the data) ends the list; nothing after it is read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/byte_reader.h"
#include "base/geometry.h"

namespace velk::emf {

// What the header says about the picture and the device it was made on.
struct MetafileHeader {
    Rect bounds;            // device units, both edges inclusive
    Rect frame;             // hundredths of a millimetre, both edges inclusive
    std::uint32_t handles;  // entries of the object table, entry 0 included
    Size device;            // the reference device in pixels ...
    Size millimetres;       // ... and in millimetres
};

struct Record {
    std::uint32_t type = 0;
    std::span<const std::uint8_t> bytes;  // the whole record, its type and size included

    // A reader of the record's fields, after its type and size. Reading past the record
    // throws ArchiveError.
    ByteReader Fields() const {
        ByteReader reader(bytes);
        reader.Skip(8);
        return reader;
    }
    // The `size` bytes at `offset` from the record's start; ArchiveError unless they lie
    // inside the record.
    std::span<const std::uint8_t> Part(std::uint32_t offset, std::uint32_t size) const;
};

// The records up to the first one whose size does not add up or the end-of-file record
// (included). Empty when the data does not start with a header record.
std::vector<Record> SplitRecords(std::span<const std::uint8_t> data);

// The header of the first record; none when it is not a header of an enhanced metafile.
std::optional<MetafileHeader> ReadHeader(const Record& first);

// Rect fields as stored: left, top, right, bottom.
Rect ReadRect(ByteReader& in);
Point ReadPoint(ByteReader& in);

}  // namespace velk::emf
