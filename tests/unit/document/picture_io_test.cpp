#include "document/picture_io.h"

#include <gtest/gtest.h>

#include <functional>

#include "codec/jpeg_codec.h"
#include "codec/zlib_codec.h"
#include "hosts/headless/memory_profile_store.h"
#include "hosts/headless/recording_ui.h"

namespace velk {
namespace {

constexpr char kCannotLoad[] = "ERROR 0: This file cannot be loaded!";
constexpr char kCorrupted[] = "This file is corrupted";
constexpr char kUnknownMethod[] = "Error 1001: Corrupted File";
constexpr char kUncompressFailed[] = "Uncompress failed";

struct Loader {
    headless::RecordingUi ui;
    headless::MemoryProfileStore profile;
    LoadContext ctx{ui, profile, kCurrentProjectVersion, ""};
};

RgbImage Pattern(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return image;
}

Picture MakePicture(PictureCoding coding, std::int32_t width, std::int32_t height) {
    RgbImage image = Pattern(width, height);
    Picture picture;
    picture.coding = coding;
    picture.width = width;
    picture.height = height;
    switch (coding) {
        case PictureCoding::kPlain:
        case PictureCoding::kJpegRaw:
        case PictureCoding::kRaw:
            picture.bytes = image.pixels;
            break;
        case PictureCoding::kStored:
            picture.bytes = image.pixels;
            picture.size = static_cast<std::uint32_t>(image.pixels.size());
            break;
        case PictureCoding::kZlib:
            picture.bytes = Deflate(image.pixels);
            picture.size = static_cast<std::uint32_t>(image.pixels.size());
            break;
        case PictureCoding::kJpeg:
            picture.bytes = EncodeJpeg(image);
            break;
    }
    return picture;
}

const char* Name(PictureCoding coding) {
    switch (coding) {
        case PictureCoding::kPlain:
            return "plain";
        case PictureCoding::kStored:
            return "stored";
        case PictureCoding::kZlib:
            return "zlib";
        case PictureCoding::kJpegRaw:
            return "jpeg-raw";
        case PictureCoding::kJpeg:
            return "jpeg";
        case PictureCoding::kRaw:
            return "raw";
    }
    return "?";
}

constexpr PictureCoding kAllCodings[] = {PictureCoding::kPlain, PictureCoding::kStored,
                                         PictureCoding::kZlib,  PictureCoding::kJpegRaw,
                                         PictureCoding::kJpeg,  PictureCoding::kRaw};

struct Size {
    std::int32_t width, height;
};
constexpr Size kSizes[] = {{1, 1}, {7, 3}, {16, 16}};

using Reader = std::function<std::optional<Picture>(ByteReader&, LoadContext&)>;

// Every shorter prefix of a well-formed block must fail as an archive error, never read past
// the end or succeed with invented bytes.
void ExpectEveryPrefixFails(const std::vector<std::uint8_t>& bytes, const Reader& read) {
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Loader loader;
        ByteReader in(std::span(bytes.data(), n));
        EXPECT_THROW(read(in, loader.ctx), ArchiveError) << "prefix of " << n << " bytes";
    }
}

TEST(PictureIo, ObjectPicturesRoundTripInEveryCodingAndKeepTheirPixels) {
    for (PictureCoding coding : kAllCodings) {
        for (Size size : kSizes) {
            SCOPED_TRACE(testing::Message()
                         << Name(coding) << " " << size.width << "x" << size.height);
            Picture picture = MakePicture(coding, size.width, size.height);
            ByteWriter out;
            WriteObjectPicture(out, picture);
            Loader loader;
            ByteReader in(out.Data());
            std::optional<Picture> read = ReadObjectPicture(in, loader.ctx);
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(*read, picture);
            EXPECT_TRUE(in.AtEnd());
            EXPECT_TRUE(loader.ui.Messages().empty());

            DecodedPicture decoded = DecodePicture(*read);
            EXPECT_EQ(decoded.error, "");
            EXPECT_EQ(decoded.image.width, size.width);
            EXPECT_EQ(decoded.image.height, size.height);
            if (coding != PictureCoding::kJpeg) {
                EXPECT_EQ(decoded.image, Pattern(size.width, size.height));
            }
            ExpectEveryPrefixFails(out.Data(), ReadObjectPicture);
        }
    }
}

TEST(PictureIo, ImageFourIsAlwaysCoded) {
    for (PictureCoding coding : kAllCodings) {
        SCOPED_TRACE(Name(coding));
        Picture picture = MakePicture(coding, 5, 4);
        ByteWriter out;
        WriteCodedPicture(out, picture);
        // No coded marker: width, height, then the method.
        ByteReader header(out.Data());
        EXPECT_EQ(header.U32(), 5u);
        EXPECT_EQ(header.U32(), 4u);

        Loader loader;
        ByteReader in(out.Data());
        std::optional<Picture> read = ReadCodedPicture(in, loader.ctx);
        ASSERT_TRUE(read.has_value());
        // A plain picture has no coded form of its own; method 2 holds the same bytes.
        Picture expected = picture;
        if (coding == PictureCoding::kPlain) expected.coding = PictureCoding::kRaw;
        EXPECT_EQ(*read, expected);
        EXPECT_TRUE(in.AtEnd());
        ExpectEveryPrefixFails(out.Data(), ReadCodedPicture);
    }
}

TEST(PictureIo, HandLaidCodedObjectPictures) {
    // Method 2 after the marker: the second word is the real width.
    {
        ByteWriter b;
        b.U32(600000);
        b.U32(2);
        b.U32(1);
        b.U32(2);
        b.Bytes(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6});
        b.U32(0xDEADBEEF);  // the next field of the record
        Loader loader;
        ByteReader in(b.Data());
        auto picture = ReadObjectPicture(in, loader.ctx);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->coding, PictureCoding::kRaw);
        EXPECT_EQ(picture->width, 2);
        EXPECT_EQ(picture->height, 1);
        EXPECT_EQ(picture->bytes, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(in.U32(), 0xDEADBEEFu);
    }
    // Method 0 with a zlib stream: U, C, then C bytes.
    {
        std::vector<std::uint8_t> pixels = Pattern(3, 2).pixels;
        std::vector<std::uint8_t> stream = Deflate(pixels);
        ByteWriter b;
        b.U32(600000);
        b.U32(3);
        b.U32(2);
        b.U32(0);
        b.U32(18);
        b.U32(static_cast<std::uint32_t>(stream.size()));
        b.Bytes(stream);
        Loader loader;
        ByteReader in(b.Data());
        auto picture = ReadObjectPicture(in, loader.ctx);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->coding, PictureCoding::kZlib);
        EXPECT_EQ(picture->size, 18u);
        EXPECT_EQ(picture->bytes, stream);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(DecodePicture(*picture).image.pixels, pixels);
    }
}

