// The stored fields of frames, lines, shapes, polygons and the frame of an application window by
// what they mean: a read-only view over the record.
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

// How a frame, a shape or a polygon is outlined. Stored values beyond these draw a frame
// without outline, a shape with a pen of the fill colour and a polygon with the line colour.
enum class ShapeOutline : std::uint32_t {
    kLine = 0,    // a pen of the line colour
    kRaised = 1,  // a raised bevel (a polygon: a white pen)
    kSunken = 2,  // a sunken bevel (a polygon: a white pen)
    kFill = 3,    // the fill colour: no outline on a frame, a pen of it on shapes and polygons
};

class ShapeFields {
  public:
    explicit ShapeFields(const Object& shape) : shape_(shape) {}

    ShapeOutline Outline() const { return static_cast<ShapeOutline>(shape_.param1); }
    bool Bevelled() const {
        return Outline() == ShapeOutline::kRaised || Outline() == ShapeOutline::kSunken;
    }
    std::uint32_t FillColour() const { return shape_.colour1; }
    std::uint32_t LineColour() const { return shape_.colour2; }
    // A line runs from the top-left to the bottom-right corner, else from the bottom-left up.
    bool FallingLine() const { return shape_.param2 == 0; }
    // An application window's frame: 0 none, 1 a push button's frame, 2 a pushed one; its size
    // grip, set in by the sizing frame when the hosted window has one.
    std::int32_t WindowFrameStyle() const { return static_cast<std::int32_t>(shape_.option3); }
    bool SizeGrip() const { return shape_.transparent2 != 0; }
    bool SizingFrame() const { return shape_.transparent3 != 0; }

  private:
    const Object& shape_;
};

}  // namespace velk
