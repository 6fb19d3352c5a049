#include "support/stock_root.h"

#include <filesystem>

#include "files/content_folders.h"

namespace dvxtest {

void UseStockRoot(const std::string& stock) {
    namespace fs = std::filesystem;
    for (const std::string& textures : {LocalDomainTexturePath(), LocalDomainUserSharedTexturePath()}) {
        const fs::path folder = fs::path(textures).parent_path();
        if (fs::is_symlink(folder)) continue;  // both are one folder
        fs::remove_all(folder);
        fs::create_directories(folder.parent_path());
        fs::create_directory_symlink(fs::absolute(stock), folder);
    }
}

}  // namespace dvxtest
