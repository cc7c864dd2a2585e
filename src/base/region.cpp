#include "base/region.h"

#include <algorithm>
#include <limits>

#include "base/saturate.h"

namespace velk {

namespace {

struct Span {
    std::int32_t left, right;
    bool operator==(const Span&) const = default;
};

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

// One band of a canonical rectangle list: rects_[first, last) share top and bottom.
struct BandRef {
    std::size_t first, last;
};

std::vector<BandRef> BandsOf(const std::vector<Rect>& rects) {
    std::vector<BandRef> bands;
    std::size_t i = 0;
    while (i < rects.size()) {
        std::size_t j = i + 1;
        while (j < rects.size() && rects[j].top == rects[i].top) ++j;
        bands.push_back({i, j});
        i = j;
    }
    return bands;
}

// Combines two sorted lists of disjoint, non-touching spans with a pixel-wise boolean rule.
template <typename Op>
void CombineSpans(std::span<const Rect> a, std::span<const Rect> b, Op op, std::vector<Span>& out) {
    out.clear();
    std::vector<std::int32_t> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (const Rect& r : a) xs.insert(xs.end(), {r.left, r.right});
    for (const Rect& r : b) xs.insert(xs.end(), {r.left, r.right});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::size_t pa = 0, pb = 0;
    for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
        const std::int32_t x0 = xs[j], x1 = xs[j + 1];
        while (pa < a.size() && a[pa].right <= x0) ++pa;
        while (pb < b.size() && b[pb].right <= x0) ++pb;
        const bool in_a = pa < a.size() && a[pa].left <= x0;
        const bool in_b = pb < b.size() && b[pb].left <= x0;
        if (!op(in_a, in_b)) continue;
        if (!out.empty() && out.back().right == x0) {
            out.back().right = x1;
        } else {
            out.push_back({x0, x1});
        }
    }
}

// Sorts spans and merges the ones that overlap or touch.
void NormalizeSpans(std::vector<Span>& spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    std::size_t n = 0;
    for (const Span& s : spans) {
        if (s.right <= s.left) continue;
        if (n > 0 && spans[n - 1].right >= s.left) {
            spans[n - 1].right = std::max(spans[n - 1].right, s.right);
        } else {
            spans[n++] = s;
        }
    }
    spans.resize(n);
}

}  // namespace

// Collects bands from top to bottom and merges a band into the one above it when they touch
// and cover the same columns, which keeps the list canonical.
class RegionBuilder {
  public:
    void AddBand(std::int32_t top, std::int32_t bottom, const std::vector<Span>& spans) {
        if (spans.empty() || top >= bottom) return;
        if (has_band_ && rects_[band_start_].bottom == top &&
            rects_.size() - band_start_ == spans.size()) {
            bool same = true;
            for (std::size_t i = 0; i < spans.size() && same; ++i) {
                const Rect& r = rects_[band_start_ + i];
                same = r.left == spans[i].left && r.right == spans[i].right;
            }
            if (same) {
                for (std::size_t i = band_start_; i < rects_.size(); ++i) rects_[i].bottom = bottom;
                return;
            }
        }
        has_band_ = true;
        band_start_ = rects_.size();
        for (const Span& s : spans) rects_.push_back({s.left, top, s.right, bottom});
    }

    Region Finish() {
        Region region;
        region.rects_ = std::move(rects_);
        region.UpdateBounds();
        return region;
    }

  private:
    std::vector<Rect> rects_;
    std::size_t band_start_ = 0;
    bool has_band_ = false;
};

