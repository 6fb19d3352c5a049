// The sheets on a document window of the offscreen platform, opened through the command
// layer's openers as the menus open them: where they attach, what Cancel leaves behind, what
// each one's OK does to the design, the undo list and the readouts, and their live controls.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "model/selection_roster.h"
#include "plan/refresh_seams.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/scene_checks.h"
#include "scene/scene_build.h"
#include "tools/wall_construction.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/sheet_seams.h"
#include "app/core/sheet_values.h"
#include "ui/core/wall_sheet_seams.h"
#include "content/core/content_selection_seams.h"
#include "tracking/tracking_state.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

using W = Win32EventHandler;
using Opener = std::function<void(W&)>;
using Typed = std::vector<std::pair<const char*, QString>>;

// Alerts as RecordingAlerts keeps them, noting whether a sheet was still up at each.
class AlertsAfterSheets : public RecordingAlerts {
public:
    void beginSheet(const port::Alert& alert, std::function<void(int)> onEnd) override {
        sheetUp.push_back(false);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<SheetDialog*>(w) && w->isVisible()) sheetUp.back() = true;
        RecordingAlerts::beginSheet(alert, std::move(onEnd));
    }
    std::vector<bool> sheetUp;
};

// An imperial design: an outline whose first two points are selected, an outline not selected
// at all and one on the hidden second floor. Ten feet are 240 plan units at the scale 36.
class Sheets : public ::testing::Test {
public:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("sheets"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        ds = d->model()->itsDocState, first = GetLayerFromName("First Floor");
        a = Shape(first, objtype::kDetail, {{0, 0}, {100, 0}, {100, 50}}, true);
        b = Shape(first, objtype::kDetail, {{-60, 20}, {-20, 20}});
        hidden = Shape(GetLayerFromName("Second Floor"), objtype::kDetail, {{0, 0}, {10, 0}});
        GetLayerFromName("Second Floor")->visible = 0;
        PointAt(a, 0)->selected = PointAt(a, 1)->selected = 1;
        NoteSelectionIn(a);
        SetInspectorUpdatePropertiesStateHandler([this](int32_t) { ++inspector; });
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    template <class T = QLineEdit>
    T* find(const char* outlet) { return sheet()->findChild<T*>(QString::fromLatin1(outlet)); }
    // A click through the window system, which honours the sheet's modality; near the left
    // end, where a radio button's circle is.
    static void click(QWidget* b) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(b->window()));
        const QPoint at(std::min(8, b->width() / 2), b->height() / 2);
        QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {}, b->mapTo(b->window(), at));
    }
    // Presses the button and waits until the sheet is gone (freed, not only hidden).
    bool press(const char* button) {
        QPointer<SheetDialog> s = sheet();
        if (!s) return false;
        click(s->findChild<QPushButton*>(QString::fromLatin1(button)));
        return QTest::qWaitFor([&] { return s.isNull(); });
    }
    bool open(const Opener& opener) {
        W c(AsCommandWindow(w));
        opener(c);
        return sheet() != nullptr;
    }
    // Opens the sheet, chooses the matrix's cell, types into the fields and presses OK.
    bool okWith(const Opener& opener, const Typed& typed, const char* matrix = nullptr, int cell = 0) {
        if (!open(opener)) return false;
        if (matrix) click(find<RadioMatrix>(matrix)->cell(cell));
        for (const auto& [outlet, text] : typed) find(outlet)->setText(text);
        return press("okButton");
    }
    QUndoStack* stack() { return w->document()->undoStack(); }

    std::unique_ptr<TempFolders> folders;
    AlertsAfterSheets alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    DocState* ds = nullptr;
    Layer* first = nullptr;
    Objex *a = nullptr, *b = nullptr, *hidden = nullptr;
    int inspector = 0;  // inspector refreshes
};

float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }

const Opener kFirstFloorCeiling = [](W& c) { c.setCeilingHeightForLayer(GetLayerFromName("First Floor")); };
// The opener once nothing is selected, or once the design is metric.
Opener Unselected(Opener o) { return [o](W& c) { SelectLayer(GetLayerFromName("First Floor"), selmode::kDeselect, 1), o(c); }; }
Opener Metric(Opener o) { return [o](W& c) { gCurDocument->itsDocState->units = kMetricUnits, o(c); }; }
// The opener at scale code 9 with the top view at 0.6 and the other views at 0.5.
Opener AtZooms(Opener o) {
    return [o](W& c) {
        DocState* ds = gCurDocument->itsDocState;
        ds->planScaleChoice = 9, ds->savedZoom = ds->zoomFactor = 0.6f, ds->printZoom = 0.5f;
        o(c);
    };
}

