#include "hosts/qt/letterbox.h"

#include <algorithm>
#include <cstdint>

#include "base/int_division.h"
#include "base/saturate.h"

namespace velk::desktop {

namespace {

// floor(a * b / c) for c > 0, without overflow for any 32-bit inputs.
std::int32_t MulDivFloor(std::int64_t a, std::int64_t b, std::int64_t c) {
    return SaturateToInt32(FloorDiv(a * b, c));
}

std::int32_t MulDivCeil(std::int64_t a, std::int64_t b, std::int64_t c) {
    return SaturateToInt32(-std::int64_t{MulDivFloor(-a, b, c)});
}

}  // namespace

Rect FitRect(Size content, Size area) {
    if (content.width <= 0 || content.height <= 0 || area.width <= 0 || area.height <= 0) {
        return {};
    }
    Size fit = area;
    // Wider than the area in proportion: the width fills it; otherwise the height does.
    if (std::int64_t{content.width} * area.height >= std::int64_t{area.width} * content.height) {
        fit.height = MulDivFloor(area.width, content.height, content.width);
    } else {
        fit.width = MulDivFloor(area.height, content.width, content.height);
    }
    const std::int32_t left = (area.width - fit.width) / 2;
    const std::int32_t top = (area.height - fit.height) / 2;
    return {left, top, left + fit.width, top + fit.height};
}

Rect PlaceRect(Size content, Size area, ScaleMode mode) {
    if (content.width <= 0 || content.height <= 0 || area.width <= 0 || area.height <= 0) {
        return {};
    }
    switch (mode) {
        case ScaleMode::kFit:
            break;
        case ScaleMode::kStretch:
            return {0, 0, area.width, area.height};
        case ScaleMode::kInteger: {
            // Every client pixel the same whole number of screen pixels: sharp, even pixels.
            const std::int32_t factor =
                std::min(area.width / content.width, area.height / content.height);
            if (factor < 1) break;  // larger than the screen: only shrinking fits
            const std::int32_t width = content.width * factor;
            const std::int32_t height = content.height * factor;
            const std::int32_t left = (area.width - width) / 2;
            const std::int32_t top = (area.height - height) / 2;
            return {left, top, left + width, top + height};
        }
    }
    return FitRect(content, area);
}

Point MapToClient(Point screen, const Rect& fit, Size content) {
    if (fit.IsEmpty()) return screen;
    return {MulDivFloor(std::int64_t{screen.x} - fit.left, content.width, fit.Width()),
            MulDivFloor(std::int64_t{screen.y} - fit.top, content.height, fit.Height())};
}

Point MapPointToScreen(Point client, const Rect& fit, Size content) {
    if (fit.IsEmpty() || content.width <= 0 || content.height <= 0) return client;
    // The first screen pixel that MapToClient takes back to `client`.
    return {
        SaturateToInt32(std::int64_t{fit.left} + MulDivCeil(client.x, fit.Width(), content.width)),
        SaturateToInt32(std::int64_t{fit.top} +
                        MulDivCeil(client.y, fit.Height(), content.height))};
}

Rect MapToScreen(const Rect& dirty, const Rect& fit, Size content) {
    if (fit.IsEmpty() || content.width <= 0 || content.height <= 0) return {};
    return {fit.left + MulDivFloor(dirty.left, fit.Width(), content.width),
            fit.top + MulDivFloor(dirty.top, fit.Height(), content.height),
            fit.left + MulDivCeil(dirty.right, fit.Width(), content.width),
            fit.top + MulDivCeil(dirty.bottom, fit.Height(), content.height)};
}

}  // namespace velk::desktop
