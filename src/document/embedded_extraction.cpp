#include "document/embedded_extraction.h"

#include <array>

#include "base/win_path.h"

namespace velk {
namespace {

constexpr std::string_view kWriteFailedMessage =
    "The temporary space is full.\nCannot write file:\n";

// Temporary names of the sound types 1 to 7, in type order.
constexpr std::array<std::string_view, 7> kSoundPrefixes = {
    "_qhv_wav_", "_qhv_mod_", "_qhv_mid_", "_qhv_s3m_", "_qhv_xm_", "_qhv_it_", "_qhv_rmi_"};
constexpr std::string_view kSoundSuffix = ".tmp";

bool IsControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x20 || b == 0x7F;
}

}  // namespace

std::string SafeEmbeddedName(std::string_view file_name) {
    std::string_view base = PathBaseName(file_name);
    // "C:name" is a drive-relative name: the drive goes too.
    if (base.size() >= 2 && base[1] == ':' && PathDrive(base) != 0) base.remove_prefix(2);
    if (base.empty() || base == "." || base == "..") return std::string(kEmbeddedPlaceholderName);
    std::string name(base);
    for (char& c : name) {
        if (IsControl(c)) c = '_';
    }
    return name;
}

std::string ExtractedFilePath(const PlayerFolders& folders, std::string_view file_name) {
    return JoinWindowsPath(folders.player_temp, SafeEmbeddedName(file_name));
}

void ExtractEmbeddedFiles(std::vector<EmbeddedFile>& files, host::FileSystem& fs,
                          const PlayerFolders& folders, const LoadContext& ctx,
                          ExtractOptions options) {
    for (EmbeddedFile& entry : files) {
        if (entry.file_type < kEmbeddedFirstExtracted) continue;
        const std::string path = ExtractedFilePath(folders, entry.file_name);
        if (!fs.WriteFile(path, entry.data))
            ctx.MessageNamingFile(kWriteFailedMessage, fs.ShownPath(path));
        if (!options.keep_data) std::vector<std::uint8_t>().swap(entry.data);
    }
}

void CleanUpEmbeddedFiles(const std::vector<EmbeddedFile>& files, host::FileSystem& fs,
                          const PlayerFolders& folders) {
    for (const EmbeddedFile& entry : files) {
        if (entry.file_type >= kEmbeddedFirstExtracted) {
            fs.RemoveFile(ExtractedFilePath(folders, entry.file_name));
        } else if (entry.file_type >= kEmbeddedWav && entry.file_type <= kEmbeddedRmi) {
            const std::string name = std::string(kSoundPrefixes[entry.file_type - kEmbeddedWav]) +
                                     SafeEmbeddedName(entry.file_name) + std::string(kSoundSuffix);
            fs.RemoveFile(JoinWindowsPath(folders.player_temp, name));
        }
    }
}

}  // namespace velk
