// The light sheet chosen from the LiveView menu on the virtual X server, the panel showing one
// wall straight ahead: a lower brightness darkens the wall on OK only. The grab after OK is
// kept as lv-light-sheet.png. On the furnished house an untouched OK keeps the design's light.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/lv_property_sheets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/render_state.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

// Shows the document window and the live view panel clear of its menu bar, with the design's
// scene and camera; null when the panel's GL surface never came.
LiveViewController* ShowLiveViewBeside(QMDWindowController* w, DocState* ds) {
    w->show();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    c->window()->move(640, 300);
    c->showWindow();
    if (!QTest::qWaitFor([&] { return c->window()->isVisible() && c->glSurface().window()->isValid(); })) return nullptr;
    RebuildLiveViewScene(), SetUpLiveViewCamera(ds);
    return c;
}

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
    LiveViewController* c = ShowLiveViewBeside(w, ds);
    ASSERT_TRUE(c) << "the live view never showed";
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
        sheet->findChild<QSlider*>("lightBrightnessSlider")->setValue(0);
        QPushButton* b = sheet->findChild<QPushButton*>(button);
        QTest::mouseClick(sheet->windowHandle(), Qt::LeftButton, {}, b->mapTo(sheet, QPoint(8, b->height() / 2)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sheet.isNull(); }));
        // Without a window manager the keyboard goes to the window last clicked among those the
        // sheet held: the document window, whose menu opened it.
        ASSERT_TRUE(MovePointerOffWindows());
        EXPECT_TRUE(KeyReaches(w)) << "the keyboard did not come back to the window last clicked";
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

