// The stored forms of pictures: object pictures, page backgrounds and the backdrop.
#pragma once

#include <optional>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/load_context.h"
#include "document/picture.h"

namespace velk {

// Pictures are kept coded as read; DecodePicture gives their pixels when needed.

// Object image 1 to 3 after its present flag: plain or coded (600000 marker) form.
std::optional<Picture> ReadObjectPicture(ByteReader& in, LoadContext& ctx);
void WriteObjectPicture(ByteWriter& out, const Picture& picture);

// Object image 4 after its present flag: always coded.
std::optional<Picture> ReadCodedPicture(ByteReader& in, LoadContext& ctx);
void WriteCodedPicture(ByteWriter& out, const Picture& picture);

// Page background block.
std::optional<Picture> ReadPageBackground(ByteReader& in, LoadContext& ctx);
void WritePageBackground(ByteWriter& out, const Picture& picture);

// Backdrop image block of the project header.
std::optional<Picture> ReadBackdropImage(ByteReader& in, LoadContext& ctx, std::uint32_t width,
                                         std::uint32_t height);
void WriteBackdropImage(ByteWriter& out, const Picture& picture);

struct DecodedPicture {
    RgbImage image;
    // The message to show when decoding failed or was partial ("Uncompress failed"); the
    // image then holds what could be decoded, or nothing.
    std::string error;
};
// Pixels of a picture. A JPEG's own size replaces the stored one.
DecodedPicture DecodePicture(const Picture& picture);

}  // namespace velk
