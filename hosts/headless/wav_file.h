// A WAV file of 16-bit stereo PCM at the output's rate, written as it comes: what a headless
// run sounded (`velk run --audio`).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace velk::headless {

class WavFile {
  public:
    // Creates or truncates the file; Ok() tells whether it could.
    explicit WavFile(const std::filesystem::path& path);
    bool Ok() const { return static_cast<bool>(out_); }

    // Appends frames. The format counts its sizes in 32 bits: frames beyond 4 GiB are dropped.
    void Append(std::span<const std::int16_t> interleaved);
    // Writes the sizes into the header and closes the file; false when a write failed.
    bool Finish();

  private:
    void WriteHeader();

    std::ofstream out_;
    std::uint32_t data_bytes_ = 0;
};

}  // namespace velk::headless
