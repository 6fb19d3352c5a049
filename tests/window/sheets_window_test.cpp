// The sheets of a document window of this process on the virtual X server, opened as a user
// opens them (the menus, a double click on an edit tool), filled with typed keys and closed by
// a click on OK; how they attach, what each leaves in the undo list, and the plan redrawn.
#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QTimer>
#include <QToolBar>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>
#include <cmath>
#include <functional>
#include <string>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/sheet_values.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "files/trace_image.h"
#include "model/docstate.h"
#include "model/tool_state.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/selection_ops.h"
#include "tools/tool_trackers.h"
#include "tracking/drafting_trackers.h"
#include "tracking/tracking_state.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

// Gaps between the runs of the colour along one row of the image.
std::vector<int> Gaps(const QImage& image, int y, QRgb colour) {
    std::vector<int> starts;
    for (int x = 1; x < image.width(); ++x)
        if (image.pixel(x, y) == colour && image.pixel(x - 1, y) != colour) starts.push_back(x);
    std::vector<int> gaps;
    for (size_t i = 1; i < starts.size(); ++i) gaps.push_back(starts[i] - starts[i - 1]);
    return gaps;
}

class SheetWindow : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("sheetwindow"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        w = OpenDocumentWindow();
        doc = w->document()->model();
        ds = doc->itsDocState;
        ds->zoomFactor = 1;  // plan view points are the plan's (H, D)
        ASSERT_TRUE(ShowFocused(w));
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    bool sheetShown() { return QTest::qWaitFor([&] { return sheet() && sheet()->windowHandle()->isExposed(); }); }
    bool fromMenu(const char* menu, const char* action, int tag = 0, const char* submenu = nullptr) {
        return ChooseMenuItem(w, menu, action, tag, submenu) && sheetShown();
    }
    // Clicks the field, replaces its text with typed keys.
    void type(const char* outlet, const QString& text) {
        QLineEdit* f = sheet()->findChild<QLineEdit*>(QString::fromLatin1(outlet));
        ClickAt(f, f->rect().center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->hasFocus(); })) << outlet;
        XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", text});
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->text() == text; })) << outlet << ": " << f->text().toStdString();
    }
    // Types the text and Return as the sheet opens, once its field has the keyboard; true once
    // the sheet is gone.
    bool typeAtOnce(const char* outlet, const char* text) {
        QLineEdit* f = sheet()->findChild<QLineEdit*>(QString::fromLatin1(outlet));
        if (!QTest::qWaitFor([&] { return f->hasFocus(); })) return false;
        XDo({"type", "--", text}), XDo({"key", "Return"});
        return QTest::qWaitFor([&] { return !sheet(); });
    }
    // Clicks the button and waits until the sheet is gone.
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        auto* b = s->findChild<QPushButton*>(QString::fromLatin1(button));
        ClickAt(b, b->rect().center());
        return QTest::qWaitFor([&] { return s.isNull(); });
    }
    int steps() { return w->document()->undoStack()->count(); }
    QString undoTitle() { return w->commandRouter()->action("undo")->text(); }
    QImage plan() {
        QMDDocumentView* v = w->docView();
        const QPoint at = v->mapToGlobal(QPoint(0, 0));
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), v->width(), v->height()).toImage();
    }
    // Waits until the blue grid lines along the row a little below the plan's origin stand
    // `want` points apart (all gaps but one, the row's ends cutting a cell).
    bool gridGap(int want) {
        const int row = onView(0, 100).y() + 5;
        return QTest::qWaitFor([&] {
            const std::vector<int> g = Gaps(plan(), row, qRgb(0, 0, 255));
            return g.size() >= 3 && std::count(g.begin(), g.end(), want) >= int(g.size()) - 1;
        });
    }
    // The view point of a plan point at zoom 1.
    QPoint onView(float ph, float pd) {
        const PlatformPoint o = w->docView()->boundsOrigin();
        return QPoint(int(std::lround(ph - o.x)), int(std::lround(pd - o.y)));
    }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
};

