#include <gtest/gtest.h>

#include "gfx/image_library.h"
#include "hosts/headless/memory_file_system.h"
#include "hosts/headless/recording_ui.h"
#include "image_test_writers.h"

namespace velk {
namespace {

using Caller = PictureFileCaller;
using Decoder = PictureDecoder;

TEST(ImageFiles, TheLastFourCharactersChooseTheDecoder) {
    struct Case {
        const char* path;
        Decoder view, replace, panorama;
    };
    const Case cases[] = {
        {"Z:\\a.bmp", Decoder::kBmp, Decoder::kBmp, Decoder::kNone},
        {"Z:\\a.BmP", Decoder::kBmp, Decoder::kBmp, Decoder::kNone},
        {"Z:\\a.jpg", Decoder::kJpeg, Decoder::kJpeg, Decoder::kJpeg},
        {"Z:\\a.JPG", Decoder::kJpeg, Decoder::kJpeg, Decoder::kJpeg},
        // Four letters of extension: ".jpeg" ends in "jpeg", which is neither.
        {"Z:\\a.jpeg", Decoder::kNone, Decoder::kJpeg, Decoder::kNone},
        {"Z:\\a.png", Decoder::kNone, Decoder::kJpeg, Decoder::kNone},
        {"Z:\\bmp", Decoder::kNone, Decoder::kJpeg, Decoder::kNone},
        // Paths shorter than an ending.
        {".bm", Decoder::kNone, Decoder::kJpeg, Decoder::kNone},
        {"", Decoder::kNone, Decoder::kJpeg, Decoder::kNone},
        {".BMP", Decoder::kBmp, Decoder::kBmp, Decoder::kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ChoosePictureDecoder(Caller::kViewImage, c.path), c.view);
        EXPECT_EQ(ChoosePictureDecoder(Caller::kReplaceImage, c.path), c.replace);
        EXPECT_EQ(ChoosePictureDecoder(Caller::kPanorama, c.path), c.panorama);
    }
}

struct Files {
    headless::MemoryFileSystem files;
    headless::RecordingUi ui;
    Files() {
        test::TestBmp bmp(1, 1, 24);
        bmp.data = {3, 2, 1, 0};
        std::vector<std::uint8_t> jpeg =
            test::EncodeTestJpeg(8, 8, 1, std::vector<std::uint8_t>(64, 128));
        files.AddFile("Z:\\p\\pic.bmp", test::WriteTestBmp(bmp));
        files.AddFile("Z:\\p\\pic.jpg", jpeg);
        files.AddFile("Z:\\p\\pic.jpeg", jpeg);
        files.AddFile("Z:\\p\\jpeg-inside.bmp", jpeg);
    }
};

TEST(ImageFiles, EachCallerDecodesOrShowsItsMessage) {
    struct Case {
        Caller caller;
        const char* path;
        bool loads;
        const char* message;
    };
    const Case cases[] = {
        {Caller::kViewImage, "Z:\\p\\pic.bmp", true, nullptr},
        {Caller::kViewImage, "Z:\\p\\PIC.JPG", true, nullptr},
        {Caller::kViewImage, "Z:\\p\\pic.jpeg", false, "Cannot open image /p/pic.jpeg"},
        {Caller::kViewImage, "Z:\\p\\gone.bmp", false, "Cannot open image /p/gone.bmp"},
        {Caller::kViewImage, "Z:\\p\\jpeg-inside.bmp", false,
         "Cannot open image /p/jpeg-inside.bmp"},
        {Caller::kReplaceImage, "Z:\\p\\pic.bmp", true, nullptr},
        {Caller::kReplaceImage, "Z:\\p\\pic.jpeg", true, nullptr},
        {Caller::kReplaceImage, "Z:\\p\\gone.jpg", false, "Cannot load image:\n/p/gone.jpg"},
        {Caller::kReplaceImage, "ab", false, "Cannot load image:\n/ab"},
        {Caller::kPanorama, "Z:\\p\\pic.jpg", true, nullptr},
        {Caller::kPanorama, "Z:\\p\\pic.bmp", false, "Cannot open image /p/pic.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Files f;
        auto picture = LoadPictureFile(c.caller, f.files, f.ui, c.path);
        EXPECT_EQ(picture.has_value(), c.loads);
        if (c.message) {
            ASSERT_EQ(f.ui.Messages().size(), 1u);
            EXPECT_EQ(f.ui.Messages()[0].text, c.message);
            EXPECT_EQ(f.ui.Messages()[0].caption, "Velk Player");
        } else {
            EXPECT_TRUE(f.ui.Messages().empty());
        }
    }
}

TEST(ImageFiles, DecodedPicturesAreTheFilesPixels) {
    Files f;
    auto bmp = LoadPictureFile(Caller::kViewImage, f.files, f.ui, "Z:\\p\\pic.bmp");
    ASSERT_TRUE(bmp);
    EXPECT_EQ(*bmp, (RgbImage{1, 1, {1, 2, 3}}));
}

}  // namespace
}  // namespace velk
