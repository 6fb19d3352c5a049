// The detail and photo panes in a document window on the virtual X server, reached as a user
// reaches them: the line tool chosen on the palette, its style picked from the pop-up and a
// line dragged in the plan; a shape and a photo clicked in the plan, a pattern, a conversion or
// a width chosen in their panes, the Edit menu's undo item naming the one step each made.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>

#include "app/command_router.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "plan/refresh_seams.h"
#include "app/core/dialog_fields.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "port/qt/line_edit_field.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/sheets/roroz_erud_info_controller.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

class DetailPaneWindow : public InspectorWindowTest {
protected:
    void SetUp() override {
        openDesign("detailpanes");
        // The plan redraws as in the program, so what an edit changed is seen there.
        SetRefreshHandler([this] { ++refreshes, w->refreshDocumentVisibleView(); });
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        ASSERT_TRUE(QTest::qWaitFor([this] { return w->isActiveWindow(); }));
        ds->zoomFactor = 1, ds->snapToGrid = 0;
        w->docView()->scrollPoint({-60, -60});
    }
    void showFloor() {
        for (Objex* o = design.first->firstObject; o; o = o->next) o->planBits = ds->visiblePlans, StoreBoundsDeep(o);
        w->docView()->update();
    }
    QPoint screen(float h, float d) {
        const PlatformPoint o = w->docView()->boundsOrigin();
        return w->docView()->mapToGlobal(QPointF(h - o.x, d - o.y).toPoint());
    }
    void clickPlan(float h, float d) {
        const PlatformPoint origin = w->docView()->boundsOrigin();
        ClickAt(w->docView(), QPointF(h - origin.x, d - origin.y).toPoint());
    }
    QImage grab(float h, float d, int size) {
        const QPoint at = screen(h, d) - QPoint(size / 2, size / 2);
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), size, size).toImage();
    }
    template <class T>
    T* shown(const char* outlet) {
        T* c = nullptr;
        (void)QTest::qWaitFor([&] {
            c = w->parentInspectorView()->findChild<T*>(QLatin1String(outlet));
            return c && c->isVisible();
        });
        return c && c->isVisible() ? c : nullptr;
    }
    // Clicks the pop-up, then its item in the list it opens.
    bool chooseItem(const char* outlet, const QString& title) {
        auto* box = shown<QComboBox>(outlet);
        if (!box) return false;
        ClickAt(box, box->rect().center());
        QAbstractItemView* list = box->view();
        if (!QTest::qWaitFor([&] { return list->isVisible(); })) return false;
        const int row = box->findText(title);
        list->scrollTo(list->model()->index(row, 0));
        ClickAt(list->viewport(), list->visualRect(list->model()->index(row, 0)).center());
        return QTest::qWaitFor([&] { return !list->isVisible(); });
    }
    QString undoItem() { return w->commandRouter()->action("undo")->text(); }
};

