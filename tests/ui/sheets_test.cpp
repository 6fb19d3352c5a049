// The sheets on a document window of the offscreen platform, opened through the command
// layer's openers as the menus open them: where they attach, what Cancel and OK leave behind,
// and what each one's OK does to the design, the undo list and the window's readouts.
#include <QAbstractButton>
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
#include <QWindow>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/dialog_fields.h"
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
#include "plan/refresh_seams.h"
#include "port/qt/line_edit_field.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/sheet_seams.h"
#include "ui/core/sheet_values.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

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

class Sheets : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("sheets"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);  // imperial designs
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        doc = d->model();
        ds = doc->itsDocState;
        floor = doc->itsCurLayer;
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    Win32EventHandler commands() { return Win32EventHandler(AsCommandWindow(w)); }
    // The sheet up on the window, or null.
    SheetDialog* sheet() {
        for (SheetDialog* s : w->findChildren<SheetDialog*>())
            if (s->isVisible()) return s;
        return nullptr;
    }
    QLineEdit* field(const char* outlet) { return sheet()->findChild<QLineEdit*>(QString::fromLatin1(outlet)); }
    void type(const char* outlet, const QString& text) { field(outlet)->setText(text); }
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
    bool ok() { return press("okButton"); }
    bool cancel() { return press("cancelButton"); }
    QUndoStack* stack() { return w->document()->undoStack(); }
    // The length a field shows, in inches.
    static float inches(QLineEdit* f) {
        port::qt::LineEditField text(f);
        return GetFloatItem(&text);
    }
    static float degrees(QLineEdit* f) {
        port::qt::LineEditField text(f);
        return GetFloatAngleItem(&text, false);
    }

    std::unique_ptr<TempFolders> folders;
    AlertsAfterSheets alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
    Layer* floor = nullptr;
};

// The readouts' degree mark (Mac OS Roman 0xBC).
const QChar kDegreeMark(0xBA);

struct Opener {
    const char* role;
    std::function<void(Win32EventHandler&)> open;
};

const Opener kOpeners[] = {
    {"CompassSheet", [](Win32EventHandler& c) { c.setTrueNorthAngleUsingWindow(); }},
    {"MoveObjectsSheet", [](Win32EventHandler& c) { c.moveObjectsUsingWindow(); }},
    {"MovePlanSheet", [](Win32EventHandler& c) { c.movePlanUsingWindow(); }},
    {"RotateObjectsSheet", [](Win32EventHandler& c) { c.rotateObjectsUsingWindow(); }},
    {"RotatePlanSheet", [](Win32EventHandler& c) { c.rotatePlanUsingWindow(); }},
    {"ObjectElevationSheet", [](Win32EventHandler& c) { c.setObjectElevationUsingWindow(); }},
    {"WorkingElevationSheet", [](Win32EventHandler& c) { c.setWorkingElevationUsingWindow(); }},
    {"CeilingHeightSheet", [](Win32EventHandler& c) { c.setCeilingHeightForLayer(GetLayerFromName("First Floor")); }},
    {"GridPropertiesSheet", [](Win32EventHandler& c) { c.setGridPropertiesUsingWindow(); }},
    {"CurveTensionSheet", [](Win32EventHandler& c) { c.smoothSelected(); }},
    {"TraceImageScaleSheet", [](Win32EventHandler& c) { c.resizeFloorplanTraceImageUsingWindow(); }},
};

