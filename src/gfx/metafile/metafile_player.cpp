#include "gfx/metafile/metafile_player.h"

#include <array>
#include <exception>

#include "gfx/canvas.h"
#include "gfx/metafile/records.h"

namespace velk {

namespace {

using emf::RecordPlayer;

// Record types up to this number can have a row; the format's types are far below it.
constexpr std::size_t kTypeLimit = 128;

std::array<RecordPlayer, kTypeLimit> BuildTable() {
    std::array<RecordPlayer, kTypeLimit> table{};
    for (auto family : {emf::StateRecords, emf::ObjectRecords, emf::LineRecords, emf::ShapeRecords,
                        emf::PathRecords, emf::ClipRecords, emf::BitmapRecords, emf::TextRecords}) {
        for (const emf::RecordRow& row : family()) table[row.type] = row.play;
    }
    return table;
}

// The reference device's pixels to the destination: the frame, converted from hundredths of
// a millimetre to those pixels, lands on the rectangle. None when the frame or the device has
// no size.
std::optional<emf::Xform> FrameToDestination(const emf::MetafileHeader& h, const Rect& dest) {
    if (h.device.width <= 0 || h.device.height <= 0 || h.millimetres.width <= 0 ||
        h.millimetres.height <= 0) {
        return std::nullopt;
    }
    const double px_x = double(h.device.width) / (double(h.millimetres.width) * 100.0);
    const double px_y = double(h.device.height) / (double(h.millimetres.height) * 100.0);
    const double left = h.frame.left * px_x, top = h.frame.top * px_y;
    const double width = (double(h.frame.right) - h.frame.left) * px_x;
    const double height = (double(h.frame.bottom) - h.frame.top) * px_y;
    if (width == 0 || height == 0) return std::nullopt;
    const double sx = (double(dest.right) - dest.left) / width;
    const double sy = (double(dest.bottom) - dest.top) / height;
    return emf::Xform{sx, 0, 0, sy, dest.left - left * sx, dest.top - top * sy};
}

// Gives the canvas back the state it had before the play, however the play ends.
class CanvasStateKeeper {
  public:
    explicit CanvasStateKeeper(Canvas& canvas) : canvas_(canvas) { canvas_.SaveDC(); }
    ~CanvasStateKeeper() { canvas_.RestoreDC(); }
    CanvasStateKeeper(const CanvasStateKeeper&) = delete;
    CanvasStateKeeper& operator=(const CanvasStateKeeper&) = delete;

  private:
    Canvas& canvas_;
};

}  // namespace

MetafilePlay PlayEnhMetafile(Canvas& canvas, FontCache& fonts, std::span<const std::uint8_t> data,
                             const Rect& destination) {
    MetafilePlay result;
    const std::vector<emf::Record> records = emf::SplitRecords(data);
    if (records.empty()) return result;
    std::optional<emf::MetafileHeader> header;
    try {
        header = emf::ReadHeader(records.front());
    } catch (const std::exception&) {
        return result;
    }
    if (!header) return result;
    const std::optional<emf::Xform> init = FrameToDestination(*header, destination);
    if (!init) return result;

    const std::array<RecordPlayer, kTypeLimit> table = BuildTable();
    const CanvasStateKeeper keeper(canvas);
    emf::PlayContext ctx(canvas, fonts, *header, *init);
    result.records = 1;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const emf::Record& record = records[i];
        if (record.type == emf::kEof) {
            ++result.records;
            result.complete = true;
            break;
        }
        const RecordPlayer play = record.type < kTypeLimit ? table[record.type] : nullptr;
        if (play) {
            // A damaged record ends the play; whatever went wrong, the page is still drawn.
            try {
                ctx.Sync();
                play(ctx, record);
            } catch (const std::exception&) {
                break;
            }
        }
        ++result.records;
    }
    return result;
}

}  // namespace velk
