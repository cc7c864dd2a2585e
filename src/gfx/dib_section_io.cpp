// The stored form of a pixel store: an empty word, the size, and the pixels bottom row first,
// zlib-compressed or raw; older writers left out the compression words (the legacy form).
#include <new>

#include "codec/limits.h"
#include "codec/zlib_codec.h"
#include "document/load_context.h"
#include "gfx/dib_section.h"

namespace velk {
namespace {

constexpr std::string_view kWritingFailed = "Writing failed - Memory??";
constexpr std::string_view kUncompressionFailed = "Uncompression failed ";
constexpr std::string_view kCorrupted = "Corupted Data!";
constexpr std::string_view kReadError = "Bitmap:: Data Read Error!";

void Show(host::Ui& ui, std::string_view text) {
    ui.MessageBox(kApplicationName, text);
}

// width x height x 4 for sides that a store can have; -1 otherwise. One side 0 with the other
// not is no bitmap a writer makes, and its empty rows would still be walked one by one.
std::int64_t PixelBytes(std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0) return -1;
    std::int64_t pixels = std::int64_t{width} * height;
    if (pixels > Surface::kMaxPixels || (pixels == 0 && width + height != 0)) return -1;
    return pixels * 4;
}

}  // namespace

std::vector<std::uint8_t> DibSection::DefaultCompressor(std::span<const std::uint8_t> raw,
                                                        std::size_t capacity) {
    std::vector<std::uint8_t> packed = Deflate(raw);
    // A stream that does not fit the buffer is zlib's buffer error: no compression.
    if (packed.size() > capacity) return {};
    return packed;
}

void DibSection::Serialize(ByteWriter& out, host::Ui& ui) const {
    Serialize(out, ui, DefaultCompressor);
}

void DibSection::Serialize(ByteWriter& out, host::Ui& ui, const Compressor& compress) const {
    out.U32(empty_ ? 1 : 0);
    if (empty_) return;
    out.I32(Width());
    out.I32(Height());
    out.U32(kCompressedMarker);
    const std::vector<std::uint8_t> raw = BitsBottomUp();
    out.U32(static_cast<std::uint32_t>(raw.size()));

    std::vector<std::uint8_t> packed;
    try {
        packed = compress(raw, raw.size() + raw.size() / 5 + 12);
    } catch (const std::bad_alloc&) {
        // The record still ends with the raw pixels, so it can be read back.
        Show(ui, kWritingFailed);
        packed.clear();
    }
    if (packed.empty()) {
        out.U32(0);
        out.Bytes(raw);
        return;
    }
    out.U32(static_cast<std::uint32_t>(packed.size()));
    out.Bytes(packed);
}

void DibSection::Serialize(ByteReader& in, host::Ui& ui) {
    if (in.U32() != 0) return;  // no picture: the store stays as it is
    const std::int32_t width = in.I32();
    const std::int32_t height = in.I32();
    const std::uint32_t marker = in.U32();
    const std::int64_t bitmap_bytes = PixelBytes(width, height);

    if (marker != kCompressedMarker) {
        // Legacy form: the marker word is the raw size, and the raw pixels follow.
        if (bitmap_bytes < 0 || std::int64_t{marker} != bitmap_bytes) {
            Show(ui, kCorrupted);
            return;
        }
        if (!in.Has(marker)) {
            // Nothing is allocated for pixels that are not there.
            in.Skip(in.Remaining());
            Show(ui, kReadError);
            return;
        }
        std::span<const std::uint8_t> data = in.View(marker);
        Recreate(width, height);
        SetBitsBottomUp(data);
        return;
    }

    const std::int32_t raw_size = in.I32();
    const std::uint32_t stored_length = in.U32();
    if (raw_size <= 0) {
        // No pixels: the store is left as it is, and the data words are passed over so that
        // whatever follows the record is read in step.
        in.Skip(stored_length);
        return;
    }
    const std::span<const std::uint8_t> data =
        in.View(stored_length == 0 ? static_cast<std::size_t>(raw_size) : stored_length);
    // The bitmap must hold the raw size, and the data present must be able to fill it.
    const bool fits =
        bitmap_bytes >= raw_size &&
        (stored_length == 0
             ? bitmap_bytes == raw_size
             : PlausibleInflatedSize(static_cast<std::uint64_t>(bitmap_bytes), stored_length));
    if (!fits) {
        Show(ui, kCorrupted);
        return;
    }

    Recreate(width, height);
    if (stored_length == 0) {
        SetBitsBottomUp(data);
        return;
    }
    InflateResult inflated = Inflate(data, static_cast<std::size_t>(raw_size));
    SetBitsBottomUp(inflated.bytes);
    if (!inflated.ok) Show(ui, kUncompressionFailed);
}

}  // namespace velk
