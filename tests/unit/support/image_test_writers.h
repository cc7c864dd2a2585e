// Tiny writers of picture files for the image library's tests and fuzz seeds: BMP files laid out
// field by field, and JPEG streams encoded with libjpeg in any of its input colour spaces.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include <jpeglib.h>

namespace velk::test {

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

struct TestBmp {
    TestBmp(std::int32_t w, std::int32_t h, std::uint16_t b) : width(w), height(h), bits(b) {}

    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: negative for top-down rows
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;   // 1 RLE8, 2 RLE4
    std::uint32_t header_size = 40;  // bytes past the 40 written are zero
    std::uint32_t colours_used = 0;
    std::vector<std::array<std::uint8_t, 3>> palette;  // R, G, B; written B, G, R, 0
    std::vector<std::uint8_t> data;                    // the stored rows or run-length stream
    std::optional<std::uint32_t> pixel_offset;         // default: right after the table
};

inline std::vector<std::uint8_t> WriteTestBmp(const TestBmp& bmp) {
    const std::uint32_t offset = bmp.pixel_offset.value_or(
        14 + bmp.header_size + static_cast<std::uint32_t>(bmp.palette.size()) * 4);
    std::vector<std::uint8_t> out{'B', 'M'};
    PutU32(out, offset + static_cast<std::uint32_t>(bmp.data.size()));
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, bmp.header_size);
    PutU32(out, static_cast<std::uint32_t>(bmp.width));
    PutU32(out, static_cast<std::uint32_t>(bmp.height));
    PutU16(out, 1);
    PutU16(out, bmp.bits);
    PutU32(out, bmp.compression);
    PutU32(out, static_cast<std::uint32_t>(bmp.data.size()));
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, bmp.colours_used);
    PutU32(out, 0);
    out.resize(14 + bmp.header_size, 0);
    for (const auto& c : bmp.palette) {
        out.insert(out.end(), {c[2], c[1], c[0], 0});
    }
    out.resize(offset, 0);
    out.insert(out.end(), bmp.data.begin(), bmp.data.end());
    return out;
}

// Stores rows given top to bottom. Values are colour indices (1, 4, 8 bits), 16-bit words, or
// 0xRRGGBB (24 and 32 bits; 32 stores 0xAA in the fourth byte). Rows are padded to 4 bytes.
inline std::vector<std::uint8_t> PackBmpRows(std::int32_t width, std::uint16_t bits,
                                             const std::vector<std::vector<std::uint32_t>>& rows,
                                             bool bottom_up) {
    const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[bottom_up ? rows.size() - 1 - i : i];
        std::vector<std::uint8_t> stored(stride, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            std::uint32_t v = row[x];
            switch (bits) {
                case 1:
                    stored[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    stored[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    stored[x] = static_cast<std::uint8_t>(v);
                    break;
                case 16:
                    stored[2 * x] = static_cast<std::uint8_t>(v);
                    stored[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
                    break;
                case 24:
                case 32: {
                    std::size_t at = x * (bits / 8);
                    stored[at] = static_cast<std::uint8_t>(v);
                    stored[at + 1] = static_cast<std::uint8_t>(v >> 8);
                    stored[at + 2] = static_cast<std::uint8_t>(v >> 16);
                    if (bits == 32) stored[at + 3] = 0xAA;
                    break;
                }
            }
        }
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

// A run-length stream of rows given top to bottom (stored in the order `bottom_up` says), with
// equal neighbours as runs, an end of line after each row and the end-of-picture mark.
inline std::vector<std::uint8_t> EncodeRunLength(
    std::uint16_t bits, const std::vector<std::vector<std::uint32_t>>& rows, bool bottom_up) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[bottom_up ? rows.size() - 1 - i : i];
        for (std::size_t x = 0; x < row.size();) {
            std::size_t run = 1;
            while (x + run < row.size() && row[x + run] == row[x] && run < 255) ++run;
            std::uint8_t v = static_cast<std::uint8_t>(row[x]);
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(bits == 4 ? static_cast<std::uint8_t>((v << 4) | v) : v);
            x += run;
        }
        out.insert(out.end(), {0, 0});
    }
    out.insert(out.end(), {0, 1});
    return out;
}

// Encodes width x height pixels of `components` bytes each: 1 greyscale, 3 RGB, 4 CMYK as
// Adobe stores it (255 = no ink), kept as CMYK or transformed to YCCK when `ycck`.
// `progressive` writes the scans of a progressive stream instead of one sequential scan.
inline std::vector<std::uint8_t> EncodeTestJpeg(std::int32_t width, std::int32_t height,
                                                int components,
                                                const std::vector<std::uint8_t>& pixels,
                                                bool ycck = false, int quality = 95,
                                                bool progressive = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    if (components == 4) jpeg_set_colorspace(&info, ycck ? JCS_YCCK : JCS_CMYK);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<std::uint8_t*>(pixels.data()) +
                    std::size_t{info.next_scanline} * std::size_t(width) * std::size_t(components);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace velk::test
