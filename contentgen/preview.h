// A preview picture of solids: a three-quarter view from the front left and above, faces
// shaded by their slope to one light, drawn back to front on white.
#pragma once

#include <QImage>
#include <vector>

#include "solids.h"

namespace contentgen {

QImage PreviewOf(const std::vector<Solid>& solids, int pixels);

}  // namespace contentgen