struct RefusedCase {
    const char* name;
    std::vector<std::uint32_t> words;  // the block as far as the reader may go
    std::string message;
};

TEST(PictureIo, RefusedObjectPicturesAreDroppedAfterTheirMessage) {
    const std::vector<RefusedCase> cases = {
        {"method 0 size at the limit", {600000, 4, 4, 0, 75'000'001}, kCorrupted},
        {"method 0 huge size", {600000, 4, 4, 0, 0xFFFFFFFF}, kCorrupted},
        {"method 1 length at the limit", {600000, 4, 4, 1, 75'000'001}, kCorrupted},
        {"unknown method", {600000, 4, 4, 3}, kUnknownMethod},
        {"unknown method far off", {600000, 4, 4, 0x80000000}, kUnknownMethod},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ByteWriter b;
        for (std::uint32_t word : c.words) b.U32(word);
        const std::size_t consumed = b.Size();
        b.U32(0x12345678);  // what follows stays unread
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_EQ(ReadObjectPicture(in, loader.ctx), std::nullopt);
        EXPECT_EQ(in.Position(), consumed);
        EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(loader.ui.Messages()[0].caption, "Velk Player");
    }
}

TEST(PictureIo, OversizedUncodedPicturesAbandonTheLoad) {
    // 5000 x 5001 x 3 is just over 75 000 000 bytes.
    for (auto read : {Reader(ReadObjectPicture), Reader(ReadPageBackground)}) {
        ByteWriter b;
        b.U32(5000);
        b.U32(5001);
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_THROW(read(in, loader.ctx), ArchiveError);
        EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{kCannotLoad});
    }
    // Exactly 75 000 000 bytes is allowed: here it is merely missing from the archive.
    for (auto read : {Reader(ReadObjectPicture), Reader(ReadPageBackground)}) {
        ByteWriter b;
        b.U32(5000);
        b.U32(5000);
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_THROW(read(in, loader.ctx), ArchiveError);
        EXPECT_TRUE(loader.ui.Messages().empty());
    }
    // Wide sizes whose product overflows 32 bits are refused too.
    {
        ByteWriter b;
        b.U32(0x10000);
        b.U32(0x10000);
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_THROW(ReadObjectPicture(in, loader.ctx), ArchiveError);
        EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{kCannotLoad});
    }
}

