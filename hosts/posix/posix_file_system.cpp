#include "hosts/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <utility>

#include "base/codepage.h"
#include "base/win_path.h"

namespace velk::posix {
namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

// A regular file read at offsets. pread leaves no shared file position, so reads from a
// decoder's thread need no lock.
class NativeReadableFile : public host::ReadableFile {
  public:
    NativeReadableFile(Fd fd, std::uint64_t size) : fd_(std::move(fd)), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        std::size_t done = 0;
        while (done < out.size() && offset + done < size_) {
            const ssize_t n = ::pread(fd_.get(), out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

  private:
    Fd fd_;
    std::uint64_t size_;
};

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::string JoinNative(const std::string& folder, std::string_view name) {
    std::string out = folder;
    if (!out.empty() && out.back() != '/') out.push_back('/');
    out.append(name);
    return out;
}

// A native name in code-page text, or nullopt when the code page cannot hold it exactly.
std::optional<std::string> NativeNameToCodePage(std::string_view utf8) {
    std::string text = Utf8ToCp1252(utf8);
    if (Cp1252ToUtf8(text) != utf8) return std::nullopt;
    return text;
}

// The entry of `folder` that the code-page name `wanted` stands for: an entry whose name, in
// the code page as the system hands names to the player (best fit, else '?'), equals `wanted`
// without regard to case. So a folder named in Cyrillic, which the player only knows as
// "??????", is still found. When several entries match, the first in byte order wins, so the
// same tree always gives the same file. (The exact name was tried before.)
std::optional<std::string> FindEntry(const std::string& folder, std::string_view wanted) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
    if (!dir) return std::nullopt;
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!EqualsIgnoreCase(Utf8ToCp1252BestFit(name), wanted)) continue;
        if (!best || name < *best) best = std::string(name);
    }
    return best;
}

bool IsPrivateFolder(const std::string& path, bool may_tighten) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
    if ((st.st_mode & 077) == 0) return true;
    // Ours but readable by others: tighten it. Writable by others: somebody may already have
    // planted entries in it, so it is not used at all.
    if (!may_tighten || (st.st_mode & 022) != 0) return false;
    return ::chmod(path.c_str(), 0700) == 0;
}

// The Windows form of a native path as the core sees it: names outside the code page are
// given in the system's best fit, which the matching above leads back to the file.
// The Windows form of a native path the code page holds exactly; empty when it does not. The
// temporary folder must be named exactly: a best fit could lead to another user's entry.
std::string ExactWindowsForm(const std::string& native) {
    const auto text = NativeNameToCodePage(native);
    return text ? NativeToWindowsPath(*text) : std::string();
}

std::string ToWindowsForm(std::string_view native) {
    return NativeToWindowsPath(Utf8ToCp1252BestFit(native));
}

}  // namespace

std::optional<std::string> PosixFileSystem::ResolveNative(std::string_view path) const {
    const auto native_form = WindowsToNativePath(path);  // still code-page text
    if (!native_form || native_form->empty()) return std::nullopt;
    const bool rooted = native_form->front() == '/';
    std::string resolved = rooted ? "/" : "";
    bool searching = true;  // stops at the first component that does not exist
    for (std::string_view part : SplitPathComponents(*native_form)) {
        std::string chosen = Cp1252ToUtf8(part);
        if (searching && part != "." && part != "..") {
            const std::string exact = JoinNative(resolved, chosen);
            struct stat st {};
            if (::lstat(exact.c_str(), &st) != 0) {
                const bool missing = errno == ENOENT;
                auto match = missing ? RememberedName(resolved, part) : std::nullopt;
                if (!match && missing) match = FindEntry(resolved, part);
                if (match) {
                    chosen = *match;
                } else {
                    searching = false;
                }
            }
        }
        resolved = resolved.empty() ? chosen : JoinNative(resolved, chosen);
    }
    if (resolved.empty()) resolved = ".";
    return resolved;
}

std::string PosixFileSystem::FromUserPath(std::string_view native) {
    constexpr std::size_t kRemembered = 64;  // a start's arguments and a few later choices
    std::string absolute(native);
    if (!absolute.empty() && absolute.front() != '/') {
        std::string cwd(4096, '\0');
        if (::getcwd(cwd.data(), cwd.size()) != nullptr) {
            cwd.resize(cwd.find('\0'));
            absolute = JoinNative(cwd, absolute);
        }
    }
    if (!absolute.empty() && absolute.front() == '/') {
        std::erase(user_paths_, absolute);
        if (user_paths_.size() == kRemembered) user_paths_.erase(user_paths_.begin());
        user_paths_.push_back(std::move(absolute));
    }
    return Utf8ToCp1252BestFit(native);
}