const std::pair<const char*, Opener> kOpeners[] = {
    {"CompassSheet", &W::setTrueNorthAngleUsingWindow},
    {"MoveObjectsSheet", &W::moveObjectsUsingWindow},
    {"MovePlanSheet", &W::movePlanUsingWindow},
    {"RotateObjectsSheet", &W::rotateObjectsUsingWindow},
    {"RotatePlanSheet", &W::rotatePlanUsingWindow},
    {"ObjectElevationSheet", &W::setObjectElevationUsingWindow},
    {"WorkingElevationSheet", &W::setWorkingElevationUsingWindow},
    {"CeilingHeightSheet", kFirstFloorCeiling},
    {"GridPropertiesSheet", &W::setGridPropertiesUsingWindow},
    {"CurveTensionSheet", &W::smoothSelected},
    {"TraceImageScaleSheet", &W::resizeFloorplanTraceImageUsingWindow},
    {"MeasurementUnitsSheet", &W::setMeasurementUnitsUsingWindow},
    {"PlanScaleSheet", &W::setPlanScaleUsingWindow},
    {"PlanZoomSheet", &W::setPlanZoomUsingWindow},
    {"LotSizeSheet", &W::setLotSizeUsingWindow},
};

// Every opener attaches its sheet to the window it was given, window-modally, one at a time.
// Cancel after every field and switch was changed, OK with no current design, and the window
// making room for an alert, leave the design, the undo list and the plan as they were.
TEST_F(Sheets, EachOpensOnTheWindowAndCancelOrOKWithoutADesignChangesNothing) {
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    const DocState before = *ds;
    QMDDocumentModel* doc = gCurDocument;
    for (const auto& [role, opener] : kOpeners) {
        SCOPED_TRACE(role);
        ASSERT_TRUE(open(opener));
        SheetDialog* s = sheet();
        open(opener);  // a second opening while it is up adds nothing
        EXPECT_EQ(std::tuple(s->objectName(), s->parentWidget(), s->windowModality(), w->findChildren<SheetDialog*>().size()),
                  std::tuple(QString(role), static_cast<QWidget*>(w), Qt::WindowModal, qsizetype(1)));
        for (QLineEdit* f : s->findChildren<QLineEdit*>()) f->setText("7'");
        for (QAbstractButton* b : s->findChildren<QAbstractButton*>())
            if (b->isCheckable()) b->click();
        if (auto* slider = s->findChild<QSlider*>()) slider->setValue(slider->maximum() / 3);
        ASSERT_TRUE(press("cancelButton"));

        ASSERT_TRUE(open(opener));
        for (QLineEdit* f : sheet()->findChildren<QLineEdit*>()) f->setText("3");
        gCurDocument = nullptr;
        const bool closed = press("okButton");
        gCurDocument = doc;
        ASSERT_TRUE(closed);

        ASSERT_TRUE(open(opener));
        QPointer<SheetDialog> up = sheet();
        for (QLineEdit* f : up->findChildren<QLineEdit*>()) f->setText("3");
        CloseMainWindowSheet();
        EXPECT_TRUE(QTest::qWaitFor([&] { return up.isNull(); }));
    }
    EXPECT_EQ(std::memcmp(&before, ds, sizeof before), 0) << "the settings record changed";
    EXPECT_EQ(PlanPositions(a), (std::vector<std::pair<float, float>>{{0, 0}, {100, 0}, {100, 50}}));
    EXPECT_EQ(std::tuple(first->height, stack()->count(), refreshes, alerts.shown.size(), w->document()->isDocumentEdited()),
              std::tuple(96.0f, 0, 0, size_t(0), false));

    // No window, or no floor for the ceiling height: nothing opens.
    NewCompassSheetForParent(nullptr);
    NewMoveObjectsPanelForParent(nullptr);
    NewCeilingHeightSheetForParent(nullptr, first);
    W(AsCommandWindow(w)).setCeilingHeightForLayer(nullptr);
    for (QWidget* t : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<SheetDialog*>(t), nullptr);
}