TEST(PictureIo, PageBackgroundsRoundTripInTheFormsTheBlockHas) {
    struct Case {
        PictureCoding written, read;
    };
    const Case cases[] = {
        {PictureCoding::kPlain, PictureCoding::kPlain},
        {PictureCoding::kRaw, PictureCoding::kRaw},
        {PictureCoding::kZlib, PictureCoding::kZlib},
        {PictureCoding::kJpeg, PictureCoding::kJpeg},
        // No stored or method-1 raw form in a background: both become coded raw.
        {PictureCoding::kStored, PictureCoding::kRaw},
        {PictureCoding::kJpegRaw, PictureCoding::kRaw},
    };
    for (const auto& c : cases) {
        for (Size size : kSizes) {
            SCOPED_TRACE(testing::Message()
                         << Name(c.written) << " " << size.width << "x" << size.height);
            Picture picture = MakePicture(c.written, size.width, size.height);
            ByteWriter out;
            WritePageBackground(out, picture);
            Loader loader;
            ByteReader in(out.Data());
            auto read = ReadPageBackground(in, loader.ctx);
            ASSERT_TRUE(read.has_value());
            EXPECT_TRUE(in.AtEnd());
            EXPECT_EQ(read->coding, c.read);
            EXPECT_EQ(read->width, size.width);
            EXPECT_EQ(read->height, size.height);
            if (c.read == c.written) {
                EXPECT_EQ(*read, picture);
            }
            DecodedPicture decoded = DecodePicture(*read);
            EXPECT_EQ(decoded.error, "");
            EXPECT_EQ(decoded.image.width, size.width);
            if (c.read != PictureCoding::kJpeg) {
                EXPECT_EQ(decoded.image, Pattern(size.width, size.height));
            }
            ExpectEveryPrefixFails(out.Data(), ReadPageBackground);
        }
    }
}