// "Move Objects..." hangs its sheet on the window, which takes no click meanwhile; OK moves
// the selection ten feet (240 plan units) right in one step. The edit palette's move and rotate
// tools open theirs on a double click, and the other menu items each its own sheet.
TEST_F(SheetWindow, MenusAndTheEditPaletteOpenTheirSheetsOnTheWindow) {
    // A shape in the middle of what the plan shows, another near its top left corner, clear
    // of the sheet over the window's middle.
    const PlatformRect shown = w->docView()->visibleRect();
    const float h = std::round(shown.x + shown.width / 2), d = std::round(shown.y + shown.height / 2);
    const float oh = std::round(shown.x + 40), od = std::round(shown.y + 40);
    Objex* box = Shape(doc->itsCurLayer, objtype::kDetail, {{h - 100, d}, {h - 60, d}, {h - 60, d + 40}}, true);
    Objex* other = Shape(doc->itsCurLayer, objtype::kDetail, {{oh, od}, {oh + 40, od}}, false);
    SelectObj(box, selmode::kSelect, 1);
    w->docView()->update();
    ASSERT_TRUE(fromMenu("Edit", "moveObjects"));
    SheetDialog* move = sheet();
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-id", QString::number(move->winId()), "WM_TRANSIENT_FOR"});
    ASSERT_TRUE(xprop.waitForFinished(10000));
    EXPECT_TRUE(xprop.readAllStandardOutput().contains(QByteArray::number(qulonglong(w->winId()), 16)))
        << "the sheet is not attached to the document window";
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
    // A click on the other shape's end is refused while the sheet is up, taken once it is gone.
    ClickAt(w->docView(), onView(oh, od));
    QTest::qWait(300);
    EXPECT_EQ(PointAt(other, 0)->selected, 0) << "the plan took a click under the sheet";
    type("horizDistText", "10'");
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(PlanPositions(box), (std::vector<std::pair<float, float>>{{h + 140, d}, {h + 180, d}, {h + 180, d + 40}}));
    EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(1, QString("Undo Move")));
    ClickAt(w->docView(), onView(oh, od));
    EXPECT_TRUE(QTest::qWaitFor([&] { return PointAt(other, 0)->selected == 1; })) << "the plan takes no click at all";

    QWidget* palette = ToolPaletteController::shared()->window();
    palette->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette));
    for (auto [tool, role] : {std::pair(200, "MoveObjectsSheet"), std::pair(202, "RotateObjectsSheet")}) {
        const QWidget* cell = ToolPaletteController::shared()->toolButtons()->cell(tool);
        const QPoint at = cell->mapToGlobal(cell->rect().center());
        XDo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", "2",
             "--delay", "80", "1"});
        ASSERT_TRUE(sheetShown()) << role;
        EXPECT_EQ(sheet()->objectName(), role);
        ASSERT_TRUE(press("cancelButton")) << role;
        // The keyboard goes back to the document window, not to the palette under the pointer.
        XDo({"mousemove", QString::number(at.x()), QString::number(at.y())});
        ASSERT_TRUE(QTest::qWaitFor([&] { return QCursor::pos() == at; }));
        EXPECT_TRUE(KeyReaches(w->docView())) << role;
    }

    // Each step is named after its sheet; true north stores none yet marks the saved design edited.
    struct Row {
        const char *menu, *action;
        int tag;
        const char *submenu, *outlet, *typed, *undo;
    };
    const Row rows[] = {{"Edit", "rotateObjects", 0, nullptr, "angleText", "90", "Undo Rotate"},
                        {"Plan", "movePlan", 0, nullptr, "vertDistText", "-1'", "Undo Move Entire Plan"},
                        {"Plan", "rotatePlan", 0, nullptr, "angleText", "180", "Undo Rotate Entire Plan"},
                        {"Edit", "setObjectElevation", 0, nullptr, "elevationText", "2'", "Undo Object Elevation"},
                        {"Plan", "setCeilingHeight", 5156, "Ceiling Height", "heightText", "9'", "Undo First Floor Ceiling Height"},
                        {"Plan", "setWorkingElevation", 0, nullptr, "elevationText", "10'", "Undo Working Elevation"},
                        {"Plan", "setTrueNorthAngle", 0, nullptr, "angleText", "30", "Undo Working Elevation"}};
    int count = 1;
    for (const Row& r : rows) {
        w->document()->updateChangeCount(2);  // as after a save
        ASSERT_TRUE(fromMenu(r.menu, r.action, r.tag, r.submenu)) << r.action;
        type(r.outlet, r.typed);
        ASSERT_TRUE(press("okButton")) << r.action;
        count += r.action != std::string("setTrueNorthAngle");
        EXPECT_EQ(std::tuple(steps(), undoTitle(), w->document()->isDocumentEdited()), std::tuple(count, QString(r.undo), true))
            << r.action;
    }
    EXPECT_EQ(std::tuple(GetLayerFromName("First Floor")->height, ds->currentElevation, ds->compassAngle),
              std::tuple(108.0f, 120.0f, 30.0f));

    // Escape in a sheet, the print dialog or the PowerTools launcher gives the keyboard back to
    // the window: a key pressed with the pointer off every window reaches the plan. The dialogs
    // run by exec hold the test's event loop, so Escape is pressed from a timer.
    const auto dialogUp = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(top); d && d->isVisible()) return d;
        return static_cast<QDialog*>(nullptr);
    };
    QString escaped;
    QTimer escape;
    QObject::connect(&escape, &QTimer::timeout, [&] {
        if (QDialog* d = dialogUp(); d && d->isActiveWindow() && escaped.isEmpty())
            escaped = d->windowTitle(), XDo({"key", "Escape"});
    });
    for (auto [menu, action] : {std::pair("Plan", "setTrueNorthAngle"), {"Plan", "setLotSize"}, {"Plan", "setMeasurementUnits"},
                                {"View", "setPlanZoom"}, {"File", "print"}, {"Window", "showPowerToolLauncherWindow"}}) {
        escaped.clear(), escape.start(100);
        ASSERT_TRUE(ChooseMenuItem(w, menu, action)) << action;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !escaped.isEmpty() && !dialogUp(); })) << action;
        escape.stop();
        ASSERT_TRUE(MovePointerOffWindows());
        EXPECT_TRUE(KeyReaches(w->docView())) << escaped.toStdString();
    }
}

