#include "hosts/headless/wav_file.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "host/host.h"

namespace velk::headless {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
constexpr std::uint16_t kChannels = host::AudioOutput::kChannels;
constexpr std::uint32_t kRate = host::AudioOutput::kSampleRate;
constexpr std::uint16_t kBlockAlign = kChannels * 2;
constexpr std::uint32_t kMaxDataBytes =
    (std::numeric_limits<std::uint32_t>::max() - kHeaderBytes) / kBlockAlign * kBlockAlign;

void Put16(std::vector<char>& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::vector<char>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<char>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

WavFile::WavFile(const std::filesystem::path& path)
    : out_(path, std::ios::binary | std::ios::trunc) {
    if (out_) WriteHeader();
}

void WavFile::WriteHeader() {
    std::vector<char> header;
    PutTag(header, "RIFF");
    Put32(header, kHeaderBytes - 8 + data_bytes_);
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    Put32(header, 16);
    Put16(header, 1);  // PCM
    Put16(header, kChannels);
    Put32(header, kRate);
    Put32(header, kRate * kBlockAlign);
    Put16(header, kBlockAlign);
    Put16(header, 16);
    PutTag(header, "data");
    Put32(header, data_bytes_);
    out_.write(header.data(), static_cast<std::streamsize>(header.size()));
}

void WavFile::Append(std::span<const std::int16_t> interleaved) {
    const std::size_t room = (kMaxDataBytes - data_bytes_) / 2;
    const std::size_t samples =
        std::min(interleaved.size() - interleaved.size() % kChannels, room - room % kChannels);
    std::vector<char> bytes;
    bytes.reserve(samples * 2);
    for (std::size_t i = 0; i < samples; ++i) {
        Put16(bytes, static_cast<std::uint16_t>(interleaved[i]));
    }
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    data_bytes_ += static_cast<std::uint32_t>(bytes.size());
}

bool WavFile::Finish() {
    if (!out_) return false;
    out_.seekp(0);
    WriteHeader();
    out_.close();
    return !out_.fail();
}

}  // namespace velk::headless
