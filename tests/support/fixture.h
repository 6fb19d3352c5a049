#pragma once
// Base fixture of the logic tests: every case starts from fresh platform services (and, once
// the model exists, a fresh current document) and leaves no global behind.
#include <gtest/gtest.h>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QMDDocumentModel;

namespace dvxtest {

// Puts every global of the program back to its start-up state, then fills the tables start-up
// fills (rebuilds, command rows, document file hooks) as far as the test program links them.
void ResetAllGlobals();

// Adds what fills the start-up tables of a rank after every reset. Each rank's support library
// adds its own from a static initializer (support/tables/), so a test program of the model
// fills none and one linking the whole logic fills all (RegisterLogicTables).
void AddTableFiller(void (*fill)());

// A fresh, empty folder under the build tree for one test case.
std::string FreshTempFolder(const std::string& name);
// Every file below `root`, by its path below it, with its bytes.
std::map<std::string, std::vector<uint8_t>> FilesBelow(const std::string& root);

class TempFolders;

// Each case gets a new design as `gCurDocument` (in `doc`), with the standard folders inside
// its own temporary folder; TearDown frees the model unless the case already did (set `doc`
// to null after freeing it).
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest();
    ~DocumentTest() override;
    void SetUp() override;
    void TearDown() override;

    QMDDocumentModel* doc = nullptr;
    std::unique_ptr<TempFolders> folders;
};

} // namespace dvxtest
