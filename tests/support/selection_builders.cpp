#include "support/selection_builders.h"

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/model_builders.h"

namespace dvxtest {

namespace {
constexpr int32_t kAllPlans = 0x1FF;

Objex* Shape(int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    Objex* o = NewObject(type, subtype);
    o->closed = closed ? 1 : 0;
    o->planBits = kAllPlans;
    for (const auto& [h, d] : points) AddPointAt(o, h, d);
    return o;
}
}  // namespace

Poinz* AddPointAt(Objex* object, float h, float d, float v) {
    Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, object);
    AppendPointToObject(p, object);
    return p;
}

void StoreBoundsDeep(Objex* object) {
    if (!object) return;
    for (Objex* c = object->firstChild; c; c = c->next) StoreBoundsDeep(c);
    if (object->type == objtype::kWall && object->typeData.kind == TypeDataKind::WallSolid)
        UpdateObjectBounds(object->typeData.wallSolid);
    UpdateObjectBounds(object);
}

Objex* ShapeOn(Layer* layer, int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    Objex* o = Shape(type, points, closed, subtype);
    AppendObjectToLayer(o, layer);
    StoreBoundsDeep(o);
    return o;
}

Objex* ChildShape(Objex* parent, int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    Objex* o = Shape(type, points, closed, subtype);
    AppendChildToObject(o, parent);
    StoreBoundsDeep(o);
    return o;
}

Objex* WallOn(Layer* layer, PlanPoints points, bool closed) {
    Objex* wall = Shape(objtype::kWall, points, closed, 0);
    Objex* solid = Shape(objtype::kClosedSolid, points, true, objsubtype::kWallSolid);
    solid->sourceObject = wall;
    wall->typeData = TypeData::OfWallSolid(solid);
    AppendObjectToLayer(wall, layer);
    StoreBoundsDeep(wall);
    return wall;
}

Objex* GroupOn(Layer* layer, std::initializer_list<Objex*> members, int32_t groupKind) {
    Objex* group = NewObject(objtype::kGroup);
    group->planBits = kAllPlans;
    group->groupKind = groupKind;
    for (Objex* m : members) {
        UnlinkObject(m);
        AppendChildToObject(m, group);
    }
    AppendObjectToLayer(group, layer);
    StoreBoundsDeep(group);
    return group;
}

void SelectAllPoints(Objex* object, uint8_t value) {
    for (Poinz* p = object->firstPoint; p; p = p->next) p->selected = value;
}

int SelectedPointCount(const Objex* object) {
    int n = 0;
    for (const Poinz* p = object->firstPoint; p; p = p->next) n += p->selected ? 1 : 0;
    for (const Objex* c = object->firstChild; c; c = c->next) n += SelectedPointCount(c);
    return n;
}

ClickInfo ClickAt(int32_t x, int32_t y) {
    ClickInfo click;
    click.ciWhere = POINT{x, y};
    return click;
}

void SelectionTest::SetUp() {
    DocumentTest::SetUp();
    CurrentDocState()->zoomFactor = 1.0f;
    floor = doc->itsCurLayer;
}

}  // namespace dvxtest
