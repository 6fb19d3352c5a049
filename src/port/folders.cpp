#include "port/folders.h"

#include "port/files.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace port {
namespace {

std::string envFolder(const char* name) {
    const char* v = std::getenv(name);
    return v && v[0] == '/' ? std::string(v) : std::string();
}

std::string homeFolder() {
    std::string home = envFolder("HOME");
    if (!home.empty()) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string programFolder() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string exe(buf, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

class BuiltInFolders : public Folders {
public:
    std::string applicationSupport(Domain domain) override {
        return domain == Domain::Local ? StockContentFolder() : UserContentFolder();
    }
    std::string temporaryBase() override {
        for (const char* name : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
            const std::string dir = envFolder(name);
            if (!dir.empty() && FolderExists(dir)) return dir;
        }
        return "/tmp";
    }
};

BuiltInFolders sBuiltIn;
Folders* sCurrent = &sBuiltIn;

} // namespace

Folders& folders() { return *sCurrent; }
void setFolders(Folders* f) { sCurrent = f ? f : &sBuiltIn; }

std::string StockContentFolder() {
    std::string beside = programFolder();
    if (!beside.empty()) beside += "/../share/dovranix";
#ifndef DVX_BUILD_STOCK
#define DVX_BUILD_STOCK ""
#endif
#ifndef DVX_INSTALL_STOCK
#define DVX_INSTALL_STOCK ""
#endif
    for (const std::string& dir : {beside, std::string(DVX_BUILD_STOCK), std::string(DVX_INSTALL_STOCK)})
        if (!dir.empty() && FolderExists(dir)) return dir;
    return {};
}

std::string UserContentFolder() {
    std::string data = envFolder("XDG_DATA_HOME");
    if (data.empty()) data = JoinPath(homeFolder(), ".local/share");
    return JoinPath(data, "dovranix");
}

} // namespace port
