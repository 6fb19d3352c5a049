// Every table start-up fills, for test programs that link the whole logic.
#include "app/core/startup.h"
#include "support/fixture.h"

namespace {
const bool kAdded = (dvxtest::AddTableFiller(RegisterLogicTables), true);
}  // namespace