TEST_F(DetailPaneWindow, TheLineToolDrawsInTheStyleItsPanePicked) {
    showFloor();
    auto* palette = PlanToolPaletteController::shared();
    palette->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
    int16_t plan = 0;
    while (!palette->toolButtons(plan)->cell(7702)) ++plan;
    palette->updateToolsetForPlan(plan), palette->loadToolPaletteForPlan(plan);
    QWidget* lineTool = palette->toolButtons(plan)->cell(7702);
    ClickAt(lineTool, lineTool->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([] { return gCurTool == 7702; }));
    auto* style = shown<QComboBox>("lineStylePopUpButton");
    ASSERT_TRUE(style) << "no detail tool pane";

    // "Style 4": 20 on, 6 off along the middle row of its preview.
    const QImage icon = style->itemIcon(style->findText("Style 4")).pixmap(84, 12).toImage();
    const auto ink = [&](int x) { return qAlpha(icon.pixel(x, 5)) > 128; };
    EXPECT_TRUE(ink(2) && ink(18) && !ink(21) && !ink(24) && ink(27) && ink(44) && !ink(47));
    ASSERT_TRUE(chooseItem("lineStylePopUpButton", "Style 4"));
    EXPECT_EQ(ds->penStyle, 9);

    const auto count = [&] {
        int n = 0;
        for (Objex* o = design.first->firstObject; o; o = o->next) n += o->type == objtype::kDetail;
        return n;
    };
    const int before = count();
    const QPoint from = screen(450, 520), to = screen(620, 520);
    XDo({"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())});
    XDo({"mousedown", "1"});
    for (int x = from.x() + 20; x <= to.x(); x += 20) XDo({"mousemove", "--sync", QString::number(x), QString::number(from.y())});
    XDo({"mouseup", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return count() == before + 1; })) << "no line drawn";
    Objex* line = design.first->firstObject;
    while (line->next) line = line->next;
    EXPECT_EQ(line->type, objtype::kDetail);
    EXPECT_EQ(line->penStyle, 9);
}

TEST_F(DetailPaneWindow, AShapesPatternAndConversionAreOneStepEach) {
    Objex* shape = Shape(design.first, objtype::kDetail, {{450, 380}, {560, 380}, {560, 450}, {450, 450}}, true,
                         detailsubtype::kRectangle);
    showFloor();
    const QImage empty = grab(505, 415, 20);
    clickPlan(450, 415);
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(shape); }));
    ASSERT_TRUE(shown<QComboBox>("patternPopUpButton")) << "no detail shape pane";
    const int before = steps();
    ASSERT_TRUE(chooseItem("patternPopUpButton", "Solid foreground"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return steps() == before + 1; }));
    EXPECT_EQ(shape->fillPattern, 2);
    EXPECT_EQ(undoItem(), QStringLiteral("Undo Object Pattern"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return qGray(grab(505, 415, 20).pixel(10, 10)) < 64; }))
        << "the shape was not filled: " << qGray(empty.pixel(10, 10));

    ASSERT_TRUE(chooseItem("conversionPopUpButton", "Floor"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shape->type == objtype::kFloor; }));
    EXPECT_EQ(steps(), before + 2);
    EXPECT_EQ(undoItem(), QStringLiteral("Undo Convert to Floor"));
}

TEST_F(DetailPaneWindow, APhotosWidthIsTypedAndItsInfoSheetOpensOnTheWindow) {
    Objex* photo = design.photo;  // (500, 200) to (540, 200)
    showFloor();
    const QImage before = grab(500, 200, 16);
    ClickObject(w, photo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(photo); }));
    ASSERT_TRUE(shown<QLineEdit>("photoWidthText")) << "no photo pane";
    // 20 plan units as the field writes them.
    QLineEdit scratch;
    port::qt::LineEditField f(&scratch);
    SetFloatItem(&f, ConvertScreenToWorld(20, ds, 0));
    const int steps0 = steps();
    ASSERT_TRUE(TypeIntoPaneField(w, "photoWidthText", scratch.text()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return steps() == steps0 + 1; }));
    EXPECT_EQ(undoItem(), QStringLiteral("Undo RorozErud Width"));
    EXPECT_NEAR(photo->firstPoint->position[0], 510, 0.01f);
    EXPECT_NEAR(photo->firstPoint->next->position[0], 530, 0.01f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return grab(500, 200, 16) != before; })) << "the plan kept the old photo";

    auto* info = shown<QPushButton>("imageInfoButton");
    ASSERT_TRUE(info);
    ClickAt(info, info->rect().center());
    RorozErudInfoController* sheet = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<RorozErudInfoController*>()) && sheet->isVisible(); }));
    EXPECT_EQ(sheet->targetObject(), photo);
    QTest::qWait(200);  // painted for the screenshot
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
    sheet->reject();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    gShot = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("detail-panes-window.png");
    return RUN_ALL_TESTS();
}
