// A small GIF writer for the Animated GIF tests and fuzz seeds: files laid out block by block,
// their image data compressed with a plain LZW encoder, so that no binary fixture is kept.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velk::test {

// Packs codes least significant bit first, each with its own width.
class GifCodeWriter {
  public:
    void Put(std::uint32_t code, unsigned width) {
        bits_ |= std::uint64_t{code} << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(bits_));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::vector<std::uint8_t> Finish() {
        if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(bits_));
        count_ = 0;
        bits_ = 0;
        return std::move(bytes_);
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t bits_ = 0;
    unsigned count_ = 0;
};

// GIF's LZW: clear code first, the end code last, codes growing as the decoder expects.
inline std::vector<std::uint8_t> GifLzwEncode(const std::vector<std::uint8_t>& pixels,
                                              unsigned min_code_size) {
    const std::uint32_t clear = 1u << min_code_size;
    GifCodeWriter out;
    std::map<std::pair<std::uint32_t, std::uint8_t>, std::uint32_t> table;
    unsigned width = min_code_size + 1;
    std::uint32_t next = clear + 2;
    out.Put(clear, width);
    std::optional<std::uint32_t> current;
    for (const std::uint8_t pixel : pixels) {
        if (!current) {
            current = pixel;
            continue;
        }
        const auto found = table.find({*current, pixel});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        out.Put(*current, width);
        table[{*current, pixel}] = next;
        if (next >= (1u << width) && width < 12) ++width;
        ++next;
        if (next >= 4000) {
            out.Put(clear, width);
            table.clear();
            width = min_code_size + 1;
            next = clear + 2;
        }
        current = pixel;
    }
    if (current) out.Put(*current, width);
    out.Put(clear + 1, width);
    return out.Finish();
}

struct TestGifFrame {
    std::uint16_t left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> pixels;          // natural row order
    std::vector<std::uint32_t> local_palette;  // COLORREFs; none: the global table
    bool interlaced = false;
    // The graphic control written before the frame, when wanted.
    bool control = true;
    std::uint8_t disposal = 0;  // 0 to 7, as the file stores it
    std::uint16_t delay = 0;
    std::optional<std::uint8_t> transparent;
};

struct TestGif {
    std::uint16_t width = 0, height = 0;
    std::uint8_t background = 0;
    std::vector<std::uint32_t> global_palette;  // COLORREFs, a power of two from 2 to 256
    std::vector<TestGifFrame> frames;
    std::string version = "89a";
};

inline void PutGifU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline std::uint8_t GifTableBits(const std::vector<std::uint32_t>& palette) {
    std::uint8_t bits = 0;
    while ((2u << bits) < palette.size()) ++bits;
    return bits;
}

inline void PutGifTable(std::vector<std::uint8_t>& out, const std::vector<std::uint32_t>& table) {
    for (std::uint32_t c : table) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c >> 16));
    }
}

// The rows of `frame` in the order an interlaced file stores them.
inline std::vector<std::uint8_t> InterlacedRows(const TestGifFrame& frame) {
    std::vector<std::uint8_t> rows;
    const std::size_t starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (std::size_t y = starts[pass]; y < frame.height; y += steps[pass]) {
            const auto row = frame.pixels.begin() + std::ptrdiff_t(y * frame.width);
            rows.insert(rows.end(), row, row + frame.width);
        }
    }
    return rows;
}

// Image data as sub-blocks of at most 255 bytes, then the terminator.
inline void PutSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& data) {
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + n));
    }
    out.push_back(0);
}

inline void PutGifFrame(std::vector<std::uint8_t>& out, const TestGifFrame& frame,
                        unsigned min_code_size) {
    if (frame.control) {
        out.push_back('!');
        out.push_back(0xF9);
        out.push_back(4);
        out.push_back(
            static_cast<std::uint8_t>((frame.disposal << 2) | (frame.transparent ? 1 : 0)));
        PutGifU16(out, frame.delay);
        out.push_back(frame.transparent.value_or(0));
        out.push_back(0);
    }
    out.push_back(',');
    for (std::uint16_t v : {frame.left, frame.top, frame.width, frame.height}) PutGifU16(out, v);
    std::uint8_t packed = frame.interlaced ? 0x40 : 0;
    if (!frame.local_palette.empty()) packed |= 0x80 | GifTableBits(frame.local_palette);
    out.push_back(packed);
    PutGifTable(out, frame.local_palette);
    out.push_back(static_cast<std::uint8_t>(min_code_size));
    PutSubBlocks(
        out, GifLzwEncode(frame.interlaced ? InterlacedRows(frame) : frame.pixels, min_code_size));
}

// The whole file, trailer included.
inline std::vector<std::uint8_t> EncodeTestGif(const TestGif& gif) {
    std::vector<std::uint8_t> out;
    for (const char c : "GIF" + gif.version) out.push_back(static_cast<std::uint8_t>(c));
    PutGifU16(out, gif.width);
    PutGifU16(out, gif.height);
    const bool global = !gif.global_palette.empty();
    out.push_back(global ? static_cast<std::uint8_t>(0x80 | GifTableBits(gif.global_palette)) : 0);
    out.push_back(gif.background);
    out.push_back(0);
    PutGifTable(out, gif.global_palette);
    for (const TestGifFrame& frame : gif.frames) PutGifFrame(out, frame, 8);
    out.push_back(';');
    return out;
}

// The object's stored form: a word the player ignores, then the file.
inline std::vector<std::uint8_t> StoredGif(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> stored{0, 0, 0, 0};
    stored.insert(stored.end(), file.begin(), file.end());
    return stored;
}

}  // namespace velk::test
