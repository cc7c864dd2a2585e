// Decoded pixels of the project's pictures. Pictures stay coded in the document (a JPEG or zlib
// stream, as stored) and are decoded the first time they are drawn; the pixels are kept while
// the page that shows them is current.
#pragma once

#include <unordered_map>

#include "base/rgb_image.h"
#include "document/picture.h"
#include "host/host.h"

namespace velk {

class PictureCache {
  public:
    explicit PictureCache(host::Ui& ui) : ui_(ui) {}

    // The pixels of `picture`, decoded on first use. A failed decode shows its message once
    // ("Uncompress failed") and gives what could be decoded, possibly an empty image. The
    // reference stays valid until Drop/Clear; `picture` must outlive its entry.
    const RgbImage& Pixels(const Picture& picture);

    // Forgets one picture's pixels (after the picture changed or its page was left).
    void Drop(const Picture& picture) { decoded_.erase(&picture); }
    void Clear() { decoded_.clear(); }
    std::size_t Size() const { return decoded_.size(); }

  private:
    host::Ui& ui_;
    std::unordered_map<const Picture*, RgbImage> decoded_;
};

}  // namespace velk
