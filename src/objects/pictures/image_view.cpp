#include "objects/pictures/image_view.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "base/saturate.h"
#include "codec/limits.h"
#include "gfx/canvas.h"
#include "gfx/image_library.h"
#include "objects/picture_cache.h"
#include "objects/pictures/image_geometry.h"
#include "objects/pictures/image_pan.h"
#include "objects/pictures/image_scroll.h"
#include "objects/pictures/picture_fields.h"
#include "objects/pictures/picture_kind.h"

namespace velk {
namespace {

// The outline is drawn this many rows at a time, so that a tall picture's mask does not need a
// second store of its whole size.
constexpr std::int32_t kMaskBandRows = 256;

bool HasView(std::int32_t kind) {
    return kind == kKindImage || kind == kKindImageWithoutPicture || kind == kKindVideo ||
           kind == kKindPolygon || kind == kKindImageWithoutPictureOutlined;
}

const RgbImage* Decoded(PictureCache& pictures, const Picture* picture) {
    if (picture == nullptr) return nullptr;
    const RgbImage& pixels = pictures.Pixels(*picture);
    return IsValidRgb(pixels) ? &pixels : nullptr;
}

const RgbImage* Decoded(PictureCache& pictures, const std::optional<Picture>& picture) {
    return Decoded(pictures, picture ? &*picture : nullptr);
}

Picture StoredForm(RgbImage image) {
    Picture stored;
    stored.coding = PictureCoding::kPlain;
    stored.width = image.width;
    stored.height = image.height;
    stored.bytes = std::move(image.pixels);
    return stored;
}

// The first view operation starts the view at the source size, unturned; all but SetPivot put
// the pivot at the picture's centre.
ImageViewState& Initialise(Object& object, PictureCache& pictures, bool centre_pivot) {
    ImageViewState& view = object.image_view;
    if (view.ready) return view;
    const Size source = SourceSize(object, pictures);
    view.ready = true;
    view.angle = 0.0;
    view.size = source;
    if (centre_pivot) view.pivot = {source.width / 2, source.height / 2};
    return view;
}

bool QuarterTurn(double angle) {
    return std::fmod(angle, 90.0) == 0.0;
}

// Fit mode follows the rectangle with the picture, except where a quarter-turned picture keeps
// its aspect (`flag_e`): that is AspectFit's work.
bool KeepsAspect(const Object& object) {
    return ImageFields(object).Fitted() && QuarterTurn(object.image_view.angle) && object.flag_e;
}

bool RebuildsOnResize(const Object& object) {
    return ImageFields(object).Fitted() && !KeepsAspect(object);
}

// The mask keeps only what lies inside the outline, drawn with a white pen and brush.
void CutByOutline(std::optional<RgbImage>& mask, const std::vector<Point>& outline, Size size) {
    if (size.width <= 0 || size.height <= 0) return;
    const std::uint64_t bytes = std::uint64_t(size.width) * std::uint64_t(size.height) * 3;
    if (bytes > kMaxPictureBytes) return;
    if (mask && (mask->width != size.width || mask->height != size.height)) return;
    if (!mask) mask = RgbImage{size.width, size.height, std::vector<std::uint8_t>(bytes, 0xFF)};
    const Bgrx white = MakeBgrx(255, 255, 255);
    for (std::int32_t top = 0; top < size.height; top += kMaskBandRows) {
        const std::int32_t rows = std::min(kMaskBandRows, size.height - top);
        Surface band(size.width, rows, 0);
        Canvas canvas(band);
        canvas.SetViewportOrigin({0, -top});
        canvas.SetPen(Pen{PenStyle::kSolid, white, 1});
        canvas.SetBrush(Brush::Solid(white));
        canvas.Polygon(outline);
        for (std::int32_t y = 0; y < rows; ++y) {
            std::uint8_t* out =
                mask->pixels.data() + std::size_t(top + y) * std::size_t(size.width) * 3;
            for (std::int32_t x = 0; x < size.width; ++x, out += 3) {
                if (band.At(x, y) == 0) out[0] = out[1] = out[2] = 0;
            }
        }
    }
}

struct Placement {
    Rect box;            // N: where the turned picture lands
    Point source_pivot;  // ps: the pivot in the scaled picture
    Point target_pivot;  // pt: the pivot in N
};

// The memory of the shown picture and its mask, which a rebuild replaces.
TurnedPicture TakeStores(Object& object) {
    TurnedPicture stores;
    if (object.image2) stores.picture.pixels = std::move(object.image2->bytes);
    if (object.image3) stores.mask.pixels = std::move(object.image3->bytes);
    return stores;
}

// After a failed rebuild: the pictures keep their bytes.
void GiveBackStores(Object& object, TurnedPicture& stores) {
    if (object.image2) object.image2->bytes = std::move(stores.picture.pixels);
    if (object.image3) object.image3->bytes = std::move(stores.mask.pixels);
}

// Makes the shown picture, mask and outline for `size` at `angle`. False, with nothing
// changed, when the picture cannot be scaled or turned.
bool Rebuild(Object& object, PictureCache& pictures, Size size, double angle, Turn turn,
             const Placement& place) {
    if (angle == 0.0) size = {place.box.Width(), place.box.Height()};
    const RgbImage* source = Decoded(pictures, object.image1);
    if (object.image1 && source == nullptr) return false;
    // Turning an unblended picture gives it a mask of its own; its source mask is given up.
    const bool keeps_source_mask = object.transform != 0 || angle == 0.0;
    const RgbImage* source_mask = keeps_source_mask ? Decoded(pictures, object.image4) : nullptr;

    std::optional<RgbImage> scaled, scaled_mask;
    if (source && (source->width != size.width || source->height != size.height)) {
        scaled = ResizeRGB(*source, size.width, size.height);
        if (!scaled) return false;
    }
    if (source_mask && (source_mask->width != size.width || source_mask->height != size.height)) {
        scaled_mask = ResizeRGB(*source_mask, size.width, size.height);
        if (!scaled_mask) return false;
    }
    const RgbImage* mask_in = scaled_mask ? &*scaled_mask : source_mask;

    std::optional<RgbImage> shown, mask;
    if (source == nullptr || angle == 0.0) {
        shown = std::move(scaled);
        if (mask_in) mask = *mask_in;
    } else {
        // The turned picture and mask are made anew in the stores of the ones they replace.
        TurnedPicture stores = TakeStores(object);
        auto turned =
            RotateRGB(scaled ? *scaled : *source, object.transform != 0 ? mask_in : nullptr,
                      place.box.Width(), place.box.Height(), place.target_pivot, place.source_pivot,
                      turn, stores);
        if (!turned) {
            GiveBackStores(object, stores);
            return false;
        }
        shown = std::move(turned->picture);
        mask = std::move(turned->mask);
    }
    if (!object.points_b.empty()) {
        if (auto outline = TransformPolygon(object.points_b, object.points_value1,
                                            object.points_value2, size.width, size.height,
                                            place.source_pivot, place.target_pivot, turn)) {
            object.points_a = std::move(*outline);
        }
        if (object.image1) {
            CutByOutline(mask, object.points_a, {place.box.Width(), place.box.Height()});
        }
    }

    if (!keeps_source_mask && object.image4) {
        pictures.Drop(*object.image4);
        object.image4.reset();
    }
    if (shown) {
        object.image2 = StoredForm(std::move(*shown));
    } else {
        object.image2.reset();
    }
    if (mask) {
        object.image3 = StoredForm(std::move(*mask));
    } else {
        object.image3.reset();
    }
    if (object.image2) pictures.Drop(*object.image2);
    if (object.image3) pictures.Drop(*object.image3);
    object.param1 = object.image2 ? 1 : 0;
    if (object.transform == 0 && object.image3 && object.image1 &&
        (angle != 0.0 || !object.points_b.empty())) {
        object.transform = 1;
        object.scale = 1.0;
    }
    object.image_view.size = size;
    object.image_view.angle = angle;
    return true;
}

std::int32_t RoundedFloor(double value) {
    return SaturateCast<std::int32_t>(std::floor(value + 0.5));
}

// Where the turned picture of `size` lands so that the pivot keeps its place on the screen.
Placement Place(const Object& object, Size source, Size size, Turn turn) {
    const ImageViewState& view = object.image_view;
    const double fx = double(view.pivot.x) / source.width;
    const double fy = double(view.pivot.y) / source.height;
    const Rect before = RotatedBox(view.size.width, view.size.height, fx, fy, TurnOf(view.angle));
    const BoxFraction at = OriginFraction(before);
    const Rect& rect = object.rect;
    const Point pivot{RoundedFloor(at.x * (double(rect.right) - rect.left) + rect.left),
                      RoundedFloor(at.y * (double(rect.bottom) - rect.top) + rect.top)};
    const Rect box = RotatedBox(size.width, size.height, fx, fy, turn);
    const BoxFraction new_at = OriginFraction(box);
    const std::int64_t dx = std::int64_t{pivot.x} - RoundedFloor(new_at.x * box.Width() + box.left);
    const std::int64_t dy = std::int64_t{pivot.y} - RoundedFloor(new_at.y * box.Height() + box.top);
    Placement place;
    place.box = {SaturateToInt32(box.left + dx), SaturateToInt32(box.top + dy),
                 SaturateToInt32(box.right + dx), SaturateToInt32(box.bottom + dy)};
    place.source_pivot = {RoundedFloor(size.width * fx), RoundedFloor(size.height * fy)};
    place.target_pivot = {SaturateToInt32(std::int64_t{pivot.x} - place.box.left),
                          SaturateToInt32(std::int64_t{pivot.y} - place.box.top)};
    return place;
}

// Fit mode with a kept aspect: the picture as large as the rectangle allows at the source's
// aspect, the rectangle unchanged.
void AspectFit(Object& object, PictureCache& pictures) {
    ImageViewState& view = object.image_view;
    if (!QuarterTurn(view.angle)) return;
    const Point kept = view.pivot;
    view.pivot = {0, 0};
    const Size source = SourceSize(object, pictures);
    const double ratio =
        source.width > 0 && source.height > 0 ? double(source.width) / source.height : 1.0;
    std::int64_t available_width = std::int64_t{object.rect.right} - object.rect.left;
    std::int64_t available_height = std::int64_t{object.rect.bottom} - object.rect.top;
    if (view.angle == 90.0 || view.angle == 270.0) std::swap(available_width, available_height);
    const auto needed = SaturateCast<std::int32_t>(ratio * double(available_height));
    const Size size = available_width < needed
                          ? Size{SaturateToInt32(available_width),
                                 SaturateCast<std::int32_t>(double(available_width) / ratio)}
                          : Size{needed, SaturateToInt32(available_height)};
    TransformView(object, pictures, size, view.angle, true, false);
    view.pivot = kept;
}

// Steps every view operation ends with: the pan offset clamped anew, the bars made anew.
void Settle(Object& object) {
    SetPan(object, object.image_origin);
    MakeScrollBars(object);
}

}  // namespace

Size SourceSize(const Object& object, PictureCache& pictures) {
    if (object.image1) {
        const RgbImage& pixels = pictures.Pixels(*object.image1);
        return IsValidRgb(pixels) ? Size{pixels.width, pixels.height} : Size{};
    }
    if (!object.points_b.empty()) {
        return {SaturateToInt32(object.points_value1), SaturateToInt32(object.points_value2)};
    }
    return {};
}

void SetPivot(Object& object, PictureCache& pictures, Point pivot) {
    Initialise(object, pictures, false).pivot = pivot;
}

void TransformView(Object& object, PictureCache& pictures, Size size, double angle, bool rebuild,
                   bool move) {
    if (size.width <= 0 || size.height <= 0 || !HasView(object.kind)) return;
    const std::optional<double> normalised = NormalisedAngle(angle);
    if (!normalised) return;
    Initialise(object, pictures, true);
    const Size source = SourceSize(object, pictures);
    if (source.width <= 0 || source.height <= 0) return;
    const Turn turn = TurnOf(*normalised);
    const Placement place = Place(object, source, size, turn);
    if (place.box.IsEmpty()) return;
    if (rebuild && !Rebuild(object, pictures, size, *normalised, turn, place)) return;
    if (move) object.rect = place.box;
}

void ResizeView(Object& object, PictureCache& pictures, Size size) {
    ImageViewState& view = Initialise(object, pictures, true);
    RemoveScrollBars(object);
    const bool aspect = KeepsAspect(object);
    TransformView(object, pictures, size, view.angle, RebuildsOnResize(object), true);
    if (aspect) AspectFit(object, pictures);
    Settle(object);
}

void FitView(Object& object, PictureCache& pictures, const Rect& target) {
    ImageViewState& view = Initialise(object, pictures, true);
    const Point kept = view.pivot;
    view.pivot = {0, 0};
    RemoveScrollBars(object);
    const std::int32_t width = SaturateToInt32(std::int64_t{target.right} - target.left);
    const std::int32_t height = SaturateToInt32(std::int64_t{target.bottom} - target.top);
    Size size = view.size;
    if (std::fmod(view.angle, 180.0) == 0.0) {
        size = {width, height};
    } else if (QuarterTurn(view.angle)) {
        size = {height, width};
    }
    const bool aspect = KeepsAspect(object);
    TransformView(object, pictures, size, view.angle, RebuildsOnResize(object), true);
    if (aspect) AspectFit(object, pictures);
    Rect& rect = object.rect;
    const std::int64_t dx = std::int64_t{target.left} - rect.left;
    const std::int64_t dy = std::int64_t{target.top} - rect.top;
    rect = {target.left, target.top, SaturateToInt32(rect.right + dx),
            SaturateToInt32(rect.bottom + dy)};
    Settle(object);
    view.pivot = kept;
}

void ZoomView(Object& object, PictureCache& pictures, double percent) {
    if (!(percent >= 1.0)) return;
    const Size source = SourceSize(object, pictures);
    const Size size{SaturateCast<std::int32_t>(source.width * percent * 0.01),
                    SaturateCast<std::int32_t>(source.height * percent * 0.01)};
    if (ImageFields(object).Fitted()) {
        ResizeView(object, pictures, size);
        return;
    }
    ImageViewState& view = Initialise(object, pictures, true);
    const Point kept = view.pivot;
    view.pivot = {0, 0};
    RemoveScrollBars(object);
    const RgbImage* before = Decoded(pictures, ShownPicture(object));
    const Size old = before ? Size{before->width, before->height} : Size{};
    TransformView(object, pictures, size, view.angle, true, false);
    if (old.width > 0 && old.height > 0) {
        const Point origin = object.image_origin;
        SetPan(object, {RoundedFloor(double(origin.x) * size.width / old.width),
                        RoundedFloor(double(origin.y) * size.height / old.height)});
    }
    MakeScrollBars(object);
    view.pivot = kept;
}

void RotateView(Object& object, PictureCache& pictures, double angle, bool relative) {
    ImageViewState& view = Initialise(object, pictures, true);
    RemoveScrollBars(object);
    TransformView(object, pictures, view.size, relative ? view.angle + angle : angle, true, true);
    Settle(object);
}

void RestoreView(Object& object, PictureCache& pictures) {
    Initialise(object, pictures, true);
    RemoveScrollBars(object);
    TransformView(object, pictures, SourceSize(object, pictures), 0.0, true, true);
    if (!ImageFields(object).Fitted()) object.flag_d = false;
    Settle(object);
}

void RefitConvertedVideos(Project& project, PictureCache& pictures) {
    const auto refit = [&pictures](Page& page) {
        for (Object& object : page.objects) {
            if (!std::exchange(object.image_view.refit_pending, false)) continue;
            const Size source = SourceSize(object, pictures);
            const double percent = object.flag_d ? double(object.value_a) : 100.0;
            const Size size =
                ImageFields(object).Fitted()
                    ? Size{SaturateToInt32(std::int64_t{object.rect.right} - object.rect.left),
                           SaturateToInt32(std::int64_t{object.rect.bottom} - object.rect.top)}
                    : Size{SaturateCast<std::int32_t>(source.width * percent * 0.01),
                           SaturateCast<std::int32_t>(source.height * percent * 0.01)};
            TransformView(object, pictures, size, 0.0, true, false);
            object.transform = 1;
        }
    };
    for (Page& page : project.pages) refit(page);
    refit(project.master_page);
    refit(project.master_layer);
}

}  // namespace velk
