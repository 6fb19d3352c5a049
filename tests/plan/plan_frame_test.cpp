// One plan frame as recorded: what is drawn in which order and colour, which objects the
// flags and modes leave out, outlines by rows, culling, fills, the grid and the camera marker.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/trace_image.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/transforms.h"
#include "plan/plan_frame.h"
#include "plan/plan_lines.h"
#include "model/plan_objects.h"
#include "model/color_conversions.h"
#include "tracking/tracking_state.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "support/build.h"

namespace {

using dvxtest::DrawnOp;
using dvxtest::Make;
using dvxtest::Outline;
using Kind = DrawnOp::Kind;
using Coords = std::vector<double>;

constexpr RGBColor kPen{1, 2, 3}, kFloorColor{0, 0, 65535}, kOtherFloors{55255, 55255, 55255};

port::Color Color(const RGBColor& c) { return {c.red / 65535.0f, c.green / 65535.0f, c.blue / 65535.0f, 1}; }

class PlanFrameTest : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f, ds->planScale = 72.0f, ds->penColor = kPen;
        ds->planColors[1] = kFloorColor;
        host.visible = {-1000, -1000, 3000, 3000};
        SetMainWindowDocumentViewHandler([this] { return &view; });
        current = doc->itsCurLayer, other = current->next;
    }
    std::vector<const DrawnOp*> Ops(Kind kind) const {
        std::vector<const DrawnOp*> out;
        for (const auto& op : context.ops) if (op.kind == kind) out.push_back(&op);
        return out;
    }
    // The first point of every stroke, in order.
    Coords Starts() const {
        Coords out;
        for (const auto* op : Ops(Kind::Stroke)) out.insert(out.end(), {op->path.elements()[0].p[0], op->path.elements()[0].p[1]});
        return out;
    }
    void Frame() { view.draw3D({-1000, -1000, 3000, 3000}, drawflag::kAll); }
    void Layers(int32_t flags = drawflag::kAll, const TransformRecord* t = nullptr) {
        const RECT r{};
        DrawAllLayers(nullptr, doc->itsLayers, &r, flags, t);
    }
    DocState* ds = nullptr;
    dvxtest::RecordingContext context;
    port::DrawingScope scope{context};
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
    Layer *current = nullptr, *other = nullptr;
};

TEST_F(PlanFrameTest, FrameDrawsBackgroundImageTopographyGridDecksFloorsThenMarker) {
    ds->backgroundColor = {65535, 0, 0}, ds->topoLinesColor = {0, 65535, 0};
    ds->showGrid = 1, ds->gridStyle = 1, ds->gridSpacing = {30, 30}, ds->lotRect = {0, 0, 100, 100};
    auto* trace = new TraceImage;
    trace->image = {4, 2, std::vector<uint8_t>(24)};
    doc->itsTraceImage = trace, ds->traceImageShown = 1;
    doc->itsTopoLayer = CreateLayer("topo", 1, 1, nullptr);
    Outline(objtype::kTopography, {{0, 0}, {5, 5}}, false).on(doc->itsTopoLayer)->planBits = 128;
    Outline(objtype::kDeck, {{0, 0}, {40, 0}, {40, 40}}).on(other)->planBits = 64;
    Outline(objtype::kFloor, {{1, 1}, {9, 1}, {9, 9}}).on(current);
    Outline(objtype::kFloor, {{2, 2}, {8, 2}, {8, 8}}).on(other);
    doc->itsCur2DLayer = other->next;
    Outline(objtype::kLine, {{3, 3}, {7, 7}}, false).on(doc->itsCur2DLayer);
    Frame();
    std::vector<std::pair<Kind, port::Color>> seen;  // runs of one kind and colour
    for (const auto& op : context.ops) {
        const port::Color c = op.kind == Kind::Image ? port::Color{} : op.kind == Kind::Pattern ? op.patternColor
                              : op.kind == Kind::Fill ? op.state.fill : op.state.stroke;
        if (seen.empty() || seen.back() != std::pair(op.kind, c)) seen.emplace_back(op.kind, c);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<Kind, port::Color>>{
                        {Kind::Fill, Color(ds->backgroundColor)}, {Kind::Image, {}}, {Kind::Stroke, Color(ds->topoLinesColor)},
                        {Kind::TextAt, Color(ds->topoLinesColor)},  // the line's height at its last point
                        {Kind::Segments, Color(ds->gridColor)}, {Kind::Fill, Color(ds->backgroundColor)},
                        {Kind::Pattern, Color(kOtherFloors)}, {Kind::TextAt, Color(kOtherFloors)},  // "DECK"
                        {Kind::Stroke, Color(kOtherFloors)}, {Kind::Stroke, Color(kFloorColor)},
                        {Kind::Fill, Color({})}}));  // the marker last
    EXPECT_EQ(Ops(Kind::Stroke).size(), 1u + 3 + 3 + 3);  // topography, deck, two floors; never the 2D layer
    const port::Rect image = Ops(Kind::Image)[0]->rect;  // centred on the plan origin
    EXPECT_EQ(Coords({image.x, image.y, image.width, image.height}), (Coords{-2, -1, 4, 2}));
    context.ops.clear();
    ds->traceImageShown = 0;
    Frame();
    EXPECT_TRUE(Ops(Kind::Image).empty());
}