TEST(PictureIo, HandLaidPageBackgrounds) {
    std::vector<std::uint8_t> pixels = Pattern(2, 2).pixels;
    std::vector<std::uint8_t> stream = Deflate(pixels);
    // Marker, width, height, zlib flag, length, stream.
    ByteWriter zlib;
    zlib.U32(600000);
    zlib.U32(2);
    zlib.U32(2);
    zlib.U32(4'000'000'000u);
    zlib.U32(static_cast<std::uint32_t>(stream.size()));
    zlib.Bytes(stream);
    {
        Loader loader;
        ByteReader in(zlib.Data());
        auto read = ReadPageBackground(in, loader.ctx);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->coding, PictureCoding::kZlib);
        EXPECT_EQ(read->size, 12u);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(DecodePicture(*read).image.pixels, pixels);
        // Written back byte for byte.
        ByteWriter again;
        WritePageBackground(again, *read);
        EXPECT_EQ(again.Data(), zlib.Data());
    }
    // The zlib flag with a length of 0 still announces raw pixels.
    {
        ByteWriter b;
        b.U32(600000);
        b.U32(2);
        b.U32(2);
        b.U32(4'000'000'000u);
        b.U32(0);
        b.Bytes(pixels);
        Loader loader;
        ByteReader in(b.Data());
        auto read = ReadPageBackground(in, loader.ctx);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->coding, PictureCoding::kRaw);
        EXPECT_EQ(read->bytes, pixels);
        EXPECT_TRUE(in.AtEnd());
    }
    // Over-long coded lengths, with and without the zlib flag.
    for (bool flagged : {false, true}) {
        ByteWriter b;
        b.U32(600000);
        b.U32(2);
        b.U32(2);
        if (flagged) b.U32(4'000'000'000u);
        b.U32(75'000'001);
        const std::size_t consumed = b.Size();
        b.U32(7);
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_EQ(ReadPageBackground(in, loader.ctx), std::nullopt);
        EXPECT_EQ(in.Position(), consumed);
        EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{kCorrupted});
    }
}

TEST(PictureIo, PageBackgroundWriterRecodesAStreamOfAnotherSize) {
    // An object picture's stream may inflate to more than its pixels; a background's cannot.
    Picture picture = MakePicture(PictureCoding::kZlib, 2, 2);
    std::vector<std::uint8_t> longer = Pattern(2, 3).pixels;
    picture.bytes = Deflate(longer);
    picture.size = static_cast<std::uint32_t>(longer.size());
    ByteWriter out;
    WritePageBackground(out, picture);
    Loader loader;
    ByteReader in(out.Data());
    auto read = ReadPageBackground(in, loader.ctx);
    ASSERT_TRUE(read.has_value());
    DecodedPicture decoded = DecodePicture(*read);
    EXPECT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.image.pixels, std::vector<std::uint8_t>(longer.begin(), longer.begin() + 12));
}

TEST(PictureIo, PlainPicturesThatCannotStayPlainAreWrittenCoded) {
    // A width of 600000 would read as the coded marker.
    Picture picture;
    picture.coding = PictureCoding::kPlain;
    picture.width = 600000;
    picture.height = 0;
    for (bool background : {false, true}) {
        ByteWriter out;
        if (background) {
            WritePageBackground(out, picture);
        } else {
            WriteObjectPicture(out, picture);
        }
        Loader loader;
        ByteReader in(out.Data());
        auto read =
            background ? ReadPageBackground(in, loader.ctx) : ReadObjectPicture(in, loader.ctx);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->coding, PictureCoding::kRaw);
        EXPECT_EQ(read->width, 600000);
        EXPECT_EQ(read->height, 0);
        EXPECT_TRUE(in.AtEnd());
    }
}

