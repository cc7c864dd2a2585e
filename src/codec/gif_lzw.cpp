#include "codec/gif_lzw.h"

#include <algorithm>
#include <array>
#include <memory>

namespace velk {
namespace {

constexpr std::size_t kMaxCodes = 4096;
constexpr unsigned kMaxCodeWidth = 12;
constexpr std::uint16_t kNoCode = 0xFFFF;

// Reads codes least significant bit first, as GIF packs them.
class CodeReader {
  public:
    explicit CodeReader(std::span<const std::uint8_t> data) : data_(data) {}

    // The next code of `width` bits, or nothing when the data has run out.
    std::optional<std::uint16_t> Next(unsigned width) {
        while (bit_count_ < width) {
            if (pos_ >= data_.size()) return std::nullopt;
            bits_ |= std::uint32_t{data_[pos_++]} << bit_count_;
            bit_count_ += 8;
        }
        const auto code = static_cast<std::uint16_t>(bits_ & ((1u << width) - 1));
        bits_ >>= width;
        bit_count_ -= width;
        return code;
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    std::uint32_t bits_ = 0;
    unsigned bit_count_ = 0;
};

// The string table: each entry is an earlier entry (always of a lower number) plus one index.
struct StringTable {
    std::array<std::uint16_t, kMaxCodes> prefix{};
    std::array<std::uint8_t, kMaxCodes> suffix{};
    std::array<std::uint8_t, kMaxCodes> first{};

    // Writes entry `code` backwards into `stack`; returns its length.
    std::size_t Spell(std::uint16_t code, std::array<std::uint8_t, kMaxCodes>& stack) const {
        std::size_t length = 0;
        while (code != kNoCode && length < stack.size()) {
            stack[length++] = suffix[code];
            code = prefix[code];
        }
        return length;
    }
};

class Output {
  public:
    explicit Output(std::size_t count) : pixels_(count, 0) {}
    bool Full() const { return pos_ >= pixels_.size(); }
    void PutReversed(const std::array<std::uint8_t, kMaxCodes>& stack, std::size_t length) {
        for (std::size_t i = length; i > 0 && !Full(); --i) pixels_[pos_++] = stack[i - 1];
    }
    void Put(std::uint8_t index) {
        if (!Full()) pixels_[pos_++] = index;
    }
    std::vector<std::uint8_t> Take() { return std::move(pixels_); }

  private:
    std::vector<std::uint8_t> pixels_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> DecodeGifLzw(std::span<const std::uint8_t> data,
                                                      std::uint8_t min_code_size,
                                                      std::size_t pixel_count) {
    if (min_code_size > 8) return std::nullopt;
    const auto clear = static_cast<std::uint16_t>(1u << min_code_size);
    const auto end = static_cast<std::uint16_t>(clear + 1);
    auto table = std::make_unique<StringTable>();
    for (std::uint16_t i = 0; i < clear; ++i) {
        table->prefix[i] = kNoCode;
        table->suffix[i] = static_cast<std::uint8_t>(i);
        table->first[i] = static_cast<std::uint8_t>(i);
    }
    std::array<std::uint8_t, kMaxCodes> stack{};
    Output out(pixel_count);
    CodeReader reader(data);
    unsigned width = min_code_size + 1u;
    std::size_t next = clear + 2u;
    std::uint16_t prev = kNoCode;
    while (!out.Full()) {
        const auto code = reader.Next(width);
        if (!code || *code == end) break;
        if (*code == clear) {
            width = min_code_size + 1u;
            next = clear + 2u;
            prev = kNoCode;
            continue;
        }
        if (prev == kNoCode) {
            if (*code >= clear) return std::nullopt;
            out.Put(static_cast<std::uint8_t>(*code));
            prev = *code;
            continue;
        }
        std::uint8_t first_index = 0;
        if (*code < next) {
            first_index = table->first[*code];
            out.PutReversed(stack, table->Spell(*code, stack));
        } else if (*code == next && next < kMaxCodes) {
            // The entry being made now: the previous string plus its own first index.
            first_index = table->first[prev];
            out.PutReversed(stack, table->Spell(prev, stack));
            out.Put(first_index);
        } else {
            return std::nullopt;
        }
        if (next < kMaxCodes) {
            table->prefix[next] = prev;
            table->suffix[next] = first_index;
            table->first[next] = table->first[prev];
            ++next;
            if (next >= (std::size_t{1} << width) && width < kMaxCodeWidth) ++width;
        }
        prev = *code;
    }
    return out.Take();
}

std::vector<std::uint8_t> DeinterlaceGifRows(std::span<const std::uint8_t> pixels,
                                             std::size_t width, std::size_t height) {
    std::vector<std::uint8_t> rows(pixels.size(), 0);
    constexpr std::array<std::size_t, 4> kStart{0, 4, 2, 1};
    constexpr std::array<std::size_t, 4> kStep{8, 8, 4, 2};
    std::size_t source_row = 0;
    for (std::size_t pass = 0; pass < kStart.size(); ++pass) {
        for (std::size_t y = kStart[pass]; y < height; y += kStep[pass], ++source_row) {
            const auto from = pixels.subspan(source_row * width, width);
            std::copy(from.begin(), from.end(), rows.begin() + std::ptrdiff_t(y * width));
        }
    }
    return rows;
}

}  // namespace velk
