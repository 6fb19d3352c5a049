// File > Export VRML in the running program: a path typed into the save panel gets the scene,
// which an independent reader (Coin3D) reads back: one shape per exported plane with its corners
// (height up) and colour, the scene's extent, and the openings open. The live view shown for the
// export is closed again. The window is kept as vrml-export.png.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLAppearance.h>
#include <Inventor/VRMLnodes/SoVRMLCoordinate.h>
#include <Inventor/VRMLnodes/SoVRMLIndexedFaceSet.h>
#include <Inventor/VRMLnodes/SoVRMLMaterial.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>

#include "app/app_controller.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/files.h"
#include "render/core/live_view_seams.h"
#include "scene/scene_build.h"
#include "scene/tessellation.h"
#include "support/scene_checks.h"
#include "window/window_support.h"

namespace {

QString gShot;

SbVec3f Up(const PlaneVertex& v) { return SbVec3f(v.H, -v.V, v.D); }

// Each shape against the plane it was written for; how many were faces with holes.
int ExpectShapesOfPlanes(const SoPathList& shapes, const std::vector<dvxtest::ExportedPlane>& planes) {
    int holes = 0;
    for (size_t i = 0; i < planes.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [piece, plane, masked] = planes[i];
        auto* shape = static_cast<SoVRMLShape*>(shapes[int(i)]->getTail());
        auto* faces = static_cast<SoVRMLIndexedFaceSet*>(shape->geometry.getValue());
        auto* appearance = static_cast<SoVRMLAppearance*>(shape->appearance.getValue());
        const SbColor diffuse = static_cast<SoVRMLMaterial*>(appearance->material.getValue())->diffuseColor.getValue();
        const bool planar = piece->surfaceKind == kPlanarSurface;  // the model's colour, else the face's
        const RGBColor c = planar && piece->frontColorField ? *piece->frontColorField
                           : piece->backColorField          ? *piece->backColorField
                           : planar                         ? piece->backColor
                                                            : piece->frontColor;
        EXPECT_LT((diffuse - SbColor(c.red / 65535.f, c.green / 65535.f, c.blue / 65535.f)).length(), 0.01f);
        const SoMFVec3f& points = static_cast<SoVRMLCoordinate*>(faces->coord.getValue())->point;
        const SoMFInt32& index = faces->coordIndex;
        if (!masked) {
            EXPECT_TRUE(points.getNum() == int(plane->count) && index.getNum() == int(plane->count));
            for (uint32_t k = 0; k < plane->count && k < uint32_t(points.getNum()); ++k)
                EXPECT_LT((points[int(k)] - Up(plane->vertices[k])).length(), 0.01f);
            continue;
        }
        // Triangles closed by -1, none over the middle of an opening in the face.
        ++holes;
        EXPECT_EQ(index.getNum() % 4, 0);
        for (const PlaneObject* m = piece->masks; m; m = m->next) {
            if (!MasksCutPlane(plane, m)) continue;
            SbVec3f middle(0, 0, 0);
            for (uint32_t k = 0; k < m->planes->count; ++k) middle += Up(m->planes->vertices[k]) / float(m->planes->count);
            for (int t = 0; t + 3 < index.getNum(); t += 4) {
                const SbVec3f a = points[index[t]], b = points[index[t + 1]], c = points[index[t + 2]];
                const SbVec3f n = (b - a).cross(c - a);
                const bool inside = n.dot((b - a).cross(middle - a)) > 0 && n.dot((c - b).cross(middle - b)) > 0 &&
                                    n.dot((a - c).cross(middle - c)) > 0;
                EXPECT_TRUE(index[t + 3] == -1 && !inside);
            }
        }
    }
    return holes;
}

TEST(VRMLExportWindow, APathTypedInTheSavePanelGetsTheSceneWithTheLiveViewClosedAgain) {
    WindowTestServices services{"vrmlwindow"};
    port::qt::QtFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController::sharedLiveViewController();  // made at start-up, hidden
    dvxtest::HouseWithDoorAndRoof(gCurDocument->itsCurLayer);
    RenderAllLayers();  // as a change with the live view hidden: its scene is built when it shows
    ASSERT_TRUE(!LiveViewIsVisible() && gRenderOnShow && !gGLPlaneObjects);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const QString path = QString::fromStdString(port::JoinPath(dvxtest::FreshTempFolder("export"), "house.wrl"));

    ASSERT_TRUE(ChooseMenuItem(w, "File", "exportVRML"));
    QPointer<QFileDialog> panel;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (panel = w->findChild<QFileDialog*>()) && panel->isVisible(); }));
    auto* name = panel->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    ClickAt(name, name->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return name->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", path});
    ASSERT_TRUE(QTest::qWaitFor([&] { return name->text() == path; }));
    XDo({"key", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return port::FileExists(path.toStdString()); }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel || !panel->isVisible(); }));

    SoInput in;
    ASSERT_TRUE(in.openFile(path.toUtf8().constData()));
    SoSeparator* root = SoDB::readAll(&in);
    ASSERT_NE(root, nullptr);
    root->ref();
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId()), search.setInterest(SoSearchAction::ALL), search.apply(root);
    const std::vector<dvxtest::ExportedPlane> planes = dvxtest::ExportedPlanes();
    ASSERT_EQ(search.getPaths().getLength(), static_cast<int>(planes.size()));
    EXPECT_EQ(ExpectShapesOfPlanes(search.getPaths(), planes), 4);  // the door's two faces, the skylight's
    SbBox3f extent;
    for (const dvxtest::ExportedPlane& p : planes)
        for (uint32_t k = 0; k < p.plane->count; ++k) extent.extendBy(Up(p.plane->vertices[k]));
    SoGetBoundingBoxAction box{SbViewportRegion()};
    box.apply(root);
    EXPECT_LT((box.getBoundingBox().getMin() - extent.getMin()).length(), 0.02f);
    EXPECT_LT((box.getBoundingBox().getMax() - extent.getMax()).length(), 0.02f);
    EXPECT_TRUE(extent.getMin()[1] < 1 && extent.getMax()[1] > 90);  // heights up from the floor
    root->unref();
    EXPECT_TRUE(!LiveViewIsVisible() && services.alerts.shown.empty());
    QTest::qWait(300);  // the plan repainted where the panel was
    if (!gShot.isEmpty()) w->screen()->grabWindow(w->winId()).save(gShot);
    port::setFileDialogs(nullptr);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SoDB::init();
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
