// The page-to-device mapping of a device context while a metafile plays: the map mode, the
// window and viewport origins and extents, and the world transform on top of them. Extents of
// the fixed map modes come from the reference device the metafile was made on.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "gfx/metafile/xform.h"

namespace velk::emf {

struct ExtentF {
    double cx = 1, cy = 1;
};

class Mapping {
  public:
    // `device` and `millimetres`: the reference device's size (both positive).
    Mapping(Size device, Size millimetres) : device_(device), millimetres_(millimetres) {}

    void SetMapMode(std::uint32_t mode);
    std::uint32_t MapMode() const { return mode_; }
    void SetWindowOrg(PointF org) { window_org_ = org; }
    void SetViewportOrg(PointF org) { viewport_org_ = org; }
    // Ignored outside the isotropic and anisotropic modes, and for a zero extent.
    void SetWindowExt(double cx, double cy);
    void SetViewportExt(double cx, double cy);
    // Extents multiplied by num / denom on each axis; ignored for a zero denominator or result.
    void ScaleWindowExt(std::int32_t xnum, std::int32_t xdenom, std::int32_t ynum,
                        std::int32_t ydenom);
    void ScaleViewportExt(std::int32_t xnum, std::int32_t xdenom, std::int32_t ynum,
                          std::int32_t ydenom);

    // False (and nothing changes) for a transform the device context would refuse.
    bool SetWorldTransform(const Xform& world);
    bool ModifyWorldTransform(const Xform& xform, std::uint32_t mode);
    const Xform& World() const { return world_; }

    // World space to the reference device's pixels.
    Xform ToDevice() const;

  private:
    // In the isotropic mode one unit has the same size on both axes: the viewport extent
    // shrinks on the axis that would make units larger.
    void FitIsotropic();

    Size device_;
    Size millimetres_;
    std::uint32_t mode_ = 1;
    PointF window_org_, viewport_org_;
    ExtentF window_ext_, viewport_ext_;
    Xform world_;
};

}  // namespace velk::emf
