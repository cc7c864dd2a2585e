#include "media/ffmpeg_convert.h"

#include <algorithm>
#include <limits>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "host/host.h"

namespace velk::media {
namespace {

constexpr int kOutRate = host::AudioOutput::kSampleRate;
constexpr int kOutChannels = host::AudioOutput::kChannels;
// More sound than this in one decoded frame (a second and a half at the output rate) is a
// hostile file's claim, not sound.
constexpr int kMaxFrameSamples = kOutRate * 3 / 2;
// The weight of a mono input in the left and the right output.
constexpr double kMonoToBoth[2] = {1.0, 1.0};

}  // namespace

VideoConverter::~VideoConverter() {
    sws_freeContext(context_);
}

bool VideoConverter::Convert(const AVFrame& frame, Surface& out) {
    if (frame.width <= 0 || frame.height <= 0 || !frame.data[0]) return false;
    const auto format = static_cast<AVPixelFormat>(frame.format);
    if (!av_pix_fmt_desc_get(format)) return false;
    context_ = sws_getCachedContext(context_, frame.width, frame.height, format, width_, height_,
                                    AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!context_) return false;
    if (out.Width() != width_ || out.Height() != height_) out = Surface(width_, height_);
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(out.Row(0)), nullptr, nullptr,
                               nullptr};
    int strides[4] = {width_ * 4, 0, 0, 0};
    if (sws_scale(context_, frame.data, frame.linesize, 0, frame.height, planes, strides) <= 0)
        return false;
    // swscale fills the padding byte with 255 on some paths; the drawing layer keeps it 0.
    for (Bgrx& pixel : out.Pixels()) pixel &= 0x00FFFFFF;
    return true;
}

AudioConverter::~AudioConverter() {
    swr_free(&context_);
}

void AudioConverter::Reset() {
    swr_free(&context_);
    in_rate_ = 0;
}

bool AudioConverter::Convert(const AVFrame& frame, std::vector<std::int16_t>& out) {
    if (frame.nb_samples <= 0 || frame.sample_rate <= 0 || frame.sample_rate > 768000 ||
        frame.ch_layout.nb_channels <= 0 || frame.ch_layout.nb_channels > 64)
        return false;
    const std::uint64_t layout_key =
        (frame.ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? frame.ch_layout.u.mask : 0) ^
        (std::uint64_t(frame.ch_layout.nb_channels) << 56);
    if (!context_ || frame.sample_rate != in_rate_ || frame.format != in_format_ ||
        layout_key != in_layout_key_) {
        swr_free(&context_);
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        // This FFmpeg takes the layouts by non-const pointer; it only reads them.
        if (swr_alloc_set_opts2(&context_, &stereo, AV_SAMPLE_FMT_S16, kOutRate,
                                const_cast<AVChannelLayout*>(&frame.ch_layout),
                                static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0,
                                nullptr) < 0 ||
            // Mono plays at full level on both sides, not as a centre speaker mixed down.
            (frame.ch_layout.nb_channels == 1 && swr_set_matrix(context_, kMonoToBoth, 1) < 0) ||
            swr_init(context_) < 0) {
            swr_free(&context_);
            return false;
        }
        in_rate_ = frame.sample_rate;
        in_format_ = frame.format;
        in_layout_key_ = layout_key;
    }
    const int room = swr_get_out_samples(context_, frame.nb_samples);
    if (room <= 0 || room > kMaxFrameSamples) return false;
    const std::size_t start = out.size();
    out.resize(start + std::size_t(room) * kOutChannels);
    std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(out.data() + start)};
    const int made =
        swr_convert(context_, planes, room, const_cast<const std::uint8_t**>(frame.extended_data),
                    frame.nb_samples);
    out.resize(start + std::size_t(std::max(made, 0)) * kOutChannels);
    return made >= 0;
}

}  // namespace velk::media