std::optional<std::string> PosixFileSystem::RememberedName(const std::string& resolved,
                                                           std::string_view wanted) const {
    if (resolved.empty() || resolved.front() != '/') return std::nullopt;
    const std::string folder = resolved.back() == '/' ? resolved : resolved + '/';
    for (auto it = user_paths_.rbegin(); it != user_paths_.rend(); ++it) {
        if (!it->starts_with(folder)) continue;
        const std::string_view rest = std::string_view(*it).substr(folder.size());
        const std::string_view name = rest.substr(0, rest.find('/'));
        if (!name.empty() && EqualsIgnoreCase(Utf8ToCp1252BestFit(name), wanted)) {
            return std::string(name);
        }
    }
    return std::nullopt;
}

std::string PosixFileSystem::ShownPath(std::string_view path) const {
    if (path.empty()) return {};
    if (const auto native = ResolveNative(path)) return *native;
    return Cp1252ToUtf8(path);  // another drive: nothing here, so the path as the player has it
}

std::optional<std::vector<std::uint8_t>> PosixFileSystem::ReadFile(std::string_view path) const {
    const auto native = ResolveNative(path);
    if (!native) return std::nullopt;
    // Non-blocking so that a FIFO named by a script cannot hang the player.
    Fd fd(::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        data.insert(data.end(), buffer, buffer + n);
    }
    return data;
}

std::unique_ptr<host::ReadableFile> PosixFileSystem::OpenForReading(std::string_view path) const {
    const auto native = ResolveNative(path);
    if (!native) return nullptr;
    Fd fd(::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    return std::make_unique<NativeReadableFile>(std::move(fd),
                                                static_cast<std::uint64_t>(st.st_size));
}

bool PosixFileSystem::WriteFile(std::string_view path, std::span<const std::uint8_t> data) {
    const auto native = ResolveNative(path);
    if (!native) return false;
    const auto slash = native->find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : native->substr(0, slash + 1);
    const std::string_view name = slash == std::string::npos
                                      ? std::string_view(*native)
                                      : std::string_view(*native).substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return false;

    struct stat target {};
    bool replacing = false;
    if (::lstat(native->c_str(), &target) == 0) {
        if (!S_ISREG(target.st_mode))
            return false;  // a link is never followed, a folder never replaced
        replacing = true;
    }

    std::random_device seed;
    std::mt19937_64 random(seed());
    std::string temp;
    int raw_fd = -1;
    for (int attempt = 0; attempt < 100 && raw_fd < 0; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".velk-%016llx",
                      static_cast<unsigned long long>(random()));
        temp = folder + suffix;
        raw_fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (raw_fd < 0 && errno != EEXIST) return false;
    }
    if (raw_fd < 0) return false;
    Fd fd(raw_fd);

    bool ok = true;
    std::size_t written = 0;
    while (ok && written < data.size()) {
        const ssize_t n = ::write(fd.get(), data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    // A replaced file keeps its permissions; a new one gets the umask's, as open gave it.
    if (ok && replacing) ok = ::fchmod(fd.get(), target.st_mode & 0777) == 0;
    ok = fd.Close() && ok;
    if (ok) ok = ::rename(temp.c_str(), native->c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool PosixFileSystem::RemoveFile(std::string_view path) {
    const auto native = ResolveNative(path);
    if (!native) return true;  // nothing can exist on a drive this machine does not have
    struct stat st {};
    if (::lstat(native->c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return ::unlink(native->c_str()) == 0 || errno == ENOENT;
}

bool PosixFileSystem::CreateFolder(std::string_view path) {
    const auto native = ResolveNative(path);
    if (!native) return false;
    if (::mkdir(native->c_str(), 0777) == 0) return true;
    if (errno != EEXIST) return false;
    struct stat st {};
    return ::stat(native->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string PosixFileSystem::TempFolder() const {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/') {
        const std::string folder = runtime;
        if (IsPrivateFolder(folder, false)) {
            if (std::string windows = ExactWindowsForm(folder); !windows.empty()) return windows;
        }
    }
    const std::string folder = JoinNative(shared_temp_, "velk-" + std::to_string(::getuid()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    // mkdir does not follow a planted link, but an existing entry may be one: lstat decides.
    if (!IsPrivateFolder(folder, true)) return {};
    return ExactWindowsForm(folder);
}

std::string OwnExecutablePath() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
    buffer.resize(static_cast<std::size_t>(n));
    return ToWindowsForm(buffer);
}

std::string AbsoluteWindowsPath(std::string_view path) {
    if (PathDrive(path) != 0) return NativeToWindowsPath(path);
    if (!path.empty() && IsPathSeparator(path.front())) {
        std::string native(path);
        for (char& c : native) {
            if (c == '\\') c = '/';
        }
        return NativeToWindowsPath(native);
    }
    std::string cwd(4096, '\0');
    if (::getcwd(cwd.data(), cwd.size()) == nullptr) return std::string(path);
    cwd.resize(cwd.find('\0'));
    const std::string folder = ToWindowsForm(cwd);
    if (folder.empty()) return std::string(path);
    return JoinWindowsPath(folder, path);
}

}  // namespace velk::posix
