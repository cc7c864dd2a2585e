#include "hosts/qt/cursors.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QTransform>
#include <array>

#include "base/byte_reader.h"

namespace velk::desktop {

namespace {

struct CurHeader {
    std::uint32_t width;  // of the first image, as the directory states it
    std::uint32_t height;
    std::uint16_t hotspot_x;
    std::uint16_t hotspot_y;
};

// The icon-directory header of a cursor file (type 2) and its first entry.
std::optional<CurHeader> ReadCurHeader(std::span<const std::uint8_t> bytes) {
    try {
        ByteReader in(bytes);
        if (in.U16() != 0 || in.U16() != 2 || in.U16() == 0) return std::nullopt;
        const std::uint8_t width = in.U8();
        const std::uint8_t height = in.U8();
        in.Skip(2);  // colour count, reserved
        CurHeader header{width == 0 ? 256u : width, height == 0 ? 256u : height, 0, 0};
        header.hotspot_x = in.U16();
        header.hotspot_y = in.U16();
        return header;
    } catch (const ArchiveError&) {
        return std::nullopt;
    }
}

// The standard shapes that stand in for the player's cursor resources.
struct ResourceShape {
    std::int32_t resource;
    Qt::CursorShape shape;
};
constexpr std::array kResourceShapes = {
    ResourceShape{18007, Qt::PointingHandCursor},
    ResourceShape{18008, Qt::ArrowCursor},
    ResourceShape{18015, Qt::ClosedHandCursor},
    ResourceShape{18026, Qt::CrossCursor},
    ResourceShape{18027, Qt::IBeamCursor},
    ResourceShape{18028, Qt::WhatsThisCursor},
    ResourceShape{18029, Qt::UpArrowCursor},
    ResourceShape{18030, Qt::SizeAllCursor},
    ResourceShape{18031, Qt::SizeHorCursor},
    ResourceShape{18032, Qt::SizeVerCursor},
    ResourceShape{18033, Qt::OpenHandCursor},
    ResourceShape{18034, Qt::ForbiddenCursor},
    ResourceShape{18035, Qt::BusyCursor},
    // A panorama held at its press point, and over its hot spot.
    ResourceShape{18004, Qt::SizeAllCursor},
    ResourceShape{18024, Qt::PointingHandCursor},
};

Qt::CursorShape ShapeOfResource(std::int32_t resource) {
    for (const auto& r : kResourceShapes) {
        if (r.resource == resource) return r.shape;
    }
    return Qt::ArrowCursor;
}

// The cursors a dragged panorama shows for the way it turns: a thick arrow pointing up, down,
// left or right (`quarter_turns` clockwise from up), black with a white edge, its hot spot in
// the middle. Qt has no standard shape for each of the four.
struct DirectionCursor {
    std::int32_t resource;
    int quarter_turns;
};
constexpr std::array kDirectionCursors = {DirectionCursor{18020, 0}, DirectionCursor{18023, 1},
                                          DirectionCursor{18021, 2}, DirectionCursor{18022, 3}};

QCursor ArrowCursor(int quarter_turns) {
    constexpr int kSide = 32;
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(kSide / 2.0, kSide / 2.0);
    painter.rotate(90.0 * quarter_turns);
    const QPolygonF arrow({{0, -13}, {10, -1}, {4, -1}, {4, 13}, {-4, 13}, {-4, -1}, {-10, -1}});
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
    painter.end();
    return QCursor(pixmap, kSide / 2, kSide / 2);
}

QCursor CursorOfResource(std::int32_t resource) {
    for (const auto& d : kDirectionCursors) {
        if (d.resource == resource) return ArrowCursor(d.quarter_turns);
    }
    return QCursor(ShapeOfResource(resource));
}

}  // namespace

std::optional<QCursor> CursorFromCurFile(std::span<const std::uint8_t> bytes) {
    const auto header = ReadCurHeader(bytes);
    if (!header) return std::nullopt;
    QImage image;
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    if (!image.loadFromData(data, "CUR") || image.isNull()) return std::nullopt;
    // The hot spot is given for the size the directory states; keep it on the image actually
    // decoded.
    const int x = static_cast<int>(std::uint64_t{header->hotspot_x} *
                                   static_cast<std::uint64_t>(image.width()) / header->width);
    const int y = static_cast<int>(std::uint64_t{header->hotspot_y} *
                                   static_cast<std::uint64_t>(image.height()) / header->height);
    return QCursor(QPixmap::fromImage(image), std::min(x, image.width() - 1),
                   std::min(y, image.height() - 1));
}

QCursor CursorFor(const host::Cursor& cursor) {
    switch (cursor.shape) {
        case host::CursorShape::kDefault:
            return QCursor(Qt::ArrowCursor);
        case host::CursorShape::kHand:
            return QCursor(Qt::PointingHandCursor);
        case host::CursorShape::kTableEntry:
            return CursorOfResource(cursor.resource);
        case host::CursorShape::kBusy:
            return QCursor(ShapeOfResource(18015));
        case host::CursorShape::kProjectFile:
            if (cursor.file) {
                if (auto loaded = CursorFromCurFile(*cursor.file)) return *loaded;
            }
            return QCursor(Qt::ArrowCursor);
    }
    return QCursor(Qt::ArrowCursor);
}

}  // namespace velk::desktop
