// DibSection: the off-screen 32-bit pixel store. Pictures are composed in it before they
// reach the page (anti-aliased text, alpha-blended button states, effect frames, transitions),
// and it has a compact stored form of its own.
//
// The pixels live in a Surface (top-down rows of BGRX). The stored form and the pixel memory
// handed to transition plug-ins use the device-independent layout instead: bytes B, G, R, X,
// bottom row first, no padding; BitsBottomUp/SetBitsBottomUp convert.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "base/geometry.h"
#include "base/rgb_image.h"
#include "gfx/canvas_constants.h"
#include "gfx/surface.h"
#include "host/host.h"

namespace velk {

class Canvas;

namespace dib {

// A plain surface to draw to and capture from without a device context: the surface, the
// rectangle of it that drawing may change (surface coordinates), and the offset that turns
// logical coordinates into surface coordinates.
struct PixelTarget {
    explicit PixelTarget(Surface& s) : surface(s), clip{0, 0, s.Width(), s.Height()} {}
    PixelTarget(Surface& s, Rect clip_rect, Point origin_offset)
        : surface(s), clip(clip_rect), origin(origin_offset) {}

    Surface& surface;
    Rect clip;
    Point origin;
};

// The pixel work behind the store's drawing operations, callable on any surface.

// Copies all of `src` 1:1 with its top-left corner at logical (x, y); only pixels inside the
// clip change.
void BlitPixels(const Surface& src, PixelTarget& dst, std::int32_t x, std::int32_t y);

// Stretches all of `src` onto the logical rectangle at (x, y) of w x h, nearest pixel per axis
// (enlarging takes the source pixel under the target pixel's centre, ties to the lower index;
// shrinking merges each group of sources by `mode`). A negative w or h mirrors: the target
// then spans x + w + 1 ... x. Zero draws nothing.
void StretchPixels(const Surface& src, PixelTarget& dst, std::int32_t x, std::int32_t y,
                   std::int32_t w, std::int32_t h, StretchMode mode = StretchMode::kBlackOnWhite);

// Copies the logical rectangle (x, y, out's size) of `src` into `out`. Reading is not
// clipped; parts outside the surface come back black, as from a fresh compatible bitmap.
void CapturePixels(const Surface& src, Point origin, std::int32_t x, std::int32_t y, Surface& out);

}  // namespace dib

class DibSection {
  public:
    // Bitmaps with both sides above this size may live in mapped memory (see SetUseMapping).
    static constexpr std::int32_t kMappingThreshold = 1200;
    // The marker word of the compressed stored form.
    static constexpr std::uint32_t kCompressedMarker = 0xFFFFFFFF;

    // Compresses the bottom-up pixel bytes into at most `capacity` bytes; an empty result
    // means compression failed (the pixels are then stored uncompressed). May throw
    // std::bad_alloc.
    using Compressor = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>,
                                                               std::size_t capacity)>;
    // zlib at the default level.
    static std::vector<std::uint8_t> DefaultCompressor(std::span<const std::uint8_t> raw,
                                                       std::size_t capacity);

    // An empty store holding an 8 x 8 black placeholder.
    DibSection();

    // Replaces the pixels with a bitmap of width x height, every pixel `fill` (black unless
    // given); the empty flag is kept.
    // Negative sides, or more than Surface::kMaxPixels pixels, throw std::bad_alloc.
    void Create(std::int32_t width, std::int32_t height, Bgrx fill = 0);
    // Create, and the store is no longer empty.
    void Recreate(std::int32_t width, std::int32_t height, Bgrx fill = 0);

    bool IsEmpty() const { return empty_; }
    std::int32_t Width() const { return pixels_.Width(); }
    std::int32_t Height() const { return pixels_.Height(); }
    // width x height x 4.
    std::int64_t GetSizeImage() const { return std::int64_t{Width()} * Height() * 4; }
    Surface& Pixels() { return pixels_; }
    const Surface& Pixels() const { return pixels_; }

