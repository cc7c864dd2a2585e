// A device context on a Surface: the drawing state and the drawing rules of the old desktop
// (right and bottom edges exclusive, lines without their last pixel, even-odd polygons,
// key-colour and nearest-neighbour blits, the classic 3-D frames), pixel for pixel.
//
// Coordinates passed to drawing calls are logical: the viewport origin is added to reach the
// surface (device) pixels, so a drawer that paints an object in another object's place sets the
// origin to its draw offset. The clip region is kept in device pixels, as SelectClipRgn takes
// it; IntersectClip, ClipBox and RectVisible work in logical coordinates, as their old
// counterparts do. Every call is clipped by the clip region and by the surface, and any 32-bit
// coordinate, however far outside, is handled exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "base/region.h"
#include "gfx/brush_pattern.h"
#include "gfx/canvas_constants.h"
#include "gfx/coverage_mask.h"
#include "gfx/surface.h"

namespace velk {

class Font;

enum class PenStyle { kSolid, kNull };

struct Pen {
    PenStyle style = PenStyle::kSolid;
    Bgrx colour = 0;
    // Widths 0 and 1 are the one-pixel cosmetic pen. Wider pens paint a width x width square
    // centred on every pixel of the one-pixel line (an approximation of geometric pens).
    std::int32_t width = 1;
};

struct Brush {
    bool null = false;  // a hollow brush: figures are not filled
    Bgrx colour = MakeBgrx(255, 255, 255);
    // A hatch or a pattern repeated from the brush origin (brush_pattern.h); none: solid.
    std::shared_ptr<const BrushPattern> pattern;

    static Brush Solid(Bgrx colour) { return {false, colour, nullptr}; }
    static Brush Hollow() { return {true, 0, nullptr}; }
    // Hatch lines in `colour` over the background colour (opaque mode) or the page.
    static Brush Hatched(Bgrx colour, std::uint32_t hatch) {
        return {false, colour, HatchPattern(hatch)};
    }
    static Brush Patterned(std::shared_ptr<const BrushPattern> pattern) {
        return {false, 0, std::move(pattern)};
    }
};

class Canvas {
  public:
    // Everything SaveDC keeps.
    struct State {
        Pen pen;
        Brush brush;
        Rop2 rop2 = Rop2::kCopyPen;
        BkMode bk_mode = BkMode::kOpaque;
        Bgrx bk_colour = MakeBgrx(255, 255, 255);
        Bgrx text_colour = 0;
        std::uint32_t text_align = kTaLeft | kTaTop;
        PolyFillMode poly_fill_mode = PolyFillMode::kAlternate;
        StretchMode stretch_mode = StretchMode::kBlackOnWhite;
        std::shared_ptr<const Font> font;
        Point position;
        Point viewport_origin;
        Point brush_origin;          // device pixels
        std::optional<Region> clip;  // device pixels; none: the whole surface
    };

    explicit Canvas(Surface& surface);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Surface& GetSurface() { return surface_; }
    const Surface& GetSurface() const { return surface_; }

    // --- State -------------------------------------------------------------------------------
    const State& GetState() const { return state_; }
    void SetPen(const Pen& pen) { state_.pen = pen; }
    const Pen& GetPen() const { return state_.pen; }
    void SetBrush(const Brush& brush) { state_.brush = brush; }
    const Brush& GetBrush() const { return state_.brush; }
    void SetRop2(Rop2 rop) { state_.rop2 = rop; }
    Rop2 GetRop2() const { return state_.rop2; }
    void SetBkMode(BkMode mode) { state_.bk_mode = mode; }
    BkMode GetBkMode() const { return state_.bk_mode; }
    void SetBkColour(Bgrx colour) { state_.bk_colour = colour; }
    Bgrx GetBkColour() const { return state_.bk_colour; }
    void SetTextColour(Bgrx colour) { state_.text_colour = colour; }
    Bgrx GetTextColour() const { return state_.text_colour; }
    void SetTextAlign(std::uint32_t flags) { state_.text_align = flags; }
    std::uint32_t GetTextAlign() const { return state_.text_align; }
    void SetPolyFillMode(PolyFillMode mode) { state_.poly_fill_mode = mode; }
    PolyFillMode GetPolyFillMode() const { return state_.poly_fill_mode; }
    void SetStretchMode(StretchMode mode) { state_.stretch_mode = mode; }
    StretchMode GetStretchMode() const { return state_.stretch_mode; }
    // Returns the font that was selected before.
    std::shared_ptr<const Font> SelectFont(std::shared_ptr<const Font> font);
    const std::shared_ptr<const Font>& GetFont() const { return state_.font; }
    void MoveTo(std::int32_t x, std::int32_t y) { state_.position = {x, y}; }
    Point GetCurrentPosition() const { return state_.position; }
    void SetViewportOrigin(Point origin) { state_.viewport_origin = origin; }
    Point GetViewportOrigin() const { return state_.viewport_origin; }
    void SetBrushOrigin(Point device) { state_.brush_origin = device; }
    Point GetBrushOrigin() const { return state_.brush_origin; }

