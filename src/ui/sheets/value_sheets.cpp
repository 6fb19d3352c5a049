#include "ui/sheets/value_sheets.h"

#include <cmath>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "ui/core/sheet_actions.h"
#include "app/core/sheet_values.h"

namespace {

constexpr int kGridLines = 1, kGridDots = 2;

QString Percent(float scale) { return QString::number(double(scale) * 100.0, 'g', 6); }

}  // namespace

AngleSlider::AngleSlider(const char* outlet, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setObjectName(QString::fromLatin1(outlet));
    setRange(0, 3600);
}

CompassController::CompassController(QWidget* parent)
    : SheetDialog(parent, "Compass", localized("True North Angle")), angleSlider_(new AngleSlider("angleSlider", this)),
      angleText_(nullptr) {
    addRow(QString(), angleSlider_);
    angleText_ = addField("angleText", localized("Angle:"));
    addButtons();
    connect(angleSlider_, &QSlider::valueChanged, this, &CompassController::angleSliderChanged);
}

void CompassController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    const float angle = ds ? ds->compassAngle : 0.0f;
    showAngle(angleText_, angle, false);
    const QSignalBlocker quiet(angleSlider_);
    angleSlider_->setFloatValue(angle);
}

void CompassController::angleSliderChanged() {
    showAngle(angleText_, static_cast<float>(std::round(angleSlider_->floatValue())), false);
}

void CompassController::applyValues() { SetTrueNorthAngle(angleOf(angleText_, false)); }

GridPropertiesController::GridPropertiesController(QWidget* parent)
    : SheetDialog(parent, "GridProperties", localized("Grid Properties")), gridStyleView_(new GridStyleView(this)),
      gridStylePopUpButton_(new QComboBox(this)) {
    gridStyleView_->setObjectName(QStringLiteral("gridStyleView"));
    gridStyleView_->setFixedSize(64, 64);
    gridStylePopUpButton_->setObjectName(QStringLiteral("gridStylePopUpButton"));
    gridStylePopUpButton_->addItem(localized("Lines"), kGridLines);
    gridStylePopUpButton_->addItem(localized("Dots"), kGridDots);
    auto* style = new QWidget(this);
    auto* row = new QHBoxLayout(style);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(gridStyleView_);
    row->addWidget(gridStylePopUpButton_);
    addRow(localized("Grid style:"), style);
    gridHorSpacingText_ = addField("gridHorSpacingText", localized("Grid horizontal spacing:"));
    gridVerSpacingText_ = addField("gridVerSpacingText", localized("Grid vertical spacing:"));
    snapHorSpacingText_ = addField("snapHorSpacingText", localized("Snap horizontal spacing:"));
    snapVerSpacingText_ = addField("snapVerSpacingText", localized("Snap vertical spacing:"));
    addButtons();
    for (QLineEdit* f : {gridHorSpacingText_, gridVerSpacingText_, snapHorSpacingText_, snapVerSpacingText_})
        connect(f, &QLineEdit::editingFinished, this, [this, f] { controlTextDidEndEditing(f); });
    connect(gridStylePopUpButton_, &QComboBox::activated, this, &GridPropertiesController::gridStylePopUpButtonChanged);
}

void GridPropertiesController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    gridStylePopUpButton_->setCurrentIndex(gridStylePopUpButton_->findData(int(ds->gridStyle)));
    showLength(gridHorSpacingText_, ds->gridSpacing.floatH);
    showLength(gridVerSpacingText_, ds->gridSpacing.floatV);
    showLength(snapHorSpacingText_, ds->snapIncrement.floatH);
    showLength(snapVerSpacingText_, ds->snapIncrement.floatV);
    gridStyleView_->setGridStyle(ds->gridStyle);
}

void GridPropertiesController::controlTextDidEndEditing(QLineEdit* field) {
    showLength(field, NormalizeGridSpacing(lengthOf(field)));
}

void GridPropertiesController::gridStylePopUpButtonChanged() {
    gridStyleView_->setGridStyle(gridStylePopUpButton_->currentData().toInt());
    gridStyleView_->update();
}

void GridPropertiesController::applyValues() {
    SetGridProperties(static_cast<int16_t>(gridStylePopUpButton_->currentData().toInt()),
                      {lengthOf(gridHorSpacingText_), lengthOf(gridVerSpacingText_)},
                      {lengthOf(snapHorSpacingText_), lengthOf(snapVerSpacingText_)});
}

CurveTensionController::CurveTensionController(QWidget* parent)
    : SheetDialog(parent, "CurveTension", localized("Curve Tension")),
      tensionStepper_(new Stepper("tensionStepper", 0, 10, this)), tensionText_(new QLineEdit(this)) {
    tensionText_->setObjectName(QStringLiteral("tensionText"));
    auto* both = new QWidget(this);
    auto* row = new QHBoxLayout(both);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(tensionText_);
    row->addWidget(tensionStepper_);
    addRow(localized("Tension:"), both);
    addButtons();
    connect(tensionStepper_, &Stepper::valueChanged, this, &CurveTensionController::tensionStepperChanged);
}

void CurveTensionController::initializeControlStates() {
    tensionStepper_->setValue(gTension);
    tensionText_->setText(QString::number(gTension));
}

void CurveTensionController::tensionStepperChanged() { tensionText_->setText(QString::number(tensionStepper_->value())); }

void CurveTensionController::applyValues() { SmoothSelectedWithTension(wholeNumberOf(tensionText_)); }

TraceImageScaleController::TraceImageScaleController(QWidget* parent)
    : SheetDialog(parent, "TraceImageScale", localized("Resize Floorplan Trace Image")),
      horScaleText_(addField("horScaleText", localized("Width (%):"))),
      verScaleText_(addField("verScaleText", localized("Height (%):"))) {
    auto* defaults = new QPushButton(localized("Defaults"), this);
    defaults->setObjectName(QStringLiteral("defaultsButton"));
    defaults->setAutoDefault(false);
    addRow(QString(), defaults);
    addButtons();
    connect(defaults, &QPushButton::clicked, this, &TraceImageScaleController::defaultsButtonChanged);
}

void TraceImageScaleController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    horScaleText_->setText(Percent(ds->traceImageScaleH));
    verScaleText_->setText(Percent(ds->traceImageScaleV));
}

void TraceImageScaleController::defaultsButtonChanged() {
    horScaleText_->setText(QStringLiteral("100"));
    verScaleText_->setText(QStringLiteral("100"));
}

void TraceImageScaleController::applyValues() {
    SetTraceImageScale(floatValueOf(horScaleText_) / 100.0f, floatValueOf(verScaleText_) / 100.0f);
}
