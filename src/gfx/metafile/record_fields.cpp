#include <bit>
#include <cstdint>

#include "gfx/metafile/records.h"

namespace velk::emf {

std::vector<PointF> ReadPoints(ByteReader& in, std::uint32_t count, bool wide) {
    in.RequireItems(count, wide ? 8 : 4);
    std::vector<PointF> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (wide) {
            const double x = in.I32();
            points.push_back({x, double(in.I32())});
        } else {
            const double x = static_cast<std::int16_t>(in.U16());
            points.push_back({x, double(static_cast<std::int16_t>(in.U16()))});
        }
    }
    return points;
}

float ReadFloat(ByteReader& in) {
    return std::bit_cast<float>(in.U32());
}

Xform ReadXform(ByteReader& in) {
    Xform x;
    x.m11 = ReadFloat(in);
    x.m12 = ReadFloat(in);
    x.m21 = ReadFloat(in);
    x.m22 = ReadFloat(in);
    x.dx = ReadFloat(in);
    x.dy = ReadFloat(in);
    return x;
}

}  // namespace velk::emf
