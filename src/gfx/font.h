// A font as the old desktop's device contexts knew it: made from a LOGFONT, measured with
// TEXTMETRIC-like metrics, drawn glyph by glyph at integer advances without kerning and without
// smoothing. Fonts come from a FontCache (font_cache.h), which resolves face names to files.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "document/object.h"
#include "gfx/coverage_mask.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace velk {

// Weights above FW_MEDIUM select the bold face.
constexpr std::int32_t kFwMedium = 500;
// The cell height used when a LOGFONT asks for height 0.
constexpr std::int32_t kDefaultCellHeight = 16;
// The largest pixel size drawn; larger requests are drawn at this size.
constexpr std::int32_t kMaxPixelSize = 2048;

// The metrics GDI reports for a selected font (TEXTMETRIC), plus the line positions of
// underline and strike-out (OUTLINETEXTMETRIC), all in pixels.
struct TextMetrics {
    std::int32_t height = 0;  // the cell: ascent + descent
    std::int32_t ascent = 0;
    std::int32_t descent = 0;
    std::int32_t internal_leading = 0;  // cell height minus the em height
    std::int32_t external_leading = 0;
    std::int32_t ave_char_width = 0;
    std::int32_t max_char_width = 0;
    std::int32_t weight = 400;
    // Distance of each line above the baseline (negative: below) and its thickness.
    std::int32_t underline_position = 0;
    std::int32_t underline_size = 1;
    std::int32_t strikeout_position = 0;
    std::int32_t strikeout_size = 1;
};

// The width and height of a run of text: the sum of its advances and the cell height.
struct TextExtent {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const TextExtent&) const = default;
};

// A run of text drawn into a coverage mask (0 or 255 per pixel). The pen starts at column
// `origin_x` of the mask and the baseline is row `baseline`; both may lie outside the mask (a
// mask holds only the pixels that were asked for).
struct RenderedText {
    CoverageMask mask;
    std::int32_t origin_x = 0;
    std::int32_t baseline = 0;
    std::int32_t advance = 0;  // the text width W
};

// Owns the FreeType library; fonts hold it so that it outlives every face made with it.
class FreeTypeLibrary {
  public:
    // Throws std::runtime_error when FreeType cannot start.
    FreeTypeLibrary();
    ~FreeTypeLibrary();
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
    FT_LibraryRec_* Get() const { return library_; }

  private:
    FT_LibraryRec_* library_ = nullptr;
};

// The installed file that stands for a LOGFONT's face, and what has to be synthesized on top.
struct ResolvedFace {
    std::string path;
    std::int32_t index = 0;
    std::string family;  // the family name of the file, UTF-8
    // Set by the font from the face it opened: the style asked for is not the face's own.
    bool synthetic_bold = false;
    bool synthetic_italic = false;
    // "MS Sans Serif" was a bitmap font with a fixed set of sizes and metrics; a scalable sans
    // face is drawn at the em height of the size the old font mapper would have picked.
    bool bitmap_sans_sizes = false;
};

// The sizes of the old bitmap "MS Sans Serif" at 96 DPI, smallest first.
struct BitmapSansSize {
    std::int32_t points;
    std::int32_t height, ascent, descent, internal_leading, ave_char_width, max_char_width;
};
extern const std::array<BitmapSansSize, 6> kBitmapSansSizes;
// The size the font mapper picks for a LOGFONT height: the largest whose cell (height > 0) or
// em (height < 0) does not exceed the request, else the smallest.
const BitmapSansSize& PickBitmapSansSize(std::int32_t lf_height);

// The pixel size (ppem) for a LOGFONT height: negative = the em height, positive = the cell
// height (ascent + descent from the OS/2 Windows metrics), 0 = a cell of kDefaultCellHeight.
// `cell_units` is usWinAscent + usWinDescent in font units. Clamped to 1..kMaxPixelSize.
std::int32_t PixelSizeForHeight(std::int32_t lf_height, std::int32_t units_per_em,
                                std::int32_t cell_units);

class Font {
  public:
    // Opens the face and sizes it. Returns nullptr if the file cannot be used.
    static std::shared_ptr<const Font> Create(std::shared_ptr<FreeTypeLibrary> library,
                                              const ResolvedFace& face, const LogFont& request);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const LogFont& Request() const { return request_; }
    const ResolvedFace& Face() const { return face_; }
    const TextMetrics& Metrics() const { return metrics_; }
    std::int32_t PixelSize() const { return ppem_; }

    // The advance of one code-page byte, in whole pixels.
    std::int32_t CharAdvance(char byte) const;
    // Sum of the advances; no kerning, newlines are ordinary characters.
    std::int32_t TextWidth(std::string_view text) const;
    // (TextWidth, cell height).
    TextExtent Extent(std::string_view text) const { return {TextWidth(text), metrics_.height}; }

    // Draws `text` (code-page bytes) with the pen at (0, 0) on the baseline: glyph i at pen x =
    // sum of the previous advances, plus the underline and strike-out bands as wide as the
    // text. Only the pixels inside `window` (in those pen coordinates) are kept, when given.
    RenderedText Render(std::string_view text, std::optional<Rect> window = std::nullopt) const;

  private:
    struct Glyph {
        std::int32_t advance = 0;
        std::int32_t left = 0;  // bitmap position relative to the pen, y up from the baseline
        std::int32_t top = 0;
        std::int32_t width = 0;
        std::int32_t rows = 0;
        std::vector<std::uint8_t> coverage;  // width x rows, 0 or 255
    };

    Font(std::shared_ptr<FreeTypeLibrary> library, FT_FaceRec_* face, const ResolvedFace& resolved,
         const LogFont& request);
    bool Setup();
    void LoadGlyph(unsigned char byte, Glyph& glyph) const;
    const Glyph& GlyphFor(char byte) const;

    std::shared_ptr<FreeTypeLibrary> library_;
    FT_FaceRec_* face_handle_ = nullptr;
    ResolvedFace face_;
    LogFont request_;
    TextMetrics metrics_;
    std::int32_t ppem_ = 0;
    // Glyphs by code-page byte, loaded on first use. Fonts are used from one thread only.
    mutable std::array<std::unique_ptr<Glyph>, 256> glyphs_;
};

}  // namespace velk
