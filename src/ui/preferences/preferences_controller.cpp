#include "ui/preferences/preferences_controller.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/app_controller.h"
#include "app/core/localization_seams.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/input_gate.h"
#include "app/screen_frames.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/defaults.h"
#include "port/files.h"
#include "port/seam.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "ui/core/readout_formats.h"
#include "ui/sheets/sheet_dialog.h"

namespace {

// The one preferences window, made by the first show.
PreferencesController* sPreferences = nullptr;
QColorDialog* sColorPanel = nullptr;
ColorWell* sColorPanelWell = nullptr;  // the well the panel is editing

const port::GlobalReset kReset([] {
    PreferencesController::forget();
    delete sColorPanel;
    sColorPanel = nullptr;
    sColorPanelWell = nullptr;
});

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

void Load(QComboBox* popUp, const std::vector<ReadoutItem>& items, int selectedTag) {
    const QSignalBlocker quiet(popUp);
    popUp->clear();
    for (const ReadoutItem& item : items) popUp->addItem(QString::fromStdString(item.title), item.tag);
    popUp->setCurrentIndex(std::max(0, popUp->findData(selectedTag)));
}

int TagOf(const QComboBox* popUp) { return popUp->currentData().toInt(); }

template <class W>
W* Named(W* w, const char* outlet) {
    w->setObjectName(QString::fromLatin1(outlet));
    return w;
}

QCheckBox* Check(const char* outlet, const char* title, QWidget* parent) {
    return Named(new QCheckBox(Localized(title), parent), outlet);
}

constexpr const char* kWellOutlets[16] = {
    "foundationPlanWell", "floorPlanWell",     "electricalPlanWell", "plumbingPlanWell",
    "roofingPlanWell",    "HVACPlanWell",      "deckPlanWell",       "landscapePlanWell",
    "detailPlanWell",     "planBackgroundWell", "inactiveFloorWell", "interiorFillWell",
    "topographyLinesWell", "clearViewWell",    "wireFrameWell",      "gridWell"};
constexpr const char* kWellTitles[16] = {
    "Foundation Plan", "Floor Plan",        "Electrical Plan", "Plumbing Plan", "Roofing Plan", "HVAC Plan",
    "Deck Plan",       "Landscape Plan",    "Detail Plan",     "Plan Background", "Inactive Floor",
    "Interior Fill",   "Topography Lines",  "Clear View",      "Wire Frame",    "Grid"};

QColor From255(const PlanColorDefault& d) { return QColor(d.r, d.g, d.b); }

int64_t PackedColor(const QColor& c) {
    // 8-bit well colours widen exactly to the stored 16-bit channels.
    return PackRGBColor(RGBColorFrom255(c.red(), c.green(), c.blue()));
}

// The preview sizes "PreviewSizeKey" knows, smallest first.
constexpr int kPreviewSizeMax = 4;

}  // namespace

int32_t ClampedUndoLevels(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    long long n = std::strtoll(bytes.constData(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long long>(n, 5, 500));
}

ColorWell::ColorWell(const char* outlet, QWidget* parent) : QPushButton(parent) {
    setObjectName(QString::fromLatin1(outlet));
    setFixedSize(44, 22);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        QColorDialog* panel = PreferencesController::colorPanel();
        sColorPanelWell = this;
        const QSignalBlocker quiet(panel);
        panel->setCurrentColor(color_);
        panel->show();
        panel->raise();
    });
}

void ColorWell::setColor(const QColor& c) {
    color_ = c;
    setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;").arg(c.name()));
}

QColorDialog* PreferencesController::colorPanel() {
    if (!sColorPanel) {
        sColorPanel = new QColorDialog();
        sColorPanel->setObjectName(QStringLiteral("colorPanel"));
        sColorPanel->setOption(QColorDialog::NoButtons);
        QObject::connect(sColorPanel, &QColorDialog::currentColorChanged, [](const QColor& c) {
            if (sColorPanelWell) sColorPanelWell->setColor(c);
        });
    }
    return sColorPanel;
}

