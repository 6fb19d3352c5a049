#include "files/content_folders.h"

#include <cstring>
#include <initializer_list>

#include "port/files.h"
#include "port/folders.h"

namespace {

constexpr const char* kProgramFolder = "Zelt";

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

std::string LocalDomainUserSharedPath() {
    const std::string users = port::folders().usersFolder();
    if (users.empty()) return {};
    return users + "/Shared";
}

std::string LocalDomainTexturePath() { return Below(LocalDomainApplicationSupportPath(), {kProgramFolder, "Textures"}); }

std::string LocalDomainUserSharedTexturePath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Textures"}); }

std::string LocalDomainPlantPath() { return LocalDomainUserSharedTexturePath(); }

std::string LocalDomainCustomTexturePath() { return Below(LocalDomainUserSharedTexturePath(), {"CustomTextures"}); }

std::string LocalDomainCustomPlantPath() { return Below(LocalDomainUserSharedTexturePath(), {"CustomPlants"}); }

std::string LocalDomainAccessoriesPath() { return Below(LocalDomainCustomTexturePath(), {"Accessories"}); }

std::string LocalDomainCustomTrimPath() {
    return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Components", "Trim"});
}

std::string LocalDomainCustomWindowPath() {
    return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Components", "Windows"});
}

std::string LocalDomainCustomDoorPath() {
    return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Components", "Doors"});
}

std::string LocalDomain2DObjectPath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "2DSymbols"}); }

std::string LocalDomain3DObjectPath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Objects"}); }

std::string LocalDomainTemplatePath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Templates"}); }

std::string LocalDomainPaintPath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Paint"}); }

std::string LocalDomainContentPath() { return Below(LocalDomainUserSharedPath(), {kProgramFolder, "Content"}); }

std::string LocalDomainPowerToolPath() {
    return Below(LocalDomainApplicationSupportPath(), {kProgramFolder, kProductVersionFolderName, "Plugins"});
}

std::string LocalDomainOEMSym2DPath() {
    return Below(LocalDomainApplicationSupportPath(), {kProgramFolder, "Objects", "Symbol2D"});
}

std::string LocalDomainOEMSym3DPath() {
    return Below(LocalDomainApplicationSupportPath(), {kProgramFolder, "Objects", "Symbol3D"});
}

std::string LocalDomainContentProviderPath() {
    return Below(LocalDomainApplicationSupportPath(), {kProgramFolder, "Providers"});
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
