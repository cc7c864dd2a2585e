#include "commands/song_list_editor.h"

#include "document/load_context.h"
#include "media/song_list_file.h"

namespace velk {
namespace {

media::ListReading ReadingForFilter(std::int32_t filter_index, std::string_view path) {
    if (filter_index == 1) return media::ListReading::kPlain;
    if (filter_index == 2) return media::ListReading::kExtended;
    const media::ListReading by_extension = media::ReadingForListType({}, path);
    return by_extension == media::ListReading::kEveryLine ? media::ListReading::kPlain
                                                          : by_extension;
}

}  // namespace

std::optional<std::vector<std::string>> SongListEditor::Load() const {
    host::FileDialog dialog;
    dialog.filter = std::string(kListLoadFilter);
    dialog.default_extension = std::string(kListDefaultExtension);
    const std::optional<host::FileChoice> choice = ui_.ChooseFile(dialog);
    if (!choice) return std::nullopt;
    const media::ListFileText file = media::ReadListFile(files_, choice->path);
    if (file.too_big) ui_.MessageBox(kApplicationName, media::kListTooBig);
    if (!file.text) return std::vector<std::string>();
    return media::ReadListText(*file.text, ReadingForFilter(choice->filter_index, choice->path),
                               {});
}

void SongListEditor::Save(std::span<const std::string> entries) const {
    if (entries.empty()) return;
    host::FileDialog dialog;
    dialog.purpose = host::FileDialog::Purpose::kSave;
    dialog.filter = std::string(kListSaveFilter);
    dialog.default_extension = std::string(kListDefaultExtension);
    dialog.overwrite_prompt = true;
    const std::optional<host::FileChoice> choice = ui_.ChooseFile(dialog);
    if (!choice) return;
    media::WriteListFile(files_, choice->path, media::WriteListText(entries, true));
}

}  // namespace velk