// Every opener attaches its sheet to the window it was given, window-modally. Cancel after
// every field and switch was changed, and OK with no current design, leave the design, the
// undo list and the plan as they were, and free the sheet.
TEST_F(Sheets, EachOpensOnTheWindowAndCancelOrOKWithoutADesignChangesNothing) {
    Objex* box = Shape(floor, objtype::kDetail, {{0, 0}, {40, 0}, {40, 40}}, true);
    SelectObj(box, selmode::kSelect, 1);
    int refreshes = 0;
    SetRefreshHandler([&] { ++refreshes; });
    const DocState before = *ds;
    const int steps = stack()->count();
    for (const Opener& o : kOpeners) {
        SCOPED_TRACE(o.role);
        Win32EventHandler c = commands();
        o.open(c);
        SheetDialog* s = sheet();
        ASSERT_NE(s, nullptr);
        o.open(c);  // a second opening while it is up adds nothing
        EXPECT_EQ(std::tuple(s->objectName(), s->parentWidget(), s->windowModality(), w->findChildren<SheetDialog*>().size()),
                  std::tuple(QString(o.role), static_cast<QWidget*>(w), Qt::WindowModal, qsizetype(1)));
        for (QLineEdit* f : s->findChildren<QLineEdit*>()) f->setText("7'");
        for (QAbstractButton* b : s->findChildren<QAbstractButton*>())
            if (b->isCheckable()) b->click();
        if (auto* slider = s->findChild<QSlider*>()) slider->setValue(slider->maximum() / 3);
        ASSERT_TRUE(cancel());

        o.open(c);
        ASSERT_NE(sheet(), nullptr);
        for (QLineEdit* f : sheet()->findChildren<QLineEdit*>()) f->setText("3");
        gCurDocument = nullptr;
        const bool closed = ok();
        gCurDocument = doc;
        ASSERT_TRUE(closed);
    }
    EXPECT_EQ(std::memcmp(&before, ds, sizeof before), 0) << "the settings record changed";
    EXPECT_EQ(PlanPositions(box), (std::vector<std::pair<float, float>>{{0, 0}, {40, 0}, {40, 40}}));
    EXPECT_EQ(std::tuple(GetLayerFromName("First Floor")->height, stack()->count(), refreshes, alerts.shown.size()),
              std::tuple(96.0f, steps, 0, size_t(0)));
    EXPECT_FALSE(w->document()->isDocumentEdited());

    // No window, or no floor for the ceiling height: nothing opens.
    NewCompassSheetForParent(nullptr);
    NewMoveObjectsPanelForParent(nullptr);
    NewCeilingHeightSheetForParent(nullptr, floor);
    commands().setCeilingHeightForLayer(nullptr);
    for (QWidget* t : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<SheetDialog*>(t), nullptr);

    // The window makes room for a file alert as for a Cancel.
    commands().setWorkingElevationUsingWindow();
    QPointer<SheetDialog> up = sheet();
    type("elevationText", "5'");
    CloseMainWindowSheet();
    EXPECT_TRUE(QTest::qWaitFor([&] { return up.isNull(); }));
    EXPECT_EQ(std::tuple(ds->currentElevation, stack()->count()), std::tuple(0.0f, steps));

    // A sheet opened for a floor shows that floor's height at once.
    GetLayerFromName("Second Floor")->height = 110;
    commands().setCeilingHeightForLayer(GetLayerFromName("Second Floor"));
    EXPECT_FLOAT_EQ(inches(field("heightText")), 110);
    ASSERT_TRUE(cancel());
}

TEST_F(Sheets, TrueNorthTakesTheNearestWholeDegreeStoresNoStepAndMarksTheDesignChanged) {
    struct Row {
        const char* typed;
        float stored;
    };
    for (Row r : {Row{"400", 0}, Row{"-5", 0}, Row{"12.6", 13}, Row{"359 40", 360}}) {
        ds->compassAngle = 77;
        commands().setTrueNorthAngleUsingWindow();
        type("angleText", r.typed);
        ASSERT_TRUE(ok());
        EXPECT_EQ(ds->compassAngle, r.stored) << r.typed;
    }
    // The field follows the slider to the nearest whole degree, and OK takes it from there.
    ds->compassAngle = 0;
    commands().setTrueNorthAngleUsingWindow();
    EXPECT_FLOAT_EQ(degrees(field("angleText")), 0);
    sheet()->findChild<QSlider*>("angleSlider")->setValue(445);  // 44.5 degrees
    EXPECT_FLOAT_EQ(degrees(field("angleText")), 45);
    EXPECT_TRUE(field("angleText")->text().endsWith(kDegreeMark)) << field("angleText")->text().toStdString();
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(ds->compassAngle, stack()->count(), w->document()->isDocumentEdited()),
              std::tuple(45.0f, 0, true));
    // The next opening starts from it.
    commands().setTrueNorthAngleUsingWindow();
    EXPECT_EQ(sheet()->findChild<QSlider*>("angleSlider")->value(), 450);
    ASSERT_TRUE(cancel());
}

