#include "media/ffmpeg_decoder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

#include "media/ffmpeg_convert.h"
#include "media/ffmpeg_io.h"

namespace velk::media {
namespace {

constexpr AVRational kMicroseconds{1, 1000000};
// Media times are kept within about 115 days, so that sums of them never overflow.
constexpr std::int64_t kMaxTimeUs = std::int64_t{10'000'000} * 1'000'000;
// Reading errors in a row, away from the end of the file, after which the file counts as ended.
constexpr int kMaxReadErrors = 64;
// The containers a presentation's media come in. FFmpeg knows hundreds more, most of them never
// met in a presentation and each one more parser for a hostile file to reach.
constexpr const char* kFormats =
    "avi,mov,asf,wav,w64,mp3,mpeg,mpegts,mpegvideo,m4v,ogg,flac,aiff,matroska,au,voc,aac,flv,"
    "dv,rm";
// The largest block FFmpeg may allocate at once: more than any picture within the limits needs
// (8192 x 8192 in 4:2:0), far less than a damaged header may claim for a metadata text.
constexpr std::size_t kMaxAllocation = std::size_t{256} << 20;
// Samples of one channel in one decoded piece of sound: far more than any codec's frame.
constexpr std::int64_t kMaxSamplesPerFrame = 1 << 20;

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;

// One decoded stream: its decoder and where it stands.
struct StreamDecoder {
    int index = -1;
    CodecPtr codec;
    AVRational time_base{1, 1};
    bool flushed = false;      // the end was sent to the decoder
    bool finished = false;     // the decoder gave all it had
    std::int64_t next_us = 0;  // where the next output is expected to start
};

std::int64_t ClampTime(std::int64_t us) {
    return std::clamp<std::int64_t>(us, 0, kMaxTimeUs);
}

CodecPtr OpenCodec(const AVStream& stream, const DecoderLimits& limits) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec) return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream.codecpar) < 0)
        return nullptr;
    // One thread: the decoder runs on the playback's own worker, and its output must not depend
    // on how threads are scheduled.
    context->thread_count = 1;
    context->pkt_timebase = stream.time_base;
    // A picture may claim another size inside the stream than its header did: the decoder
    // itself refuses one beyond the limits, before it allocates for it.
    context->max_pixels = limits.max_pixels;
    context->max_samples = kMaxSamplesPerFrame;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

// The stream of `type` to play: the default one, else the first; never a cover picture.
int ChooseStream(const AVFormatContext& format, AVMediaType type) {
    int chosen = -1;
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream& s = *format.streams[i];
        if (s.codecpar->codec_type != type || (s.disposition & AV_DISPOSITION_ATTACHED_PIC))
            continue;
        if (chosen < 0 || (s.disposition & AV_DISPOSITION_DEFAULT)) {
            chosen = static_cast<int>(i);
            if (s.disposition & AV_DISPOSITION_DEFAULT) break;
        }
    }
    return chosen;
}

// A file never opens another: references to other files or URLs inside a container are refused.
int RefuseNestedOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) {
    return AVERROR(EPERM);
}

}  // namespace

struct FfmpegDecoder::State {
    DecoderLimits limits;
    std::unique_ptr<FfmpegInput> input;
    FormatPtr format;
    std::int64_t start_us = 0;  // the container's first time, media time 0
    MediaInfo info;
    std::int64_t frame_us = 40000;
    std::optional<StreamDecoder> video;
    std::optional<StreamDecoder> audio;
    std::optional<VideoConverter> video_converter;
    AudioConverter audio_converter;
    PacketPtr packet{av_packet_alloc()};
    FramePtr frame{av_frame_alloc()};
    bool read_ended = false;
    int read_errors = 0;

