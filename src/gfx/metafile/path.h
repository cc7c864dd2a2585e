// A path being recorded between BeginPath and EndPath: figures of points in page coordinates
// (curves already flattened), each open or closed.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "base/geometry.h"

namespace velk::emf {

// Points a path may hold; points beyond are left out.
inline constexpr std::size_t kMaxPathPoints = std::size_t{1} << 20;

struct Figure {
    std::vector<Point> points;
    bool closed = false;
};

class Path {
  public:
    // Starts recording; a path recorded before is dropped.
    void Begin();
    // Ends recording: the path can now be filled, stroked or made the clip.
    void End();
    void Abort();
    bool Recording() const { return recording_; }
    // Ended and not used yet.
    bool Ready() const { return ready_; }
    // Uses up the path.
    void Clear();

    // Starts a new figure at p.
    void MoveTo(Point p);
    // Extends the current figure (started at `from` when there is none).
    void LineTo(Point from, Point p);
    // A figure of its own, closed or open.
    void AddFigure(std::span<const Point> points, bool closed);
    void CloseFigure();

    const std::vector<Figure>& Figures() const { return figures_; }
    // Every figure's points one after the other, and how many each has: closed for filling.
    void Polygons(std::vector<Point>& points, std::vector<std::size_t>& counts) const;

  private:
    std::vector<Figure> figures_;
    bool recording_ = false;
    bool ready_ = false;
    bool figure_open_ = false;  // LineTo extends the last figure
    std::size_t point_count_ = 0;
    // Counts `n` more points; false when the path would hold more than kMaxPathPoints.
    bool Take(std::size_t n);
};

}  // namespace velk::emf