// Each sheet that opens on a value to type takes a value typed at once, in place of the one
// shown, and Return applies it: a selected line and a plant at its middle moved, turned and
// raised, the design's heights, angle, lot, grid, trace image and plant ages set, in imperial
// and in metric; the new-text sheet takes typed text in its text box.
TEST_F(SheetWindow, EverySheetUsesTheValueTypedAsItOpens) {
    const PlatformRect shown = w->docView()->visibleRect();
    const float h = std::round(shown.x + shown.width / 2), d = std::round(shown.y + shown.height / 2);
    Objex* line = Shape(doc->itsCurLayer, objtype::kDetail, {{h - 20, d}, {h + 20, d}});
    Objex* plant = Make(objtype::kPlant).plan({{h, d}}).plant(10, 120).on(doc->itsCurLayer);
    SelectObj(line, selmode::kSelect, 1), SelectObj(plant, selmode::kSelect, 1);
    auto* trace = new TraceImage;
    trace->image.width = trace->image.height = 4;
    trace->image.rgb.assign(4 * 4 * 3, 255);
    doc->itsTraceImage = trace;
    ds->traceImageShown = 1, ds->traceImageScaleH = ds->traceImageScaleV = 1;
    w->docView()->update();
    auto at = [&](int i) { return PlanPositions(line)[i]; };
    struct Row {
        const char *menu, *action;
        int tag;
        const char *submenu, *outlet, *typed;
        std::function<bool()> used;
        bool metric = false;
    };
    const Row rows[] = {
        {"Edit", "moveObjects", 0, nullptr, "horizDistText", "10'", [&] { return at(0).first == h + 220; }},
        {"Plan", "movePlan", 0, nullptr, "horizDistText", "1'", [&] { return at(0).first == h + 244; }},
        {"Edit", "rotateObjects", 0, nullptr, "angleText", "90", [&] { return std::abs(at(0).first - at(1).first) < 0.01f; }},
        {"Plan", "rotatePlan", 0, nullptr, "angleText", "90", [&] { return std::abs(at(0).second - at(1).second) < 0.01f; }},
        {"Edit", "setObjectElevation", 0, nullptr, "elevationText", "2'", [&] { return line->elevation == 24; }},
        {"Plan", "setWorkingElevation", 0, nullptr, "elevationText", "10'", [&] { return ds->currentElevation == 120; }},
        {"Plan", "setCeilingHeight", 5156, "Ceiling Height", "heightText", "9'",
         [&] { return GetLayerFromName("First Floor")->height == 108; }},
        {"Plan", "setTrueNorthAngle", 0, nullptr, "angleText", "30", [&] { return ds->compassAngle == 30; }},
        {"Plan", "setLotSize", 0, nullptr, "widthText", "100", [&] { return ds->lotRect.floatRight == 1200; }},
        {"View", "setGridProperties", 0, nullptr, "gridHorSpacingText", "2'", [&] { return ds->gridSpacing.floatH == 24; }},
        {"View", "resizeFloorplanTraceImage", 5440, nullptr, "horScaleText", "50", [&] { return ds->traceImageScaleH == 0.5f; }},
        {"Plan", "setPlantGrowthProjection", 0, nullptr, "maxAgeText", "30", [&] { return doc->itsMaximumPlantAge == 33; }},
        {"Plan", "setPlantingAge", 0, nullptr, "plantAgeText", "7",
         [&] { return objfield::plant::kPlantingAge(*plant) == 7; }},
        {"Plan", "setWorkingElevation", 0, nullptr, "elevationText", "3 m",
         [&] { return std::abs(ds->currentElevation - 300 / 2.54f) < 0.01f; }, true},
        {"Plan", "setCeilingHeight", 5156, "Ceiling Height", "heightText", "2.7 m",
         [&] { return std::abs(GetLayerFromName("First Floor")->height - 270 / 2.54f) < 0.01f; }, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.action) + " " + r.typed);
        ds->units = r.metric ? kMetricUnits : kImperialUnits;
        ASSERT_TRUE(fromMenu(r.menu, r.action, r.tag, r.submenu));
        const QString before = sheet()->findChild<QLineEdit*>(QString::fromLatin1(r.outlet))->text();
        ASSERT_TRUE(typeAtOnce(r.outlet, r.typed)) << before.toStdString() << " shown, the field not focused";
        EXPECT_TRUE(r.used());
        ASSERT_TRUE(MovePointerOffWindows());
        EXPECT_TRUE(KeyReaches(w->docView())) << "the keyboard did not come back to the window";
    }

    ds->units = kImperialUnits;
    gCurTool = toolid::kText;
    const PlatformRect now = w->docView()->visibleRect();  // the lot sheet framed the plan anew
    ClickAt(w->docView(), onView(now.x + 60, now.y + 60));
    ASSERT_TRUE(sheetShown());
    auto* box = sheet()->findChild<QWidget*>(QStringLiteral("textView"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); })) << "the text box has no keyboard";
    XDo({"type", "--", "Hall"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->property("plainText") == "Hall"; }));
    ASSERT_TRUE(press("okButton"));
    gCurTool = toolid::kSelect;
    const Objex* text = doc->itsCurLayer->lastObject;
    ASSERT_TRUE(text && text->typeData.kind == TypeDataKind::Text);
    EXPECT_STREQ(text->typeData.text->text, "Hall");
}

