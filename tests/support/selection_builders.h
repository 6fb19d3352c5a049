#pragma once
// Builders for selection and hit-test cases: objects on every plan with points at plan
// positions, walls with a generated solid, and click records. Plan view, zoom 1.
#include <initializer_list>
#include <utility>

#include "model/objects.h"
#include "support/fixture.h"
#include "tracking/click_info.h"

namespace dvxtest {

// Plan positions (H, D) of points.
using PlanPoints = std::initializer_list<std::pair<float, float>>;

// Appends a point at (h, v, d).
Poinz* AddPointAt(Objex* object, float h, float d, float v = 0);
// An object of the type with the points, shown on every plan, bounds stored; appended to the
// layer, or to the parent's children when a parent is given.
Objex* ShapeOn(Layer* layer, int16_t type, PlanPoints points, bool closed = false, int32_t subtype = 0);
Objex* ChildShape(Objex* parent, int16_t type, PlanPoints points, bool closed = false, int32_t subtype = 0);
// A wall with its generated solid (a copy of its outline), so stored-box bounds find it.
Objex* WallOn(Layer* layer, PlanPoints points, bool closed = false);
// A group of the kind holding the given members (each unlinked first), bounds stored.
Objex* GroupOn(Layer* layer, std::initializer_list<Objex*> members, int32_t groupKind = 0);
// Recomputes the stored bounds of the object and its children.
void StoreBoundsDeep(Objex* object);
void SelectAllPoints(Objex* object, uint8_t value = 1);
int SelectedPointCount(const Objex* object);
// A zeroed click record at the view point.
ClickInfo ClickAt(int32_t x, int32_t y);

// A fresh design in plan view at zoom 1 with `floor` its current layer.
class SelectionTest : public DocumentTest {
protected:
    void SetUp() override;
    Layer* floor = nullptr;
};

}  // namespace dvxtest
