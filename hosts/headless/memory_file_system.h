// Files kept in memory: the headless host's disk. Paths and the matching of names without
// regard to case follow PosixFileSystem (Z: is the root, `\` and `/` both separate, the first
// match in byte order wins), so tests see what the player sees on a real disk. A path without
// a drive is taken from the root.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"

namespace velk::headless {

class MemoryFileSystem : public host::FileSystem {
  public:
    // The temporary folder is created with its parents; an empty one means the system has no
    // temporary folder.
    explicit MemoryFileSystem(std::string temp_folder = "Z:\\tmp");

    std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view path) const override;
    // The parent folder must exist; a folder is never replaced by a file.
    bool WriteFile(std::string_view path, std::span<const std::uint8_t> data) override;
    bool RemoveFile(std::string_view path) override;
    // The parent folder must exist.
    bool CreateFolder(std::string_view path) override;
    std::string TempFolder() const override { return temp_folder_; }
    // The native form with the names as stored: "/tmp/Show/a.vkd" for "Z:\TMP\show\A.VKD";
    // a path on another drive as it is.
    std::string ShownPath(std::string_view path) const override;

    // Test set-up, as on a disk prepared by hand: a file or folder with all the folders above
    // it, every name taken exactly (so "a.txt" and "A.TXT" can both exist).
    void AddFile(std::string_view path, std::vector<std::uint8_t> data);
    void AddFolder(std::string_view path);
    bool FileExists(std::string_view path) const;
    bool FolderExists(std::string_view path) const;
    // Every file as a native path with the names as stored ("/tmp/VelkPlayer/a.txt"), sorted.
    std::vector<std::string> ListFiles() const;

  private:
    struct Node {
        bool folder = false;
        std::vector<std::uint8_t> data;
        std::map<std::string, std::unique_ptr<Node>> children;

        // The child named `name`, else the first whose name matches without regard to case.
        Node* Match(std::string_view name) const;
    };

    // The path's components with "." and ".." applied; nullopt for a drive other than Z:.
    static std::optional<std::vector<std::string>> Components(std::string_view path);
    // The node named by the first `count` components, or null.
    const Node* Find(const std::vector<std::string>& components, std::size_t count) const;
    Node* Find(const std::vector<std::string>& components, std::size_t count);
    // Makes the folders of the first `count` components. With `exact`, only an entry of the
    // same name counts as existing; null when a file is in the way.
    Node* MakeFolders(const std::vector<std::string>& components, std::size_t count, bool exact);

    Node root_{true, {}, {}};
    std::string temp_folder_;
};

}  // namespace velk::headless