struct OkRow {
    const char* name;
    Opener open;
    Typed typed;
    const char* undo;  // the step stored, or null for none
    std::function<::testing::AssertionResult(Sheets&)> check;
    const char* readout = nullptr;  // the elevation readout after
    const char* matrix = nullptr;   // a radio matrix whose cell is chosen first
    int cell = 0;
};
void PrintTo(const OkRow& row, std::ostream* os) { *os << row.name; }

class SheetOK : public Sheets, public ::testing::WithParamInterface<OkRow> {};

TEST_P(SheetOK, ChangesTheDesignByItsNamedStep) {
    const OkRow& r = GetParam();
    ASSERT_TRUE(okWith(r.open, r.typed, r.matrix, r.cell));
    EXPECT_TRUE(r.check(*this));
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText()), std::tuple(r.undo ? 1 : 0, QString(r.undo ? r.undo : "")));
    if (r.readout) {
        EXPECT_EQ(w->elevationText()->text(), r.readout);
    }
}

// The selection's centre is (50, 0); 90 degrees turn counter-clockwise on the screen and move
// up the plan. Grid spacings are held to a sixteenth of an inch (a centimetre in metric) and
// 500 inches; a metric length left as shown reads back exactly what it was shown from.
const OkRow kOkRows[] = {
    {"TrueNorthToTheNearestDegree", &W::setTrueNorthAngleUsingWindow, {{"angleText", "12.6"}}, nullptr,
     [](Sheets& t) { return Near({t.ds->compassAngle, t.w->document()->isDocumentEdited()}, {13, 1}); }},
    // Refused, the angle is 0 as it was: the design is as its file holds it, unmarked.
    {"TrueNorthOutOfRange", &W::setTrueNorthAngleUsingWindow, {{"angleText", "400"}}, nullptr,
     [](Sheets& t) { return Near({t.ds->compassAngle, t.w->document()->isDocumentEdited()}, {0, 0}); }},
    {"MoveObjectsByXAndY", &W::moveObjectsUsingWindow, {{"horizDistText", "10'"}, {"vertDistText", "2'"}}, "Move",
     [](Sheets& t) {
         return Near({H(t.a, 0), D(t.a, 0), H(t.a, 1), H(t.a, 2), D(t.a, 2), H(t.b, 0)}, {240, -48, 340, 100, 50, -60});
     }},
    {"MoveObjectsByAngleAndDistance", &W::moveObjectsUsingWindow, {{"horizDistText", "90"}, {"vertDistText", "5'"}}, "Move",
     [](Sheets& t) { return Near({H(t.a, 0), D(t.a, 0), D(t.a, 1)}, {0, -120, -120}, 1e-3); }, nullptr,
     "coordinateSysMatrix", 1},
    {"MoveObjectsByNothing", &W::moveObjectsUsingWindow, {}, nullptr, [](Sheets& t) { return Near({H(t.a, 0)}, {0}); }},
    {"MoveObjectsByAngleAlone", &W::moveObjectsUsingWindow, {{"horizDistText", "45"}}, nullptr,
     [](Sheets& t) { return Near({H(t.a, 0)}, {0}); }, nullptr, "coordinateSysMatrix", 1},
    {"MovePlanMovesEveryFloorShownOrHiddenAndTheirBounds", &W::movePlanUsingWindow,
     {{"horizDistText", "-5'"}, {"vertDistText", "-1'"}}, "Move Entire Plan", [](Sheets& t) {
         return Near({H(t.a, 0), D(t.a, 0), H(t.a, 2), D(t.a, 2), H(t.b, 0), t.b->bounds.floatLeft,
                      t.b->bounds.floatTop, H(t.hidden, 1)},
                     {-120, 24, -20, 74, -180, -180, 44, -110});
     }},
    {"RotateObjectsInDegrees", &W::rotateObjectsUsingWindow, {{"angleText", "90"}}, "Rotate", [](Sheets& t) {
         return Near({H(t.a, 0), D(t.a, 0), H(t.a, 1), D(t.a, 1), H(t.a, 2), t.inspector}, {50, 50, 50, -50, 100, 1}, 1e-3);
     }},
    {"RotateObjectsInRadians", &W::rotateObjectsUsingWindow, {{"angleText", "3.14159"}}, "Rotate",
     [](Sheets& t) { return Near({H(t.a, 0), D(t.a, 0), H(t.a, 1)}, {100, 0, 0}, 0.01); }, nullptr, "angleUnitSysMatrix", 1},
    {"RotatePlanAboutTheOriginWithNothingSelected", Unselected(&W::rotatePlanUsingWindow), {{"angleText", "180"}},
     "Rotate Entire Plan",
     [](Sheets& t) { return Near({H(t.b, 0), D(t.b, 0), H(t.a, 1), t.inspector}, {60, -20, -100, 0}, 1e-3); }},
    {"RotatePlanByNothing", &W::rotatePlanUsingWindow, {}, nullptr, [](Sheets& t) { return Near({H(t.b, 0)}, {-60}); }},
    {"ObjectElevation", &W::setObjectElevationUsingWindow, {{"elevationText", "2'"}}, "Object Elevation",
     [](Sheets& t) { return Near({t.a->elevation, t.b->elevation}, {24, 0}); }, "2'"},
    {"WorkingElevationAtItsTop", Unselected(&W::setWorkingElevationUsingWindow), {{"elevationText", "1200"}},
     "Working Elevation", [](Sheets& t) { return Near({t.ds->currentElevation}, {1200}); }, "100'"},
    {"WorkingElevationAboveIsIgnoredYetStored", Unselected(&W::setWorkingElevationUsingWindow),
     {{"elevationText", "1201"}}, "Working Elevation", [](Sheets& t) { return Near({t.ds->currentElevation}, {0}); }, "0'"},
    {"WorkingElevationBelowIsIgnoredYetStored", Unselected(&W::setWorkingElevationUsingWindow),
     {{"elevationText", "-1201"}}, "Working Elevation", [](Sheets& t) { return Near({t.ds->currentElevation}, {0}); }, "0'"},
    {"CeilingHeightOfOneFoot", kFirstFloorCeiling, {{"heightText", "12"}}, "First Floor Ceiling Height",
     [](Sheets& t) { return Near({t.first->height, t.alerts.shown.size()}, {12, 0}); }},
    {"CeilingHeightOf1000Inches", kFirstFloorCeiling, {{"heightText", "1000"}}, "First Floor Ceiling Height",
     [](Sheets& t) { return Near({t.first->height, t.alerts.shown.size()}, {1000, 0}); }},
    // 11 15/16, as 11.99 would round to 12 at the sixteenth-inch readout.
    {"CeilingHeightTooLow", kFirstFloorCeiling, {{"heightText", "11 15/16"}}, nullptr,
     [](Sheets& t) { return Near({t.first->height, t.alerts.shown.size()}, {96, 1}); }},
    {"CeilingHeightTooHigh", kFirstFloorCeiling, {{"heightText", "1000.5"}}, nullptr,
     [](Sheets& t) { return Near({t.first->height, t.alerts.shown.size()}, {96, 1}); }},
    {"CeilingHeightUnchanged", kFirstFloorCeiling, {{"heightText", "8'"}}, nullptr,
     [](Sheets& t) { return Near({t.first->height, t.alerts.shown.size()}, {96, 0}); }},
    {"GridProperties", &W::setGridPropertiesUsingWindow, {{"gridHorSpacingText", "2'"}}, "Grid Properties", [](Sheets& t) {
         return Near({t.ds->gridSpacing.floatH, t.ds->gridSpacing.floatV, t.ds->snapIncrement.floatH}, {24, 12, 1});
     }},
    {"GridHeldToASixteenth", &W::setGridPropertiesUsingWindow, {{"gridHorSpacingText", "0"}}, "Grid Properties",
     [](Sheets& t) { return Near({t.ds->gridSpacing.floatH}, {0.0625}); }},
    {"GridHeldTo500Inches", &W::setGridPropertiesUsingWindow, {{"gridHorSpacingText", "600"}}, "Grid Properties",
     [](Sheets& t) { return Near({t.ds->gridSpacing.floatH}, {500}); }},
    {"GridHeldToACentimetre", Metric(&W::setGridPropertiesUsingWindow), {{"gridHorSpacingText", "0"}}, "Grid Properties",
     [](Sheets& t) { return Near({t.ds->gridSpacing.floatH}, {0.3937}, 1e-4); }},
    {"GridLeftAsShownInMetric", Metric(&W::setGridPropertiesUsingWindow), {}, nullptr, [](Sheets& t) {
         const DocState* ds = t.ds;
         return Near({ds->gridSpacing.floatH, ds->gridSpacing.floatV, ds->snapIncrement.floatH, ds->snapIncrement.floatV},
                     {12, 12, 1, 1});
     }},
    // From the main window whatever the handler's, as the panes' buttons ask.
    {"CurveTensionHeldToTen", [](W&) { W().smoothSelected(); }, {{"tensionText", "15"}}, "Smooth Objects", [](Sheets& t) {
         const Poinz* p = PointAt(t.a, 1);
         const bool smoothed = p->inTangent[0] != 0 || p->outTangent[0] != 0 || p->inTangent[2] != 0;
         return Near({gTension, t.ds->curveTension, smoothed}, {10, 8, 1});
     }},
    {"TraceImageScalesInPercent", &W::resizeFloorplanTraceImageUsingWindow,
     {{"horScaleText", "50"}, {"verScaleText", "200%"}}, "Resize Floorplan Trace Image",
     [](Sheets& t) { return Near({t.ds->traceImageScaleH, t.ds->traceImageScaleV}, {0.5, 2}); }},
    {"TraceImageUnchanged", &W::resizeFloorplanTraceImageUsingWindow, {}, nullptr,
     [](Sheets& t) { return Near({t.ds->traceImageScaleH, t.ds->traceImageScaleV}, {1, 1}); }},
    // Scale 1/4" (code 9) to 1/8" (code 8) halves the three zooms; the same scale stores nothing.
    {"PlanScaleHalvesTheZooms", AtZooms(&W::setPlanScaleUsingWindow), {}, "Plan Scale",
     [](Sheets& t) { return Near({t.ds->planScaleChoice, t.ds->savedZoom, t.ds->printZoom, t.ds->zoomFactor}, {8, 0.3, 0.25, 0.3}, 1e-6); },
     nullptr, "scaleMatrix", 8},
    {"PlanScaleUnchanged", AtZooms(&W::setPlanScaleUsingWindow), {}, nullptr,
     [](Sheets& t) { return Near({t.ds->planScaleChoice, t.ds->savedZoom}, {9, 0.6}, 1e-6); }, nullptr, "scaleMatrix", 9},
    {"PlanZoomOfTheTopView", AtZooms(&W::setPlanZoomUsingWindow), {{"zoomScaleText", "100"}}, nullptr,
     [](Sheets& t) { return Near({t.ds->savedZoom, t.ds->zoomFactor, t.ds->printZoom}, {0.75, 0.75, 0.5}); }},
    // 1 by 1000 feet, centred: 24 by 24000 plan units.
    {"LotSizeHeldTo1To1000", &W::setLotSizeUsingWindow, {{"widthText", "0"}, {"depthText", "2000"}}, nullptr,
     [](Sheets& t) {
         const FloatRect& r = t.ds->lotRect;
         return Near({r.floatLeft, r.floatRight, r.floatTop, r.floatBottom, t.w->document()->isDocumentEdited()},
                     {-12, 12, -12000, 12000, 1}, 0.01);
     }},
};

