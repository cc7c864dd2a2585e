#include "gfx/dib_section.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "gfx/pixel_blend.h"

namespace velk {
namespace {

// The placeholder a new store holds, so that it always has pixels.
constexpr std::int32_t kPlaceholderSide = 8;

void PutU32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// (c x a + b x (255 - a)) >> 8 per channel; a = 255 and a = 0 are exact.
Bgrx Compose(Bgrx colour, Bgrx background, std::uint32_t alpha) {
    if (alpha == 255) return colour;
    if (alpha == 0) return background;
    auto channel = [&](int shift) {
        std::uint32_t c = (colour >> shift) & 0xFF;
        std::uint32_t b = (background >> shift) & 0xFF;
        return ((c * alpha + b * (255 - alpha)) >> 8) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace

DibSection::DibSection() {
    Create(kPlaceholderSide, kPlaceholderSide);
}

void DibSection::Create(std::int32_t width, std::int32_t height, Bgrx fill) {
    // A negative side is an impossible allocation, as in the device-independent header.
    if (width < 0 || height < 0) throw std::bad_alloc();
    Surface fresh(width, height, fill);  // throws std::bad_alloc beyond Surface::kMaxPixels
    pixels_ = std::move(fresh);
    mapped_ = WouldMap(use_mapping_, width, height);
}

void DibSection::Recreate(std::int32_t width, std::int32_t height, Bgrx fill) {
    empty_ = false;
    Create(width, height, fill);
}

std::array<std::uint8_t, 40> DibSection::InfoHeader() const {
    std::array<std::uint8_t, 40> header{};
    PutU32(&header[0], 40);
    PutU32(&header[4], static_cast<std::uint32_t>(Width()));
    PutU32(&header[8], static_cast<std::uint32_t>(Height()));
    header[12] = 1;   // planes
    header[14] = 32;  // bits per pixel; compression (offset 16) stays 0 = uncompressed
    return header;
}

std::vector<std::uint8_t> DibSection::BitsBottomUp() const {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(GetSizeImage()));
    std::uint8_t* out = bytes.data();
    for (std::int32_t y = Height() - 1; y >= 0; --y) {
        const Bgrx* row = pixels_.Row(y);
        for (std::int32_t x = 0; x < Width(); ++x) {
            Bgrx p = row[x];
            *out++ = BlueOf(p);
            *out++ = GreenOf(p);
            *out++ = RedOf(p);
            *out++ = 0;
        }
    }
    return bytes;
}

void DibSection::SetBitsBottomUp(std::span<const std::uint8_t> bytes) {
    std::size_t pixels = std::min<std::size_t>(bytes.size() / 4, pixels_.Pixels().size());
    std::size_t width = static_cast<std::size_t>(Width());
    for (std::size_t i = 0; i < pixels; ++i) {
        std::int32_t y = Height() - 1 - static_cast<std::int32_t>(i / width);
        std::int32_t x = static_cast<std::int32_t>(i % width);
        const std::uint8_t* p = bytes.data() + i * 4;
        pixels_.Set(x, y, MakeBgrx(p[2], p[1], p[0]));
    }
}

void DibSection::Draw(dib::PixelTarget& target, std::int32_t x, std::int32_t y) const {
    if (empty_) return;
    dib::BlitPixels(pixels_, target, x, y);
}

void DibSection::StretchDraw(dib::PixelTarget& target, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height, StretchMode mode) const {
    if (empty_) return;
    dib::StretchPixels(pixels_, target, x, y, width, height, mode);
}

bool DibSection::CaptureFromDC(const Surface& source, Point origin, std::int32_t x, std::int32_t y,
                               std::int32_t w, std::int32_t h) {
    Recreate(w, h);
    // A zero-sized device bitmap cannot be read back: the store keeps the zeroed bitmap.
    if (w == 0 || h == 0) return false;
    dib::CapturePixels(source, origin, x, y, pixels_);
    return true;
}

bool DibSection::CopyFromBitmap(const Surface& bitmap) {
    Recreate(bitmap.Width(), bitmap.Height());
    std::copy(bitmap.Pixels().begin(), bitmap.Pixels().end(), pixels_.Pixels().begin());
    return true;
}

Surface& DibSection::CopyFromRGB(const RgbImage& image) {
    Recreate(image.width, image.height);
    const std::size_t available = image.pixels.size() / 3;
    std::size_t index = 0;
    for (std::int32_t y = 0; y < image.height; ++y) {
        Bgrx* row = pixels_.Row(y);
        for (std::int32_t x = 0; x < image.width; ++x, ++index) {
            if (index >= available) return pixels_;  // the rest stays black
            const std::uint8_t* rgb = image.pixels.data() + index * 3;
            row[x] = MakeBgrx(rgb[0], rgb[1], rgb[2]);
        }
    }
    return pixels_;
}

bool DibSection::HasStatePicture(const RgbImage& image, std::int32_t state) {
    if (image.width < 2 || image.height < 2) return false;
    // Only the three states have a picture and an alpha byte.
    if (state < 0 || state > 2) return false;
    const std::uint64_t needed = std::uint64_t(image.width) * std::uint64_t(image.height) * 3;
    return image.pixels.size() >= needed;
}

void DibSection::ComposeState(const RgbImage& image, std::int32_t state) {
    const std::int32_t n = image.width / 2;
    const std::int32_t m = image.height / 2;
    // The quadrant of the state's colours, in picture coordinates.
    const std::int32_t colour_x = state == 1 ? n : 0;
    const std::int32_t colour_y = state == 2 ? m : 0;
    auto rgb_at = [&](std::int32_t px, std::int32_t py) {
        return image.pixels.data() +
               (std::size_t(py) * std::size_t(image.width) + std::size_t(px)) * 3;
    };
    for (std::int32_t j = 0; j < m; ++j) {
        Bgrx* row = pixels_.Row(j);
        for (std::int32_t i = 0; i < n; ++i) {
            const std::uint8_t* c = rgb_at(colour_x + i, colour_y + j);
            const std::uint8_t alpha = rgb_at(n + i, m + j)[state];
            row[i] = Compose(MakeBgrx(c[0], c[1], c[2]), row[i], alpha);
        }
    }
}

void DibSection::DrawStates(dib::PixelTarget& target, std::int32_t x, std::int32_t y,
                            const RgbImage& image, std::int32_t state) {
    if (!HasStatePicture(image, state)) return;
    CaptureFromDC(target, x, y, image.width / 2, image.height / 2);
    ComposeState(image, state);
    Draw(target, x, y);
}

void DibSection::Blend(const DibSection& first, const DibSection& second, std::int32_t t) {
    const std::uint32_t weight = static_cast<std::uint32_t>(std::clamp(t, 0, 255));
    const std::int32_t rows = std::min({first.Height(), second.Height(), Height()});
    const std::int32_t columns = std::min({first.Width(), second.Width(), Width()});
    // Memory row r of each store is its picture row height - 1 - r.
    for (std::int32_t r = 0; r < rows; ++r) {
        const Bgrx* a = first.pixels_.Row(first.Height() - 1 - r);
        const Bgrx* b = second.pixels_.Row(second.Height() - 1 - r);
        Bgrx* out = pixels_.Row(Height() - 1 - r);
        BlendPixels(a, b, out, static_cast<std::size_t>(columns), weight);
    }
}

}  // namespace velk
