// The readers' tables for test programs that link the files and nothing above them.
#include "files/document_files.h"
#include "support/fixture.h"

namespace {
const bool kAdded = (dvxtest::AddTableFiller(RegisterDocumentFileHooks), true);
}  // namespace
