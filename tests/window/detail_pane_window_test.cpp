// The detail and photo panes on the virtual X server, used with the server's mouse and keys:
// a styled line drawn, a shape filled and converted, a photo resized (its handles following its
// ends) and its sheet opened; a new design's polygon and curve drawn closed.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>

#include <cmath>
#include <tuple>
#include <vector>

#include "app/command_router.h"
#include "app/core/dialog_fields.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
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
    QPoint screen(float h, float d) {
        const PlatformPoint o = w->docView()->boundsOrigin();
        return w->docView()->mapToGlobal(QPointF(h - o.x, d - o.y).toPoint());
    }
    QRgb pixel(float h, float d) {
        return QGuiApplication::primaryScreen()->grabWindow(0, screen(h, d).x(), screen(h, d).y(), 1, 1).toImage().pixel(0, 0);
    }
    template <class T>
    T* shown(const char* outlet) {
        T* c = nullptr;
        return QTest::qWaitFor([&] { return (c = w->parentInspectorView()->findChild<T*>(QLatin1String(outlet))) && c->isVisible(); }) ? c : nullptr;
    }
    // Clicks the pop-up, then its item in the list it opens.
    bool chooseItem(const char* outlet, const QString& title) { return ChoosePopUpItem(shown<QComboBox>(outlet), title); }
    QString undoItem() { return w->commandRouter()->action("undo")->text(); }
    // The design opened in a focused window at zoom 1, unsnapped, the plan redrawn as in the
    // program so that what an edit changed is seen there.
    bool openFocusedAtZoomOne(const char* design) {
        openDesign(design);
        SetRefreshHandler([this] { ++refreshes, w->refreshDocumentVisibleView(); });
        XDo({"windowfocus", "--sync", QString::number(w->winId())});
        if (!QTest::qWaitFor([this] { return w->isActiveWindow(); })) return false;
        ds->zoomFactor = 1, ds->snapToGrid = 0;
        w->docView()->scrollPoint({-60, -60});
        return true;
    }
};

TEST_F(DetailPaneWindow, StyledLinesFilledShapesConversionsAndPhotoWidthsAreMadeInTheirPanes) {
    ASSERT_TRUE(openFocusedAtZoomOne("detailpanes"));
    Objex* shape = Shape(design.first, objtype::kDetail, {{450, 380}, {560, 380}, {560, 450}, {450, 450}}, true, 1);
    for (Objex* o = design.first->firstObject; o; o = o->next) o->planBits = ds->visiblePlans, StoreBoundsDeep(o);
    w->docView()->update();

    // The line tool: "Style 4" dashes 24 on, 6 off in its item's picture; a line drawn in it.
    ASSERT_TRUE(ChooseToolCell(7702));
    auto* style = shown<QComboBox>("lineStylePopUpButton");
    ASSERT_TRUE(style) << "no detail tool pane";
    const QImage icon = style->itemIcon(style->findText("Style 4")).pixmap(84, 12).toImage();
    for (const auto& [x, ink] : {std::pair(2, true), {18, true}, {23, true}, {26, false}, {31, true}, {56, false}})
        EXPECT_EQ(qAlpha(icon.pixel(x, 5)) > 128, ink) << x;
    ASSERT_TRUE(chooseItem("lineStylePopUpButton", "Style 4"));
    const QPoint from = screen(450, 520);
    XDo({"mousemove", "--sync", QString::number(from.x()), QString::number(from.y()), "mousedown", "1"});
    for (int x = 20; x <= 160; x += 20) XDo({"mousemove", "--sync", QString::number(from.x() + x), QString::number(from.y())});
    XDo({"mouseup", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shape->next; })) << "no line drawn";
    EXPECT_EQ(std::pair(shape->next->type, shape->next->penStyle), std::pair(objtype::kDetail, int16_t(9)));

    // The shape: filled in the plan, then a floor, one step each.
    refreshWith({});
    ClickObject(w, shape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(shape); }));
    const int before = steps();
    ASSERT_TRUE(chooseItem("patternPopUpButton", "Solid foreground"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return qGray(pixel(505, 415)) < 64; })) << "the shape was not filled";
    EXPECT_EQ(std::pair(steps(), undoItem()), std::pair(before + 1, QStringLiteral("Undo Object Pattern")));
    ASSERT_TRUE(chooseItem("conversionPopUpButton", "Floor"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shape->type == objtype::kFloor; }));
    EXPECT_EQ(std::pair(steps(), undoItem()), std::pair(before + 2, QStringLiteral("Undo Convert to Floor")));

    // The photo from (500, 200) to (540, 200): 20 plan units wide about its centre, then its sheet.
    Objex* photo = design.photo;
    const QRgb end = pixel(502, 200);
    ClickObject(w, photo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return IsObjectSelected(photo); }));
    QLineEdit scratch;
    port::qt::LineEditField field(&scratch);
    SetFloatItem(&field, ConvertScreenToWorld(20, ds, 0));
    ASSERT_TRUE(TypeIntoPaneField(w, "photoWidthText", scratch.text())) << "no photo pane";
    EXPECT_TRUE(QTest::qWaitFor([&] { return undoItem() == QStringLiteral("Undo RorozErud Width"); }));
    EXPECT_EQ(std::pair(std::lround(photo->firstPoint->position[0]), std::lround(photo->firstPoint->next->position[0])),
              std::pair(510L, 530L));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pixel(502, 200) != end; })) << "the plan kept the old photo";
    // Its handles, 7-pixel squares in the selection's colour, move to its new ends: seen 2
    // pixels off the line, at each end and not where the ends were.
    const auto handle = [&](float h) {
        const QRgb c = pixel(h + 2, 202);
        return qBlue(c) > qRed(c) + 60;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return handle(510) && handle(530); })) << "no handles at the photo's ends";
    EXPECT_FALSE(handle(500) || handle(540)) << "handles left at the old ends";
    QPushButton* info = nullptr;
    ASSERT_TRUE(info = shown<QPushButton>("imageInfoButton"));
    ClickAt(info, info->rect().center());
    RorozErudInfoController* sheet = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (sheet = w->findChild<RorozErudInfoController*>()) && sheet->isVisible(); }));
    EXPECT_EQ(sheet ? sheet->targetObject() : nullptr, photo);
    QTest::qWait(200);  // painted for the screenshot
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
}

