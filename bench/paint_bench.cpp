// A full paint of a 1024 x 768 page holding 100 objects of the static kinds, as the window
// repaints it: background, master page, page, master layer, border.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>

#ifdef VELK_BENCH_QT
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#endif

#include "base/pixel_dispatch.h"
#include "document/project.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "hosts/headless/recording_ui.h"
#include "objects/picture_cache.h"
#include "pages/page_painter.h"

namespace velk {
namespace {

constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 768;

Picture Pattern(std::int32_t width, std::int32_t height, std::uint8_t seed) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bytes.reserve(std::size_t(width) * std::size_t(height) * 3);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            picture.bytes.push_back(static_cast<std::uint8_t>(x * 3 + seed));
            picture.bytes.push_back(static_cast<std::uint8_t>(y * 5 + seed));
            picture.bytes.push_back(static_cast<std::uint8_t>((x ^ y) + seed));
        }
    }
    return picture;
}

// Ten of each: plain and smooth text, push and flat text buttons, frames, lines, raised shapes,
// polygons, plain and keyed images, matrices (ten kinds, 100 objects), spread over the page.
Project HundredObjects() {
    Project project;
    project.header.client_width = kWidth;
    project.header.client_height = kHeight;
    project.header.border = 1;
    Page page;
    page.name = "Busy";
    page.background_colour = 0xF0E8E0;
    for (std::int32_t i = 0; i < 100; ++i) {
        Object o;
        o.name = "Object " + std::to_string(i);
        const std::int32_t x = (i % 10) * 100 + 8, y = (i / 10) * 75 + 8;
        o.rect = {x, y, x + 90, y + 64};
        o.colour1 = 0x3080C0 + static_cast<std::uint32_t>(i);
        o.colour2 = 0x202020;
        switch (i % 10) {
            case 0:
            case 1:
                o.kind = kKindText;
                o.text = "Text " + std::to_string(i) + "\r\nsecond line";
                o.option1 = i % 10 == 1 ? 1 : 0;  // smooth
                o.font.height = 14;
                break;
            case 2:
                o.kind = kKindTextButton;
                o.text = "Button";
                o.param2 = i % 20 == 2 ? 1 : 0;  // flat or push
                o.colour1 = 0x40C0F0;
                break;
            case 3:
                o.kind = kKindFrame;
                o.param1 = static_cast<std::uint32_t>(i % 3);
                break;
            case 4:
                o.kind = kKindLine;
                o.param2 = static_cast<std::uint32_t>(i % 2);
                break;
            case 5:
                o.kind = kKindShape;
                o.param1 = 1;  // raised: the two-pass ring
                o.colour1 = 0xC0C0C0;
                break;
            case 6:
                o.kind = kKindPolygon;
                o.points_a = {{0, 64}, {45, 0}, {90, 64}, {45, 40}};
                break;
            case 7:
                o.kind = kKindImage;
                o.image1 = Pattern(90, 64, static_cast<std::uint8_t>(i));
                break;
            case 8:
                o.kind = kKindImage;
                o.image1 = Pattern(90, 64, static_cast<std::uint8_t>(i));
                o.transparent1 = 1;
                o.colour1 = 0x000000;
                break;
            case 9:
                o.kind = kKindMatrix;
                o.image1 = Pattern(18, 16, 1);
                o.param1 = 5;
                o.param2 = 4;
                o.param4 = 1;
                break;
        }
        page.objects.push_back(std::move(o));
    }
    project.pages.push_back(std::move(page));
    return project;
}

