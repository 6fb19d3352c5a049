// What a pane does with an entry the user did not make: text without a number is refused by
// every pane, the same way; a field the user only pressed Return in, or left, applies nothing
// (its text may be a rounded readout of the object's value).
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/document_view.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "support/qt/inspector_window_fixture.h"
#include "ui/core/inspector_edits.h"
#include "ui/core/photo_pane_rules.h"
#include "ui/inspector/inspector_pane.h"

namespace dvxtest {
namespace {

namespace of = objfield;

// A length as a pane reads it from typed text.
float ReadLength(const char* typed) {
    struct Typed : port::TextField {
        std::string t;
        std::string text() const override { return t; }
        void setText(std::string_view text) override { t = text; }
        bool isEnabled() const override { return true; }
        void setEnabled(bool) override {}
    } field;
    field.t = typed;
    return ReadEntry(FieldEntry::Length, &field);
}

class PaneEntries : public InspectorWindowTest {
protected:
    void SetUp() override { openDesign("pane_entries"); }
    QLineEdit* text(const char* pane, const char* outlet) {
        return InspectorPaneRegistry::sharedInspectorController(pane)->inspectorView()->findChild<QLineEdit*>(outlet);
    }
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }
};

TEST_F(PaneEntries, TextWithoutANumberIsRefusedByEveryPane) {
    Objex* topo = Outline(objtype::kTopography, {{600, 700}, {640, 730}, {680, 700}}, false).on(design.first);
    of::topo_line::kHeight(*topo) = plan(30);
    of::plant::kPlantingAge(*design.plant) = 4;
    design.window->typeData.attachment->style = 600, design.window->typeData.attachment->reserved = 2;
    const struct {
        const char* what;
        std::vector<Objex*> selected;
        const char *pane, *outlet;
        std::function<float()> value;  // what the entry must leave as it was
    } rows[] = {
        {"a topography line's elevation", {topo}, "TopoInspectorController", "elevationText",
         [&] { return of::topo_line::kHeight(*topo); }},
        {"a plant's age", {design.plant}, "PlantInspectorController", "plantAgeText",
         [&] { return float(of::plant::kPlantingAge(*design.plant)); }},
        {"a door's trim", {design.door}, "DoorInspectorController", "doorTrimText",
         [&] { return design.door->typeData.attachment->trimWidth; }},
        {"a window's dividers", {design.window}, "WindowInspectorController", "horDivsText",
         [&] { return float(design.window->typeData.attachment->reserved); }},
    };
    for (const auto& r : rows) {
        for (const char* typed : {"abc", ""}) {
            SCOPED_TRACE(std::string(r.what) + " typed \"" + typed + "\"");
            refreshWith(r.selected);
            QLineEdit* field = text(r.pane, r.outlet);
            ASSERT_TRUE(field);
            const float before = r.value();
            const int stepsBefore = steps();
            field->setFocus();
            field->selectAll();
            if (*typed) QTest::keyClicks(field, typed);
            else QTest::keyClick(field, Qt::Key_Delete);
            QTest::keyClick(field, Qt::Key_Return);
            EXPECT_EQ(std::tuple(r.value(), steps()), std::tuple(before, stepsBefore));
        }
    }
}

// The door's height is a little over what its imperial readout shows: a Return in the field,
// or the focus leaving it, is no entry and leaves the door as it was.
TEST_F(PaneEntries, ReturnOrLeavingAFieldNotTypedIntoAppliesNothing) {
    design.door->typeData.attachment->height = plan(80.3f);
    refreshWith({design.door});
    QLineEdit* height = text("DoorInspectorController", "doorHeightText");
    ASSERT_FALSE(height->text().isEmpty());
    const int stepsBefore = steps();
    height->setFocus();
    QTest::keyClick(height, Qt::Key_Return);
    w->docView()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(std::tuple(design.door->typeData.attachment->height, steps()), std::tuple(plan(80.3f), stepsBefore));
}

// A new metric design keeps its lengths in inches that are no whole number of millimetres:
// typing what a field shows (0.9 for "0.9 m") is no change to the skylight, its trim or the
// wall's height and stores no step, but the tool default takes the value typed; more digits
// than shown still apply.
TEST_F(PaneEntries, TypingTheValueAFieldShowsChangesOnlyTheToolDefault) {
    ds->units = kMetricUnits, ds->metricReadout = 1;  // metres
    RoofAttachmentRecord* sky = design.skylight->typeData.roofAttachment;
    sky->style = 800;
    sky->width = plan(35.4331f), sky->trimWidth = plan(2.75591f);
    ds->skylightWidth = 35.4331f, ds->skylightValue = 2.75591f, ds->wallHeight = 94.4882f;
    for (Poinz* q = design.wall->firstPoint; q; q = q->next) of::wall_segment::kFirstHeight(*q) = 94.4882f;
    ASSERT_TRUE(ResizePhotoBaseLine(design.photo, plan(35.4331f) / 2));
    of::photo::kHeight(*design.photo) = plan(94.4882f);
    const struct {
        const char* what;
        Layer* floor;
        Objex* selected;
        const char *pane, *outlet, *typed;
        std::function<float()> value;
        float* toolDefault;  // null for none
        int steps;
    } rows[] = {
        {"the skylight's width as shown", design.third, design.skylight, "SkylightInspectorController",
         "skylightWidthText", "0.9", [&] { return sky->width; }, &ds->skylightWidth, 0},
        {"the skylight's trim as shown", design.third, design.skylight, "SkylightInspectorController",
         "skylightTrimText", "0.07", [&] { return sky->trimWidth; }, &ds->skylightValue, 0},
        {"the wall's height as shown", design.first, design.wall, "WallObjectInspectorController", "wallHeightText",
         "2.4", [&] { return of::wall_segment::kFirstHeight(*design.wall->firstPoint); }, &ds->wallHeight, 0},
        {"the photo's width as shown", design.first, design.photo, "RorozErudInspectorController", "photoWidthText",
         "0.9", [&] { return PhotoBaseLength(design.photo); }, nullptr, 0},
        {"the photo's height as shown", design.first, design.photo, "RorozErudInspectorController",
         "photoHeightText", "2.4", [&] { return of::photo::kHeight(*design.photo); }, nullptr, 0},
        {"a skylight width with a digit more", design.third, design.skylight, "SkylightInspectorController",
         "skylightWidthText", "0.9001", [&] { return sky->width; }, &ds->skylightWidth, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        doc->itsCurLayer = r.floor;
        refreshWith({r.selected});
        QLineEdit* field = text(r.pane, r.outlet);
        ASSERT_TRUE(field);
        const float before = r.value();
        const int stepsBefore = steps();
        type(field, QString::fromLatin1(r.typed));
        EXPECT_EQ(steps(), stepsBefore + r.steps);
        if (r.steps) {
            EXPECT_NE(r.value(), before);
            EXPECT_NEAR(*r.toolDefault, 0.9001f / 0.0254f, 1e-3);
        } else {
            EXPECT_EQ(r.value(), before);
            if (r.toolDefault) {
                EXPECT_EQ(*r.toolDefault, ReadLength(r.typed));
            }
            EXPECT_EQ(field->text().toStdString(), std::string(r.typed) + " m");
        }
    }
}

}  // namespace
}  // namespace dvxtest
