#include "pages/field_watch.h"

#include "objects/kinds.h"

namespace velk {
namespace {

// Where a field shows: its object's rectangle and, once drawn, the field's own rectangle (one
// pixel taller than the object's, and shifted when an alias shows it).
Rect PlaceOf(const Object& field) {
    return field.input_field ? field.rect.Union(field.input_field->rect) : field.rect;
}

}  // namespace

FieldWatch::FieldWatch(const Project& project, const Page& current) {
    const auto note = [this](const Page& page) {
        for (const Object& object : page.objects) {
            if (TraitsOf(object.kind).takes_focus) noted_.emplace_back(&object, PlaceOf(object));
        }
    };
    const bool shared_layer_current =
        &current == &project.master_page || &current == &project.master_layer;
    if (!shared_layer_current) note(project.master_page);
    note(current);
    if (!shared_layer_current) note(project.master_layer);
}

Rect FieldWatch::Changed() const {
    Rect changed;
    for (const auto& [object, before] : noted_) {
        const Rect after = PlaceOf(*object);
        if (after != before) changed = changed.Union(before).Union(after);
    }
    return changed;
}

}  // namespace velk
