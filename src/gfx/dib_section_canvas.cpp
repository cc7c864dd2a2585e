// A pixel store drawn to and captured from a device context.
#include "gfx/canvas.h"
#include "gfx/dib_section.h"

namespace velk {

void DibSection::Draw(Canvas& canvas, std::int32_t x, std::int32_t y) const {
    if (empty_) return;
    canvas.BitBlt(x, y, Width(), Height(), pixels_, 0, 0);
}

void DibSection::StretchDraw(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) const {
    if (empty_) return;
    canvas.StretchBlt(x, y, width, height, pixels_, 0, 0, Width(), Height());
}

bool DibSection::CaptureFromDC(const Canvas& source, std::int32_t x, std::int32_t y, std::int32_t w,
                               std::int32_t h) {
    return CaptureFromDC(source.GetSurface(), source.GetViewportOrigin(), x, y, w, h);
}

void DibSection::DrawStates(Canvas& canvas, std::int32_t x, std::int32_t y, const RgbImage& image,
                            std::int32_t state) {
    if (!HasStatePicture(image, state)) return;
    CaptureFromDC(canvas, x, y, image.width / 2, image.height / 2);
    ComposeState(image, state);
    Draw(canvas, x, y);
}

}  // namespace velk
