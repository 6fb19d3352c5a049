#pragma once
// Base fixture of the logic tests: every case starts from fresh platform services (and, once
// the model exists, a fresh current document) and leaves no global behind.
#include <gtest/gtest.h>
#include <string>

namespace dvxtest {

// Puts every global of the program back to its start-up state.
void ResetAllGlobals();

// A fresh, empty folder under the build tree for one test case.
std::string FreshTempFolder(const std::string& name);

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace dvxtest
