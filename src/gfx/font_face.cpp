// A sized FreeType face with the metrics and glyph placement of the old desktop's TrueType
// rasterizer: bi-level glyphs hinted with the classic TrueType interpreter, integer advances.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

#include "base/codepage.h"
#include "gfx/font.h"

namespace velk {
namespace {

// Glyph bitmaps up to this many pixels are kept; larger ones are drawn again when needed.
constexpr std::int64_t kMaxCachedGlyphPixels = 256 * 256;
// A rendered run never holds more pixels than the largest surface.
constexpr std::int64_t kMaxRunPixels = std::int64_t{16384} * 16384;

// MulDiv: a * b / c rounded half away from zero, in 64 bits.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    if (c == 0) return 0;
    std::int64_t n = a * b;
    bool negative = (n < 0) != (c < 0);
    std::int64_t q = (std::llabs(n) + std::llabs(c) / 2) / std::llabs(c);
    return negative ? -q : q;
}

// Font units to pixels with the size's scale, rounded half up (FreeType 26.6 arithmetic).
std::int32_t ScaleUnits(FT_Long units, FT_Fixed scale) {
    return static_cast<std::int32_t>((FT_MulFix(units, scale) + 32) >> 6);
}

std::int32_t ClampPixelSize(std::int64_t ppem) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(ppem, 1, kMaxPixelSize));
}

}  // namespace

const std::array<BitmapSansSize, 6> kBitmapSansSizes = {{
    {8, 13, 11, 2, 2, 5, 11},
    {10, 16, 13, 3, 3, 7, 14},
    {12, 20, 16, 4, 4, 8, 16},
    {14, 24, 19, 5, 6, 9, 19},
    {18, 29, 23, 6, 5, 12, 24},
    {24, 37, 29, 8, 5, 16, 32},
}};

const BitmapSansSize& PickBitmapSansSize(std::int32_t lf_height) {
    std::int64_t wanted = lf_height == 0 ? kDefaultCellHeight : std::llabs(lf_height);
    const BitmapSansSize* best = &kBitmapSansSizes.front();
    for (const BitmapSansSize& size : kBitmapSansSizes) {
        std::int32_t measured = lf_height < 0 ? size.height - size.internal_leading : size.height;
        if (measured <= wanted) best = &size;
    }
    return *best;
}

std::int32_t PixelSizeForHeight(std::int32_t lf_height, std::int32_t units_per_em,
                                std::int32_t cell_units) {
    if (lf_height < 0) return ClampPixelSize(-std::int64_t{lf_height});
    std::int64_t cell = lf_height == 0 ? kDefaultCellHeight : lf_height;
    if (cell_units <= 0) return ClampPixelSize(cell);
    return ClampPixelSize(MulDiv(cell, units_per_em, cell_units));
}

FreeTypeLibrary::FreeTypeLibrary() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType did not start");
    library_ = library;
    // The classic interpreter hints advance widths the way the old bi-level rasterizer did;
    // the newer modes leave them unhinted and drift by a pixel on some glyphs.
    FT_UInt version = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(library_, "truetype", "interpreter-version", &version);
}

FreeTypeLibrary::~FreeTypeLibrary() {
    if (library_) FT_Done_FreeType(library_);
}

std::shared_ptr<const Font> Font::Create(std::shared_ptr<FreeTypeLibrary> library,
                                         const ResolvedFace& face, const LogFont& request) {
    if (!library || face.path.empty()) return nullptr;
    FT_Face handle = nullptr;
    if (FT_New_Face(library->Get(), face.path.c_str(), face.index, &handle) != 0) return nullptr;
    std::shared_ptr<Font> font(new Font(std::move(library), handle, face, request));
    if (!font->Setup()) return nullptr;
    return font;
}

Font::Font(std::shared_ptr<FreeTypeLibrary> library, FT_FaceRec_* face,
           const ResolvedFace& resolved, const LogFont& request)
    : library_(std::move(library)), face_handle_(face), face_(resolved), request_(request) {}

Font::~Font() {
    if (face_handle_) FT_Done_Face(face_handle_);
}

