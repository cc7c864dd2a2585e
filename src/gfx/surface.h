// A 32-bit BGRX pixel buffer: the one pixel format of the drawing layer. Read as a
// little-endian uint32, a pixel is 0x00RRGGBB (bytes B, G, R, X); X stays 0.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velk {

using Bgrx = std::uint32_t;

// A COLORREF (0x00BBGGRR) as a pixel, and back.
constexpr Bgrx BgrxFromColorRef(std::uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
constexpr std::uint32_t ColorRefFromBgrx(Bgrx pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}
constexpr Bgrx MakeBgrx(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Bgrx{r} << 16) | (Bgrx{g} << 8) | b;
}
constexpr std::uint8_t RedOf(Bgrx p) {
    return static_cast<std::uint8_t>(p >> 16);
}
constexpr std::uint8_t GreenOf(Bgrx p) {
    return static_cast<std::uint8_t>(p >> 8);
}
constexpr std::uint8_t BlueOf(Bgrx p) {
    return static_cast<std::uint8_t>(p);
}

class Surface {
  public:
    // The largest surface: 16384 x 16384 pixels. Larger requests fail with std::bad_alloc,
    // as an allocation that cannot be satisfied does.
    static constexpr std::int64_t kMaxPixels = std::int64_t{16384} * 16384;

    Surface() = default;
    // Filled with `fill` (black by default). Negative sizes count as 0.
    Surface(std::int32_t width, std::int32_t height, Bgrx fill = 0);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    // Rows are packed: the stride is the width.
    Bgrx* Row(std::int32_t y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Bgrx* Row(std::int32_t y) const {
        return pixels_.data() + std::size_t(y) * std::size_t(width_);
    }
    Bgrx At(std::int32_t x, std::int32_t y) const { return Row(y)[x]; }
    void Set(std::int32_t x, std::int32_t y, Bgrx v) { Row(y)[x] = v; }
    std::span<Bgrx> Pixels() { return pixels_; }
    std::span<const Bgrx> Pixels() const { return pixels_; }

    void Fill(Bgrx v);
    bool operator==(const Surface&) const = default;

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<Bgrx> pixels_;
};

}  // namespace velk
