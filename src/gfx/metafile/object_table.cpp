#include "gfx/metafile/object_table.h"

#include "gfx/metafile/emf_format.h"

namespace velk::emf {

namespace {

MetaBrush SolidBrush(std::uint32_t colour) {
    return {kBsSolid, colour, 0, nullptr};
}

MetaFont StockFont(std::int32_t height, std::int32_t weight, const char* face) {
    MetaFont made;
    made.font.height = height;
    made.font.weight = weight;
    made.font.face_name = face;
    return made;
}

}  // namespace

std::optional<GdiObject> StockObject(std::uint32_t number) {
    switch (number) {
        case kWhiteBrush:
        case kDcBrush:
            return SolidBrush(0xFFFFFF);
        case kLtGrayBrush:
            return SolidBrush(0xC0C0C0);
        case kGrayBrush:
            return SolidBrush(0x808080);
        case kDkGrayBrush:
            return SolidBrush(0x404040);
        case kBlackBrush:
            return SolidBrush(0);
        case kNullBrush:
            return MetaBrush{kBsNull, 0, 0, nullptr};
        case kWhitePen:
            return MetaPen{0, 0, 0xFFFFFF};
        case kBlackPen:
        case kDcPen:
            return MetaPen{0, 0, 0};
        case kNullPen:
            return MetaPen{kPsNull, 0, 0};
        case kOemFixedFont:
        case kAnsiFixedFont:
        case kSystemFixedFont:
            return StockFont(16, 400, "Courier New");
        case kAnsiVarFont:
        case kDefaultGuiFont:
            return StockFont(-11, 400, "MS Sans Serif");
        case kSystemFont:
        case kDeviceDefaultFont:
            return StockFont(16, 700, "MS Sans Serif");
        default:
            return std::nullopt;
    }
}

bool ObjectTable::Create(std::uint32_t index, GdiObject object) {
    if (!Holds(index)) return false;
    slots_[index] = std::move(object);
    return true;
}

void ObjectTable::Delete(std::uint32_t index) {
    if (index < slots_.size()) slots_[index].reset();
}

std::optional<GdiObject> ObjectTable::Get(std::uint32_t index) const {
    if (index & kStockObject) return StockObject(index & ~kStockObject);
    if (index >= slots_.size()) return std::nullopt;
    return slots_[index];
}

}  // namespace velk::emf