    // After a seek: pictures before this time are held back, and only the last of them comes
    // out; sound before it is cut.
    std::optional<std::int64_t> skip_video_until;
    std::optional<std::int64_t> skip_audio_until;
    std::optional<DecodedVideo> held;     // the last picture before the seek target
    std::optional<DecodedVideo> pending;  // the picture after it, next out
    // The first step, taken while opening to prove the file decodes.
    std::optional<Step> first_step;
    DecodedVideo first_video;
    DecodedAudio first_audio;

    std::int64_t ToUs(std::int64_t ts, AVRational time_base) const {
        if (ts == AV_NOPTS_VALUE) return -1;
        const std::int64_t us = av_rescale_q(ts, time_base, kMicroseconds);
        // A hostile time far out of range lands at an end of the range, not past it.
        if (us <= -kMaxTimeUs || us >= kMaxTimeUs) return us < 0 ? 0 : kMaxTimeUs;
        return ClampTime(us - start_us);
    }

    bool OpenStreams();
    void FillInfo();
    Step Decode(DecodedVideo& video, DecodedAudio& audio);
    bool ReceiveVideo(DecodedVideo& out);
    bool ReceiveAudio(DecodedAudio& out);
    void ReadPacket();
};

bool FfmpegDecoder::State::OpenStreams() {
    const int video_index = ChooseStream(*format, AVMEDIA_TYPE_VIDEO);
    if (video_index >= 0) {
        const AVStream& s = *format->streams[video_index];
        const std::int64_t w = s.codecpar->width, h = s.codecpar->height;
        const bool sane = w > 0 && h > 0 && w <= limits.max_side && h <= limits.max_side &&
                          w * h <= limits.max_pixels;
        if (sane) {
            if (auto codec = OpenCodec(s, limits)) {
                video.emplace();
                video->index = video_index;
                video->codec = std::move(codec);
                video->time_base = s.time_base;
                video_converter.emplace(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
            }
        }
    }
    const int audio_index = ChooseStream(*format, AVMEDIA_TYPE_AUDIO);
    if (audio_index >= 0) {
        const AVStream& s = *format->streams[audio_index];
        if (auto codec = OpenCodec(s, limits)) {
            audio.emplace();
            audio->index = audio_index;
            audio->codec = std::move(codec);
            audio->time_base = s.time_base;
        }
    }
    return video || audio;
}

void FfmpegDecoder::State::FillInfo() {
    info.has_video = video.has_value();
    info.has_audio = audio.has_value();
    if (format->duration > 0 && format->duration < kMaxTimeUs)
        info.duration_ms = format->duration / 1000;
    if (!video) return;
    AVStream& s = *format->streams[video->index];
    info.width = s.codecpar->width;
    info.height = s.codecpar->height;
    const AVRational rate = av_guess_frame_rate(format.get(), &s, nullptr);
    double fps = rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0;
    if (!(fps >= 0.1 && fps <= 1000)) fps = 25;
    info.frames_per_second = fps;
    frame_us = std::max<std::int64_t>(1, std::llround(1e6 / fps));
    if (info.duration_ms == 0 && s.duration > 0) {
        const std::int64_t us =
            ToUs(s.duration + (s.start_time == AV_NOPTS_VALUE ? 0 : s.start_time), s.time_base);
        if (us > 0) info.duration_ms = us / 1000;
    }
    info.frame_count = s.nb_frames > 0 && s.nb_frames < kMaxTimeUs
                           ? s.nb_frames
                           : std::llround(double(info.duration_ms) * fps / 1000.0);
}

void FfmpegDecoder::State::ReadPacket() {
    const int result = av_read_frame(format.get(), packet.get());
    if (result < 0) {
        // The end, or damage the demuxer cannot get past: either way nothing more is read.
        if (result == AVERROR_EOF || result == AVERROR_EXIT || avio_feof(format->pb) ||
            ++read_errors > kMaxReadErrors) {
            read_ended = true;
            for (auto* s : {&video, &audio}) {
                if (*s && !(*s)->flushed) {
                    avcodec_send_packet((*s)->codec.get(), nullptr);
                    (*s)->flushed = true;
                }
            }
        }
        return;
    }
    read_errors = 0;
    for (auto* s : {&video, &audio}) {
        if (*s && packet->stream_index == (*s)->index && !(*s)->flushed) {
            // A packet the decoder refuses is damage: it is skipped.
            avcodec_send_packet((*s)->codec.get(), packet.get());
        }
    }
    av_packet_unref(packet.get());
}

bool FfmpegDecoder::State::ReceiveVideo(DecodedVideo& out) {
    for (;;) {
        const int result = avcodec_receive_frame(video->codec.get(), frame.get());
        if (result == AVERROR(EAGAIN)) return false;
        if (result < 0) {
            video->finished = true;
            return false;
        }
        std::int64_t pts = ToUs(frame->best_effort_timestamp, video->time_base);
        // Pictures come in time order: one without a time, or out of order, follows the last.
        if (pts < video->next_us) pts = video->next_us;
        video->next_us = ClampTime(pts + 1);
        const bool converted = video_converter->Convert(*frame, out.pixels);
        av_frame_unref(frame.get());
        if (!converted) continue;
        out.pts_us = pts;
        if (!skip_video_until) return true;
        if (pts <= *skip_video_until) {
            // Still before the target: the newest such picture is the one to show there.
            if (!held) held.emplace();
            std::swap(*held, out);
            continue;
        }
        skip_video_until.reset();
        if (held) {
            pending.emplace(std::move(out));
            out = std::move(*held);
            held.reset();
        }
        return true;
    }
}

bool FfmpegDecoder::State::ReceiveAudio(DecodedAudio& out) {
    for (;;) {
        const int result = avcodec_receive_frame(audio->codec.get(), frame.get());
        if (result == AVERROR(EAGAIN)) return false;
        if (result < 0) {
            audio->finished = true;
            return false;
        }
        std::int64_t pts = ToUs(frame->best_effort_timestamp, audio->time_base);
        if (pts < 0) pts = audio->next_us;
        out.samples.clear();
        const bool converted = audio_converter.Convert(*frame, out.samples);
        av_frame_unref(frame.get());
        if (!converted || out.samples.empty()) continue;
        const std::int64_t frames = std::int64_t(out.samples.size()) / 2;
        audio->next_us = ClampTime(pts + frames * 1000000 / host::AudioOutput::kSampleRate);
        if (skip_audio_until) {
            if (audio->next_us <= *skip_audio_until) continue;
            const std::int64_t cut = std::clamp<std::int64_t>(
                (*skip_audio_until - pts) * host::AudioOutput::kSampleRate / 1000000, 0, frames);
            out.samples.erase(out.samples.begin(), out.samples.begin() + cut * 2);
            pts += cut * 1000000 / host::AudioOutput::kSampleRate;
            skip_audio_until.reset();
        }
        out.pts_us = pts;
        return true;
    }
}

FfmpegDecoder::Step FfmpegDecoder::State::Decode(DecodedVideo& video_out, DecodedAudio& audio_out) {
    if (pending) {
        std::swap(video_out, *pending);
        pending.reset();
        return Step::kVideo;
    }
    while (!input->Interrupted()) {
        if (video && !video->finished && ReceiveVideo(video_out)) return Step::kVideo;
        if (audio && !audio->finished && ReceiveAudio(audio_out)) return Step::kAudio;
        const bool video_done = !video || video->finished;
        const bool audio_done = !audio || audio->finished;
        if (video_done && audio_done) break;
        if (read_ended) {
            // Flushed decoders that still say "again" have nothing left.
            if (video) video->finished = true;
            if (audio) audio->finished = true;
            continue;
        }
        ReadPacket();
    }
    // A seek target past the last picture shows the last picture.
    if (held) {
        std::swap(video_out, *held);
        held.reset();
        skip_video_until.reset();
        return Step::kVideo;
    }
    return Step::kEnd;
}

FfmpegDecoder::FfmpegDecoder(std::unique_ptr<State> state) : s_(std::move(state)) {}
FfmpegDecoder::~FfmpegDecoder() = default;

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(std::unique_ptr<host::ReadableFile> file,
                                                   const DecoderLimits& limits) {
    if (!file || file->Size() == 0) return nullptr;
    // Damaged files are expected here and are the file's business, not the user's: FFmpeg's
    // own complaints about them stay off the terminal.
    av_log_set_level(AV_LOG_FATAL);
    av_max_alloc(kMaxAllocation);
    auto state = std::make_unique<State>();
    state->limits = limits;
    if (!state->packet || !state->frame) return nullptr;
    state->input = FfmpegInput::Make(std::move(file));
    if (!state->input) return nullptr;
    state->input->SetDeadline(std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(limits.open_ms));
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) return nullptr;
    raw->pb = state->input->Context();
    raw->flags |= AVFMT_FLAG_CUSTOM_IO;
    raw->interrupt_callback = {&FfmpegInput::InterruptCallback, state->input.get()};
    raw->probesize = limits.probe_bytes;
    raw->format_whitelist = av_strdup(kFormats);
    raw->io_open = &RefuseNestedOpen;
    raw->max_analyze_duration = 5 * AV_TIME_BASE;
    // avformat_open_input frees the context when it fails.
    if (avformat_open_input(&raw, nullptr, nullptr, nullptr) < 0) return nullptr;
    state->format.reset(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) return nullptr;
    if (raw->start_time != AV_NOPTS_VALUE && raw->start_time > 0 && raw->start_time < kMaxTimeUs)
        state->start_us = raw->start_time;
    if (!state->OpenStreams()) return nullptr;
    state->FillInfo();
    // Something must decode, or the file does not open.
    const Step first = state->Decode(state->first_video, state->first_audio);
    if (first == Step::kEnd) return nullptr;
    state->first_step = first;
    state->input->ClearDeadline();
    return std::unique_ptr<FfmpegDecoder>(new FfmpegDecoder(std::move(state)));
}

