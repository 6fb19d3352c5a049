// The scene as a VRML file: its exact text, what is written of which plane objects, the live
// view shown for the export, and a failed write.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/files.h"
#include "render/core/live_view_seams.h"
#include "render/core/vrml_export.h"
#include "scene/opening_cutters.h"
#include "scene/scene_build.h"
#include "scene/tessellation.h"
#include "support/doubles.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

constexpr RGBColor kRed{65535, 0, 0}, kGreen{0, 65535, 0}, kGrey{32768, 13107, 52428};

class VRMLExportTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        RegisterLiveView(true);
        port::setAlerts(&alerts);
        folder = FreshTempFolder("vrml");
        doc->itsDocState->eyeHeight = 60.6f;
        doc->itsDocState->lotRect.floatBottom = 1199.5f;
    }
    void TearDown() override {
        DeleteAllRendererObjects();
        SelectionTest::TearDown();
    }
    // A scene piece of the surface kind with a plane of the corners, appended to the scene.
    PlaneObject* Piece(uint16_t surfaceKind, const std::vector<V3>& corners, PlaneObject** list = &gGLPlaneObjects) {
        PlaneObject* p = CreatePlaneObject();
        p->surfaceKind = surfaceKind;
        p->frontColor = p->backColor = kGrey;
        if (!corners.empty()) AddPlane(p, corners, {0, 0, -0.5f});
        AppendPlaneObjectToList(*list, p);
        return p;
    }
    std::string Export(const std::string& name = "scene.wrl") {
        const std::string path = port::JoinPath(folder, name);
        ExportVRMLFile(path.c_str());
        EXPECT_TRUE(gOutDataBuffer.empty() && gOutDataBuffer.capacity() == 0);
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
    std::string folder;
};

const std::string kHeader = "#VRML V2.0 utf8\nViewpoint {position 0 61 1200}\n";
const std::string kTriangle =
    "Shape {\nappearance Appearance {\nmaterial Material {\nambientIntensity .35\n"
    "diffuseColor 0.50 0.20 0.80\n}\n}\ngeometry IndexedFaceSet {\ncoord Coordinate {\n"
    "point [1.50 -2.00 3.25,\n-4.00 -0.00 0.00,\n10.12 12.00 -0.50]\n}\n"
    "coordIndex [0 1 2 ]\nconvex FALSE\nsolid FALSE\n}\n}\n";

// printf's decimal comma under de_DE, from the locale's own sources (false when they are missing).
bool UseGermanNumbers() {
    const std::string dir = FreshTempFolder("locale");
    const std::string make = "localedef -i de_DE -f UTF-8 -c " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return false;
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) return false;
    char text[16];
    std::snprintf(text, sizeof text, "%0.2f", 0.5);
    return std::string(text) == "0,50";
}

TEST_F(VRMLExportTest, TheTextIsExactAndTheSameUnderADecimalCommaLocale) {
    EXPECT_EQ(Export(), kHeader);  // an empty scene
    Piece(kPlanarSurface, {{1.5f, 2, 3.25f}, {-4, 0, 0}, {10.123f, -12, -0.5f}});
    EXPECT_EQ(Export(), kHeader + kTriangle);
    if (!UseGermanNumbers()) GTEST_SKIP() << "no de_DE locale sources";
    const std::string german = Export();
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
    EXPECT_EQ(german, kHeader + kTriangle);
}

TEST_F(VRMLExportTest, TheShapeColourFollowsTheLinksThenTheFaceOfItsKind) {
    RGBColor front = kRed, back = kGreen;
    struct Row {
        uint16_t kind;
        RGBColor* frontLink;
        RGBColor* backLink;
        const char* colour;
    };
    const Row rows[] = {
        {kPlanarSurface, &front, &back, "1.00 0.00 0.00"},
        {kPlanarSurface, nullptr, &back, "0.00 1.00 0.00"},
        {kPlanarSurface, nullptr, nullptr, "0.00 0.00 1.00"},  // its own second face
        {kShapedWallFace, &front, &back, "0.00 1.00 0.00"},
        {kShapedWallFace, &front, nullptr, "1.00 1.00 0.00"},  // its own first face
    };
    for (const Row& row : rows) {
        DeleteAllRendererObjects();
        PlaneObject* p = Piece(row.kind, {{0, 0, 0}, {1, 0, 0}, {1, -1, 0}});
        p->frontColor = {65535, 65535, 0}, p->backColor = {0, 0, 65535};
        p->frontColorField = row.frontLink, p->backColorField = row.backLink;
        EXPECT_EQ(Count(Export(), std::string("diffuseColor ") + row.colour + "\n"), 1u) << row.colour;
    }
}

