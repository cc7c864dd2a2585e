#include "document/page_fields.h"

#include <utility>

#include "document/object_io.h"
#include "document/picture_io.h"
#include "document/zlib_block.h"

namespace velk {
namespace {

constexpr std::string_view kMaskInflateMessage = "Uncompression failed (2)";

// Every object record starts with at least its kind word.
constexpr std::size_t kMinObjectBytes = 4;

}  // namespace

void CursorCodec::Read(ByteReader& in, std::uint32_t& cursor) {
    std::uint32_t stored = in.U32();
    cursor = stored > 0 ? stored - 1 : 0;
}

void CursorCodec::Write(ByteWriter& out, std::uint32_t cursor) {
    out.U32(cursor + 1);
}

void BackgroundFlagsCodec::Read(ByteReader& in, LoadContext&,
                                std::uint32_t& use_first_page_background, Page& page) {
    std::uint32_t has_background_image = in.U32();
    use_first_page_background = in.U32();
    if (has_background_image != 0) page.background_image.emplace();
}

void BackgroundFlagsCodec::Write(ByteWriter& out, std::uint32_t use_first_page_background,
                                 const Page& page) {
    out.U32(page.background_image ? 1 : 0);
    out.U32(use_first_page_background);
}

void PageBackgroundCodec::Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture) {
    if (picture) picture = ReadPageBackground(in, ctx);
}

void PageBackgroundCodec::Write(ByteWriter& out, const std::optional<Picture>& picture) {
    if (picture) WritePageBackground(out, *picture);
}

void ObjectsCodec::Read(ByteReader& in, LoadContext& ctx, std::vector<Object>& objects) {
    std::uint32_t count = in.U32();
    in.RequireItems(count, kMinObjectBytes);
    for (std::uint32_t i = 0; i < count; ++i) objects.push_back(ReadObject(in, ctx));
}

void ObjectsCodec::Write(ByteWriter& out, const std::vector<Object>& objects,
                         std::int32_t version) {
    out.U32(static_cast<std::uint32_t>(objects.size()));
    for (const auto& object : objects) WriteObject(out, object, version);
}

void TransitionMaskCodec::Read(ByteReader& in, LoadContext& ctx, TransitionMask& mask) {
    mask.size = in.U32();
    if (mask.size == 0) return;
    ZlibBlock block = ReadZlibBlock(in, mask.size);
    if (!block.ok) ctx.Message(kMaskInflateMessage);
    mask.compressed = block.compressed;
    mask.bytes = std::move(block.bytes);
}

void TransitionMaskCodec::Write(ByteWriter& out, const TransitionMask& mask) {
    out.U32(static_cast<std::uint32_t>(mask.bytes.size()));
    if (!mask.bytes.empty()) WriteZlibBlock(out, mask.bytes, mask.compressed);
}

}  // namespace velk
