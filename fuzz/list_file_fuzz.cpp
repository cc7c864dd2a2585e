// Feeds arbitrary bytes to the reading of list files, as SongListLoad and the editor's Load take
// them from a file: every reading, with and without the list's folder; and to the headless
// answers of the file dialogs and the song list editor. The first byte picks the list type;
// the rest is the file's text. Every reading must end with entries that hold no line break,
// and writing the every-line reading's entries gives the text back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hosts/headless/scripted_ui.h"
#include "media/song_list_file.h"

namespace {

constexpr std::string_view kTypes[] = {"M3L", "M3U", "PLS", "TXT", "m3u", ""};
constexpr std::string_view kNames[] = {"C:\\lists\\a.m3u", "C:\\lists\\a.PLS", "a.m3l",
                                       "/tmp/lists/a.txt"};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string_view type = kTypes[data[0] % std::size(kTypes)];
    const std::string_view name = kNames[(data[0] / std::size(kTypes)) % std::size(kNames)];
    using velk::media::ListReading;

    const ListReading chosen = velk::media::ReadingForListType(type, name);
    for (const ListReading reading : {chosen, ListReading::kPlain, ListReading::kExtended,
                                      ListReading::kPls, ListReading::kEveryLine}) {
        for (const std::string& folder : {velk::media::ListFolder(name), std::string()}) {
            for (const std::string& entry : velk::media::ReadListText(text, reading, folder)) {
                Check(entry.find("\r\n") == std::string::npos);
            }
        }
    }
    const auto every_line = velk::media::ReadListText(text, ListReading::kEveryLine, {});
    Check(velk::media::WriteListText(every_line, false) == text);

    velk::host::FileDialog dialog;
    dialog.filter = std::string(text.substr(0, text.size() / 2));
    dialog.default_extension = "tch";
    (void)velk::headless::ReadFileAnswer(text, dialog);
    (void)velk::headless::ReadListAnswer(text, every_line);
    return 0;
}
