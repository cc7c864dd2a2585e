// The stored fields of text buttons and bitmap buttons by what they mean: read-only views over
// the record.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "document/object.h"

namespace velk {

class TextButtonFields {
  public:
    explicit TextButtonFields(const Object& button) : button_(button) {}

    // Flat (a coloured face under the pointer) rather than pushed.
    bool Flat() const { return button_.param2 == 1; }
    // Its own font; otherwise the default button font.
    bool OwnFont() const { return button_.param1 != 0; }
    // Colours (COLORREF): the push button's face, the text, and the flat button's face and
    // text under the pointer.
    std::uint32_t FaceColour() const { return button_.colour1; }
    std::uint32_t TextColour() const { return button_.colour2; }
    std::uint32_t OverFaceColour() const { return button_.colour3; }
    std::uint32_t OverTextColour() const { return button_.colour4; }

  private:
    const Object& button_;
};

// One state's look of a plain bitmap button: its picture, where it sits and its key colour.
struct ButtonStateLook {
    const std::optional<Picture>* picture = nullptr;
    Point offset;
    bool keyed = false;
    std::uint32_t key = 0;  // COLORREF
};

class BitmapButtonFields {
  public:
    explicit BitmapButtonFields(const Object& button) : button_(button) {}

    // One picture of 2 x 2 states with opacities in its bottom-right quarter.
    bool Alpha() const { return button_.option2 != 0; }
    // Its picture framed as a push button.
    bool PushFrame() const { return button_.option1 != 0; }
    // The look of a state (normal, over, pressed); none for any other state.
    std::optional<ButtonStateLook> LookOf(std::int32_t state) const {
        switch (state) {
            case kStateNormal:
                return ButtonStateLook{
                    &button_.image1, {}, button_.transparent1 != 0, button_.colour1};
            case kStateOver:
                return ButtonStateLook{&button_.image2, button_.image2_offset,
                                       button_.transparent2 != 0, button_.colour2};
            case kStatePressed:
                return ButtonStateLook{&button_.image3, button_.image3_offset,
                                       button_.transparent3 != 0, button_.colour3};
            default:
                return std::nullopt;
        }
    }

  private:
    const Object& button_;
};

}  // namespace velk