// The furnished house as it was saved, with the design's default brightness (1.2) and
// darkening (40000): OK on the untouched light sheet keeps the brightness, does not set the
// lights up again and leaves the wall as it was (the darkening's whole-percent rounding, 40000
// shown as 39 % and stored as 39976.35, moves it by less than a grey level). The brightness
// slider taken to its ends with the keyboard stores the ends of the brightness range.
TEST(LightSheetOnThePanel, UntouchedOKKeepsTheFurnishedHousesBrightnessAndTheSliderSpansItsRange) {
    WindowTestServices services{"lvsheetshouse"};
    QMDWindowController* w = OpenDesignWindow(DVX_TEST_DESIGNS "/furnished-house.pro", services);
    ASSERT_TRUE(w);
    DocState* ds = w->document()->model()->itsDocState;
    ASSERT_EQ(std::make_tuple(ds->lightIntensity, ds->lightValue), std::make_tuple(1.2f, 40000.0f));
    LiveViewController* c = ShowLiveViewBeside(w, ds);
    ASSERT_TRUE(c) << "the live view never showed";
    // The design's camera shows the house's front wall at the left, below its first-floor
    // window: the mean grey of a band of it, in 0..255.
    auto wallGrey = [&] {
        const QImage im = LiveViewOnScreen(c);
        const QRect band(im.width() * 2 / 100, im.height() * 40 / 100, im.width() * 25 / 100, im.height() * 10 / 100);
        double sum = 0;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x) sum += PixelGrey(im.pixel(x, y));
        return sum / (band.width() * band.height());
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return wallGrey() < 200; })) << "the wall never showed";
    QTest::qWait(300);
    const double shown = wallGrey();

    // Untouched: SetupLights would copy the moved light angle into its degrees.
    ASSERT_TRUE(ChooseMenuItem(w, "LiveView", "showLVLightProperties", 5416));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ShownSheet(c->window()) != nullptr; }));
    EXPECT_EQ(ShownSheet(c->window())->findChild<QSlider*>("lightBrightnessSlider")->value(), 35);
    gLightXAngle += 7;
    ASSERT_TRUE(PressSheetButton(c->window(), "okButton"));
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), "Undo Lighting Settings");
    EXPECT_EQ(ds->lightIntensity, 1.2f);
    EXPECT_NE(gLightXDegrees, gLightXAngle) << "the lights were set up again";
    QTest::qWait(500);
    EXPECT_NEAR(wallGrey(), shown, 1.0);
    if (!gShot.isEmpty()) LiveViewOnScreen(c).save(gShot.chopped(4) + "-furnished-house.png");

    // The slider clicked and taken to either end by its key stores 0.5 or 2.5.
    struct End { const char* key; int slider; float brightness; };
    for (const End& r : {End{"Home", 0, 0.5f}, End{"End", 100, 2.5f}}) {
        SCOPED_TRACE(r.key);
        ASSERT_TRUE(ChooseMenuItem(w, "LiveView", "showLVLightProperties", 5416));
        ASSERT_TRUE(QTest::qWaitFor([&] { return ShownSheet(c->window()) != nullptr; }));
        QSlider* brightness = ShownSheet(c->window())->findChild<QSlider*>("lightBrightnessSlider");
        ClickAt(brightness, brightness->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return brightness->hasFocus(); }));
        XDo({"key", r.key});
        ASSERT_TRUE(QTest::qWaitFor([&] { return brightness->value() == r.slider; }));
        ASSERT_TRUE(PressSheetButton(c->window(), "okButton"));
        EXPECT_EQ(ds->lightIntensity, r.brightness);
    }
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// Under twm, whose keyboard follows the pointer: the panel's sheets ended with a click on their
// button over the panel, the next key reaches the panel, as many times as it is tried (twm handles
// the sheet's end after the program gave the keyboard back, and gave it to no window).
TEST(LightSheetOnThePanel, UnderTwmTheNextKeyAfterAPanelSheetReachesThePanel) {
    WindowTestServices services{"lvsheetstwm"};
    TwmOnScreen manager(QString::fromStdString(services.folders.temporaryBase()) + "/twm");
    ASSERT_TRUE(manager.running());
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController* c = ShowLiveViewBeside(w, w->document()->model()->itsDocState);
    ASSERT_TRUE(c) << "the live view never showed";
    c->window()->resize(600, 500);
    const struct {
        const char *menu, *action, *button;
    } sheets[] = {{"LiveView", "showLVRenderProperties", "okButton"},
                  {"LiveView", "showLVLightProperties", "okButton"},
                  {"File", "print3DLiveView", "cancelButton"}};
    for (int round = 0; round < 4; ++round)
        for (const auto& s : sheets) {
            SCOPED_TRACE(std::string(s.action) + " round " + std::to_string(round));
            ASSERT_TRUE(ChooseMenuItem(w, s.menu, s.action));
            QPointer<SheetDialog> sheet;
            ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = ShownSheet(c->window())) && sheet->windowHandle()->isExposed(); }));
            // twm places it at random: its button is moved over the panel.
            QPushButton* b = sheet->findChild<QPushButton*>(s.button);
            const QPoint over = c->window()->mapToGlobal(QPoint(100 + 40 * round, 150 + 30 * round));
            sheet->move(sheet->pos() + over - b->mapToGlobal(b->rect().center()));
            ASSERT_TRUE(QTest::qWaitFor([&] { return b->mapToGlobal(b->rect().center()) == over; }));
            XDo({"mousemove", "--sync", QString::number(over.x()), QString::number(over.y())});
            QTest::qWait(300);
            XDo({"click", "1"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet || !sheet->isVisible(); }));
            EXPECT_TRUE(KeyReaches(c->window())) << "the key went to no window";
        }
    // Light Properties from the panel's toolbar, then the pointer onto the sheet: leaving the
    // panel, twm leaves the keyboard to the window under the pointer (it draws no title for the
    // sheet). An angle typed over the field's and left by Tab goes to its slider, and Return
    // keeps it.
    auto* bar = c->window()->findChild<QToolBar*>(QStringLiteral("LiveView Toolbar Identifier"));
    ASSERT_NE(bar, nullptr);
    QWidget* lighting = bar->widgetForAction(bar->findChild<QAction*>(QStringLiteral("LiveView Toolbar Lighting Options Item")));
    ASSERT_NE(lighting, nullptr);
    ClickAt(lighting, lighting->rect().center());
    QPointer<SheetDialog> sheet;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = ShownSheet(c->window())) && sheet->windowHandle()->isExposed(); }));
    auto* field = sheet->findChild<QLineEdit*>(QStringLiteral("directionAngleTextField"));
    auto* slider = sheet->findChild<QSlider*>(QStringLiteral("directionAngleSlider"));
    ASSERT_TRUE(field && slider);
    const QPoint onField = field->mapToGlobal(field->rect().center());
    XDo({"mousemove", "--sync", QString::number(onField.x()), QString::number(onField.y())});
    QTest::qWait(500);
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "20", "--", "90"}), XDo({"key", "Tab"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return slider->value() == 90; })) << "the angle left by Tab: " << slider->value();
    XDo({"key", "Return"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sheet || !sheet->isVisible(); }));
    EXPECT_EQ(w->document()->model()->itsDocState->sunAngle, 90.0f);
    if (sheet && sheet->isVisible()) sheet->reject();
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