// The grid and the trace image sheets redraw the plan: grid lines a foot apart (24 points at
// zoom 1) become two feet apart; a trace image of 60 x 40 pixels is drawn 30 x 80; dots chosen
// show at 40, 45 and 50 %.
TEST_F(SheetWindow, GridAndTraceImageSheetsRedrawThePlan) {
    ds->showGrid = 1, ds->gridStyle = 1;
    ds->gridSpacing = {12, 12};
    ds->gridColor = {0, 0, 0xFFFF};
    auto* trace = new TraceImage;
    trace->image.width = 60, trace->image.height = 40;
    for (int i = 0; i < 60 * 40; ++i) trace->image.rgb.insert(trace->image.rgb.end(), {255, 0, 0});
    doc->itsTraceImage = trace;
    ds->traceImageShown = 1, ds->traceImageScaleH = ds->traceImageScaleV = 1;
    // The image lies on the plan's origin: into the middle of the view.
    const PlatformRect shown = w->docView()->visibleRect();
    w->docView()->scrollRectToVisible({-shown.width / 2, -shown.height / 2, shown.width, shown.height});
    w->docView()->update();
    const QRgb red = qRgb(255, 0, 0);
    ASSERT_TRUE(gridGap(24)) << "no grid a foot apart";
    ASSERT_TRUE(fromMenu("View", "setGridProperties"));
    type("gridHorSpacingText", "2'");
    ASSERT_TRUE(press("okButton"));
    EXPECT_TRUE(gridGap(48)) << "the grid was not redrawn two feet apart";

    auto traceSize = [&](QSize want) {
        return QTest::qWaitFor([&] {
            const QImage image = plan();
            QRect box;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) == red) box |= QRect(x, y, 1, 1);
            return std::abs(box.width() - want.width()) <= 1 && std::abs(box.height() - want.height()) <= 1;
        });
    };
    ASSERT_TRUE(traceSize({60, 40})) << "no trace image";
    ASSERT_TRUE(fromMenu("View", "resizeFloorplanTraceImage", 5440));
    type("horScaleText", "50");
    type("verScaleText", "200");
    ASSERT_TRUE(press("okButton"));
    EXPECT_TRUE(traceSize({30, 80})) << "the trace image was not redrawn at its new size";

    // Dots: each marks its pixel at every zoom, wherever the view's origin falls between pixels.
    ASSERT_TRUE(fromMenu("View", "setGridProperties"));
    auto* style = sheet()->findChild<QComboBox*>(QStringLiteral("gridStylePopUpButton"));
    ClickAt(style, style->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return style->view()->window()->isVisible(); })) << "no style list";
    XDo({"key", "Down", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return style->currentText() == "Dots"; }));
    ASSERT_TRUE(press("okButton"));
    for (const char* percent : {"40", "45", "50"}) {
        ASSERT_TRUE(fromMenu("View", "setPlanZoom"));
        type("zoomScaleText", percent);
        ASSERT_TRUE(press("okButton"));
        int dots = 0;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            const QImage image = plan();
            dots = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) dots += image.pixel(x, y) == qRgb(0, 0, 255);
            return dots > 100;
        })) << percent << "%: " << dots << " grid-colour pixels";
    }
}

