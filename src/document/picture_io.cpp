#include "document/picture_io.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "codec/jpeg_codec.h"
#include "codec/limits.h"
#include "codec/zlib_codec.h"

namespace velk {
namespace {

// The width word that announces a coded picture; the real width follows it.
constexpr std::uint32_t kCodedMarker = 600000;
// In a coded page background, the length word that announces a zlib stream; the real length
// follows it.
constexpr std::uint32_t kZlibFlag = 4'000'000'000u;
// Coded lengths from this value on cannot belong to a sound file.
constexpr std::uint32_t kCorruptLength = 75'000'001;

constexpr std::string_view kCannotLoad = "ERROR 0: This file cannot be loaded!";
constexpr std::string_view kCorrupted = "This file is corrupted";
constexpr std::string_view kUnknownMethod = "Error 1001: Corrupted File";
constexpr std::string_view kUncompressFailed = "Uncompress failed";

enum CodedMethod : std::uint32_t {
    kMethodZlib = 0,
    kMethodJpeg = 1,
    kMethodRaw = 2,
};

// Bytes of raw RGB for a stored size, computed from the words as the file holds them.
std::uint64_t StoredRawSize(std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{width} * height * 3;
}

std::uint64_t RawSize(const Picture& picture) {
    return StoredRawSize(static_cast<std::uint32_t>(picture.width),
                         static_cast<std::uint32_t>(picture.height));
}

std::vector<std::uint8_t> ReadRaw(ByteReader& in, std::uint64_t size) {
    in.RequireItems(size, 1);
    return in.Bytes(static_cast<std::size_t>(size));
}

// Writes exactly the raw byte count the reader will expect for the picture's size: a picture
// whose bytes fall short is padded with black so that the record stays in step.
void WriteRaw(ByteWriter& out, const Picture& picture) {
    std::uint64_t size = RawSize(picture);
    if (size == picture.bytes.size()) {
        out.Bytes(picture.bytes);
        return;
    }
    if (size > kMaxPictureBytes) {
        throw std::length_error("picture size does not match its pixels");
    }
    std::size_t kept =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, picture.bytes.size()));
    std::vector<std::uint8_t> fitted(picture.bytes.begin(),
                                     picture.bytes.begin() + static_cast<std::ptrdiff_t>(kept));
    fitted.resize(static_cast<std::size_t>(size), 0);
    out.Bytes(fitted);
}

// An RGB image of the given size from as many bytes as there are; missing pixels are black.
RgbImage FitPixels(std::vector<std::uint8_t> pixels, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return {};
    std::uint64_t size = std::uint64_t(width) * std::uint64_t(height) * 3;
    if (size > kMaxPictureBytes) return {};
    pixels.resize(static_cast<std::size_t>(size), 0);
    return {width, height, std::move(pixels)};
}

// The payload after the method word of a coded object picture (images 1 to 4).
std::optional<Picture> ReadCodedPayload(ByteReader& in, LoadContext& ctx, std::uint32_t width,
                                        std::uint32_t height) {
    Picture picture;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    std::uint32_t method = in.U32();
    switch (method) {
        case kMethodZlib: {
            std::uint32_t size = in.U32();
            if (size >= kCorruptLength) {
                ctx.Message(kCorrupted);
                return std::nullopt;
            }
            std::uint32_t compressed = in.U32();
            picture.size = size;
            if (compressed == 0) {
                picture.coding = PictureCoding::kStored;
                picture.bytes = in.Bytes(size);
            } else {
                picture.coding = PictureCoding::kZlib;
                picture.bytes = in.Bytes(compressed);
            }
            return picture;
        }
        case kMethodJpeg: {
            std::uint32_t length = in.U32();
            if (length >= kCorruptLength) {
                ctx.Message(kCorrupted);
                return std::nullopt;
            }
            if (length == 0) {
                picture.coding = PictureCoding::kJpegRaw;
                picture.bytes = ReadRaw(in, StoredRawSize(width, height));
            } else {
                picture.coding = PictureCoding::kJpeg;
                picture.bytes = in.Bytes(length);
            }
            return picture;
        }
        case kMethodRaw:
            picture.coding = PictureCoding::kRaw;
            picture.bytes = ReadRaw(in, StoredRawSize(width, height));
            return picture;
        default:
            ctx.Message(kUnknownMethod);
            return std::nullopt;
    }
}

