// The live view's render and light sheets on a document window of the offscreen platform,
// opened from the LiveView menu: OK, Cancel and Undo, the linked angle controls and the sun
// views as they paint.
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/command_router.h"
#include "app/document.h"
#include "app/lv_property_sheets.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "support/qt/inspector_window_fixture.h"

namespace dvxtest {
namespace {

class LVSheets : public InspectorWindowTest {
public:
    void SetUp() override { openDesign("lvsheets"); }
    // Chooses the item as its menu would: the sheet it opened on the window.
    SheetDialog* choose(const char* action) {
        gLiveViewPanelVisible = 1;
        QAction* item = w->commandRouter()->action(action);
        if (CommandRouter::validateMenuItem(item)) item->trigger();
        return w->findChild<SheetDialog*>();
    }
    // Through the window system, which honours the sheet's modality.
    static void click(QWidget* b) {
        QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {}, b->mapTo(b->window(), QPoint(8, b->height() / 2)));
    }
    static bool press(SheetDialog* s, const char* button) {
        QPointer<SheetDialog> sheet = s;
        click(s->findChild<QPushButton*>(button));
        return QTest::qWaitFor([&] { return sheet.isNull(); });
    }
    template <class T = QSlider>
    static T* find(SheetDialog* s, const char* outlet) { return s->findChild<T*>(outlet); }
};

// The centre of the sun's colour in the painted view.
QPointF SunAt(QWidget* view) {
    const QImage image = view->grab().toImage();
    QPointF sum;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() > 120 && c.green() < 220 && c.blue() < 80)
                sum += QPointF(x, y), ++n;
    return n ? sum / n : QPointF(-99, -99);
}
#define EXPECT_SUN_AT(view, at) EXPECT_LT(QLineF(SunAt(view), at).length(), 1.5)

TEST_F(LVSheets, RenderSheetWritesWhatItShowsCancelsAndUndoes) {
    ds->renderSetting = 200;
    // 200 and 235 both show as position 3.
    struct Row { const char* button; int movedTo; int stored; int steps; };
    for (const Row& r : {Row{"cancelButton", 4, 200, 0}, Row{"okButton", -1, 235, 1}, Row{"okButton", 4, 255, 2}}) {
        SheetDialog* s = choose("showLVRenderProperties");
        ASSERT_TRUE(s && s->isVisible() && s->windowModality() == Qt::WindowModal);
        EXPECT_EQ(find(s, "CVOpacitySlider")->value(), 3);
        if (r.movedTo >= 0) find(s, "CVOpacitySlider")->setValue(r.movedTo);
        ASSERT_TRUE(press(s, r.button));
        EXPECT_EQ(std::make_pair(int(ds->renderSetting), w->document()->undoStack()->count()), std::make_pair(r.stored, r.steps));
    }
    EXPECT_EQ(w->document()->undoStack()->undoText(), "Rendering Settings");
    w->commandRouter()->action("undo")->trigger();
    EXPECT_EQ(CurrentDocState()->renderSetting, 235);
}

TEST_F(LVSheets, LightSheetLinksItsAngleControlsAndViews) {
    ds->sunAngle = 0, ds->sunValueB = 30, ds->sunShadowQuality = -1;
    StoreUndo(" ");  // the state Undo comes back to
    SheetDialog* s = choose("showLVLightProperties");
    ASSERT_TRUE(s);
    auto* direction = find<LVDirectionAngleView>(s, "directionAngleView");
    auto* overhead = find<LVOverheadAngleView>(s, "overheadAngleView");
    const QPointF c = direction->center();
    // The overhead sun's 16-point picture has its lower left corner 5 right of and 13 below its
    // point on the arc: its middle 13 right and 5 below.
    const auto arc = [&](double deg) {
        return overhead->pivot() + 75 * QPointF(std::cos(deg * M_PI / 180), -std::sin(deg * M_PI / 180)) + QPointF(13, 5);
    };
    // North is up; the line toward the sun ends at radius 30.
    EXPECT_SUN_AT(direction, c + QPointF(0, -50));
    const QImage north = direction->grab().toImage();
    const QRgb back = north.pixel(int(c.x()), int(c.y()) + 20);
    EXPECT_TRUE(north.pixel(int(c.x()), int(c.y()) - 20) != back && north.pixel(int(c.x()), int(c.y()) - 34) == back);
    EXPECT_SUN_AT(overhead, arc(30));

    find(s, "directionAngleSlider")->setValue(90);
    EXPECT_EQ(std::make_pair(find<Stepper>(s, "directionAngleStepper")->value(), find<QLineEdit>(s, "directionAngleTextField")->text()),
              std::make_pair(90, QString("90")));
    EXPECT_SUN_AT(direction, c + QPointF(50, 0));
    auto* typed = find<QLineEdit>(s, "overheadAngleTextField");
    typed->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return typed->hasFocus(); }));
    typed->setText("60");
    QTest::keyClick(typed, Qt::Key_Tab);
    EXPECT_EQ(std::make_pair(find(s, "overheadAngleSlider")->value(), find<Stepper>(s, "overheadAngleStepper")->value()),
              std::make_pair(60, 60));
    EXPECT_SUN_AT(overhead, arc(60));
    click(find<Stepper>(s, "overheadAngleStepper")->upButton());
    EXPECT_EQ(std::make_pair(find(s, "overheadAngleSlider")->value(), typed->text()), std::make_pair(61, QString("61")));

    QSlider* quality = find(s, "sunShadowQualitySlider");
    EXPECT_FALSE(quality->isEnabled());
    click(find<QCheckBox>(s, "optimalQualityButton"));
    EXPECT_TRUE(quality->isEnabled());
    quality->setValue(3);
    ASSERT_TRUE(press(s, "okButton"));
    EXPECT_EQ(std::make_tuple(ds->sunAngle, ds->sunValueB, ds->sunShadowQuality, ds->lightIntensity),
              std::make_tuple(90.0f, 61.0f, int16_t(3), 1.2f));
    w->commandRouter()->action("undo")->trigger();
    EXPECT_EQ(std::make_pair(CurrentDocState()->sunAngle, CurrentDocState()->sunShadowQuality), std::make_pair(0.0f, int16_t(-1)));
}

}  // namespace
}  // namespace dvxtest
