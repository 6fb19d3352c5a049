#include "ui/sheets/elevation_sheets.h"

#include <QCheckBox>
#include <QLineEdit>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "ui/core/sheet_actions.h"
#include "app/core/sheet_values.h"

namespace {

// A floor's height when the sheet has none to show.
constexpr float kDefaultCeilingHeight = 96.0f;

}  // namespace

ObjectElevationController::ObjectElevationController(QWidget* parent)
    : SheetDialog(parent, "ObjectElevation", localized("Set Elevation")),
      floatAboveTopoButton_(new QCheckBox(localized("Float above topography"), this)),
      elevationText_(addField("elevationText", localized("Elevation:"))) {
    floatAboveTopoButton_->setObjectName(QStringLiteral("floatAboveTopoButton"));
    addRow(QString(), floatAboveTopoButton_);
    addButtons();
    connect(floatAboveTopoButton_, &QCheckBox::toggled, this, &ObjectElevationController::floatAboveTopoButtonChanged);
}

void ObjectElevationController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    gDLOGElevation = ds ? ds->ss40.ssBaseElevationValue : 0.0f;
    showLength(elevationText_, gDLOGElevation);
    // The opener cleared the flag: the box starts off to agree with it.
    floatAboveTopoButton_->setChecked(false);
    floatAboveTopoButtonChanged();
}

void ObjectElevationController::floatAboveTopoButtonChanged() {
    gDLOGTopoFloat = floatAboveTopoButton_->isChecked() ? 1 : 0;
    elevationText_->setEnabled(!gDLOGTopoFloat);
}

void ObjectElevationController::dismissSheet(QObject* sender) {
    bool cannotFloat = false;
    if (tagOf(sender) == kOK && CurrentDocState()) {
        gDLOGElevation = lengthOf(elevationText_);
        cannotFloat = SetSelectedObjectElevation();
    }
    endSheet();
    if (cannotFloat) ShowObjectsCannotFloatAlert();
}

WorkingElevationController::WorkingElevationController(QWidget* parent)
    : SheetDialog(parent, "WorkingElevation", localized("Set Working Elevation")),
      elevationText_(addField("elevationText", localized("Working elevation:"))) {
    addButtons();
}

void WorkingElevationController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    showLength(elevationText_, ds ? ds->currentElevation : 0.0f);
}

void WorkingElevationController::applyValues() { SetWorkingElevation(lengthOf(elevationText_)); }

CeilingHeightController::CeilingHeightController(QWidget* parent, Layer* targetLayer)
    : SheetDialog(parent, "CeilingHeight", localized("Ceiling Height")), targetLayer_(targetLayer),
      heightText_(addField("heightText", localized("Ceiling height:"))) {
    addButtons();
}

void CeilingHeightController::initializeControlStates() {
    showLength(heightText_, targetLayer_ ? targetLayer_->height : kDefaultCeilingHeight);
}

void CeilingHeightController::dismissSheet(QObject* sender) {
    CeilingHeightResult result = CeilingHeightResult::Unchanged;
    if (tagOf(sender) == kOK) result = SetCeilingHeight(targetLayer_, lengthOf(heightText_));
    endSheet();
    if (result == CeilingHeightResult::OutOfRange) ShowInvalidCeilingHeightAlert();
}
