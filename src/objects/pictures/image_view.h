// The image view of Image objects (kind 3; also 4 and 30, their picture-less forms, the still
// picture of a Video, 12, and the Polygon, 13): the picture scaled, turned about a pivot,
// fitted to the rectangle, zoomed and restored. Each operation rebuilds the shown picture
// (`image2`), its mask (`image3`) and outline (`points_a`) from the source (`image1`, `image4`,
// `points_b`), and makes the scroll bars anew. The run-time state is `Object::image_view`.
#pragma once

#include "base/geometry.h"
#include "document/object.h"
#include "document/project.h"

namespace velk {

class PictureCache;

// The source picture's size: `image1`'s, else the outline's reference size when there is an
// outline, else 0 x 0.
Size SourceSize(const Object& object, PictureCache& pictures);

// The pivot: the point of the source picture that keeps its place on the screen.
void SetPivot(Object& object, PictureCache& pictures, Point pivot);

// Scales the picture to `size` and turns it to `angle` degrees about the pivot. With `rebuild`
// the shown picture, mask and outline are made anew; with `move` the rectangle becomes the box
// of the turned picture, placed so that the pivot keeps its place. Nothing happens for a size
// of 0 or less, a kind without a view, a source of no size, or an angle that is not a number.
void TransformView(Object& object, PictureCache& pictures, Size size, double angle, bool rebuild,
                   bool move);

// ResizeImage: the view takes a new size. In fit mode the picture follows; otherwise only the
// rectangle changes and shows more or less of the picture.
void ResizeView(Object& object, PictureCache& pictures, Size size);
// Fits the view into `target` (PlaceObject with a new size, ReplaceImage in fit mode).
void FitView(Object& object, PictureCache& pictures, const Rect& target);
// ZoomImageView: the picture at `percent` of its source size; nothing below 1.
void ZoomView(Object& object, PictureCache& pictures, double percent);
// RotateImageTo (`relative` false) and RotateImageRel (true).
void RotateView(Object& object, PictureCache& pictures, double angle, bool relative);
// RestoreImage: the source size, no turn.
void RestoreView(Object& object, PictureCache& pictures);

// The Videos of a project older than version 27 (marked by the reader): the still picture,
// with its old mask as the source mask, is fitted to the rectangle in fit mode, otherwise
// scaled to `value_a` percent (`flag_d`) or to 100 percent, and shown blended.
void RefitConvertedVideos(Project& project, PictureCache& pictures);

}  // namespace velk
