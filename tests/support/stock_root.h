#pragma once
// Tests on the stock content the build generates: the test's standard folders lead to it.
#include <string>

namespace dvxtest {

// Makes the program's stock content folder (under the folders now set) stand for `stock`, a
// generated stock root: it becomes a link to it. The user's folder is left as it is.
void UseStockRoot(const std::string& stock);

}  // namespace dvxtest
