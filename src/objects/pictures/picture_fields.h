// The stored fields of Images (and Video stills) and Matrices by what they mean: read-only views
// over the record.
#pragma once

#include <cstdint>
#include <optional>

#include "document/object.h"

namespace velk {

// A stored key colour (COLORREF) that counts only while its flag is set.
inline std::optional<std::uint32_t> KeyColour(std::uint32_t flag, std::uint32_t colour) {
    return flag != 0 ? std::optional<std::uint32_t>(colour) : std::nullopt;
}

class ImageFields {
  public:
    explicit ImageFields(const Object& image) : image_(image) {}

    // `image2` is shown instead of `image1` (when it is there).
    bool ShowsSecondPicture() const { return image_.param1 == 1; }
    // The picture is read from the player's Images folder at page entry, not stored.
    bool PictureFromFile() const { return image_.param2 == 1; }
    // The key colour (COLORREF) left out of the picture, when it has one.
    std::optional<std::uint32_t> Key() const {
        return KeyColour(image_.transparent1, image_.colour1);
    }
    // Blended over the page by `Opacity()` (and `image3` as a mask) instead of copied.
    bool Blended() const { return image_.transform != 0; }
    double Opacity() const { return image_.scale; }
    // The rectangle is filled with `BackgroundColour()` under the picture, and is solid to the
    // pointer.
    bool FillsBackground() const { return image_.flag_f; }
    std::uint32_t BackgroundColour() const { return image_.value_b; }
    // Placement: fitted to the rectangle, centred (when not fitted; `flag_e` centres a fitted
    // one), scroll bars allowed, and panned by dragging with the pointer.
    bool Fitted() const { return image_.flag_a; }
    bool Centred() const {
        return (!image_.flag_a && image_.flag_g) || (image_.flag_a && image_.flag_e);
    }
    bool CentredUnfitted() const { return image_.flag_g; }
    bool ScrollBars() const { return image_.flag_b; }
    bool PannedByPointer() const { return image_.flag_c; }

  private:
    const Object& image_;
};

class MatrixFields {
  public:
    explicit MatrixFields(const Object& matrix) : matrix_(matrix) {}

    std::uint32_t Columns() const { return matrix_.param1; }
    std::uint32_t Rows() const { return matrix_.param2; }
    // The value every cell starts with.
    std::uint8_t InitialCell() const { return static_cast<std::uint8_t>(matrix_.param4 & 0xFF); }
    // The key colours of the pictures that cells of 1, 2 and 3 show (`index` 0 to 2).
    std::optional<std::uint32_t> CellKey(int index) const {
        switch (index) {
            case 0:
                return KeyColour(matrix_.transparent1, matrix_.colour1);
            case 1:
                return KeyColour(matrix_.transparent2, matrix_.colour2);
            default:
                return KeyColour(matrix_.transparent3, matrix_.colour3);
        }
    }

  private:
    const Object& matrix_;
};

}  // namespace velk