TEST_F(VRMLExportTest, PlantsOfKindNineAndFacesWithTheirTrimsAreWrittenButNotOtherPlantsPhotosOrMasks) {
    const std::vector<V3> tri = {{0, 0, 0}, {1, 0, 0}, {1, -1, 0}};
    struct Row {
        uint16_t surfaceKind, pieceKind;
        size_t shapes;
    };
    const Row rows[] = {{kUserPlantSurface, 28, 1}, {kPlantSurface, 28, 0}, {kPhotoSurface, 131, 0},
                        {kPlanarSurface, kOpeningMaskKind, 0}, {kPlanarSurface, 10, 1}};
    for (const Row& row : rows) {
        DeleteAllRendererObjects();
        Piece(row.surfaceKind, tri)->pieceKind = row.pieceKind;
        EXPECT_EQ(Count(Export(), "Shape {"), row.shapes) << row.surfaceKind << " " << row.pieceKind;
    }
    // A face of two planes (one without corners) with a trim, then a face without planes.
    DeleteAllRendererObjects();
    PlaneObject* face = Piece(kShapedWallFace, tri);
    AddPlane(face, {{0, 0, 0}, {1, 0, 0}, {1, -1, 0}, {0, -1, 0}}, {0, 0, 1});
    AppendPlane(nullptr, 0, 0, 0, 1, face);
    face->frontColor = kRed;
    Piece(kShapedWallFace, tri, &face->trims)->frontColor = kGreen;
    Piece(kShapedWallFace, {});
    const std::string text = Export();
    EXPECT_EQ(Count(text, "Shape {"), 3u);
    EXPECT_EQ(Count(text, "coordIndex [0 1 2 3 ]\n"), 1u);
    EXPECT_LT(text.rfind("1.00 0.00 0.00"), text.find("0.00 1.00 0.00"));
}

TEST_F(VRMLExportTest, AWallWithADoorIsWrittenWithItsHoleAndNoMaskShape) {
    Objex* wall = nullptr;
    HouseWithDoorAndRoof(floor, &wall);
    ShowLiveView(), RenderAllLayers();
    const std::vector<ExportedPlane> planes = ExportedPlanes();
    const auto masked = std::count_if(planes.begin(), planes.end(), [](const ExportedPlane& p) { return p.masked; });
    ASSERT_EQ(masked, 4);  // both faces of the door's segment, the roof's slope and its underside
    const std::string text = Export();
    EXPECT_EQ(Count(text, "Shape {"), planes.size());
    EXPECT_EQ(Count(text, "-1 ]\n"), 4u);  // as triangles
    EXPECT_EQ(Count(text, "Shape {"), Count(text, "convex FALSE\nsolid FALSE\n}\n}\n"));
}

TEST_F(VRMLExportTest, AHiddenLiveViewIsShownBuiltAndClosedForTheExportAndAShownOneStays) {
    std::vector<std::string> calls;
    SetShowLiveViewHandler([&] { calls.push_back("show"), gLiveViewPanelVisible = 1; });
    SetCloseLiveViewHandler([&] { calls.push_back("close"), gLiveViewPanelVisible = 0; });
    SetLiveViewDisplayHandler([&] { calls.push_back("display"); });
    HouseWithDoorAndRoof(floor);
    struct Row {
        bool visible, due;
        std::vector<std::string> calls;
        bool built;
    };
    const Row rows[] = {
        {false, true, {"show", "display", "close"}, true},
        {false, false, {"show", "display", "close"}, false},  // nothing changed since the last build
        {true, true, {}, false},
    };
    for (const Row& row : rows) {
        DeleteAllRendererObjects(), calls.clear();
        gLiveViewPanelVisible = row.visible, gRenderOnShow = row.due, gRenderDirty = 0;
        const std::string text = Export();
        EXPECT_EQ(calls, row.calls);
        EXPECT_EQ(gLiveViewPanelVisible, row.visible);
        EXPECT_EQ(gRenderDirty, !row.visible);
        EXPECT_EQ(gGLPlaneObjects != nullptr, row.built);
        EXPECT_EQ(Count(text, "Shape {") > 0, row.built);
    }
}

TEST_F(VRMLExportTest, AFailedWriteAlertsAndLeavesTheOldFileOrNone) {
    Piece(kPlanarSurface, {{0, 0, 0}, {1, 0, 0}, {1, -1, 0}});
    const std::string old = "#VRML V2.0 utf8\n# the one before\n", path = port::JoinPath(folder, "scene.wrl");
    ASSERT_TRUE(port::WriteWholeFile(path, old.data(), old.size()));
    struct Row {
        port::WriteStep failAt;
        std::string path;
        bool exists;
    };
    const Row rows[] = {{port::WriteStep::Write, "scene.wrl", true},
                        {port::WriteStep::Rename, "scene.wrl", true},
                        {port::WriteStep::None, "missing/scene.wrl", false}};
    for (const Row& row : rows) {
        alerts.shown.clear();
        port::FailNextWriteAt(row.failAt);
        const std::string text = Export(row.path);
        EXPECT_EQ(text, row.exists ? old : "");
        EXPECT_EQ(port::ListFolder(folder), (std::vector<std::string>{"scene.wrl"}));
        ASSERT_EQ(alerts.shown.size(), 1u);
        EXPECT_EQ(alerts.shown[0].alert.message, "Unable to export the VRML file.");
        EXPECT_EQ(alerts.shown[0].alert.informative, "Please ensure adequate disk space is available and try again.");
        EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"OK"}));
    }
    // No document or no path: nothing written, nothing shown.
    alerts.shown.clear();
    ExportVRMLFile(nullptr), ExportVRMLFile("");
    gCurDocument = nullptr;
    Export("none.wrl");
    gCurDocument = doc;
    EXPECT_TRUE(alerts.shown.empty() && !port::FileExists(port::JoinPath(folder, "none.wrl")));
}

}  // namespace
