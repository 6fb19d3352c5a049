#include "contentgen.h"

namespace contentgen {

bool WritePowerTools(const std::string& /*root*/) { return true; }

}  // namespace contentgen
