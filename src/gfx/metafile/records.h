// The records the player knows, a family to a file: each family lists its rows (record type,
// what playing it does). A record type without a row is passed over.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/byte_reader.h"
#include "gfx/curves.h"
#include "gfx/metafile/play_context.h"
#include "gfx/metafile/record_stream.h"
#include "gfx/metafile/xform.h"

namespace velk::emf {

// Plays one record. Fields that do not fit the record throw ArchiveError, which ends the play.
using RecordPlayer = void (*)(PlayContext& ctx, const Record& record);

struct RecordRow {
    std::uint32_t type;
    RecordPlayer play;
};

std::span<const RecordRow> StateRecords();   // records_state.cpp
std::span<const RecordRow> ObjectRecords();  // records_objects.cpp
std::span<const RecordRow> LineRecords();    // records_lines.cpp
std::span<const RecordRow> ShapeRecords();   // records_shapes.cpp
std::span<const RecordRow> PathRecords();    // records_path.cpp
std::span<const RecordRow> ClipRecords();    // records_clip.cpp
std::span<const RecordRow> BitmapRecords();  // records_bitmaps.cpp
std::span<const RecordRow> TextRecords();    // records_text.cpp

// Field readers shared by the families.
// `count` points of two 32-bit (wide) or two 16-bit numbers each; the count is checked against
// what the record holds before anything is allocated.
std::vector<PointF> ReadPoints(ByteReader& in, std::uint32_t count, bool wide);
Xform ReadXform(ByteReader& in);
float ReadFloat(ByteReader& in);

}  // namespace velk::emf
