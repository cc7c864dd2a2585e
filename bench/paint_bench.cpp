// A full paint of a 1024 x 768 page holding 100 objects of the static kinds, as the window
// repaints it: background, master page, page, master layer, border.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "document/project.h"
#include "platform/headless/recording_ui.h"
#include "render/canvas.h"
#include "render/font_cache.h"
#include "render/page_painter.h"
#include "render/picture_cache.h"
#include "render/surface.h"

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
    host::RecordingUi ui;
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

}  // namespace
}  // namespace velk
