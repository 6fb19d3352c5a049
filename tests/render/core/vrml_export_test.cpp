// The scene as a VRML file: its exact text, which plane objects are written in which colour,
// the live view shown for the export, and a failed write.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/files.h"
#include "render/core/live_view_seams.h"
#include "render/core/vrml_export.h"
#include "scene/opening_cutters.h"
#include "support/doubles.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
const std::vector<V3> kTri = {{1.5f, 2, 3.25f}, {-4, 0, 0}, {10.123f, -12, -0.5f}};

class VRMLExportTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp(), RegisterLiveView(true), port::setAlerts(&alerts);
        doc->itsDocState->eyeHeight = 60.6f, doc->itsDocState->lotRect.floatBottom = 1199.5f;
    }
    void TearDown() override { DeleteAllRendererObjects(), SelectionTest::TearDown(); }
    PlaneObject* Piece(uint16_t surfaceKind, uint16_t pieceKind = 10, PlaneObject** list = &gGLPlaneObjects) {
        PlaneObject* p = CreatePlaneObject();
        p->surfaceKind = surfaceKind, p->pieceKind = pieceKind, p->frontColor = p->backColor = {32768, 13107, 52428};
        AddPlane(p, kTri, {0, 0, 1});
        AppendPlaneObjectToList(*list, p);
        return p;
    }
    std::string Export(const std::string& name = "scene.wrl") {
        const std::string path = port::JoinPath(folder, name);
        ExportVRMLFile(path.c_str());
        EXPECT_EQ(gOutDataBuffer.capacity(), 0u);  // released for the design writer
        std::vector<uint8_t> bytes;
        port::ReadWholeFile(path, bytes);
        return {bytes.begin(), bytes.end()};
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    RecordingAlerts alerts;
    std::string folder = FreshTempFolder("vrml");
};

const std::string kHeader = "#VRML V2.0 utf8\nViewpoint {position 0 61 1200}\n";
const std::string kTriangle =
    "Shape {\nappearance Appearance {\nmaterial Material {\nambientIntensity .35\n"
    "diffuseColor 0.50 0.20 0.80\n}\n}\ngeometry IndexedFaceSet {\ncoord Coordinate {\n"
    "point [1.50 -2.00 3.25,\n-4.00 -0.00 0.00,\n10.12 12.00 -0.50]\n}\n"
    "coordIndex [0 1 2 ]\nconvex FALSE\nsolid FALSE\n}\n}\n";

TEST_F(VRMLExportTest, TheTextIsExactAndTheSameUnderADecimalCommaLocale) {
    EXPECT_EQ(Export(), kHeader);  // an empty scene
    Piece(kPlanarSurface);
    EXPECT_EQ(Export(), kHeader + kTriangle);
    // de_DE built from the locale's sources: printf would write "0,50".
    const std::string dir = FreshTempFolder("locale");
    if (std::system(("localedef -i de_DE -f UTF-8 -c " + dir + "/de_DE.UTF-8 >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "no de_DE locale sources";
    setenv("LOCPATH", dir.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr);
    const std::string german = Export();
    std::setlocale(LC_NUMERIC, "C"), unsetenv("LOCPATH");
    EXPECT_EQ(german, kHeader + kTriangle);
}

TEST_F(VRMLExportTest, WhatIsWrittenAndInWhichColour) {
    RGBColor front{65535, 0, 0}, back{0, 65535, 0};
    struct Row {
        uint16_t surface, piece;
        RGBColor *frontLink, *backLink;
        const char* colour;  // null: nothing written
    };
    const Row rows[] = {
        {kPlanarSurface, 10, &front, &back, "1.00 0.00 0.00"},
        {kPlanarSurface, 10, nullptr, &back, "0.00 1.00 0.00"},
        {kPlanarSurface, 10, nullptr, nullptr, "0.00 0.00 1.00"},  // its own second face
        {kShapedWallFace, 10, &front, &back, "0.00 1.00 0.00"},
        {kShapedWallFace, 10, &front, nullptr, "1.00 1.00 0.00"},  // its own first face
        {kUserPlantSurface, 28, nullptr, nullptr, "1.00 1.00 0.00"},
        {kPlantSurface, 28, nullptr, nullptr, nullptr},
        {kPhotoSurface, 131, nullptr, nullptr, nullptr},
        {kShapedWallFace, kOpeningMaskKind, nullptr, nullptr, nullptr},
    };
    for (const Row& row : rows) {
        DeleteAllRendererObjects();
        PlaneObject* p = Piece(row.surface, row.piece);
        p->frontColor = {65535, 65535, 0}, p->backColor = {0, 0, 65535};
        p->frontColorField = row.frontLink, p->backColorField = row.backLink;
        const std::string text = Export();
        EXPECT_EQ(Count(text, "Shape {"), row.colour ? 1u : 0u) << row.surface << " " << row.piece;
        if (row.colour) { EXPECT_EQ(Count(text, std::string("diffuseColor ") + row.colour + "\n"), 1u) << row.colour; }
    }
}

TEST_F(VRMLExportTest, AHiddenLiveViewIsShownWithItsSceneBuiltWhenDueAndClosedAShownOneStays) {
    std::vector<std::string> calls;
    SetShowLiveViewHandler([&] { calls.push_back("show"), gLiveViewPanelVisible = 1; });
    SetCloseLiveViewHandler([&] { calls.push_back("close"), gLiveViewPanelVisible = 0; });
    SetLiveViewDisplayHandler([&] { calls.push_back("display"); });
    HouseWithDoorAndRoof(floor);
    struct Row {
        bool visible, due;
        std::vector<std::string> calls;
    };
    for (const Row& row : {Row{false, true, {"show", "display", "close"}}, Row{false, false, {"show", "display", "close"}},
                           Row{true, true, {}}}) {
        DeleteAllRendererObjects(), calls.clear();
        gLiveViewPanelVisible = row.visible, gRenderOnShow = row.due, gRenderDirty = 0;
        const std::string text = Export();
        const bool built = !row.visible && row.due;
        EXPECT_TRUE(calls == row.calls && gLiveViewPanelVisible == row.visible && gRenderDirty == !row.visible);
        EXPECT_EQ(gGLPlaneObjects != nullptr, built);
        EXPECT_EQ(Count(text, "Shape {"), built ? ExportedPlanes().size() : 0u);
        if (built) { EXPECT_EQ(Count(text, "-1 ]\n"), 4u); }  // the door's two faces, the skylight's
    }
}

TEST_F(VRMLExportTest, AFailedWriteAlertsAndLeavesTheOldFileOrNone) {
    Piece(kPlanarSurface);
    const std::string old = "#VRML V2.0 utf8\n", path = port::JoinPath(folder, "scene.wrl");
    ASSERT_TRUE(port::WriteWholeFile(path, old.data(), old.size()));
    for (auto [failAt, name] : {std::pair{port::WriteStep::Write, "scene.wrl"}, {port::WriteStep::Rename, "scene.wrl"},
                                {port::WriteStep::None, "missing/scene.wrl"}}) {
        alerts.shown.clear(), port::FailNextWriteAt(failAt);
        EXPECT_EQ(Export(name), failAt == port::WriteStep::None ? "" : old);
        EXPECT_EQ(port::ListFolder(folder), (std::vector<std::string>{"scene.wrl"}));
        ASSERT_EQ(alerts.shown.size(), 1u);
        const port::Alert& a = alerts.shown[0].alert;
        EXPECT_EQ(a.message + "|" + a.informative + "|" + a.buttons.at(0),
                  "Unable to export the VRML file.|Please ensure adequate disk space is available and try again.|OK");
    }
}

}  // namespace
