#include "ui/sheets/move_rotate_sheets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/core/sheet_actions.h"

namespace {

constexpr int kRectangular = 0, kPolar = 1;
constexpr int kDegrees = 0, kRadians = 1;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;

}  // namespace

MoveSheet::MoveSheet(QWidget* parent, const char* role, const QString& title, bool wholePlan)
    : SheetDialog(parent, role, title), wholePlan_(wholePlan),
      coordinateSysMatrix_(new RadioMatrix("coordinateSysMatrix",
                                           {localized("Rectangular"), localized("Polar")}, this)),
      horizDistLabel_(label("horizDistLabel", localized("X-Axis:"), this)),
      vertDistLabel_(label("vertDistLabel", localized("Y-Axis:"), this)),
      horizDistText_(new QLineEdit(this)), vertDistText_(new QLineEdit(this)) {
    horizDistText_->setObjectName(QStringLiteral("horizDistText"));
    vertDistText_->setObjectName(QStringLiteral("vertDistText"));
    addRow(QString(), coordinateSysMatrix_);
    form()->addRow(horizDistLabel_, horizDistText_);
    form()->addRow(vertDistLabel_, vertDistText_);
    addButtons();
    connect(coordinateSysMatrix_, &RadioMatrix::changed, this, &MoveSheet::coordinateSysMatrixChanged);
}

void MoveSheet::initializeControlStates() {
    showLength(horizDistText_, 0);
    showLength(vertDistText_, 0);
}

void MoveSheet::coordinateSysMatrixChanged(int tag) {
    if (tag == kRectangular) {
        horizDistLabel_->setText(localized("X-Axis:"));
        vertDistLabel_->setText(localized("Y-Axis:"));
        showLength(horizDistText_, 0);
    } else if (tag == kPolar) {
        horizDistLabel_->setText(localized("Angle:"));
        vertDistLabel_->setText(localized("Distance:"));
        showAngle(horizDistText_, 0, false);
    } else {
        return;
    }
    showLength(vertDistText_, 0);
}

void MoveSheet::applyValues() {
    const int tag = coordinateSysMatrix_->selectedTag();
    if (tag == kRectangular)
        MoveByTypedOffset(wholePlan_, MoveMode::Rectangular, lengthOf(horizDistText_), lengthOf(vertDistText_));
    else if (tag == kPolar)
        MoveByTypedOffset(wholePlan_, MoveMode::Polar, angleOf(horizDistText_, false), lengthOf(vertDistText_));
}

MoveObjectsController::MoveObjectsController(QWidget* parent)
    : MoveSheet(parent, "MoveObjects", localized("Move Objects"), false) {}

MovePlanController::MovePlanController(QWidget* parent)
    : MoveSheet(parent, "MovePlan", localized("Move Plan"), true) {}

RotateSheet::RotateSheet(QWidget* parent, const char* role, const QString& title, bool wholePlan)
    : SheetDialog(parent, role, title), wholePlan_(wholePlan),
      angleText_(addField("angleText", localized("Angle:"))),
      angleUnitSysMatrix_(new RadioMatrix("angleUnitSysMatrix", {localized("Degrees"), localized("Radians")}, this)) {
    addRow(QString(), angleUnitSysMatrix_);
    addButtons();
    connect(angleUnitSysMatrix_, &RadioMatrix::changed, this, &RotateSheet::angleUnitSysMatrixChanged);
}

void RotateSheet::initializeControlStates() { showAngle(angleText_, 0, false); }

void RotateSheet::angleUnitSysMatrixChanged(int tag) {
    // The value as shown, already rounded to the readout's decimals, is what converts.
    if (tag == kDegrees)
        showAngle(angleText_, static_cast<float>(angleOf(angleText_, true) * kDegreesPerRadian), false);
    else
        showAngle(angleText_, static_cast<float>(angleOf(angleText_, false) * kRadiansPerDegree), true);
}

void RotateSheet::applyValues() {
    const bool radians = angleUnitSysMatrix_->selectedTag() == kRadians;
    RotateByTypedAngle(wholePlan_, angleOf(angleText_, radians), radians);
}

RotateObjectsController::RotateObjectsController(QWidget* parent)
    : RotateSheet(parent, "RotateObjects", localized("Rotate Objects"), false) {}

RotatePlanController::RotatePlanController(QWidget* parent)
    : RotateSheet(parent, "RotatePlan", localized("Rotate Plan"), true) {}
