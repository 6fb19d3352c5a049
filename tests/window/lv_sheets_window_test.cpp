// The light sheet chosen from the LiveView menu on the virtual X server, the panel showing one
// wall straight ahead: a lower brightness darkens the wall on OK only. The grab after OK is
// kept as lv-light-sheet.png.
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/lv_property_sheets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

TEST(LightSheetOnThePanel, LowerBrightnessDarkensTheWallOnlyOnOK) {
    WindowTestServices services{"lvsheetswindow"};
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-100, -300}, {100, -300}});
    wall->planBits = ds->visiblePlans;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96;
    Update3DWall(wall);
    ds->cameraMode = 1, ds->cameraHeading = 0, ds->cameraPosition = {0, 0}, ds->eyeHeight = 60;
    w->show();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    c->window()->move(640, 300);  // clear of the document window's menu bar
    c->showWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c->window()->isVisible() && c->glSurface().window()->isValid(); }));
    RebuildLiveViewScene(), SetUpLiveViewCamera(ds);
    auto grab = [&] { return LiveViewOnScreen(c); };
    auto grey = [&](int y) { const QImage im = grab(); return im.isNull() ? -1 : qGray(im.pixel(im.width() / 2, y < 0 ? im.height() / 2 : y)); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(grey(-1) - grey(2)) > 6; })) << "the wall never showed";
    QTest::qWait(300);
    const int bright = grey(-1);

    for (const char* button : {"cancelButton", "okButton"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(ChooseMenuItem(w, "LiveView", "showLVLightProperties", 5416));
        QPointer<SheetDialog> sheet;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = c->window()->findChild<SheetDialog*>()) && sheet->isVisible(); }));
        sheet->findChild<QSlider*>("lightBrightnessSlider")->setValue(30);
        QPushButton* b = sheet->findChild<QPushButton*>(button);
        QTest::mouseClick(sheet->windowHandle(), Qt::LeftButton, {}, b->mapTo(sheet, QPoint(8, b->height() / 2)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheet.isNull(); }));
        if (button[0] == 'c') {
            QTest::qWait(300);
            EXPECT_NEAR(grey(-1), bright, 3);
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return grey(-1) < bright - 20; }, 3000)) << bright << " -> " << grey(-1);
        }
    }
    if (!gShot.isEmpty()) grab().save(gShot);
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