TEST_F(PlanFrameTest, FlagsPickSelectedObjectsRedAndTransformedOutlinesAndThePenColourComesBack) {
    Objex* picked = Outline(objtype::kLine, {{0, 0}, {10, 0}}, false).on(current);
    Objex* parent = Outline(objtype::kDeck, {{0, 20}, {10, 20}}, false).on(current);  // never selected by a child
    Objex* child = Outline(objtype::kLine, {{0, 40}, {10, 40}}, false).in(parent);
    Objex* roof = Outline(objtype::kFreehandRoof, {{0, 60}, {10, 60}}, false).on(current);
    Objex* roofChild = Outline(objtype::kLine, {{0, 80}, {10, 80}}, false).in(roof);
    for (Objex* o : {picked, child, roofChild}) o->firstPoint->selected = 1;  // only own points
    gTrackingMouse = 1;  // a roof then counts its children as selected, but not for drawing
    Layers(drawflag::kSelectedOnly);
    EXPECT_EQ(Starts(), (Coords{0, 0, 0, 40, 0, 80}));
    for (int32_t flags : {drawflag::kAll | 4, drawflag::kAll | 8}) {
        context.ops.clear();
        Layers(flags);
        for (const auto* op : Ops(Kind::Stroke)) EXPECT_EQ(op->state.stroke, (port::Color{1, 0, 0, 1}));
        EXPECT_EQ(ds->penColor, kPen);
    }
    // A current-floor wall's child draws in its own plan colour.
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {50, 0}}, false).on(current);
    child = Outline(objtype::kLine, {{0, 10}, {50, 10}}, false).in(wall);
    child->planBits = 1, ds->planColors[0] = {65535, 0, 65535};
    context.ops.clear();
    DrawObject(nullptr, child, nullptr, drawflag::kAll, nullptr);
    EXPECT_EQ(Ops(Kind::Stroke).at(0)->state.stroke, Color(ds->planColors[0]));
    EXPECT_EQ(ds->penColor, kPen);
    DeleteObj(parent), DeleteObj(roof), DeleteObj(wall);
    Outline(objtype::kDeck, {{100, 100}, {140, 100}, {140, 140}}).on(current)->planBits = 64;
    TransformRecord move;
    move.values[xform::kCurrentH] = 5;  // dragged 5 to the right
    context.ops.clear();
    Layers(drawflag::kAll | drawflag::kTranslate, &move);
    EXPECT_TRUE(Ops(Kind::Pattern).empty() && Ops(Kind::Fill).empty());
    EXPECT_EQ(Starts(), (Coords{5, 0, 105, 100, 145, 100, 145, 140}));
}

