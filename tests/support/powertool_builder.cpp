#include "support/powertool_builder.h"

#include <utility>
#include <vector>

#include "files/content_folders.h"
#include "port/files.h"
#include "support/doubles.h"

#include <unistd.h>

namespace dvxtest {

std::string MakePowerToolFolder() {
    std::string folder = LocalDomainApplicationSupportPath();
    for (const char* level : {kProductVersionFolderName, "Plugins"}) {
        folder = port::JoinPath(folder, level);
        port::MakeFolder(folder);
    }
    return folder;
}

std::string WritePowerToolDescriptor(const std::string& fileName, const PowerToolDescriptor& d) {
    const std::string folder = MakePowerToolFolder();
    std::string text = "[Description]\r\n";
    const std::pair<const char*, std::string> keys[] = {
        {"Directory", d.directory}, {"PlugIn", d.program},  {"Image", d.image},
        {"DisplayName", d.name},    {"DisplayDescription", d.description},
        {"AppleAppID", d.appID},    {"ID", d.id},           {"Type", d.type},
        {"FileVersion", d.fileVersion}};
    for (const auto& [key, value] : keys)
        if (!value.empty()) text += std::string(key) + "=" + value + "\r\n";
    const std::string path = port::JoinPath(folder, fileName);
    port::WriteWholeFile(path, text.data(), text.size());
    if (!d.directory.empty()) port::MakeFolder(port::JoinPath(folder, d.directory));
    return path;
}

void InstallPowerTool(const std::string& fileName, const PowerToolDescriptor& d, const std::string& program) {
    WritePowerToolDescriptor(fileName, d);
    const std::string tool = port::JoinPath(MakePowerToolFolder(), d.directory);
    WritePpm(tool + "/" + d.image, RgbImage(4, 4, [](int, int y) { return y < 2 ? 0x0000FFu : 0xFF0000u; }));
    ::symlink(program.c_str(), (tool + "/" + d.program).c_str());
}

PowerToolMessage ToolMessage(const char* name, int32_t plugInID, int64_t userID, int32_t docID) {
    return {name,
            {{kAuxDictPowerToolIDKey, PowerToolValue::Of(int64_t(plugInID))},
             {kAuxDictUserIDKey, PowerToolValue::Of(userID)},
             {kAuxDictDocumentIDKey, PowerToolValue::Of(int64_t(docID))}}};
}

}  // namespace dvxtest
