#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "app/document_view.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "window/window_support.h"

namespace {
QString gShot;

TEST(Probe, NewDesign) {
    using namespace dvxtest;
    AppController::destroyShared(), ResetAllGlobals();
    TempFolders folders(FreshTempFolder("probe"));
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    QMDWindowController* w = OpenDocumentWindow();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTest::qWait(500);
    QGuiApplication::primaryScreen()->grabWindow(w->winId()).save(gShot + ".new.png");
    const PlatformRect r = w->docView()->visibleRect();
    const DocState* ds = w->document()->model()->itsDocState;
    printf("visible %f %f %f %f zoom %f lot %f %f %f %f vo %f %f %f\n", r.x, r.y, r.width, r.height, ds->zoomFactor,
           ds->lotRect.floatTop, ds->lotRect.floatLeft, ds->lotRect.floatBottom, ds->lotRect.floatRight,
           ds->viewOrigin.floatH, ds->viewOrigin.floatV, ds->viewOrigin.floatD);
    AppController::destroyShared(), ResetAllGlobals();
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