TEST_F(PlanFrameTest, OutlinesFollowRowsClosingAndType) {
    Objex* solid = Outline(objtype::kClosedSolid, {{0, 0}, {9, 0}, {9, 9}}, true, objsubtype::kWallSolid).on(current);
    solid->sourceObject = Outline(objtype::kWall, {{0, 0}, {9, 0}}).on(current);
    const struct { Objex* object; bool realTime; Coords starts; } rows[] = {
        {Outline(objtype::kQuickWallForm, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}).on(current), false,
         {0, 0, 1, 0, 3, 0, 4, 0}},  // 1-2, 2-3, 4-5, 5-6, not closed
        {Outline(objtype::kPolygon, {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 20}, {9, 20}, {9, 29}, {0, 29}}).rows(2).on(current),
         false, {0, 0, 9, 0, 9, 9, 0, 9, 0, 20, 9, 20, 9, 29, 0, 29, 0, 0, 9, 0, 9, 9, 0, 9}},  // rows, then links
        {solid->sourceObject, false, {}},  // a wall draws nothing itself
        {solid, false, {0, 0}},  // filled and outlined as a region in the plan view
        {solid, true, {0, 0, 9, 0, 9, 9}},  // real time does not read the view: outlined
    };
    const RECT r{};
    for (const auto& row : rows) {
        context.ops.clear();
        gRealTimeDraw = row.realTime;
        DrawObject(nullptr, row.object, &r, drawflag::kAll, nullptr);
        EXPECT_EQ(Starts(), row.starts) << row.object->type << " " << row.realTime;
    }
}

TEST_F(PlanFrameTest, GroupsAreCulledOnScreenOnlyAndStrokeMembersOnce) {
    ASSERT_TRUE(AllocateAcclLineBuffer());
    Objex* group = Make(objtype::kGroup).on(current);
    group->bounds3D = {0, 500, 500, 0, 600, 600};
    group->planBits = 2;
    Outline(objtype::kFentrix, {{500, 500}, {600, 500}, {600, 600}}, false).in(group);
    Outline(objtype::kEdging, {{0, 0}, {10, 0}, {10, 10}}, false).on(current);
    host.needsToDraw = false;
    Layers();
    ASSERT_EQ(Ops(Kind::Segments).size(), 1u);  // the edging alone
    EXPECT_EQ(Ops(Kind::Segments)[0]->state.dash, (Coords{3, 3}));
    gPrinting = 1;
    context.ops.clear();
    Layers();
    ASSERT_EQ(Ops(Kind::Segments).size(), 2u);
    EXPECT_EQ(Ops(Kind::Segments)[0]->points.size(), 4u);  // both member lines in one stroke
    EXPECT_TRUE(Ops(Kind::Segments)[0]->state.dash.empty());
    EXPECT_EQ(gAcclLinePointCount, 0);
}

TEST_F(PlanFrameTest, DecksPreFillPaleOnTheCurrentFloorAndExteriorWallsFillInside) {
    Objex* curved = Outline(objtype::kDeck, {{0, 0}, {40, 0}, {40, 40}}).on(current);
    curved->planBits = 64, curved->firstPoint->outTangent[2] = 20, ds->curveSegments = 4;
    Outline(objtype::kDeck, {{0, 0}, {40, 0}, {40, 40}}).on(other)->planBits = 64;
    ds->planColors[6] = {0, 0, 0};
    Layers();
    const auto fills = Ops(Kind::Pattern);
    ASSERT_EQ(fills.size(), 2u);
    // The curve is filled flattened from a copy that goes again: the deck keeps its 3 points.
    EXPECT_EQ(std::pair(fills[0]->path.elementCount(), curved->pointCount), std::pair(3 + 3 + 2, 3));
    EXPECT_EQ(dvxtest::CountObjects(current->firstObject), 1);
    EXPECT_EQ(fills[0]->patternColor, Color({32768, 32768, 32768}));
    EXPECT_EQ(fills[1]->patternColor, Color(kOtherFloors));
    // Every exterior wall fills inside its outline: one closed round its room, and an open L
    // beside it, whose inside is closed across its open side.
    Outline(objtype::kWall, {{0, 0}, {90, 0}, {90, 90}, {0, 90}, {5, 5}, {85, 5}, {85, 85}, {5, 85}}, true,
            objsubtype::kExteriorWall).rows(2).on(current);
    Outline(objtype::kWall, {{200, 0}, {290, 0}, {290, 90}}, false, objsubtype::kExteriorWall).on(current);
    const struct { uint8_t printing, trace; int16_t tool; size_t fills, dashed; } rows[] = {
        {0, 0, 200, 2, 0}, {1, 0, 200, 0, 0}, {0, 1, 200, 0, 0}, {0, 0, 7050, 2, 1}, {0, 0, 7051, 2, 1}, {1, 0, 7050, 0, 0}};
    for (const auto& row : rows) {
        context.ops.clear();
        gPrinting = row.printing, ds->traceImageShown = row.trace, gCurTool = row.tool;
        Layers();
        std::vector<const DrawnOp*> inside;
        for (const auto* op : Ops(Kind::Fill)) if (op->state.fill == Color(ds->interiorFillColor)) inside.push_back(op);
        size_t dashed = 0;
        for (const auto* op : Ops(Kind::Stroke)) dashed += !op->state.dash.empty();
        EXPECT_EQ(std::pair(inside.size(), dashed > 0), std::pair(row.fills, row.dashed > 0)) << row.tool;
        if (!inside.empty()) { EXPECT_EQ(inside[0]->path.elementCount(), 6); }  // first row's 4 points, back to the first
        if (inside.size() == 2) { EXPECT_EQ(inside[1]->path.elementCount(), 5); }  // the L's 3, closed across
    }
}

