#include "ui/sheets/plant_fill_print_sheets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>

#include "commands/plant_fill.h"
#include "model/command_globals.h"
#include "render/core/live_view_host.h"
#include "ui/core/content_sheet_rules.h"

namespace {

QCheckBox* CheckBox(const char* outlet, const QString& title, QWidget* parent) {
    auto* box = new QCheckBox(title, parent);
    box->setObjectName(QString::fromLatin1(outlet));
    return box;
}

// The page a print starts from: the document prints on a fresh printer's settings.
QSizeF PrintableArea() { return QPrinter(QPrinter::HighResolution).pageLayout().paintRect(QPageLayout::Point).size(); }

LV3DPrintSize LiveViewSize() {
    LiveViewHost* host = CurrentLiveViewHost();
    if (!host) return {};
    const FloatRect b = host->liveViewOGLViewBounds();
    return {int32_t(b.floatRight - b.floatLeft), int32_t(b.floatBottom - b.floatTop)};
}

}  // namespace

PlantFillController::PlantFillController(QWidget* parent)
    : SheetDialog(parent, "PlantFill", localized("Fill with Plants")),
      fillAreaButton_(CheckBox("fillAreaButton", localized("Fill area"), this)),
      fillPerimeterButton_(CheckBox("fillPerimeterButton", localized("Fill perimeter"), this)),
      spacingText_(nullptr), progress_(this, layout(), "Planting...") {
    addRow(QString(), fillAreaButton_);
    addRow(QString(), fillPerimeterButton_);
    spacingText_ = addField("spacingText", localized("Spacing:"));
    addButtons();
}

void PlantFillController::initializeControlStates() {
    const PlantFillAreaBox area = PlantFillAreaBoxFor(gContextFoundObj, gFillArea != 0);
    fillAreaButton_->setChecked(area.on);
    fillAreaButton_->setEnabled(area.enabled);
    fillPerimeterButton_->setChecked(gFillPerimeter != 0);
    showLength(spacingText_, gPlantSpacing);
}

void PlantFillController::dismissSheet(QObject* sender) {
    if (tagOf(sender) == kOK &&
        ApplyPlantFillSettings(fillAreaButton_->isChecked(), fillPerimeterButton_->isChecked(), lengthOf(spacingText_))) {
        progress_.start();
        FillSelectedObjectsWithPlants();
        progress_.stop();
    }
    endSheet();
}

LV3DPrintController::LV3DPrintController(QWidget* parent, PrintRoutine print)
    : SheetDialog(parent, "LV3DPrint", localized("Print 3D LiveView")), print_(std::move(print)),
      printSizeButtons_(new RadioMatrix(
          "printSizeButtons", {localized("Fit to page"), localized("Custom size"), localized("Current view size")},
          {kPrintFitPage, kPrintCustomSize, kPrintViewSize}, this)),
      renderQualityPopUpButton_(new QComboBox(this)), printImageWidthText_(nullptr), printImageHeightText_(nullptr) {
    renderQualityPopUpButton_->setObjectName(QStringLiteral("renderQualityPopUpButton"));
    addRow(localized("Quality:"), renderQualityPopUpButton_);
    addRow(localized("Size:"), printSizeButtons_);
    printImageWidthText_ = addField("printImageWidthText", localized("Width (points):"));
    printImageHeightText_ = addField("printImageHeightText", localized("Height (points):"));
    for (QLineEdit* f : {printImageWidthText_, printImageHeightText_}) f->setValidator(new QIntValidator(0, 1 << 20, f));
    addButtons();
    connect(printSizeButtons_, &RadioMatrix::changed, this, &LV3DPrintController::printSizeButtonsChanged);
}

void LV3DPrintController::initializeControlStates() {
    renderQualityPopUpButton_->clear();
    int tag = 0;
    for (const char* title : {"Current Image", "Low Quality (Fast)", "High Quality (Moderate)",
                              "Ultra-High Quality (Slow)", "Excellent Quality (Very Slow)"})
        renderQualityPopUpButton_->addItem(localized(title), tag++);
    const LV3DPrintSize view = LiveViewSize();
    printImageWidthText_->setText(QString::number(view.width));
    printImageHeightText_->setText(QString::number(view.height));
    printSizeButtonsChanged();
}

void LV3DPrintController::printSizeButtonsChanged() {
    const bool custom = printSizeButtons_->selectedTag() == kPrintCustomSize;
    printImageWidthText_->setEnabled(custom);
    printImageHeightText_->setEnabled(custom);
}

void LV3DPrintController::dismissSheet(QObject* sender) {
    lower();
    if (tagOf(sender) != kOK || !print_) {
        endSheet();
        return;
    }
    const QSizeF page = PrintableArea();
    const LV3DPrintSize size =
        LV3DPrintSizeFor(printSizeButtons_->selectedTag(), float(page.width()), float(page.height()), LiveViewSize(),
                         {wholeNumberOf(printImageWidthText_), wholeNumberOf(printImageHeightText_)});
    const int quality = int16_t(renderQualityPopUpButton_->currentData().toInt());
    // The print routine brings up its own dialog on the live view's window: this one goes first.
    const PrintRoutine print = print_;
    endSheet();
    print(quality, size.width, size.height);
}
