#include "document/command_vocabulary.h"

#include <array>

#include "base/codepage.h"

namespace velk {
namespace {

// Table order only decides which entry a name finds first; keep it as scripts were written
// against it.
constexpr std::array<CommandEntry, 140> kCommands{{
    {"Hide", kCmdHide, 1},
    {"Show", kCmdShow, 1},
    {"Invert", kCmdInvert, 1},
    {"FirstPage", kCmdFirstPage, 0},
    {"LastPage", kCmdLastPage, 0},
    {"NextPage", kCmdNextPage, 0},
    {"PrevPage", kCmdPrevPage, 0},
    {"Page", kCmdPage, 1},
    {"Exit", kCmdExit, 0},
    {"Minimize", kCmdMinimize, 0},
    {"Restore", kCmdRestore, 0},
    {"PageTimer", kCmdPageTimer, 2},
    {"ExitTimer", kCmdExitTimer, 1},
    {"ScriptTimer", kCmdScriptTimer, 2},
    {"RunScript", kCmdRunScript, 1},
    {"Message", kCmdMessage, 2},
    {"RunVKD", kCmdRunVkd, 2},
    {"Run", kCmdRun, 2},
    {"SysCommand", kCmdSysCommand, 2},
    {"MoveObject", kCmdMoveObject, 2},
    {"MoveTo", kCmdMoveTo, 2},
    {"DisplayValue", kCmdDisplayValue, 2},
    {"LoadText", kCmdLoadText, 2},
    {"Return", kCmdReturn, 0},
    {"Break", kCmdBreak, 0},
    {"Refresh", kCmdRefresh, 0},
    {"Pause", kCmdPause, 1},
    {"OpenFile", kCmdOpenFile, 2},
    {"SaveFile", kCmdSaveFile, 2},
    {"BrowseForFolder", kCmdBrowseForFolder, 2},
    {"ColorPicker", kCmdColorPicker, 0},
    {"FileExist", kCmdFileExist, 2},
    {"FileString", kCmdFileString, 2},
    {"SearchForFiles", kCmdSearchForFiles, 2},
    {"SaveVariable", kCmdSaveVariable, 2},
    {"LoadVariable", kCmdLoadVariable, 2},
    {"InstallFont", kCmdInstallFont, 1},
    {"Browser", kCmdBrowser, 2},
    {"SendCommand", kCmdSendCommand, 2},
    {"Clipboard", kCmdClipboard, 2},
    {"VolumeUp", kCmdVolumeUp, 1},
    {"VolumeDown", kCmdVolumeDown, 0},
    {"FMODConfig", kCmdFmodConfig, 1},
    {"PlaySound", kCmdPlaySound, 1},
    {"StopSound", kCmdStopSound, 0},
    {"WavePlay", kCmdWavePlay, 2},
    {"WaveStop", kCmdWaveStop, 0},
    {"MidiPlay", kCmdMidiPlay, 2},
    {"MidiStop", kCmdMidiStop, 0},
    {"ModOpen", kCmdModOpen, 1},
    {"ModPlay", kCmdModPlay, 0},
    {"ModStop", kCmdModStop, 0},
    {"AudioOpen", kCmdAudioOpen, 1},
    {"AudioPlay", kCmdAudioPlay, 0},
    {"AudioStop", kCmdAudioStop, 0},
    {"AudioPause", kCmdAudioPause, 0},
    {"AudioRewind", kCmdAudioRewind, 2},
    {"BackgroundPlay", kCmdBackgroundPlay, 2},
    {"BackgroundPause", kCmdBackgroundPause, 0},
    {"BackgroundStop", kCmdBackgroundStop, 0},
    {"SongListReset", kCmdSongListReset, 0},
    {"SongListAdd", kCmdSongListAdd, 1},
    {"SongListDel", kCmdSongListDel, 1},
    {"SongListPlay", kCmdSongListPlay, 1},
    {"SongListNext", kCmdSongListNext, 0},
    {"SongListPrev", kCmdSongListPrev, 0},
    {"SongListLoad", kCmdSongListLoad, 2},
    {"SongListRND", kCmdSongListRnd, 0},
    {"SongListEdit", kCmdSongListEdit, 0},
    {"SongListSave", kCmdSongListSave, 2},
    {"SongListTime", kCmdSongListTime, 0},
    {"CDPlay", kCmdCdPlay, 0},
    {"CDStop", kCmdCdStop, 0},
    {"CDPause", kCmdCdPause, 0},
    {"CDTrack", kCmdCdTrack, 1},
    {"CDForward", kCmdCdForward, 0},
    {"CDBackward", kCmdCdBackward, 0},
    {"CDPlayPause", kCmdCdPlayPause, 0},
    {"CDSkipForward", kCmdCdSkipForward, 0},
    {"CDSkipBackward", kCmdCdSkipBackward, 0},
    {"WhichCDTrack", kCmdWhichCdTrack, 1},
    {"AudioVisualizationType", kCmdAudioVisualizationType, 2},
    {"AudioVisualizationColor", kCmdAudioVisualizationColor, 2},
    {"Flash", kCmdFlash, 2},
    {"FlashSetVar", kCmdFlashSetVar, 2},
    {"FlashGetVar", kCmdFlashGetVar, 2},
    {"FlashSetFrame", kCmdFlashSetFrame, 2},
    {"FlashGetFrame", kCmdFlashGetFrame, 2},
    {"FlashGetProp", kCmdFlashGetProp, 2},
    {"ListBoxAddItem", kCmdListBoxAddItem, 2},
    {"ListBoxDeleteItem", kCmdListBoxDeleteItem, 2},
    {"ListBoxSortItems", kCmdListBoxSortItems, 2},
    {"ListBoxSelectItem", kCmdListBoxSelectItem, 2},
    {"ListBoxDeselectItem", kCmdListBoxDeselectItem, 2},
    {"ListBoxMoveItem", kCmdListBoxMoveItem, 2},
    {"ListBoxGetItems", kCmdListBoxGetItems, 2},
    {"ListBoxGetSelectedItems", kCmdListBoxGetSelectedItems, 2},
    {"ListBoxParam", kCmdListBoxParam, 2},
    {"AGifPlay", kCmdAGifPlay, 1},
    {"AGifStop", kCmdAGifStop, 1},
    {"AGifReset", kCmdAGifReset, 1},
    {"VideoLoad", kCmdVideoLoad, 2},
    {"VideoPlay", kCmdVideoPlay, 1},
    {"VideoPause", kCmdVideoPause, 1},
    {"VideoStop", kCmdVideoStop, 1},
    {"VideoRewind", kCmdVideoRewind, 2},
    {"VideoClose", kCmdVideoClose, 1},
    {"VideoSpeed", kCmdVideoSpeed, 2},
    {"VideoScale", kCmdVideoScale, 2},
    {"VideoParam", kCmdVideoParam, 2},
    {"MCIObject", kCmdMciObject, 2},
    {"MCICommand", kCmdMciCommand, 1},
    {"PrintText", kCmdPrintText, 2},
    {"PrintPage", kCmdPrintPage, 1},
    {"PrintRect", kCmdPrintRect, 2},
    {"InstallTTS", kCmdInstallTts, 0},
    {"InitTTS", kCmdInitTts, 0},
    {"Say", kCmdSay, 1},
    {"SpeakText", kCmdSpeakText, 1},
    {"StopTTS", kCmdStopTts, 0},
    {"PauseTTS", kCmdPauseTts, 0},
    {"ResumeTTS", kCmdResumeTts, 0},
    {"PitchTTS", kCmdPitchTts, 1},
    {"SpeedTTS", kCmdSpeedTts, 1},
    {"ViewImage", kCmdViewImage, 2},
    {"ReplaceImage", kCmdReplaceImage, 2},
    {"UseImageBkgColor", kCmdUseImageBkgColor, 2},
    {"SetImageBkgColor", kCmdSetImageBkgColor, 2},
    {"SetImageOrigin", kCmdSetImageOrigin, 2},
    {"ResizeImage", kCmdResizeImage, 2},
    {"RotateImageRel", kCmdRotateImageRel, 2},
    {"RotateImageTo", kCmdRotateImageTo, 2},
    {"ScrollImageView", kCmdScrollImageView, 2},
    {"ZoomImageView", kCmdZoomImageView, 2},
    {"RestoreImage", kCmdRestoreImage, 1},
    {"MatrixSet", kCmdMatrixSet, 2},
    {"MatrixGet", kCmdMatrixGet, 2},
    {"PluginSet", kCmdPluginSet, 2},
    {"PluginGet", kCmdPluginGet, 2},
    {"PluginRun", kCmdPluginRun, 2},
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