TEST_F(PlanFrameTest, PlanColoursAndMembership) {
    const RGBColor kLandscape{7, 7, 7};
    ds->planColors[7] = kLandscape;
    const struct { int16_t type; int32_t subtype, bits; RGBColor colour; int32_t shownUnder; } rows[] = {
        {objtype::kLine, 0, 3, kPen, 1 | 2},
        {objtype::kWall, 0, 0, kFloorColor, 2 | 4 | 8 | 32},
        {objtype::kWall, objsubtype::kExteriorWall, 2, kFloorColor, 2 | 4 | 8 | 32},
        {objtype::kWall, 0, 128, kLandscape, 2 | 4 | 8 | 32 | 128},
    };
    for (const auto& row : rows) {
        Objex* o = Make(row.type, row.subtype).on(current);
        o->planBits = row.bits;
        RGBColor c;
        GetObjectPlanColor(o, &c);
        EXPECT_EQ(c, row.colour) << row.bits;
        int32_t shown = 0;
        for (int plan = 0; plan < 9; ++plan) shown |= IsObjectOnCurrentPlan(o, 1 << plan) << plan;
        EXPECT_EQ(shown, row.shownUnder) << row.type << " " << row.bits;
    }
    RGBColor c{9, 9, 9}, untouched{9, 9, 9};
    doc->itsDocState = nullptr;
    GetObjectPlanColor(current->firstObject, &c);
    doc->itsDocState = ds;
    CurrentDocumentScope none(nullptr);
    GetObjectPlanColor(current->firstObject, &untouched);
    EXPECT_EQ(std::pair(c, untouched), std::pair(RGBColor{0, 16448, 34952}, RGBColor{9, 9, 9}));
}