// Width, height, method and payload of a coded object picture. Every coding has a method.
void WriteCodedBody(ByteWriter& out, const Picture& picture) {
    auto size_words = [&](const Picture& p) {
        out.U32(static_cast<std::uint32_t>(p.width));
        out.U32(static_cast<std::uint32_t>(p.height));
    };
    switch (picture.coding) {
        case PictureCoding::kStored:
            size_words(picture);
            out.U32(kMethodZlib);
            out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
            out.U32(0);
            out.Bytes(picture.bytes);
            return;
        case PictureCoding::kZlib:
            size_words(picture);
            out.U32(kMethodZlib);
            if (picture.bytes.empty()) {
                // A zero compressed length would announce stored bytes; no stream means no
                // pixels.
                out.U32(0);
                out.U32(0);
                return;
            }
            out.U32(picture.size);
            out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
            out.Bytes(picture.bytes);
            return;
        case PictureCoding::kJpeg:
            if (picture.bytes.empty()) {
                // A zero length would announce raw pixels; a missing stream has none.
                out.U32(0);
                out.U32(0);
                out.U32(kMethodJpeg);
                out.U32(0);
                return;
            }
            size_words(picture);
            out.U32(kMethodJpeg);
            out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
            out.Bytes(picture.bytes);
            return;
        case PictureCoding::kJpegRaw:
            size_words(picture);
            out.U32(kMethodJpeg);
            out.U32(0);
            WriteRaw(out, picture);
            return;
        case PictureCoding::kPlain:
        case PictureCoding::kRaw:
            size_words(picture);
            out.U32(kMethodRaw);
            WriteRaw(out, picture);
            return;
    }
}

// A plain picture whose width word reads as the coded marker, or whose size the reader refuses,
// cannot be stored plain.
bool StorablePlain(const Picture& picture) {
    return picture.coding == PictureCoding::kPlain &&
           static_cast<std::uint32_t>(picture.width) != kCodedMarker &&
           RawSize(picture) <= kMaxPictureBytes;
}

}  // namespace

std::optional<Picture> ReadObjectPicture(ByteReader& in, LoadContext& ctx) {
    std::uint32_t width = in.U32();
    bool coded = width == kCodedMarker;
    if (coded) width = in.U32();
    std::uint32_t height = in.U32();
    if (coded) return ReadCodedPayload(in, ctx, width, height);

    std::uint64_t size = StoredRawSize(width, height);
    if (size > kMaxPictureBytes) {
        // The picture's bytes are not consumed, so nothing after this point lines up with
        // the record any more: the load cannot go on.
        ctx.Message(kCannotLoad);
        throw ArchiveError("uncoded object picture too large");
    }
    Picture picture;
    picture.coding = PictureCoding::kPlain;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    picture.bytes = ReadRaw(in, size);
    return picture;
}

void WriteObjectPicture(ByteWriter& out, const Picture& picture) {
    if (StorablePlain(picture)) {
        out.U32(static_cast<std::uint32_t>(picture.width));
        out.U32(static_cast<std::uint32_t>(picture.height));
        WriteRaw(out, picture);
        return;
    }
    out.U32(kCodedMarker);
    WriteCodedBody(out, picture);
}

std::optional<Picture> ReadCodedPicture(ByteReader& in, LoadContext& ctx) {
    std::uint32_t width = in.U32();
    std::uint32_t height = in.U32();
    return ReadCodedPayload(in, ctx, width, height);
}

void WriteCodedPicture(ByteWriter& out, const Picture& picture) {
    WriteCodedBody(out, picture);
}

std::optional<Picture> ReadPageBackground(ByteReader& in, LoadContext& ctx) {
    std::uint32_t width = in.U32();
    bool coded = width == kCodedMarker;
    if (coded) width = in.U32();
    std::uint32_t height = in.U32();
    std::uint64_t raw_size = StoredRawSize(width, height);

    Picture picture;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    if (!coded) {
        if (raw_size > kMaxPictureBytes) {
            // As for object pictures: the page's remaining fields would be read from the
            // image bytes, so the load is abandoned.
            ctx.Message(kCannotLoad);
            throw ArchiveError("uncoded page background too large");
        }
        picture.coding = PictureCoding::kPlain;
        picture.bytes = ReadRaw(in, raw_size);
        return picture;
    }

    std::uint32_t length = in.U32();
    bool zlib = length == kZlibFlag;
    if (zlib) length = in.U32();
    if (length >= kCorruptLength) {
        ctx.Message(kCorrupted);
        return std::nullopt;
    }
    if (length == 0) {
        picture.coding = PictureCoding::kRaw;
        picture.bytes = ReadRaw(in, raw_size);
    } else if (zlib) {
        picture.coding = PictureCoding::kZlib;
        picture.size = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(raw_size, std::numeric_limits<std::uint32_t>::max()));
        picture.bytes = in.Bytes(length);
    } else {
        picture.coding = PictureCoding::kJpeg;
        picture.bytes = in.Bytes(length);
    }
    return picture;
}

