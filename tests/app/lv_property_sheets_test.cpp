// The live view's render and light property sheets on a document window of the offscreen
// platform: opened from the LiveView menu, what OK, Cancel and Undo leave in the design, the
// light sheet's linked angle controls and the two sun views as they paint.
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/lv_property_sheets.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/qt/platform.h"
#include "support/doubles.h"
#include "support/fixture.h"

namespace dvxtest {
namespace {

class LVSheets : public ::testing::Test {
public:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("lvsheets"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        ds = d->model()->itsDocState;
        gLiveViewPanelVisible = 1;  // the LiveView items are offered with the panel up
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    // Chooses the LiveView item as its menu would; the sheet it opened on the window.
    SheetDialog* choose(const char* action) {
        QAction* item = w->commandRouter()->action(action);
        if (!item || !CommandRouter::validateMenuItem(item)) return nullptr;
        item->trigger();
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    // A click through the window system, which honours the sheet's modality.
    static void click(QWidget* b) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(b->window()));
        QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {}, b->mapTo(b->window(), QPoint(8, b->height() / 2)));
    }
    static bool press(SheetDialog* s, const char* button) {
        QPointer<SheetDialog> sheet = s;
        click(s->findChild<QPushButton*>(QString::fromLatin1(button)));
        return QTest::qWaitFor([&] { return sheet.isNull(); });
    }
    template <class T = QSlider>
    static T* find(SheetDialog* s, const char* outlet) { return s->findChild<T*>(QString::fromLatin1(outlet)); }
    QStringList steps() {
        QStringList names;
        for (int i = 0; i < w->document()->undoStack()->count(); ++i) names << w->document()->undoStack()->text(i);
        return names;
    }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    DocState* ds = nullptr;
};

// The centre of the sun's own colour in the painted view.
QPointF SunAt(QWidget* view) {
    const QImage image = view->grab().toImage();
    double x = 0, y = 0;
    int n = 0;
    for (int j = 0; j < image.height(); ++j)
        for (int i = 0; i < image.width(); ++i) {
            const QColor c = image.pixelColor(i, j);
            if (c.red() > 200 && c.green() > 120 && c.green() < 220 && c.blue() < 80) x += i, y += j, ++n;
        }
    return n ? QPointF(x / n, y / n) : QPointF(-1, -1);
}

bool Near(QPointF a, QPointF b) { return std::abs(a.x() - b.x()) < 1.5 && std::abs(a.y() - b.y()) < 1.5; }

TEST_F(LVSheets, RenderSheetKeepsUntouchedValuesWritesMovedOnesAndUndoes) {
    ds->renderSetting = 200, ds->renderValue = 0x10, ds->detailValueA = 8;
    struct Row {
        const char* name;
        const char* button;
        int opacity;  // slider position moved to, -1 untouched
        bool materials;
        int wantOpacity, wantFlags;
        int steps;
    };
    for (const Row& r : {Row{"cancel", "cancelButton", 4, true, 200, 0x10, 0},
                         Row{"untouched", "okButton", -1, false, 200, 0x10, 1},
                         Row{"moved", "okButton", 4, true, 255, 0, 2}}) {
        SCOPED_TRACE(r.name);
        SheetDialog* s = choose("showLVRenderProperties");
        ASSERT_TRUE(s);
        EXPECT_EQ(s->parentWidget(), w);
        EXPECT_TRUE(s->isModal() && s->windowModality() == Qt::WindowModal);
        EXPECT_EQ(find(s, "CVOpacitySlider")->value(), 3);
        EXPECT_FALSE(find<QCheckBox>(s, "renderMaterialsButton")->isChecked());
        if (r.opacity >= 0) find(s, "CVOpacitySlider")->setValue(r.opacity);
        if (r.materials) click(find<QCheckBox>(s, "renderMaterialsButton"));
        ASSERT_TRUE(press(s, r.button));
        EXPECT_EQ(std::make_pair(int(ds->renderSetting), ds->renderValue), std::make_pair(r.wantOpacity, r.wantFlags));
        EXPECT_EQ(steps().size(), r.steps);
    }
    EXPECT_EQ(steps().last(), "Rendering Settings");
    w->commandRouter()->action("undo")->trigger();
    ds = CurrentDocState();
    EXPECT_EQ(std::make_pair(int(ds->renderSetting), ds->renderValue), std::make_pair(200, 0x10));
}

TEST_F(LVSheets, LightSheetLinksItsAngleControlsAndViews) {
    ds->sunAngle = 0, ds->sunValueB = 30, ds->sunShadowQuality = -1;
    StoreUndo(" ");  // the state Undo comes back to
    SheetDialog* s = choose("showLVLightProperties");
    ASSERT_TRUE(s);
    auto* direction = find<LVDirectionAngleView>(s, "directionAngleView");
    auto* overhead = find<LVOverheadAngleView>(s, "overheadAngleView");
    const QPointF c = direction->center();
    // Direction 0 is straight up from the compass centre, 90 to its right; the line reaches
    // radius 30 toward the sun and no further.
    EXPECT_TRUE(Near(SunAt(direction), c + QPointF(0, -50))) << SunAt(direction).x() << "," << SunAt(direction).y();
    const QImage north = direction->grab().toImage();
    const QRgb back = north.pixel(int(c.x()), int(c.y()) + 20);
    EXPECT_NE(north.pixel(int(c.x()), int(c.y()) - 20), back);
    EXPECT_EQ(north.pixel(int(c.x()), int(c.y()) - 34), back);
    const QPointF up30 = overhead->pivot() + QPointF(75 * std::cos(M_PI / 6), -75 * std::sin(M_PI / 6));
    EXPECT_TRUE(Near(SunAt(overhead), up30)) << SunAt(overhead).x() << "," << SunAt(overhead).y();

    // The slider moves its stepper, text and view; typing moves the slider and stepper.
    find(s, "directionAngleSlider")->setValue(90);
    EXPECT_EQ(find<Stepper>(s, "directionAngleStepper")->value(), 90);
    EXPECT_EQ(find<QLineEdit>(s, "directionAngleTextField")->text(), "90");
    EXPECT_TRUE(Near(SunAt(direction), c + QPointF(50, 0)));
    auto* typed = find<QLineEdit>(s, "overheadAngleTextField");
    typed->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return typed->hasFocus(); }));
    typed->setText("60");
    QTest::keyClick(typed, Qt::Key_Tab);  // Return would press OK
    EXPECT_EQ(std::make_pair(find(s, "overheadAngleSlider")->value(), find<Stepper>(s, "overheadAngleStepper")->value()),
              std::make_pair(60, 60));
    EXPECT_TRUE(Near(SunAt(overhead), overhead->pivot() + QPointF(75 * 0.5, -75 * std::sin(M_PI / 3))));
    click(find<Stepper>(s, "overheadAngleStepper")->upButton());
    EXPECT_EQ(std::make_pair(find(s, "overheadAngleSlider")->value(), typed->text()), std::make_pair(61, QString("61")));

    // Optimal quality holds the slider still; off, the slider's value is stored.
    QSlider* quality = find(s, "sunShadowQualitySlider");
    EXPECT_FALSE(quality->isEnabled());
    click(find<QCheckBox>(s, "optimalQualityButton"));
    EXPECT_TRUE(quality->isEnabled());
    quality->setValue(3);
    ASSERT_TRUE(press(s, "okButton"));
    EXPECT_EQ(std::make_tuple(ds->sunAngle, ds->sunValueB, ds->sunShadowQuality), std::make_tuple(90.0f, 61.0f, int16_t(3)));
    // The brightness it could not show (1.2) is still there.
    EXPECT_FLOAT_EQ(ds->lightIntensity, 1.2f);
    EXPECT_EQ(steps().last(), "Lighting Settings");
    w->commandRouter()->action("undo")->trigger();
    EXPECT_EQ(std::make_tuple(CurrentDocState()->sunAngle, CurrentDocState()->sunShadowQuality), std::make_tuple(0.0f, int16_t(-1)));
}

}  // namespace
}  // namespace dvxtest