    // The colours of the classic 3-D frames (GetSysColor).
    void SetSystemColours(const SystemColours& colours) { colours_ = colours; }
    const SystemColours& GetSystemColours() const { return colours_; }
    Bgrx SysColour(int index) const { return colours_.Get(index); }

    // Pushes the whole state; RestoreDC pops it (nothing happens when the stack is empty).
    void SaveDC() { saved_.push_back(state_); }
    void RestoreDC();

    // --- Clipping ----------------------------------------------------------------------------
    // A copy of `device_region` becomes the clip region.
    void SelectClip(const Region& device_region);
    // Removes the clip region: the whole surface is drawable.
    void ResetClip() { state_.clip.reset(); }
    // The clip region in device pixels, when one is selected.
    const std::optional<Region>& GetClipRegion() const { return state_.clip; }
    // Intersects the clip region (or the whole surface) with a logical rectangle.
    void IntersectClip(const Rect& logical);
    // The bounding box of the drawable pixels (clip region and surface), in logical
    // coordinates; empty when nothing can be drawn.
    Rect ClipBox() const;
    // True when some pixel of the logical rectangle can be drawn.
    bool RectVisible(const Rect& logical) const;
    bool PtVisible(std::int32_t x, std::int32_t y) const;
    // Logical to device and back (device coordinates outside 32 bits are clamped).
    Rect LogicalToDevice(const Rect& logical) const;
    Rect DeviceToLogical(const Rect& device) const;

    // --- Fills (canvas_fill.cpp) ---------------------------------------------------------------
    // Fills a rectangle with a colour, whatever the brush and raster operation.
    void FillSolidRect(const Rect& rect, Bgrx colour);
    // PatBlt with the current brush: (x, y) and a size that may be negative (then it extends
    // left or up and includes the start column or row).
    void PatBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                std::uint32_t rop);
    // Fills the pixels of a logical region with a colour.
    void FillRegion(const Region& logical, Bgrx colour);
    void SetPixel(std::int32_t x, std::int32_t y, Bgrx colour);
    // The pixel at a logical point, or none outside the surface.
    std::optional<Bgrx> GetPixel(std::int32_t x, std::int32_t y) const;
    // Blends `colour` into the surface by the mask's coverage: 255 gives the colour, 0 leaves
    // the pixel, values between mix linearly, rounded to nearest. (x, y) is the logical position
    // of the mask's top-left pixel.
    void DrawCoverage(std::int32_t x, std::int32_t y, const CoverageMask& mask, Bgrx colour);

    // --- Lines (canvas_lines.cpp) ---------------------------------------------------------------
    // Draws from the current position up to, not including, (x, y) and moves there.
    void LineTo(std::int32_t x, std::int32_t y);
    // Segments between consecutive points; the last point is not drawn. The current position
    // is neither used nor changed.
    void Polyline(std::span<const Point> points);

    // --- Figures (canvas_shapes.cpp) -------------------------------------------------------------
    // Outline with the pen on the outermost rows and columns, brush strictly inside.
    void Rectangle(const Rect& rect);
    // The ellipse inside the rectangle (right and bottom exclusive), filled then outlined.
    void Ellipse(const Rect& rect);
    // Filled by the polygon fill mode, then outlined as a closed polyline.
    void Polygon(std::span<const Point> points);

