#include "tool_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "base/codepage.h"
#include "document/container.h"
#include "document/load_context.h"
#include "hosts/headless/memory_profile_store.h"
#include "player/standalone.h"

namespace velk::tool {
namespace {

// Names of staging files and folders: hidden, beside the target, unique within the process
// run by the process id and a counter that is tried upwards until the name is free.
fs::path StagingName(const fs::path& target, std::string_view kind, unsigned attempt) {
    std::string name = "." + target.filename().string() + "." + std::string(kind) +
                       std::to_string(::getpid()) + "_" + std::to_string(attempt);
    return target.parent_path() / name;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

host::MessageAnswer StderrUi::Ask(std::string_view, std::string_view text,
                                  host::MessageButtons buttons, host::MessageIcon) {
    std::cerr << Cp1252ToUtf8(text) << '\n';
    return buttons == host::MessageButtons::kYesNo || buttons == host::MessageButtons::kYesNoCancel
               ? host::MessageAnswer::kYes
               : host::MessageAnswer::kOk;
}

void StderrUi::MessageNamingFile(std::string_view, std::string_view before,
                                 std::string_view shown_file, std::string_view after) {
    std::cerr << Cp1252ToUtf8(before) << shown_file << Cp1252ToUtf8(after) << '\n';
}

bool EndsWithStandaloneTag(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kTagEnd = 4;  // the payload length follows the tag
    if (bytes.size() < kStandaloneTag.size() + kTagEnd) return false;
    auto tag = bytes.subspan(bytes.size() - kTagEnd - kStandaloneTag.size(), kStandaloneTag.size());
    return std::equal(tag.begin(), tag.end(), kStandaloneTag.begin());
}

void PrintError(std::string_view text) {
    std::cerr << "velk: " << text << '\n';
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const fs::path& target, std::span<const std::uint8_t> bytes,
                         std::string& error, unsigned mode) {
    fs::path staging;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 1000; ++attempt) {
        staging = StagingName(target, "tmp", attempt);
        fd = ::open(staging.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    static_cast<mode_t>(mode));
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = "cannot write " + target.string() + ": " + std::strerror(errno);
        return false;
    }
    bool written = WriteAll(fd, bytes);
    int saved_errno = errno;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(staging.c_str(), target.c_str()) != 0) {
        if (written) saved_errno = errno;
        ::unlink(staging.c_str());
        error = "cannot write " + target.string() + ": " + std::strerror(saved_errno);
        return false;
    }
    return true;
}

StagingFolder::StagingFolder(const fs::path& target) : target_(target) {
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        fs::path candidate = StagingName(target, "tmp", attempt);
        if (::mkdir(candidate.c_str(), 0777) == 0) {
            path_ = candidate;
            return;
        }
        if (errno != EEXIST) break;
    }
    throw fs::filesystem_error("cannot create a folder beside", target,
                               std::error_code(errno, std::generic_category()));
}

StagingFolder::~StagingFolder() {
    if (committed_) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void StagingFolder::Commit() {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(target_, ec))) {
        fs::rename(path_, target_);
        committed_ = true;
        return;
    }
    // The old folder steps aside first, so that a failure leaves one or the other in place.
    fs::path old;
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        old = StagingName(target_, "old", attempt);
        if (!fs::exists(fs::symlink_status(old, ec))) break;
    }
    fs::rename(target_, old);
    try {
        fs::rename(path_, target_);
    } catch (...) {
        fs::rename(old, target_, ec);
        throw;
    }
    committed_ = true;
    fs::remove_all(old, ec);
}

std::string FolderBlobSink::Store(std::string_view suggested_name,
                                  std::span<const std::uint8_t> bytes) {
    std::string name = UniqueBlobName(suggested_name, taken_);
    fs::path relative(name);
    bool harmless = !name.empty() && relative.is_relative();
    for (const auto& part : relative) harmless &= part != "..";
    if (!harmless) {
        if (error_.empty()) error_ = "refusing to write outside the dump folder: " + name;
        return name;
    }
    fs::path path = root_ / relative;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out && error_.empty()) error_ = "cannot write " + path.string();
    return name;
}

std::optional<std::vector<std::uint8_t>> FolderBlobSource::Load(std::string_view path) const {
    fs::path file(path);
    return ReadWholeFile(file.is_absolute() ? file : base_ / file);
}

std::optional<ProjectDescription> LoadProjectInput(const fs::path& path, host::Ui& ui) {
    headless::MemoryProfileStore profile;
    // The path is shown in the reader's messages as the user typed it.
    LoadContext ctx{ui, profile, kCurrentProjectVersion, path.string()};

    auto bytes = ReadWholeFile(path);
    if (!bytes) {
        ctx.MessageNamingFile("Cannot find the file\n", ctx.shown_file);
        return std::nullopt;
    }
    std::span<const std::uint8_t> archive(*bytes);
    ProjectDescription description;
    if (EndsWithStandaloneTag(archive)) {
        TrailerResult read = ReadStandaloneTrailer(archive);
        if (!read.trailer) {
            ctx.Message(read.failure);
            return std::nullopt;
        }
        archive = archive.subspan(read.trailer->payload_offset, read.trailer->payload_size);
        description.standalone =
            StandaloneSettings{read.trailer->single_instance, read.trailer->instance_name};
    }
    LoadResult loaded = ReadProjectArchive(archive, ctx);
    switch (loaded.status) {
        case LoadStatus::kLoaded:
            description.project = std::move(loaded.project);
            return description;
        case LoadStatus::kNothingLoaded:
            // The player shows nothing for an empty layer; a tool must not pass it off as an
            // empty project.
            ctx.MessageNamingFile("The file ", ctx.shown_file, " holds no project.");
            return std::nullopt;
        case LoadStatus::kNotAProject:
        case LoadStatus::kUnsupportedVersion:
            break;  // the reader has said why
    }
    return std::nullopt;
}

std::string Summary(const Project& project) {
    std::size_t objects = project.master_page.objects.size() + project.master_layer.objects.size();
    for (const Page& page : project.pages) objects += page.objects.size();
    auto count = [](std::size_t n, std::string_view one, std::string_view many) {
        return std::to_string(n) + " " + std::string(n == 1 ? one : many);
    };
    return count(project.pages.size(), "page", "pages") + ", " +
           count(objects, "object", "objects") + ", " +
           count(project.embedded_files.size(), "embedded file", "embedded files");
}

}  // namespace velk::tool
