#include "ui/inspector/wall_inspectors.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "app/core/dialog_fields.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "tracking/tracking_state.h"
#include "ui/inspector/wall_pane_rows.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_pictures.h"

WallPane::WallPane() {
    for (const char* name : {"WallStyle1", "WallStyle2"})
        wallStyleImageArray.push_back(RenderToolPicture(QString::fromLatin1(name), 48, Qt::black));
}

void WallPane::buildWallControls(QWidget* view) {
    auto* form = new QFormLayout(view);
    const auto text = [&](QLineEdit** edit, const char* outlet, const QString& label) {
        *edit = addTextField(outlet, view);
        form->addRow(label, *edit);
    };
    wallStyleTableView = new StyleTable("wallStyleTableView", view);
    for (int r = 0; r < int(wallStyleImageArray.size()); ++r)
        wallStyleTableView->addStyle(wallStyleImageArray[r], tr("Style %1").arg(r + 1));
    wallStyleTableView->setFixedHeight(112);
    connect(wallStyleTableView, &QListWidget::itemSelectionChanged, this, [this] {
        if (checkObjects_ && CurrentDocState() && gCurDocument->itsCurLayer && wallStyleTableView->selectedRow() >= 0)
            styleRowChosen(wallStyleTableView->selectedRow());
    });
    form->addRow(wallStyleTableView);
    text(&wallHeightText, "wallHeightText", tr("Wall height"));
    wallPitchALabel = new QLabel(view);
    wallPitchAText = addTextField("wallPitchAText", view);
    form->addRow(tr("Pitch A"), wallPitchAText);
    form->addRow(QString(), wallPitchALabel);
    wallPitchBLabel = new QLabel(view);
    wallPitchBText = addTextField("wallPitchBText", view);
    form->addRow(tr("Pitch B"), wallPitchBText);
    form->addRow(QString(), wallPitchBLabel);
    text(&wallHeightCText, "wallHeightCText", tr("Height C"));
    text(&wallHeightDText, "wallHeightDText", tr("Height D"));
    text(&wallThicknessText, "wallThicknessText", tr("Thickness"));
    wallThicknessStepper = new Stepper("wallThicknessStepper", 1, 72, view);
    connect(wallThicknessStepper, &Stepper::valueChanged, this, [this](int v) { thicknessStepped(v); });
    form->addRow(QString(), wallThicknessStepper);
    text(&studSpacingText, "studSpacingText", tr("Stud spacing"));
    autoFlooringButton = addCheckBox("autoFlooringButton", tr("Auto flooring"), view);
    form->addRow(autoFlooringButton);
    text(&floorDepthText, "floorDepthText", tr("Floor depth"));
    foundationButton = addCheckBox("foundationButton", tr("Foundation"), view);
    form->addRow(foundationButton);
    text(&foundationWidthText, "foundationWidthText", tr("Footing width"));
    displayDimsButton = addCheckBox("displayDimsButton", tr("Show dimensions"), view);
    displayCalloutsButton = addCheckBox("displayCalloutsButton", tr("Show callouts"), view);
    form->addRow(displayDimsButton);
    form->addRow(displayCalloutsButton);
    for (QCheckBox* b : {autoFlooringButton, foundationButton, displayDimsButton, displayCalloutsButton})
        connect(b, &QCheckBox::clicked, this, [this, b] { buttonChanged(b); });
}

void WallPane::setPitchLabels() {
    const DocState* ds = CurrentDocState();
    const QString per = ds && ds->units == kImperialUnits ? QStringLiteral(": 12") : QStringLiteral(": 10");
    wallPitchALabel->setText(per);
    wallPitchBLabel->setText(per);
}

void WallPane::applyStyleEnabling(int32_t style, bool withHeight) {
    const WallStyleEnabling on = WallStyleEnablingFor(style);
    if (withHeight) wallHeightText->setEnabled(on.height);
    wallPitchAText->setEnabled(on.pitchA);
    wallPitchBText->setEnabled(on.pitchB);
    wallHeightCText->setEnabled(on.heightC);
    wallHeightDText->setEnabled(on.heightD);
}

bool WallPane::heightRuleHolds(QLineEdit* edited, float value) const {
    const auto shown = [&](QLineEdit* e) { return e == edited ? value : GetFloatItem(field(e)); };
    const WallHeightField which = edited == wallHeightText    ? WallHeightField::Height
                                  : edited == wallHeightCText ? WallHeightField::HeightC
                                                              : WallHeightField::HeightD;
    return WallHeightsAllowed(gWallPropertiesStyle, which, shown(wallHeightText), shown(wallHeightCText),
                              shown(wallHeightDText));
}

const InspectorEditRow* WallPane::rowOf(QLineEdit* edit) const {
    return edit ? FindWallRow(edit->objectName().toLatin1().constData()) : nullptr;
}

