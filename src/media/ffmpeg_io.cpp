#include "media/ffmpeg_io.h"

#include <cstdio>
#include <span>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace velk::media {
namespace {

constexpr int kBufferSize = 64 * 1024;

}  // namespace

std::unique_ptr<FfmpegInput> FfmpegInput::Make(std::unique_ptr<host::ReadableFile> file) {
    std::unique_ptr<FfmpegInput> input(new FfmpegInput(std::move(file)));
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferSize));
    if (!buffer) return nullptr;
    input->context_ = avio_alloc_context(buffer, kBufferSize, 0, input.get(), &FfmpegInput::Read,
                                         nullptr, &FfmpegInput::Seek);
    if (!input->context_) {
        av_free(buffer);
        return nullptr;
    }
    return input;
}

FfmpegInput::FfmpegInput(std::unique_ptr<host::ReadableFile> file) : file_(std::move(file)) {}

FfmpegInput::~FfmpegInput() {
    if (context_) {
        // The context may have swapped its buffer for a bigger one; it owns whichever it has.
        av_freep(&context_->buffer);
        avio_context_free(&context_);
    }
}

bool FfmpegInput::Interrupted() const {
    return interrupted_ || std::chrono::steady_clock::now() > deadline_.load();
}

int FfmpegInput::InterruptCallback(void* opaque) {
    return static_cast<const FfmpegInput*>(opaque)->Interrupted() ? 1 : 0;
}

int FfmpegInput::Read(void* opaque, std::uint8_t* buffer, int size) {
    auto& self = *static_cast<FfmpegInput*>(opaque);
    if (self.Interrupted()) return AVERROR_EXIT;
    if (size <= 0) return 0;
    const std::size_t n =
        self.file_->ReadAt(self.position_, std::span(buffer, static_cast<std::size_t>(size)));
    if (n == 0) return AVERROR_EOF;
    self.position_ += n;
    return static_cast<int>(n);
}

std::int64_t FfmpegInput::Seek(void* opaque, std::int64_t offset, int whence) {
    auto& self = *static_cast<FfmpegInput*>(opaque);
    const auto size = static_cast<std::int64_t>(self.file_->Size());
    if (whence & AVSEEK_SIZE) return size;
    std::int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = static_cast<std::int64_t>(self.position_);
            break;
        case SEEK_END:
            base = size;
            break;
        default:
            return AVERROR(EINVAL);
    }
    // A hostile offset must not wrap around: positions stay within 0 ... the size.
    if (offset < -base || offset > size - base) return AVERROR(EINVAL);
    self.position_ = static_cast<std::uint64_t>(base + offset);
    return base + offset;
}

}  // namespace velk::media
