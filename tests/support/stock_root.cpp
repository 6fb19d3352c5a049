#include "support/stock_root.h"

#include <filesystem>

#include "files/content_folders.h"

namespace dvxtest {

void UseStockRoot(const std::string& stock) {
    namespace fs = std::filesystem;
    // Only the stock folder: the user's stays the test's own, searched first and written to.
    const fs::path folder = LocalDomainApplicationSupportPath();
    if (folder.empty() || fs::is_symlink(folder)) return;
    fs::remove_all(folder);
    fs::create_directories(folder.parent_path());
    fs::create_directory_symlink(fs::absolute(stock), folder);
}

}  // namespace dvxtest