// An outline with a selected point, a selected locked point and an unselected one, and a
// second outline not selected at all. Ten feet are 240 plan units at the drawing scale 36.
class MoveSheets : public Sheets {
protected:
    void SetUp() override {
        Sheets::SetUp();
        a = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 50}}, true);
        b = Shape(floor, objtype::kDetail, {{-60, 20}, {-20, 20}}, false);
        PointAt(a, 0)->selected = PointAt(a, 1)->selected = 1;
        PointAt(a, 1)->locked = 1;
    }
    using Positions = std::vector<std::pair<float, float>>;
    ::testing::AssertionResult At(Objex* o, Positions want, float tolerance = 1e-3f) {
        const Positions got = PlanPositions(o);
        for (size_t i = 0; i < want.size() && i < got.size(); ++i)
            if (std::fabs(got[i].first - want[i].first) > tolerance || std::fabs(got[i].second - want[i].second) > tolerance)
                return ::testing::AssertionFailure() << "point " << i << " at " << got[i].first << ", " << got[i].second;
        return ::testing::AssertionResult(got.size() == want.size());
    }
    Objex* a = nullptr;
    Objex* b = nullptr;
};

TEST_F(MoveSheets, MoveObjectsByXAndYOrAngleAndDistanceMovesTheSelectedUnlockedPoints) {
    commands().moveObjectsUsingWindow();
    EXPECT_EQ(std::tuple(inches(field("horizDistText")), inches(field("vertDistText"))), std::tuple(0.0f, 0.0f));
    type("horizDistText", "10'");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{240, 0}, {100, 0}, {100, 50}}));
    EXPECT_TRUE(At(b, {{-60, 20}, {-20, 20}}));
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText()), std::tuple(1, QString("Move")));

    // A positive Y moves up the plan, as does 90 degrees.
    commands().moveObjectsUsingWindow();
    type("vertDistText", "2'");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{240, -48}, {100, 0}, {100, 50}}));
    commands().moveObjectsUsingWindow();
    auto* polar = sheet()->findChild<RadioMatrix*>("coordinateSysMatrix");
    click(polar->cell(1));
    EXPECT_EQ(std::tuple(sheet()->findChild<QLabel*>("horizDistLabel")->text(), degrees(field("horizDistText"))),
              std::tuple(QString("Angle:"), 0.0f));
    type("horizDistText", "90");
    type("vertDistText", "5'");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{240, -168}, {100, 0}, {100, 50}}));
    EXPECT_EQ(stack()->count(), 3);

    // The view decides which members act: the front view moves across and keeps the depth,
    // the side view moves the depth alone.
    struct View {
        int16_t kind;
        float h, d;
    };
    for (View v : {View{1, 480, -168}, View{3, 480, -216}}) {
        ds->viewKind = v.kind;
        commands().moveObjectsUsingWindow();
        type("horizDistText", "10'");
        type("vertDistText", "2'");
        ASSERT_TRUE(ok());
        EXPECT_TRUE(At(a, {{v.h, v.d}, {100, 0}, {100, 50}})) << v.kind;
        EXPECT_EQ(PointAt(a, 0)->position[1], 0) << v.kind;
    }
    ds->viewKind = 2;

    // 45 degrees with no distance, and 0 by 0, do nothing and store nothing.
    for (const char* angle : {"45", ""}) {
        commands().moveObjectsUsingWindow();
        if (*angle) click(sheet()->findChild<RadioMatrix*>("coordinateSysMatrix")->cell(1)), type("horizDistText", angle);
        ASSERT_TRUE(ok());
    }
    EXPECT_TRUE(At(a, {{480, -216}, {100, 0}, {100, 50}}));
    EXPECT_EQ(stack()->count(), 5);
}

