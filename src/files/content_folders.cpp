#include "files/content_folders.h"

#include <cstring>
#include <initializer_list>

#include "port/files.h"
#include "port/folders.h"

namespace {

// The root followed by whole components; empty when the root is.
std::string Below(const std::string& root, std::initializer_list<const char*> components) {
    if (root.empty()) return {};
    std::string path = root;
    for (const char* c : components) path = port::JoinPath(path, c);
    return path;
}

bool IsBlankOrLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string LocalDomainApplicationSupportPath() { return port::folders().applicationSupport(port::Domain::Local); }

std::string UserDomainApplicationSupportPath() { return port::folders().applicationSupport(port::Domain::User); }

std::string LocalDomainUserSharedPath() { return UserDomainApplicationSupportPath(); }

std::string LocalDomainTexturePath() { return Below(LocalDomainApplicationSupportPath(), {"Textures"}); }

std::string LocalDomainUserSharedTexturePath() { return Below(LocalDomainUserSharedPath(), {"Textures"}); }

std::string LocalDomainPlantPath() { return LocalDomainUserSharedTexturePath(); }

std::string LocalDomainCustomTexturePath() { return Below(LocalDomainUserSharedTexturePath(), {"CustomTextures"}); }

std::string LocalDomainCustomPlantPath() { return Below(LocalDomainUserSharedTexturePath(), {"CustomPlants"}); }

std::string LocalDomainAccessoriesPath() { return Below(LocalDomainCustomTexturePath(), {"Accessories"}); }

std::string LocalDomainCustomTrimPath() {
    return Below(LocalDomainUserSharedPath(), {"Components", "Trim"});
}

std::string LocalDomainCustomWindowPath() {
    return Below(LocalDomainUserSharedPath(), {"Components", "Windows"});
}

std::string LocalDomainCustomDoorPath() {
    return Below(LocalDomainUserSharedPath(), {"Components", "Doors"});
}

std::string LocalDomain2DObjectPath() { return Below(LocalDomainUserSharedPath(), {"2DSymbols"}); }

std::string LocalDomain3DObjectPath() { return Below(LocalDomainUserSharedPath(), {"Objects"}); }

std::string LocalDomainTemplatePath() { return Below(LocalDomainUserSharedPath(), {"Templates"}); }

std::string LocalDomainPaintPath() { return Below(LocalDomainUserSharedPath(), {"Paint"}); }

std::string LocalDomainContentPath() { return Below(LocalDomainUserSharedPath(), {"Content"}); }

std::string LocalDomainPowerToolPath() {
    return Below(LocalDomainApplicationSupportPath(), {kProductVersionFolderName, "Plugins"});
}

std::string UserDomainPowerToolPath() {
    return Below(LocalDomainUserSharedPath(), {kProductVersionFolderName, "Plugins"});
}

std::string LocalDomainOEMSym2DPath() {
    return Below(LocalDomainApplicationSupportPath(), {"Objects", "Symbol2D"});
}

std::string LocalDomainOEMSym3DPath() {
    return Below(LocalDomainApplicationSupportPath(), {"Objects", "Symbol3D"});
}

std::string LocalDomainContentProviderPath() {
    return Below(LocalDomainApplicationSupportPath(), {"Providers"});
}

std::vector<std::string> SearchedFolders(const std::string& folder) {
    const std::string user = LocalDomainUserSharedPath(), stock = LocalDomainApplicationSupportPath();
    if (user.empty() || stock.empty() || user == stock) return {folder};
    if (folder == user) return {folder, stock};
    if (folder.size() > user.size() && folder.compare(0, user.size(), user) == 0 && folder[user.size()] == '/')
        return {folder, stock + folder.substr(user.size())};
    return {folder};
}

std::string SharedFile(const std::string& path) {
    for (const std::string& place : SearchedFolders(path))
        if (port::FileExists(place)) return place;
    return path;
}

bool MakeUserContentFolders() {
    const std::string user = LocalDomainUserSharedPath();
    if (user.empty()) return false;
    // $XDG_DATA_HOME may not exist yet on a fresh account.
    bool made = port::MakeFolderTree(user);
    // Parents before children.
    for (const std::string& folder : {LocalDomainUserSharedTexturePath(),
                                      LocalDomainCustomTexturePath(), LocalDomainAccessoriesPath(),
                                      LocalDomainCustomPlantPath(), Below(user, {"Components"}),
                                      LocalDomainCustomTrimPath(), LocalDomainCustomWindowPath(),
                                      LocalDomainCustomDoorPath(), LocalDomain3DObjectPath(), LocalDomainTemplatePath(),
                                      LocalDomainContentPath(), Below(user, {kProductVersionFolderName}),
                                      UserDomainPowerToolPath()})
        if (!folder.empty()) made = port::MakeFolder(folder) && made;
    return made;
}

bool IsWin32Path(const char* path) {
    if (!path) return true;
    size_t begin = 0, end = std::strlen(path);
    if (end < 2) return true;
    while (begin < end && IsBlankOrLineEnd(path[begin])) ++begin;
    while (end > begin && IsBlankOrLineEnd(path[end - 1])) --end;
    if (end - begin < 2) return true;
    if (path[begin + 1] == ':') return true;
    return path[begin] == '\\';
}
