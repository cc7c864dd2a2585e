// What the project readers need besides the bytes: the version being read, where messages go,
// and the settings that supply defaults.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/project.h"
#include "host/host.h"

namespace velk {

inline constexpr std::string_view kApplicationName = "Velk Player";
// Milestones of a reading's progress (LoadContext::Progress): the compressed layer inflated
// (the pages take the rest), and the end.
inline constexpr std::uint32_t kInflatedPermille = 500;
inline constexpr std::uint32_t kLoadDonePermille = 1000;

struct LoadContext {
    host::Ui& ui;
    const host::ProfileStore& profile;
    // The version of the archive being read; every versioned field consults it.
    std::int32_t version = kCurrentProjectVersion;
    // The file named in "not a VKD file" messages as the user knows it (UTF-8, as
    // FileSystem::ShownPath gives it); empty for an appended payload.
    std::string shown_file = {};

    void Message(std::string_view text) const { ui.MessageBox(kApplicationName, text); }
    void Progress(std::uint32_t permille) const { ui.LoadProgress(permille); }
    // A message naming a file: `before`, the file as the user knows it (UTF-8), `after`.
    void MessageNamingFile(std::string_view before, std::string_view shown,
                           std::string_view after = {}) const {
        ui.MessageNamingFile(kApplicationName, before, shown, after);
    }
};

}  // namespace velk
