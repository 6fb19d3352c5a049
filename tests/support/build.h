#pragma once
// The one way tests build model records: `Make` for an object of any type with its points,
// record and links, and a few shapes that recur (walls with openings, roofs with skylights,
// decks, groups). Everything is numbered by the current document.
//
//   Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
//   Objex* door = Opening(wall, objtype::kDoor, 500, 0);
//   Objex* box = Make(9).on(floor).closed().at({{0, 0, 0}, {5, 0, 0}, {5, 0, 7}});
//   Objex* curve = Make(objtype::kLine).at({{0, 0, 0, {}, {10, 0, 0}}, {50, 0, 0}});
//   Objex* g = Group(floor, {Group(floor, {a, b}), c});
//   Objex* deck = Outline(objtype::kDeck, {{0, 0}, {40, 0}, {40, 40}}).on(floor);
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/objects.h"
#include "support/fixture.h"
#include "model/click_info.h"

namespace dvxtest {

struct V3 {
    float h = 0, v = 0, d = 0;
};
// A point at (H, V, D) with, on curves, its in- and out-tangents relative to it.
struct Pt {
    float h = 0, v = 0, d = 0;
    V3 in{}, out{};
};
// Plan positions (H, D) of points at V = 0.
using PlanPoints = std::initializer_list<std::pair<float, float>>;

// Appends a point; the point.
Poinz* Point(Objex* object, Pt at);
// A point on no object's list yet (owner as given).
Poinz* NewPoint(Pt at, Objex* owner = nullptr);

class Make {
public:
    // A new unlinked object of the type with plain style (black, pen 1, style 6).
    explicit Make(int16_t type, int32_t subtype = 0);
    // Goes on building an existing object.
    explicit Make(Objex* existing) : o(existing) {}

    Make& on(Layer* layer);          // appended to the layer
    Make& in(Objex* parent);         // the parent's last child (its layer link left alone)
    Make& closed(bool yes = true);
    Make& shown();                   // on every plan
    Make& rows(int16_t count);
    Make& at(std::initializer_list<Pt> points);
    Make& plan(PlanPoints points);
    Make& line(int count, float step = 10);  // `count` points at (i * step, 0, 0)
    // `rows` rows of `perRow` points at (column * step, 0, row * step).
    Make& grid(int rows, int perRow, float step = 10);
    // 2 * steps + 1 points climbing from (h, 0, d): `step` along +H, then `step` along +D.
    Make& stairs(int steps, float step, float h, float d);
    Make& select(uint8_t value = 1);  // every point
    // The type's record (owned by the object from now on).
    Make& with(AttachmentRecord* record);
    Make& with(RoofAttachmentRecord* record);
    Make& with(TextData* record);
    Make& with(DimensionRecord* record);
    Make& with(DimensionTextRecord* record);
    Make& with(CabinetState* record);
    Make& text(const char* words);   // a text record holding a copy of the words
    Make& solid(Objex* generated);   // a wall's generated solid
    Make& panels(Objex* generated);  // a roof's generated panels
    Make& image(const char* path);   // photos and user plants
    // A plant record: growth rate in percent a year, maximum height in inches.
    Make& plant(float growthRate = 0, int16_t maximumHeight = 0);
    Make& bounds();                  // of it and its children, stored
    Make& asRead();                  // texture coordinates, lengths and bounds as a read leaves them

