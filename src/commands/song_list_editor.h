// The core's side of the song list editor (SongListEdit): the entries it opens with, and its
// "Load" and "Save" buttons, which choose a list file through the Ui and read or write it.
// The host shows the dialog (Ui::EditList).
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace velk {

// The filters of the editor's dialogs. Load offers a third pair; Save writes ".m3l" lists, though
// a name typed without an extension gets ".tch", as the player always did.
inline constexpr std::string_view kListLoadFilter =
    "MP3List file (*.m3l)|*.m3l|M3U playlist (*.m3u)|*.m3u|All Files (*.*)|*.*||";
inline constexpr std::string_view kListSaveFilter =
    "MP3List file (*.m3l)|*.m3l|All Files (*.*)|*.*||";
inline constexpr std::string_view kListDefaultExtension = "tch";

class SongListEditor : public host::ListEditor {
  public:
    SongListEditor(std::vector<std::string> entries, host::Ui& ui, host::FileSystem& files)
        : entries_(std::move(entries)), ui_(ui), files_(files) {}

    const std::vector<std::string>& Entries() const override { return entries_; }
    // The filter chosen decides the reading: the first plain, the second extended (plain
    // without "#EXTINF:"), "All Files" by the file's extension as SongListLoad reads a list of
    // unknown type, except that any other extension reads plain (no empty entries). Entries
    // keep the names as written, without the list's folder.
    std::optional<std::vector<std::string>> Load() const override;
    // Every entry followed by "\r\n"; a file that cannot be written is passed over.
    void Save(std::span<const std::string> entries) const override;

  private:
    std::vector<std::string> entries_;
    host::Ui& ui_;
    host::FileSystem& files_;
};

}  // namespace velk
