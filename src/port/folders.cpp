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

class BuiltInFolders : public Folders {
public:
    std::string applicationSupport(Domain domain) override {
        if (domain == Domain::Local) return "/usr/local/share/dovranix";
        std::string data = envFolder("XDG_DATA_HOME");
        if (data.empty()) data = JoinPath(homeFolder(), ".local/share");
        return JoinPath(data, "dovranix");
    }
    std::string usersFolder() override { return "/home"; }
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

} // namespace port
