#include "document/path_macros.h"

#include "base/text.h"

#include "base/win_path.h"

namespace velk {
namespace {

constexpr std::array<std::string_view, 8> kMacros = {
    "<SrcDir>", "<SrcDrive>", "<CD>", "<File>", "<Embedded>", "<Windows>", "<System>", "<Temp>"};
constexpr std::size_t kFileMacro = 3;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
}

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    return path;
}

}  // namespace

PlayerFolders ComputePlayerFolders(std::string_view source_path, host::FileSystem& fs) {
    PlayerFolders folders;
    const std::string source = !source_path.empty() && source_path.front() == '/'
                                   ? NativeToWindowsPath(source_path)
                                   : std::string(source_path);
    if (source.find_first_of("\\/") == std::string::npos) {
        // A bare file name: it lies in the current folder, which has no drive of its own.
        folders.src_dir = ".";
    } else {
        folders.src_dir = std::string(PathFolder(source));
        folders.src_drive = std::string(PathDrivePart(source));
    }
    folders.temp = WithoutTrailingSeparators(fs.TempFolder());
    if (folders.temp.empty()) {
        folders.temp = std::string(kNoTempFolder);
        folders.player_temp = std::string(kNoTempFolder);
    } else {
        folders.player_temp = JoinWindowsPath(folders.temp, kPlayerTempFolderName);
        fs.CreateFolder(folders.player_temp);  // an existing folder is fine
    }
    return folders;
}

PathMacros::PathMacros(std::function<PlayerFolders()> folders) : folders_(std::move(folders)) {}

PathMacros::PathMacros(PlayerFolders folders)
    : folders_([folders = std::move(folders)] { return folders; }) {}

std::string PathMacros::ExpandPath(std::string_view text) {
    if (!values_) {
        PlayerFolders f = folders_ ? folders_() : PlayerFolders{};
        values_ = {std::move(f.src_dir), std::move(f.src_drive),   std::move(f.cd_drive),
                   std::string(),        std::move(f.player_temp), std::move(f.windows),
                   std::move(f.system),  std::move(f.temp)};
    }
    const std::string_view trimmed = TrimWhiteSpace(text);
    std::string result(text);
    for (std::size_t i = 0; i < kMacros.size(); ++i) {
        const auto at = trimmed.find(kMacros[i]);
        if (at == std::string_view::npos) continue;
        if (i == kFileMacro) return current_file_;
        const std::size_t after = at + kMacros[i].size();
        std::string replacement = (*values_)[i];
        if (after >= trimmed.size() || trimmed[after] != '\\') replacement.push_back('\\');
        ReplaceAll(result, kMacros[i], replacement);
    }
    return result;
}

}  // namespace velk