// A new design's Polygon and Curve tools say "Closed" in their panes and draw closed shapes:
// two clicks and a double click each, the polygon's closing edge inked in the plan and the curve's
// closing arc bulging past the diagonal from its last point back to its first.
TEST_F(DetailPaneWindow, TheNewDesignsPolygonAndCurveToolsDrawClosedShapes) {
    ASSERT_TRUE(openFocusedAtZoomOne("detailclosed"));
    // Dark pixels on the screen along the plan segment, every plan unit.
    const auto inkAlong = [this](QPointF from, QPointF to) {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const int steps = int(std::hypot(to.x() - from.x(), to.y() - from.y()));
        int n = 0;
        for (int i = 0; i <= steps; ++i) {
            const QPointF at = from + (to - from) * (double(i) / steps);
            n += qGray(shot.pixel(screen(float(at.x()), float(at.y())))) < 128;
        }
        return n;
    };
    struct Row {
        int16_t tool;
        const char* method;
        std::vector<QPointF> clicks;
        QPointF across[2];  // where only the closing edge passes
        int16_t subtype;
    };
    // Clear of the design's objects, which lie above 300.
    const Row rows[] = {
        {7703, "Closed polygon", {{40, 340}, {160, 340}, {160, 460}}, {{90, 410}, {110, 390}}, 3},
        {7707, "Closed curve", {{260, 340}, {380, 340}, {380, 460}}, {{335, 385}, {275, 445}}, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.method);
        ASSERT_TRUE(ChooseToolCell(r.tool));
        auto* method = shown<QComboBox>("drawMethodPopUpButton");
        ASSERT_TRUE(method) << "no detail tool pane";
        EXPECT_EQ(method->currentText(), QString::fromLatin1(r.method));
        Objex* last = design.first->firstObject;
        while (last && last->next) last = last->next;
        const int before = CountObjects(design.first->firstObject);
        // Two clicks, then a double click on the last point ends the shape.
        for (size_t i = 0; i < r.clicks.size(); ++i) {
            const QPoint at = screen(float(r.clicks[i].x()), float(r.clicks[i].y()));
            QStringList click{"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click"};
            if (i + 1 == r.clicks.size()) click << "--repeat" << "2" << "--delay" << "80";
            XDo(click << "1");
            QTest::qWait(QApplication::doubleClickInterval() + 50);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return CountObjects(design.first->firstObject) == before + 1; })) << "nothing drawn";
        Objex* shape = last ? last->next : design.first->firstObject;
        ASSERT_TRUE(shape);
        EXPECT_EQ(std::tuple(shape->type, shape->subtype, shape->pointCount, shape->closed),
                  std::tuple(objtype::kDetail, r.subtype, 3, uint8_t(1)));
        EXPECT_TRUE(QTest::qWaitFor([&] { return inkAlong(r.across[0], r.across[1]) > 0; })) << "no closing edge in the plan";
    }
    QTest::qWait(200);  // painted for the screenshot
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-closed.png"));
}

}  // namespace

int main(int argc, char** argv) {
    gShot = QStringLiteral("detail-panes-window.png");
    return RunWindowTests(argc, argv, &gShot);
}
