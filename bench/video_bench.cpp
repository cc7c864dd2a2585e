// A video's frames as the player shows them: 300 frames of a 640 x 480 MPEG-4 clip decoded on
// the playback's worker, converted to the drawing layer's pixels and copied into a page-sized
// back buffer at the virtual times they are due, beside FFmpeg decoding the same file from
// memory and swscale-converting each frame alone (what any player pays at the least). Both
// sides are measured in the process's CPU time.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include "gfx/surface.h"
#include "hosts/headless/virtual_clock.h"
#include "hosts/posix/posix_file_system.h"
#include "media/media_hub.h"
#include "media_fixtures.h"

namespace velk {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 300;
constexpr int kFps = 25;

constexpr test::TestMedia kClip{.width = kWidth,
                                .height = kHeight,
                                .fps = kFps,
                                .frames = kFrames,
                                .with_audio = false,
                                .keyframe_interval = 25,
                                .textured = true};

// The player: the clip opened from the disk through the media hub (read in pieces, as on the
// desktop), played on a virtual clock frame by frame.
int PlayWithVelk(const std::string& path, Surface& page) {
    posix::PosixFileSystem files;
    headless::VirtualClock clock;
    media::MediaHub hub(files, clock, nullptr);
    auto playback = hub.Open(path);
    if (!playback) return 0;
    playback->Play();
    int shown = 0;
    for (;;) {
        const Surface* frame = playback->CurrentFrame();
        if (frame && playback->State() == media::PlaybackState::kPlaying &&
            playback->PositionFrame() == shown) {
            for (int y = 0; y < frame->Height(); ++y)
                std::copy_n(frame->Row(y), frame->Width(), page.Row(y));
            ++shown;
        }
        const auto due = playback->NextFrameDue();
        if (playback->Update() || !due) break;
        clock.Advance(*due - clock.TickCount());
    }
    return shown;
}

struct Memory {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

int Read(void* opaque, std::uint8_t* out, int size) {
    auto* m = static_cast<Memory*>(opaque);
    const auto n = std::min<std::size_t>(std::size_t(size), m->bytes->size() - m->at);
    if (n == 0) return AVERROR_EOF;
    std::memcpy(out, m->bytes->data() + m->at, n);
    m->at += n;
    return int(n);
}

std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
    auto* m = static_cast<Memory*>(opaque);
    if (whence == AVSEEK_SIZE) return std::int64_t(m->bytes->size());
    const std::int64_t base = whence == SEEK_CUR   ? std::int64_t(m->at)
                              : whence == SEEK_END ? std::int64_t(m->bytes->size())
                                                   : 0;
    m->at = std::size_t(std::clamp<std::int64_t>(base + offset, 0, std::int64_t(m->bytes->size())));
    return std::int64_t(m->at);
}

// FFmpeg alone: demux from memory, decode, convert each frame once.
int DecodeWithFfmpeg(const std::vector<std::uint8_t>& clip, std::vector<std::uint32_t>& pixels) {
    Memory memory{&clip};
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(65536));
    AVIOContext* io = avio_alloc_context(buffer, 65536, 0, &memory, Read, nullptr, Seek);
    AVFormatContext* format = avformat_alloc_context();
    format->pb = io;
    int frames = 0;
    if (avformat_open_input(&format, nullptr, nullptr, nullptr) == 0 &&
        avformat_find_stream_info(format, nullptr) >= 0) {
        const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        const AVCodec* codec = avcodec_find_decoder(format->streams[index]->codecpar->codec_id);
        AVCodecContext* context = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(context, format->streams[index]->codecpar);
        context->thread_count = 1;
        avcodec_open2(context, codec, nullptr);
        SwsContext* sws = nullptr;
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        pixels.resize(std::size_t(kWidth) * kHeight);
        const auto receive = [&] {
            while (avcodec_receive_frame(context, frame) == 0) {
                sws = sws_getCachedContext(
                    sws, frame->width, frame->height, AVPixelFormat(frame->format), kWidth, kHeight,
                    AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
                std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(pixels.data())};
                int strides[4] = {kWidth * 4};
                sws_scale(sws, frame->data, frame->linesize, 0, frame->height, planes, strides);
                ++frames;
            }
        };
        while (av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == index) avcodec_send_packet(context, packet);
            av_packet_unref(packet);
            receive();
        }
        avcodec_send_packet(context, nullptr);
        receive();
        av_frame_free(&frame);
        av_packet_free(&packet);
        sws_freeContext(sws);
        avcodec_free_context(&context);
    }
    avformat_close_input(&format);
    av_freep(&io->buffer);
    avio_context_free(&io);
    return frames;
}

// The CPU time of the whole process: the player's decoding runs on its worker thread, and on a
// busy machine the time waited for a core is no work of either side.
std::chrono::duration<double> ProcessCpuTime() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::duration<double>(double(now.tv_sec) + double(now.tv_nsec) * 1e-9);
}

void BM_VideoFramesAgainstFfmpeg(benchmark::State& state) {
    const auto clip = test::MakeTestVideo(kClip);
    const std::string path = std::filesystem::temp_directory_path() / "velk-video-bench.avi";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(clip.data()), std::streamsize(clip.size()));
    Surface page(kWidth, kHeight);
    std::vector<std::uint32_t> reference;
    std::chrono::duration<double> velk{0}, ffmpeg{0};
    for (auto _ : state) {
        const auto t0 = ProcessCpuTime();
        const int shown = PlayWithVelk(path, page);
        benchmark::DoNotOptimize(page.Pixels().data());
        const auto t1 = ProcessCpuTime();
        const int decoded = DecodeWithFfmpeg(clip, reference);
        benchmark::DoNotOptimize(reference.data());
        const auto t2 = ProcessCpuTime();
        if (shown != kFrames || decoded != kFrames) {
            state.SkipWithError("the clip did not play whole");
            return;
        }
        velk += t1 - t0;
        ffmpeg += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    std::filesystem::remove(path);
    state.counters["velk_per_ffmpeg"] = ffmpeg.count() > 0 ? velk.count() / ffmpeg.count() : 0;
    state.counters["ms_per_frame"] = 1000 * velk.count() / double(state.iterations()) / kFrames;
}
BENCHMARK(BM_VideoFramesAgainstFfmpeg)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