INSTANTIATE_TEST_SUITE_P(Each, SheetOK, ::testing::ValuesIn(kOkRows),
                         [](const auto& row) { return std::string(row.param.name); });

// What the controls do before OK: the compass slider rounds to whole degrees in the field, the
// move sheet's polar choice relabels, the rotate sheet's unit switch converts the text as shown,
// the stepper steps, a grid spacing is held on leaving its field, the grid style reaches its
// preview and the design, the trace image's defaults are 100 %; the ceiling sheet starts with
// its floor's height.
TEST_F(Sheets, ControlsFollowEachOtherBeforeOK) {
    ds->compassAngle = 30;
    ASSERT_TRUE(open(&W::setTrueNorthAngleUsingWindow));
    EXPECT_EQ(find<QSlider>("angleSlider")->value(), 300);
    find<QSlider>("angleSlider")->setValue(445);
    EXPECT_EQ(find("angleText")->text(), QString("45") + QChar(0xBA));
    ASSERT_TRUE(press("cancelButton"));

    ASSERT_TRUE(open(&W::moveObjectsUsingWindow));
    click(find<RadioMatrix>("coordinateSysMatrix")->cell(1));
    EXPECT_EQ(std::tuple(find<QLabel>("horizDistLabel")->text(), find<QLabel>("vertDistLabel")->text()),
              std::tuple(QString("Angle:"), QString("Distance:")));
    ASSERT_TRUE(press("cancelButton"));

    // 1.57 back is 89.95 degrees at two decimals.
    ASSERT_TRUE(open(&W::rotateObjectsUsingWindow));
    find("angleText")->setText("90");
    click(find<RadioMatrix>("angleUnitSysMatrix")->cell(1));
    EXPECT_EQ(find("angleText")->text(), "1.57");
    click(find<RadioMatrix>("angleUnitSysMatrix")->cell(0));
    EXPECT_EQ(find("angleText")->text(), QString("89.95") + QChar(0xBA));
    ASSERT_TRUE(press("cancelButton"));

    ASSERT_TRUE(open(&W::smoothSelected));
    click(find<Stepper>("tensionStepper")->upButton());
    EXPECT_EQ(find("tensionText")->text(), "9");
    ASSERT_TRUE(press("cancelButton"));

    ASSERT_TRUE(open(&W::setGridPropertiesUsingWindow));
    QLineEdit* spacing = find("gridHorSpacingText");
    spacing->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return spacing->hasFocus(); }));
    spacing->setText("600");
    QTest::keyClick(spacing, Qt::Key_Tab);
    EXPECT_EQ(spacing->text(), "41'-8\"");
    auto* styles = find<QComboBox>("gridStylePopUpButton");
    styles->setCurrentIndex(styles->findData(2));
    emit styles->activated(styles->currentIndex());
    EXPECT_EQ(find<GridStyleView>("gridStyleView")->gridStyle(), 2);
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(ds->gridStyle, 2);

    ds->traceImageScaleH = 0.5f;
    ASSERT_TRUE(open(&W::resizeFloorplanTraceImageUsingWindow));
    EXPECT_EQ(find("horScaleText")->text(), "50");
    click(find<QPushButton>("defaultsButton"));
    EXPECT_EQ(find("horScaleText")->text(), "100");
    ASSERT_TRUE(press("cancelButton"));

    GetLayerFromName("Second Floor")->height = 110;
    ASSERT_TRUE(open([](W& c) { c.setCeilingHeightForLayer(GetLayerFromName("Second Floor")); }));
    EXPECT_EQ(find("heightText")->text(), "9'-2\"");
    ASSERT_TRUE(press("cancelButton"));
}

