#pragma once
// The standard folders the program looks in.
#include <string>

namespace port {

enum class Domain { Local, User };

class Folders {
public:
    virtual ~Folders() = default;
    // Where shared (Local) or per-user (User) application data lives.
    virtual std::string applicationSupport(Domain domain) = 0;
    // The folder that holds the users' home folders.
    virtual std::string usersFolder() = 0;
    // The per-user area for temporary files (the runtime folder when there is one).
    virtual std::string temporaryBase() = 0;
};

Folders& folders();
void setFolders(Folders* folders);  // nullptr restores the built-in one

} // namespace port