namespace {

template <typename Op>
Region Combine(const std::vector<Rect>& a, const std::vector<Rect>& b, Op op) {
    std::vector<std::int32_t> ys;
    ys.reserve(2 * (a.size() + b.size()));
    for (const Rect& r : a) ys.insert(ys.end(), {r.top, r.bottom});
    for (const Rect& r : b) ys.insert(ys.end(), {r.top, r.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    const std::vector<BandRef> bands_a = BandsOf(a);
    const std::vector<BandRef> bands_b = BandsOf(b);
    std::size_t ia = 0, ib = 0;
    RegionBuilder builder;
    std::vector<Span> spans;
    const std::span<const Rect> none;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const std::int32_t y0 = ys[k], y1 = ys[k + 1];
        while (ia < bands_a.size() && a[bands_a[ia].first].bottom <= y0) ++ia;
        while (ib < bands_b.size() && b[bands_b[ib].first].bottom <= y0) ++ib;
        std::span<const Rect> sa = none, sb = none;
        if (ia < bands_a.size() && a[bands_a[ia].first].top <= y0) {
            sa = std::span<const Rect>(a).subspan(bands_a[ia].first,
                                                  bands_a[ia].last - bands_a[ia].first);
        }
        if (ib < bands_b.size() && b[bands_b[ib].first].top <= y0) {
            sb = std::span<const Rect>(b).subspan(bands_b[ib].first,
                                                  bands_b[ib].last - bands_b[ib].first);
        }
        if (sa.empty() && sb.empty()) continue;
        CombineSpans(sa, sb, op, spans);
        builder.AddBand(y0, y1, spans);
    }
    return builder.Finish();
}

// The column where an edge from (xa, ya) to (xb, yb), ya < yb, crosses row y (ya <= y < yb),
// rounded up: ceil(xa + (xb - xa) * (y - ya) / (yb - ya)). Exact for any 32-bit end points;
// the product of the two 33-bit magnitudes stays below 2^64.
std::int64_t EdgeCrossingCeil(std::int64_t xa, std::int64_t ya, std::int64_t xb, std::int64_t yb,
                              std::int64_t y) {
    const std::uint64_t dy = static_cast<std::uint64_t>(yb - ya);
    const std::uint64_t k = static_cast<std::uint64_t>(y - ya);
    const std::int64_t dx = xb - xa;
    const std::uint64_t mag = static_cast<std::uint64_t>(dx < 0 ? -dx : dx);
    const std::uint64_t prod = mag * k;
    const std::uint64_t q = prod / dy;
    const bool exact = prod % dy == 0;
    if (dx >= 0) return xa + static_cast<std::int64_t>(q + (exact ? 0 : 1));
    return xa - static_cast<std::int64_t>(q);
}

}  // namespace

namespace {

bool Encloses(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

}  // namespace

Region::Region(const Rect& rect) {
    if (!rect.IsEmpty()) {
        rects_.push_back(rect);
        bounds_ = rect;
    }
}

void Region::UpdateBounds() {
    if (rects_.empty()) {
        bounds_ = {};
        return;
    }
    bounds_ = {rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
    for (const Rect& r : rects_) {
        bounds_.left = std::min(bounds_.left, r.left);
        bounds_.right = std::max(bounds_.right, r.right);
    }
}

Region Region::FromRects(std::span<const Rect> rects) {
    std::vector<const Rect*> by_top;
    by_top.reserve(rects.size());
    std::vector<std::int32_t> ys;
    ys.reserve(2 * rects.size());
    for (const Rect& r : rects) {
        if (r.IsEmpty()) continue;
        by_top.push_back(&r);
        ys.insert(ys.end(), {r.top, r.bottom});
    }
    std::sort(by_top.begin(), by_top.end(),
              [](const Rect* a, const Rect* b) { return a->top < b->top; });
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    RegionBuilder builder;
    std::vector<const Rect*> active;
    std::vector<Span> spans;
    std::size_t next = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const std::int32_t y0 = ys[k], y1 = ys[k + 1];
        std::erase_if(active, [y0](const Rect* r) { return r->bottom <= y0; });
        while (next < by_top.size() && by_top[next]->top <= y0) active.push_back(by_top[next++]);
        if (active.empty()) continue;
        spans.clear();
        for (const Rect* r : active) spans.push_back({r->left, r->right});
        NormalizeSpans(spans);
        builder.AddBand(y0, y1, spans);
    }
    return builder.Finish();
}

Region Region::FromPolygon(std::span<const Point> points, PolyFillMode mode, const Rect& limit) {
    if (points.size() < 3) return Region();
    const std::size_t count = points.size();
    return FromPolygons(points, std::span<const std::size_t>(&count, 1), mode, limit);
}

Region Region::FromPolygons(std::span<const Point> all_points, std::span<const std::size_t> counts,
                            PolyFillMode mode, const Rect& limit) {
    struct Edge {
        std::int64_t xa, ya, xb, yb;
        int dir;  // +1 running downwards, -1 upwards
    };
    std::vector<Edge> edges;
    if (limit.IsEmpty()) return Region();
    edges.reserve(all_points.size());
    std::int64_t min_y = kMax32, max_y = kMin32;
    std::size_t first = 0;
    for (const std::size_t count : counts) {
        if (count > all_points.size() - first) break;
        const std::span<const Point> points = all_points.subspan(first, count);
        first += count;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& p = points[i];
            const Point& q = points[(i + 1) % points.size()];
            if (p.y == q.y) continue;  // horizontal edges cross no row
            if (p.y < q.y) {
                edges.push_back({p.x, p.y, q.x, q.y, +1});
            } else {
                edges.push_back({q.x, q.y, p.x, p.y, -1});
            }
            min_y = std::min<std::int64_t>(min_y, std::min(p.y, q.y));
            max_y = std::max<std::int64_t>(max_y, std::max(p.y, q.y));
        }
    }
    if (edges.empty()) return Region();
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.ya < b.ya; });

    const std::int64_t first_row = std::max<std::int64_t>(min_y, limit.top);
    const std::int64_t end_row = std::min<std::int64_t>(max_y, limit.bottom);
    RegionBuilder builder;
    std::vector<const Edge*> active;
    struct Crossing {
        std::int64_t x;
        int dir;
    };
    std::vector<Crossing> crossings;
    std::vector<Span> spans;
    std::size_t next = 0;
    for (std::int64_t y = first_row; y < end_row; ++y) {
        std::erase_if(active, [y](const Edge* e) { return e->yb <= y; });
        while (next < edges.size() && edges[next].ya <= y) {
            if (edges[next].yb > y) active.push_back(&edges[next]);
            ++next;
        }
        crossings.clear();
        for (const Edge* e : active) {
            crossings.push_back({EdgeCrossingCeil(e->xa, e->ya, e->xb, e->yb, y), e->dir});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        spans.clear();
        auto add_span = [&](std::int64_t x0, std::int64_t x1) {
            x0 = std::max<std::int64_t>(x0, limit.left);
            x1 = std::min<std::int64_t>(x1, limit.right);
            if (x0 < x1) spans.push_back({SaturateToInt32(x0), SaturateToInt32(x1)});
        };
        if (mode == PolyFillMode::kAlternate) {
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                add_span(crossings[i].x, crossings[i + 1].x);
            }
        } else {
            int winding = 0;
            std::int64_t start = 0;
            for (const Crossing& c : crossings) {
                const int before = winding;
                winding += c.dir;
                if (before == 0 && winding != 0) start = c.x;
                if (before != 0 && winding == 0) add_span(start, c.x);
            }
        }
        NormalizeSpans(spans);
        const std::int32_t row = static_cast<std::int32_t>(y);
        builder.AddBand(row, row + 1, spans);
    }
    return builder.Finish();
}

