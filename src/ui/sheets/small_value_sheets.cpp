#include "ui/sheets/small_value_sheets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "model/docstate.h"
#include "model/document_model.h"
#include "ui/core/small_value_sheets.h"
#include "ui/sheets/font_selection.h"
#include "ui/tool_pictures.h"

namespace {

// The live view's window comes forward, as the key window, once its sheet is gone.
void BringForward(QWidget* window) {
    if (!window) return;
    window->raise();
    window->activateWindow();
}

}  // namespace

WalkElevationController::WalkElevationController(QWidget* parent)
    : SheetDialog(parent, "WalkElevation", localized("Walk-Through Elevation")),
      elevationText_(addField("elevationText", localized("Eye height:"))) {
    addButtons();
}

void WalkElevationController::initializeControlStates() { showLength(elevationText_, WalkThroughEyeHeightInches()); }

void WalkElevationController::dismissSheet(QObject* sender) {
    const float inches = lengthOf(elevationText_);
    QWidget* liveView = parentWidget();
    endSheet();
    BringForward(liveView);
    if (tagOf(sender) == kOK) SetWalkThroughEyeHeight(inches);
}

FlyAltitudeController::FlyAltitudeController(QWidget* parent)
    : SheetDialog(parent, "FlyAltitude", localized("Fly-Around Altitude")),
      altitudeText_(addField("altitudeText", localized("Distance:"))) {
    addButtons();
}

void FlyAltitudeController::initializeControlStates() { showLength(altitudeText_, FlyAroundDistanceInches()); }

void FlyAltitudeController::dismissSheet(QObject* sender) {
    const float inches = lengthOf(altitudeText_);
    QWidget* liveView = parentWidget();
    endSheet();
    BringForward(liveView);
    if (tagOf(sender) == kOK) SetFlyAroundDistance(inches);
}

DimensionPropertiesController::DimensionPropertiesController(QWidget* parent)
    : SheetDialog(parent, "DimensionProperties", localized("Dimension Properties")), font_(new FontSelection(this)),
      dimStylePopUpButton_(new QComboBox(this)) {
    dimStylePopUpButton_->setObjectName(QStringLiteral("dimStylePopUpButton"));
    dimStylePopUpButton_->setIconSize(QSize(24, 24));  // the arrowheads' pictures at their own size
    addRow(localized("Arrow style:"), dimStylePopUpButton_);
    auto* fontButton = new QPushButton(localized("Font..."), this);
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setAutoDefault(false);
    addRow(localized("Dimension font:"), fontButton);
    addButtons();
    connect(fontButton, &QPushButton::clicked, this, &DimensionPropertiesController::fontButtonChanged);
}

void DimensionPropertiesController::initializeControlStates() {
    dimStylePopUpButton_->clear();
    for (const DimensionArrowStyle& style : kDimensionArrowStyles)
        dimStylePopUpButton_->addItem(ToolPicture(QString::fromLatin1(style.image)), localized(style.title), style.tag);
    const DocState* ds = CurrentDocState();
    const int at = ds ? dimStylePopUpButton_->findData(ds->dimensionStyle) : -1;
    dimStylePopUpButton_->setCurrentIndex(at >= 0 ? at : 0);
    selectCurrentFont();
}

void DimensionPropertiesController::selectCurrentFont() {
    const DocState* ds = CurrentDocState();
    if (ds) font_->selectRecord(ds->font);
}

void DimensionPropertiesController::fontButtonChanged() { font_->showPanel(); }

void DimensionPropertiesController::applyValues() {
    const LOGFONT font = font_->selectedRecord();
    SetDimensionProperties(static_cast<int16_t>(dimStylePopUpButton_->currentData().toInt()), &font);
}

PlantingAgeController::PlantingAgeController(QWidget* parent)
    : SheetDialog(parent, "PlantingAge", localized("Planting Age")),
      plantAgeText_(addField("plantAgeText", localized("Age when planted (years):"))) {
    addButtons();
}

void PlantingAgeController::initializeControlStates() { plantAgeText_->setText(QStringLiteral("0")); }

void PlantingAgeController::applyValues() { SetSelectedPlantingAge(wholeNumberOf(plantAgeText_)); }

PlantGrowthProjController::PlantGrowthProjController(QWidget* parent)
    : SheetDialog(parent, "PlantGrowthProj", localized("Plant Growth Projection")),
      maxAgeText_(addField("maxAgeText", localized("Project growth (years):"))) {
    addButtons();
}

void PlantGrowthProjController::initializeControlStates() {
    maxAgeText_->setText(QString::number(PlantGrowthProjection()));
}

void PlantGrowthProjController::applyValues() { SetPlantGrowthProjection(wholeNumberOf(maxAgeText_)); }