// The float box starts off whatever was left over and turns the field off. Floating a wall and
// a shape floats only the shape and says why after the sheet has closed; a ceiling height out
// of range says so after it too; a floor of another name changes with no step.
TEST_F(Sheets, AlertsComeAfterTheSheetHasClosed) {
    Objex* wall = Wall(first, {{0, 100}, {100, 100}});
    SelectObj(wall, selmode::kSelect, 1);
    gDLOGTopoFloat = 1;
    ASSERT_TRUE(open(&W::setObjectElevationUsingWindow));
    auto* box = find<QCheckBox>("floatAboveTopoButton");
    EXPECT_EQ(std::tuple(box->isChecked(), find("elevationText")->isEnabled(), gDLOGTopoFloat),
              std::tuple(false, true, uint8_t(0)));
    click(box);
    EXPECT_FALSE(find("elevationText")->isEnabled());
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(a->onTerrain, wall->onTerrain, stack()->undoText()),
              std::tuple(uint8_t(1), uint8_t(0), QString("Object Elevation")));
    ASSERT_TRUE(okWith(kFirstFloorCeiling, {{"heightText", "2"}}));
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(std::tuple(alerts.shown[0].alert.message, alerts.shown[0].alert.informative, alerts.sheetUp[0]),
              std::tuple(std::string("Unable to elevate some objects."),
                         std::string("Wall and cabinet objects cannot float above the topography.  The elevation of "
                                     "these objects will not be changed."),
                         false));
    EXPECT_EQ(std::tuple(alerts.shown[1].alert.message, alerts.shown[1].alert.informative, alerts.sheetUp[1]),
              std::tuple(std::string("Invalid ceiling height entered."),
                         std::string("The ceiling height can be no less than 1' and no greater than 83'."), false));
    std::strcpy(first->name, "Attic");
    ASSERT_TRUE(okWith([&](W& c) { c.setCeilingHeightForLayer(first); }, {{"heightText", "100"}}));
    EXPECT_EQ(std::tuple(first->height, stack()->count()), std::tuple(100.0f, 1));
}

