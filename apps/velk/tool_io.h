// Files for the velk tool: reading inputs, writing outputs so that a failure leaves nothing
// half-written, and the folders behind the JSON description's blobs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/project_json.h"
#include "host/host.h"

namespace velk::tool {

namespace fs = std::filesystem;

// Message boxes of the readers become lines on stderr.
class StderrUi : public host::Ui {
  public:
    // Prints the text; the answer is the first button.
    host::MessageAnswer Ask(std::string_view caption, std::string_view text,
                            host::MessageButtons buttons, host::MessageIcon icon) override;
    // The tool reads quietly.
    void LoadProgress(std::uint32_t /*permille*/) override {}
    // The file's name exactly as the system has it.
    void MessageNamingFile(std::string_view caption, std::string_view before,
                           std::string_view shown_file, std::string_view after) override;
};

// A failure of the tool itself: "velk: " and the text on stderr.
void PrintError(std::string_view text);

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const fs::path& path);

// Writes `bytes` to a fresh file beside `target` and renames it over `target`. `mode` is the
// permission the file is created with (before the umask). False, with `error`, on failure;
// then nothing is left behind.
bool WriteFileAtomically(const fs::path& target, std::span<const std::uint8_t> bytes,
                         std::string& error, unsigned mode = 0666);

// A new empty folder beside `target` (named after it), removed again on destruction unless
// it has been moved into place with Commit.
class StagingFolder {
  public:
    explicit StagingFolder(const fs::path& target);
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const fs::path& Path() const { return path_; }
    // Renames the folder to `target`, replacing an existing folder there.
    void Commit();

  private:
    fs::path target_;
    fs::path path_;
    bool committed_ = false;
};

// Writes blobs as files under a root folder. Names already handed out get a number.
class FolderBlobSink : public BlobSink {
  public:
    explicit FolderBlobSink(fs::path root) : root_(std::move(root)) {}
    std::string Store(std::string_view suggested_name,
                      std::span<const std::uint8_t> bytes) override;
    // The first write that failed, or empty.
    const std::string& Error() const { return error_; }

  private:
    fs::path root_;
    std::vector<std::string> taken_;
    std::string error_;
};

// Reads the files a description names, relative to the description's folder.
class FolderBlobSource : public BlobSource {
  public:
    explicit FolderBlobSource(fs::path base) : base_(std::move(base)) {}
    std::optional<std::vector<std::uint8_t>> Load(std::string_view path) const override;

  private:
    fs::path base_;
};

// True when the bytes end like a standalone executable (the tag and the payload length).
bool EndsWithStandaloneTag(std::span<const std::uint8_t> bytes);

// Reads a project file or a standalone executable (recognised by its trailer). On failure the
// reader's message has been printed and nothing is returned.
std::optional<ProjectDescription> LoadProjectInput(const fs::path& path, host::Ui& ui);

// "3 pages, 17 objects, 2 embedded files" (objects of the master page and layer included).
std::string Summary(const Project& project);

}  // namespace velk::tool
