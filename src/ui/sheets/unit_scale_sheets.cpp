#include "ui/sheets/unit_scale_sheets.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/docstate.h"
#include "model/document_model.h"
#include "port/defaults.h"
#include "ui/core/plan_scale_actions.h"
#include "ui/core/readout_formats.h"
#include "ui/tool_palettes.h"

namespace {

void Load(QComboBox* popUp, const std::vector<ReadoutItem>& items, int selectedTag) {
    const QSignalBlocker quiet(popUp);
    popUp->clear();
    for (const ReadoutItem& item : items) popUp->addItem(QString::fromStdString(item.title), item.tag);
    popUp->setCurrentIndex(std::max(0, popUp->findData(selectedTag)));
}

int TagOf(const QComboBox* popUp) { return popUp->currentData().toInt(); }

QComboBox* PopUp(const char* outlet, QWidget* parent) {
    auto* p = new QComboBox(parent);
    p->setObjectName(QString::fromLatin1(outlet));
    return p;
}

// A whole number typed in a field, held within reach of the sheets' limits.
int32_t WholeNumber(float value) {
    if (!(value == value)) return 0;
    return static_cast<int32_t>(std::clamp(value, -1.0e6f, 1.0e6f));
}

}  // namespace

MeasurementUnitsController::MeasurementUnitsController(QWidget* parent)
    : SheetDialog(parent, "MeasurementUnits", localized("Measurement Units")),
      unitsPopUpButton_(PopUp("unitsPopUpButton", this)), field1PopUpButton_(PopUp("field1PopUpButton", this)),
      field2PopUpButton_(PopUp("field2PopUpButton", this)), field3PopUpButton_(PopUp("field3PopUpButton", this)),
      field2Label_(label("field2Label", QString(), this)), field3Label_(label("field3Label", QString(), this)),
      readoutFormatMatrix_(new RadioMatrix("readoutFormatMatrix", {localized("Fractions"), localized("Decimals")}, this)) {
    unitsPopUpButton_->addItem(localized("Imperial"), kImperialUnits);
    unitsPopUpButton_->addItem(localized("Metric"), kMetricUnits);
    addRow(localized("Units:"), unitsPopUpButton_);
    addRow(localized("Angles:"), field1PopUpButton_);
    form()->addRow(field2Label_, field2PopUpButton_);
    form()->addRow(field3Label_, field3PopUpButton_);
    addRow(QString(), readoutFormatMatrix_);
    auto* defaults = new QPushButton(localized("Defaults"), this);
    defaults->setObjectName(QStringLiteral("defaultsButton"));
    defaults->setAutoDefault(false);
    addRow(QString(), defaults);
    addButtons();
    // The sheet follows its rows: wider for the imperial precisions, narrower without them.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    field2PopUpButton_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(unitsPopUpButton_, &QComboBox::activated, this, &MeasurementUnitsController::unitsPopUpButtonChanged);
    connect(field2PopUpButton_, &QComboBox::activated, this, &MeasurementUnitsController::field2PopUpButtonChanged);
    connect(defaults, &QPushButton::clicked, this, &MeasurementUnitsController::defaultsButtonChanged);
}

int MeasurementUnitsController::unitTag() const { return TagOf(unitsPopUpButton_); }

void MeasurementUnitsController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    if (ds) {
        angleFormat = ds->angleReadout;
        imperialFormat = ds->imperialReadout;
        metricFormat = ds->metricReadout;
        const QSignalBlocker quiet(unitsPopUpButton_);
        unitsPopUpButton_->setCurrentIndex(std::max(0, unitsPopUpButton_->findData(int(ds->units))));
    }
    loadField1();
    loadField2();
    loadField3();
    readoutFormatMatrix_->selectTag(FractionsTag(imperialFormat));
    setFieldVisibility();
}

void MeasurementUnitsController::loadField1() {
    Load(field1PopUpButton_, AngleFormatItems(port::defaults().decimalSeparator()), AngleFormatTag(angleFormat));
}

void MeasurementUnitsController::loadField2() {
    if (!CurrentDocState()) return;
    const int16_t units = static_cast<int16_t>(unitTag());
    Load(field2PopUpButton_, PrecisionOrReadoutItems(units),
         units == kImperialUnits ? ImperialPrecisionTag(imperialFormat) : MetricReadoutTag(metricFormat));
}

void MeasurementUnitsController::loadField3() { Load(field3PopUpButton_, FeetInchesItems(), FeetInchesTag(imperialFormat)); }

void MeasurementUnitsController::setFieldVisibility() {
    const int16_t units = static_cast<int16_t>(unitTag());
    field2Label_->setText(QString::fromStdString(PrecisionOrReadoutLabel(units)));
    const bool imperialOnly = units != kMetricUnits;
    for (QWidget* w : {static_cast<QWidget*>(field3Label_), static_cast<QWidget*>(field3PopUpButton_),
                       static_cast<QWidget*>(readoutFormatMatrix_)})
        w->setVisible(imperialOnly);
}

