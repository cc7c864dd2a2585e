#include "commands/command_lookup.h"

namespace velk {

std::array<std::span<const CommandRow>, 13> CommandFamilies() {
    return {VisibilityCommands(), PlacementCommands(), NavigationCommands(), TimerCommands(),
            WindowCommands(),     ProjectCommands(),   ScriptCommands(),     AnimatedGifCommands(),
            ImageViewCommands(),  SpeechCommands(),    MciCommands(),        VideoCommands(),
            SongListCommands()};
}

CommandLookup::CommandLookup(std::span<const std::span<const CommandRow>> families) {
    for (const std::span<const CommandRow> rows : families) {
        for (const CommandRow& row : rows) {
            const auto slot = static_cast<std::uint32_t>(row.code);
            if (slot < bodies_.size()) bodies_[slot] = row.body;
        }
    }
}

const CommandLookup& CommandLookup::Played() {
    static const CommandLookup played(CommandFamilies());
    return played;
}

}  // namespace velk
