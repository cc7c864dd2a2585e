// The objects a metafile creates (pens, brushes, fonts) in the table its header sizes, and the
// stock objects every device context knows. What a record selects is copied into the device
// context's state, so deleting an object does not change what is drawn with it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "document/object.h"
#include "gfx/brush_pattern.h"

namespace velk::emf {

struct MetaPen {
    std::uint32_t style = 0;   // PS_ style, type and end flags
    std::int32_t width = 0;    // logical units; geometric pens only
    std::uint32_t colour = 0;  // COLORREF
};

struct MetaBrush {
    std::uint32_t style = 0;  // BS_SOLID, BS_NULL, BS_HATCHED; patterns have `pattern`
    std::uint32_t colour = 0xFFFFFF;
    std::uint32_t hatch = 0;
    std::shared_ptr<const BrushPattern> pattern;
};

struct MetaFont {
    LogFont font;  // height and width in logical units
};

using GdiObject = std::variant<MetaPen, MetaBrush, MetaFont>;

// A stock object by its number; none for numbers no stock object has.
std::optional<GdiObject> StockObject(std::uint32_t number);

class ObjectTable {
  public:
    explicit ObjectTable(std::uint32_t handles) : slots_(handles) {}

    // True for the indexes a metafile may create objects at: 1 up to the header's count
    // (index 0 stands for the metafile itself).
    bool Holds(std::uint32_t index) const { return index != 0 && index < slots_.size(); }
    // False for indexes the table does not hold.
    bool Create(std::uint32_t index, GdiObject object);
    void Delete(std::uint32_t index);
    // The object an index names: a stock object (top bit set) or a created one.
    std::optional<GdiObject> Get(std::uint32_t index) const;

  private:
    std::vector<std::optional<GdiObject>> slots_;
};

}  // namespace velk::emf