bool Font::Setup() {
    FT_Face face = face_handle_;
    if (!FT_IS_SCALABLE(face)) return false;
    // A family without the styled face gets the style drawn on top of the face it has.
    face_.synthetic_bold = request_.weight > kFwMedium && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    face_.synthetic_italic = request_.italic != 0 && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    const std::int32_t units_per_em = face->units_per_EM;
    std::int32_t ascent_units = hhea ? hhea->Ascender : face->ascender;
    std::int32_t descent_units = hhea ? -hhea->Descender : -face->descender;
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent != 0) {
        ascent_units = os2->usWinAscent;
        descent_units = os2->usWinDescent;
    }
    const std::int32_t cell_units = ascent_units + descent_units;

    const bool bitmap_sans =
        face_.bitmap_sans_sizes &&
        (request_.height == 0 ||
         (request_.height > 0
              ? request_.height <= kBitmapSansSizes.back().height
              : -std::int64_t{request_.height} <=
                    kBitmapSansSizes.back().height - kBitmapSansSizes.back().internal_leading));
    const BitmapSansSize& strike = PickBitmapSansSize(request_.height);
    ppem_ = bitmap_sans ? strike.height - strike.internal_leading
                        : PixelSizeForHeight(request_.height, units_per_em, cell_units);

    // A LOGFONT width asks for that average character width.
    std::int32_t x_ppem = ppem_;
    if (request_.width != 0 && os2 && os2->xAvgCharWidth > 0) {
        x_ppem = ClampPixelSize(
            MulDiv(std::llabs(std::int64_t{request_.width}), units_per_em, os2->xAvgCharWidth));
    }
    if (FT_Set_Pixel_Sizes(face, FT_UInt(x_ppem), FT_UInt(ppem_)) != 0) return false;
    const FT_Fixed y_scale = face->size->metrics.y_scale;
    const FT_Fixed x_scale = face->size->metrics.x_scale;

    TextMetrics& m = metrics_;
    m.weight = request_.weight > kFwMedium ? 700 : 400;
    if (bitmap_sans) {
        m.height = strike.height;
        m.ascent = strike.ascent;
        m.descent = strike.descent;
        m.internal_leading = strike.internal_leading;
        m.external_leading = 0;
        m.ave_char_width = strike.ave_char_width;
        m.max_char_width = strike.max_char_width;
        // Bitmap fonts carry no line metrics: the line sits on the baseline row, a size of
        // ascent / 20 + 1, and strike-out halfway up the ascent.
        m.underline_position = 0;
        m.underline_size = m.ascent / 20 + 1;
        m.strikeout_position = m.ascent / 2;
        m.strikeout_size = m.underline_size;
    } else {
        m.ascent = ScaleUnits(ascent_units, y_scale);
        m.descent = ScaleUnits(descent_units, y_scale);
        m.height = m.ascent + m.descent;
        m.internal_leading = ScaleUnits(cell_units - units_per_em, y_scale);
        if (hhea) {
            FT_Long gap = hhea->Line_Gap - (cell_units - (hhea->Ascender - hhea->Descender));
            m.external_leading = std::max(0, ScaleUnits(gap, y_scale));
        }
        m.ave_char_width = os2 ? std::max(1, ScaleUnits(os2->xAvgCharWidth, x_scale)) : 1;
        m.max_char_width = ScaleUnits(face->bbox.xMax - face->bbox.xMin, x_scale);
        if (post) {
            m.underline_position = ScaleUnits(post->underlinePosition, y_scale);
            m.underline_size = ScaleUnits(post->underlineThickness, y_scale);
        }
        if (os2 && os2->version != 0xFFFF) {
            m.strikeout_position = ScaleUnits(os2->yStrikeoutPosition, y_scale);
            m.strikeout_size = ScaleUnits(os2->yStrikeoutSize, y_scale);
        } else {
            m.strikeout_position = m.ascent / 2;
            m.strikeout_size = m.underline_size;
        }
        // A line that scales to nothing is still drawn one pixel thick.
        m.underline_size = std::max(1, m.underline_size);
        m.strikeout_size = std::max(1, m.strikeout_size);
    }
    return true;
}

void Font::LoadGlyph(unsigned char byte, Glyph& glyph) const {
    glyph = Glyph{};
    FT_Face face = face_handle_;
    FT_UInt index = FT_Get_Char_Index(face, Cp1252ToCodePoint(static_cast<char>(byte)));
    const bool synthetic = face_.synthetic_bold || face_.synthetic_italic;
    FT_Int32 flags = FT_LOAD_TARGET_MONO | (synthetic ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Glyph(face, index, flags) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<std::int32_t>((slot->metrics.horiAdvance + 63) >> 6);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (face_.synthetic_italic) FT_GlyphSlot_Oblique(slot);
        if (face_.synthetic_bold) {
            // One pixel wider, and the advance grows with it.
            FT_Outline_EmboldenXY(&slot->outline, 64, 0);
            glyph.advance += 1;
        }
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<std::int32_t>(bitmap.width);
    glyph.rows = static_cast<std::int32_t>(bitmap.rows);
    glyph.coverage.assign(std::size_t(glyph.width) * std::size_t(glyph.rows), 0);
    for (std::int32_t y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        std::uint8_t* out = glyph.coverage.data() + std::size_t(y) * std::size_t(glyph.width);
        for (std::int32_t x = 0; x < glyph.width; ++x) {
            bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7)))
                                                              : row[x] >= 128;
            out[x] = on ? 255 : 0;
        }
    }
}