PreferencesController* PreferencesController::shared() {
    if (!sPreferences) {
        sPreferences = new PreferencesController();
        sPreferences->initializeControls();  // as the window loads
    }
    return sPreferences;
}

void PreferencesController::forget() {
    sColorPanelWell = nullptr;
    delete sPreferences;
    sPreferences = nullptr;
}

PreferencesController::PreferencesController()
    : QWidget(nullptr, Qt::Window),
      resetColorsButton_(Named(new QPushButton(Localized("Reset Colors"), this), "resetColorsButton")),
      prefTabView_(Named(new QTabWidget(this), "prefTabView")),
      enableUndoButton_(Check("enableUndoButton", "Enable Undo", this)),
      showGeneralToolsButton_(Check("showGeneralToolsButton", "Editing Tools", this)),
      showSnapToolsButton_(Check("showSnapToolsButton", "Snap Tools", this)),
      showPlanToolsButton_(Check("showPlanToolsButton", "Drawing Tools", this)),
      showInspectorPanelButton_(Check("showInspectorPanelButton", "Inspector", this)),
      showContentPanelButton_(Check("showContentPanelButton", "Content Library", this)),
      undoLevelsText_(Named(new QLineEdit(this), "undoLevelsText")),
      forcePlanDefaultsButton_(Check("forcePlanDefaultsButton", "Apply to opened plans", this)),
      readoutFormatMatrix_(new RadioMatrix("readoutFormatMatrix", {Localized("Fractions"), Localized("Decimals")}, this)),
      unitsPopUpButton_(Named(new QComboBox(this), "unitsPopUpButton")),
      field1PopUpButton_(Named(new QComboBox(this), "field1PopUpButton")),
      field2PopUpButton_(Named(new QComboBox(this), "field2PopUpButton")),
      field3PopUpButton_(Named(new QComboBox(this), "field3PopUpButton")),
      field2Label_(Named(new QLabel(this), "field2Label")),
      field3Label_(Named(new QLabel(Localized("Format:"), this), "field3Label")),
      searchResultsText_(Named(new QLineEdit(this), "searchResultsText")),
      previewSizeSlider_(Named(new QSlider(Qt::Horizontal, this), "previewSizeSlider")) {
    setObjectName(QStringLiteral("PreferencesWindow"));
    setWindowTitle(Localized("Preferences"));

    auto* general = new QWidget;
    auto* generalForm = new QFormLayout(general);
    generalForm->addRow(enableUndoButton_);
    generalForm->addRow(Localized("Undo Levels:"), undoLevelsText_);
    auto* startUp = new QLabel(Localized("Show at start-up:"));
    generalForm->addRow(startUp);
    for (QCheckBox* c : {showGeneralToolsButton_, showSnapToolsButton_, showPlanToolsButton_,
                         showInspectorPanelButton_, showContentPanelButton_})
        generalForm->addRow(c);
    prefTabView_->addTab(general, Localized("General"));

    auto* colors = new QWidget;
    auto* colorForm = new QFormLayout(colors);
    for (size_t i = 0; i < wells_.size(); ++i) {
        wells_[i] = new ColorWell(kWellOutlets[i], colors);
        colorForm->addRow(Localized(kWellTitles[i]), wells_[i]);
    }
    prefTabView_->addTab(colors, Localized("Colors"));

    auto* units = new QWidget;
    auto* unitsForm = new QFormLayout(units);
    unitsPopUpButton_->addItem(Localized("Imperial"), int(kImperialUnits));
    unitsPopUpButton_->addItem(Localized("Metric"), int(kMetricUnits));
    unitsForm->addRow(Localized("Units:"), unitsPopUpButton_);
    unitsForm->addRow(Localized("Angles:"), field1PopUpButton_);
    // Room for the longer of the label's two texts.
    field2Label_->setMinimumWidth(std::max(field2Label_->fontMetrics().horizontalAdvance(Localized("Readout Format:")),
                                           field2Label_->fontMetrics().horizontalAdvance(Localized("Precision:"))));
    unitsForm->addRow(field2Label_, field2PopUpButton_);
    unitsForm->addRow(field3Label_, field3PopUpButton_);
    unitsForm->addRow(QString(), readoutFormatMatrix_);
    unitsForm->addRow(forcePlanDefaultsButton_);
    prefTabView_->addTab(units, Localized("Units"));

    auto* content = new QWidget;
    auto* contentForm = new QFormLayout(content);
    contentForm->addRow(Localized("Search Results:"), searchResultsText_);
    previewSizeSlider_->setRange(0, kPreviewSizeMax);
    previewSizeSlider_->setPageStep(1);
    previewSizeSlider_->setTickPosition(QSlider::TicksBelow);
    contentForm->addRow(Localized("Preview Size:"), previewSizeSlider_);
    prefTabView_->addTab(content, Localized("Content"));

    auto* ok = Named(new QPushButton(Localized("OK"), this), "okButton");
    auto* cancel = Named(new QPushButton(Localized("Cancel"), this), "cancelButton");
    ok->setDefault(true);
    resetColorsButton_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(resetColorsButton_);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* column = new QVBoxLayout(this);
    column->addWidget(prefTabView_);
    column->addLayout(buttons);
    resetColorsButton_->hide();
    setMinimumWidth(420);

    connect(prefTabView_, &QTabWidget::currentChanged, this, &PreferencesController::tabViewDidSelectTabViewItem);
    connect(enableUndoButton_, &QCheckBox::toggled, this, &PreferencesController::enableUndoButtonChanged);
    connect(resetColorsButton_, &QPushButton::clicked, this, &PreferencesController::resetColorsButtonChanged);
    connect(unitsPopUpButton_, &QComboBox::activated, this, &PreferencesController::unitsPopUpButtonChanged);
    connect(field2PopUpButton_, &QComboBox::activated, this, &PreferencesController::field2PopUpButtonChanged);
    connect(ok, &QPushButton::clicked, this, [this] { dismissWindow(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { dismissWindow(0); });
    // Its OK starts every design's undo history again: held while a sheet holds the design.
    InputGate::markDesignWindow(this);
}

void PreferencesController::showWindow() {
    if (!isVisible()) {
        initializeControls();
        PlaceAtProgramsFrame(this, AppController::framesKeptClearOf(this));
    }
    show();
    raise();
    activateWindow();
}

void PreferencesController::initializeControls() {
    const port::UserDefaults& d = port::defaults();
    enableUndoButton_->setChecked(d.getBool(QMDUndoEnabledKey));
    showGeneralToolsButton_->setChecked(d.getBool(QMDShowGeneralToolsKey));
    showSnapToolsButton_->setChecked(d.getBool(QMDShowSnapToolsKey));
    showPlanToolsButton_->setChecked(d.getBool(QMDShowPlanToolsKey));
    showContentPanelButton_->setChecked(d.getBool(QMDShowContentPanelKey));
    showInspectorPanelButton_->setChecked(d.getBool(QMDShowInspectorPanelKey));
    undoLevelsText_->setText(QString::number(d.getInt(QMDUndoLevelKey)));
    undoLevelsText_->setEnabled(enableUndoButton_->isChecked());

    measurementSystem = static_cast<int16_t>(d.getInt(QMDMeasurementSystemKey));
    angleFormat = static_cast<int16_t>(d.getInt(QMDAngleReadoutKey));
    imperialFormat = static_cast<int16_t>(d.getInt(QMDImperialReadoutKey));
    metricFormat = static_cast<int16_t>(d.getInt(QMDMetricReadoutKey));
    unitsPopUpButton_->setCurrentIndex(std::max(0, unitsPopUpButton_->findData(int(measurementSystem))));

    loadField1ItemsAndSelect();
    loadField2ItemsAndSelect();
    loadField3ItemsAndSelect();
    setFieldVisibility();
    readoutFormatMatrix_->selectTag(FractionsTag(imperialFormat));
    forcePlanDefaultsButton_->setChecked(d.getBool(QMDForcePlanDefaultsKey));
    previewSizeSlider_->setValue(static_cast<int>(d.getInt(QMDPreviewSizeKey)));

    // The wells and the search limit have no code of their own in the window: filled here.
    for (size_t i = 0; i < wells_.size(); ++i) {
        const QColor c = colorForKey(kPlanColorDefaults[i].key);
        wells_[i]->setColor(c.isValid() ? c : From255(kPlanColorDefaults[i]));
    }
    searchResultsText_->setText(QString::number(d.getInt(QMDMaxSearchResultsKey)));
}

void PreferencesController::loadField1ItemsAndSelect() {
    Load(field1PopUpButton_, AngleFormatItems(port::defaults().decimalSeparator()), AngleFormatTag(angleFormat));
}

void PreferencesController::loadField2ItemsAndSelect() {
    const auto units = static_cast<int16_t>(TagOf(unitsPopUpButton_));
    Load(field2PopUpButton_, PrecisionOrReadoutItems(units),
         units == kImperialUnits ? ImperialPrecisionTag(imperialFormat) : MetricReadoutTag(metricFormat));
}

void PreferencesController::loadField3ItemsAndSelect() {
    Load(field3PopUpButton_, FeetInchesItems(), FeetInchesTag(imperialFormat));
}

void PreferencesController::setFieldVisibility() {
    const auto units = static_cast<int16_t>(TagOf(unitsPopUpButton_));
    field2Label_->setText(QString::fromStdString(PrecisionOrReadoutLabel(units)));
    const bool shown = units != kMetricUnits;
    field3Label_->setVisible(shown);
    field3PopUpButton_->setVisible(shown);
    readoutFormatMatrix_->setVisible(shown);
}

void PreferencesController::saveIntermediateValues() {
    angleFormat = static_cast<int16_t>(TagOf(field1PopUpButton_));
    if (TagOf(unitsPopUpButton_) != kImperialUnits)
        metricFormat = FoldMetricFormat(TagOf(field2PopUpButton_));
    else
        imperialFormat = FoldImperialFormat(TagOf(field2PopUpButton_), TagOf(field3PopUpButton_),
                                            readoutFormatMatrix_->selectedTag());
}

QColor PreferencesController::colorForKey(const char* key) {
    if (!key || !port::defaults().has(key)) return {};
    const RGBColor c = UnpackRGBColor(port::defaults().getInt(key));
    return QColor::fromRgba64(c.red, c.green, c.blue);
}

std::optional<int64_t> PreferencesController::archivedColorForSender(const ColorWell* sender) {
    if (!sender) return std::nullopt;
    return PackedColor(sender->color());
}

void PreferencesController::tabViewDidSelectTabViewItem(int index) { resetColorsButton_->setVisible(index == 1); }

void PreferencesController::enableUndoButtonChanged() { undoLevelsText_->setEnabled(enableUndoButton_->isChecked()); }

void PreferencesController::resetColorsButtonChanged() {
    for (size_t i = 0; i < wells_.size(); ++i) wells_[i]->setColor(From255(kPlanColorDefaults[i]));
}

void PreferencesController::unitsPopUpButtonChanged() {
    loadField2ItemsAndSelect();
    setFieldVisibility();
}

void PreferencesController::field2PopUpButtonChanged() { saveIntermediateValues(); }

void PreferencesController::dismissWindow(int tag) {
    if (tag == 1) {
        port::UserDefaults& d = port::defaults();
        const bool wasEnabled = d.getBool(QMDUndoEnabledKey);
        const int64_t oldLevels = d.getInt(QMDUndoLevelKey);
        const int32_t levels = ClampedUndoLevels(undoLevelsText_->text());
        const bool undoChanged = enableUndoButton_->isChecked() != wasEnabled || levels != oldLevels;
        d.setBool(QMDUndoEnabledKey, enableUndoButton_->isChecked());
        d.setInt(QMDUndoLevelKey, levels);

        d.setBool(QMDShowGeneralToolsKey, showGeneralToolsButton_->isChecked());
        d.setBool(QMDShowSnapToolsKey, showSnapToolsButton_->isChecked());
        d.setBool(QMDShowPlanToolsKey, showPlanToolsButton_->isChecked());
        d.setBool(QMDShowInspectorPanelKey, showInspectorPanelButton_->isChecked());
        d.setBool(QMDShowContentPanelKey, showContentPanelButton_->isChecked());

        saveIntermediateValues();
        const auto units = static_cast<int16_t>(TagOf(unitsPopUpButton_));
        d.setInt(QMDMeasurementSystemKey, units);
        d.setInt(QMDAngleReadoutKey, angleFormat);
        if (units == kImperialUnits)
            d.setInt(QMDImperialReadoutKey, imperialFormat);
        else
            d.setInt(QMDMetricReadoutKey, metricFormat);
        d.setBool(QMDForcePlanDefaultsKey, forcePlanDefaultsButton_->isChecked());

        const bool previewsChanged = previewSizeSlider_->value() != d.getInt(QMDPreviewSizeKey);
        if (previewsChanged) d.setInt(QMDPreviewSizeKey, previewSizeSlider_->value());

        for (size_t i = 0; i < wells_.size(); ++i)
            if (auto packed = archivedColorForSender(wells_[i])) d.setInt(kPlanColorDefaults[i].key, *packed);
        // A limit below one would make every search find nothing: refused like text.
        bool numeric = false;
        const int results = searchResultsText_->text().trimmed().toInt(&numeric);
        if (numeric && results >= 1) d.setInt(QMDMaxSearchResultsKey, results);

        AppController* app = AppController::shared();
        for (QMDDocument* doc : app->documentController()->documents()) {
            if (!doc->model()) continue;
            app->loadColorsForDocument(doc->model());
            if (auto* w = qobject_cast<QMDWindowController*>(doc->windowController)) w->refreshDocumentVisibleView();
        }
        if (undoChanged) applyUndoSettings();

        gRefreshRender = 1;
        LiveViewNeedsDisplay();
        if (previewsChanged) RefreshAllContentPalettes();
        app->loadNewPlanReadoutState();
    }
    if (sColorPanel) sColorPanel->close();
    close();
}

// Every open document starts its undo history again under the new settings: each with its own
// first snapshot (not only the current one), and no snapshot file of the old ring left behind.
void PreferencesController::applyUndoSettings() {
    const port::UserDefaults& d = port::defaults();
    const bool enabled = d.getBool(QMDUndoEnabledKey);
    const int64_t levels = d.getInt(QMDUndoLevelKey);
    QMDDocumentModel* current = gCurDocument;
    for (QMDDocument* doc : AppController::shared()->documentController()->documents()) {
        QMDDocumentModel* model = doc->model();
        if (!model) continue;
        gCurDocument = model;
        for (int32_t slot = 1; slot <= gTotalUndos; ++slot) {
            const std::string stale = UndoSnapshotPath(slot);
            if (!stale.empty() && port::FileExists(stale)) port::RemoveFile(stale);
        }
        // Only an empty stack takes a limit.
        doc->undoStack()->clear();
        doc->undoStack()->setUndoLimit(UndoManagerLevels(levels));
        // The base snapshot is kept even with snapshots off, so that the ring is never empty.
        gUndoActive = 1;
        InitializeUndo();
    }
    gCurDocument = current;
    gUndoActive = enabled ? 1 : 0;
}
