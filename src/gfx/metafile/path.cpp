#include "gfx/metafile/path.h"

namespace velk::emf {

void Path::Begin() {
    Clear();
    recording_ = true;
}

void Path::End() {
    if (!recording_) return;
    recording_ = false;
    ready_ = true;
}

void Path::Abort() {
    Clear();
}

bool Path::Take(std::size_t n) {
    if (n > kMaxPathPoints - point_count_) return false;
    point_count_ += n;
    return true;
}

void Path::Clear() {
    figures_.clear();
    point_count_ = 0;
    recording_ = ready_ = figure_open_ = false;
}

void Path::MoveTo(Point p) {
    if (!Take(1)) return;
    figures_.push_back({{p}, false});
    figure_open_ = true;
}

void Path::LineTo(Point from, Point p) {
    if (!figure_open_) MoveTo(from);
    if (!figure_open_ || !Take(1)) return;
    figures_.back().points.push_back(p);
}

void Path::AddFigure(std::span<const Point> points, bool closed) {
    if (points.empty() || !Take(points.size())) return;
    figures_.push_back({{points.begin(), points.end()}, closed});
    figure_open_ = !closed;
}

void Path::CloseFigure() {
    if (!figure_open_ || figures_.empty()) return;
    figures_.back().closed = true;
    figure_open_ = false;
}

void Path::Polygons(std::vector<Point>& points, std::vector<std::size_t>& counts) const {
    for (const Figure& f : figures_) {
        points.insert(points.end(), f.points.begin(), f.points.end());
        counts.push_back(f.points.size());
    }
}

}  // namespace velk::emf
