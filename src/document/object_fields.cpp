#include "document/object_fields.h"

#include <algorithm>
#include <utility>

#include "document/picture_io.h"

namespace velk {
namespace {

// Files before version 23 stored a video's image 3 as a one-byte-per-pixel mask inside a
// buffer of three bytes per pixel. The mask becomes its complement on all three channels; the
// expansion runs from the last pixel to the first so that it can work in place.
void ExpandVideoMask(std::optional<Picture>& image, LoadContext& ctx) {
    DecodedPicture decoded = DecodePicture(*image);
    if (!decoded.error.empty()) ctx.Message(decoded.error);
    RgbImage& pixels = decoded.image;
    if (pixels.pixels.empty()) {
        image.reset();
        return;
    }
    std::size_t count = pixels.pixels.size() / 3;
    for (std::size_t i = count; i-- > 0;) {
        std::uint8_t value = static_cast<std::uint8_t>(255 - pixels.pixels[i]);
        pixels.pixels[i * 3] = value;
        pixels.pixels[i * 3 + 1] = value;
        pixels.pixels[i * 3 + 2] = value;
    }
    Picture expanded;
    expanded.coding = PictureCoding::kPlain;
    expanded.width = pixels.width;
    expanded.height = pixels.height;
    expanded.bytes = std::move(pixels.pixels);
    image = std::move(expanded);
}

}  // namespace

void KindWordCodec::Read(ByteReader& in, LoadContext&, std::int32_t& kind, Object& object) {
    std::int32_t kind_word = in.I32();
    object.has_first_actions = kind_word < 0;
    kind = object.has_first_actions ? in.I32() : kind_word;
}

void KindWordCodec::Write(ByteWriter& out, std::int32_t kind, const Object& object) {
    if (StoresFirstActions(object)) out.I32(-1);
    out.I32(kind);
}

void ObjectPictureCodec::Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture) {
    picture = in.U32() != 0 ? ReadObjectPicture(in, ctx) : std::nullopt;
}

void ObjectPictureCodec::Write(ByteWriter& out, const std::optional<Picture>& picture) {
    out.U32(picture ? 1 : 0);
    if (picture) WriteObjectPicture(out, *picture);
}

void CodedPictureCodec::Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture) {
    if (in.U32() != 0) picture = ReadCodedPicture(in, ctx);
}

void CodedPictureCodec::Write(ByteWriter& out, const std::optional<Picture>& picture) {
    out.U32(picture ? 1 : 0);
    if (picture) WriteCodedPicture(out, *picture);
}

void MetafileCodec::Read(ByteReader& in, std::optional<StoredMetafile>& metafile) {
    if (in.U32() == 0) return;
    StoredMetafile stored;
    auto header = in.View(stored.header.size());
    std::copy(header.begin(), header.end(), stored.header.begin());
    stored.data = in.Bytes(in.U32());
    metafile = std::move(stored);
}

void MetafileCodec::Write(ByteWriter& out, const std::optional<StoredMetafile>& metafile) {
    out.U32(metafile ? 1 : 0);
    if (!metafile) return;
    out.Bytes(metafile->header);
    out.U32(static_cast<std::uint32_t>(metafile->data.size()));
    out.Bytes(metafile->data);
}

void FaceNameCodec::Read(ByteReader& in, std::string& face_name) {
    std::string face = in.ArchiveString();
    if (face.size() <= kMaxFaceName) face_name = std::move(face);
}

void FaceNameCodec::Write(ByteWriter& out, const std::string& face_name) {
    out.ArchiveString(face_name);
}

void ExpandOlderVideoMask(Object& object, LoadContext& ctx) {
    if (ctx.version < 23 && object.kind == kKindVideo && object.image3) {
        ExpandVideoMask(object.image3, ctx);
    }
}

}  // namespace velk
