#include "ui/sheets/ceiling_builder_controller.h"

#include <QCheckBox>
#include <QLineEdit>

#include "geometry/elements/auto_ceilings.h"
#include "model/tool_defaults.h"
#include "ui/core/ceiling_builder.h"

CeilingBuilderController* CeilingBuilderController::newCeilingBuilderSheetForParent(CommandWindow* parent) {
    if (!parent || InitializeAutoCeilingFloorDlgVar() != 1) return nullptr;
    return SheetDialog::begin<CeilingBuilderController>(parent);
}

CeilingBuilderController::CeilingBuilderController(QWidget* parent)
    : SheetDialog(parent, "CeilingBuilder", localized("Ceiling Builder")),
      buildSoffitsButton_(box("buildSoffitsButton", localized("Build soffits"))),
      buildFloorsButton_(nullptr), buildCeilingsButton_(nullptr), joinSoffitsButton_(nullptr) {
    soffitThicknessText_ = field("soffitThicknessText", localized("Soffit thickness:"));
    soffitElevationText_ = field("soffitElevationText", localized("Soffit elevation:"));
    soffitExtensionText_ = field("soffitExtensionText", localized("Soffit extension:"));
    joinSoffitsButton_ = box("joinSoffitsButton", localized("Join soffits"));
    buildFloorsButton_ = box("buildFloorsButton", localized("Build floors"));
    floorThicknessText_ = field("floorThicknessText", localized("Floor thickness:"));
    floorElevationText_ = field("floorElevationText", localized("Floor elevation:"));
    floorExtensionText_ = field("floorExtensionText", localized("Floor extension:"));
    buildCeilingsButton_ = box("buildCeilingsButton", localized("Build ceilings"));
    ceilingThicknessText_ = field("ceilingThicknessText", localized("Ceiling thickness:"));
    ceilingElevationText_ = field("ceilingElevationText", localized("Ceiling elevation:"));
    ceilingExtensionText_ = field("ceilingExtensionText", localized("Ceiling extension:"));
    addButtons();
    connect(buildSoffitsButton_, &QCheckBox::toggled, this, &CeilingBuilderController::buildSoffitsButtonChanged);
    connect(buildFloorsButton_, &QCheckBox::toggled, this, &CeilingBuilderController::buildFloorsButtonChanged);
    connect(buildCeilingsButton_, &QCheckBox::toggled, this, &CeilingBuilderController::buildCeilingsButtonChanged);
    // The boxes start off, their fields with them.
    buildSoffitsButtonChanged(), buildFloorsButtonChanged(), buildCeilingsButtonChanged();
}

QCheckBox* CeilingBuilderController::box(const char* outlet, const QString& title) {
    auto* b = new QCheckBox(title, this);
    b->setObjectName(QString::fromLatin1(outlet));
    addRow(QString(), b);
    return b;
}

QLineEdit* CeilingBuilderController::field(const char* outlet, const QString& label) {
    QLineEdit* f = addField(outlet, label);
    connect(f, &QLineEdit::editingFinished, this, [this, f] { controlTextDidEndEditing(f); });
    return f;
}

void CeilingBuilderController::initializeControlStates() {
    gBuildAutoSoffit = gBuildAutoFlooring = gBuildAutoCeiling = 0;
    showLength(soffitThicknessText_, gSoffitThickness);
    showLength(soffitElevationText_, gSoffitElevation);
    showLength(soffitExtensionText_, gSoffitExtension);
    showLength(floorThicknessText_, gFlooringThickness);
    showLength(floorElevationText_, gFlooringElevation);
    showLength(floorExtensionText_, gFlooringExtension);
    showLength(ceilingThicknessText_, gCeilingThickness);
    showLength(ceilingElevationText_, gCeilingElevation);
    showLength(ceilingExtensionText_, gCeilingExtension);
    if (gSoffitConfig) joinSoffitsButton_->setChecked(true);
}

void CeilingBuilderController::controlTextDidEndEditing(QLineEdit* f) { showLength(f, lengthOf(f)); }

void CeilingBuilderController::buildSoffitsButtonChanged() {
    const bool on = buildSoffitsButton_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(soffitThicknessText_), static_cast<QWidget*>(soffitElevationText_),
                       static_cast<QWidget*>(soffitExtensionText_), static_cast<QWidget*>(joinSoffitsButton_)})
        w->setEnabled(on);
}

void CeilingBuilderController::buildFloorsButtonChanged() {
    const bool on = buildFloorsButton_->isChecked();
    for (QLineEdit* f : {floorThicknessText_, floorElevationText_, floorExtensionText_}) f->setEnabled(on);
}

void CeilingBuilderController::buildCeilingsButtonChanged() {
    const bool on = buildCeilingsButton_->isChecked();
    for (QLineEdit* f : {ceilingThicknessText_, ceilingElevationText_, ceilingExtensionText_}) f->setEnabled(on);
}

void CeilingBuilderController::applyValues() {
    const bool floors = buildFloorsButton_->isChecked(), ceilings = buildCeilingsButton_->isChecked();
    const bool soffits = buildSoffitsButton_->isChecked();
    if (floors) {
        gFlooringThickness = lengthOf(floorThicknessText_);
        gFlooringElevation = lengthOf(floorElevationText_);
        gFlooringExtension = lengthOf(floorExtensionText_);
    }
    if (ceilings) {
        gCeilingThickness = lengthOf(ceilingThicknessText_);
        gCeilingElevation = lengthOf(ceilingElevationText_);
        gCeilingExtension = lengthOf(ceilingExtensionText_);
    }
    if (soffits) {
        gSoffitThickness = lengthOf(soffitThicknessText_);
        gSoffitElevation = lengthOf(soffitElevationText_);
        gSoffitExtension = lengthOf(soffitExtensionText_);
        gSoffitConfig = joinSoffitsButton_->isChecked() ? 1 : 0;
    }
    BuildCeilingsFromTheWall(floors, ceilings, soffits);
}