QStringList Items(QComboBox* popUp) {
    QStringList titles;
    for (int i = 0; i < popUp->count(); ++i) titles << popUp->itemText(i);
    return titles;
}
void Choose(QComboBox* popUp, int tag) {
    popUp->setCurrentIndex(popUp->findData(tag));
    emit popUp->activated(popUp->currentIndex());
}

// The unit switch reloads the second pop-up from the working copies and hides the imperial
// controls; OK stores the shown system's format only, refreshes the inspector and the
// palette's folder category once and stores "Measurement Options". Stored formats without
// a precision bit select sixteenths or millimetres; the defaults reset only the shown system.
TEST_F(Sheets, MeasurementUnitsStoreTheShownSystemsFormat) {
    int folderRefreshes = 0;
    SetContentPaletteRefreshFolderCategoryHandler([&] { ++folderRefreshes; });
    ds->imperialReadout = 32, ds->metricReadout = 8;
    ASSERT_TRUE(open(&W::setMeasurementUnitsUsingWindow));
    auto* field2 = find<QComboBox>("field2PopUpButton");
    EXPECT_EQ(field2->currentText(), "Sixteenth Inches (1/16\")");
    EXPECT_EQ(std::tuple(find<QComboBox>("field3PopUpButton")->currentData().toInt(), find<QLabel>("field2Label")->text()),
              std::tuple(0, QString("Precision:")));
    Choose(find<QComboBox>("unitsPopUpButton"), kMetricUnits);
    EXPECT_EQ(Items(field2), QStringList({"#.#### m", "#.## cm", "#.# mm"}));
    EXPECT_EQ(std::tuple(field2->currentText(), find<QLabel>("field2Label")->text(), find<QComboBox>("field3PopUpButton")->isVisible()),
              std::tuple(QString("#.# mm"), QString("Readout Format:"), false));
    Choose(field2, 1);
    const int inspectorBefore = inspector;
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->units, ds->metricReadout, ds->imperialReadout, folderRefreshes, inspector > inspectorBefore),
              std::tuple(kMetricUnits, int16_t(2), int16_t(32), 1, true));
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText()), std::tuple(1, QString("Measurement Options")));

    ASSERT_TRUE(open(&W::setMeasurementUnitsUsingWindow));
    click(find<QPushButton>("defaultsButton"));
    EXPECT_EQ(std::tuple(find<QComboBox>("field2PopUpButton")->currentText(), find<QComboBox>("field1PopUpButton")->currentData().toInt()),
              std::tuple(QString("#.#### m"), 2));
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(std::tuple(ds->metricReadout, ds->imperialReadout, ds->angleReadout), std::tuple(int16_t(1), int16_t(32), int16_t(2)));
    SetContentPaletteRefreshFolderCategoryHandler(nullptr);
}

