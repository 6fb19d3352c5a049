#include "content/core/library_files.h"

#include <algorithm>
#include <cstring>

#include "port/files.h"

namespace content {

namespace {

std::string Lowered(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

void FolderListing::list() {
    if (listed_) return;
    listed_ = true;
    names_ = port::ListFolder(folder_);
    for (const std::string& name : names_) byLowerName_.emplace(Lowered(name), name);  // first in order wins
}

const std::vector<std::string>& FolderListing::names() {
    list();
    return names_;
}

std::string FolderListing::find(const std::string& name) {
    if (name.empty() || folder_.empty()) return {};
    const std::string exact = port::JoinPath(folder_, name);
    if (port::FileExists(exact)) return exact;
    list();
    const auto it = byLowerName_.find(Lowered(name));
    if (it == byLowerName_.end() || it->second == name) return {};
    const std::string other = port::JoinPath(folder_, it->second);
    return port::FileExists(other) ? other : std::string();
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
