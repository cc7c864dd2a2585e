// What scripts read from the main window, the clock of the date and time variables, and the
// seeding of the runtime's random numbers.
#include <cstdint>

#include "base/civil_date.h"
#include "document/load_context.h"
#include "player/presentation.h"
#include "script/date_time_variables.h"

namespace velk {
namespace {

// The time in seconds, as the runtime's seed took it.
std::uint32_t SecondsSinceEpoch(const host::LocalTime& t) {
    const std::int64_t days = DaysFromCivil(t.year, t.month, t.day);
    return static_cast<std::uint32_t>(days * 86400 + t.hour * 3600 + t.minute * 60 + t.second);
}

}  // namespace

void Presentation::SeedRandom() {
    // Once per player, with the time; the first three numbers are thrown away as the evaluator
    // always did. The headless clock makes this repeatable.
    random_.Seed(SecondsSinceEpoch(services_.clock.LocalNow()));
    for (int i = 0; i < 3; ++i) random_.Next();
}

std::optional<std::string> Presentation::SongListEntry(std::int64_t index) {
    return song_list_.Entry(index);
}

Rect Presentation::WindowRect() {
    const Point position = services_.window.Position();
    const Size size = services_.window.WindowSize();
    return {position.x, position.y, position.x + size.width, position.y + size.height};
}

void Presentation::ShowMessageNamingFile(std::string_view before, std::string_view path) {
    services_.ui.MessageNamingFile(kApplicationName, before, services_.files.ShownPath(path), {});
}

void Presentation::UpdateDateTime() {
    UpdateDateTimeVariables(variables_, *this, services_.clock.LocalNow());
}

}  // namespace velk
