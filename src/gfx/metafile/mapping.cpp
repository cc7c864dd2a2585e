#include "gfx/metafile/mapping.h"

#include <cmath>

#include "gfx/metafile/emf_format.h"

namespace velk::emf {

namespace {

bool UsableExtent(double cx, double cy) {
    return std::isfinite(cx) && std::isfinite(cy) && cx != 0 && cy != 0;
}

}  // namespace

void Mapping::SetMapMode(std::uint32_t mode) {
    if (mode < kMmText || mode > kMmAnisotropic) return;
    const double mm_x = millimetres_.width, mm_y = millimetres_.height;
    const ExtentF device{double(device_.width), -double(device_.height)};
    switch (mode) {
        case kMmText:
            window_ext_ = viewport_ext_ = {1, 1};
            break;
        case kMmLoMetric:
        case kMmIsotropic:  // starts from the low-metric extents
            window_ext_ = {mm_x * 10, mm_y * 10};
            viewport_ext_ = device;
            break;
        case kMmHiMetric:
            window_ext_ = {mm_x * 100, mm_y * 100};
            viewport_ext_ = device;
            break;
        case kMmLoEnglish:
            window_ext_ = {mm_x * 100 / 25.4, mm_y * 100 / 25.4};
            viewport_ext_ = device;
            break;
        case kMmHiEnglish:
            window_ext_ = {mm_x * 1000 / 25.4, mm_y * 1000 / 25.4};
            viewport_ext_ = device;
            break;
        case kMmTwips:
            window_ext_ = {mm_x * 1440 / 25.4, mm_y * 1440 / 25.4};
            viewport_ext_ = device;
            break;
        case kMmAnisotropic:  // keeps the extents of the mode before
            break;
    }
    mode_ = mode;
}

void Mapping::SetWindowExt(double cx, double cy) {
    if (mode_ != kMmIsotropic && mode_ != kMmAnisotropic) return;
    if (!UsableExtent(cx, cy)) return;
    window_ext_ = {cx, cy};
    FitIsotropic();
}

void Mapping::SetViewportExt(double cx, double cy) {
    if (mode_ != kMmIsotropic && mode_ != kMmAnisotropic) return;
    if (!UsableExtent(cx, cy)) return;
    viewport_ext_ = {cx, cy};
    FitIsotropic();
}

void Mapping::ScaleWindowExt(std::int32_t xnum, std::int32_t xdenom, std::int32_t ynum,
                             std::int32_t ydenom) {
    if (xdenom == 0 || ydenom == 0) return;
    SetWindowExt(window_ext_.cx * xnum / xdenom, window_ext_.cy * ynum / ydenom);
}

void Mapping::ScaleViewportExt(std::int32_t xnum, std::int32_t xdenom, std::int32_t ynum,
                               std::int32_t ydenom) {
    if (xdenom == 0 || ydenom == 0) return;
    SetViewportExt(viewport_ext_.cx * xnum / xdenom, viewport_ext_.cy * ynum / ydenom);
}

void Mapping::FitIsotropic() {
    if (mode_ != kMmIsotropic) return;
    // The size of one unit on each axis, in millimetres of the reference device.
    const double xdim =
        std::abs(viewport_ext_.cx * millimetres_.width / device_.width / window_ext_.cx);
    const double ydim =
        std::abs(viewport_ext_.cy * millimetres_.height / device_.height / window_ext_.cy);
    if (!(xdim > 0) || !(ydim > 0)) return;
    if (xdim > ydim) {
        viewport_ext_.cx *= ydim / xdim;
    } else {
        viewport_ext_.cy *= xdim / ydim;
    }
}

bool Mapping::SetWorldTransform(const Xform& world) {
    if (!world.Usable()) return false;
    world_ = world;
    return true;
}

bool Mapping::ModifyWorldTransform(const Xform& xform, std::uint32_t mode) {
    switch (mode) {
        case kMwtIdentity:
            world_ = Xform{};
            return true;
        case kMwtLeftMultiply:
            return SetWorldTransform(Then(xform, world_));
        case kMwtRightMultiply:
            return SetWorldTransform(Then(world_, xform));
        case kMwtSet:
            return SetWorldTransform(xform);
        default:
            return false;
    }
}

Xform Mapping::ToDevice() const {
    const double sx = viewport_ext_.cx / window_ext_.cx;
    const double sy = viewport_ext_.cy / window_ext_.cy;
    const Xform page{
        sx, 0, 0, sy, viewport_org_.x - window_org_.x * sx, viewport_org_.y - window_org_.y * sy};
    return Then(world_, page);
}

}  // namespace velk::emf
