// The wall panes on a document window of the offscreen platform, over the inspector design:
// what the tool pane enables per tool and writes (the defaults only), and what the object pane
// shows of the selected walls and segments and does to them, their undo steps and the defaults.
#include <QCheckBox>
#include <cmath>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/dialog_fields.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/refresh_seams.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/inspector_window_fixture.h"
#include "support/text_field_double.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "model/transforms.h"
#include "ui/inspector/opening_inspectors.h"
#include "ui/inspector/wall_inspectors.h"
#include "ui/sheets/sheet_dialog.h"

namespace dvxtest {
namespace {

class WallPanes : public InspectorWindowTest {
protected:
    void SetUp() override {
        openDesign("wall-panes");
        design.wall->penWidth = 6;
        InspectorPaneRegistry::destroyAll();
        RegisterInspectorPanes();
    }

    WallToolInspectorController* tool() {
        return static_cast<WallToolInspectorController*>(
            InspectorPaneRegistry::sharedInspectorController("WallToolInspectorController"));
    }
    WallObjectInspectorController* object() {
        return static_cast<WallObjectInspectorController*>(
            InspectorPaneRegistry::sharedInspectorController("WallObjectInspectorController"));
    }
    static std::string inches(float value) {
        RecordingTextField f;
        SetFloatItem(&f, value);
        return f.value;
    }

};

TEST_F(WallPanes, ToolPaneEnablesByToolAndWritesOnlyTheDefaults) {
    ds->wallFoundation = 1;
    const struct {
        int16_t tool;
        bool flooring, foundationOn, segmentLength;
    } tools[] = {{7050, true, true, false}, {7051, true, true, false}, {7052, false, false, false},
                 {7053, false, false, false}, {7054, true, false, true}, {7507, true, false, false}};
    for (const auto& t : tools) {
        SCOPED_TRACE(t.tool);
        refreshWith({}, t.tool);
        WallToolInspectorController* p = tool();
        EXPECT_EQ(p->autoFlooringButton->isEnabled(), t.flooring);
        EXPECT_EQ(p->foundationButton->isEnabled(), t.flooring);
        EXPECT_EQ(p->foundationButton->isChecked(), t.foundationOn);
        EXPECT_EQ(p->foundationWidthText->isEnabled(), t.foundationOn);
        EXPECT_EQ(p->wallSegmentLengthText->isEnabled(), t.segmentLength);
    }

    ds->wallStyle = 1;
    refreshWith({}, toolid::kExteriorWall);
    Make(design.wall).select();  // the tool pane never reaches it
    WallToolInspectorController* p = tool();
    const int before = steps(), refreshed = refreshes;
    const float wallHeight = objfield::wall_segment::kFirstHeight(*design.wall->firstPoint);
    type(p->wallPitchAText, "-6");
    EXPECT_FLOAT_EQ(ds->wallPitchA, 6);
    type(p->wallHeightText, "100");
    EXPECT_FLOAT_EQ(ds->wallHeight, 100);
    type(p->wallThicknessText, "200");  // refused: the default again, the stepper beside it
    EXPECT_EQ(p->wallThicknessText->text().toStdString(), inches(ds->wallThickness));
    p->wallThicknessStepper->upButton()->click();
    EXPECT_FLOAT_EQ(ds->wallThickness, ds->wallThicknessA);
    EXPECT_EQ(p->wallThicknessText->text().toStdString(), inches(ds->wallThickness));
    type(p->foundationWidthText, "20");
    EXPECT_FLOAT_EQ(ds->foundationWidth, 20);
    EXPECT_EQ(ds->wallFoundation, 1);
    p->displayDimsButton->click();
    EXPECT_EQ(ds->wallDisplayFlags & 1, 1);
    // Nothing but the defaults changed.
    EXPECT_EQ(steps(), before);
    EXPECT_EQ(refreshes, refreshed);
    EXPECT_FLOAT_EQ(objfield::wall_segment::kFirstHeight(*design.wall->firstPoint), wallHeight);

    // Style 5: the wall height must stay at or under the height D shown.
    ds->wallStyle = 5, ds->wallHeightD = 120, ds->wallHeightC = 90, ds->wallHeight = 96;
    refreshWith({}, toolid::kExteriorWall);
    EXPECT_TRUE(p->wallHeightDText->isEnabled());
    type(p->wallHeightText, "130");
    EXPECT_FLOAT_EQ(ds->wallHeight, 96);
    EXPECT_EQ(p->wallHeightText->text().toStdString(), inches(96));
    type(p->wallHeightText, "110");
    EXPECT_FLOAT_EQ(ds->wallHeight, 110);
}

TEST_F(WallPanes, ObjectPaneMergesWallsAndEditsEverySelectedSegment) {
    Objex* wall2 = Wall(design.first, {{600, 0}, {700, 0}});
    wall2->penWidth = 8;
    refreshWith({design.wall, wall2});
    WallObjectInspectorController* p = object();
    EXPECT_TRUE(p->wallThicknessText->text().isEmpty());
    EXPECT_FALSE(p->wallThicknessStepper->isEnabled());
    EXPECT_FALSE(p->ceilingBuilderButton->isEnabled());

    // A closed wall: four segments, the closing one included.
    refreshWith({design.wall});
    EXPECT_EQ(gCurPropertiesObjectCount, 4);
    EXPECT_TRUE(p->ceilingBuilderButton->isEnabled());
    int before = steps();
    type(p->wallHeightText, "100");
    for (Poinz* q = design.wall->firstPoint; q; q = q->next)
        EXPECT_FLOAT_EQ(objfield::wall_segment::kFirstHeight(*q), 100);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Wall Base Height"));
    EXPECT_FLOAT_EQ(ds->wallHeight, 100);

    // A footing width turns an exterior wall's foundation on; the width it has leaves the flag.
    // (Its field is disabled while the foundation is off: the width is given as it arrives.)
    objfield::wall::kFoundation(*design.wall) = 2;
    objfield::wall::kQuickWallWidth(*design.wall) = 16;
    const auto footing = [&](const char* text) {
        p->foundationWidthText->setText(QString::fromLatin1(text));
        p->controlTextDidEndEditing(p->foundationWidthText);
    };
    footing("16");
    EXPECT_EQ(objfield::wall::kFoundation(*design.wall), 2);
    footing("18");
    EXPECT_EQ(objfield::wall::kFoundation(*design.wall), 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Foundation Footing Width"));

    // Stud spacing: one step, no refresh.
    p->studSpacingText->setFocus();
    before = steps();
    const int refreshed = refreshes;
    type(p->studSpacingText, "24");
    EXPECT_FLOAT_EQ(objfield::wall::kStudSpacing(*design.wall), 24);
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Wall Stud Spacing"));
    EXPECT_EQ(refreshes, refreshed);

    // The stepper stores whole inches in both thickness defaults.
    p->wallThicknessStepper->setValue(5);
    p->wallThicknessStepper->upButton()->click();
    EXPECT_FLOAT_EQ(design.wall->penWidth, 6);
    p->wallThicknessStepper->downButton()->click();
    EXPECT_FLOAT_EQ(design.wall->penWidth, 5);
    EXPECT_FLOAT_EQ(ds->wallThicknessA, 5);
    EXPECT_EQ(p->wallThicknessText->text().toStdString(), inches(5));

    // Flipping dimensions stores a step every time; a style code the table lacks shows no row.
    before = steps();
    p->flipDimensionsButton->click();
    EXPECT_EQ(design.wall->firstPoint->dimensionFlipped, 1);
    EXPECT_EQ(steps(), before + 1);
    for (Poinz* q = design.wall->firstPoint; q; q = q->next) q->wallStyle = 5;
    refreshWith({design.wall});
    EXPECT_EQ(p->wallStyleTableView->selectedRow(), -1);
    EXPECT_TRUE(p->wallHeightDText->isEnabled());

    // A two-point wall alone has no ceiling to build.
    refreshWith({wall2});
    EXPECT_FALSE(p->ceilingBuilderButton->isEnabled());
}

class OpeningPanes : public WallPanes {
protected:
    WindowInspectorController* window() {
        return static_cast<WindowInspectorController*>(
            InspectorPaneRegistry::sharedInspectorController("WindowInspectorController"));
    }
    DoorInspectorController* door() {
        return static_cast<DoorInspectorController*>(
            InspectorPaneRegistry::sharedInspectorController("DoorInspectorController"));
    }
    static AttachmentRecord* rec(Objex* o) { return o->typeData.attachment; }
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }
};

TEST_F(OpeningPanes, WindowsMergeStylesAndKeepDividersToStyle600) {
    Objex* w604 = Opening(design.wall, objtype::kWindow, 604, 2);
    rec(design.window)->frameFlag = 0, rec(design.window)->reserved = 1;
    refreshWith({design.window, w604});
    WindowInspectorController* p = window();
    EXPECT_EQ(p->windowStyleTableView->selectedRow(), -1);
    for (QWidget* c : std::initializer_list<QWidget*>{p->windowWidthText, p->windowHeightText, p->windowElevationText,
                                                      p->windowTrimText, p->horDivsText, p->verDivsText,
                                                      p->horDivsStepper, p->verDivsStepper, p->flipHorizButton,
                                                      p->flipVertButton})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();

    // Dividers typed on the 604 window leave it as it is but become the default.
    refreshWith({w604});
    const int before = steps();
    p->horDivsText->setText(QStringLiteral("3"));
    p->controlTextDidEndEditing(p->horDivsText);
    EXPECT_EQ(rec(w604)->reserved, 0);
    EXPECT_EQ(ds->windowDivisions.y, 3);
    EXPECT_EQ(steps(), before);

    // The divided row: a 0/1 window becomes 2 by 2; other dividers stay.
    refreshWith({design.window});
    EXPECT_EQ(p->windowStyleTableView->selectedRow(), 0);
    p->windowStyleTableView->selectRow(1);
    EXPECT_EQ(rec(design.window)->frameFlag, 2);
    EXPECT_EQ(rec(design.window)->reserved, 2);
    EXPECT_EQ(undoTitle(), QStringLiteral("Window Style"));
    rec(design.window)->frameFlag = 3, rec(design.window)->reserved = 4;
    refreshWith({design.window});
    p->windowStyleTableView->deselectAll();
    p->windowStyleTableView->selectRow(1);
    EXPECT_EQ(rec(design.window)->frameFlag, 3);
    EXPECT_EQ(rec(design.window)->reserved, 4);
    EXPECT_EQ(ds->windowDivisions.x, 2);

    // A typed width reaches the window in plan units.
    const float narrower = std::floor(ConvertScreenToWorld(rec(design.window)->width, ds, 0)) - 2;
    type(p->windowWidthText, QString::number(narrower));
    EXPECT_FLOAT_EQ(rec(design.window)->width, plan(narrower));
    EXPECT_FLOAT_EQ(ds->windowWidth, narrower);

    // Codes whose rows the table lacks show none (window 611, door 506).
    rec(w604)->style = 611;
    refreshWith({w604});
    EXPECT_EQ(p->windowStyleTableView->selectedRow(), -1);
    rec(design.door)->style = 506;
    refreshWith({design.door});
    EXPECT_EQ(door()->doorStyleTableView->selectedRow(), -1);
    EXPECT_TRUE(door()->doorSwingText->isEnabled());
}

TEST_F(OpeningPanes, DoorEditsReachEveryWallAndKeepTheirLimits) {
    Objex* wall2 = Wall(design.first, {{600, 0}, {800, 0}});
    Objex* door2 = Opening(wall2, objtype::kDoor, 501, 0);
    rec(design.door)->style = 501;
    refreshWith({design.door, door2});
    DoorInspectorController* p = door();
    int before = steps();
    const float narrower = std::floor(ConvertScreenToWorld(rec(design.door)->width, ds, 0)) - 2;
    type(p->doorWidthText, QString::number(narrower));
    EXPECT_FLOAT_EQ(rec(design.door)->width, plan(narrower));
    EXPECT_FLOAT_EQ(rec(door2)->width, plan(narrower));
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Width"));

    const struct {
        const char* typed;
        bool accepted;
        int16_t side;
    } swings[] = {{"90", true, 4}, {"-90", true, 0}, {"400", false, 0}};
    for (const auto& s : swings) {
        SCOPED_TRACE(s.typed);
        type(p->doorSwingText, QString::fromLatin1(s.typed));
        EXPECT_EQ(rec(door2)->directionFlag, s.side);
        if (!s.accepted) {
            EXPECT_NEAR(rec(door2)->swingOrOffset, -90 * 0.017453292519943295, 1e-6);
            EXPECT_NEAR(p->prevDoorSwingAngle, -90, 1e-4);
        }
    }
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Swing Angle"));

    type(p->doorElevationText, "-1201");
    const float kept = rec(door2)->elevation;
    EXPECT_NE(kept, plan(-1201));
    type(p->doorElevationText, "-1200");
    EXPECT_FLOAT_EQ(rec(door2)->elevation, plan(-1200));

    // Trim: rows 0-2 take 0; a mixed selection wants more than nothing.
    rec(door2)->style = 503;
    refreshWith({design.door, door2});
    p->doorTrimText->setText(QStringLiteral("0"));
    p->controlTextDidEndEditing(p->doorTrimText);
    EXPECT_NE(rec(door2)->trimWidth, 0);
    refreshWith({design.door});
    type(p->doorTrimText, "0");
    EXPECT_EQ(rec(design.door)->trimWidth, 0);
}

}  // namespace
}  // namespace dvxtest
