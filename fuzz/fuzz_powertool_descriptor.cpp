// Any bytes as a plug-in tool's descriptor in the PowerTool folder: the scan must neither
// overrun nor loop, and an entry it keeps has every value inside its buffer, a positive ID,
// type and version, and an exchange folder name that stays one name.
#include "files/content_folders.h"
#include "fuzz_support.h"
#include "port/images.h"
#include "powertools/core/power_tool_dispatcher.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Every image decodes but those whose name asks not to, so both roads are taken.
class AnyImage : public port::ImageDecoder {
public:
    bool decode(const std::string& path, port::DecodedImage& out) override {
        if (path.find("bad") != std::string::npos) return false;
        out = port::DecodedImage{1, 1, {1, 2, 3}};
        return true;
    }
};

void Check(const PowerToolEntry& e) {
    const std::string& id = e.plugInAppleAppID();
    const bool plain = id.find('/') == std::string::npos && id != "." && id != "..";
    if (e.plugInName().size() > 125 || e.plugInDescription().size() > 255 || id.size() > 255 || !plain ||
        e.plugInDir().size() > 511 || e.plugInEXE().size() > 511 || e.plugInEXE().rfind(e.plugInDir() + "/", 0) != 0 ||
        e.plugInID() <= 0 || e.plugInType() <= 0 || e.plugInFileVer() <= 0 || e.plugInMinFileVer() >= 11001 ||
        !e.plugInPreview() || !e.isPowerToolEntryValid())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static AnyImage images;
    static const std::string descriptor = [] {
        fuzz::UseScratchFolders("fuzz_powertool_descriptor");
        port::setImageDecoder(&images);
        const std::string folder = LocalDomainPowerToolPath();
        std::filesystem::create_directories(folder);
        return folder + "/tool.PEG";
    }();
    if (!fuzz::WriteFile(descriptor, data, size)) return 0;
    PowerToolDispatcher* dispatcher = PowerToolDispatcher::sharedPowerToolDispatcher();
    dispatcher->buildPluginList();
    if (dispatcher->pluginList().size() > 1) std::abort();
    for (const auto& e : dispatcher->pluginList()) Check(*e);
    return 0;
}
