// The nearest-neighbour walk that every stretch of the drawing layer shares: which source pixels
// make each destination pixel along one axis. Blits, the pixel store and picture drawing differ
// only in what they do with a span (copy it, merge it by a stretch mode, AND it) and in how the
// axis is set up (mirrored, offset into a larger source, cut at the source's edge).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace velk {

// Source pixels first ... last (inclusive) along one axis; empty when last < first.
struct SourceSpan {
    std::int64_t first = 0;
    std::int64_t last = 0;
    constexpr bool Empty() const { return last < first; }
    bool operator==(const SourceSpan&) const = default;
};

// The sources of destination index j (0 <= j < target) when `source` pixels are stretched over
// `target` (both 1 ... 2^31). Enlarging takes the source pixel under the destination pixel's
// centre, exact ties going to the lower index. Shrinking gives the group of sources whose
// centres fall in the destination pixel: source i goes to ((2i + 1) target - 1) / (2 source).
// A one-pixel destination merges all sources but the last. Unsigned arithmetic: every product
// stays below 2^64.
constexpr SourceSpan NearestSourceSpan(std::int64_t source, std::int64_t target, std::int64_t j) {
    const auto s = static_cast<std::uint64_t>(source);
    const auto d = static_cast<std::uint64_t>(target);
    const auto jj = static_cast<std::uint64_t>(j);
    if (d >= s) {
        const auto i = static_cast<std::int64_t>(((2 * jj + 1) * s - 1) / (2 * d));
        return {i, i};
    }
    if (d == 1) return {0, source - 2};
    // The first source of group k: the smallest i with (2i + 1) d >= 2sk + 1.
    auto first_of = [&](std::uint64_t k) -> std::int64_t {
        if (k >= d) return source;
        const std::uint64_t c = (2 * s * k + d) / d;  // ceil((2sk + 1) / d)
        return static_cast<std::int64_t>(c / 2);      // ceil((c - 1) / 2)
    };
    return {first_of(jj), first_of(jj + 1) - 1};
}

// One axis of a stretch as a drawer sets it up.
struct StretchAxis {
    std::int64_t source = 1;  // source pixels stretched (1 ... 2^31)
    std::int64_t target = 1;  // destination pixels they cover (1 ... 2^31)
    // Destination index 0 shows the far end of the source run.
    bool mirror = false;
    // Where the source run starts in the source; a blit's source rectangle may lie partly
    // outside its surface, whose pixels are 0 ... source_limit - 1. The part of a span outside
    // them is cut off, which can leave it empty.
    std::int64_t source_start = 0;
    std::int64_t source_limit = std::numeric_limits<std::int64_t>::max();
};

// The sources of destination index j (0 <= j < axis.target), cut to the source's pixels.
constexpr SourceSpan SourceSpanAt(const StretchAxis& axis, std::int64_t j) {
    const SourceSpan span =
        NearestSourceSpan(axis.source, axis.target, axis.mirror ? axis.target - 1 - j : j);
    return {std::max<std::int64_t>(span.first + axis.source_start, 0),
            std::min<std::int64_t>(span.last + axis.source_start, axis.source_limit - 1)};
}

// The spans of destination indices begin ... end - 1: a stretch maps only the columns it
// draws, once, however large the target.
inline std::vector<SourceSpan> SourceSpansOf(const StretchAxis& axis, std::int64_t begin,
                                             std::int64_t end) {
    std::vector<SourceSpan> spans;
    spans.reserve(static_cast<std::size_t>(std::max<std::int64_t>(end - begin, 0)));
    for (std::int64_t j = begin; j < end; ++j) spans.push_back(SourceSpanAt(axis, j));
    return spans;
}

}  // namespace velk