void MeasurementUnitsController::unitsPopUpButtonChanged() {
    loadField2();
    setFieldVisibility();
}

void MeasurementUnitsController::field2PopUpButtonChanged() { saveIntermediateValues(); }

void MeasurementUnitsController::saveIntermediateValues() {
    angleFormat = static_cast<int16_t>(TagOf(field1PopUpButton_));
    if (unitTag() != kImperialUnits)
        metricFormat = FoldMetricFormat(TagOf(field2PopUpButton_));
    else
        imperialFormat = FoldImperialFormat(TagOf(field2PopUpButton_), TagOf(field3PopUpButton_),
                                            readoutFormatMatrix_->selectedTag());
}

void MeasurementUnitsController::defaultsButtonChanged() {
    angleFormat = kDefaultAngleFormat;
    if (unitTag() == kImperialUnits) {
        imperialFormat = kDefaultImperialFormat;
        readoutFormatMatrix_->selectTag(0);
    } else {
        metricFormat = kDefaultMetricFormat;
    }
    loadField1();
    loadField2();
    loadField3();
}

void MeasurementUnitsController::applyValues() {
    if (!CurrentDocState()) return;
    saveIntermediateValues();
    SetMeasurementOptions(static_cast<int16_t>(unitTag()), angleFormat, imperialFormat, metricFormat);
    // The snap offset is shown again in the new units.
    SnapPaletteController::shared()->updateSnapOffsetText();
}

PlanScaleController::PlanScaleController(QWidget* parent)
    : SheetDialog(parent, "PlanScale", localized("Plan Scale")),
      scaleMatrix_(new RadioMatrix("scaleMatrix",
                                   {QStringLiteral("1/2\" = 1'"), QStringLiteral("1/3\" = 1'"),
                                    QStringLiteral("1/4\" = 1'"), QStringLiteral("1/8\" = 1'")},
                                   {11, 10, 9, 8}, this)) {
    addRow(localized("Scale:"), scaleMatrix_);
    addButtons();
}

void PlanScaleController::initializeControlStates() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    if (ds->units != kImperialUnits) {
        static const char* const kMetric[] = {"1 : 10", "1 : 20", "1 : 50", "1 : 100"};
        for (int code = 11, i = 0; code >= 8; --code, ++i)
            scaleMatrix_->cell(code)->setText(QString::fromLatin1(kMetric[i]));
    }
    scaleMatrix_->selectTag(ds->planScaleChoice);
}

void PlanScaleController::applyValues() {
    if (scaleMatrix_->selectedTag() >= 0) SetPlanScaleCode(static_cast<int16_t>(scaleMatrix_->selectedTag()));
}

PlanZoomController::PlanZoomController(QWidget* parent)
    : SheetDialog(parent, "PlanZoom", localized("Set Zoom")),
      zoomScaleText_(addField("zoomScaleText", localized("Zoom (%):"))) {
    addButtons();
}

void PlanZoomController::initializeControlStates() {
    if (CurrentDocState()) zoomScaleText_->setText(QString::number(PlanZoomPercent()));
}

void PlanZoomController::applyValues() { SetPlanZoomPercent(floatValueOf(zoomScaleText_)); }

LotSizeController::LotSizeController(QWidget* parent)
    : SheetDialog(parent, "LotSize", localized("Lot Size")), widthText_(new QLineEdit(this)),
      depthText_(new QLineEdit(this)), widthTextLabel_(label("widthTextLabel", QString(), this)),
      depthTextLabel_(label("depthTextLabel", QString(), this)) {
    widthText_->setObjectName(QStringLiteral("widthText"));
    depthText_->setObjectName(QStringLiteral("depthText"));
    auto row = [this](const QString& caption, QLineEdit* field, QLabel* unit) {
        auto* both = new QWidget(this);
        auto* line = new QHBoxLayout(both);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(field);
        line->addWidget(unit);
        addRow(caption, both);
    };
    row(localized("Width:"), widthText_, widthTextLabel_);
    row(localized("Depth:"), depthText_, depthTextLabel_);
    addButtons();
}

void LotSizeController::awakeFromNib() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    int32_t width = 0, depth = 0;
    LotSizeShown(&width, &depth);
    widthText_->setText(QString::number(width));
    depthText_->setText(QString::number(depth));
    const QString unit = localized(ds->units == kImperialUnits ? "feet" : "meters");
    widthTextLabel_->setText(unit);
    depthTextLabel_->setText(unit);
}

void LotSizeController::applyValues() {
    SetLotSize(WholeNumber(floatValueOf(widthText_)), WholeNumber(floatValueOf(depthText_)));
}
