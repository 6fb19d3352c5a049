#include "powertools/core/power_tool_dispatcher.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "files/content_folders.h"
#include "files/ini.h"
#include "port/files.h"
#include "port/seam.h"
#include "powertools/core/plugin_list_seams.h"

namespace {

std::unique_ptr<PowerToolDispatcher> sSharedDispatcher;
const port::GlobalReset kReset([] { sSharedDispatcher.reset(); });

constexpr const char* kDescriptorExtension = ".PEG";
constexpr size_t kExtensionLength = 4;

bool IsDescriptorName(const std::string& name) {
    return name.size() > kExtensionLength &&
           strcasecmp(name.c_str() + name.size() - kExtensionLength, kDescriptorExtension) == 0;
}

// `folder` "/" `name`, cut to the path buffer.
std::string JoinedPath(const std::string& folder, const char* name) {
    char path[kDescriptorPathSize];
    std::snprintf(path, sizeof path, "%s/%s", folder.c_str(), name);
    return path;
}

// The exchange folder is made under the system temporary folder by this name: it must stay
// one plain name there.
bool IsPlainFolderName(const char* name) {
    return std::strchr(name, '/') == nullptr && std::strchr(name, '\\') == nullptr && std::strcmp(name, ".") != 0 &&
           std::strcmp(name, "..") != 0;
}

std::shared_ptr<const port::DecodedImage> LoadPreview(const std::string& path) {
    auto image = std::make_shared<port::DecodedImage>();
    if (!port::imageDecoder().decode(path, *image) || image->width <= 0 || image->height <= 0) return nullptr;
    return image;
}

}  // namespace

bool PowerToolEntry::isPowerToolEntryValid() const {
    return !plugInPEG_.empty() && !plugInEXE_.empty() && !plugInDir_.empty() && plugInPreview_ &&
           !plugInName_.empty() && !plugInAppleAppID_.empty() && plugInID_ > 0 && plugInType_ > 0 &&
           plugInFileVer_ > 0;
}

PowerToolDispatcher* PowerToolDispatcher::sharedPowerToolDispatcher() {
    if (!sSharedDispatcher) sSharedDispatcher = std::make_unique<PowerToolDispatcher>();
    return sSharedDispatcher.get();
}

void PowerToolDispatcher::buildPluginList() {
    pluginList_.clear();
    // The user's own tools first; a stock tool of an ID the user's folder already has is left out.
    const std::string user = UserDomainPowerToolPath(), stock = LocalDomainPowerToolPath();
    if (!user.empty()) addPluginsIn(user, 0);
    if (!stock.empty() && stock != user) addPluginsIn(stock, pluginList_.size());
}

void PowerToolDispatcher::addPluginsIn(const std::string& folder, size_t usersTools) {
    for (const std::string& name : port::ListFolder(folder)) {
        if (!IsDescriptorName(name)) continue;
        const std::string path = JoinedPath(folder, name.c_str());
        const int32_t fileVersion =
            GetPrivateProfileInt(kDescriptorSection, "FileVersion", kDefaultDescriptorFileVersion, path.c_str());
        const int32_t minFileVersion =
            GetPrivateProfileInt(kDescriptorSection, "MinFileVersion", fileVersion, path.c_str());
        if (minFileVersion >= kFirstUnreadableFileVersion) continue;
        auto entry = createPowerToolEntryWithContentsAtPath(path.c_str(), fileVersion, minFileVersion);
        if (!entry) continue;
        const auto mine = pluginList_.begin() + static_cast<std::ptrdiff_t>(usersTools);
        if (std::any_of(pluginList_.begin(), mine, [&](const auto& e) { return e->plugInID() == entry->plugInID(); }))
            continue;
        pluginList_.push_back(std::move(entry));
    }
}

