#include "codec/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "codec/limits.h"

namespace velk {
namespace {

// libjpeg reports fatal errors through a callback that must not return: it jumps back here.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = OnFatalError;
        errors.base.output_message = OnMessage;
        errors.message[0] = '\0';
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

void ConvertCmykRow(const std::uint8_t* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x) {
        int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!inverted) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        rgb[3 * x] = static_cast<std::uint8_t>(c * k / 255);
        rgb[3 * x + 1] = static_cast<std::uint8_t>(m * k / 255);
        rgb[3 * x + 2] = static_cast<std::uint8_t>(y * k / 255);
    }
}

}  // namespace

std::optional<JpegSize> ReadJpegSize(std::span<const std::uint8_t> stream) {
    Decompressor d;
    if (setjmp(d.errors.jump)) return std::nullopt;
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, stream.data(), static_cast<unsigned long>(stream.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return std::nullopt;
    return JpegSize{static_cast<std::int32_t>(d.info.image_width),
                    static_cast<std::int32_t>(d.info.image_height)};
}

std::optional<RgbImage> DecodeJpeg(std::span<const std::uint8_t> stream, std::string* error) {
    Decompressor d;
    RgbImage image;
    std::vector<std::uint8_t> row;
    if (setjmp(d.errors.jump)) {
        if (error) *error = d.errors.message;
        return std::nullopt;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&d.info, TRUE);
    bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&d.info);

    std::uint64_t bytes = std::uint64_t{d.info.output_width} * d.info.output_height * 3;
    if (bytes == 0 || bytes > kMaxPictureBytes) {
        if (error) *error = "picture too large";
        return std::nullopt;
    }
    image.width = static_cast<std::int32_t>(d.info.output_width);
    image.height = static_cast<std::int32_t>(d.info.output_height);
    image.pixels.resize(bytes);
    row.resize(std::size_t{d.info.output_width} *
               static_cast<std::size_t>(d.info.output_components));
    // Adobe writes CMYK inverted; the marker tells.
    bool inverted = d.info.saw_Adobe_marker;
    while (d.info.output_scanline < d.info.output_height) {
        std::uint8_t* target =
            image.pixels.data() + std::size_t{d.info.output_scanline} * d.info.output_width * 3;
        JSAMPROW rows[1] = {cmyk ? row.data() : target};
        jpeg_read_scanlines(&d.info, rows, 1);
        if (cmyk) ConvertCmykRow(row.data(), target, d.info.output_width, inverted);
    }
    jpeg_finish_decompress(&d.info);
    return image;
}

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality) {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnFatalError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> out;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* source = const_cast<std::uint8_t*>(image.pixels.data()) +
                       std::size_t{info.next_scanline} * info.image_width * 3;
        JSAMPROW rows[1] = {source};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace velk