TEST_F(MoveSheets, MovePlanMovesEveryPointOfTheShownFloorsAndTheirBounds) {
    Objex* hidden = Shape(GetLayerFromName("Second Floor"), objtype::kDetail, {{0, 0}, {10, 0}});
    GetLayerFromName("Second Floor")->visible = 0;
    commands().movePlanUsingWindow();
    type("horizDistText", "-5'");
    type("vertDistText", "-1'");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{-120, 24}, {-20, 24}, {-20, 74}}));
    EXPECT_TRUE(At(b, {{-180, 44}, {-140, 44}}));
    EXPECT_TRUE(At(hidden, {{0, 0}, {10, 0}}));
    EXPECT_TRUE(Near({b->bounds.floatLeft, b->bounds.floatTop, b->bounds.floatRight, b->bounds.floatBottom},
                     {-180, 44, -140, 44}, 1e-3));
    EXPECT_EQ(stack()->undoText(), "Move Entire Plan");
}

// Half a turn about the centre of the selected points (0..100 across, 0 down: (50, 0)).
TEST_F(MoveSheets, RotateTakesRadiansOrDegreesAboutTheSelectedPointsAndRefreshesTheInspector) {
    PointAt(a, 1)->locked = 0;
    int inspector = 0;
    SetInspectorUpdatePropertiesStateHandler([&](int32_t) { ++inspector; });
    commands().rotateObjectsUsingWindow();
    click(sheet()->findChild<RadioMatrix*>("angleUnitSysMatrix")->cell(1));
    type("angleText", "3.14159");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{100, 0}, {0, 0}, {100, 50}}, 0.01f));
    EXPECT_EQ(std::tuple(stack()->undoText(), inspector), std::tuple(QString("Rotate"), 1));
    commands().rotateObjectsUsingWindow();
    type("angleText", "180");
    ASSERT_TRUE(ok());
    EXPECT_TRUE(At(a, {{0, 0}, {100, 0}, {100, 50}}, 0.01f));
    EXPECT_TRUE(At(b, {{-60, 20}, {-20, 20}}));

    // The unit switch converts the text as shown: 1.57 back is 89.95 at two decimals.
    commands().rotateObjectsUsingWindow();
    type("angleText", "90");
    auto* unit = sheet()->findChild<RadioMatrix*>("angleUnitSysMatrix");
    click(unit->cell(1));
    EXPECT_EQ(field("angleText")->text(), "1.57");
    click(unit->cell(0));
    EXPECT_EQ(field("angleText")->text(), QString("89.95") + kDegreeMark);
    ASSERT_TRUE(cancel());

    // The whole plan, with nothing selected, turns about the origin; the inspector is left.
    SelectObj(a, selmode::kDeselect, 1);
    commands().rotatePlanUsingWindow();
    type("angleText", "90");
    ASSERT_TRUE(ok());
    const auto turned = PlanPositions(b);
    EXPECT_NEAR(std::fabs(turned[0].first), 20, 1e-3);
    EXPECT_NEAR(std::fabs(turned[0].second), 60, 1e-3);
    EXPECT_NEAR(std::fabs(turned[1].second), 20, 1e-3);
    EXPECT_EQ(std::tuple(stack()->undoText(), inspector, stack()->count()), std::tuple(QString("Rotate Entire Plan"), 2, 3));
    // A zero angle stores nothing.
    commands().rotatePlanUsingWindow();
    ASSERT_TRUE(ok());
    EXPECT_EQ(stack()->count(), 3);
}

TEST_F(Sheets, WorkingElevationOutOfRangeIsIgnoredYetStoredAndTheReadoutFollows) {
    struct Row {
        const char* typed;
        float working;
        const char* readout;
    };
    const Row rows[] = {{"1200", 1200, "100'"}, {"1201", 1200, "100'"}, {"-1200", -1200, "-100'"}, {"-1201", -1200, "-100'"}};
    int steps = 0;
    for (const Row& r : rows) {
        commands().setWorkingElevationUsingWindow();
        type("elevationText", r.typed);
        ASSERT_TRUE(ok());
        EXPECT_EQ(std::tuple(ds->currentElevation, w->elevationText()->text(), stack()->count(), stack()->undoText()),
                  std::tuple(r.working, QString(r.readout), ++steps, QString("Working Elevation")))
            << r.typed;
    }
}