std::unique_ptr<PowerToolEntry> PowerToolDispatcher::createPowerToolEntryWithContentsAtPath(
    const char* path, int32_t fileVersion, int32_t minFileVersion) const {
    if (!path || !*path) return nullptr;
    auto entry = std::make_unique<PowerToolEntry>();
    entry->setPlugInPEG(path);
    // A tool's folder lies beside its descriptor.
    const std::string peg = path;
    const size_t slash = peg.rfind('/');
    const std::string folder = slash == std::string::npos ? LocalDomainPowerToolPath() : peg.substr(0, slash);
    char value[kDescriptorLongValueSize];
    auto read = [&](const char* key, int size) {
        value[0] = 0;
        GetPrivateProfileString(kDescriptorSection, key, "", value, size, path);
        return value[0] != 0;
    };
    if (read("Directory", kDescriptorValueSize)) entry->setPlugInDir(JoinedPath(folder, value).c_str());
    // The program and the image lie in the tool's folder; without one there is neither.
    if (read("PlugIn", kDescriptorValueSize) && !entry->plugInDir().empty())
        entry->setPlugInEXE(JoinedPath(entry->plugInDir(), value).c_str());
    if (read("Image", kDescriptorValueSize) && !entry->plugInDir().empty())
        entry->setPlugInPreview(LoadPreview(JoinedPath(entry->plugInDir(), value)));
    if (read("DisplayName", kDescriptorValueSize)) entry->setPlugInName(value);
    if (read("DisplayDescription", kDescriptorLongValueSize)) entry->setPlugInDescription(value);
    if (read("AppleAppID", kDescriptorLongValueSize) && IsPlainFolderName(value)) entry->setPlugInAppleAppID(value);
    entry->setPlugInDevID(GetPrivateProfileInt(kDescriptorSection, "DeveloperID", 0, path));
    entry->setPlugInID(GetPrivateProfileInt(kDescriptorSection, "ID", 0, path));
    entry->setPlugInType(static_cast<int16_t>(GetPrivateProfileInt(kDescriptorSection, "Type", 0, path)));
    entry->setPlugInRefNum(GetPrivateProfileInt(kDescriptorSection, "RefID", 0, path));
    entry->setPlugInFileVer(fileVersion);
    entry->setPlugInMinFileVer(minFileVersion);
    if (!entry->isPowerToolEntryValid()) return nullptr;
    return entry;
}

PowerToolEntry* PowerToolDispatcher::powerToolEntryForID(int32_t plugInID) const {
    for (const auto& e : pluginList_)
        if (e->plugInID() == plugInID) return e.get();
    return nullptr;
}

PowerToolEntry* PowerToolDispatcher::powerToolEntryForDocument(const QMDDocumentModel* model) const {
    if (!model) return nullptr;
    for (const auto& e : pluginList_)
        if (e->plugInOwnerDocument() == model) return e.get();
    return nullptr;
}

PowerToolEntry* PowerToolDispatcher::powerToolEntryForDocumentID(int32_t docID) const {
    for (const auto& e : pluginList_) {
        const QMDDocumentModel* owner = e->plugInOwnerDocument();
        if (owner && owner->itsDocID == docID) return e.get();
    }
    return nullptr;
}

void RegisterPowerToolDispatcherSeams() {
    auto shared = [] { return PowerToolDispatcher::sharedPowerToolDispatcher(); };
    SetPowerToolBuildPluginListHandler([shared] { shared()->buildPluginList(); });
    SetPowerToolRegisterAllServerObserversHandler([shared] { shared()->registerAllServerObservers(); });
    SetLaunchPowerToolHandler([shared](int32_t id) { return shared()->launchPowerToolWithID(id); });
    SetPowerToolReleaseLockOwnedByDocumentHandler(
        [shared](const QMDDocumentModel* model) { shared()->releaseLockForPowerToolOwnedByDocument(model); });
    SetPowerToolForceQuitOwnedByDocumentHandler(
        [shared](const QMDDocumentModel* model) { shared()->forceQuitPowerToolOwnedByDocument(model); });
    SetLoadedPlugInIDsHandler([shared] {
        std::vector<int32_t> ids;
        for (const auto& e : shared()->pluginList()) ids.push_back(e->plugInID());
        return ids;
    });
    SetPowerToolEntryForDocumentHandler([shared](const QMDDocumentModel* model) {
        const PowerToolEntry* e = shared()->powerToolEntryForDocument(model);
        return e ? e->plugInID() : 0;
    });
    SetPowerToolIsAvailableHandler([shared](int32_t id) {
        const PowerToolEntry* e = shared()->powerToolEntryForID(id);
        return e && e->plugInAvailable();
    });
    SetPowerToolNameHandler([shared](int32_t id) {
        const PowerToolEntry* e = shared()->powerToolEntryForID(id);
        return e ? e->plugInName() : std::string();
    });
}
