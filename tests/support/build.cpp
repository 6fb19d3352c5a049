#include "support/build.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/plant_info.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/projection.h"
#include "model/rebuild_table.h"
#include "model/texture_mapping.h"
#include "model/view_state.h"
#include "model/selection_roster.h"

namespace dvxtest {

namespace {
constexpr int32_t kAllPlans = 0x1FF;
}  // namespace

Poinz* NewPoint(Pt a, Objex* owner) {
    return CreatePoint(1, 0, 0, a.in.h, a.in.v, a.in.d, a.h, a.v, a.d, a.out.h, a.out.v, a.out.d, 0, 0, 0, owner);
}

Poinz* Point(Objex* object, Pt a) {
    Poinz* p = NewPoint(a, object);
    AppendPointToObject(p, object);
    return p;
}

Make::Make(int16_t type, int32_t subtype) {
    RGBColor black;
    FloatRect bounds;
    o = CreateObject(type, 0, 1, &black, &black, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr, nullptr, TypeData{});
    if (o) o->subtype = subtype;
}

Make& Make::on(Layer* layer) {
    AppendObjectToLayer(o, layer);
    return *this;
}
Make& Make::in(Objex* parent) {
    AppendChildToObject(o, parent);
    return *this;
}
Make& Make::closed(bool yes) {
    o->closed = yes ? 1 : 0;
    return *this;
}
Make& Make::shown() {
    o->planBits = kAllPlans;
    return *this;
}
Make& Make::rows(int16_t count) {
    o->rows = count;
    return *this;
}
Make& Make::at(std::initializer_list<Pt> points) {
    for (const Pt& p : points) Point(o, p);
    return *this;
}
Make& Make::plan(PlanPoints points) {
    for (const auto& [h, d] : points) Point(o, {h, 0, d});
    return *this;
}
Make& Make::line(int count, float step) {
    for (int i = 0; i < count; ++i) Point(o, {static_cast<float>(i) * step, 0, 0});
    return *this;
}
Make& Make::stairs(int steps, float step, float h, float d) {
    Poinz* tail = nullptr;
    for (int i = 0; i <= 2 * steps; ++i) {
        const float along = static_cast<float>((i + 1) / 2) * step, up = static_cast<float>(i / 2) * step;
        tail = AppendPointAfter(NewPoint({h + along, 0, d + up}, o), o, tail);
    }
    return *this;
}
Make& Make::grid(int rows, int perRow, float step) {
    o->rows = static_cast<int16_t>(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < perRow; ++c) Point(o, {static_cast<float>(c) * step, 0, static_cast<float>(r) * step});
    return *this;
}
Make& Make::select(uint8_t value) {
    for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = value;
    if (value) NoteSelectionIn(o);
    return *this;
}
Make& Make::with(AttachmentRecord* r) { return set(TypeData::OfAttachment(r)); }
Make& Make::with(RoofAttachmentRecord* r) { return set(TypeData::OfRoofAttachment(r)); }
Make& Make::with(TextData* r) { return set(TypeData::OfText(r)); }
Make& Make::with(DimensionRecord* r) { return set(TypeData::OfDimension(r)); }
Make& Make::with(DimensionTextRecord* r) { return set(TypeData::OfDimensionText(r)); }
Make& Make::with(CabinetState* r) { return set(TypeData::OfCabinet(r)); }
Make& Make::text(const char* words) {
    auto* td = new TextData{};
    td->text = CopyString(words);
    return with(td);
}
Make& Make::solid(Objex* generated) { return set(TypeData::OfWallSolid(generated)); }
Make& Make::panels(Objex* generated) { return set(TypeData::OfRoofPanels(generated)); }
Make& Make::image(const char* path) { return set(TypeData::OfImagePath(CopyString(path))); }
Make& Make::plant(float growthRate, int16_t maximumHeight) {
    o->plantInfo = new PlantInfo{};
    o->plantInfo->annualGrowthRate = growthRate;
    o->plantInfo->maximumGrowthHeight = maximumHeight;
    return *this;
}
Make& Make::set(TypeData t) {
    o->typeData = t;
    return *this;
}
Make& Make::bounds() {
    StoreBoundsDeep(o);
    return *this;
}

Make& Make::asRead() {
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    UpdateObjectBounds(o);
    return *this;
}

Make Outline(int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    Make o(type, subtype);
    o.closed(closed).plan(points)->planBits = 2;
    return o;
}

Objex* Shape(Layer* layer, int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    return Make(type, subtype).closed(closed).shown().plan(points).on(layer).bounds();
}
Objex* Shape(Objex* parent, int16_t type, PlanPoints points, bool closed, int32_t subtype) {
    return Make(type, subtype).closed(closed).shown().plan(points).in(parent).bounds();
}

Objex* Wall(Layer* layer, PlanPoints points, bool closed) {
    Make wall = Make(objtype::kWall).closed(closed).shown().plan(points);
    Objex* solid = Make(objtype::kClosedSolid, objsubtype::kWallSolid).closed().shown().plan(points);
    solid->sourceObject = wall;
    return wall.solid(solid).on(layer).bounds();
}

namespace {
// Records of the file tests: coloured, on the layer's list only when appended.
Objex* Coloured(int16_t type, uint8_t closed, Layer* layer) {
    RGBColor fill{1000, 2000, 3000};
    RGBColor pen{4000, 5000, 6000};
    return CreateObject(type, closed, 1, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
}
void Finish(Objex* o) {
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
    UpdateObjectBounds(o);
}
}  // namespace

TrimRecord* Trim(int seed) {
    TrimRecord* t = new TrimRecord{};
    for (int i = 0; i < 5; ++i) {
        t->texture[i] = 2200 + seed + i;
        t->color[i] = RGBColor{static_cast<uint16_t>(100 + i), 200, static_cast<uint16_t>(300 + seed)};
        t->scale[i][0] = 100;
        t->scale[i][1] = static_cast<uint16_t>(90 + i);
    }
    return t;
}

Objex* TrimmedWall(Layer* layer, int points) {
    Objex* wall = Coloured(objtype::kWall, 0, layer);
    wall->penWidth = 6.0f;
    wall->params[0] = 96.0f;
    wall->params[1] = 16.0f;
    wall->texture2 = 2213;
    wall->texture3 = 2212;
    wall->texture4 = 1801;
    wall->texture5 = 850;
    wall->color2 = RGBColor{11, 12, 13};
    wall->color3 = RGBColor{21, 22, 23};
    wall->color4 = RGBColor{31, 32, 33};
    wall->color5 = RGBColor{41, 42, 43};
    for (int i = 0; i < 5; ++i) wall->textureScales[i] = ShortPoint{static_cast<int16_t>(100 + i), static_cast<int16_t>(50 + i)};
    for (int i = 0; i < points; ++i) {
        Poinz* p = Point(wall, {static_cast<float>((i + 1) / 2 * 100), -96.0f, static_cast<float>(i / 2 * 100)});
        p->trim1 = Trim(i);
        p->trim2 = Trim(10 + i);
        p->segmentValues[0] = 96.0f;
        p->segmentValues[1] = 10.0f;
        p->texture1 = 1700;
        p->texture2 = 1701;
        p->color1 = RGBColor{0x0102, 0x0304, 0x0506};
        p->color2 = RGBColor{0xA1B2, 0xC3D4, 0xE5F6};
    }
    AppendObjectToLayer(wall, layer);
    Finish(wall);
    return wall;
}

Objex* Opening(Objex* wall, int16_t type, int16_t style, int segment) {
    Poinz* a = PointAt(wall, segment);
    Poinz* b = a ? a->next : nullptr;
    if (!a || !b) return nullptr;
    Objex* child = Coloured(type, 0, wall->layer);
    float length = 0, dh = 0, dd = 0;
    const float angle = GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
    for (float along : {10.0f, 40.0f}) {
        GetPointFromLengthAndAngle(angle, along, &dh, &dd);
        Point(child, {a->position[0] + dh, 0, a->position[2] + dd});
    }
    AttachmentRecord* r = new AttachmentRecord{};
    r->ownerType = type;
    r->style = style;
    r->segmentStart = a;
    r->segmentEnd = b;
    r->centreDistance = 25.0f;
    r->remainder = length - 25.0f;
    r->width = 30.0f;
    r->height = 80.0f;
    r->elevation = 2.0f;
    r->sideFlag = 1;
    r->swingOrOffset = 1.5f;
    r->directionFlag = 4;
    r->frameFlag = 1;
    r->trimWidth = 3.0f;
    r->insideTrimTexture = 2218;
    r->insideTrimScale[0] = 100;
    r->insideTrimScale[1] = 80;
    r->insideTrimColor = RGBColor{65535, 1, 2};
    r->outsideTrimTexture = 2219;
    r->outsideTrimScale[0] = 70;
    r->outsideTrimScale[1] = 100;
    r->outsideTrimColor = RGBColor{3, 4, 65535};
    Make(child).with(r);
    AppendChildToObject(child, wall);
    UpdateObjectBounds(child);
    return child;
}

Objex* Attach(Objex* host, int16_t type, Poinz* start, Poinz* end, float centre, float remainder) {
    auto* r = new AttachmentRecord{};
    r->ownerType = type;
    r->segmentStart = start;
    r->segmentEnd = end;
    r->centreDistance = centre;
    r->remainder = remainder;
    return Make(type).with(r).in(host);
}

Objex* RoofWithSkylight(Layer* layer, int16_t style, Objex** skylightOut) {
    Objex* roof = Coloured(objtype::kRoof, 1, layer);
    // A gable of pitch 6 whose P0-P1 slope rises half a unit per unit of depth up to z 200.
    Make(roof).at({{0, 0, 0}, {400, 0, 0}, {400, 0, 400}, {0, 0, 400}});
    objfield::roof::kStyle(*roof) = objfield::roof::kGableStyle;
    objfield::roof::kPitch(*roof) = 6;
    AppendObjectToLayer(roof, layer);
    Finish(roof);

    Objex* sky = Coloured(objtype::kSkylight, 1, layer);
    Make(sky).at({{100, -50, 100}, {140, -50, 100}, {140, -80, 160}, {100, -80, 160}});
    RoofAttachmentRecord* r = new RoofAttachmentRecord{};
    r->ownerType = objtype::kSkylight;
    r->style = style;
    r->width = 40;
    r->length = 60;
    r->trimWidth = 2;
    r->angle = 90;
    r->sectionSubtype = 11;
    r->texture1 = 2218;
    r->textureScale1[0] = r->textureScale1[1] = 100;
    r->color1 = RGBColor{28784, 28784, 28784};
    r->texture2 = 2219;
    r->textureScale2[0] = 90;
    r->textureScale2[1] = 110;
    r->color2 = RGBColor{65535, 65535, 65535};
    r->attachment = sky;
    Make(sky).with(r);
    AppendChildToObject(sky, roof);
    UpdateObjectBounds(sky);
    // Its pieces built (where the roof builder is linked) and the skylight set on the P0-P1 slope.
    rebuild::Run(roof, rebuild::kObjectScopes);
    if (skylightOut) *skylightOut = sky;
    return roof;
}

Objex* Deck(Layer* layer) {
    Objex* deck = Coloured(objtype::kDeck, 1, layer);
    Make(deck).at({{0, -48, 0}, {200, -48, 0}, {200, -48, 200}, {0, -48, 200}});
    AppendObjectToLayer(deck, layer);
    Finish(deck);
    return deck;
}

namespace {
void SetPlane(Objex* o, SectionPlane plane) {
    const float values[5] = {plane.a, plane.b, 1.0f, plane.d, plane.e};
    for (int i = 0; i < 5; ++i) o->sectionPlane[i] = values[i];
}
}  // namespace

Objex* RoofSection(PlanPoints outline, int32_t subtype, SectionPlane plane) {
    Objex* piece = Outline(objtype::kRoofPanel, outline, true, subtype);
    SetPlane(piece, plane);
    UpdateObjectBounds(piece);
    return piece;
}

Objex* SectionedRoof(Layer* layer, std::initializer_list<Objex*> pieces) {
    Objex* head = nullptr;
    FloatRect box = EmptyFloatRect();
    for (Objex* piece : pieces) {
        AppendObjectToList(head, piece, nullptr);  // hung on the roof below
        DoGetObjectBounds(piece, 0, &box, 0, 0);
    }
    Make roof = Make(objtype::kRoof).closed().on(layer).panels(head);
    roof.plan({{box.floatLeft, box.floatTop}, {box.floatRight, box.floatTop}, {box.floatRight, box.floatBottom},
               {box.floatLeft, box.floatBottom}});
    UpdateObjectBounds(roof);
    return roof;
}

Objex* PanelRoof(Layer* layer, PlanPoints outline, SectionPlane plane) {
    Make roof = Outline(objtype::kFreehandRoof, outline, true);
    AppendObjectToLayer(roof, layer);
    Objex* slab = Make(objtype::kPanelSlab);
    SetPlane(slab, plane);
    roof->typeData = TypeData::OfRoofPanels(slab);
    UpdateObjectBounds(roof);
    return roof;
}

Objex* Part(int16_t type) {
    Objex* o = Coloured(type, 1, nullptr);
    Make(o).at({{0, 0, 0}, {5, 0, 0}, {5, 0, 7}});
    Finish(o);
    return o;
}

Objex* Group(Layer* layer, std::initializer_list<Objex*> members, int32_t groupKind) {
    Make group = Make(objtype::kGroup).shown();
    group->groupKind = groupKind;
    for (Objex* m : members) {
        UnlinkObject(m);
        AppendChildToObject(m, group);
    }
    return group.on(layer).bounds();
}

Objex* Cabinet(Layer* layer, int parts) {
    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).with(new CabinetState{}).on(layer);
    for (int i = 0; i < parts; ++i) Make(objtype::kCabinetPart).line(4).in(cabinet)->layer = layer;
    return cabinet;
}

Poinz* PointAt(Objex* object, int index) {
    Poinz* p = object ? object->firstPoint : nullptr;
    for (int i = 0; p && i < index; ++i) p = p->next;
    return p;
}

int CountObjects(const Objex* head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

int CountLayers(const Layer* head) {
    int n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

int CountTree(const Objex* head) {
    int n = 0;
    for (const Objex* o = head; o; o = o->next) n += 1 + CountTree(o->firstChild);
    return n;
}

std::vector<Objex*> ListOf(Objex* head) {
    std::vector<Objex*> v;
    for (Objex* o = head; o; o = o->next) v.push_back(o);
    return v;
}

std::vector<Objex*> PartsOfType(const Objex* owner, int16_t type) {
    std::vector<Objex*> parts;
    for (Objex* p = owner->firstPart; p; p = p->next)
        if (p->type == type) parts.push_back(p);
    return parts;
}

std::vector<uint32_t> ChildIDs(const Objex* host) {
    std::vector<uint32_t> ids;
    for (const Objex* c = host->firstChild; c; c = c->next) ids.push_back(c->objectID);
    return ids;
}

std::vector<std::pair<float, float>> PlanPositions(const Objex* o) {
    std::vector<std::pair<float, float>> out;
    for (const Poinz* p = o->firstPoint; p; p = p->next) out.emplace_back(p->position[0], p->position[2]);
    return out;
}

::testing::AssertionResult PointListWhole(const Objex* o) {
    int32_t n = 0;
    const Poinz* before = nullptr;
    for (const Poinz* p = o->firstPoint; p; before = p, p = p->next, ++n)
        if (p->owner != o || p->prev != before)
            return ::testing::AssertionFailure() << "point " << n << " is linked wrongly";
    if (n != o->pointCount) return ::testing::AssertionFailure() << n << " points, counted " << o->pointCount;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult NearPlanPositions(const Objex* o, const std::vector<std::pair<float, float>>& want,
                                             float tolerance) {
    const std::vector<std::pair<float, float>> got = PlanPositions(o);
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << got.size() << " points, wanted " << want.size();
    for (size_t i = 0; i < got.size(); ++i)
        if (!(std::fabs(got[i].first - want[i].first) <= tolerance &&
              std::fabs(got[i].second - want[i].second) <= tolerance))
            return ::testing::AssertionFailure() << "point " << i << " at (" << got[i].first << ", " << got[i].second
                                                 << "), wanted (" << want[i].first << ", " << want[i].second << ")";
    return ::testing::AssertionSuccess();
}

std::vector<std::pair<float, float>> StairBand(const Objex* stairs, float t) {
    const std::vector<std::pair<float, float>> p = PlanPositions(stairs);
    const size_t n = p.size();
    std::vector<std::pair<float, float>> band;
    for (size_t i = 0; i < n; ++i)
        band.emplace_back(p[i].first + (i == 0 ? 0 : -t), p[i].second + (i == n - 1 ? 0 : t));
    for (size_t i = n; i-- > 0;)
        band.emplace_back(p[i].first + (i == 0 ? 0 : t), p[i].second + (i == n - 1 ? 0 : -t));
    return band;
}

void ExpectPosition(const Poinz* p, float h, float v, float d) {
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->position[0], h);
    EXPECT_FLOAT_EQ(p->position[1], v);
    EXPECT_FLOAT_EQ(p->position[2], d);
}

void ExpectNear(const Poinz* p, float h, float v, float d, float tolerance) {
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->position[0], h, tolerance);
    EXPECT_NEAR(p->position[1], v, tolerance);
    EXPECT_NEAR(p->position[2], d, tolerance);
}

::testing::AssertionResult Near(std::initializer_list<Num> got, std::initializer_list<Num> want,
                                double tolerance) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes differ";
    auto w = want.begin();
    int i = 0;
    for (const Num& n : got) {
        const double g = n.v;
        const bool same = tolerance == kUlps
            ? ::testing::internal::FloatingPoint<float>(float(g)).AlmostEquals(
                  ::testing::internal::FloatingPoint<float>(float(w->v)))
            : std::fabs(g - w->v) <= tolerance;
        if (!same) return ::testing::AssertionFailure() << "value " << i << " is " << g << ", not " << w->v;
        ++w, ++i;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Same(std::initializer_list<const void*> got, std::initializer_list<const void*> want) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes differ";
    auto w = want.begin();
    int i = 0;
    for (const void* g : got) {
        if (g != *w) return ::testing::AssertionFailure() << "pointer " << i << " is " << g << ", not " << *w;
        ++w, ++i;
    }
    return ::testing::AssertionSuccess();
}

void StoreBoundsDeep(Objex* object) {
    if (!object) return;
    for (Objex* c = object->firstChild; c; c = c->next) StoreBoundsDeep(c);
    if (object->type == objtype::kWall && object->typeData.kind == TypeDataKind::WallSolid)
        UpdateObjectBounds(object->typeData.wallSolid);
    UpdateObjectBounds(object);
}

int SelectedPointCount(const Objex* object) {
    int n = 0;
    for (const Poinz* p = object->firstPoint; p; p = p->next) n += p->selected ? 1 : 0;
    for (const Objex* c = object->firstChild; c; c = c->next) n += SelectedPointCount(c);
    return n;
}

void SetView(float xAngle, float yAngle, uint8_t perspective, float viewDistance, float viewFactor) {
    gXViewAngle = xAngle;
    gYViewAngle = yAngle;
    gPerspective = perspective;
    gViewFactor = viewFactor;
    gViewDistance = viewDistance;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(xAngle, yAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, perspective);
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
