// BMP files and packed device-independent bitmaps, decoded to RGB by hand.
//
// Hostile headers are refused before anything is allocated: the picture size is computed in
// 64 bits against the size cap, the stored rows must all be present, colour indices past the
// table read as black, and run-length output outside the picture is dropped.
#include <array>
#include <climits>
#include <new>

#include "base/byte_reader.h"
#include "codec/limits.h"
#include "gfx/image_library.h"

namespace velk {
namespace {

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

using Colour = std::array<std::uint8_t, 3>;  // R, G, B
using ColourTable = std::vector<Colour>;

struct InfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
};

InfoHeader ReadInfoHeader(std::span<const std::uint8_t> bytes) {
    ByteReader r(bytes);
    InfoHeader h;
    h.size = r.U32();
    h.width = r.I32();
    h.height = r.I32();
    r.U16();  // planes
    h.bits = r.U16();
    h.compression = r.U32();
    r.U32();  // image size: untrusted, the rows are measured instead
    r.I32();  // horizontal resolution
    r.I32();  // vertical resolution
    h.colours_used = r.U32();
    r.U32();  // important colours
    return h;
}

std::span<const std::uint8_t> From(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    if (offset > bytes.size()) throw ArchiveError("offset past the end");
    return bytes.subspan(static_cast<std::size_t>(offset));
}

// The entries the file's colour table has: the used-colour count, else 2^bits; above 256 or
// at 32 bits there is none. Only 1, 4, 8 and 16 bits per pixel read a table.
std::uint32_t ColourTableEntries(const InfoHeader& h) {
    if (h.bits >= 32) return 0;
    std::uint64_t count = h.colours_used != 0 ? h.colours_used : std::uint64_t{1} << h.bits;
    if (count > 256) return 0;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16) return 0;
    return static_cast<std::uint32_t>(count);
}

ColourTable ReadColourTable(std::span<const std::uint8_t> bytes, std::uint32_t entries) {
    ByteReader r(bytes);
    r.RequireItems(entries, 4);
    ColourTable table(entries);
    for (Colour& c : table) {
        std::uint8_t blue = r.U8(), green = r.U8(), red = r.U8();
        r.U8();
        c = {red, green, blue};
    }
    return table;
}

Colour Lookup(const ColourTable& table, std::uint32_t index) {
    return index < table.size() ? table[index] : Colour{0, 0, 0};
}

std::uint8_t Expand5(std::uint32_t channel) {
    return static_cast<std::uint8_t>((channel & 0x1F) * 8 + 7);
}

void ConvertRow(std::span<const std::uint8_t> row, const InfoHeader& h, const ColourTable& table,
                std::uint8_t* out) {
    for (std::int32_t x = 0; x < h.width; ++x, out += 3) {
        const std::size_t ux = static_cast<std::size_t>(x);
        Colour c{};
        switch (h.bits) {
            case 1:
                c = Lookup(table, (row[ux / 8] >> (7 - ux % 8)) & 1);
                break;
            case 4:
                c = Lookup(table, (row[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0x0F);
                break;
            case 8:
                c = Lookup(table, row[ux]);
                break;
            case 16: {
                std::uint32_t word = row[2 * ux] | (std::uint32_t{row[2 * ux + 1]} << 8);
                c = {Expand5(word >> 10), Expand5(word >> 5), Expand5(word)};
                break;
            }
            case 24:
                c = {row[3 * ux + 2], row[3 * ux + 1], row[3 * ux]};
                break;
            case 32:
                c = {row[4 * ux + 2], row[4 * ux + 1], row[4 * ux]};
                break;
        }
        out[0] = c[0];
        out[1] = c[1];
        out[2] = c[2];
    }
}

// Decodes an RLE8 or RLE4 stream into one colour index per pixel, in stored line order. Pixels
// the stream skips keep index 0; writes outside the picture are dropped. The stream may end at
// any command boundary; a command cut short fails.
std::vector<std::uint8_t> DecodeRunLength(std::span<const std::uint8_t> data, const InfoHeader& h,
                                          std::int64_t lines) {
    const std::int64_t width = h.width;
    const bool four_bit = h.compression == kRle4;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width * lines), 0);
    std::int64_t x = 0, line = 0;
    auto put = [&](std::uint8_t index) {
        if (x < width && line < lines) indices[static_cast<std::size_t>(line * width + x)] = index;
        ++x;
    };
    ByteReader r(data);
    while (line < lines && !r.AtEnd()) {
        std::uint8_t count = r.U8();
        std::uint8_t value = r.U8();
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(four_bit ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++line;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up (towards later stored lines)
            x += r.U8();
            line += r.U8();
        } else {  // a literal run of `value` pixels, padded to a 16-bit boundary
            std::size_t stored = four_bit ? (value + 1u) / 2 : value;
            std::span<const std::uint8_t> literal = r.View(stored);
            for (int i = 0; i < value; ++i) {
                std::uint8_t b = literal[static_cast<std::size_t>(four_bit ? i / 2 : i)];
                put(four_bit ? ((i % 2 == 0) ? b >> 4 : b & 0x0F) : b);
            }
            if (stored % 2 == 1 && !r.AtEnd()) r.Skip(1);
        }
    }
    return indices;
}

