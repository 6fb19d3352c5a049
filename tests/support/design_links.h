#pragma once
// The walk behind the design check's links (design_check.h, `DesignWhole`), without gtest, so
// the fuzz targets run it after every read and stop on what it finds.
#include <string>
#include <vector>

class QMDDocumentModel;

namespace dvxtest {

// Every broken link of the design, each naming the object's type and ID and its layer: a
// descendant of a top-level object (its children, generated parts, trim profiles, the objects
// its attachment or roof attachment record holds, its wall solid or roof panels) naming a layer
// other than its root's; parent, child, next or prev links that do not agree both ways; a
// built plan index that does not hold exactly its layer's top-level objects; an object of a
// layer of the design that the selection roster names outside the layer's list. Empty when
// whole.
std::vector<std::string> DesignLinkFaults(const QMDDocumentModel* doc);

}  // namespace dvxtest