// A metric design titles the scales by cell order; the zoom sheet shows the zoom as a percent
// of the scale 36; a metric lot shows whole metres under "meters".
TEST_F(Sheets, ScaleZoomAndLotShowTheDesignsValues) {
    ds->units = kMetricUnits, ds->planScaleChoice = 11;
    ASSERT_TRUE(open(&W::setPlanScaleUsingWindow));
    auto* scales = find<RadioMatrix>("scaleMatrix");
    EXPECT_EQ(std::tuple(scales->cell(11)->text(), scales->cell(8)->text(), scales->selectedTag()),
              std::tuple(QString("1 : 10"), QString("1 : 100"), 11));
    ASSERT_TRUE(press("cancelButton"));

    ds->units = kImperialUnits, ds->planScaleChoice = 9, ds->savedZoom = 0.6f;
    ASSERT_TRUE(open(&W::setPlanZoomUsingWindow));
    EXPECT_EQ(find("zoomScaleText")->text(), "80");
    ASSERT_TRUE(press("cancelButton"));

    ds->units = kMetricUnits;
    const float metre = 39.370079f / 36 * 72;
    ds->lotRect = {-10 * metre, -15.45f * metre, 10 * metre, 15.45f * metre};
    ASSERT_TRUE(open(&W::setLotSizeUsingWindow));
    EXPECT_EQ(std::tuple(find("widthText")->text(), find("depthText")->text(), find<QLabel>("widthTextLabel")->text()),
              std::tuple(QString("30"), QString("20"), QString("meters")));
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(stack()->count(), 0);
}

