#include "objects/picture_cache.h"

#include "document/load_context.h"
#include "document/picture_io.h"

namespace velk {

const RgbImage& PictureCache::Pixels(const Picture& picture) {
    auto found = decoded_.find(&picture);
    if (found != decoded_.end()) return found->second;
    DecodedPicture decoded = DecodePicture(picture);
    if (!decoded.error.empty()) ui_.MessageBox(kApplicationName, decoded.error);
    return decoded_.emplace(&picture, std::move(decoded.image)).first->second;
}

}  // namespace velk
