// Plays arbitrary bytes as an enhanced metafile into a small canvas, into several destination
// rectangles (plain, scaled, mirrored each way, clipped): every outcome must be a drawing or
// none, never a crash, a hang, a read past the data or an allocation beyond the records' own
// sizes, and the canvas's state must be as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/metafile/metafile_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Starting fontconfig is slow; the font cache is made once for the whole run.
    static velk::FontCache fonts;
    const std::span<const std::uint8_t> bytes(data, size);
    velk::Surface surface(48, 32, 0xFFFFFF);
    velk::Canvas canvas(surface);
    const velk::Rect destinations[] = {
        {0, 0, 48, 32}, {4, 4, 20, 12}, {40, 2, 8, 30}, {2, 30, 44, 1}, {-100, -50, 300, 200}};
    for (const velk::Rect& destination : destinations) {
        velk::PlayEnhMetafile(canvas, fonts, bytes, destination);
    }
    canvas.IntersectClip({3, 3, 30, 20});
    canvas.SetViewportOrigin({5, -2});
    velk::PlayEnhMetafile(canvas, fonts, bytes, {20, 20, 0, 0});
    if (canvas.GetViewportOrigin() != velk::Point{5, -2}) std::abort();
    if (canvas.GetClipRegion() != velk::Region(velk::Rect{3, 3, 30, 20})) std::abort();
    return 0;
}
