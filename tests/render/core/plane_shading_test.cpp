// Face shading, the working axis of a polygon, the vertex gradient and the grid surface's
// smoothed colours, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "geometry/openings/working_plane.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/preferences.h"
#include "model/view_layers.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class PlaneShading : public DocumentTest {
protected:
    int32_t shade(float brightness, float nx, float ny, float nz, uint8_t noFloor, int32_t value = 60000) {
        doc->itsDocState->lightIntensity = brightness;
        int32_t saturation = 0;
        ComputeShading(1.0f, nx, ny, nz, &saturation, &value, noFloor);
        return value;
    }
};

TEST_F(PlaneShading, ShadingKeepsAFloorScaledByBrightnessAndNeverBrightens) {
    SetupLights();
    EXPECT_NEAR(gDirectionCosX, 0.0f, 1e-6);
    EXPECT_NEAR(gDirectionCosY, -0.8660254f, 1e-6);
    EXPECT_NEAR(gDirectionCosZ, 1.0f, 1e-6);
    // A face along z is turned to the light (cosine 1), one along x edge-on to it.
    struct Row {
        float brightness, nx, ny, nz;
        uint8_t noFloor;
        int32_t expected;
    } rows[] = {
        {1.2f, 0, 0, 1, 0, 60000},  // factor 1.05: 63000 is cut back to the value
        {1.2f, 1, 0, 0, 0, 37800},            // 60 % of 60000 times 1.05
        {1.0f, 0, 0, 1, 0, 37500},  // factor 0.625
        {1.0f, 1, 0, 0, 0, 22500},
        {1.2f, 1, 0, 0, 1, 0},
        {2.5f, 1, 0, 0, 1, 0},
        {2.5f, 0, -2, 0, 1, 51962},  // unnormalised: 60000 cos 30
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.brightness << " n " << r.nx << "," << r.ny << "," << r.nz);
        EXPECT_NEAR(shade(r.brightness, r.nx, r.ny, r.nz, r.noFloor), r.expected, 1);
    }
    for (float b : {0.5f, 1.2f, 2.5f})
        for (float n : {0.0f, 0.3f, 1.0f}) EXPECT_LE(shade(b, n, -0.5f, 1, 0), 60000);
    // Only the start-up mask's shading bit switches it on; the hide flags do not.
    doc->itsDocState->renderValue = 0;
    gLiveViewOptions &= ~liveviewoption::kGradientShading;
    EXPECT_EQ(shade(1.2f, 1, 0, 0, 1), 60000);
}

