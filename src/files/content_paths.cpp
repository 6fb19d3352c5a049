#include "files/content_paths.h"

#include "port/files.h"
#include "port/folders.h"
#include "port/session_folders.h"

std::string ApplicationTemporaryPath() {
    const std::string base = port::folders().temporaryBase();
    if (base.empty()) return {};
    return port::JoinPath(base, "com.dedarovozurev.dovranix");
}

bool MakeApplicationTemporaryFolder(std::string* why) {
    const std::string path = ApplicationTemporaryPath();
    if (path.empty()) {
        if (why) *why = "no temporary folder";
        return false;
    }
    return port::MakePrivateFolder(path, why);
}

std::string UndoSnapshotFolder() {
    std::string session = port::SessionFolder();
    return session.empty() ? ApplicationTemporaryPath() : session;
}