// `header` starts at the information header; `pixel_offset` is counted from `file`'s start.
std::optional<RgbImage> DecodeBitmap(std::span<const std::uint8_t> file, std::size_t header_at,
                                     std::optional<std::uint64_t> pixel_offset) {
    try {
        std::span<const std::uint8_t> header_bytes = From(file, header_at);
        InfoHeader h = ReadInfoHeader(header_bytes);
        // Older 12-byte headers lay their fields out differently; reading them as 40 bytes
        // would take pixel data for header fields.
        if (h.size < kInfoHeaderSize) return std::nullopt;
        if (h.width <= 0 || h.height == 0 || h.height == INT_MIN) return std::nullopt;
        const bool bottom_up = h.height > 0;
        const std::int64_t rows = bottom_up ? std::int64_t{h.height} : -std::int64_t{h.height};
        switch (h.bits) {
            case 1:
            case 4:
            case 8:
            case 16:
            case 24:
            case 32:
                break;
            default:
                return std::nullopt;
        }
        const bool run_length = h.compression != kUncompressed;
        if (run_length && !(h.compression == kRle8 && h.bits == 8) &&
            !(h.compression == kRle4 && h.bits == 4)) {
            return std::nullopt;
        }
        const std::uint64_t rgb_bytes = std::uint64_t(h.width) * std::uint64_t(rows) * 3;
        if (rgb_bytes > kMaxPictureBytes) return std::nullopt;

        // The colour table follows the information header, whatever that header's size.
        const std::uint32_t entries = ColourTableEntries(h);
        ColourTable table;
        if (entries > 0) table = ReadColourTable(From(header_bytes, h.size), entries);
        if (!pixel_offset) {
            // A packed bitmap stores as many table entries as it says it uses (2^bits up to
            // 8 bits when it says 0), whether or not the table is read.
            std::uint64_t stored = h.colours_used != 0 ? h.colours_used
                                   : h.bits <= 8       ? std::uint64_t{1} << h.bits
                                                       : 0;
            pixel_offset = std::uint64_t{header_at} + h.size + stored * 4;
        }
        std::span<const std::uint8_t> data = From(file, *pixel_offset);

        RgbImage out;
        out.width = h.width;
        out.height = static_cast<std::int32_t>(rows);
        const std::size_t row_rgb = std::size_t(h.width) * 3;
        auto target_row = [&](std::int64_t stored_line) {
            std::int64_t y = bottom_up ? rows - 1 - stored_line : stored_line;
            return out.pixels.data() + static_cast<std::size_t>(y) * row_rgb;
        };
        if (run_length) {
            std::vector<std::uint8_t> indices = DecodeRunLength(data, h, rows);
            out.pixels.assign(rgb_bytes, 0);
            for (std::int64_t line = 0; line < rows; ++line) {
                const std::uint8_t* index = indices.data() + line * h.width;
                std::uint8_t* px = target_row(line);
                for (std::int32_t x = 0; x < h.width; ++x, px += 3) {
                    Colour c = Lookup(table, index[x]);
                    px[0] = c[0], px[1] = c[1], px[2] = c[2];
                }
            }
            return out;
        }
        const std::uint64_t stride = (std::uint64_t(h.width) * h.bits + 31) / 32 * 4;
        ByteReader pixels(data);
        pixels.RequireItems(std::uint64_t(rows), static_cast<std::size_t>(stride));
        out.pixels.assign(rgb_bytes, 0);
        for (std::int64_t line = 0; line < rows; ++line) {
            ConvertRow(pixels.View(static_cast<std::size_t>(stride)), h, table, target_row(line));
        }
        return out;
    } catch (const ArchiveError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<RgbImage> LoadBMPMemory(std::span<const std::uint8_t> bytes) {
    try {
        ByteReader r(bytes);
        if (r.U8() != 'B' || r.U8() != 'M') return std::nullopt;
        r.U32();  // file size: untrusted
        r.U32();  // reserved
        std::uint32_t pixel_offset = r.U32();
        return DecodeBitmap(bytes, kFileHeaderSize, pixel_offset);
    } catch (const ArchiveError&) {
        return std::nullopt;
    }
}

std::optional<RgbImage> LoadBMPFile(const host::FileSystem& files, std::string_view path) {
    if (path.empty()) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> bytes = files.ReadFile(path);
    if (!bytes) return std::nullopt;
    return LoadBMPMemory(*bytes);
}

std::optional<RgbImage> DIBToRGB(std::span<const std::uint8_t> bytes) {
    return DecodeBitmap(bytes, 0, std::nullopt);
}

}  // namespace velk
