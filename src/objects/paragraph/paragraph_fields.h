// A Paragraph's stored fields by what they mean: a read-only view over the record.
#pragma once

#include <cstdint>

#include "document/object.h"

namespace velk {

class ParagraphFields {
  public:
    explicit ParagraphFields(const Object& paragraph) : paragraph_(paragraph) {}

    // 0 left, 1 centred, 2 right, 3 justified (see paragraph_text.h).
    std::uint32_t Alignment() const { return paragraph_.param1; }
    // A flat scroll bar rather than the raised one.
    bool FlatScrollBar() const { return paragraph_.param2 == 1; }
    std::uint32_t TextColour() const { return paragraph_.colour1; }

  private:
    const Object& paragraph_;
};

}  // namespace velk
