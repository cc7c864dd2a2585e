// Names of the old desktop drawing interface that the drawers pass to a Canvas: text alignment,
// DrawText formats, DrawEdge and DrawFrameControl flags, raster operations, system colours and
// system metrics of the classic look at 96 DPI.
#pragma once

#include <cstdint>

#include "gfx/surface.h"

namespace velk {

// Text alignment (SetTextAlign). Horizontal and vertical parts combine with |.
inline constexpr std::uint32_t kTaLeft = 0;
inline constexpr std::uint32_t kTaRight = 2;
inline constexpr std::uint32_t kTaCenter = 6;
inline constexpr std::uint32_t kTaTop = 0;
inline constexpr std::uint32_t kTaBottom = 8;
inline constexpr std::uint32_t kTaBaseline = 24;
inline constexpr std::uint32_t kTaHorizontalMask = kTaLeft | kTaRight | kTaCenter;
inline constexpr std::uint32_t kTaVerticalMask = kTaTop | kTaBottom | kTaBaseline;

// DrawText formats.
inline constexpr std::uint32_t kDtLeft = 0x0;
inline constexpr std::uint32_t kDtCenter = 0x1;
inline constexpr std::uint32_t kDtRight = 0x2;
inline constexpr std::uint32_t kDtVCenter = 0x4;
inline constexpr std::uint32_t kDtBottom = 0x8;
inline constexpr std::uint32_t kDtWordBreak = 0x10;
inline constexpr std::uint32_t kDtSingleLine = 0x20;
inline constexpr std::uint32_t kDtNoClip = 0x100;
inline constexpr std::uint32_t kDtCalcRect = 0x400;

// Background mode (SetBkMode).
enum class BkMode { kTransparent = 1, kOpaque = 2 };

// How pen and brush pixels of lines and filled figures combine with the surface (SetROP2).
enum class Rop2 {
    kCopyPen,  // R2_COPYPEN: the colour replaces the pixel
    kXorPen,   // R2_XORPEN: the pixel is XORed with the colour
    kNot,      // R2_NOT: the pixel is inverted, the colour is ignored
};

// Raster operations of PatBlt (the brush is the pattern).
inline constexpr std::uint32_t kPatCopy = 0xF00021;
inline constexpr std::uint32_t kPatInvert = 0x5A0049;
inline constexpr std::uint32_t kDstInvert = 0x550009;
inline constexpr std::uint32_t kBlackness = 0x000042;
inline constexpr std::uint32_t kWhiteness = 0xFF0062;

// Raster operations of blits from a source picture.
inline constexpr std::uint32_t kSrcCopy = 0xCC0020;
inline constexpr std::uint32_t kSrcPaint = 0xEE0086;   // page OR source
inline constexpr std::uint32_t kSrcAnd = 0x8800C6;     // page AND source
inline constexpr std::uint32_t kSrcInvert = 0x660046;  // page XOR source
inline constexpr std::uint32_t kNotSrcCopy = 0x330008;

// How StretchBlt merges source pixels when it shrinks (SetStretchBltMode).
enum class StretchMode {
    kBlackOnWhite = 1,  // AND of the merged pixels (the default of a new device context)
    kWhiteOnBlack = 2,  // OR of the merged pixels
    kColorOnColor = 3,  // keep one pixel of each group
    kHalftone = 4,      // average of the group
};

// DrawEdge: border kinds and flags.
inline constexpr std::uint32_t kBdrRaisedOuter = 0x1;
inline constexpr std::uint32_t kBdrSunkenOuter = 0x2;
inline constexpr std::uint32_t kBdrRaisedInner = 0x4;
inline constexpr std::uint32_t kBdrSunkenInner = 0x8;
inline constexpr std::uint32_t kEdgeRaised = kBdrRaisedOuter | kBdrRaisedInner;
inline constexpr std::uint32_t kEdgeSunken = kBdrSunkenOuter | kBdrSunkenInner;
inline constexpr std::uint32_t kEdgeEtched = kBdrSunkenOuter | kBdrRaisedInner;
inline constexpr std::uint32_t kEdgeBump = kBdrRaisedOuter | kBdrSunkenInner;

inline constexpr std::uint32_t kBfLeft = 0x1;
inline constexpr std::uint32_t kBfTop = 0x2;
inline constexpr std::uint32_t kBfRight = 0x4;
inline constexpr std::uint32_t kBfBottom = 0x8;
inline constexpr std::uint32_t kBfRect = kBfLeft | kBfTop | kBfRight | kBfBottom;
inline constexpr std::uint32_t kBfMiddle = 0x800;
inline constexpr std::uint32_t kBfSoft = 0x1000;
inline constexpr std::uint32_t kBfAdjust = 0x2000;
inline constexpr std::uint32_t kBfFlat = 0x4000;
inline constexpr std::uint32_t kBfMono = 0x8000;

// DrawFrameControl: control types and states.
inline constexpr std::uint32_t kDfcButton = 4;
inline constexpr std::uint32_t kDfcScroll = 3;

inline constexpr std::uint32_t kDfcsButtonPush = 0x0010;
inline constexpr std::uint32_t kDfcsScrollUp = 0x0000;
inline constexpr std::uint32_t kDfcsScrollDown = 0x0001;
inline constexpr std::uint32_t kDfcsScrollLeft = 0x0002;
inline constexpr std::uint32_t kDfcsScrollRight = 0x0003;
inline constexpr std::uint32_t kDfcsInactive = 0x0100;
inline constexpr std::uint32_t kDfcsPushed = 0x0200;
inline constexpr std::uint32_t kDfcsChecked = 0x0400;
inline constexpr std::uint32_t kDfcsAdjustRect = 0x2000;
inline constexpr std::uint32_t kDfcsFlat = 0x4000;
inline constexpr std::uint32_t kDfcsMono = 0x8000;

// System colour indices (GetSysColor).
inline constexpr int kColorWindow = 5;
inline constexpr int kColorWindowText = 8;
inline constexpr int kColorHighlight = 13;
inline constexpr int kColorHighlightText = 14;
inline constexpr int kColorBtnFace = 15;
inline constexpr int kColorBtnShadow = 16;
inline constexpr int kColorBtnText = 18;
inline constexpr int kColorBtnHighlight = 20;
inline constexpr int kColor3dDkShadow = 21;
inline constexpr int kColor3dLight = 22;
inline constexpr int kColorInfoText = 23;
inline constexpr int kColorInfoBk = 24;

// The colours of the classic "Windows Standard" scheme. The light 3-D line is not known for
// certain (it is quoted as DFDFDF and as the face colour), so it can be changed.
struct SystemColours {
    Bgrx window = MakeBgrx(255, 255, 255);
    Bgrx window_text = MakeBgrx(0, 0, 0);
    Bgrx highlight = MakeBgrx(0, 0, 128);
    Bgrx highlight_text = MakeBgrx(255, 255, 255);
    Bgrx btn_face = MakeBgrx(192, 192, 192);
    Bgrx btn_shadow = MakeBgrx(128, 128, 128);
    Bgrx btn_text = MakeBgrx(0, 0, 0);
    Bgrx btn_highlight = MakeBgrx(255, 255, 255);
    Bgrx dk_shadow_3d = MakeBgrx(0, 0, 0);
    Bgrx light_3d = MakeBgrx(223, 223, 223);
    Bgrx info_text = MakeBgrx(0, 0, 0);
    Bgrx info_bk = MakeBgrx(255, 255, 225);

