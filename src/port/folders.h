#pragma once
// The standard folders the program looks in.
#include <string>

namespace port {

enum class Domain { Local, User };

class Folders {
public:
    virtual ~Folders() = default;
    // The program's own folder in each domain: Local holds the stock content that comes with
    // the program (read-only), User the user's own content and what the program writes. Empty
    // when there is none.
    virtual std::string applicationSupport(Domain domain) = 0;
    // The per-user area for temporary files (the runtime folder when there is one).
    virtual std::string temporaryBase() = 0;
};

Folders& folders();
void setFolders(Folders* folders);  // nullptr restores the built-in one

// The stock content folder as Linux programs keep it: "share/dovranix" beside the program's
// own folder (the build tree and an installed copy alike), else the build tree's, else the
// install prefix's; the first that exists, or empty.
std::string StockContentFolder();
// "$XDG_DATA_HOME/dovranix" (XDG_DATA_HOME defaults to ~/.local/share).
std::string UserContentFolder();

} // namespace port
