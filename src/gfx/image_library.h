// The image library: decoders from JPEG and BMP to RGB images, the pixel operations on RGB
// images (resize, crop, overlay), and the two ways a picture reaches a surface (stretched, or
// 1:1 with a key colour left out).
//
// Every operation fails by returning nullopt or false and never by throwing: a file that
// cannot be read, a short or malformed stream, an unsupported BMP variant, a picture above the
// size cap (kMaxPictureBytes of RGB) or an allocation that cannot be satisfied.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/rgb_image.h"
#include "gfx/surface.h"
#include "host/host.h"

namespace velk {

// True when the picture has a positive size and exactly width x height x 3 bytes.
bool IsValidRgb(const RgbImage& picture);

// --- JPEG -------------------------------------------------------------------------------------

// Greyscale is expanded to R = G = B; CMYK and YCCK are converted to RGB.
std::optional<RgbImage> LoadJPEGMemory(std::span<const std::uint8_t> bytes);
std::optional<RgbImage> LoadJPEGFile(const host::FileSystem& files, std::string_view path);

// --- BMP --------------------------------------------------------------------------------------

// A BMP file: 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel, uncompressed or RLE8 / RLE4,
// bottom-up (positive height) or top-down (negative height).
std::optional<RgbImage> LoadBMPMemory(std::span<const std::uint8_t> bytes);
std::optional<RgbImage> LoadBMPFile(const host::FileSystem& files, std::string_view path);
// A packed device-independent bitmap (what the clipboard holds): the information header, the
// colour table, then the rows, without the 14-byte file header.
std::optional<RgbImage> DIBToRGB(std::span<const std::uint8_t> bytes);

// --- Pixel operations -------------------------------------------------------------------------

// Bilinear resampling to width x height (both positive).
std::optional<RgbImage> ResizeRGB(const RgbImage& source, std::int32_t width, std::int32_t height);
// The rectangle columns left..right-1, rows top..bottom-1; it must lie inside the picture.
std::optional<RgbImage> CropRGB(const RgbImage& picture, std::int32_t left, std::int32_t top,
                                std::int32_t right, std::int32_t bottom);
// Mixes `source` placed at (x, y) into `target` with `opacity` (clamped to 0 ... 1); pixels
// equal to `key_colour` (a COLORREF) leave the target as it was.
bool OverlayRGB(RgbImage& target, const RgbImage& source, std::int32_t x, std::int32_t y,
                double opacity, std::optional<std::uint32_t> key_colour = std::nullopt);

// --- Drawing onto a surface -------------------------------------------------------------------
//
// Each drawer is split in two: the pixel rule (`Write...`, which writes exactly the pixels that
// lie inside one clip rectangle) and the checked entry point (`Draw...`). A clip region is a
// list of rectangles: its owner calls the writer once per rectangle.

// The picture stretched over (x, y, width, height) with the device's default stretch mode:
// groups of source pixels merged into one destination pixel are ANDed together.
void WriteStretchedRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                       std::int32_t y, std::int32_t width, std::int32_t height);
// The picture 1:1 at (x, y), leaving out every pixel equal to `key_colour` (a COLORREF).
void WriteKeyedRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                   std::int32_t y, std::uint32_t key_colour);

// False for an invalid picture or a target size of 0 or less; drawing that the clip hides
// completely still succeeds.
bool DrawRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height);
// 1:1 at the picture's own size, as every picture object is drawn.
bool DrawRGB(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
             std::int32_t y);
bool DrawRGBKeyed(Surface& surface, const Rect& clip, const RgbImage& picture, std::int32_t x,
                  std::int32_t y, std::uint32_t key_colour);

// --- Picture files chosen by their ending -----------------------------------------------------

// Who loads a picture file; each caller has its own choice of decoder and its own message.
enum class PictureFileCaller {
    kViewImage,     // the picture window: ".BMP" or ".JPG", else refused
    kReplaceImage,  // the ReplaceImage command: ".BMP", else JPEG
    kPanorama,      // the panorama window: ".JPG" only
};

enum class PictureDecoder { kNone, kBmp, kJpeg };

// Only the last four characters of the path count, compared without regard to case; a path of
// fewer than four characters has no ending.
PictureDecoder ChoosePictureDecoder(PictureFileCaller caller, std::string_view path);

// Decodes the file as `caller` does; on failure shows the caller's message (captioned with the
// application name) and returns nullopt.
std::optional<RgbImage> LoadPictureFile(PictureFileCaller caller, const host::FileSystem& files,
                                        host::Ui& ui, std::string_view path);

}  // namespace velk
