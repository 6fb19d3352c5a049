#include "content/core/library_files.h"

#include <algorithm>
#include <cstring>

#include "files/content_folders.h"
#include "port/files.h"

namespace content {

namespace {

std::string Lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

FolderListing::FolderListing(std::string folder) : folder_(std::move(folder)) {
    if (folder_.empty()) return;
    // Each place as its disk spells it: the texture table names stock folders in capitals, the
    // palette's tree in mixed case.
    for (const std::string& place : SearchedFolders(folder_)) {
        std::string found = FindFolderIgnoringCase(place);
        if (!found.empty()) places_.push_back({std::move(found), {}});
    }
}

void FolderListing::list() {
    if (listed_) return;
    listed_ = true;
    for (Place& place : places_) {
        for (std::string& name : port::ListFolder(place.folder)) {
            place.byLowerName.emplace(Lowered(name), name);  // first in order wins
            names_.push_back(std::move(name));
        }
    }
    std::sort(names_.begin(), names_.end());
    names_.erase(std::unique(names_.begin(), names_.end()), names_.end());
}

const std::vector<std::string>& FolderListing::names() {
    list();
    return names_;
}

std::string FolderListing::find(const std::string& name) {
    if (name.empty()) return {};
    for (Place& place : places_) {
        const std::string exact = port::JoinPath(place.folder, name);
        if (port::FileExists(exact)) return exact;
        list();
        const auto it = place.byLowerName.find(Lowered(name));
        if (it == place.byLowerName.end() || it->second == name) continue;
        const std::string other = port::JoinPath(place.folder, it->second);
        if (port::FileExists(other)) return other;
    }
    return {};
}

std::string FindFileIgnoringCase(const std::string& path) {
    if (path.empty()) return {};
    if (port::FileExists(path)) return path;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    FolderListing folder(slash == 0 ? std::string("/") : path.substr(0, slash));
    return folder.find(path.substr(slash + 1));
}

std::string FindFolderIgnoringCase(const std::string& path) {
    if (path.empty() || port::FolderExists(path)) return path;
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size()) return {};
    const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
    const std::string name = Lowered(path.substr(slash + 1));
    for (const std::string& listed : port::ListFolder(parent))
        if (Lowered(listed) == name && port::FolderExists(port::JoinPath(parent, listed)))
            return port::JoinPath(parent, listed);
    return {};
}

bool HasDataExtension(const std::string& name, const char* extension) {
    const size_t n = std::strlen(extension);
    if (name.size() <= n) return false;
    return Lowered(name.substr(name.size() - n)) == Lowered(extension);
}

std::string WithExtension(const std::string& path, const char* extension) {
    if (path.size() < 3) return path;
    return path.substr(0, path.size() - 3) + extension;
}

std::string RelativeToFolder(const std::string& root, const std::string& path) {
    if (root.empty() || path.size() <= root.size() + 1 || path.compare(0, root.size(), root) != 0 ||
        path[root.size()] != '/')
        return path;
    return path.substr(root.size() + 1);
}

}  // namespace content