    // The colour of a system colour index; unknown indices give black.
    Bgrx Get(int index) const {
        switch (index) {
            case kColorWindow:
                return window;
            case kColorWindowText:
                return window_text;
            case kColorHighlight:
                return highlight;
            case kColorHighlightText:
                return highlight_text;
            case kColorBtnFace:
                return btn_face;
            case kColorBtnShadow:
                return btn_shadow;
            case kColorBtnText:
                return btn_text;
            case kColorBtnHighlight:
                return btn_highlight;
            case kColor3dDkShadow:
                return dk_shadow_3d;
            case kColor3dLight:
                return light_3d;
            case kColorInfoText:
                return info_text;
            case kColorInfoBk:
                return info_bk;
            default:
                return 0;
        }
    }
};

// System metrics (GetSystemMetrics) of the classic look at 96 DPI.
inline constexpr int kSmCxVScroll = 2;
inline constexpr int kSmCyHScroll = 3;
inline constexpr int kSmCyCaption = 4;
inline constexpr int kSmCxBorder = 5;
inline constexpr int kSmCyBorder = 6;
inline constexpr int kSmCxDlgFrame = 7;
inline constexpr int kSmCyDlgFrame = 8;
inline constexpr int kSmCyVThumb = 9;
inline constexpr int kSmCxHThumb = 10;
inline constexpr int kSmCyMenu = 15;
inline constexpr int kSmCyVScroll = 20;
inline constexpr int kSmCxHScroll = 21;
inline constexpr int kSmCxSize = 30;
inline constexpr int kSmCySize = 31;
inline constexpr int kSmCxFrame = 32;
inline constexpr int kSmCyFrame = 33;
inline constexpr int kSmCxEdge = 45;
inline constexpr int kSmCyEdge = 46;
inline constexpr int kSmCySmCaption = 51;
inline constexpr int kSmCxFocusBorder = 83;
inline constexpr int kSmCyFocusBorder = 84;

constexpr int SystemMetric(int index) {
    switch (index) {
        case kSmCxBorder:
        case kSmCyBorder:
        case kSmCxFocusBorder:
        case kSmCyFocusBorder:
            return 1;
        case kSmCxEdge:
        case kSmCyEdge:
            return 2;
        case kSmCxDlgFrame:
        case kSmCyDlgFrame:
            return 3;
        case kSmCxFrame:
        case kSmCyFrame:
            return 4;
        case kSmCyCaption:
        case kSmCyMenu:
            return 19;
        case kSmCxSize:
        case kSmCySize:
            return 18;
        case kSmCySmCaption:
            return 16;
        case kSmCxVScroll:
        case kSmCyHScroll:
        case kSmCyVScroll:
        case kSmCxHScroll:
        case kSmCyVThumb:
        case kSmCxHThumb:
            return 16;
        default:
            return 0;
    }
}

}  // namespace velk
