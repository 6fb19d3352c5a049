// The light sheet, chosen from the LiveView menu, on the live-view panel of the virtual X server, on a design of one wall
// straight ahead of the eye: a lower brightness confirmed darkens the wall as the panel shows
// it, a cancelled one leaves it. The grab after OK is kept as lv-light-sheet.png.
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/lv_property_sheets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "app/core/document_window.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

int Grey(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

TEST(LightSheetOnThePanel, LowerBrightnessDarkensTheWallOnlyOnOK) {
    WindowTestServices services{"lvsheetswindow"};
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-100, -300}, {100, -300}});
    wall->planBits = ds->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96;
    Update3DWall(wall);
    ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->cameraPosition = {0, 0};
    ds->elevationView = 0, ds->eyeHeight = 60;
    w->show();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    c->window()->move(640, 300);  // clear of the document window's menu bar
    c->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c->window()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); }));
    RebuildLiveViewScene();
    SetUpLiveViewCamera(ds);
    QWidget* v = c->liveViewOGLWidget();
    auto grab = [&] { return v->screen()->grabWindow(c->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage(); };
    // The wall fills the centre; the sky lies above it at the top row.
    auto wallGrey = [&] {
        const QImage im = grab();
        return im.isNull() ? -1 : Grey(im.pixel(im.width() / 2, im.height() / 2));
    };
    auto differsFromSky = [&] {
        const QImage im = grab();
        return !im.isNull() && std::abs(Grey(im.pixel(im.width() / 2, im.height() / 2)) - Grey(im.pixel(im.width() / 2, 2))) > 6;
    };
    ASSERT_TRUE(QTest::qWaitFor(differsFromSky)) << "the wall never showed";
    QTest::qWait(300);
    const int bright = wallGrey();

    for (const char* button : {"cancelButton", "okButton"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(ChooseMenuItem(w, "LiveView", "showLVLightProperties", 5416));
        SheetDialog* sheet = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = c->window()->findChild<SheetDialog*>()) != nullptr; }))
            << "no sheet on the panel";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
        sheet->findChild<QSlider*>("lightBrightnessSlider")->setValue(30);
        QPointer<SheetDialog> open = sheet;
        QPushButton* b = sheet->findChild<QPushButton*>(button);
        QTest::mouseClick(sheet->windowHandle(), Qt::LeftButton, {}, b->mapTo(sheet, QPoint(8, b->height() / 2)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return open.isNull(); }));
        if (button[0] == 'c') {
            QTest::qWait(300);
            EXPECT_NEAR(wallGrey(), bright, 3);
            EXPECT_FLOAT_EQ(ds->lightIntensity, 1.2f);
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return wallGrey() < bright - 20; }, 3000))
                << bright << " -> " << wallGrey();
        }
    }
    if (!gShot.isEmpty()) grab().save(gShot);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
