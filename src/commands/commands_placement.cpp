// MoveObject and MoveTo.
#include <cmath>

#include "base/codepage.h"
#include "base/saturate.h"
#include "base/text.h"
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/dispatcher.h"
#include "document/command_vocabulary.h"
#include "objects/kinds.h"
#include "objects/pictures/image_scroll.h"
#include "pages/object_visibility.h"

namespace velk {
namespace {

enum class Easing { kLinear, kEaseTo, kEaseFrom };

constexpr std::int32_t kDefaultSteps = 100;
// A glide step lasts until more than this many milliseconds have passed.
constexpr std::uint32_t kStepMs = 5;
// A quarter turn as the glide has always used it (slightly above pi/2, so that the last step
// of an eased glide lands on t = steps).
constexpr double kQuarterTurn = 1.570796327;

// What an object covers on screen, with the scroll bars that hang outside an Image.
Rect FullRect(const Object& object) {
    return OuterRect(object);
}

std::int32_t Extent(std::int32_t from, std::int32_t to) {
    return SaturateToInt32(std::int64_t{to} - from);
}

Easing EasingOf(std::string_view field) {
    const std::string word = Cp1252UpperString(TrimWhiteSpace(field));
    if (word == "EASYTO") return Easing::kEaseTo;
    if (word == "EASYFROM") return Easing::kEaseFrom;
    return Easing::kLinear;
}

// How far along the glide step `i` of `steps` is, in steps (an integer count for the eased
// glides).
double Progress(Easing easing, std::int32_t i, std::int32_t steps) {
    const double angle = i * (kQuarterTurn / steps);
    switch (easing) {
        case Easing::kEaseTo:
            return std::trunc(steps * std::sin(angle));
        case Easing::kEaseFrom:
            return std::trunc(steps - steps * std::cos(angle));
        case Easing::kLinear:
            break;
    }
    return i;
}

// Lets more than kStepMs pass while the presentation goes on. False when the wait was given
// up: the player is stopping or the page changed meanwhile.
bool WaitOneStep(CommandContext& ctx) {
    const std::uint32_t start = ctx.owner.Clock().TickCount();
    while (ctx.owner.Clock().TickCount() - start <= kStepMs) {
        if (ctx.dispatcher.Stopping()) return false;
        if (!ctx.owner.WaitUntil(start + kStepMs + 1)) return false;
    }
    return !ctx.dispatcher.Stopping();
}

void PlaceOnCurrentPage(CommandContext& ctx, Object& object, std::int32_t x, std::int32_t y) {
    if (Page* page = ctx.owner.CurrentPage()) PlaceObject(*page, object, x, y, false);
    ctx.frame.Repaint(FullRect(object).Inflate(1));
}

CommandResult PerformMoveObject(CommandContext& ctx) {
    Object* object = ctx.object;
    Page* page = ctx.PageForTarget();
    if (object == nullptr || page == nullptr || ctx.record.argument.empty()) {
        return CommandResult::kGoOn;
    }
    const auto fields = SplitArgs(ctx.record.argument, 4, ctx.owner.Variables());
    if (fields.size() != 2 && fields.size() != 4) return CommandResult::kGoOn;

    const std::int32_t x = EvaluateInt(ctx.owner, fields[0]);
    const std::int32_t y = EvaluateInt(ctx.owner, fields[1]);
    std::int32_t width = Extent(object->rect.left, object->rect.right);
    std::int32_t height = Extent(object->rect.top, object->rect.bottom);
    bool resized = false;
    if (fields.size() == 4) {
        const std::int32_t new_width = EvaluateInt(ctx.owner, fields[2]);
        const std::int32_t new_height = EvaluateInt(ctx.owner, fields[3]);
        resized = new_width != width || new_height != height;
        width = new_width;
        height = new_height;
    }

    ctx.frame.Repaint(FullRect(*object).Inflate(1));
    if (TraitsOf(object->kind).holds_members) {
        // A group's rectangle only frames its members; it keeps its size.
        PlaceObject(*page, *object, x, y, false);
    } else {
        object->rect = {x, y, SaturateToInt32(std::int64_t{x} + width),
                        SaturateToInt32(std::int64_t{y} + height)};
        PlaceObject(*page, *object, x, y, resized, &ctx.owner.Pictures());
    }
    ctx.frame.Repaint(FullRect(*object).Inflate(1));
    return CommandResult::kGoOn;
}

CommandResult PerformMoveTo(CommandContext& ctx) {
    Object* object = ctx.object;
    if (object == nullptr || ctx.record.argument.empty()) return CommandResult::kGoOn;
    const auto fields = SplitArgs(ctx.record.argument, 4, ctx.owner.Variables());
    if (fields.size() < 2) return CommandResult::kGoOn;

    const std::int32_t x = EvaluateInt(ctx.owner, fields[0]);
    const std::int32_t y = EvaluateInt(ctx.owner, fields[1]);
    std::int32_t steps = fields.size() >= 3 ? EvaluateInt(ctx.owner, fields[2]) : kDefaultSteps;
    if (steps == 0) steps = kDefaultSteps;
    const Easing easing = fields.size() >= 4 ? EasingOf(fields[3]) : Easing::kLinear;

    const double x0 = object->rect.left;
    const double y0 = object->rect.top;
    const double dx = (x - x0) / steps;
    const double dy = (y - y0) / steps;
    for (std::int32_t i = 1; i <= steps; ++i) {
        const double t = Progress(easing, i, steps);
        PlaceOnCurrentPage(ctx, *object, SaturateCast<std::int32_t>(x0 + dx * t),
                           SaturateCast<std::int32_t>(y0 + dy * t));
        if (!WaitOneStep(ctx)) return CommandResult::kEndList;
        ctx.owner.Invalidate(ctx.frame.repaint);
        // Other lists ran while we waited: find the object again rather than trust a pointer.
        object = ctx.owner.FindObject(ctx.object_name);
        if (object == nullptr) return CommandResult::kGoOn;
    }
    // The steps truncate; the last placement is exact.
    PlaceOnCurrentPage(ctx, *object, x, y);
    ctx.owner.Invalidate(ctx.frame.repaint);
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdMoveObject, &PerformMoveObject},
    {kCmdMoveTo, &PerformMoveTo},
};

}  // namespace

std::span<const CommandRow> PlacementCommands() {
    return kRows;
}

}  // namespace velk
