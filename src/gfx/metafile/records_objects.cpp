// Records that make, select and delete pens, brushes and fonts.
#include <array>

#include "base/codepage.h"
#include "gfx/metafile/dib.h"
#include "gfx/metafile/records.h"

namespace velk::emf {

namespace {

// LOGFONTW: five numbers, eight bytes, then 32 UTF-16 units of face name.
constexpr std::size_t kLogFontWSize = 92;

// An index outside the header's table is a damaged metafile: the play ends there.
void CheckIndex(const PlayContext& ctx, std::uint32_t index) {
    if (!ctx.objects.Holds(index)) throw ArchiveError("metafile object index outside its table");
}

void Create(PlayContext& ctx, std::uint32_t index, GdiObject object) {
    CheckIndex(ctx, index);
    ctx.objects.Create(index, std::move(object));
}

void PlayCreatePen(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    MetaPen pen;
    pen.style = in.U32();
    pen.width = in.I32();
    in.I32();  // the y part of the width is not used
    pen.colour = in.U32() & 0xFFFFFF;
    Create(ctx, index, pen);
}

void PlayExtCreatePen(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    in.Skip(16);  // a pattern for the pen's brush: the pen is drawn in its colour
    MetaPen pen;
    pen.style = in.U32();
    pen.width = static_cast<std::int32_t>(std::min<std::uint32_t>(in.U32(), INT32_MAX));
    in.U32();  // brush style
    pen.colour = in.U32() & 0xFFFFFF;
    Create(ctx, index, pen);
}

void PlayCreateBrushIndirect(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    MetaBrush brush;
    brush.style = in.U32();
    brush.colour = in.U32() & 0xFFFFFF;
    brush.hatch = in.U32();
    // Pattern styles cannot be made without their bitmap: they paint as solid.
    if (brush.style != kBsNull && brush.style != kBsHatched) brush.style = kBsSolid;
    Create(ctx, index, brush);
}

// CreateMonoBrush and CreateDIBPatternBrushPt: a bitmap at offsets inside the record.
void PlayCreatePatternBrush(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    in.U32();  // colour usage
    const std::uint32_t info_at = in.U32(), info_size = in.U32();
    const std::uint32_t bits_at = in.U32(), bits_size = in.U32();
    MetaBrush brush;
    brush.pattern = DibPattern(r.Part(info_at, info_size), r.Part(bits_at, bits_size),
                               r.type == kCreateMonoBrush);
    // A bitmap that cannot be read leaves a brush of the default colour.
    Create(ctx, index, brush);
}

void PlayExtCreateFont(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    in.RequireItems(1, kLogFontWSize);
    MetaFont made;
    LogFont& f = made.font;
    f.height = in.I32();
    f.width = in.I32();
    f.escapement = in.I32();
    f.orientation = in.I32();
    f.weight = in.I32();
    f.italic = in.U8();
    f.underline = in.U8();
    f.strike_out = in.U8();
    f.char_set = in.U8();
    f.out_precision = in.U8();
    f.clip_precision = in.U8();
    f.quality = in.U8();
    f.pitch_and_family = in.U8();
    std::u16string face;
    for (int i = 0; i < 32; ++i) {
        const char16_t unit = in.U16();
        if (unit == 0) break;
        face.push_back(unit);
    }
    f.face_name = Utf16ToCp1252(face);
    Create(ctx, index, made);
}

void PlaySelectObject(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    if (!(index & kStockObject)) CheckIndex(ctx, index);
    const std::optional<GdiObject> object = ctx.objects.Get(index);
    if (!object) return;
    if (const auto* pen = std::get_if<MetaPen>(&*object)) ctx.dc.pen = *pen;
    if (const auto* brush = std::get_if<MetaBrush>(&*object)) ctx.dc.brush = *brush;
    if (const auto* font = std::get_if<MetaFont>(&*object)) ctx.dc.font = *font;
}

void PlayDeleteObject(PlayContext& ctx, const Record& r) {
    ByteReader in = r.Fields();
    const std::uint32_t index = in.U32();
    if (index & kStockObject) return;  // stock objects are never deleted
    CheckIndex(ctx, index);
    ctx.objects.Delete(index);
}

constexpr std::array kRows = {
    RecordRow{kCreatePen, &PlayCreatePen},
    RecordRow{kExtCreatePen, &PlayExtCreatePen},
    RecordRow{kCreateBrushIndirect, &PlayCreateBrushIndirect},
    RecordRow{kCreateMonoBrush, &PlayCreatePatternBrush},
    RecordRow{kCreateDibPatternBrushPt, &PlayCreatePatternBrush},
    RecordRow{kExtCreateFontIndirectW, &PlayExtCreateFont},
    RecordRow{kSelectObject, &PlaySelectObject},
    RecordRow{kDeleteObject, &PlayDeleteObject},
};

}  // namespace

std::span<const RecordRow> ObjectRecords() {
    return kRows;
}

}  // namespace velk::emf