TEST_F(PlanFrameTest, GridLinesDotsFrameAndUnusableSpacings) {
    ds->showGrid = 1, ds->gridStyle = 1, ds->gridSpacing = {30, 30};
    // Lines as (x1, y1, x2, y2) of the one segment stroke.
    auto lines = [&]() {
        context.ops.clear();
        view.doDraw3D({}, drawflag::kAll);
        const auto grid = Ops(Kind::Segments);
        Coords out;
        if (grid.size() == 1) for (const auto& p : grid[0]->points) out.insert(out.end(), {p.x, p.y});
        return out;
    };
    ds->lotRect = {0, 0, 100, 100};
    EXPECT_EQ(lines(), (Coords{0, 20, 100, 20, 0, 50, 100, 50, 0, 80, 100, 80, 0, 0, 100, 0, 0, 100, 100, 100,
                               20, 0, 20, 100, 50, 0, 50, 100, 80, 0, 80, 100, 0, 0, 0, 100, 100, 0, 100, 100}));
    EXPECT_EQ(Ops(Kind::Segments)[0]->state.stroke, Color(ds->gridColor));
    ds->lotRect = {0, 0, 60, 60};  // twice the spacing: the grid starts on the edges, no extra lines
    EXPECT_EQ(lines().size(), 4u * 2 * 3);
    ds->gridStyle = 0;
    host.visible = {0, 0, 40, 40};
    EXPECT_EQ(lines(), (Coords{0, 0, 0, 1, 30, 0, 30, 1, 0, 30, 0, 31, 30, 30, 30, 31}));
    for (float spacing : {0.0f, NAN, 0.01f, -30.0f})
        for (int16_t style : {0, 1}) {
            ds->gridSpacing = {30, spacing}, ds->gridStyle = style;
            EXPECT_TRUE(lines().empty()) << spacing;  // and it comes back
        }
    ds->gridSpacing = {30, 30}, ds->lotRect = {-1e30f, -1e30f, 1e30f, 1e30f};
    EXPECT_TRUE(lines().empty());  // damaged extents: no grid rather than no end
    ds->lotRect = {0, 0, 60, 60};
    ds->showGrid = 0;
    lines();
    const auto frame = Ops(Kind::Stroke);
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame[0]->state.stroke, Color(kPen));
    EXPECT_EQ(frame[0]->path.elements()[2].p[0], 60);
}

TEST_F(PlanFrameTest, CameraMarkerTurnsWithTheHeadingAndKeepsItsSize) {
    ds->cameraPosition = {100, 100};
    ds->lightOffset = {50, 60};
    const struct { int16_t mode; float heading, zoom; Coords first; } rows[] = {
        {1, 0, 1, {100, 80}}, {1, 90, 1, {80, 100}}, {1, 0, 0.25f, {25, 5}}, {1, 0, 3, {300, 280}},
        {2, 0, 1, {50, 40}},  {0, 0, 3, {150, 160}},
    };
    for (const auto& row : rows) {
        context.ops.clear();
        ds->cameraMode = row.mode, ds->cameraHeading = row.heading, ds->zoomFactor = row.zoom;
        view.drawViewPoint();
        const auto fills = Ops(Kind::Fill);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0]->state.fill, (port::Color{0, 0, 0, 1}));
        const auto& e = (row.mode == 1 ? fills[0] : Ops(Kind::Stroke)[0])->path.elements();
        EXPECT_NEAR(e[0].p[0], row.first[0], 1e-3) << row.mode << " " << row.zoom;
        EXPECT_NEAR(e[0].p[1], row.first[1], 1e-3) << row.mode << " " << row.zoom;
        if (row.mode != 1) { EXPECT_NEAR(e[1].p[1] - e[0].p[1], 40, 1e-3); }
    }
}

TEST(ColourConversions, HueSaturationValueRoundTrips) {
    const struct { RGBColor rgb; uint16_t hsv[3]; } rows[] = {
        {{65535, 0, 0}, {0, 65535, 65535}},     {{0, 65535, 0}, {21845, 65535, 65535}},
        {{0, 0, 65535}, {43690, 65535, 65535}}, {{65535, 0, 65535}, {54613, 65535, 65535}},
        {{0, 0, 0}, {65535, 0, 0}},             {{30000, 30000, 30000}, {65535, 0, 30000}},
    };
    for (const auto& row : rows) {
        uint16_t hsv[3];
        RGBtoHSV(&row.rgb, hsv);
        EXPECT_EQ(std::vector<uint16_t>(hsv, hsv + 3), std::vector<uint16_t>(row.hsv, row.hsv + 3));
        RGBColor back;
        HSVtoRGB(hsv, &back);
        EXPECT_EQ(back, row.rgb);
    }
    const uint16_t fullCircle[3] = {65535, 65535, 65535};  // 360 degrees reads as red
    const RGBColor mixed{10000, 20000, 30000};
    RGBColor red, grey;
    HSVtoRGB(fullCircle, &red), RGBtoLuminance(&mixed, &grey);
    EXPECT_EQ(std::pair(red, grey), std::pair(RGBColor{65535, 0, 0}, RGBColor{18100, 18100, 18100}));
}

}  // namespace
