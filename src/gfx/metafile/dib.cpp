#include "gfx/metafile/dib.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/byte_reader.h"
#include "gfx/image_library.h"

namespace velk::emf {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

}  // namespace

std::optional<RgbImage> DecodeDib(std::span<const std::uint8_t> info,
                                  std::span<const std::uint8_t> bits) {
    if (info.size() < kInfoHeaderSize) return std::nullopt;
    // A bitmap file around the two parts, so that the rows are found where the record puts
    // them whatever the colour table's length.
    std::vector<std::uint8_t> file;
    file.reserve(kFileHeaderSize + info.size() + bits.size());
    const std::uint32_t rows_at = static_cast<std::uint32_t>(kFileHeaderSize + info.size());
    const std::uint32_t size = static_cast<std::uint32_t>(rows_at + bits.size());
    file.insert(file.end(), {'B', 'M'});
    for (std::uint32_t v : {size, 0u, rows_at}) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    return LoadBMPMemory(file);
}

bool DibBottomUp(std::span<const std::uint8_t> info) {
    if (info.size() < 12) return true;
    ByteReader in(info.subspan(8, 4));
    return in.I32() > 0;
}

Surface SurfaceFromRgb(const RgbImage& picture) {
    Surface surface(picture.width, picture.height);
    const std::uint8_t* p = picture.pixels.data();
    for (std::int32_t y = 0; y < picture.height; ++y) {
        Bgrx* row = surface.Row(y);
        for (std::int32_t x = 0; x < picture.width; ++x, p += 3)
            row[x] = MakeBgrx(p[0], p[1], p[2]);
    }
    return surface;
}

std::shared_ptr<const BrushPattern> DibPattern(std::span<const std::uint8_t> info,
                                               std::span<const std::uint8_t> bits,
                                               bool two_colour) {
    std::vector<std::uint8_t> header(info.begin(), info.end());
    if (two_colour) {
        // Black and white in the first two table entries tell the 0-bits from the 1-bits. The
        // table follows the information header, whatever its size.
        if (header.size() < kInfoHeaderSize) return nullptr;
        ByteReader in(header);
        const std::uint32_t table_at = in.U32();
        if (table_at > header.size() || header.size() - table_at < 8) return nullptr;
        const std::uint8_t table[8] = {0, 0, 0, 0, 255, 255, 255, 0};
        std::copy(std::begin(table), std::end(table),
                  header.begin() + static_cast<std::ptrdiff_t>(table_at));
    }
    const std::optional<RgbImage> picture = DecodeDib(header, bits);
    if (!picture || picture->width <= 0 || picture->height <= 0) return nullptr;
    auto pattern = std::make_shared<BrushPattern>();
    pattern->width = picture->width;
    pattern->height = picture->height;
    const std::uint8_t* p = picture->pixels.data();
    const std::size_t n = std::size_t(picture->width) * std::size_t(picture->height);
    if (two_colour) {
        pattern->kind = BrushPattern::Kind::kMono;
        for (std::size_t i = 0; i < n; ++i, p += 3) pattern->bits.push_back(p[0] ? 1 : 0);
    } else {
        pattern->kind = BrushPattern::Kind::kPicture;
        for (std::size_t i = 0; i < n; ++i, p += 3)
            pattern->pixels.push_back(MakeBgrx(p[0], p[1], p[2]));
    }
    return pattern;
}

}  // namespace velk::emf