    // --- Several polygons at once (canvas_polypolygon.cpp)
    // ---------------------------------------- `counts` cuts `points` into polygons (a count beyond
    // the points ends the list). Their inside is decided together by the fill mode, so a polygon
    // inside another makes a hole in alternate mode; then each is outlined as a closed polyline.
    void PolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts);
    // The same inside, with the brush only: no outline, and no pixel is painted twice.
    void FillPolyPolygon(std::span<const Point> points, std::span<const std::size_t> counts);
    // Fills the pixels of a logical region with the brush and the raster operation.
    void FillRegionWithBrush(const Region& logical);

    // --- Frames (canvas_frames.cpp) ------------------------------------------------------------
    void FrameRect(const Rect& rect, Bgrx colour);
    void InvertRect(const Rect& rect);
    // The dotted focus rectangle, drawn by XOR: drawing it twice restores the pixels.
    void DrawFocusRect(const Rect& rect);
    // Top and left sides in one colour, bottom and right in the other (right and bottom
    // exclusive, as the class library's helper paints them).
    void Draw3dRect(const Rect& rect, Bgrx top_left, Bgrx bottom_right);
    // DrawEdge with the classic colours; with kBfAdjust the rectangle shrinks by the drawn
    // border widths. Returns false for an edge kind it does not know.
    bool DrawEdge(Rect& rect, std::uint32_t edge, std::uint32_t flags);
    // DrawFrameControl for push buttons (kDfcButton, kDfcsButtonPush) and scroll arrows
    // (kDfcScroll). Returns false for other controls.
    bool DrawFrameControl(Rect& rect, std::uint32_t type, std::uint32_t state);

    // --- Blits (canvas_blit.cpp) -----------------------------------------------------------------
    // Copies width x height pixels from `source` at (sx, sy) to the logical point (x, y).
    // Source pixels outside `source` are not copied.
    void BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                const Surface& source, std::int32_t sx, std::int32_t sy);
    // The same, leaving out source pixels of colour `key`.
    void BitBltKeyed(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                     const Surface& source, std::int32_t sx, std::int32_t sy, Bgrx key);
    // Maps the source rectangle onto the destination one by nearest neighbour; a negative
    // width or height on one side mirrors. Shrinking merges pixels by the stretch mode.
    void StretchBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                    const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t swidth,
                    std::int32_t sheight);
    // StretchBlt combining source and page by a ternary raster operation: kSrcCopy,
    // kSrcAnd, kSrcPaint, kSrcInvert, kNotSrcCopy (canvas_blit_rop.cpp). Other operations do
    // nothing and return false.
    bool StretchBltRop(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                       const Surface& source, std::int32_t sx, std::int32_t sy, std::int32_t swidth,
                       std::int32_t sheight, std::uint32_t rop);

  private:
    // A rectangle in 64-bit logical coordinates, right and bottom exclusive.
    struct Box {
        std::int64_t left, top, right, bottom;
        bool IsEmpty() const { return right <= left || bottom <= top; }
    };

    // The drawable device rectangles (clip region within the surface), in logical coordinates.
    std::vector<Box> LogicalClip() const;
    // BitBlt and BitBltKeyed: source pixels equal to `key`, when given, are left out.
    void CopyRows(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  const Surface& source, std::int32_t sx, std::int32_t sy, std::optional<Bgrx> key);
    // The drawable device region (clip region within the surface).
    Region DeviceClip() const;
    // Combines `colour` into the pixel by the raster operation.
    static void Apply(Bgrx& pixel, Bgrx colour, Rop2 rop);
    using ClipIterator = std::vector<Box>::const_iterator;
    static ClipIterator FirstClipBoxReaching(const std::vector<Box>& clip, std::int64_t y);
    // One pixel at a logical position, if it lies in one of the clip boxes.
    void Plot(std::int64_t x, std::int64_t y, Bgrx colour, Rop2 rop, const std::vector<Box>& clip);
    // The same, with the first clip box reaching row y already found: for several pixels of
    // one row.
    void PlotInRow(ClipIterator first, ClipIterator end, std::int64_t x, std::int64_t y,
                   Bgrx colour, Rop2 rop);
    // Pixels x0..x1-1 of logical row y, clipped.
    void Span(std::int64_t y, std::int64_t x0, std::int64_t x1, Bgrx colour, Rop2 rop,
              const std::vector<Box>& clip);
    // Every pixel of a logical box, clipped.
    void FillBox(const Box& box, Bgrx colour, Rop2 rop, const std::vector<Box>& clip);
    // The same with the current brush, its pattern aligned to the brush origin
    // (canvas_brush.cpp); a hollow brush paints nothing.
    void FillBrushBox(const Box& box, Rop2 rop, const std::vector<Box>& clip);
    // The bounding box of the clip boxes, or none when nothing can be drawn.
    static std::optional<Box> ClipBounds(const std::vector<Box>& clip);
    // A pen segment from (x0, y0) towards (x1, y1), end pixel left out, with the current pen
    // and raster operation.
    void Segment(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 const std::vector<Box>& clip);
    // The polygon fill and outline shared by Polygon and the scroll-arrow glyphs.
    void PolygonWith(std::span<const Point> points, const std::vector<Box>& clip);
    void DrawScrollArrow(const Rect& rect, std::uint32_t state);
    // PATINVERT with the system's 50% grey pattern brush (0-bits in the text colour, 1-bits
    // in the background colour), aligned to the brush origin.
    void InvertHalftone(const Box& box, const std::vector<Box>& clip);
    // The pixels PatBlt touches for a start point and a signed size.
    static Box PatBox(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);

    Surface& surface_;
    State state_;
    std::vector<State> saved_;
    SystemColours colours_;
};

}  // namespace velk
