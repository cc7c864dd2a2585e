#include "media_fixtures.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <numbers>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace velk::test {
namespace {

// Frame colours step by 32 in red and in green, far more than lossy coding moves a flat area.
constexpr std::int32_t kLevels = 8;
constexpr std::int32_t kStep = 32;
constexpr std::int32_t kBase = 16;
constexpr std::int32_t kTolerance = 12;

struct Plan {
    const char* format = "avi";
    bool video = true;
    AVCodecID video_codec = AV_CODEC_ID_MPEG4;
    AVPixelFormat pixel_format = AV_PIX_FMT_YUV420P;
    bool audio = true;
    AVCodecID audio_codec = AV_CODEC_ID_PCM_S16LE;
    AVSampleFormat sample_format = AV_SAMPLE_FMT_S16;
    int sample_rate = 22050;
    int channels = 1;
    std::int32_t width = 64, height = 48, fps = 10, frames = 20, keyframes = 10, tone_hz = 440;
    bool textured = false;
    std::int64_t sound_samples = 0;
};

struct FormatFree {
    void operator()(AVFormatContext* c) const {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
struct CodecFree {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;

// Sends one frame (null: the end) and writes every packet that comes out.
bool Encode(AVFormatContext* format, AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    if (avcodec_send_frame(codec, frame) < 0) return false;
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    for (;;) {
        const int result = avcodec_receive_packet(codec, packet.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) return false;
        av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(format, packet.get()) < 0) return false;
    }
}

CodecPtr OpenEncoder(AVCodecID id, AVFormatContext* format,
                     const std::function<void(AVCodecContext&)>& set_up) {
    const AVCodec* codec = avcodec_find_encoder(id);
    if (!codec) return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    set_up(*context);
    if (format->oformat->flags & AVFMT_GLOBALHEADER) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

FramePtr VideoFrame(const Plan& plan, std::int32_t index, SwsContext* sws) {
    FramePtr rgb(av_frame_alloc()), out(av_frame_alloc());
    rgb->format = AV_PIX_FMT_BGR0;
    rgb->width = out->width = plan.width;
    rgb->height = out->height = plan.height;
    out->format = plan.pixel_format;
    if (av_frame_get_buffer(rgb.get(), 0) < 0 || av_frame_get_buffer(out.get(), 0) < 0)
        return nullptr;
    const Bgrx colour = TestFrameColour(index);
    for (int y = 0; y < plan.height; ++y) {
        auto* row = reinterpret_cast<Bgrx*>(rgb->data[0] + y * rgb->linesize[0]);
        std::fill_n(row, plan.width, colour);
        if (!plan.textured) continue;
        for (int x = 0; x < plan.width; ++x) {
            const bool centre = std::abs(x - plan.width / 2) < plan.width / 8 &&
                                std::abs(y - plan.height / 2) < plan.height / 8;
            const auto stripe = static_cast<Bgrx>(((x * 3 + y * 5 + index * 8) / 4) & 0x3F);
            if (!centre) row[x] = colour ^ (stripe * 0x010301u);
        }
    }
    sws_scale(sws, rgb->data, rgb->linesize, 0, plan.height, out->data, out->linesize);
    out->pts = index;
    out->quality = FF_QP2LAMBDA * 2;
    return out;
}

FramePtr SoundFrame(const AVCodecContext& codec, const Plan& plan, std::int64_t first, int count) {
    FramePtr frame(av_frame_alloc());
    frame->format = codec.sample_fmt;
    frame->nb_samples = count;
    frame->sample_rate = codec.sample_rate;
    if (av_channel_layout_copy(&frame->ch_layout, &codec.ch_layout) < 0 ||
        av_frame_get_buffer(frame.get(), 0) < 0)
        return nullptr;
    for (int i = 0; i < count; ++i) {
        const double value = 0.25 * std::sin(2 * std::numbers::pi * plan.tone_hz *
                                             double(first + i) / plan.sample_rate);
        for (int c = 0; c < plan.channels; ++c) {
            if (codec.sample_fmt == AV_SAMPLE_FMT_FLTP) {
                reinterpret_cast<float*>(frame->data[c])[i] = static_cast<float>(value);
            } else {
                reinterpret_cast<std::int16_t*>(frame->data[0])[i * plan.channels + c] =
                    static_cast<std::int16_t>(value * 32767);
            }
        }
    }
    frame->pts = first;
    return frame;
}

bool WritePlan(const Plan& plan, const std::string& path) {
    av_log_set_level(AV_LOG_ERROR);  // the encoders report their statistics otherwise
    AVFormatContext* raw = nullptr;
    if (avformat_alloc_output_context2(&raw, nullptr, plan.format, path.c_str()) < 0) return false;
    std::unique_ptr<AVFormatContext, FormatFree> format(raw);
    CodecPtr video, audio;
    AVStream* video_stream = nullptr;
    AVStream* audio_stream = nullptr;
    if (plan.video) {
        video = OpenEncoder(plan.video_codec, raw, [&](AVCodecContext& c) {
            c.width = plan.width;
            c.height = plan.height;
            c.time_base = AVRational{1, plan.fps};
            c.framerate = AVRational{plan.fps, 1};
            c.pix_fmt = plan.pixel_format;
            c.gop_size = plan.keyframes;
            c.max_b_frames = 0;
            c.flags |= AV_CODEC_FLAG_QSCALE;
            c.global_quality = FF_QP2LAMBDA * 2;
            if (plan.pixel_format == AV_PIX_FMT_YUVJ420P) c.color_range = AVCOL_RANGE_JPEG;
        });
        video_stream = avformat_new_stream(raw, nullptr);
        if (!video || !video_stream) return false;
        video_stream->time_base = video->time_base;
        video_stream->avg_frame_rate = video->framerate;
        avcodec_parameters_from_context(video_stream->codecpar, video.get());
    }
    if (plan.audio) {
        audio = OpenEncoder(plan.audio_codec, raw, [&](AVCodecContext& c) {
            c.sample_fmt = plan.sample_format;
            c.sample_rate = plan.sample_rate;
            av_channel_layout_default(&c.ch_layout, plan.channels);
            c.time_base = AVRational{1, plan.sample_rate};
            c.bit_rate = 96000;
        });
        audio_stream = avformat_new_stream(raw, nullptr);
        if (!audio || !audio_stream) return false;
        audio_stream->time_base = audio->time_base;
        avcodec_parameters_from_context(audio_stream->codecpar, audio.get());
    }
    if (avio_open(&raw->pb, path.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(raw, nullptr) < 0) return false;

    std::unique_ptr<SwsContext, decltype(&sws_freeContext)> sws(
        plan.video
            ? sws_getContext(plan.width, plan.height, AV_PIX_FMT_BGR0, plan.width, plan.height,
                             plan.pixel_format, SWS_BILINEAR, nullptr, nullptr, nullptr)
            : nullptr,
        &sws_freeContext);
    // Pictures and sound in time order, so that the file is interleaved as a real one is.
    std::int32_t next_frame = plan.video ? 0 : plan.frames;
    std::int64_t next_sample = plan.audio ? 0 : plan.sound_samples;
    const int chunk = audio && audio->frame_size > 0 ? audio->frame_size : plan.sample_rate / 10;
    while (next_frame < plan.frames || next_sample < plan.sound_samples) {
        const bool picture_first =
            next_frame < plan.frames &&
            (next_sample >= plan.sound_samples ||
             std::int64_t(next_frame) * plan.sample_rate <= next_sample * plan.fps);
        if (picture_first) {
            auto frame = VideoFrame(plan, next_frame++, sws.get());
            if (!frame || !Encode(raw, video.get(), video_stream, frame.get())) return false;
        } else {
            const int count =
                static_cast<int>(std::min<std::int64_t>(chunk, plan.sound_samples - next_sample));
            auto frame = SoundFrame(*audio, plan, next_sample, count);
            next_sample += count;
            if (!frame || !Encode(raw, audio.get(), audio_stream, frame.get())) return false;
        }
    }
    if (video && !Encode(raw, video.get(), video_stream, nullptr)) return false;
    if (audio && !Encode(raw, audio.get(), audio_stream, nullptr)) return false;
    return av_write_trailer(raw) >= 0;
}

Plan PlanFor(const TestMedia& media) {
    Plan plan;
    plan.width = media.width;
    plan.height = media.height;
    plan.fps = media.fps;
    plan.frames = media.frames;
    plan.keyframes = media.keyframe_interval;
    plan.tone_hz = media.tone_hz;
    plan.textured = media.textured;
    plan.audio = media.with_audio;
    if (media.codec == TestVideoCodec::kMjpeg) {
        plan.video_codec = AV_CODEC_ID_MJPEG;
        plan.pixel_format = AV_PIX_FMT_YUVJ420P;
    }
    if (media.container == TestContainer::kMp4) {
        plan.format = "mp4";
        plan.audio_codec = AV_CODEC_ID_AAC;
        plan.sample_format = AV_SAMPLE_FMT_FLTP;
        plan.sample_rate = 44100;
        plan.channels = 2;
    }
    if (media.container == TestContainer::kWav) {
        plan.format = "wav";
        plan.video = false;
        plan.audio = true;
    }
    plan.sound_samples = std::int64_t(plan.frames) * plan.sample_rate / std::max(plan.fps, 1);
    return plan;
}

std::vector<std::uint8_t> MakeThroughFile(const Plan& plan) {
    std::string path =
        (std::filesystem::temp_directory_path() / "velk-media-XXXXXX").string() + "." + plan.format;
    const int fd = ::mkstemps(path.data(), static_cast<int>(std::string(plan.format).size() + 1));
    if (fd < 0) return {};
    ::close(fd);
    std::vector<std::uint8_t> bytes;
    if (WritePlan(plan, path)) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ::unlink(path.c_str());
    return bytes;
}

}  // namespace

Bgrx TestFrameColour(std::int32_t index) {
    const std::int32_t i =
        ((index % (kLevels * kLevels)) + kLevels * kLevels) % (kLevels * kLevels);
    return MakeBgrx(static_cast<std::uint8_t>(kBase + (i % kLevels) * kStep),
                    static_cast<std::uint8_t>(kBase + (i / kLevels) * kStep), 128);
}

std::int32_t TestFrameIndex(Bgrx pixel) {
    const auto level = [](int value) {
        const int step = (value - kBase + kStep / 2) / kStep;
        if (step < 0 || step >= kLevels) return -1;
        return std::abs(value - (kBase + step * kStep)) <= kTolerance ? step : -1;
    };
    const int r = level(RedOf(pixel)), g = level(GreenOf(pixel));
    if (r < 0 || g < 0 || std::abs(BlueOf(pixel) - 128) > kTolerance) return -1;
    return g * kLevels + r;
}

std::int32_t TestFrameIndex(const Surface* picture) {
    if (!picture || picture->Empty()) return -1;
    return TestFrameIndex(picture->At(picture->Width() / 2, picture->Height() / 2));
}

std::vector<std::uint8_t> MakeTestVideo(const TestMedia& media) {
    return MakeThroughFile(PlanFor(media));
}

bool WriteTestVideo(const std::string& path, const TestMedia& media) {
    return WritePlan(PlanFor(media), path);
}

std::vector<std::uint8_t> MakeTestWav(std::int32_t ms, std::int32_t sample_rate,
                                      std::int32_t channels, std::int32_t tone_hz) {
    Plan plan;
    plan.format = "wav";
    plan.video = false;
    plan.sample_rate = sample_rate;
    plan.channels = channels;
    plan.tone_hz = tone_hz;
    plan.sound_samples = std::int64_t(ms) * sample_rate / 1000;
    return MakeThroughFile(plan);
}

}  // namespace velk::test