const MediaInfo& FfmpegDecoder::Info() const {
    return s_->info;
}

std::int64_t FfmpegDecoder::FrameDurationUs() const {
    return s_->frame_us;
}

FfmpegDecoder::Step FfmpegDecoder::Next(DecodedVideo& video, DecodedAudio& audio) {
    if (s_->first_step) {
        const Step step = *s_->first_step;
        s_->first_step.reset();
        if (step == Step::kVideo) std::swap(video, s_->first_video);
        if (step == Step::kAudio) std::swap(audio, s_->first_audio);
        return step;
    }
    return s_->Decode(video, audio);
}

bool FfmpegDecoder::Seek(std::int64_t position_us) {
    State& s = *s_;
    position_us = ClampTime(position_us);
    s.first_step.reset();
    s.held.reset();
    s.pending.reset();
    const std::int64_t target = position_us + s.start_us;
    if (avformat_seek_file(s.format.get(), -1, INT64_MIN, target, target, 0) < 0 &&
        avformat_seek_file(s.format.get(), -1, INT64_MIN, s.start_us, s.start_us, 0) < 0) {
        s.read_ended = true;
        if (s.video) s.video->finished = true;
        if (s.audio) s.audio->finished = true;
        return false;
    }
    s.read_ended = false;
    s.read_errors = 0;
    for (auto* d : {&s.video, &s.audio}) {
        if (!*d) continue;
        avcodec_flush_buffers((*d)->codec.get());
        (*d)->flushed = false;
        (*d)->finished = false;
        (*d)->next_us = 0;
    }
    s.audio_converter.Reset();
    if (s.video) s.skip_video_until = position_us;
    if (s.audio) s.skip_audio_until = position_us;
    return true;
}

void FfmpegDecoder::Interrupt() {
    s_->input->Interrupt();
}

}  // namespace velk::media
