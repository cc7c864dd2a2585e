#include "codec/gif_codec.h"

#include <array>
#include <cstring>
#include <new>

#include "base/byte_reader.h"
#include "codec/gif_lzw.h"
#include "codec/limits.h"

namespace velk {
namespace {

constexpr std::uint8_t kExtensionIntroducer = '!';
constexpr std::uint8_t kImageSeparator = ',';
constexpr std::uint8_t kTrailer = ';';
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::size_t kGraphicControlSize = 4;
constexpr std::size_t kImageDescriptorSize = 9;

// A failed part of the file: the whole file is refused.
struct GifError {};

void Require(bool condition) {
    if (!condition) throw GifError{};
}

std::vector<std::uint32_t> ReadColourTable(ByteReader& in, std::uint8_t packed) {
    const std::size_t entries = std::size_t{1} << ((packed & 7) + 1);
    Require(in.Has(entries * 3));
    std::vector<std::uint32_t> table(entries);
    for (std::uint32_t& colour : table) {
        const std::uint32_t red = in.U8(), green = in.U8(), blue = in.U8();
        colour = red | (green << 8) | (blue << 16);
    }
    return table;
}

// The data sub-blocks that follow, joined (a length byte, that many bytes, until a length 0).
// The data may also simply end.
std::vector<std::uint8_t> ReadSubBlocks(ByteReader& in) {
    std::vector<std::uint8_t> joined;
    while (!in.AtEnd()) {
        const std::uint8_t length = in.U8();
        if (length == 0) break;
        const auto block = in.View(length);
        joined.insert(joined.end(), block.begin(), block.end());
    }
    return joined;
}

class GifParser {
  public:
    explicit GifParser(std::span<const std::uint8_t> file) : in_(file) {}

    GifFile Parse() {
        ReadHeader();
        while (!in_.AtEnd()) {
            const std::uint8_t introducer = in_.U8();
            if (introducer == kTrailer) break;
            if (introducer == kExtensionIntroducer) {
                ReadExtension();
            } else {
                Require(introducer == kImageSeparator);
                ReadFrame();
            }
        }
        return std::move(gif_);
    }

  private:
    void ReadHeader() {
        Require(in_.Has(6));
        const auto signature = in_.View(6);
        Require(std::memcmp(signature.data(), "GIF87a", 6) == 0 ||
                std::memcmp(signature.data(), "GIF89a", 6) == 0);
        Require(in_.Has(7));
        gif_.width = in_.U16();
        gif_.height = in_.U16();
        const std::uint8_t packed = in_.U8();
        gif_.background_index = in_.U8();
        in_.Skip(1);  // aspect
        if (packed & 0x80) gif_.global_palette = ReadColourTable(in_, packed);
    }

    void ReadExtension() {
        Require(!in_.AtEnd());
        const std::uint8_t label = in_.U8();
        const std::vector<std::uint8_t> data = ReadSubBlocks(in_);
        if (label != kGraphicControlLabel) return;
        Require(data.size() == kGraphicControlSize);
        std::memcpy(control_.data(), data.data(), kGraphicControlSize);
    }

    void ReadFrame() {
        Require(in_.Has(kImageDescriptorSize));
        GifFrame frame;
        frame.control_flags = control_[0];
        frame.delay = static_cast<std::uint16_t>(control_[1] | (control_[2] << 8));
        frame.transparent_index = control_[3];
        control_ = {};
        frame.left = in_.U16();
        frame.top = in_.U16();
        frame.width = in_.U16();
        frame.height = in_.U16();
        const std::uint8_t packed = in_.U8();
        frame.palette = (packed & 0x80) ? ReadColourTable(in_, packed) : gif_.global_palette;
        Require(in_.Has(1));
        const std::uint8_t min_code_size = in_.U8();
        const std::vector<std::uint8_t> data = ReadSubBlocks(in_);
        const std::uint64_t count = std::uint64_t(frame.width) * std::uint64_t(frame.height);
        // What every frame holds decoded stays within the largest picture a project may hold.
        pixel_total_ += count;
        Require(pixel_total_ <= kMaxPictureBytes);
        auto pixels = DecodeGifLzw(data, min_code_size, static_cast<std::size_t>(count));
        Require(pixels.has_value());
        if (packed & 0x40) {
            frame.pixels =
                DeinterlaceGifRows(*pixels, std::size_t(frame.width), std::size_t(frame.height));
        } else {
            frame.pixels = std::move(*pixels);
        }
        gif_.frames.push_back(std::move(frame));
    }

    ByteReader in_;
    GifFile gif_;
    std::array<std::uint8_t, kGraphicControlSize> control_{};
    std::uint64_t pixel_total_ = 0;
};

}  // namespace

std::optional<GifFile> DecodeGif(std::span<const std::uint8_t> file) {
    try {
        return GifParser(file).Parse();
    } catch (const GifError&) {
        return std::nullopt;
    } catch (const ArchiveError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::uint32_t GifFrameDelay(const GifFile& gif, std::int64_t frame) {
    if (frame < 0 || std::uint64_t(frame) >= gif.frames.size()) return 0;
    std::uint32_t delay = gif.frames[std::size_t(frame)].delay;
    if (delay == 0 && gif.frames.size() > 1) delay = 10;
    return delay == 0 ? 1 : delay;
}

}  // namespace velk