// A wall and a detail shape selected: the elevation reaches both, floating only the shape,
// with one alert after the sheet has closed.
TEST_F(Sheets, ObjectElevationSetsOrFloatsTheSelectionAndSaysWhatCannotFloat) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* shape = Shape(floor, objtype::kDetail, {{0, 50}, {40, 50}, {40, 90}}, true);
    SelectObj(wall, selmode::kSelect, 1), SelectObj(shape, selmode::kSelect, 1);
    gDLOGTopoFloat = 1;  // left over: the sheet starts with the box off all the same
    commands().setObjectElevationUsingWindow();
    auto* box = sheet()->findChild<QCheckBox*>("floatAboveTopoButton");
    EXPECT_EQ(std::tuple(box->isChecked(), field("elevationText")->isEnabled(), gDLOGTopoFloat), std::tuple(false, true, uint8_t(0)));
    type("elevationText", "2' 6");
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(shape->elevation, PointAt(wall, 0)->baseElevation, w->elevationText()->text()),
              std::tuple(30.0f, 30.0f, QString("3'")));

    commands().setObjectElevationUsingWindow();
    EXPECT_FLOAT_EQ(inches(field("elevationText")), 30);
    click(sheet()->findChild<QCheckBox*>("floatAboveTopoButton"));
    EXPECT_FALSE(field("elevationText")->isEnabled());
    type("elevationText", "9'");
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(shape->onTerrain, wall->onTerrain, PointAt(wall, 0)->baseElevation, shape->elevation),
              std::tuple(uint8_t(1), uint8_t(0), 30.0f, 30.0f));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(std::tuple(alerts.shown[0].alert.message, alerts.shown[0].alert.informative, alerts.sheetUp[0]),
              std::tuple(std::string("Unable to elevate some objects."),
                         std::string("Wall and cabinet objects cannot float above the topography.  The elevation of "
                                     "these objects will not be changed."),
                         false));
    EXPECT_EQ(std::tuple(stack()->count(), stack()->undoText()), std::tuple(2, QString("Object Elevation")));
}

TEST_F(Sheets, CeilingHeightTakesOneFootToOneThousandInchesUnderTheFloorsName) {
    struct Row {
        const char* typed;
        float height;
        int steps;
        size_t alerts;
    };
    // 11 15/16 is typed as 11.99 would round to 12 at the sixteenth-inch readout.
    const Row rows[] = {{"12", 12, 1, 0}, {"1000", 1000, 2, 0}, {"11 15/16", 1000, 2, 1}, {"1000.5", 1000, 2, 2},
                        {"83' 4", 1000, 2, 2}};
    Layer* first = GetLayerFromName("First Floor");
    for (const Row& r : rows) {
        commands().setCeilingHeightForLayer(first);
        type("heightText", r.typed);
        ASSERT_TRUE(ok());
        EXPECT_EQ(std::tuple(first->height, stack()->count(), alerts.shown.size()), std::tuple(r.height, r.steps, r.alerts))
            << r.typed;
    }
    EXPECT_EQ(stack()->undoText(), "First Floor Ceiling Height");
    EXPECT_EQ(std::tuple(alerts.shown[1].alert.message, alerts.shown[1].alert.informative, alerts.sheetUp[0], alerts.sheetUp[1]),
              std::tuple(std::string("Invalid ceiling height entered."),
                         std::string("The ceiling height can be no less than 1' and no greater than 83'."), false, false));
    // A layer of another name changes but stores no step.
    std::strcpy(first->name, "Attic");
    commands().setCeilingHeightForLayer(first);
    type("heightText", "100");
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(first->height, stack()->count()), std::tuple(100.0f, 2));
}