// The grid sheet's snap spacing, typed as 6": the grid drawn stays a foot apart (24 points at
// zoom 1), and a wall drawn with the exterior wall tool's cell and the server's mouse ends on
// 6-inch steps (12 plan units). The press at (19, 17) floors to (12, 12), an odd number of
// steps, which a grid a foot apart would floor to (0, 0); dragged 143 right, the wall's length
// from there (150.08, at 2 degrees, which round to 0) floors to 144.
TEST_F(SheetWindow, TheSnapSpacingStepsAWallsEndsAndLeavesTheGridDrawn) {
    ds->showGrid = 1, ds->gridStyle = 1, ds->snapToGrid = 1;
    ds->gridSpacing = {12, 12}, ds->snapIncrement = {1, 1};
    ds->gridColor = {0, 0, 0xFFFF};
    const PlatformRect shown = w->docView()->visibleRect();
    w->docView()->scrollRectToVisible({-shown.width / 2, -shown.height / 2, shown.width, shown.height});
    w->docView()->update();
    ASSERT_TRUE(gridGap(24)) << "no grid a foot apart";
    ASSERT_TRUE(fromMenu("View", "setGridProperties"));
    type("snapHorSpacingText", "6\"");
    type("snapVerSpacingText", "6\"");
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->snapIncrement.floatH, ds->snapIncrement.floatV, ds->gridSpacing.floatH, undoTitle()),
              std::tuple(6.0f, 6.0f, 12.0f, QString("Undo Grid Properties")));
    EXPECT_TRUE(gridGap(24)) << "the grid drawn changed with the snap spacing";

    PlanToolPaletteController* tools = PlanToolPaletteController::shared();
    tools->showWindow(), tools->window()->move(0, 900);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tools->window()));
    ASSERT_TRUE(ChooseToolCell(7050, 1));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    ASSERT_TRUE(DragInPlan(w->docView(), QPoint(19, 17), {QPoint(90, 17), QPoint(162, 17)}));
    const Objex* wall = doc->itsCurLayer->firstObject;
    ASSERT_TRUE(wall && wall->type == objtype::kWall) << "no wall drawn";
    EXPECT_EQ(PlanPositions(wall), (std::vector<std::pair<float, float>>{{12, 12}, {156, 12}}));
    EXPECT_EQ(undoTitle(), "Undo Exterior Wall Tool");
    EXPECT_TRUE(gridGap(24));
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-snap.png"));
}

