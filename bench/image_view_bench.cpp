// One turn of the image view: a 1024 x 768 picture scaled to 1100 x 820 and turned by 30
// degrees (TransformView: bilinear scaling, then the bilinear turn with its soft-edged mask),
// beside Qt's raster engine drawing the same picture scaled and turned into a QImage with a
// transform, nearest pixel (smooth pixmap transform off). `velk_per_qt` is the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#ifdef VELK_BENCH_QT
#include <QImage>
#include <QPainter>
#include <QTransform>
#endif

#include "document/object.h"
#include "hosts/headless/recording_ui.h"
#include "objects/picture_cache.h"
#include "objects/pictures/image_view.h"
#include "synthetic_photo.h"

namespace velk {
namespace {

constexpr std::int32_t kWidth = 1024;
constexpr std::int32_t kHeight = 768;
constexpr Size kScaled{1100, 820};
constexpr double kAngle = 30.0;

Object Photo() {
    RgbImage photo = bench::SyntheticPhoto(kWidth, kHeight, 1);
    Object image;
    image.kind = kKindImage;
    image.rect = {0, 0, kWidth, kHeight};
    image.flag_a = false;
    image.image1 = Picture{.width = kWidth, .height = kHeight, .bytes = std::move(photo.pixels)};
    return image;
}

// Each run starts from the unturned picture, so every TransformView does the whole work.
void Turn(Object& image, PictureCache& pictures) {
    image.image_view = {};
    image.rect = {0, 0, kWidth, kHeight};
    TransformView(image, pictures, kScaled, kAngle, true, true);
    benchmark::DoNotOptimize(image.image2->bytes.data());
}

void BM_TransformView(benchmark::State& state) {
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    Object image = Photo();
    for (auto _ : state) Turn(image, pictures);
}
BENCHMARK(BM_TransformView)->Unit(benchmark::kMillisecond);

#ifdef VELK_BENCH_QT
QImage QtPhoto() {
    const RgbImage photo = bench::SyntheticPhoto(kWidth, kHeight, 1);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (std::int32_t y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const std::uint8_t* p = &photo.pixels[(std::size_t(y) * kWidth + x) * 3];
            row[x] = qRgb(p[0], p[1], p[2]);
        }
    }
    return image;
}

// The same scale and turn about the picture's centre into a new image of the turned size.
void QtTurn(const QImage& source, const QSize& size) {
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    QTransform transform;
    transform.translate(size.width() / 2.0, size.height() / 2.0);
    transform.rotate(kAngle);
    transform.scale(double(kScaled.width) / kWidth, double(kScaled.height) / kHeight);
    transform.translate(-kWidth / 2.0, -kHeight / 2.0);
    painter.setTransform(transform);
    painter.drawImage(0, 0, source);
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
}

// Both alternate in one run, so the ratio compares like with like.
void BM_TransformViewAgainstQt(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    headless::RecordingUi ui;
    PictureCache pictures(ui);
    Object image = Photo();
    const QImage source = QtPhoto();
    Turn(image, pictures);
    const QSize size(image.image2->width, image.image2->height);
    std::chrono::duration<double> velk{0}, qt{0};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Turn(image, pictures);
        const auto t1 = Clock::now();
        QtTurn(source, size);
        const auto t2 = Clock::now();
        velk += t1 - t0;
        qt += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["velk_per_qt"] = qt.count() > 0 ? velk.count() / qt.count() : 0;
}
BENCHMARK(BM_TransformViewAgainstQt)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace velk
