#include "document/command_vocabulary.h"

#include <array>

#include "base/codepage.h"

namespace velk {
namespace {

// Table order only decides which entry a name finds first; keep it as scripts were written
// against it.
constexpr std::array<CommandEntry, 140> kCommands{{
    {"Hide", 0, 1},
    {"Show", 1, 1},
    {"Invert", 2, 1},
    {"FirstPage", 7, 0},
    {"LastPage", 8, 0},
    {"NextPage", 9, 0},
    {"PrevPage", 10, 0},
    {"Page", 11, 1},
    {"Exit", 12, 0},
    {"Minimize", 19, 0},
    {"Restore", 241, 0},
    {"PageTimer", 28, 2},
    {"ExitTimer", 27, 1},
    {"ScriptTimer", 36, 2},
    {"RunScript", 35, 1},
    {"Message", 30, 2},
    {"RunVKD", 5, 2},
    {"Run", 6, 2},
    {"SysCommand", 82, 2},
    {"MoveObject", 84, 2},
    {"MoveTo", 85, 2},
    {"DisplayValue", 29, 2},
    {"LoadText", 79, 2},
    {"Return", 31, 0},
    {"Break", 239, 0},
    {"Refresh", 87, 0},
    {"Pause", 86, 1},
    {"OpenFile", 40, 2},
    {"SaveFile", 235, 2},
    {"BrowseForFolder", 236, 2},
    {"ColorPicker", 238, 0},
    {"FileExist", 71, 2},
    {"FileString", 41, 2},
    {"SearchForFiles", 80, 2},
    {"SaveVariable", 48, 2},
    {"LoadVariable", 49, 2},
    {"InstallFont", 51, 1},
    {"Browser", 88, 2},
    {"SendCommand", 89, 2},
    {"Clipboard", 90, 2},
    {"VolumeUp", 46, 1},
    {"VolumeDown", 47, 0},
    {"FMODConfig", 213, 1},
    {"PlaySound", 42, 1},
    {"StopSound", 212, 0},
    {"WavePlay", 13, 2},
    {"WaveStop", 14, 0},
    {"MidiPlay", 37, 2},
    {"MidiStop", 38, 0},
    {"ModOpen", 43, 1},
    {"ModPlay", 44, 0},
    {"ModStop", 45, 0},
    {"AudioOpen", 15, 1},
    {"AudioPlay", 16, 0},
    {"AudioStop", 17, 0},
    {"AudioPause", 18, 0},
    {"AudioRewind", 93, 2},
    {"BackgroundPlay", 214, 2},
    {"BackgroundPause", 216, 0},
    {"BackgroundStop", 215, 0},
    {"SongListReset", 63, 0},
    {"SongListAdd", 64, 1},
    {"SongListDel", 209, 1},
    {"SongListPlay", 65, 1},
    {"SongListNext", 66, 0},
    {"SongListPrev", 67, 0},
    {"SongListLoad", 68, 2},
    {"SongListRND", 69, 0},
    {"SongListEdit", 72, 0},
    {"SongListSave", 210, 2},
    {"SongListTime", 217, 0},
    {"CDPlay", 20, 0},
    {"CDStop", 21, 0},
    {"CDPause", 22, 0},
    {"CDTrack", 23, 1},
    {"CDForward", 24, 0},
    {"CDBackward", 25, 0},
    {"CDPlayPause", 26, 0},
    {"CDSkipForward", 91, 0},
    {"CDSkipBackward", 92, 0},
    {"WhichCDTrack", 81, 1},
    {"AudioVisualizationType", 201, 2},
    {"AudioVisualizationColor", 202, 2},
    {"Flash", 94, 2},
    {"FlashSetVar", 95, 2},
    {"FlashGetVar", 96, 2},
    {"FlashSetFrame", 97, 2},
    {"FlashGetFrame", 98, 2},
    {"FlashGetProp", 211, 2},
    {"ListBoxAddItem", 203, 2},
    {"ListBoxDeleteItem", 204, 2},
    {"ListBoxSortItems", 230, 2},
    {"ListBoxSelectItem", 205, 2},
    {"ListBoxDeselectItem", 208, 2},
    {"ListBoxMoveItem", 229, 2},
    {"ListBoxGetItems", 206, 2},
    {"ListBoxGetSelectedItems", 207, 2},
    {"ListBoxParam", 237, 2},
    {"AGifPlay", 32, 1},
    {"AGifStop", 33, 1},
    {"AGifReset", 34, 1},
    {"VideoLoad", 223, 2},
    {"VideoPlay", 3, 1},
    {"VideoPause", 224, 1},
    {"VideoStop", 4, 1},
    {"VideoRewind", 225, 2},
    {"VideoClose", 240, 1},
    {"VideoSpeed", 226, 2},
    {"VideoScale", 227, 2},
    {"VideoParam", 228, 2},
    {"MCIObject", 83, 2},
    {"MCICommand", 39, 1},
    {"PrintText", 50, 2},
    {"PrintPage", 52, 1},
    {"PrintRect", 53, 2},
    {"InstallTTS", 54, 0},
    {"InitTTS", 55, 0},
    {"Say", 56, 1},
    {"SpeakText", 57, 1},
    {"StopTTS", 58, 0},
    {"PauseTTS", 59, 0},
    {"ResumeTTS", 60, 0},
    {"PitchTTS", 61, 1},
    {"SpeedTTS", 62, 1},
    {"ViewImage", 70, 2},
    {"ReplaceImage", 73, 2},
    {"UseImageBkgColor", 233, 2},
    {"SetImageBkgColor", 234, 2},
    {"SetImageOrigin", 218, 2},
    {"ResizeImage", 219, 2},
    {"RotateImageRel", 220, 2},
    {"RotateImageTo", 221, 2},
    {"ScrollImageView", 231, 2},
    {"ZoomImageView", 232, 2},
    {"RestoreImage", 222, 1},
    {"MatrixSet", 74, 2},
    {"MatrixGet", 75, 2},
    {"PluginSet", 76, 2},
    {"PluginGet", 77, 2},
    {"PluginRun", 78, 2},
}};

bool SameWordIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Cp1252Upper(a[i]) != Cp1252Upper(b[i])) return false;
    }
    return true;
}

}  // namespace

std::span<const CommandEntry> CommandTable() {
    return kCommands;
}

std::optional<CommandEntry> FindCommand(std::string_view word) {
    for (const CommandEntry& entry : kCommands) {
        if (SameWordIgnoringCase(entry.name, word)) return entry;
    }
    return std::nullopt;
}

std::optional<std::string_view> CommandName(std::int32_t code) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.code == code) return entry.name;
    }
    return std::nullopt;
}

}  // namespace velk
