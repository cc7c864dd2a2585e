// FFmpeg reads a media file through the host's files: an AVIOContext whose read and seek go to
// a host::ReadableFile (never fopen), and the interrupt flag that lets any thread stop every
// read at once (closing a video while its decoder waits on a slow disk, or an opening that
// takes too long on a hostile file).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

#include "host/host.h"

struct AVIOContext;

namespace velk::media {

class FfmpegInput {
  public:
    // None when FFmpeg cannot make its context (out of memory).
    static std::unique_ptr<FfmpegInput> Make(std::unique_ptr<host::ReadableFile> file);
    ~FfmpegInput();
    FfmpegInput(const FfmpegInput&) = delete;
    FfmpegInput& operator=(const FfmpegInput&) = delete;

    AVIOContext* Context() const { return context_; }

    // Any thread: every read from now on fails and FFmpeg's blocking calls return.
    void Interrupt() { interrupted_ = true; }
    // Reads after `deadline` fail too (the opening of a file is bounded in time).
    void SetDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
    void ClearDeadline() { deadline_ = std::chrono::steady_clock::time_point::max(); }
    bool Interrupted() const;

    // For AVFormatContext::interrupt_callback: `opaque` is the FfmpegInput.
    static int InterruptCallback(void* opaque);

  private:
    explicit FfmpegInput(std::unique_ptr<host::ReadableFile> file);
    static int Read(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    std::unique_ptr<host::ReadableFile> file_;
    std::uint64_t position_ = 0;
    AVIOContext* context_ = nullptr;
    std::atomic<bool> interrupted_ = false;
    std::atomic<std::chrono::steady_clock::time_point> deadline_ =
        std::chrono::steady_clock::time_point::max();
};

}  // namespace velk::media
