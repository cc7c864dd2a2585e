#include "media/song_list_file.h"

#include <algorithm>

#include "base/codepage.h"

namespace velk::media {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kExtInf = "#EXTINF:";

// The lines of `text`: each ends at a "\r\n"; what follows the last one is no line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end = text.find(kLineBreak); end != std::string_view::npos;
         end = text.find(kLineBreak)) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + kLineBreak.size());
    }
    return lines;
}

std::string WithFolder(std::string_view entry, std::string_view folder) {
    if (entry.find(':') != std::string_view::npos) return std::string(entry);
    std::string path(folder);
    path += entry;
    return path;
}

// The PLS entry of `line`: after the first "File", the text after the first "=".
std::optional<std::string_view> PlsEntry(std::string_view line) {
    const std::size_t file = line.find("File");
    if (file == std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(file + 4);
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return rest.substr(equals + 1);
}

}  // namespace

ListReading ReadingForListType(std::string_view list_type, std::string_view file_name) {
    if (list_type == "M3L") return ListReading::kPlain;
    if (list_type == "M3U") return ListReading::kExtended;
    if (list_type == "PLS") return ListReading::kPls;
    if (list_type == "TXT") return ListReading::kEveryLine;
    const std::size_t dot = file_name.rfind('.');
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : file_name.substr(dot + 1, 3);
    if (EqualsIgnoreCase(extension, "PLS")) return ListReading::kPls;
    if (EqualsIgnoreCase(extension, "M3U")) return ListReading::kExtended;
    if (EqualsIgnoreCase(extension, "M3L")) return ListReading::kPlain;
    return ListReading::kEveryLine;
}

std::string ListFolder(std::string_view file_name) {
    const std::size_t slash = file_name.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string()
                                           : std::string(file_name.substr(0, slash + 1));
}

std::vector<std::string> ReadListText(std::string_view text, ListReading reading,
                                      std::string_view folder) {
    std::string whole(text);
    whole += kLineBreak;
    if (reading == ListReading::kExtended && whole.find(kExtInf) == std::string::npos) {
        reading = ListReading::kPlain;
    }
    std::vector<std::string> entries;
    bool after_extinf = false;
    for (const std::string_view line : Lines(whole)) {
        switch (reading) {
            case ListReading::kPlain:
                if (!line.empty()) entries.push_back(WithFolder(line, folder));
                break;
            case ListReading::kExtended:
                // The line after an "#EXTINF:" line is the entry, whatever it holds.
                if (after_extinf) {
                    entries.push_back(WithFolder(line, folder));
                    after_extinf = false;
                } else {
                    after_extinf = line.find(kExtInf) != std::string_view::npos;
                }
                break;
            case ListReading::kPls:
                if (const auto entry = PlsEntry(line))
                    entries.push_back(WithFolder(*entry, folder));
                break;
            case ListReading::kEveryLine:
                entries.emplace_back(line);
                break;
        }
    }
    return entries;
}

std::string WriteListText(std::span<const std::string> entries, bool break_after_last) {
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += entries[i];
    }
    if (break_after_last && !entries.empty()) text += kLineBreak;
    return text;
}

ListFileText ReadListFile(const host::FileSystem& files, std::string_view path) {
    const std::unique_ptr<host::ReadableFile> file = files.OpenForReading(path);
    if (!file) return {};
    if (file->Size() > kMaxListFileBytes) return {std::nullopt, true};
    std::string text(static_cast<std::size_t>(file->Size()), '\0');
    std::size_t read = 0;
    while (read < text.size()) {
        const std::size_t piece = file->ReadAt(
            read,
            std::span(reinterpret_cast<std::uint8_t*>(text.data()) + read, text.size() - read));
        if (piece == 0) break;
        read += piece;
    }
    text.resize(std::min(read, text.find('\0')));
    return {std::move(text), false};
}

bool WriteListFile(host::FileSystem& files, std::string_view path, std::string_view text) {
    return files.WriteFile(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace velk::media
