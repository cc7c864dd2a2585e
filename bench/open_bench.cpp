// Opening a project whose pictures stay coded until they are drawn, beside opening it and
// decoding every picture at once as an eager reader would.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/jpeg_codec.h"
#include "codec/zlib_codec.h"
#include "document/container.h"
#include "document/load_context.h"
#include "document/picture_io.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"
#include "synthetic_photo.h"

namespace velk {
namespace {

constexpr int kPages = 8;
constexpr int kPicturesPerPage = 4;  // half JPEG, half zlib
constexpr std::int32_t kPictureWidth = 640;
constexpr std::int32_t kPictureHeight = 480;

RgbImage Photo(int seed) {
    return bench::SyntheticPhoto(kPictureWidth, kPictureHeight, seed);
}

Picture Coded(const RgbImage& image, bool jpeg) {
    Picture picture;
    picture.width = image.width;
    picture.height = image.height;
    if (jpeg) {
        picture.coding = PictureCoding::kJpeg;
        picture.bytes = EncodeJpeg(image);
    } else {
        picture.coding = PictureCoding::kZlib;
        picture.size = static_cast<std::uint32_t>(image.pixels.size());
        picture.bytes = Deflate(image.pixels);
    }
    return picture;
}

std::vector<std::uint8_t> ProjectFile() {
    Project project;
    for (int p = 0; p < kPages; ++p) {
        Page page;
        page.name = "Page " + std::to_string(p + 1);
        for (int i = 0; i < kPicturesPerPage; ++i) {
            Object image;
            image.kind = kKindImage;
            image.name = "Picture " + std::to_string(i);
            image.rect = {0, 0, kPictureWidth, kPictureHeight};
            image.image1 = Coded(Photo(p * kPicturesPerPage + i), i % 2 == 0);
            page.objects.push_back(std::move(image));
        }
        project.pages.push_back(std::move(page));
    }
    return WriteProjectArchive(project, kCurrentProjectVersion, true);
}

Project Open(const std::vector<std::uint8_t>& file) {
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    LoadContext ctx{ui, profile};
    LoadResult result = ReadProjectArchive(file, ctx);
    if (result.status != LoadStatus::kLoaded) std::abort();
    return std::move(result.project);
}

std::size_t DecodeAll(const Project& project) {
    std::size_t bytes = 0;
    for (const Page& page : project.pages) {
        for (const Object& object : page.objects) {
            if (object.image1) bytes += DecodePicture(*object.image1).image.pixels.size();
        }
    }
    return bytes;
}

void BM_OpenLazy(benchmark::State& state) {
    const auto file = ProjectFile();
    for (auto _ : state) {
        Project project = Open(file);
        benchmark::DoNotOptimize(project.pages.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_OpenLazy)->Unit(benchmark::kMillisecond);

// The reported time is the eager open; `eager_per_lazy` how many lazy opens it costs.
void BM_OpenEagerDecode(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const auto file = ProjectFile();
    std::chrono::duration<double> open{0}, total{0};
    for (auto _ : state) {
        auto t0 = Clock::now();
        Project project = Open(file);
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(DecodeAll(project));
        auto t2 = Clock::now();
        open += t1 - t0;
        total += t2 - t0;
        state.SetIterationTime(std::chrono::duration<double>(t2 - t0).count());
    }
    state.counters["eager_per_lazy"] = open.count() > 0 ? total.count() / open.count() : 0;
    state.counters["pictures"] = kPages * kPicturesPerPage;
}
BENCHMARK(BM_OpenEagerDecode)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
