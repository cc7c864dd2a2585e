// velk render: one page of a project, painted as the player shows it on entry, into a PNG.
#include <iostream>
#include <optional>

#include "base/codepage.h"
#include "gfx/canvas.h"
#include "gfx/font_cache.h"
#include "gfx/surface.h"
#include "gfx/surface_png.h"
#include "objects/picture_cache.h"
#include "pages/page_painter.h"
#include "scale_to_fit.h"
#include "tool_commands.h"
#include "tool_io.h"

namespace velk::tool {
namespace {

// The largest side a screenshot may have; the header stores any 32-bit number. The area is
// bounded as the player bounds its window (256 MiB of pixels), which keeps a thumbnailer that
// meets a hostile file from taking a gigabyte.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

// The page a name designates: the first of the list whose name matches without regard to case,
// as going to a page by name does. None when nothing matches.
std::optional<std::size_t> FindPage(const Project& project, const std::string& name) {
    for (std::size_t i = 0; i < project.pages.size(); ++i) {
        if (EqualsIgnoreCase(project.pages[i].name, name)) return i;
    }
    return std::nullopt;
}

std::string PageList(const Project& project) {
    std::string list;
    for (const Page& page : project.pages) {
        list += (list.empty() ? "\"" : ", \"") + Cp1252ToUtf8(page.name) + "\"";
    }
    return list;
}

}  // namespace

int RunRender(const RenderArgs& args) {
    StderrUi ui;
    const fs::path input(args.input);
    auto description = LoadProjectInput(input, ui);
    if (!description) return 1;
    Project& project = description->project;

    if (project.pages.empty()) {
        PrintError(args.input + " has no pages to render");
        return 1;
    }
    std::size_t index = 0;
    if (args.page) {
        auto found = FindPage(project, Utf8ToCp1252(*args.page));
        if (!found) {
            PrintError("no page named \"" + *args.page + "\" in " + args.input +
                       "; its pages are " + PageList(project));
            return 1;
        }
        index = *found;
    }
    const std::uint32_t width = project.header.client_width;
    const std::uint32_t height = project.header.client_height;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        std::uint64_t{width} * height > kMaxPixels) {
        PrintError("cannot render a client area of " + std::to_string(width) + " x " +
                   std::to_string(height) + " pixels (each side must be 1 to " +
                   std::to_string(kMaxSide) + ", the area at most " + std::to_string(kMaxPixels) +
                   " pixels)");
        return 1;
    }

    // Entry state: every object as page entry leaves it.
    for (Page& page : project.pages) ResetObjectsForEntry(page);
    ResetObjectsForEntry(project.master_page);
    ResetObjectsForEntry(project.master_layer);

    Page& page = project.pages[index];
    Surface surface(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    Canvas canvas(surface);
    FontCache fonts;
    PictureCache pictures(ui);
    PaintPage(project, page, canvas, fonts, pictures);

    const std::optional<Surface> scaled = ScaleDownToFit(surface, args.max_side);
    const Surface& shown = scaled ? *scaled : surface;
    const std::vector<std::uint8_t> png = EncodeSurfacePng(shown);
    if (png.empty()) {
        PrintError("cannot encode the page as PNG");
        return 1;
    }
    fs::path output = args.output.empty() ? input.parent_path() / (input.stem().string() + ".png")
                                          : fs::path(args.output);
    if (!output.parent_path().empty()) fs::create_directories(output.parent_path());
    std::string error;
    if (!WriteFileAtomically(output, png, error)) {
        PrintError(error);
        return 1;
    }
    std::cout << "Rendered page \"" << Cp1252ToUtf8(page.name) << "\" (" << width << " x "
              << height;
    if (scaled) {
        std::cout << ", scaled to " << shown.Width() << " x " << shown.Height();
    }
    std::cout << ") into " << output.string() << '\n';
    return 0;
}

}  // namespace velk::tool
