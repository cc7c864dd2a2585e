// Integer geometry in page pixels. A Rect covers columns left..right-1 and rows top..bottom-1.
#pragma once

#include <algorithm>
#include <cstdint>

#include "base/saturate.h"

namespace velk {

struct Point {
    std::int32_t x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    std::int32_t width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect Intersect(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    Rect Offset(std::int32_t dx, std::int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    Rect Union(const Rect& o) const {
        if (IsEmpty()) return o;
        if (o.IsEmpty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    // Grown by `d` on every side (shrunk for a negative `d`), held within 32 bits: objects at
    // extreme stored coordinates must not overflow.
    Rect Inflate(std::int32_t d) const {
        return {SaturateToInt32(std::int64_t{left} - d), SaturateToInt32(std::int64_t{top} - d),
                SaturateToInt32(std::int64_t{right} + d),
                SaturateToInt32(std::int64_t{bottom} + d)};
    }
    bool operator==(const Rect&) const = default;
};

}  // namespace velk
