#include "objects/hit_test.h"
#include "objects/shapes/shape_kind.h"

namespace velk {

bool HitPolygon(const Object& polygon, Point point, PictureCache& /*pictures*/) {
    return polygon.points_b.empty() || HitTestOutline(polygon, point);
}

}  // namespace velk
