// Numbers of the enhanced-metafile format: record types, stock objects, modes and styles the
// records carry.
#pragma once

#include <cstdint>

namespace velk::emf {

// Record types.
enum RecordType : std::uint32_t {
    kHeader = 1,
    kPolyBezier = 2,
    kPolygon = 3,
    kPolyline = 4,
    kPolyBezierTo = 5,
    kPolylineTo = 6,
    kPolyPolyline = 7,
    kPolyPolygon = 8,
    kSetWindowExtEx = 9,
    kSetWindowOrgEx = 10,
    kSetViewportExtEx = 11,
    kSetViewportOrgEx = 12,
    kSetBrushOrgEx = 13,
    kEof = 14,
    kSetPixelV = 15,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetPolyFillMode = 19,
    kSetRop2 = 20,
    kSetStretchBltMode = 21,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kOffsetClipRgn = 26,
    kMoveToEx = 27,
    kExcludeClipRect = 29,
    kIntersectClipRect = 30,
    kScaleViewportExtEx = 31,
    kScaleWindowExtEx = 32,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSetWorldTransform = 35,
    kModifyWorldTransform = 36,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kAngleArc = 41,
    kEllipse = 42,
    kRectangle = 43,
    kRoundRect = 44,
    kArc = 45,
    kChord = 46,
    kPie = 47,
    kLineTo = 54,
    kArcTo = 55,
    kSetArcDirection = 57,
    kSetMiterLimit = 58,
    kBeginPath = 59,
    kEndPath = 60,
    kCloseFigure = 61,
    kFillPath = 62,
    kStrokeAndFillPath = 63,
    kStrokePath = 64,
    kFlattenPath = 65,
    kWidenPath = 66,
    kSelectClipPath = 67,
    kAbortPath = 68,
    kFillRgn = 71,
    kPaintRgn = 74,
    kExtSelectClipRgn = 75,
    kBitBlt = 76,
    kStretchBlt = 77,
    kStretchDiBits = 81,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyBezier16 = 85,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kPolyBezierTo16 = 88,
    kPolylineTo16 = 89,
    kPolyPolyline16 = 90,
    kPolyPolygon16 = 91,
    kCreateMonoBrush = 93,
    kCreateDibPatternBrushPt = 94,
    kExtCreatePen = 95,
    kPolyTextOutA = 96,
    kPolyTextOutW = 97,
};

// The header record's signature, " EMF" read as a little-endian number.
inline constexpr std::uint32_t kSignature = 0x464D4520;
// The fixed part of the header record, up to and including the reference device's size in
// millimetres.
inline constexpr std::uint32_t kHeaderSize = 88;

// Object indexes with the top bit set name stock objects.
inline constexpr std::uint32_t kStockObject = 0x80000000;
enum StockObject : std::uint32_t {
    kWhiteBrush = 0,
    kLtGrayBrush = 1,
    kGrayBrush = 2,
    kDkGrayBrush = 3,
    kBlackBrush = 4,
    kNullBrush = 5,
    kWhitePen = 6,
    kBlackPen = 7,
    kNullPen = 8,
    kOemFixedFont = 10,
    kAnsiFixedFont = 11,
    kAnsiVarFont = 12,
    kSystemFont = 13,
    kDeviceDefaultFont = 14,
    kSystemFixedFont = 16,
    kDefaultGuiFont = 17,
    kDcBrush = 18,
    kDcPen = 19,
};

// Map modes.
enum MapMode : std::uint32_t {
    kMmText = 1,
    kMmLoMetric = 2,
    kMmHiMetric = 3,
    kMmLoEnglish = 4,
    kMmHiEnglish = 5,
    kMmTwips = 6,
    kMmIsotropic = 7,
    kMmAnisotropic = 8,
};

// ModifyWorldTransform modes.
inline constexpr std::uint32_t kMwtIdentity = 1;
inline constexpr std::uint32_t kMwtLeftMultiply = 2;
inline constexpr std::uint32_t kMwtRightMultiply = 3;
inline constexpr std::uint32_t kMwtSet = 4;

// Region combinations (ExtSelectClipRgn, SelectClipPath).
inline constexpr std::uint32_t kRgnAnd = 1;
inline constexpr std::uint32_t kRgnOr = 2;
inline constexpr std::uint32_t kRgnXor = 3;
inline constexpr std::uint32_t kRgnDiff = 4;
inline constexpr std::uint32_t kRgnCopy = 5;

// Pen styles.
inline constexpr std::uint32_t kPsStyleMask = 0xF;
inline constexpr std::uint32_t kPsNull = 5;
inline constexpr std::uint32_t kPsGeometric = 0x10000;

// Brush styles.
inline constexpr std::uint32_t kBsSolid = 0;
inline constexpr std::uint32_t kBsNull = 1;
inline constexpr std::uint32_t kBsHatched = 2;

// Raster operations of SetROP2.
inline constexpr std::uint32_t kR2Not = 6;
inline constexpr std::uint32_t kR2XorPen = 7;
inline constexpr std::uint32_t kR2CopyPen = 13;

// Text output options.
inline constexpr std::uint32_t kEtoOpaque = 0x2;
inline constexpr std::uint32_t kEtoClipped = 0x4;
inline constexpr std::uint32_t kEtoPdy = 0x2000;
// Text alignment: use and move the current position.
inline constexpr std::uint32_t kTaUpdateCp = 1;

// Arc direction.
inline constexpr std::uint32_t kAdClockwise = 2;

}  // namespace velk::emf