void BM_PaintPage(benchmark::State& state) {
    Project project = HundredObjects();
    Surface surface(kWidth, kHeight);
    FontCache fonts;
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    for (auto _ : state) {
        Canvas canvas(surface);
        PaintPage(project, project.pages[0], canvas, fonts, pictures);
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
    state.counters["pages_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMillisecond);

#ifdef VELK_BENCH_QT
// The same page as Qt's raster engine draws it, aliased, into a QImage: the reference a general
// 2-D library sets for these primitives.
class QtReference {
  public:
    explicit QtReference(const Project& project) : project_(project) {
        font_.setPixelSize(14);
        font_.setStyleStrategy(QFont::NoAntialias);
        button_font_.setPixelSize(16);
        button_font_.setStyleStrategy(QFont::NoAntialias);
        for (const Object& o : project.pages[0].objects) {
            if (o.image1) images_.emplace(&o, ImageOf(*o.image1, o.transparent1 != 0));
        }
    }

    void Paint(QImage& target) {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const Page& page = project_.pages[0];
        painter.fillRect(target.rect(), QColor::fromRgb(Rgb(page.background_colour)));
        for (const Object& o : page.objects) Draw(painter, o);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, kWidth - 1, kHeight - 1);
    }

  private:
    static QRgb Rgb(std::uint32_t colourref) {
        return qRgb(colourref & 0xFF, (colourref >> 8) & 0xFF, (colourref >> 16) & 0xFF);
    }

    static QImage ImageOf(const Picture& picture, bool keyed) {
        QImage image(picture.width, picture.height,
                     keyed ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        const std::uint8_t* p = picture.bytes.data();
        for (std::int32_t y = 0; y < picture.height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (std::int32_t x = 0; x < picture.width; ++x, p += 3) {
                const bool key = keyed && p[0] == 0 && p[1] == 0 && p[2] == 0;
                row[x] = key ? 0 : qRgb(p[0], p[1], p[2]);
            }
        }
        return image;
    }

    static void Ring(QPainter& painter, const QRect& r, const QColor& fill) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Qt::white);
        for (const QRect& outline : {r, r.adjusted(1, 0, 0, 0), r.adjusted(0, 1, 0, 0),
                                     r.adjusted(0, 0, -1, 0), r.adjusted(0, 0, 0, -1)}) {
            painter.drawEllipse(outline.adjusted(0, 0, -1, -1));
        }
        painter.setPen(Qt::darkGray);
        painter.setBrush(fill);
        painter.drawEllipse(r.adjusted(1, 1, -2, -2));
    }

    void Draw(QPainter& painter, const Object& o) {
        const QRect r(o.rect.left, o.rect.top, o.rect.Width(), o.rect.Height());
        const QColor colour = QColor::fromRgb(Rgb(o.colour1));
        switch (o.kind) {
            case kKindText:
                painter.setFont(font_);
                painter.setPen(colour);
                painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(o.text));
                break;
            case kKindTextButton:
                painter.fillRect(r, colour);
                painter.setPen(Qt::white);
                painter.drawLine(r.topLeft(), r.topRight());
                painter.drawLine(r.topLeft(), r.bottomLeft());
                painter.setPen(Qt::darkGray);
                painter.drawLine(r.bottomLeft(), r.bottomRight());
                painter.drawLine(r.topRight(), r.bottomRight());
                painter.setFont(button_font_);
                painter.setPen(Qt::black);
                painter.drawText(r, Qt::AlignCenter, QString::fromLatin1(o.text));
                break;
            case kKindFrame:
                painter.setPen(QColor::fromRgb(Rgb(o.colour2)));
                painter.setBrush(colour);
                painter.drawRect(r.adjusted(0, 0, -1, -1));
                break;
            case kKindLine:
                painter.setPen(colour);
                painter.drawLine(r.topLeft(), r.bottomRight());
                break;
            case kKindShape:
                // The raised ring as the player draws it: five outlines and a filled ellipse,
                // twice, the second time clipped to the triangle below the rising diagonal.
                Ring(painter, r, colour);
                painter.setClipRegion(QRegion(
                    QPolygon({r.bottomLeft(), r.bottomRight() + QPoint(1, 1), r.topRight()})));
                Ring(painter, r, colour);
                painter.setClipping(false);
                break;
            case kKindPolygon: {
                QPolygon polygon;
                for (const Point& p : o.points_a) polygon << QPoint(r.left() + p.x, r.top() + p.y);
                painter.setPen(QColor::fromRgb(Rgb(o.colour2)));
                painter.setBrush(colour);
                painter.drawPolygon(polygon, Qt::OddEvenFill);
                break;
            }
            case kKindImage:
                painter.drawImage(r.topLeft(), images_.at(&o));
                break;
            case kKindMatrix: {
                const QImage& cell = images_.at(&o);
                for (std::uint32_t row = 0; row < o.param2; ++row) {
                    for (std::uint32_t column = 0; column < o.param1; ++column) {
                        painter.drawImage(QPoint(r.left() + static_cast<int>(column) * cell.width(),
                                                 r.top() + static_cast<int>(row) * cell.height()),
                                          cell);
                    }
                }
                break;
            }
            default:
                break;
        }
    }

    const Project& project_;
    QFont font_{"Liberation Sans"};
    QFont button_font_{"Liberation Sans"};
    std::map<const Object*, QImage> images_;
};

QGuiApplication& GuiApplication() {
    static int argc = 1;
    static char name[] = "paint_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    return application;
}

// Both alternate in one run, so the ratio compares like with like: the reported time is the
// player's paint, `velk_per_qt` how many Qt paints of the same primitives it costs.
void BM_PaintPageAgainstQt(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    GuiApplication();
    Project project = HundredObjects();
    Surface surface(kWidth, kHeight);
    FontCache fonts;
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    QtReference reference(project);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::chrono::duration<double> velk{0}, qt{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Canvas canvas(surface);
        PaintPage(project, project.pages[0], canvas, fonts, pictures);
        benchmark::DoNotOptimize(surface.Pixels().data());
        const auto t1 = Clock::now();
        reference.Paint(image);
        benchmark::DoNotOptimize(image.constBits());
        const auto t2 = Clock::now();
        velk += t1 - t0;
        qt += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["velk_per_qt"] = qt.count() > 0 ? velk.count() / qt.count() : 0;
    state.SetLabel(PixelLoopLevel());
}
BENCHMARK(BM_PaintPageAgainstQt)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace velk
