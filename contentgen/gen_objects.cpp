#include "contentgen.h"

namespace contentgen {

bool WriteObjects(const std::string& /*root*/) { return true; }

}  // namespace contentgen
