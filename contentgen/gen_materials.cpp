#include "contentgen.h"

namespace contentgen {

bool WriteMaterials(const std::string& /*root*/) { return true; }

}  // namespace contentgen
