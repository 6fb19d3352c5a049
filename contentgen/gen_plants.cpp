#include "contentgen.h"

namespace contentgen {

bool WritePlants(const std::string& /*root*/) { return true; }

}  // namespace contentgen
