#include "hosts/headless/memory_file_system.h"

#include <functional>
#include <utility>

#include "base/codepage.h"
#include "base/win_path.h"

namespace velk::headless {

MemoryFileSystem::MemoryFileSystem(std::string temp_folder) : temp_folder_(std::move(temp_folder)) {
    if (!temp_folder_.empty()) AddFolder(temp_folder_);
}

MemoryFileSystem::Node* MemoryFileSystem::Node::Match(std::string_view name) const {
    if (auto exact = children.find(std::string(name)); exact != children.end()) {
        return exact->second.get();
    }
    for (const auto& [child_name, child] : children) {  // byte order: the first match wins
        if (EqualsIgnoreCase(child_name, name)) return child.get();
    }
    return nullptr;
}

std::optional<std::vector<std::string>> MemoryFileSystem::Components(std::string_view path) {
    const auto native = WindowsToNativePath(path);
    if (!native) return std::nullopt;
    std::vector<std::string> parts;
    for (std::string_view part : SplitPathComponents(*native)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.emplace_back(part);
    }
    return parts;
}

const MemoryFileSystem::Node* MemoryFileSystem::Find(const std::vector<std::string>& components,
                                                     std::size_t count) const {
    const Node* node = &root_;
    for (std::size_t i = 0; i < count && node; ++i) {
        node = node->folder ? node->Match(components[i]) : nullptr;
    }
    return node;
}

MemoryFileSystem::Node* MemoryFileSystem::Find(const std::vector<std::string>& components,
                                               std::size_t count) {
    return const_cast<Node*>(std::as_const(*this).Find(components, count));
}

MemoryFileSystem::Node* MemoryFileSystem::MakeFolders(const std::vector<std::string>& components,
                                                      std::size_t count, bool exact) {
    Node* node = &root_;
    for (std::size_t i = 0; i < count; ++i) {
        Node* next = nullptr;
        if (!exact) {
            next = node->Match(components[i]);
        } else if (auto found = node->children.find(components[i]); found != node->children.end()) {
            next = found->second.get();
        }
        if (!next) {
            auto created = std::make_unique<Node>();
            created->folder = true;
            next = created.get();
            node->children.emplace(components[i], std::move(created));
        }
        if (!next->folder) return nullptr;
        node = next;
    }
    return node;
}

std::optional<std::vector<std::uint8_t>> MemoryFileSystem::ReadFile(std::string_view path) const {
    const auto parts = Components(path);
    if (!parts || parts->empty()) return std::nullopt;
    const Node* node = Find(*parts, parts->size());
    if (!node || node->folder) return std::nullopt;
    return node->data;
}

bool MemoryFileSystem::WriteFile(std::string_view path, std::span<const std::uint8_t> data) {
    const auto parts = Components(path);
    if (!parts || parts->empty()) return false;
    Node* parent = Find(*parts, parts->size() - 1);
    if (!parent || !parent->folder) return false;
    Node* file = parent->Match(parts->back());
    if (!file) {
        auto created = std::make_unique<Node>();
        file = created.get();
        parent->children.emplace(parts->back(), std::move(created));
    }
    if (file->folder) return false;
    file->data.assign(data.begin(), data.end());
    return true;
}

bool MemoryFileSystem::RemoveFile(std::string_view path) {
    const auto parts = Components(path);
    if (!parts) return true;
    if (parts->empty()) return false;
    Node* parent = Find(*parts, parts->size() - 1);
    if (!parent || !parent->folder) return true;
    const Node* file = parent->Match(parts->back());
    if (!file) return true;
    if (file->folder) return false;
    std::erase_if(parent->children,
                  [file](const auto& child) { return child.second.get() == file; });
    return true;
}

bool MemoryFileSystem::CreateFolder(std::string_view path) {
    const auto parts = Components(path);
    if (!parts) return false;
    if (parts->empty()) return true;  // the root
    const Node* parent = Find(*parts, parts->size() - 1);
    if (!parent || !parent->folder) return false;
    return MakeFolders(*parts, parts->size(), false) != nullptr;
}

std::string MemoryFileSystem::ShownPath(std::string_view path) const {
    const auto parts = Components(path);
    if (path.empty() || !parts) return Cp1252ToUtf8(path);
    std::string shown;
    const Node* node = &root_;
    for (const std::string& part : *parts) {
        shown += '/';
        const Node* found = node && node->folder ? node->Match(part) : nullptr;
        if (found) {
            for (const auto& [name, child] : node->children) {
                if (child.get() == found) shown += name;
            }
        } else {
            shown += part;  // nothing exists from here on: the rest as given
        }
        node = found;
    }
    return Cp1252ToUtf8(shown.empty() ? "/" : shown);
}

void MemoryFileSystem::AddFile(std::string_view path, std::vector<std::uint8_t> data) {
    const auto parts = Components(path);
    if (!parts || parts->empty()) return;
    Node* folder = MakeFolders(*parts, parts->size() - 1, true);
    if (!folder) return;
    auto& file = folder->children[parts->back()];
    if (!file) file = std::make_unique<Node>();
    if (!file->folder) file->data = std::move(data);
}

void MemoryFileSystem::AddFolder(std::string_view path) {
    if (const auto parts = Components(path)) MakeFolders(*parts, parts->size(), true);
}

bool MemoryFileSystem::FileExists(std::string_view path) const {
    const auto parts = Components(path);
    const Node* node = parts && !parts->empty() ? Find(*parts, parts->size()) : nullptr;
    return node && !node->folder;
}

bool MemoryFileSystem::FolderExists(std::string_view path) const {
    const auto parts = Components(path);
    const Node* node = parts ? Find(*parts, parts->size()) : nullptr;
    return node && node->folder;
}

std::vector<std::string> MemoryFileSystem::ListFiles() const {
    std::vector<std::string> out;
    std::function<void(const Node&, const std::string&)> walk = [&](const Node& node,
                                                                    const std::string& prefix) {
        for (const auto& [name, child] : node.children) {
            const std::string path = prefix + "/" + name;
            if (child->folder) {
                walk(*child, path);
            } else {
                out.push_back(path);
            }
        }
    };
    walk(root_, "");
    return out;
}

}  // namespace velk::headless