void WritePageBackground(ByteWriter& out, const Picture& picture) {
    if (StorablePlain(picture)) {
        out.U32(static_cast<std::uint32_t>(picture.width));
        out.U32(static_cast<std::uint32_t>(picture.height));
        WriteRaw(out, picture);
        return;
    }
    auto coded_size = [&](std::int32_t width, std::int32_t height) {
        out.U32(kCodedMarker);
        out.U32(static_cast<std::uint32_t>(width));
        out.U32(static_cast<std::uint32_t>(height));
    };
    switch (picture.coding) {
        case PictureCoding::kZlib: {
            // A background's stream always inflates to exactly its RGB size; a stream of
            // another size is coded again from its pixels.
            coded_size(picture.width, picture.height);
            out.U32(kZlibFlag);
            if (picture.size == RawSize(picture) && !picture.bytes.empty()) {
                out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
                out.Bytes(picture.bytes);
            } else {
                std::vector<std::uint8_t> pixels = DecodePicture(picture).image.pixels;
                pixels.resize(
                    static_cast<std::size_t>(std::min(RawSize(picture), kMaxPictureBytes)), 0);
                std::vector<std::uint8_t> stream = Deflate(pixels);
                out.U32(static_cast<std::uint32_t>(stream.size()));
                out.Bytes(stream);
            }
            return;
        }
        case PictureCoding::kJpeg:
            if (picture.bytes.empty()) {
                coded_size(0, 0);
                out.U32(0);
                return;
            }
            coded_size(picture.width, picture.height);
            out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
            out.Bytes(picture.bytes);
            return;
        case PictureCoding::kPlain:
        case PictureCoding::kStored:
        case PictureCoding::kJpegRaw:
        case PictureCoding::kRaw:
            coded_size(picture.width, picture.height);
            out.U32(0);
            WriteRaw(out, picture);
            return;
    }
}

std::optional<Picture> ReadBackdropImage(ByteReader& in, LoadContext& ctx, std::uint32_t width,
                                         std::uint32_t height) {
    std::uint32_t length = in.U32();
    if (length >= kCorruptLength) {
        ctx.Message(kCorrupted);
        return std::nullopt;
    }
    Picture picture;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    if (length == 0) {
        picture.coding = PictureCoding::kRaw;
        picture.bytes = ReadRaw(in, StoredRawSize(width, height));
    } else {
        picture.coding = PictureCoding::kJpeg;
        picture.bytes = in.Bytes(length);
    }
    return picture;
}

void WriteBackdropImage(ByteWriter& out, const Picture& picture) {
    if (picture.coding == PictureCoding::kJpeg && !picture.bytes.empty()) {
        out.U32(static_cast<std::uint32_t>(picture.bytes.size()));
        out.Bytes(picture.bytes);
        return;
    }
    // The backdrop block has no zlib form: a zlib picture is stored by its pixels.
    out.U32(0);
    if (picture.coding == PictureCoding::kZlib) {
        Picture raw = picture;
        raw.coding = PictureCoding::kRaw;
        raw.bytes = DecodePicture(picture).image.pixels;
        WriteRaw(out, raw);
        return;
    }
    WriteRaw(out, picture);
}

DecodedPicture DecodePicture(const Picture& picture) {
    DecodedPicture decoded;
    switch (picture.coding) {
        case PictureCoding::kPlain:
        case PictureCoding::kStored:
        case PictureCoding::kJpegRaw:
        case PictureCoding::kRaw:
            decoded.image = FitPixels(picture.bytes, picture.width, picture.height);
            return decoded;
        case PictureCoding::kZlib: {
            if (picture.size > kMaxPictureBytes ||
                !PlausibleInflatedSize(picture.size, picture.bytes.size())) {
                decoded.error = kUncompressFailed;
                return decoded;
            }
            InflateResult inflated = Inflate(picture.bytes, picture.size);
            if (!inflated.ok) decoded.error = kUncompressFailed;
            decoded.image = FitPixels(std::move(inflated.bytes), picture.width, picture.height);
            return decoded;
        }
        case PictureCoding::kJpeg: {
            std::optional<RgbImage> image = DecodeJpeg(picture.bytes);
            if (image) decoded.image = std::move(*image);
            return decoded;
        }
    }
    return decoded;
}

}  // namespace velk