TEST_F(Sheets, GridSpacingsAreHeldToTheirBoundsOnLeavingAFieldAndOnOK) {
    const FloatPoint grid = ds->gridSpacing, snap = ds->snapIncrement;
    commands().setGridPropertiesUsingWindow();
    EXPECT_EQ(std::tuple(inches(field("gridHorSpacingText")), sheet()->findChild<QComboBox*>("gridStylePopUpButton")->currentData().toInt()),
              std::tuple(grid.floatH, int(ds->gridStyle)));
    ASSERT_TRUE(ok());
    EXPECT_EQ(stack()->count(), 0) << "unchanged values stored a step";

    struct Row {
        int16_t units;
        const char* typed;
        float held;
    };
    for (Row r : {Row{kImperialUnits, "0", 0.0625f}, Row{kImperialUnits, "600", 500}, Row{kMetricUnits, "0", 0.3937f}}) {
        ds->units = r.units;
        commands().setGridPropertiesUsingWindow();
        QLineEdit* f = field("gridHorSpacingText");
        f->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return f->hasFocus(); }));
        f->setText(r.typed);
        QTest::keyClick(f, Qt::Key_Tab);  // leaving the field holds it
        EXPECT_NEAR(inches(f), r.held, 1e-3) << r.typed << " shown as " << f->text().toStdString();
        f->setText(r.typed);              // OK holds it too
        ASSERT_TRUE(ok());
        EXPECT_NEAR(ds->gridSpacing.floatH, r.held, 1e-3) << r.typed;
    }
    EXPECT_EQ(std::tuple(stack()->undoText(), ds->gridSpacing.floatV, ds->snapIncrement.floatH), std::tuple(QString("Grid Properties"), grid.floatV, snap.floatH));

    // The style goes to the preview as it is chosen.
    commands().setGridPropertiesUsingWindow();
    auto* styles = sheet()->findChild<QComboBox*>("gridStylePopUpButton");
    styles->setCurrentIndex(styles->findData(2));
    emit styles->activated(styles->currentIndex());
    EXPECT_EQ(sheet()->findChild<GridStyleView*>("gridStyleView")->gridStyle(), 2);
    ASSERT_TRUE(ok());
    EXPECT_EQ(ds->gridStyle, 2);
}

TEST_F(Sheets, CurveTensionSmoothsTheSelectionWithTheTensionHeldToTenAndRemembersIt) {
    Objex* outline = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    SelectObj(outline, selmode::kSelect, 1);
    // The panes' buttons ask from whatever window: the sheet opens on the main one.
    Win32EventHandler().smoothSelected();
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(field("tensionText")->text(), "8");
    click(sheet()->findChild<Stepper*>("tensionStepper")->upButton());
    EXPECT_EQ(field("tensionText")->text(), "9");
    type("tensionText", "15");
    ASSERT_TRUE(ok());
    const Poinz* p = PointAt(outline, 1);
    EXPECT_TRUE(p->inTangent[0] != 0 || p->inTangent[2] != 0 || p->outTangent[0] != 0 || p->outTangent[2] != 0)
        << "not smoothed";
    EXPECT_EQ(std::tuple(gTension, ds->curveTension, stack()->count(), stack()->undoText()),
              std::tuple(int16_t(10), int16_t(8), 1, QString("Smooth Objects")));
    Win32EventHandler().smoothSelected();
    EXPECT_EQ(field("tensionText")->text(), "10");
    ASSERT_TRUE(cancel());
}

TEST_F(Sheets, TraceImageScalesArePercentagesOfTheImage) {
    ds->traceImageScaleH = ds->traceImageScaleV = 1;
    commands().resizeFloorplanTraceImageUsingWindow();
    EXPECT_EQ(std::tuple(field("horScaleText")->text(), field("verScaleText")->text()), std::tuple(QString("100"), QString("100")));
    ASSERT_TRUE(ok());
    EXPECT_EQ(stack()->count(), 0);
    commands().resizeFloorplanTraceImageUsingWindow();
    type("horScaleText", "50");
    type("verScaleText", "200%");
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(ds->traceImageScaleH, ds->traceImageScaleV, stack()->undoText()),
              std::tuple(0.5f, 2.0f, QString("Resize Floorplan Trace Image")));
    // The defaults button shows 100 % again.
    commands().resizeFloorplanTraceImageUsingWindow();
    EXPECT_EQ(field("horScaleText")->text(), "50");
    click(sheet()->findChild<QPushButton*>("defaultsButton"));
    EXPECT_EQ(field("verScaleText")->text(), "100");
    ASSERT_TRUE(ok());
    EXPECT_EQ(std::tuple(ds->traceImageScaleH, ds->traceImageScaleV, stack()->count()), std::tuple(1.0f, 1.0f, 2));
}

}  // namespace
}  // namespace dvxtest
