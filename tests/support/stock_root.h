#pragma once
// Tests on the stock content the build generates: the test's standard folders lead to it.
#include <string>

namespace dvxtest {

// Makes the program's content folders, the system one and the shared one alike (the folders
// that hold "Textures", under the folders now set), stand for `stock`, a generated stock root:
// each becomes a link to it.
void UseStockRoot(const std::string& stock);

}  // namespace dvxtest
