#include "pages/page_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "base/saturate.h"
#include "gfx/canvas.h"
#include "gfx/image_library.h"
#include "objects/picture_cache.h"

namespace velk {
namespace {

constexpr std::string_view kMasterPageName = "Master Page 000";
constexpr std::string_view kMasterLayerName = "Master Layer 000";

// The shared layers answer to their fixed names whatever name they were stored with.
std::string_view NameForLookup(const Project& project, const Page& page) {
    if (&page == &project.master_page) return kMasterPageName;
    if (&page == &project.master_layer) return kMasterLayerName;
    return page.name;
}

Page* PageForLookup(Project& project, std::string_view page_part) {
    const std::string lower = Cp1252LowerString(page_part);
    if (page_part == kMasterPageName || page_part == "Master Page" || lower == "master page") {
        return &project.master_page;
    }
    if (page_part == kMasterLayerName || page_part == "Master Layer" || lower == "master layer") {
        return &project.master_layer;
    }
    for (Page& page : project.pages) {
        if (EqualsIgnoreCase(page.name, page_part)) return &page;
    }
    return nullptr;
}

// Device rectangles that drawing may touch: the clip region within the surface.
std::vector<Rect> DeviceClipRects(const Canvas& canvas) {
    const Surface& surface = canvas.GetSurface();
    const Rect whole{0, 0, surface.Width(), surface.Height()};
    std::vector<Rect> rects;
    if (!canvas.GetClipRegion()) {
        rects.push_back(whole);
        return rects;
    }
    for (const Rect& r : *canvas.GetClipRegion()) {
        Rect inside = r.Intersect(whole);
        if (!inside.IsEmpty()) rects.push_back(inside);
    }
    return rects;
}

// A page background picture 1:1 with its top-left corner at logical (x, y).
void DrawBackgroundPicture(Canvas& canvas, const std::vector<Rect>& clip, const RgbImage& image,
                           std::int64_t x, std::int64_t y) {
    const Point origin = canvas.GetViewportOrigin();
    const std::int32_t dx = SaturateToInt32(x + origin.x);
    const std::int32_t dy = SaturateToInt32(y + origin.y);
    for (const Rect& r : clip) DrawRGB(canvas.GetSurface(), r, image, dx, dy);
}

// Tiles from the top-left corner over the paint size. Pixel by pixel over what can be drawn
// rather than tile by tile, so that a tiny tile under a huge stored paint size costs no more
// than the canvas has pixels.
void DrawTiledPicture(Canvas& canvas, const std::vector<Rect>& clip, const RgbImage& image,
                      std::int32_t paint_width, std::int32_t paint_height) {
    Surface& surface = canvas.GetSurface();
    const Point origin = canvas.GetViewportOrigin();
    // The paint area in device pixels.
    const std::int64_t left = origin.x, top = origin.y;
    const std::int64_t right = left + paint_width, bottom = top + paint_height;
    for (const Rect& r : clip) {
        const std::int64_t x0 = std::max<std::int64_t>(r.left, left);
        const std::int64_t x1 = std::min<std::int64_t>(r.right, right);
        const std::int64_t y0 = std::max<std::int64_t>(r.top, top);
        const std::int64_t y1 = std::min<std::int64_t>(r.bottom, bottom);
        for (std::int64_t y = y0; y < y1; ++y) {
            const std::int64_t source_y = (y - top) % image.height;
            const std::uint8_t* source_row =
                image.pixels.data() + std::size_t(source_y) * std::size_t(image.width) * 3;
            Bgrx* out = surface.Row(static_cast<std::int32_t>(y));
            for (std::int64_t x = x0; x < x1; ++x) {
                const std::uint8_t* p = source_row + std::size_t((x - left) % image.width) * 3;
                out[x] = MakeBgrx(p[0], p[1], p[2]);
            }
        }
    }
}

// Which page's background the current page shows.
const Page& BackgroundSource(const Project& project, const Page& current) {
    const Page* source = &current;
    if (current.use_master_background != 0) source = &project.master_page;
    if (current.use_first_page_background != 0 && !project.pages.empty() &&
        &current != &project.pages.front()) {
        source = &project.pages.front();
    }
    return *source;
}

void PaintBackground(const Page& page, DrawContext& ctx, std::int32_t paint_width,
                     std::int32_t paint_height) {
    Canvas& canvas = ctx.canvas;
    const RgbImage* image = nullptr;
    if (page.background_image) {
        const RgbImage& pixels = ctx.pictures.Pixels(*page.background_image);
        if (IsValidRgb(pixels)) image = &pixels;
    }
    if (image == nullptr) {
        canvas.FillSolidRect({0, 0, paint_width, paint_height},
                             BgrxFromColorRef(page.background_colour));
        return;
    }
    const std::vector<Rect> clip = DeviceClipRects(canvas);
    if (page.tile_background == 0) {
        DrawBackgroundPicture(canvas, clip, *image, 0, 0);
        return;
    }
    DrawTiledPicture(canvas, clip, *image, paint_width, paint_height);
}

}  // namespace

Object* FindObject(Project& project, const Page& current, std::string_view qualified_name) {
    std::string_view page_part = NameForLookup(project, current);
    std::string_view object_part = qualified_name;
    if (auto separator = qualified_name.find("::"); separator != std::string_view::npos) {
        page_part = qualified_name.substr(0, separator);
        object_part = qualified_name.substr(separator + 2);
    }
    Page* page = PageForLookup(project, page_part);
    if (page == nullptr) return nullptr;
    for (Object& object : page->objects) {
        if (EqualsIgnoreCase(object.name, object_part)) return &object;
    }
    return nullptr;
}

void PaintObjects(Project& project, const Page& current, Page& layer, DrawContext& ctx) {
    // Indexing rather than iterators: a drawer only edits objects, never the list.
    for (std::size_t i = 0; i < layer.objects.size(); ++i) {
        Object& object = layer.objects[i];
        if (object.is_alias == 0) {
            DrawObject(object, ctx);
            continue;
        }
        if (object.hidden != 0) continue;
        Object* target = FindObject(project, current, object.text);
        if (target == nullptr) continue;
        const Point saved_offset = ctx.draw_offset;
        const bool saved_force = ctx.force_visible;
        ctx.draw_offset = {
            SaturateToInt32(std::int64_t{object.rect.left} - target->rect.left + saved_offset.x),
            SaturateToInt32(std::int64_t{object.rect.top} - target->rect.top + saved_offset.y)};
        ctx.force_visible = true;
        DrawObject(*target, ctx);
        ctx.draw_offset = saved_offset;
        ctx.force_visible = saved_force;
    }
}

void PaintLayers(Project& project, Page& current, DrawContext& ctx, std::int32_t paint_width,
                 std::int32_t paint_height, bool no_background) {
    if (!no_background) {
        PaintBackground(BackgroundSource(project, current), ctx, paint_width, paint_height);
    }
    const bool shared_layer_current =
        &current == &project.master_page || &current == &project.master_layer;
    if (!shared_layer_current) PaintObjects(project, current, project.master_page, ctx);
    PaintObjects(project, current, current, ctx);
    if (!shared_layer_current) PaintObjects(project, current, project.master_layer, ctx);
}

void PaintPage(Project& project, Page& current, Canvas& canvas, FontCache& fonts,
               PictureCache& pictures) {
    const ProjectHeader& header = project.header;
    const std::int32_t width = SaturateToInt32(header.client_width);
    const std::int32_t height = SaturateToInt32(header.client_height);
    const Rect client{0, 0, width, height};
    const bool no_background = header.no_background != 0;

    if (!no_background) canvas.FillSolidRect(client, BgrxFromColorRef(current.background_colour));

    DrawContext ctx{canvas, fonts, pictures, {}};
    PaintLayers(project, current, ctx, width, height, no_background);

    if (header.border != 0) {
        // Each LineTo leaves out its last pixel, which the next one starts with, so the four
        // sides meet without a gap or a doubled corner.
        canvas.SaveDC();
        canvas.SetRop2(Rop2::kCopyPen);
        canvas.SetPen(Pen{PenStyle::kSolid, MakeBgrx(0, 0, 0), 1});
        canvas.MoveTo(client.left, client.top);
        canvas.LineTo(client.right - 1, client.top);
        canvas.LineTo(client.right - 1, client.bottom - 1);
        canvas.LineTo(client.left, client.bottom - 1);
        canvas.LineTo(client.left, client.top);
        canvas.RestoreDC();
    }
}

void ResetObjectsForEntry(Page& page) {
    for (Object& object : page.objects) {
        object.state = 0;
        object.hidden = object.initially_hidden;
    }
}

}  // namespace velk