TEST(WorkingPlane, TheAxisTheVerticesSpreadLeastAlong) {
    struct Row {
        const char* name;
        std::vector<PolygonVertex> vertices;
        int16_t expected;
    } rows[] = {
        {"horizontal", {{0, 5, 0}, {10, 5, 0}, {10, 5, 10}}, 2},
        {"parallel to x-y", {{0, 0, 3}, {10, 0, 3}, {10, -8, 3}}, 1},
        {"parallel to y-z", {{4, 0, 0}, {4, 0, 10}, {4, -8, 10}}, 3},
        {"a point: y ties first", {{1, 1, 1}, {1, 1, 1}}, 2},
        {"x and z tie below y", {{0, 0, 0}, {0, 10, 0}}, 1},
        {"no vertices", {}, 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DetermineWorkingPlane(r.vertices.data(), int32_t(r.vertices.size())), r.expected) << r.name;
}

TEST_F(PlaneShading, GradientByTypePieceKindAndBaseSubtype) {
    DocState* ds = doc->itsDocState;
    ds->lightValue = 6553.5f;  // f = V / 10 = 6000
    Layer* first = GetFirstFloorLayer();
    ASSERT_NE(first, nullptr);
    first->height = 96;
    Layer* second = CreateLayer("Second Floor", 1, 0, nullptr);
    AppendLayerToDocument(second);
    struct Row {
        const char* name;
        uint16_t type, pieceKind;
        int32_t baseSubtype;  // -1: no base object
        bool onFirst;
        float u, v, y;
        int32_t expected;
        float shade = 0;  // of the piece's source: 0 none
    } rows[] = {
        {"42: half the floor height up", 42, 0, -1, true, 0, 0, -96, 57000},  // 96 in = 192 units
        {"16 door panel", 16, 20, -1, true, 0, 0.5f, 0, 60000},
        {"16 infill", 16, 128, -1, true, 0, 0.5f, 0, 54000},
        {"16 infill shaded 0.95 by its piece", 16, 128, -1, true, 0, 0.5f, 0, 57000, 0.95f},
        {"16 infill whose piece's shade is below 0", 16, 128, -1, true, 0, 0.5f, 0, 54000, -2},
        {"16 other", 16, 5, -1, true, 0, 0.5f, 0, 57000},
        {"0 no base", 0, 0, -1, true, 0, 0.25f, 0, 55500},
        {"0 30000", 0, 0, 30000, true, 0, 0.25f, 0, 58500},
        {"56 30002", 56, 0, 30002, true, 0.5f, 0, 0, 57000},
        {"157 30003", 157, 0, 30003, true, 0.25f, 0, 0, 55500},
        {"33 other subtype", 33, 0, 7, true, 0, 0.25f, 0, 55500},
        {"44", 44, 0, -1, true, 0.5f, 0.5f, 0, 60000},
        {"20 no base", 20, 0, -1, true, 0, 0.25f, 0, 58500},
        {"20 30001", 20, 0, 30001, true, 0, 0.25f, 0, 55500},
        {"20 other subtype", 20, 0, 5, true, 0, 0.25f, 0, 58500},
        {"12 trim", 12, 63, -1, false, 0, 0.25f, 0, 60000},
        {"20 off the first floor counts as 0", 20, 0, -1, false, 0, 0.25f, 0, 55500},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PlaneObject p;
        Objex* owner = Make(int16_t(r.type)).on(r.onFirst ? first : second);
        Objex* base = r.baseSubtype >= 0 ? Make(9, r.baseSubtype).on(first).get() : nullptr;
        p.object3D = owner, p.object3DType = r.type, p.pieceKind = r.pieceKind, p.baseObject = base;
        if (r.shade != 0) {
            p.sourceObject = Make(int16_t(r.pieceKind)).on(first);
            objfield::door_piece::kShade(*p.sourceObject) = r.shade;
        }
        EXPECT_EQ(PlaneGradientValue(&p, ds, 60000, r.u, r.v, 0, r.y), r.expected);
    }

    // The floors are told by name, not by place: a type outside the kept ones (20) counts as 0
    // (55500) except on a layer named "First Floor" or "Third Floor" (58500).
    Layer* third = CreateLayer("Third Floor", 1, 0, nullptr);
    AppendLayerToDocument(third);
    // Renamed in turn: the floors at places 1 and 2 swap names, then the first is renamed.
    struct Named { Layer* layer; const char* name; int32_t expected; };
    for (const Named& r : {Named{first, "First Floor", 58500}, Named{third, "Third Floor", 58500},
                           Named{second, "Third Floor", 58500}, Named{third, "Second Floor", 55500},
                           Named{first, "Ground", 55500}}) {
        SCOPED_TRACE(r.name);
        std::snprintf(r.layer->name, sizeof r.layer->name, "%s", r.name);
        PlaneObject p;
        p.object3D = Make(20).on(r.layer), p.object3DType = 20;
        EXPECT_EQ(PlaneGradientValue(&p, ds, 60000, 0, 0.25f, 0, 0), r.expected);
    }
    std::snprintf(first->name, sizeof first->name, "First Floor");

    PlaneObject dark;
    dark.object3D = Make(20).on(first);
    ds->lightValue = 3 * 65535.0f;
    EXPECT_EQ(PlaneGradientValue(&dark, ds, 60000, 0, 0, 0, 0), 0);
    // ClearView's fill interpolates from the line colour to the background by V'/V.
    ds->renderMode = rendermode::kFilled;
    gClearViewLineColor = {0, 0, 0};
    ds->backgroundColor = {60000, 30000, 0};
    const RGBColor half = GradientColor({}, 60000, 30000, ds), none = GradientColor({}, 60000, 0, ds);
    EXPECT_EQ(half.red, 30000);
    EXPECT_EQ(half.green, 15000);
    EXPECT_EQ(none.red, 60000);
}

// A 4 x 4 grid of cells 10 wide rising 10 per column: every cell faces (1, -1, 0) except the
// last column's, whose run continues into the next row's first point at height 0.
TEST_F(PlaneShading, GridColoursAreFiveByFiveMeansOfEightBitShades) {
    DocState* ds = doc->itsDocState;
    ds->lightIntensity = 1.2f;  // ambient factor 0.35 + 0.65 / 1.5
    ds->lightValue = 40000;
    SetupLights();
    Objex* grid = Make(10, objfield::grid_surface::kSubtype).grid(5, 5).on(GetFirstFloorLayer());
    for (Poinz* p = grid->firstPoint; p; p = p->next) p->position[1] = p->position[0];
    std::vector<RGBColor> colors(25);
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
    SetUpGridPlaneShadingAndTextureList(colors.data(), white, 0, 100, 100, 40, 40, 4, 4, 10, 10, grid);
    // Slope: |(1, -1, 0) / sqrt 2 . (0, -0.866, 1)| 65535 = 40132, times 0.7833 = 31436: 122.
    // Last column: |(-4, -1, 0) / sqrt 17 . light| 65535 = 13765, darkened by the strength to
    // 10727, times 0.7833 = 8402: 32. Column 4 means 6 (or 8) slopes and 3 (or 4) of its own.
    const int expected[4][5] = {
        {122, 122, 122, 122, (6 * 122 + 3 * 32) / 9},
        {122, 122, 122, 122, (8 * 122 + 4 * 32) / 12},
        {122, 122, 122, 122, (8 * 122 + 4 * 32) / 12},
        {122, 122, 122, 122, (6 * 122 + 3 * 32) / 9},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x <= 4; ++x) {
            const RGBColor& c = colors[size_t(y * 5 + x)];
            EXPECT_NEAR(c.red / 257.0, expected[y][x], 1) << x << "," << y;
            EXPECT_EQ(c.red % 257, 0) << "stored widened from 8 bits";
        }
    for (int x = 0; x <= 4; ++x) EXPECT_EQ(colors[size_t(20 + x)].red, 0) << "the last row is not used";

    // A point count that does not match the counts leaves every colour zero.
    std::vector<RGBColor> none(25);
    SetUpGridPlaneShadingAndTextureList(none.data(), white, 0, 100, 100, 40, 40, 4, 3, 10, 10, grid);
    for (const RGBColor& c : none) EXPECT_EQ(c.red | c.green | c.blue, 0);
}

}  // namespace