    // The device-independent header that describes the pixels: 40 bytes, width, positive
    // height (bottom-up rows), one plane, 32 bits, no compression, zero for the rest.
    std::array<std::uint8_t, 40> InfoHeader() const;
    // Pixel bytes B, G, R, X bottom row first; X is 0.
    std::vector<std::uint8_t> BitsBottomUp() const;
    // Takes up to GetSizeImage() bytes in that layout; pixels beyond `bytes` keep their value.
    // The fourth byte of each pixel is not read.
    void SetBitsBottomUp(std::span<const std::uint8_t> bytes);

    // The use-mapping flag: when set, a later Create of a bitmap with both sides above 1200
    // puts it in memory mapped from the paging file. Here pixels are always allocated
    // normally; IsMapped reports where they would live.
    void SetUseMapping(bool use) { use_mapping_ = use; }
    bool UseMapping() const { return use_mapping_; }
    bool IsMapped() const { return mapped_; }
    static bool WouldMap(bool use_mapping, std::int32_t width, std::int32_t height) {
        return use_mapping && width > kMappingThreshold && height > kMappingThreshold;
    }

    // Unless empty: the whole bitmap 1:1 with its top-left corner at (x, y).
    void Draw(dib::PixelTarget& target, std::int32_t x, std::int32_t y) const;
    // Unless empty: the whole bitmap stretched onto (x, y, width, height).
    void StretchDraw(dib::PixelTarget& target, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, StretchMode mode = StretchMode::kBlackOnWhite) const;

    // The same on a device context: its clip region, viewport origin and stretch mode apply.
    void Draw(Canvas& canvas, std::int32_t x, std::int32_t y) const;
    void StretchDraw(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) const;

    // Replaces the content with the w x h rectangle of `source` at logical (x, y). False (and
    // a zeroed bitmap of that size) when w or h is 0.
    bool CaptureFromDC(const Surface& source, Point origin, std::int32_t x, std::int32_t y,
                       std::int32_t w, std::int32_t h);
    bool CaptureFromDC(const dib::PixelTarget& source, std::int32_t x, std::int32_t y,
                       std::int32_t w, std::int32_t h) {
        return CaptureFromDC(source.surface, source.origin, x, y, w, h);
    }
    bool CaptureFromDC(const Canvas& source, std::int32_t x, std::int32_t y, std::int32_t w,
                       std::int32_t h);
    // Replaces the content with a copy of a device bitmap.
    bool CopyFromBitmap(const Surface& bitmap);
    // Replaces the content with the RGB image (missing bytes of a short image read as black).
    Surface& CopyFromRGB(const RgbImage& image);

    // Composes state 0, 1 or 2 of a three-state alpha picture over what `target` shows at
    // (x, y) and draws it there. The picture is a 2 x 2 grid of (W / 2) x (H / 2) quadrants:
    // state 0 top-left, state 1 top-right, state 2 bottom-left, and bottom-right the alpha of
    // state s in byte s of each pixel (R, G, B). Pictures under 2 x 2 draw nothing.
    void DrawStates(dib::PixelTarget& target, std::int32_t x, std::int32_t y, const RgbImage& image,
                    std::int32_t state);
    void DrawStates(Canvas& canvas, std::int32_t x, std::int32_t y, const RgbImage& image,
                    std::int32_t state);

    // Cross-fades `first` into `second` with weight t (clamped to 0 ... 255) into this
    // store: each of B, G, R becomes (first x (255 - t) + second x t) >> 8. Rows are matched
    // from the bottom, as in the device-independent layout; only the part that all three
    // stores cover changes.
    void Blend(const DibSection& first, const DibSection& second, std::int32_t t);

    // The stored form. Writing cannot fail; reading throws ArchiveError for a record cut
    // short and shows the format's messages through `ui` for the failures it reports.
    void Serialize(ByteWriter& out, host::Ui& ui) const;
    void Serialize(ByteWriter& out, host::Ui& ui, const Compressor& compress) const;
    void Serialize(ByteReader& in, host::Ui& ui);

  private:
    // True when `image` holds a whole three-state picture with a quadrant for `state`.
    static bool HasStatePicture(const RgbImage& image, std::int32_t state);
    // Composes the state's colours over the captured (W / 2) x (H / 2) background.
    void ComposeState(const RgbImage& image, std::int32_t state);

    Surface pixels_;
    bool empty_ = true;
    bool use_mapping_ = false;
    bool mapped_ = false;
};

}  // namespace velk