bool Region::Contains(Point p) const {
    if (!bounds_.Contains(p)) return false;
    for (const Rect& r : rects_) {
        if (r.top > p.y) break;
        if (r.Contains(p)) return true;
    }
    return false;
}

bool Region::RectVisible(const Rect& rect) const {
    if (rect.IsEmpty() || bounds_.Intersect(rect).IsEmpty()) return false;
    for (const Rect& r : rects_) {
        if (r.top >= rect.bottom) break;
        if (!r.Intersect(rect).IsEmpty()) return true;
    }
    return false;
}

Region Region::Union(const Region& other) const {
    return Combine(rects_, other.rects_, [](bool a, bool b) { return a || b; });
}

Region Region::Intersect(const Region& other) const {
    if (bounds_.Intersect(other.bounds_).IsEmpty()) return Region();
    // Clipping to a rectangle that holds the whole region, or one rectangle by another, is
    // what drawing asks for most; neither needs the band walk.
    if (other.rects_.size() == 1 && Encloses(other.bounds_, bounds_)) return *this;
    if (rects_.size() == 1 && Encloses(bounds_, other.bounds_)) return other;
    if (rects_.size() == 1 && other.rects_.size() == 1) {
        return Region(bounds_.Intersect(other.bounds_));
    }
    return Combine(rects_, other.rects_, [](bool a, bool b) { return a && b; });
}

Region Region::Subtract(const Region& other) const {
    return Combine(rects_, other.rects_, [](bool a, bool b) { return a && !b; });
}

Region Region::Xor(const Region& other) const {
    return Combine(rects_, other.rects_, [](bool a, bool b) { return a != b; });
}

Region Region::Offset(std::int64_t dx, std::int64_t dy) const {
    // Offsets beyond the 32-bit range already push every pixel out of it; capping them keeps
    // the sums below from overflowing.
    dx = std::clamp(dx, 2 * kMin32, 2 * kMax32);
    dy = std::clamp(dy, 2 * kMin32, 2 * kMax32);
    RegionBuilder builder;
    std::vector<Span> spans;
    for (const BandRef& band : BandsOf(rects_)) {
        spans.clear();
        for (std::size_t i = band.first; i < band.last; ++i) {
            const Rect& r = rects_[i];
            const std::int32_t l = SaturateToInt32(r.left + dx), rt = SaturateToInt32(r.right + dx);
            if (l < rt) spans.push_back({l, rt});
        }
        const Rect& r = rects_[band.first];
        builder.AddBand(SaturateToInt32(r.top + dy), SaturateToInt32(r.bottom + dy), spans);
    }
    return builder.Finish();
}

}  // namespace velk
