// The dispatcher's way from a record's code to its command's body: every family's rows, gathered
// once into an array indexed by code. Inside the commands module, like commands.h.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "commands/commands.h"
#include "document/command_vocabulary.h"

namespace velk {

// The rows of every family. A family missing here is never played.
std::array<std::span<const CommandRow>, 13> CommandFamilies();

class CommandLookup {
  public:
    // Rows whose code lies outside the vocabulary's range are left out; of two rows for one
    // code the later wins. Neither happens with the families' rows (the tests see to it).
    explicit CommandLookup(std::span<const std::span<const CommandRow>> families);

    // The lookup of CommandFamilies, built on first use and shared by every dispatcher.
    static const CommandLookup& Played();

    // The body of the command with `code`; null for every code nothing plays: sound, music and
    // CD commands, commands of kinds not played yet, statements, comments and unknown codes.
    CommandBody Find(std::int32_t code) const {
        const auto slot = static_cast<std::uint32_t>(code);
        return slot < bodies_.size() ? bodies_[slot] : nullptr;
    }

  private:
    std::array<CommandBody, kCommandCodeLimit> bodies_{};
};

}  // namespace velk