// The view menu's plan sheets, chosen and filled with the server's mouse and keys: metric
// units show in the elevation readout with one step; another scale and a zoom redraw the grid
// at their sizes (a foot is 24 points at zoom 1), the zoom with no step; the zoom tool's double
// click opens the zoom sheet; a new lot size, from the menu or the toolbar, changes the lot
// and marks the design edited with no step.
TEST_F(SheetWindow, UnitsScaleZoomAndLotSheetsChangeWhatThePlanShows) {
    ds->currentElevation = 120;
    ds->showGrid = 1, ds->gridStyle = 1, ds->gridSpacing = {12, 12}, ds->gridColor = {0, 0, 0xFFFF};
    ds->planScaleChoice = 9, ds->savedZoom = ds->zoomFactor = 1;
    w->docView()->update();

    ASSERT_TRUE(fromMenu("Plan", "setMeasurementUnits"));
    auto* units = sheet()->findChild<QComboBox*>(QStringLiteral("unitsPopUpButton"));
    ClickAt(units, units->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return units->view()->window()->isVisible(); })) << "no unit list";
    XDo({"key", "Down", "Return"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !units->view()->window()->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheet()->findChild<QWidget*>(QStringLiteral("field3PopUpButton"))->isVisible(); }))
        << "metric was not chosen";
    QTest::qWait(300);  // the sheet shrinks without the imperial rows
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->units, steps(), undoTitle()), std::tuple(kMetricUnits, 1, QString("Undo Measurement Options")));
    // Ten feet read as metres.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->elevationText()->text().startsWith("3"); }))
        << w->elevationText()->text().toStdString();

    const QRgb blue = qRgb(0, 0, 255);
    // What the scroll view shows of the plan (the view itself is as large as the lot).
    auto shownPlan = [&] {
        QWidget* port = w->docView()->parentWidget();
        const QPoint at = port->mapToGlobal(QPoint(0, 0));
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), port->width(), port->height()).toImage();
    };
    // Gaps between bluish runs: lines off whole pixels blend with the white around them.
    auto bluish = [](const QImage& image) {
        QImage marked = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < marked.height(); ++y)
            for (int x = 0; x < marked.width(); ++x) {
                const QRgb p = marked.pixel(x, y);
                marked.setPixel(x, y, qBlue(p) > qRed(p) + 60 ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
            }
        return marked;
    };
    auto gridGap = [&](int want) {
        return QTest::qWaitFor([&] {
            const QImage image = bluish(shownPlan());
            // One of a few rows, as one may run along a horizontal line.
            for (int row = image.height() / 3; row < image.height() / 3 + 6; ++row) {
                const std::vector<int> g = Gaps(image, row, blue);
                if (g.size() >= 3 && std::count(g.begin(), g.end(), want) >= int(g.size()) - 1) return true;
            }
            return false;
        });
    };
    ds->units = kImperialUnits;
    ASSERT_TRUE(gridGap(24)) << "no grid a foot apart";
    ASSERT_TRUE(fromMenu("Plan", "setPlanScale"));
    QWidget* eighth = sheet()->findChild<RadioMatrix*>(QStringLiteral("scaleMatrix"))->cell(8);
    ClickAt(eighth, QPoint(8, eighth->height() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet()->findChild<RadioMatrix*>(QStringLiteral("scaleMatrix"))->selectedTag() == 8; }));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->zoomFactor, steps(), undoTitle()), std::tuple(0.5f, 2, QString("Undo Plan Scale")));
    EXPECT_TRUE(gridGap(12)) << "the plan was not redrawn at the smaller scale";

    ASSERT_TRUE(fromMenu("View", "setPlanZoom"));
    EXPECT_EQ(sheet()->findChild<QLineEdit*>(QStringLiteral("zoomScaleText"))->text(), "133");
    type("zoomScaleText", "200");  // 2 x 36 / 96
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->zoomFactor, steps()), std::tuple(0.75f, 2));
    EXPECT_TRUE(gridGap(18)) << "the plan was not redrawn at the new zoom";

    QWidget* palette = ToolPaletteController::shared()->window();
    palette->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette));
    const QWidget* zoomTool = ToolPaletteController::shared()->toolButtons()->cell(203);
    const QPoint at = zoomTool->mapToGlobal(zoomTool->rect().center());
    XDo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "--repeat", "2", "--delay", "80", "1"});
    ASSERT_TRUE(sheetShown());
    EXPECT_EQ(sheet()->objectName(), "PlanZoomSheet");
    ASSERT_TRUE(press("cancelButton"));
    palette->hide();
    // What is typed as the sheet opens replaces the zoom shown.
    ASSERT_TRUE(fromMenu("View", "setPlanZoom"));
    ASSERT_TRUE(typeAtOnce("zoomScaleText", "100"));
    EXPECT_EQ(ds->zoomFactor, 0.375f);  // 1 x 36 / 96
    ASSERT_TRUE(fromMenu("View", "setPlanZoom"));
    EXPECT_EQ(sheet()->findChild<QLineEdit*>(QStringLiteral("zoomScaleText"))->text(), "100");
    ASSERT_TRUE(press("cancelButton"));

    w->document()->updateChangeCount(2);  // as after a save
    ASSERT_TRUE(fromMenu("Plan", "setLotSize"));
    type("widthText", "100");
    type("depthText", "50");
    ASSERT_TRUE(press("okButton"));
    // 100 by 50 feet: 2400 by 1200 plan units about the origin.
    EXPECT_EQ(std::tuple(ds->lotRect.floatLeft, ds->lotRect.floatRight, ds->lotRect.floatTop, ds->lotRect.floatBottom),
              std::tuple(-1200.0f, 1200.0f, -600.0f, 600.0f));
    EXPECT_EQ(std::tuple(steps(), w->document()->isDocumentEdited()), std::tuple(2, true));
    QWidget* lotItem = w->docToolbar()->widgetForAction(
        w->docToolbar()->findChild<QAction*>(QStringLiteral("Document Toolbar Lot Properties Item")));
    ASSERT_NE(lotItem, nullptr);
    ClickAt(lotItem, lotItem->rect().center());
    ASSERT_TRUE(sheetShown());
    EXPECT_EQ(sheet()->findChild<QLineEdit*>(QStringLiteral("widthText"))->text(), "100");
    type("depthText", "80");
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->lotRect.floatTop, steps()), std::tuple(-960.0f, 2));
}

// The visible controls of `root` (itself too) reaching out of `room`, or holding a text wider
// than they are; waits until there are none.
std::string Cut(QWidget* root, QWidget* room) {
    std::string cut;
    const bool whole = QTest::qWaitFor([&] {
        cut.clear();
        QList<QWidget*> all = root->findChildren<QWidget*>();
        for (QWidget* c : all << root) {
            const auto* box = qobject_cast<QComboBox*>(c);
            const auto* button = qobject_cast<QAbstractButton*>(c);
            QStyleOptionComboBox o;
            o.initFrom(c);
            const int text = box ? box->fontMetrics().horizontalAdvance(box->currentText()) : 0;
            const int need = box ? c->style()->sizeFromContents(QStyle::CT_ComboBox, &o, {text, 1}, c).width()
                             : button && !button->text().isEmpty() ? c->sizeHint().width() : 0;
            const int left = c->mapTo(room, QPoint(0, 0)).x();
            if (c->isVisible() && (c->width() < need || left < 0 || left + c->width() > room->width()))
                cut += c->objectName().toStdString() + " ";
        }
        return cut.empty();
    });
    return whole ? std::string() : cut;
}