bool WallPane::readAccepted(const InspectorEditRow& row, QLineEdit* edit, float* value) {
    float v = ReadEntry(row.entry, field(edit));
    if (row.entry == FieldEntry::Pitch) v = std::fabs(v);
    const bool heightField = edit == wallHeightText || edit == wallHeightCText || edit == wallHeightDText;
    if (!HoldsNumber(field(edit)) || !(v >= row.low && v <= row.high) || (heightField && !heightRuleHolds(edit, v))) {
        ShowRefused(row, field(edit));
        if (edit == wallThicknessText) showThickness(CurrentDocState()->wallThickness);
        return false;
    }
    *value = v;
    return true;
}

void WallPane::showThickness(float inches) {
    SetFloatItem(field(wallThicknessText), inches);
    wallThicknessStepper->setValue(int(std::lround(inches)));
    wallThicknessStepper->setEnabled(true);
}

// The tool pane: its edits only write the defaults new walls take.

void WallToolInspectorController::buildView(QWidget* view) {
    buildWallControls(view);
    wallSegmentLengthText = addTextField("wallSegmentLengthText", view);
    static_cast<QFormLayout*>(view->layout())->addRow(tr("Segment length"), wallSegmentLengthText);
}

void WallToolInspectorController::updateToolProperties() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    setPitchLabels();
    const bool interior = gCurTool == 7052 || gCurTool == 7053;
    for (QWidget* w : {static_cast<QWidget*>(floorDepthText), static_cast<QWidget*>(autoFlooringButton),
                       static_cast<QWidget*>(foundationWidthText), static_cast<QWidget*>(foundationButton)})
        w->setEnabled(!interior);
    showThickness(ds->wallThickness);
    SetFloatItem(field(studSpacingText), ds->studSpacing);
    SetFloatItem(field(floorDepthText), ds->floorDepth);
    showCheck(autoFlooringButton, ds->autoFlooring == 0, true);
    if (!autoFlooringButton->isChecked()) floorDepthText->setEnabled(false);
    SetFloatItem(field(foundationWidthText), ds->foundationWidth);
    showCheck(foundationButton, (gCurTool == 7050 || gCurTool == 7051) && ds->wallFoundation == 1, true);
    if (!foundationButton->isChecked()) foundationWidthText->setEnabled(false);
    SetFloatItem(field(wallHeightText), ds->wallHeight);
    SetFloatItem(field(wallHeightCText), ds->wallHeightC);
    SetFloatItem(field(wallHeightDText), ds->wallHeightD);
    SetFloatPitchItem(field(wallPitchAText), ds->wallPitchA);
    SetFloatPitchItem(field(wallPitchBText), ds->wallPitchB);
    showCheck(displayDimsButton, !(ds->wallDisplayFlags & 1), true);
    showCheck(displayCalloutsButton, !(ds->wallDisplayFlags & 2), true);
    wallSegmentLengthText->setEnabled(gCurTool == 7054);
    SetFloatItem(field(wallSegmentLengthText), ds->wallSegmentLength);
    checkObjects_ = false;
    gWallPropertiesStyle = ds->wallStyle;
    applyStyleEnabling(gWallPropertiesStyle, false);
    wallStyleTableView->selectRow(WallStyleRow(gWallPropertiesStyle));
    checkObjects_ = true;
}

void WallToolInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    DocState* ds = CurrentDocState();
    const InspectorEditRow* row = rowOf(edit);
    if (!ds || !gCurDocument->itsCurLayer || !row || !row->setDefault) return;
    float v = 0;
    if (!readAccepted(*row, edit, &v)) return;
    row->setDefault(ds, v);
    ShowEntry(row->entry, field(edit), v);
    if (edit == wallThicknessText) showThickness(v);
}

void WallToolInspectorController::styleRowChosen(int row) {
    DocState* ds = CurrentDocState();
    ds->wallStyle = row;
    gWallPropertiesStyle = row;
    applyStyleEnabling(row, false);
}

void WallToolInspectorController::thicknessStepped(int value) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const float v = value >= 1 && value <= 72 ? float(value) : ds->wallThickness;
    ds->wallThickness = ds->wallThicknessA = v;
    showThickness(v);
}

void WallToolInspectorController::buttonChanged(QCheckBox* button) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const bool on = button->isChecked();
    if (button == autoFlooringButton) {
        ds->autoFlooring = on ? 0 : 1;
        floorDepthText->setEnabled(on);
    } else if (button == foundationButton) {
        ds->wallFoundation = on ? 1 : 2;
        foundationWidthText->setEnabled(on);
    } else {
        const int32_t bit = button == displayDimsButton ? 1 : 2;
        ds->wallDisplayFlags = on ? ds->wallDisplayFlags & ~bit : ds->wallDisplayFlags | bit;
    }
}
