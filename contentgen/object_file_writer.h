// Object files (".POB") of solids, in the layout the program's object file reader takes: a
// version 10000 header, the 680-byte settings block it passes over, one object record per
// solid (a closed, capped grid; coordinates three times their model value) and the end tag.
#pragma once

#include <string>
#include <vector>

#include "solids.h"

namespace contentgen {

// False (after saying why) when the file is not written.
bool WriteObjectFile(const std::string& path, const std::vector<Solid>& solids);

}  // namespace contentgen
