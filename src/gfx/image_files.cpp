// Picture files chosen by the last four characters of their path.
#include <string>

#include "base/codepage.h"
#include "document/load_context.h"
#include "gfx/image_library.h"

namespace velk {
namespace {

// Compares the path's last four characters with `ending` (upper case) without regard to case.
bool EndsWith(std::string_view path, std::string_view ending) {
    return path.size() >= ending.size() &&
           EqualsIgnoreCase(path.substr(path.size() - ending.size()), ending);
}

}  // namespace

PictureDecoder ChoosePictureDecoder(PictureFileCaller caller, std::string_view path) {
    const bool bmp = EndsWith(path, ".BMP");
    const bool jpg = EndsWith(path, ".JPG");
    switch (caller) {
        case PictureFileCaller::kViewImage:
            return bmp ? PictureDecoder::kBmp : jpg ? PictureDecoder::kJpeg : PictureDecoder::kNone;
        case PictureFileCaller::kReplaceImage:
            return bmp ? PictureDecoder::kBmp : PictureDecoder::kJpeg;
        case PictureFileCaller::kPanorama:
            return jpg ? PictureDecoder::kJpeg : PictureDecoder::kNone;
    }
    return PictureDecoder::kNone;
}

std::optional<RgbImage> LoadPictureFile(PictureFileCaller caller, const host::FileSystem& files,
                                        host::Ui& ui, std::string_view path) {
    std::optional<RgbImage> picture;
    switch (ChoosePictureDecoder(caller, path)) {
        case PictureDecoder::kBmp:
            picture = LoadBMPFile(files, path);
            break;
        case PictureDecoder::kJpeg:
            picture = LoadJPEGFile(files, path);
            break;
        case PictureDecoder::kNone:
            break;
    }
    if (picture) return picture;
    const std::string_view before =
        caller == PictureFileCaller::kReplaceImage ? "Cannot load image:\n" : "Cannot open image ";
    ui.MessageNamingFile(kApplicationName, before, files.ShownPath(path), {});
    return std::nullopt;
}

}  // namespace velk
