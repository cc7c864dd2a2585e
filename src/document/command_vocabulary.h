// The vocabulary of commands, as the stored format fixes it: every name a script may use, the
// action code stored for it and how many quoted arguments it takes in script form. The script
// compiler reads it; the dispatcher performs the codes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velk {

// The action code of every command, as projects store it, in code order. This is the one place
// a code is written as a number: the vocabulary table, the dispatcher and the player name them.
// Codes 99 to 104 and 200 are the statements' (action_list.h).
enum CommandCode : std::int32_t {
    kCmdHide = 0,
    kCmdShow = 1,
    kCmdInvert = 2,
    kCmdVideoPlay = 3,
    kCmdVideoStop = 4,
    kCmdRunVkd = 5,
    kCmdRun = 6,
    kCmdFirstPage = 7,
    kCmdLastPage = 8,
    kCmdNextPage = 9,
    kCmdPrevPage = 10,
    kCmdPage = 11,
    kCmdExit = 12,
    kCmdWavePlay = 13,
    kCmdWaveStop = 14,
    kCmdAudioOpen = 15,
    kCmdAudioPlay = 16,
    kCmdAudioStop = 17,
    kCmdAudioPause = 18,
    kCmdMinimize = 19,
    kCmdCdPlay = 20,
    kCmdCdStop = 21,
    kCmdCdPause = 22,
    kCmdCdTrack = 23,
    kCmdCdForward = 24,
    kCmdCdBackward = 25,
    kCmdCdPlayPause = 26,
    kCmdExitTimer = 27,
    kCmdPageTimer = 28,
    kCmdDisplayValue = 29,
    kCmdMessage = 30,
    kCmdReturn = 31,
    kCmdAGifPlay = 32,
    kCmdAGifStop = 33,
    kCmdAGifReset = 34,
    kCmdRunScript = 35,
    kCmdScriptTimer = 36,
    kCmdMidiPlay = 37,
    kCmdMidiStop = 38,
    kCmdMciCommand = 39,
    kCmdOpenFile = 40,
    kCmdFileString = 41,
    kCmdPlaySound = 42,
    kCmdModOpen = 43,
    kCmdModPlay = 44,
    kCmdModStop = 45,
    kCmdVolumeUp = 46,
    kCmdVolumeDown = 47,
    kCmdSaveVariable = 48,
    kCmdLoadVariable = 49,
    kCmdPrintText = 50,
    kCmdInstallFont = 51,
    kCmdPrintPage = 52,
    kCmdPrintRect = 53,
    kCmdInstallTts = 54,
    kCmdInitTts = 55,
    kCmdSay = 56,
    kCmdSpeakText = 57,
    kCmdStopTts = 58,
    kCmdPauseTts = 59,
    kCmdResumeTts = 60,
    kCmdPitchTts = 61,
    kCmdSpeedTts = 62,
    kCmdSongListReset = 63,
    kCmdSongListAdd = 64,
    kCmdSongListPlay = 65,
    kCmdSongListNext = 66,
    kCmdSongListPrev = 67,
    kCmdSongListLoad = 68,
    kCmdSongListRnd = 69,
    kCmdViewImage = 70,
    kCmdFileExist = 71,
    kCmdSongListEdit = 72,
    kCmdReplaceImage = 73,
    kCmdMatrixSet = 74,
    kCmdMatrixGet = 75,
    kCmdPluginSet = 76,
    kCmdPluginGet = 77,
    kCmdPluginRun = 78,
    kCmdLoadText = 79,
    kCmdSearchForFiles = 80,
    kCmdWhichCdTrack = 81,
    kCmdSysCommand = 82,
    kCmdMciObject = 83,
    kCmdMoveObject = 84,
    kCmdMoveTo = 85,
    kCmdPause = 86,
    kCmdRefresh = 87,
    kCmdBrowser = 88,
    kCmdSendCommand = 89,
    kCmdClipboard = 90,
    kCmdCdSkipForward = 91,
    kCmdCdSkipBackward = 92,
    kCmdAudioRewind = 93,
    kCmdFlash = 94,
    kCmdFlashSetVar = 95,
    kCmdFlashGetVar = 96,
    kCmdFlashSetFrame = 97,
    kCmdFlashGetFrame = 98,
    kCmdAudioVisualizationType = 201,
    kCmdAudioVisualizationColor = 202,
    kCmdListBoxAddItem = 203,
    kCmdListBoxDeleteItem = 204,
    kCmdListBoxSelectItem = 205,
    kCmdListBoxGetItems = 206,
    kCmdListBoxGetSelectedItems = 207,
    kCmdListBoxDeselectItem = 208,
    kCmdSongListDel = 209,
    kCmdSongListSave = 210,
    kCmdFlashGetProp = 211,
    kCmdStopSound = 212,
    kCmdFmodConfig = 213,
    kCmdBackgroundPlay = 214,
    kCmdBackgroundStop = 215,
    kCmdBackgroundPause = 216,
    kCmdSongListTime = 217,
    kCmdSetImageOrigin = 218,
    kCmdResizeImage = 219,
    kCmdRotateImageRel = 220,
    kCmdRotateImageTo = 221,
    kCmdRestoreImage = 222,
    kCmdVideoLoad = 223,
    kCmdVideoPause = 224,
    kCmdVideoRewind = 225,
    kCmdVideoSpeed = 226,
    kCmdVideoScale = 227,
    kCmdVideoParam = 228,
    kCmdListBoxMoveItem = 229,
    kCmdListBoxSortItems = 230,
    kCmdScrollImageView = 231,
    kCmdZoomImageView = 232,
    kCmdUseImageBkgColor = 233,
    kCmdSetImageBkgColor = 234,
    kCmdSaveFile = 235,
    kCmdBrowseForFolder = 236,
    kCmdListBoxParam = 237,
    kCmdColorPicker = 238,
    kCmdBreak = 239,
    kCmdVideoClose = 240,
    kCmdRestore = 241,
};

// One past the highest command code: codes below it index the dispatcher's lookup.
inline constexpr std::int32_t kCommandCodeLimit = kCmdRestore + 1;

struct CommandEntry {
    std::string_view name;
    std::int32_t code;
    std::int32_t argument_count;  // 0, 1 or 2
};

// The 140 entries in table order.
std::span<const CommandEntry> CommandTable();

// The first entry whose name equals `word` without regard to case.
std::optional<CommandEntry> FindCommand(std::string_view word);
// The name of the first entry with `code`, for decompiled output.
std::optional<std::string_view> CommandName(std::int32_t code);

}  // namespace velk