// The window at its first size: a metric design's units sheet turned imperial, the panes of a
// drawn rectangle, the wall dimension tool and the exterior wall tool show every control whole.
// The rectangle's Adjust Curve sheet takes a tension typed at once, shown at its next opening.
// A placed pane and the no-properties view follow the column as it gets shorter, and the
// freehand roof and fixture light panes show whole at the first size on other screens.
TEST_F(SheetWindow, ControlsShowWholeAtTheWindowsFirstSize) {
    ds->units = kMetricUnits;
    ASSERT_TRUE(fromMenu("Plan", "setMeasurementUnits"));
    ASSERT_TRUE(ChoosePopUpItem(sheet()->findChild<QComboBox*>(QStringLiteral("unitsPopUpButton")), "Imperial"));
    EXPECT_EQ(Cut(sheet(), sheet()), "");
    ASSERT_TRUE(press("cancelButton"));
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    QWidget* edit = ToolPaletteController::shared()->window();
    plan->showWindow(), plan->window()->move(0, 900), edit->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(plan->window()) && QTest::qWaitForWindowExposed(edit));
    // The pane holding the control once the tab and the tool's cell (when given) are clicked.
    auto paneWith = [&](const char* control, int tab = -1, int16_t tool = 0) {
        if (tab >= 0) ClickAt(w->docTabView(), w->docTabView()->tabRect(tab).center());
        if (tool) {
            EXPECT_TRUE(ChooseToolCell(tool, tab)) << tool;
        }
        QWidget* c = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (c = w->parentInspectorView()->findChild<QWidget*>(control)) && c->isVisible(); }));
        return c ? c->parentWidget() : w->parentInspectorView();
    };
    QWidget* column = w->inspectorScrollView()->viewport();
    paneWith("lineStylePopUpButton", 8, toolid::kRectangle);
    ASSERT_TRUE(DragInPlan(w->docView(), QPoint(100, 100), {QPoint(150, 130), QPoint(200, 160)}));
    QWidget* detail = paneWith("adjustCurveButton");
    EXPECT_EQ(Cut(detail, column), "");
    QWidget* adjust = detail->findChild<QWidget*>(QStringLiteral("adjustCurveButton"));
    for (int i = 0; i < 2; ++i) {
        ClickAt(adjust, adjust->rect().center() + QPoint(i, 0));  // a move each time, which --sync waits for
        ASSERT_TRUE(sheetShown());
        EXPECT_EQ(sheet()->findChild<QLineEdit*>(QStringLiteral("tensionText"))->text(), i ? "5" : "8");
        ASSERT_TRUE(typeAtOnce("tensionText", "5"));
        EXPECT_EQ(std::tuple(gTension, undoTitle()), std::tuple(int16_t(5), QString("Undo Smooth Objects")));
    }
    EXPECT_EQ(Cut(paneWith("dimensionFromButtons1", -1, 208), column), "");
    EXPECT_EQ(Cut(paneWith("wallStyleTableView", 1, toolid::kExteriorWall), column), "");
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-first-size.png"));

    // The column made shorter under a placed pane: the exterior wall pane placed while the
    // content library is hidden, then the library shown again; the door pane with the window
    // made short. The window is made active first, which places the pane again: what follows
    // is the column's change alone. With nothing to show, the no-properties view fills the
    // short column.
    QScrollArea* area = w->inspectorScrollView();
    const auto whole = [&](QWidget* pane) {
        for (int i = 0; i < 10; ++i)  // the column and its scroll bars settled first
            if (ResizesWithin({column, w->parentInspectorView(), pane}, 200) == 0) break;
        std::string cut = Cut(pane, column);
        if (!QTest::qWaitFor([&] { return !area->horizontalScrollBar()->isVisible(); }, 1000)) cut += "(a scroll bar across)";
        return cut;
    };
    const auto resizeTo = [&](int height) {
        XDo({"windowsize", "--sync", QString::number(w->winId()), "1024", QString::number(height)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->height() == height; })) << height;
    };
    const auto activate = [&](int dx) {
        ClickAt(w->statusBar(), QPoint(10 + dx, w->statusBar()->height() / 2));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow(); }));
        QTest::qWait(200);
    };
    QWidget* content = w->docToolbar()->widgetForAction(
        w->docToolbar()->findChild<QAction*>(QStringLiteral("Document Toolbar Content Item")));
    ClickAt(content, content->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->isContentLibraryShown(); }));
    plan->window()->move(0, 0);  // above the window, however tall it is made
    paneWith("wallStyleTableView", 1, 7052);  // the interior wall
    QWidget* wall = paneWith("wallStyleTableView", 1, toolid::kExteriorWall);
    activate(0);
    ClickAt(content, content->rect().center() + QPoint(1, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isContentLibraryShown(); }));
    EXPECT_EQ(whole(wall), "") << "the library shown again";
    QWidget* door = paneWith("doorStyleTableView", 1, toolid::kDoor);
    activate(1);
    resizeTo(420);
    EXPECT_EQ(whole(door), "") << "the window made short";
    ASSERT_TRUE(ChooseToolCell(toolid::kSelect));
    resizeTo(480);
    QWidget* none = w->noPropertiesView();
    EXPECT_TRUE(QTest::qWaitFor([&] { return none->isVisible() && none->size() == area->viewport()->size(); }))
        << none->width() << " x " << none->height() << " in " << area->viewport()->width() << " x " << area->viewport()->height();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible());

    // The window's first heights on 1280 x 800, 1600 x 1000 and 1920 x 1080 screens: the
    // freehand roof panes and the fixture light pane show whole.
    for (int height : {763, 963, 1043}) {
        resizeTo(height);
        for (const auto& [tool, control] : {std::pair<int16_t, const char*>(7306, "elevationButtons"), {7307, "soffitBox"},
                                            {7308, "soffitBox"}, {toolid::kFixtureLights, "lightStyleTableView"}}) {
            EXPECT_EQ(whole(paneWith(control, tool == toolid::kFixtureLights ? 2 : 4, tool)), "")
                << tool << " at a height of " << height;
        }
    }
}

