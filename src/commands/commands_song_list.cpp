// The song list: SongListReset, SongListAdd, SongListDel, SongListLoad, SongListRND,
// SongListSave and SongListEdit. Playing the list (SongListPlay, Next, Prev, Time) and the CD
// commands have no rows: they pass over silently, as the player never played them.
#include "commands/command_owner.h"
#include "commands/commands.h"
#include "commands/song_list_editor.h"
#include "commands/song_list_status.h"
#include "document/command_vocabulary.h"
#include "document/load_context.h"
#include "media/song_list.h"
#include "media/song_list_file.h"
#include "script/evaluator.h"

namespace velk {
namespace {

constexpr std::string_view kCurrentFile = "<File>";

CommandResult PerformSongListReset(CommandContext& ctx) {
    ctx.owner.Songs().entries.clear();
    ctx.owner.Songs().current = 0;
    UpdateSongListStatus(ctx.owner);
    return CommandResult::kGoOn;
}

CommandResult PerformSongListAdd(CommandContext& ctx) {
    if (ctx.record.target.empty()) return CommandResult::kGoOn;
    // Only the current file is expanded; any other macro stays as written.
    std::string entry =
        ctx.target == kCurrentFile ? ctx.owner.ExpandPath(kCurrentFile) : ctx.target;
    ctx.owner.Songs().entries.push_back(std::move(entry));
    UpdateSongListStatus(ctx.owner);
    return CommandResult::kGoOn;
}

CommandResult PerformSongListDel(CommandContext& ctx) {
    if (ctx.owner.Songs().Remove(EvaluateInt(ctx.owner, ctx.target))) {
        UpdateSongListStatus(ctx.owner);
    }
    return CommandResult::kGoOn;
}

CommandResult PerformSongListLoad(CommandContext& ctx) {
    if (ctx.record.target.empty()) return CommandResult::kGoOn;
    const std::string path = ctx.owner.ExpandPath(ctx.target);
    media::SongList& songs = ctx.owner.Songs();
    songs.entries.clear();
    const media::ListFileText file = media::ReadListFile(ctx.owner.FileStore(), path);
    if (file.too_big) ctx.owner.Ui().MessageBox(kApplicationName, media::kListTooBig);
    if (!file.text) return CommandResult::kGoOn;
    const media::ListReading reading = media::ReadingForListType(ctx.Argument(), path);
    songs.entries = media::ReadListText(*file.text, reading, media::ListFolder(path));
    UpdateSongListStatus(ctx.owner);
    return CommandResult::kGoOn;
}

CommandResult PerformSongListRnd(CommandContext& ctx) {
    // The player's one generator, so a seeded run shuffles alike; the status stays.
    ctx.owner.Songs().Shuffle(ctx.owner.ScriptEvaluator().Random());
    return CommandResult::kGoOn;
}

// The file SongListSave writes: the argument, or a save dialog's choice when it is empty.
std::optional<std::string> SaveFileName(CommandContext& ctx) {
    std::string path = ctx.owner.ExpandPath(ctx.Argument());
    if (!path.empty()) return path;
    host::FileDialog dialog;
    dialog.purpose = host::FileDialog::Purpose::kSave;
    dialog.filter = std::string(kListSaveFilter);
    dialog.default_extension = std::string(kListDefaultExtension);
    dialog.overwrite_prompt = true;
    const std::optional<host::FileChoice> choice = ctx.owner.Ui().ChooseFile(dialog);
    if (!choice) return std::nullopt;
    return choice->path;
}

CommandResult PerformSongListSave(CommandContext& ctx) {
    if (!ctx.target.empty() && !ctx.target.starts_with("<List>")) {
        // The rows of a list box object, once list boxes have their list window; until then no
        // object has one, and nothing happens, as for a target that names no list box.
        return CommandResult::kGoOn;
    }
    const std::optional<std::string> path = SaveFileName(ctx);
    if (!path) return CommandResult::kGoOn;
    media::WriteListFile(ctx.owner.FileStore(), *path,
                         media::WriteListText(ctx.owner.Songs().entries, false));
    return CommandResult::kGoOn;
}

CommandResult PerformSongListEdit(CommandContext& ctx) {
    media::SongList& songs = ctx.owner.Songs();
    const SongListEditor editor(songs.entries, ctx.owner.Ui(), ctx.owner.FileStore());
    if (auto edited = ctx.owner.Ui().EditList(editor)) {
        songs.entries = std::move(*edited);
        songs.current = 1;
    }
    UpdateSongListStatus(ctx.owner);
    return CommandResult::kGoOn;
}

constexpr CommandRow kRows[] = {
    {kCmdSongListReset, &PerformSongListReset}, {kCmdSongListAdd, &PerformSongListAdd},
    {kCmdSongListDel, &PerformSongListDel},     {kCmdSongListLoad, &PerformSongListLoad},
    {kCmdSongListRnd, &PerformSongListRnd},     {kCmdSongListSave, &PerformSongListSave},
    {kCmdSongListEdit, &PerformSongListEdit},
};

}  // namespace

std::span<const CommandRow> SongListCommands() {
    return kRows;
}

}  // namespace velk
