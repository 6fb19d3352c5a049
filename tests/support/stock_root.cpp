#include "support/stock_root.h"

#include <filesystem>

#include "port/folders.h"
#include "support/doubles.h"

namespace dvxtest {

void UseStockRoot(TempFolders& folders, const std::string& stock) {
    namespace fs = std::filesystem;
    const fs::path local = folders.applicationSupport(port::Domain::Local), shared = fs::path(folders.usersFolder()) / "Shared";
    fs::create_directories(local), fs::create_directories(shared);
    for (const fs::path& zelt : {local / "Zelt", shared / "Zelt"}) {
        fs::remove_all(zelt);
        fs::create_directory_symlink(fs::absolute(stock), zelt);
    }
}

}  // namespace dvxtest
