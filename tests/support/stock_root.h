#pragma once
// Tests on the stock content the build generates: the test's standard folders lead to it.
#include <string>

namespace dvxtest {

class TempFolders;

// Makes the program's content folder, the system one and the shared one alike, stand for
// `stock` (a generated stock root): each becomes a link to it.
void UseStockRoot(TempFolders& folders, const std::string& stock);

}  // namespace dvxtest