    operator Objex*() const { return o; }
    Objex* operator->() const { return o; }
    Objex* get() const { return o; }

private:
    Make& set(TypeData t);
    Objex* o;
};

// An outline on the floor plan alone (plan bits 2) through the plan positions, not yet linked:
//   Outline(objtype::kFloor, {{0, 0}, {9, 0}, {9, 9}}).on(floor);
Make Outline(int16_t type, PlanPoints points, bool closed = true, int32_t subtype = 0);
// An object shown on every plan with points at the plan positions and stored bounds, on the
// layer or as the parent's last child.
Objex* Shape(Layer* layer, int16_t type, PlanPoints points, bool closed = false, int32_t subtype = 0);
Objex* Shape(Objex* parent, int16_t type, PlanPoints points, bool closed = false, int32_t subtype = 0);
// A wall with its generated solid (a copy of its outline), so stored-box bounds find it.
Objex* Wall(Layer* layer, PlanPoints points, bool closed = false);
// A straight wall through (0,0), (100,0), (100,100), ... at V -96, both trim records on every
// point, materials in every slot.
Objex* TrimmedWall(Layer* layer, int points);
// A trim record whose values follow from the seed.
TrimRecord* Trim(int seed);
// A door or window 30 wide with two points and every field of its record set, centred 25 from
// the start of the segment from point `segment` of the wall.
Objex* Opening(Objex* wall, int16_t type, int16_t style, int segment);
// A bare attachment (no points) on the segment from `start` to `end` of the host.
Objex* Attach(Objex* host, int16_t type, Poinz* start, Poinz* end, float centre = 0, float remainder = 0);
// A 400 x 400 gable roof (pitch 6, V 0) with its pieces built (through the rebuild table) and a skylight child of the
// style fitted on its P0-P1 slope (V = -D / 2) over (100, 100)-(140, 160).
Objex* RoofWithSkylight(Layer* layer, int16_t style, Objex** skylight = nullptr);
// A roof section's plane: V = d - (a H + b D) - e on a section with c = 1.
struct SectionPlane {
    float a = 0, b = 0, d = 0, e = 0;
};
// A type-32 roof piece of the subtype over the closed outline, carrying the plane.
Objex* RoofSection(PlanPoints outline, int32_t subtype, SectionPlane plane);
// A type-14 roof on the layer over the pieces' outline whose generated pieces they are.
Objex* SectionedRoof(Layer* layer, std::initializer_list<Objex*> pieces);
// A freehand roof (57) over the outline whose generated slab (59) carries the plane.
Objex* PanelRoof(Layer* layer, PlanPoints outline, SectionPlane plane);
// A closed four-point deck at V -48.
Objex* Deck(Layer* layer);
// A closed three-point profile or part of the type, unlinked.
Objex* Part(int16_t type);
// A group of the kind holding the members (each unlinked first), bounds stored.
Objex* Group(Layer* layer, std::initializer_list<Objex*> members, int32_t groupKind = 0);
// A cabinet group with its state and `parts` four-point cabinet parts.
Objex* Cabinet(Layer* layer, int parts);

// --- looking at what was built ---

Poinz* PointAt(Objex* object, int index);  // 0-based, or null
int CountObjects(const Objex* head);
int CountLayers(const Layer* head);
int CountTree(const Objex* head);          // a list and its descendants
std::vector<Objex*> ListOf(Objex* head);
std::vector<Objex*> PartsOfType(const Objex* owner, int16_t type);  // its generated parts of that type
std::vector<uint32_t> ChildIDs(const Objex* host);
std::vector<std::pair<float, float>> PlanPositions(const Objex* o);
// Every point is the object's, each `prev` is the point before it, and they number `pointCount`.
::testing::AssertionResult PointListWhole(const Objex* o);
// The object's plan positions, in order, each within `tolerance` of the wanted one.
::testing::AssertionResult NearPlanPositions(const Objex* o, const std::vector<std::pair<float, float>>& want,
                                             float tolerance);
// The band `t` to each side of stairs made by Make::stairs, worked by hand: every inner corner
// moves t across both its segments, so side 8 (right of the climb) runs at (-t, +t) and, back,
// side 7 at (+t, -t); the ends move square to their own segments.
std::vector<std::pair<float, float>> StairBand(const Objex* stairs, float t);
void ExpectPosition(const Poinz* p, float h, float v, float d);
void ExpectNear(const Poinz* p, float h, float v, float d, float tolerance = 1e-3f);
void StoreBoundsDeep(Objex* object);
int SelectedPointCount(const Objex* object);
// Each value against the wanted one: exactly, within `tolerance`, or as EXPECT_FLOAT_EQ with kUlps.
//   EXPECT_TRUE(Near({x, y, z}, {10, 20, -5}, 1e-5));
inline constexpr double kUlps = -1;
struct Num {
    template <class T>
        requires std::is_arithmetic_v<T> || std::is_enum_v<T>
    Num(T value) : v(static_cast<double>(value)) {}
    double v;
};
::testing::AssertionResult Near(std::initializer_list<Num> got, std::initializer_list<Num> want,
                                double tolerance = 0);
// Each pointer is the wanted one:  EXPECT_TRUE(Same({a->next, b->prev}, {b, a}));
::testing::AssertionResult Same(std::initializer_list<const void*> got, std::initializer_list<const void*> want);

// --- views and clicks ---

// The view at the angles about the origin, with or without perspective.
void SetView(float xAngle, float yAngle, uint8_t perspective = 0, float viewDistance = 0, float viewFactor = 1.0f);
// Seen from above: the 2D box spans H across and D down.
inline void SetPlanView() { SetView(90, 0); }
// A zeroed click record at the view point.
ClickInfo ClickAt(int32_t x, int32_t y);

// A fresh design in plan view at zoom 1 with `floor` its current layer.
class SelectionTest : public DocumentTest {
protected:
    void SetUp() override;
    // Plan position of the i-th point.
    static float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    static float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }
    Layer* floor = nullptr;
};

}  // namespace dvxtest
