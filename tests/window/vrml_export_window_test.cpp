// File > Export VRML in the running program: the path typed into the save panel, the file
// written there read back by an independent reader (Coin3D) with one shape per exported plane,
// the live view shown for the export and closed again. The window is kept as vrml-export.png.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoSeparator.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "model/document_model.h"
#include "port/files.h"
#include "port/qt/platform.h"
#include "model/render_state.h"
#include "render/core/live_view_seams.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"
#include "window/window_support.h"

namespace {

QString gShot;

int ShapesIn(const std::string& path) {
    SoInput in;
    if (!in.openFile(path.c_str())) return -1;
    SoSeparator* root = SoDB::readAll(&in);
    if (!root) return -1;
    root->ref();
    SoSearchAction search;
    search.setType(SoVRMLShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.apply(root);
    const int shapes = search.getPaths().getLength();
    root->unref();
    return shapes;
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
    const std::string path = port::JoinPath(dvxtest::FreshTempFolder("export"), "house.wrl");

    ASSERT_TRUE(ChooseMenuItem(w, "File", "exportVRML"));
    QFileDialog* panel = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (panel = w->findChild<QFileDialog*>()) && panel->isVisible(); }));
    auto* name = panel->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    ClickAt(name, name->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return name->hasFocus(); }));
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", QString::fromStdString(path)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return name->text() == QString::fromStdString(path); }));
    XDo({"key", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return port::FileExists(path); }, 20000));
    const QPointer<QFileDialog> closing(panel);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !closing || !closing->isVisible(); }));

    EXPECT_FALSE(LiveViewIsVisible());
    const size_t planes = dvxtest::ExportedPlanes().size();
    EXPECT_GT(planes, 20u);
    EXPECT_EQ(ShapesIn(path), static_cast<int>(planes));
    EXPECT_TRUE(services.alerts.shown.empty());
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
