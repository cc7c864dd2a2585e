// The per-kind steps of page stop and page entry that belong to the pages themselves; kinds
// whose media, controls or windows live elsewhere get theirs through PageOwner.
#pragma once

#include <string_view>

#include "document/object.h"
#include "document/page.h"

namespace velk {

class PageOwner;

namespace host {
class FileSystem;
}

// Where Image objects find their picture files: the player's folder and the files it is on.
struct PictureFolder {
    const host::FileSystem* files = nullptr;
    std::string_view player_directory;
};

// The page's shrink animations end: each object gets its scale back, the count drops to 0.
void ResetAnimations(Page& page);

// Page stop of one object: an Image whose picture came from a file frees it; then the host's
// steps for the object.
void StopObject(Page& page, Object& object, PageOwner& owner);

// Page entry of one object (already reset): an Image without its file picture loads it, a shown
// Effect object starts the shared effect timer; then the host's steps for the object.
void EnterObject(Page& page, Object& object, const PictureFolder& folder, PageOwner& owner);

// Loads the picture file `text` of an Image object from the "Images" folder: a name ending in
// ".bmp" (any case) as a bitmap file, anything else as JPEG. On success the picture becomes
// `image1`, the rectangle takes its size and `param1` is 0. False (object unchanged) otherwise.
bool LoadImageFilePicture(Object& object, const PictureFolder& folder);

}  // namespace velk