const Font::Glyph& Font::GlyphFor(char byte) const {
    auto& slot = glyphs_[static_cast<unsigned char>(byte)];
    if (!slot) {
        slot = std::make_unique<Glyph>();
        LoadGlyph(static_cast<unsigned char>(byte), *slot);
        if (std::int64_t{slot->width} * slot->rows > kMaxCachedGlyphPixels) {
            slot->coverage.clear();
            slot->coverage.shrink_to_fit();
        }
    }
    return *slot;
}

std::int32_t Font::CharAdvance(char byte) const {
    return GlyphFor(byte).advance;
}

std::int32_t Font::TextWidth(std::string_view text) const {
    std::int64_t width = 0;
    for (char c : text) width += CharAdvance(c);
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(width, std::numeric_limits<std::int32_t>::max()));
}

RenderedText Font::Render(std::string_view text, std::optional<Rect> window) const {
    RenderedText out;
    out.advance = TextWidth(text);

    // The bounds of everything drawn, in pen coordinates (y down, baseline at 0).
    std::int64_t left = std::numeric_limits<std::int64_t>::max(), top = left;
    std::int64_t right = std::numeric_limits<std::int64_t>::min(), bottom = right;
    auto include = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
        if (r <= l || b <= t) return;
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    };
    std::int64_t pen = 0;
    for (char c : text) {
        const Glyph& g = GlyphFor(c);
        include(pen + g.left, -g.top, pen + g.left + g.width, -g.top + g.rows);
        pen += g.advance;
    }
    struct Band {
        std::int64_t top, size;
    };
    std::vector<Band> bands;
    if (request_.underline) {
        bands.push_back({-std::int64_t{metrics_.underline_position} - metrics_.underline_size / 2,
                         metrics_.underline_size});
    }
    if (request_.strike_out) {
        bands.push_back({-std::int64_t{metrics_.strikeout_position} - metrics_.strikeout_size / 2,
                         metrics_.strikeout_size});
    }
    for (const Band& band : bands) include(0, band.top, out.advance, band.top + band.size);
    if (window) {
        left = std::max<std::int64_t>(left, window->left);
        top = std::max<std::int64_t>(top, window->top);
        right = std::min<std::int64_t>(right, window->right);
        bottom = std::min<std::int64_t>(bottom, window->bottom);
    }
    if (right <= left || bottom <= top) return out;
    if ((right - left) * (bottom - top) > kMaxRunPixels) throw std::bad_alloc();

    CoverageMask& mask = out.mask;
    mask.width = static_cast<std::int32_t>(right - left);
    mask.height = static_cast<std::int32_t>(bottom - top);
    mask.coverage.assign(std::size_t(mask.width) * std::size_t(mask.height), 0);
    out.origin_x = static_cast<std::int32_t>(-left);
    out.baseline = static_cast<std::int32_t>(-top);

    // Fills pen-space rows/columns [x0, x1) x [y0, y1) clipped to the mask.
    auto fill = [&](std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
        x0 = std::max(x0, left);
        y0 = std::max(y0, top);
        x1 = std::min(x1, right);
        y1 = std::min(y1, bottom);
        for (std::int64_t y = y0; y < y1; ++y) {
            std::uint8_t* row =
                mask.coverage.data() + std::size_t(y - top) * std::size_t(mask.width);
            std::fill(row + (x0 - left), row + (x1 - left), std::uint8_t{255});
        }
    };

    pen = 0;
    Glyph uncached;
    for (char c : text) {
        const Glyph* g = &GlyphFor(c);
        std::int64_t gx = pen + g->left, gy = -g->top;
        pen += g->advance;
        if (g->width == 0 || g->rows == 0) continue;
        if (gx >= right || gx + g->width <= left || gy >= bottom || gy + g->rows <= top) continue;
        if (g->coverage.empty()) {
            LoadGlyph(static_cast<unsigned char>(c), uncached);
            g = &uncached;
        }
        std::int64_t y0 = std::max(gy, top), y1 = std::min(gy + g->rows, bottom);
        std::int64_t x0 = std::max(gx, left), x1 = std::min(gx + g->width, right);
        for (std::int64_t y = y0; y < y1; ++y) {
            const std::uint8_t* src =
                g->coverage.data() + std::size_t(y - gy) * std::size_t(g->width);
            std::uint8_t* dst =
                mask.coverage.data() + std::size_t(y - top) * std::size_t(mask.width);
            for (std::int64_t x = x0; x < x1; ++x) {
                dst[x - left] = std::max(dst[x - left], src[x - gx]);
            }
        }
    }
    for (const Band& band : bands) fill(0, band.top, out.advance, band.top + band.size);
    return out;
}

}  // namespace velk
