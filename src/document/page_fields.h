// The fields of a page record, in the order a file stores them, and those of the window shape,
// which the page manager record stores in two parts around the master page and layer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "document/field_list.h"
#include "document/load_context.h"
#include "document/page.h"
#include "document/project.h"

namespace velk {

// Stored one above the cursor table entry; 0 and 1 both mean the default arrow.
struct CursorCodec {
    static void Read(ByteReader& in, std::uint32_t& cursor);
    static void Write(ByteWriter& out, std::uint32_t cursor);
};

// The background image's present flag comes before this field and the image after it; while
// the record is read, an empty image stands for a set flag until the image itself is read.
struct BackgroundFlagsCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::uint32_t& use_first_page_background,
                     Page& page);
    static void Write(ByteWriter& out, std::uint32_t use_first_page_background, const Page& page);
};

// The page background block, stored when its present flag is set.
struct PageBackgroundCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::optional<Picture>& picture);
    static void Write(ByteWriter& out, const std::optional<Picture>& picture);
};

// A count, then the object records in stacking order.
struct ObjectsCodec {
    static void Read(ByteReader& in, LoadContext& ctx, std::vector<Object>& objects);
    static void Write(ByteWriter& out, const std::vector<Object>& objects, std::int32_t version);
};

// The mask's byte count, then its bytes, raw or as a zlib stream.
struct TransitionMaskCodec {
    static void Read(ByteReader& in, LoadContext& ctx, TransitionMask& mask);
    static void Write(ByteWriter& out, const TransitionMask& mask);
};

template <class V>
void VisitFields(RecordTag<Page>, V&& v) {
    using P = Page;
    v("name", &P::name, Emit::kAlways);
    v("serial", &P::serial);
    v("notes", &P::notes);
    v("page_option_a", &P::page_option_a);
    v("page_cursor", &P::page_cursor, CursorCodec{});
    v("use_first_page_background", &P::use_first_page_background, BackgroundFlagsCodec{});
    v("background_image", &P::background_image, PageBackgroundCodec{});
    v("background_colour", &P::background_colour);
    v("tile_background", &P::tile_background);
    v("page_option_c", &P::page_option_c);
    v("objects", &P::objects, ObjectsCodec{});
    v("transition_file", &P::transition_file);
    v.Unused(UnusedStrings{2});
    v("use_master_background", &P::use_master_background);
    v.Unused(UnusedNumbers{2});
    v("page_value1", &P::page_value1);
    v("transition_effect", &P::transition_effect);
    v("transition_duration", &P::transition_duration);
    if (v.VersionAbove(3)) v("entry_actions", &P::entry_actions);
    if (v.VersionAbove(10)) {
        v("transition_mask_width", &P::transition_mask_width);
        v("transition_mask_height", &P::transition_mask_height);
        v("transition_mask", &P::transition_mask, TransitionMaskCodec{});
        v("mask_stretch", &P::mask_stretch);
        v("mask_invert", &P::mask_invert);
        v.Unused(UnusedNumbers{5});
    }
    if (v.VersionAbove(18)) v("exit_actions", &P::exit_actions);
}

template <class V>
void VisitShapeFieldsBeforeMasters(V&& v) {
    v("shape_points", &WindowShape::shape_points);
}

template <class V>
void VisitShapeFieldsAfterMasters(V&& v) {
    using S = WindowShape;
    v.Unused(UnusedStrings{3});
    v("shape_mask_present", &S::shape_mask_present);
    if (v.When([](const S& shape) { return shape.shape_mask_present != 0; })) {
        v("shape_mask_width", &S::shape_mask_width);
        v("shape_mask_height", &S::shape_mask_height);
        v("shape_mask", &S::shape_mask);
    }
    v.Unused(UnusedNumbers{5});
}

template <class V>
void VisitFields(RecordTag<WindowShape>, V&& v) {
    VisitShapeFieldsBeforeMasters(v);
    VisitShapeFieldsAfterMasters(v);
}

}  // namespace velk
