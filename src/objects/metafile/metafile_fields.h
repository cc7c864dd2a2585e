// The stored fields of a Metafile object by what they mean.
#pragma once

#include "document/object.h"

namespace velk {

class MetafileFields {
  public:
    explicit MetafileFields(const Object& metafile) : metafile_(metafile) {}

    // The picture is shown upside down (1 or 3) and mirrored left to right (2 or 3).
    bool UpsideDown() const { return metafile_.param2 == 1 || metafile_.param2 == 3; }
    bool Mirrored() const { return metafile_.param2 == 2 || metafile_.param2 == 3; }

  private:
    const Object& metafile_;
};

}  // namespace velk