// The key-entry tool's click on a ten-foot fence segment opens its sheet; 12' and OK make the
// segment twelve feet in one step, and 14' typed as it opens again and Return fourteen. A wall
// dragged with tool 7051 opens the wall key-entry sheet on the document window; 10' and OK
// make it ten feet in one "Exterior Wall Tool" step.
float SegmentLength(Objex* o) {
    const Poinz* a = o->firstPoint;
    const Poinz* b = a->next;
    float length = 0;
    GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
    return length;
}

TEST_F(SheetWindow, TypedLengthToolsResizeTheSegmentTheyClick) {
    RegisterDraftingTrackers();
    RegisterToolTrackers();
    ds->snapToGrid = 0;
    QMDDocumentView* view = w->docView();
    const PlatformRect shown = view->visibleRect();
    const float h = std::round(shown.x + shown.width / 2), d = std::round(shown.y + shown.height / 4);
    auto moveTo = [&](float x, float y) {
        const QPoint p = view->mapToGlobal(QPointF(x - view->boundsOrigin().x, y - view->boundsOrigin().y)).toPoint();
        XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    };
    Objex* fence = Shape(doc->itsCurLayer, objtype::kFence, {{h - 120, d}, {h + 120, d}});
    PointAt(fence, 0)->detectable = PointAt(fence, 1)->detectable = 1;
    view->update();
    gCurTool = toolid::kKeyEntry;
    moveTo(h, d), XDo({"click", "1"});
    ASSERT_TRUE(sheetShown()) << "the key-entry click opened nothing";
    EXPECT_EQ(sheet()->objectName(), "KeyEntrySheet");
    type("lengthText", "12'");
    ASSERT_TRUE(press("okButton"));
    EXPECT_NEAR(SegmentLength(fence), 288, 1e-3);
    EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(1, QString("Undo Resize Segment")));
    // A length typed as the sheet opens replaces the one shown; Return applies it.
    moveTo(h, d), XDo({"click", "1"});
    ASSERT_TRUE(sheetShown());
    ASSERT_TRUE(typeAtOnce("lengthText", "14'"));
    EXPECT_NEAR(SegmentLength(fence), 336, 1e-3);

    gCurTool = 7051;
    moveTo(h - 100, d + 200), XDo({"mousedown", "1"});
    moveTo(h - 20, d + 200), moveTo(h + 100, d + 200);
    XDo({"mouseup", "1"});
    ASSERT_TRUE(sheetShown()) << "the wall drag opened nothing";
    EXPECT_EQ(std::tuple(sheet()->objectName(), sheet()->parentWidget()), std::tuple(QString("WallKeyEntrySheet"), static_cast<QWidget*>(w)));
    type("lengthText", "10'");
    ASSERT_TRUE(press("okButton"));
    ASSERT_TRUE(MovePointerOffWindows());
    EXPECT_TRUE(KeyReaches(view)) << "the keyboard did not come back after the wall's length";
    Objex* wall = doc->itsCurLayer->firstObject;
    while (wall->next) wall = wall->next;
    ASSERT_EQ(wall->type, objtype::kWall);
    EXPECT_NEAR(SegmentLength(wall), 240, 1e-3);
    EXPECT_EQ(std::tuple(steps(), undoTitle()), std::tuple(3, QString("Undo Exterior Wall Tool")));
    gCurTool = toolid::kSelect;
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_sheets <screenshot.png>"); }
