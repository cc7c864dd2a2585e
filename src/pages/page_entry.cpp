#include "pages/page_entry.h"

#include <string>

#include "base/saturate.h"
#include "gfx/image_library.h"
#include "objects/effect/effect_runtime.h"
#include "objects/kinds.h"
#include "objects/pictures/picture_fields.h"
#include "pages/page_manager.h"

namespace velk {
namespace {

// An Image whose picture is read from the Images folder at page entry instead of being stored.
bool PictureFromFile(const Object& object) {
    return object.kind == kKindImage && ImageFields(object).PictureFromFile();
}

Picture StoredForm(RgbImage picture) {
    Picture stored;
    stored.coding = PictureCoding::kPlain;
    stored.width = picture.width;
    stored.height = picture.height;
    stored.bytes = std::move(picture.pixels);
    return stored;
}

}  // namespace

void ResetAnimations(Page& page) {
    for (Object& object : page.objects) {
        if (!object.anim_running) continue;
        // A page left in the middle of a shrink would otherwise keep the object shrunk for good.
        object.scale = object.anim_saved_scale;
        object.anim_running = false;
    }
    page.running_animations = 0;
}

void StopObject(Page& page, Object& object, PageOwner& owner) {
    // A page that is left gives back its decoded pixels: memory follows the page shown, not
    // every page visited. They are decoded again when the page is shown again.
    for (const std::optional<Picture>* picture :
         {&object.image1, &object.image2, &object.image3, &object.image4}) {
        if (*picture) owner.ForgetPicture(**picture);
    }
    if (PictureFromFile(object)) object.image1.reset();
    ReleaseEffect(object);
    // An Animated GIF's timer ends with its page: left running, it would drive a GIF of the
    // next page that has the same timer id but waits to be played.
    const KindTraits& kind = TraitsOf(object.kind);
    if (kind.start_timer != nullptr) owner.KillTimer(kind.own_timer(object).id);
    owner.StopObject(page, object);
}

bool LoadImageFilePicture(Object& object, const PictureFolder& folder) {
    if (folder.files == nullptr) return false;
    std::string path{folder.player_directory};
    path.append("\\").append(kImagesFolder).append("\\").append(object.text);
    // The same ending rule as the ReplaceImage command: ".bmp" or else JPEG.
    std::optional<RgbImage> picture;
    if (ChoosePictureDecoder(PictureFileCaller::kReplaceImage, path) == PictureDecoder::kBmp) {
        picture = LoadBMPFile(*folder.files, path);
    } else {
        picture = LoadJPEGFile(*folder.files, path);
    }
    if (!picture || !IsValidRgb(*picture)) return false;
    Rect& rect = object.rect;
    rect.right = SaturateToInt32(std::int64_t{rect.left} + picture->width);
    rect.bottom = SaturateToInt32(std::int64_t{rect.top} + picture->height);
    object.image1 = StoredForm(std::move(*picture));
    object.param1 = 0;
    return true;
}

void EnterObject(Page& page, Object& object, const PictureFolder& folder, PageOwner& owner) {
    if (PictureFromFile(object) && !object.image1 && LoadImageFilePicture(object, folder)) {
        owner.ForgetPicture(*object.image1);
    }
    const KindTraits& kind = TraitsOf(object.kind);
    const bool shown = object.hidden == 0 && object.visible != 0;
    if (kind.start_timer != nullptr) {
        const auto timer = shown ? kind.start_timer(object, TimerStart::kPageEntry) : std::nullopt;
        if (timer) owner.SetTimer(timer->id, timer->interval_ms);
    } else if (kind.timer_starts_on_entry && shown) {
        const ObjectTimer timer = kind.own_timer(object);
        owner.SetTimer(timer.id, timer.interval_ms);
    }
    owner.EnterObject(page, object);
}

}  // namespace velk