TEST(PictureIo, BackdropImages) {
    // Raw: the header supplies the size.
    {
        Picture picture = MakePicture(PictureCoding::kRaw, 3, 2);
        ByteWriter out;
        WriteBackdropImage(out, picture);
        EXPECT_EQ(out.Size(), 4u + 18u);
        Loader loader;
        ByteReader in(out.Data());
        auto read = ReadBackdropImage(in, loader.ctx, 3, 2);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, picture);
        EXPECT_TRUE(in.AtEnd());
        ExpectEveryPrefixFails(out.Data(), [](ByteReader& r, LoadContext& c) {
            return ReadBackdropImage(r, c, 3, 2);
        });
    }
    // JPEG: the decoded size replaces the header's.
    {
        Picture picture = MakePicture(PictureCoding::kJpeg, 8, 6);
        ByteWriter out;
        WriteBackdropImage(out, picture);
        Loader loader;
        ByteReader in(out.Data());
        auto read = ReadBackdropImage(in, loader.ctx, 1, 1);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->coding, PictureCoding::kJpeg);
        EXPECT_EQ(read->bytes, picture.bytes);
        DecodedPicture decoded = DecodePicture(*read);
        EXPECT_EQ(decoded.image.width, 8);
        EXPECT_EQ(decoded.image.height, 6);
    }
    // No zlib form: the pixels are stored raw.
    {
        Picture picture = MakePicture(PictureCoding::kZlib, 3, 2);
        ByteWriter out;
        WriteBackdropImage(out, picture);
        Loader loader;
        ByteReader in(out.Data());
        auto read = ReadBackdropImage(in, loader.ctx, 3, 2);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->coding, PictureCoding::kRaw);
        EXPECT_EQ(read->bytes, Pattern(3, 2).pixels);
    }
    // Over-long length.
    {
        ByteWriter b;
        b.U32(75'000'001);
        Loader loader;
        ByteReader in(b.Data());
        EXPECT_EQ(ReadBackdropImage(in, loader.ctx, 3, 2), std::nullopt);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(loader.ui.Texts(), std::vector<std::string>{kCorrupted});
    }
}

TEST(PictureIo, DecodingFailures) {
    // A stream that inflates to fewer bytes than announced: what there is, and the message.
    {
        Picture picture = MakePicture(PictureCoding::kZlib, 4, 4);
        std::vector<std::uint8_t> half = Pattern(4, 2).pixels;
        picture.bytes = Deflate(half);
        DecodedPicture decoded = DecodePicture(picture);
        EXPECT_EQ(decoded.error, kUncompressFailed);
        ASSERT_EQ(decoded.image.width, 4);
        ASSERT_EQ(decoded.image.height, 4);
        EXPECT_TRUE(std::equal(half.begin(), half.end(), decoded.image.pixels.begin()));
    }
    // A broken stream.
    {
        Picture picture = MakePicture(PictureCoding::kZlib, 4, 4);
        picture.bytes = {1, 2, 3, 4, 5};
        EXPECT_EQ(DecodePicture(picture).error, kUncompressFailed);
    }
    // A size no stream of that length can inflate to is refused before allocating.
    {
        Picture picture = MakePicture(PictureCoding::kZlib, 4, 4);
        picture.size = 70'000'000;
        DecodedPicture decoded = DecodePicture(picture);
        EXPECT_EQ(decoded.error, kUncompressFailed);
        EXPECT_TRUE(decoded.image.pixels.empty());
    }
    // A broken JPEG gives no pixels and no message.
    {
        Picture picture = MakePicture(PictureCoding::kJpeg, 4, 4);
        picture.bytes.resize(20);
        DecodedPicture decoded = DecodePicture(picture);
        EXPECT_EQ(decoded.error, "");
        EXPECT_TRUE(decoded.image.pixels.empty());
    }
    // A JPEG's own size wins over the stored one.
    {
        Picture picture = MakePicture(PictureCoding::kJpeg, 9, 5);
        picture.width = 1;
        picture.height = 1;
        DecodedPicture decoded = DecodePicture(picture);
        EXPECT_EQ(decoded.image.width, 9);
        EXPECT_EQ(decoded.image.height, 5);
        EXPECT_EQ(decoded.image.pixels.size(), 9u * 5u * 3u);
    }
    // Stored bytes that fall short of the picture are completed with black.
    {
        Picture picture = MakePicture(PictureCoding::kStored, 2, 2);
        picture.bytes.resize(6);
        picture.size = 6;
        DecodedPicture decoded = DecodePicture(picture);
        ASSERT_EQ(decoded.image.pixels.size(), 12u);
        EXPECT_EQ(decoded.image.pixels[6], 0);
    }
}

}  // namespace
}  // namespace velk
