#include "contentgen.h"

namespace contentgen {

bool WriteTrims(const std::string& /*root*/) { return true; }

}  // namespace contentgen
