#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "app/app_controller.h"
#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "app/document_view.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_queries.h"
#include "model/inspector_panel.h"
#include "ui/inspector/wall_inspectors.h"
#include "ui/inspector/wall_pane_rows.h"
#include "ui/sheets/sheet_dialog.h"

namespace {

namespace seg = objfield::wall_segment;

// The single selected wall of the current floor, or null when none or several are.
Objex* SoleSelectedWall() {
    Layer* floor = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    Objex* sole = nullptr;
    for (Objex* o = floor ? floor->firstObject : nullptr; o; o = o->next) {
        if (o->type != objtype::kWall || !IsObjectSelected(o)) continue;
        if (sole) return nullptr;
        sole = o;
    }
    return sole;
}

}  // namespace

void WallObjectInspectorController::buildView(QWidget* view) {
    buildWallControls(view);
    auto* form = static_cast<QFormLayout*>(view->layout());
    dimensionButtons = new QButtonGroup(this);
    dimensionButtons->setExclusive(true);
    const QString titles[] = {tr("Dimension to centres"), tr("Dimension to faces"), tr("Dimension to outside")};
    for (int i = 0; i < int(std::size(kWallDimensionTags)); ++i) {
        auto* cell = new QPushButton(titles[i], view);
        cell->setObjectName(QStringLiteral("dimensionButtons%1").arg(i));
        cell->setCheckable(true);
        dimensionButtons->addButton(cell, kWallDimensionTags[i]);
        form->addRow(cell);
        addObjectOnly(cell);
    }
    connect(dimensionButtons, &QButtonGroup::idClicked, this, [this](int tag) { dimensionButtonsChanged(tag); });
    flipDimensionsButton = addCheckBox("flipDimensionsButton", tr("Flip dimensions"), view);
    connect(flipDimensionsButton, &QCheckBox::clicked, this, [this] { flipDimensionsButtonChanged(); });
    form->addRow(flipDimensionsButton);
    ceilingBuilderButton = new QPushButton(tr("Ceiling Builder..."), view);
    ceilingBuilderButton->setObjectName(QStringLiteral("ceilingBuilderButton"));
    connect(ceilingBuilderButton, &QPushButton::clicked, this, [this] { ceilingBuilderButtonChanged(); });
    form->addRow(ceilingBuilderButton);
}

void WallObjectInspectorController::showToolDefaults() { setPitchLabels(); }

void WallObjectInspectorController::showObject(Objex* wall, bool first) {
    if (wall->type != objtype::kWall) return;
    setPitchLabels();
    Objex* sole = SoleSelectedWall();
    ceilingBuilderButton->setEnabled(sole && sole->pointCount > 2);

    const bool exterior = IsExteriorWall(wall);
    if (first)
        for (QWidget* w : std::initializer_list<QWidget*>{autoFlooringButton, floorDepthText, foundationButton,
                                                          foundationWidthText})
            w->setEnabled(false);
    if (exterior)
        for (QWidget* w : std::initializer_list<QWidget*>{autoFlooringButton, floorDepthText, foundationButton,
                                                          foundationWidthText})
            w->setEnabled(true);

    // Thickness: the stepper is usable only while every wall has the thickness shown.
    const float thickness = wall->penWidth;
    UpdatePropertiesFloat(field(wallThicknessText), thickness, first);
    const bool agreed = first || !wallThicknessText->text().isEmpty();
    if (agreed) wallThicknessStepper->setValue(int(std::lround(thickness)));
    wallThicknessStepper->setEnabled(agreed);
    UpdatePropertiesFloat(field(studSpacingText), objfield::wall::kStudSpacing(*wall), first);

    const bool flooring = objfield::wall::kAutoFlooringOff(*wall) == 0;
    UpdatePropertiesFloat(field(floorDepthText), objfield::wall::kFloorDepth(*wall), first);
    if (first || flooring == autoFlooringButton->isChecked()) {
        showCheck(autoFlooringButton, flooring, true);
        floorDepthText->setEnabled(floorDepthText->isEnabled() && flooring);
    } else {
        showCheck(autoFlooringButton, false, true);
        floorDepthText->setEnabled(false);
    }

    const bool foundation = exterior && (objfield::wall::kFoundation(*wall) & 1);
    UpdatePropertiesFloat(field(foundationWidthText), objfield::wall::kQuickWallWidth(*wall), first);
    if (first) {
        showCheck(foundationButton, foundation, true);
        foundationWidthText->setEnabled(foundationWidthText->isEnabled() && foundation);
    } else if (!foundation && foundationButton->isChecked()) {
        showCheck(foundationButton, false, true);
        foundationWidthText->setEnabled(false);
    }

    // Each selected segment, the closing one last; the first wall's every segment sets.
    bool set = first;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        Poinz* end = p->next ? p->next : (wall->closed && p != wall->firstPoint ? wall->firstPoint : nullptr);
        if (!end || !p->selected || !end->selected) continue;
        ++gCurPropertiesObjectCount;
        UpdatePropertiesFloat(field(wallHeightText), seg::kFirstHeight(*p), set);
        UpdatePropertiesFloat(field(wallHeightCText), seg::kSecondHeight(*p), set);
        UpdatePropertiesFloat(field(wallHeightDText), seg::kPeakHeight(*p), set);
        UpdatePropertiesFloatPitch(field(wallPitchAText), seg::kPitchA(*p), set);
        UpdatePropertiesFloatPitch(field(wallPitchBText), seg::kPitchB(*p), set);
        const bool dims = !(p->segmentFlags & 1), callouts = !(p->segmentFlags & 2);
        if (set) {
            showCheck(displayDimsButton, dims, true);
            showCheck(displayCalloutsButton, callouts, true);
            if (QAbstractButton* cell = dimensionButtons->button(p->dimensionMethod)) cell->setChecked(true);
            else if (QAbstractButton* chosen = dimensionButtons->checkedButton()) {
                dimensionButtons->setExclusive(false), chosen->setChecked(false), dimensionButtons->setExclusive(true);
            }
            gWallPropertiesStyle = p->wallStyle;
            wallStyleTableView->selectRow(WallStyleRow(p->wallStyle));
        } else {
            showCheck(displayDimsButton, dims, false);
            showCheck(displayCalloutsButton, callouts, false);
            if (dimensionButtons->checkedId() != p->dimensionMethod && dimensionButtons->checkedButton()) {
                dimensionButtons->setExclusive(false);
                dimensionButtons->checkedButton()->setChecked(false);
                dimensionButtons->setExclusive(true);
            }
            if (p->wallStyle != gWallPropertiesStyle) {
                gWallPropertiesStyle = -1;
                wallStyleTableView->deselectAll();
            }
        }
        applyStyleEnabling(gWallPropertiesStyle, true);
    }
}

void WallObjectInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    const InspectorEditRow* row = rowOf(edit);
    if (!CurrentDocState() || !gCurDocument->itsCurLayer || !row || edit->objectName() == "wallSegmentLengthText")
        return;
    float v = 0;
    if (!readAccepted(*row, edit, &v)) return;
    ApplyInspectorValue(*row, v, true);
    ShowEntry(row->entry, field(edit), v);
    if (edit == wallThicknessText) showThickness(v);
}

void WallObjectInspectorController::styleRowChosen(int row) {
    if (row < 0 || row >= kWallStyleRows) return;
    gWallPropertiesStyle = row;
    ApplyInspectorValue(WallStyleTableRow(), float(row));
    applyStyleEnabling(row, false);
}

void WallObjectInspectorController::thicknessStepped(int value) {
    DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsCurLayer) return;
    if (value < 1 || value > 72) {
        showThickness(ds->wallThickness);
        return;
    }
    const float inches = std::floor(float(value));  // whole inches on the walls
    ApplyInspectorValue(WallThicknessStepperRow(), inches);
    showThickness(inches);
}

void WallObjectInspectorController::buttonChanged(QCheckBox* button) {
    if (!CurrentDocState() || !gCurDocument->itsCurLayer) return;
    const bool on = button->isChecked();
    if (button == autoFlooringButton) {
        ApplyInspectorValue(WallAutoFlooringRow(), on ? 0 : 1);
        floorDepthText->setEnabled(on);
    } else if (button == foundationButton) {
        ApplyInspectorValue(WallFoundationRow(), on ? 1 : 2);
        foundationWidthText->setEnabled(on);
    } else if (button == displayDimsButton) {
        ApplyInspectorValue(WallDisplayDimsRow(), on ? 0 : 1);
    } else if (button == displayCalloutsButton) {
        ApplyInspectorValue(WallDisplayCalloutsRow(), on ? 0 : 1);
    }
}

void WallObjectInspectorController::dimensionButtonsChanged(int tag) {
    if (CurrentDocState() && gCurDocument->itsCurLayer) ApplyInspectorValue(WallDimensionTagRow(), float(tag));
}

void WallObjectInspectorController::flipDimensionsButtonChanged() {
    if (CurrentDocState() && gCurDocument->itsCurLayer) ApplyInspectorValue(WallFlipDimensionsRow(), 0);
}

void WallObjectInspectorController::ceilingBuilderButtonChanged() {
    if (auto* view = dynamic_cast<QMDDocumentView*>(AppController::shared()->mainWindowDocumentView()))
        view->showCeilingBuilder(0);
}