// A ten-foot fence segment typed 12': both ends move a foot out with their neighbours;
// "Resize Segment" is stored and everything deselected. Cancel deselects and redraws; the wall
// key-entry sheet's Cancel keeps the drawn segment and stores its tool's step.
TEST_F(Sheets, TypedLengthsResizeTheSegment) {
    Objex* fence = Shape(first, objtype::kFence, {{-48, 0}, {0, 0}, {240, 0}, {288, 0}});
    ASSERT_TRUE(open([&](W& c) { c.keyEntrySheetForObject(fence, PointAt(fence, 1), PointAt(fence, 2)); }));
    EXPECT_EQ(std::tuple(find("lengthText")->text(), find<RadioMatrix>("locationButtons")->selectedTag(),
                         find<QCheckBox>("linkButton")->isChecked()),
              std::tuple(QString("10'-0\""), 1, true));
    find("lengthText")->setText("12'");
    ASSERT_TRUE(press("okButton"));
    EXPECT_EQ(PlanPositions(fence), (std::vector<std::pair<float, float>>{{-72, 0}, {-24, 0}, {264, 0}, {312, 0}}));
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText(), SelectedPointCount(a)), std::tuple(1, QString("Resize Segment"), 0));

    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    SelectObj(fence, selmode::kSelect, 0);
    gMouseCaptured = 1;
    ASSERT_TRUE(open([&](W& c) { c.keyEntrySheetForObject(fence, PointAt(fence, 1), PointAt(fence, 2)); }));
    find("lengthText")->setText("20'");
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(H(fence, 2), SelectedPointCount(fence), gMouseCaptured, refreshes > 0, stack()->count()),
              std::tuple(264.0f, 0, uint8_t(0), true, 1));

    // Drawn with the live view shown: the tool built and rendered it before the sheet.
    RegisterLiveView(true);
    Objex* wall = Wall(first, {{0, 100}, {100, 100}});
    Update3DWall(wall), ReRenderObject(wall);
    gCurTool = 7051;
    NewWallKeyEntrySheet(AsCommandWindow(w), PointAt(wall, 0), PointAt(wall, 1), wall);
    ASSERT_NE(sheet(), nullptr);
    find("lengthText")->setText("10'");
    ASSERT_TRUE(press("cancelButton"));
    EXPECT_EQ(std::tuple(H(wall, 1), stack()->undoText()), std::tuple(100.0f, QString("Exterior Wall Tool")));
    NewWallKeyEntrySheet(AsCommandWindow(w), PointAt(wall, 0), PointAt(wall, 1), wall);
    find("lengthText")->setText("10'");
    ASSERT_TRUE(press("okButton"));
    EXPECT_NEAR(H(wall, 1), 240, 1e-3);
    // Still in the live view, at the typed length: its pieces run from H 0 to 240.
    float from = 1e9f, to = -1e9f;
    for (const PlaneObject* piece : PiecesOf(wall))
        for (const Plane* plane : PlanesOf(piece))
            for (uint32_t i = 0; i < plane->count; ++i)
                from = std::min(from, plane->vertices[i].H), to = std::max(to, plane->vertices[i].H);
    EXPECT_TRUE(Built(wall) && Near({from, to}, {0, 240}, 1e-3)) << from << " " << to;
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText()), std::tuple(3, QString("Exterior Wall Tool")));
    // Another tool picked while the sheet is up: the step keeps the name of the tool that drew.
    for (auto [drawing, picked, want] : {std::tuple{int16_t(7051), toolid::kSelect, "Exterior Wall Tool"},
                                         {int16_t(7053), int16_t(7051), "Interior Wall Tool"}}) {
        gCurTool = drawing;
        NewWallKeyEntrySheet(AsCommandWindow(w), PointAt(wall, 0), PointAt(wall, 1), wall);
        ASSERT_NE(sheet(), nullptr);
        gCurTool = picked;
        ASSERT_TRUE(press("okButton"));
        EXPECT_EQ(stack()->undoText(), QString(want)) << drawing;
    }
    gCurTool = toolid::kSelect;
}

}  // namespace
}  // namespace dvxtest
