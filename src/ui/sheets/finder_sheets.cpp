#include "ui/sheets/finder_sheets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "app/core/localization_seams.h"
#include "content/content_palette_controller.h"
#include "content/core/builtin_libraries.h"
#include "port/macroman.h"
#include "port/seam.h"
#include "ui/core/content_sheet_rules.h"
#include "ui/core/plant_details.h"

namespace {

QString Localized(const char* key) { return QString::fromStdString(port::MacRomanToUtf8(LocalizedString(key))); }

std::string MacRomanText(const QLineEdit* field) { return port::Utf8ToMacRoman(field->text().toStdString()); }

ContentPaletteController* Palette() { return ContentPaletteController::sharedContentPaletteController(); }

QCheckBox* CheckBox(const char* outlet, const QString& title, QWidget* parent) {
    auto* box = new QCheckBox(title, parent);
    box->setObjectName(QString::fromLatin1(outlet));
    box->setChecked(true);
    return box;
}

// `titles` laid out `columns` to a row, tagged 1, 2, 4, ...
QList<CheckMatrix::Cell> BitCells(const QStringList& titles, int columns) {
    QList<CheckMatrix::Cell> cells;
    for (int i = 0; i < titles.size(); ++i) cells.push_back({titles[i], 1u << i, i / columns, i % columns});
    return cells;
}

QStringList LocalizedList(std::initializer_list<const char*> keys) {
    QStringList out;
    for (const char* k : keys) out << Localized(k);
    return out;
}

// The words the plant details show for codes 1 to `count`: a cell tagged with a code's bit
// carries that code's word.
QStringList CodeWords(const char* const* words, size_t count) {
    QStringList out;
    for (size_t i = 0; i < count; ++i) out << Localized(words[i]);
    return out;
}

constexpr const char* kZoneImages[] = {"PlantZoneUSA", "PlantZoneAKHI", "PlantZoneCanada", "PlantZoneEurope",
                                       "PlantZoneAustralia"};

QPixmap ZoneImage(const char* name) {
    QSvgRenderer svg(QStringLiteral(":/pictures/") + QLatin1String(name) + QStringLiteral(".svg"));
    if (!svg.isValid()) return {};
    QImage image(svg.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    svg.render(&p);
    return QPixmap::fromImage(image);
}

QPointer<PlantFinderController> sPlantFinder;
const port::GlobalReset kReset([] { delete sPlantFinder.data(); });

}  // namespace

QPushButton* AddSheetButtons(SheetDialog* sheet, const QString& title, const char* outlet) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* cancel = new QPushButton(Localized("Cancel"), sheet);
    auto* ok = new QPushButton(title, sheet);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setObjectName(QString::fromLatin1(outlet));
    cancel->setProperty("tag", 0);
    ok->setProperty("tag", SheetDialog::kOK);
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    for (QPushButton* b : {cancel, ok}) {
        row->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, sheet, [sheet, b] { sheet->dismissSheet(b); });
    }
    static_cast<QVBoxLayout*>(sheet->layout())->addLayout(row);
    return ok;
}

CheckMatrix::CheckMatrix(const char* outlet, const QList<Cell>& cells, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(outlet));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (const Cell& c : cells) {
        auto* box = new QCheckBox(c.title, this);
        box->setProperty("tag", c.tag);
        box->setChecked(true);
        grid->addWidget(box, c.row, c.column);
        cells_.push_back(box);
        rows_.push_back(c.row);
        connect(box, &QCheckBox::clicked, this, &CheckMatrix::changed);
    }
}

uint32_t CheckMatrix::tagOf(const QCheckBox* cell) { return cell ? cell->property("tag").toUInt() : 0; }

uint32_t CheckMatrix::checkedTags(int row) const {
    uint32_t tags = 0;
    for (qsizetype i = 0; i < cells_.size(); ++i)
        if ((row < 0 || rows_[i] == row) && cells_[i]->isChecked()) tags |= tagOf(cells_[i]);
    return tags;
}

int CheckMatrix::checkedCellCount() const {
    int n = 0;
    for (const QCheckBox* c : cells_) n += c->isChecked() ? 1 : 0;
    return n;
}

SearchProgress::SearchProgress(QWidget* parent, QLayout* into, const char* text)
    : progressIndicator_(new QProgressBar(parent)), progressText_(new QLabel(Localized(text), parent)) {
    progressIndicator_->setObjectName(QStringLiteral("progressIndicator"));
    progressText_->setObjectName(QStringLiteral("progressText"));
    progressIndicator_->setRange(0, 1);
    progressIndicator_->setTextVisible(false);
    auto* row = new QHBoxLayout;
    row->addWidget(progressIndicator_);
    row->addWidget(progressText_, 1);
    static_cast<QVBoxLayout*>(into)->addLayout(row);
    progressIndicator_->hide();
    progressText_->hide();
}

void SearchProgress::start() {
    progressIndicator_->show();
    progressText_->show();
    progressIndicator_->setRange(0, 0);
    progressText_->repaint();
    progressIndicator_->repaint();
}

void SearchProgress::stop() {
    progressIndicator_->setRange(0, 1);
    progressIndicator_->hide();
    progressText_->hide();
}

// --- find plant by name ---

FindPlantByNameController::FindPlantByNameController(QWidget* parent)
    : SheetDialog(parent, "FindPlantByName", localized("Find Plant by Name")),
      nameText_(addField("nameText", localized("Name:"))),
      searchOEMLibButton_(CheckBox("searchOEMLibButton", localized("Search the plant library"), this)),
      searchUserLibButton_(CheckBox("searchUserLibButton", localized("Search my plants"), this)),
      OEMCategoryButtons_(nullptr), searchButton_(nullptr), progress_(this, layout()) {
    QStringList titles;
    for (const content::BuiltInLibrary& row : content::BuiltInPlantLibraries()) titles << localized(row.nameKey);
    OEMCategoryButtons_ = new CheckMatrix("OEMCategoryButtons", BitCells(titles, 3), this);
    addRow(QString(), searchOEMLibButton_);
    addRow(QString(), OEMCategoryButtons_);
    addRow(QString(), searchUserLibButton_);
    searchButton_ = AddSheetButtons(this, localized("Search"), "searchButton");
    connect(searchOEMLibButton_, &QCheckBox::clicked, this, &FindPlantByNameController::searchOEMLibButtonChanged);
    connect(searchUserLibButton_, &QCheckBox::clicked, this, &FindPlantByNameController::searchUserLibButtonChanged);
    connect(OEMCategoryButtons_, &CheckMatrix::changed, this, &FindPlantByNameController::OEMCategoryButtonsChanged);
}

int FindPlantByNameController::checkedCellCount() const { return OEMCategoryButtons_->checkedCellCount(); }

void FindPlantByNameController::searchOEMLibButtonChanged() {
    for (QCheckBox* c : OEMCategoryButtons_->cells()) c->setEnabled(searchOEMLibButton_->isChecked());
    searchButton_->setEnabled(FindPlantSearchEnabled(FindPlantControl::StockBox, searchOEMLibButton_->isChecked(),
                                                     searchUserLibButton_->isChecked(), checkedCellCount()));
}

void FindPlantByNameController::OEMCategoryButtonsChanged() {
    searchButton_->setEnabled(FindPlantSearchEnabled(FindPlantControl::CategoryCells, searchOEMLibButton_->isChecked(),
                                                     searchUserLibButton_->isChecked(), checkedCellCount()));
}

void FindPlantByNameController::searchUserLibButtonChanged() {
    searchButton_->setEnabled(FindPlantSearchEnabled(FindPlantControl::UserBox, searchOEMLibButton_->isChecked(),
                                                     searchUserLibButton_->isChecked(), checkedCellCount()));
}

void FindPlantByNameController::dismissSheet(QObject* sender) {
    if (tagOf(sender) == kOK) {
        progress_.start();
        const bool stock = searchOEMLibButton_->isChecked();
        const uint32_t filter = stock ? OEMCategoryButtons_->checkedTags() : 0;
        if (ContentPaletteController* palette = Palette())
            palette->searchPlantsUsingName(MacRomanText(nameText_), filter, stock, searchUserLibButton_->isChecked());
        progress_.stop();
    }
    endSheet();
}

// --- find object by name ---

FindObjectByNameController::FindObjectByNameController(QWidget* parent)
    : SheetDialog(parent, "FindObjectByName", localized("Find Object by Name")),
      nameText_(addField("nameText", localized("Name:"))),
      search2DLibButton_(CheckBox("search2DLibButton", localized("Search 2D objects"), this)),
      search3DLibButton_(CheckBox("search3DLibButton", localized("Search 3D objects"), this)), searchButton_(nullptr),
      progress_(this, layout()) {
    addRow(QString(), search2DLibButton_);
    addRow(QString(), search3DLibButton_);
    searchButton_ = AddSheetButtons(this, localized("Search"), "searchButton");
    connect(search2DLibButton_, &QCheckBox::clicked, this, &FindObjectByNameController::search2DLibButtonChanged);
    connect(search3DLibButton_, &QCheckBox::clicked, this, &FindObjectByNameController::search3DLibButtonChanged);
}

void FindObjectByNameController::search2DLibButtonChanged() {
    searchButton_->setEnabled(search2DLibButton_->isChecked() || search3DLibButton_->isChecked());
}

void FindObjectByNameController::search3DLibButtonChanged() {
    searchButton_->setEnabled(search3DLibButton_->isChecked() || search2DLibButton_->isChecked());
}

void FindObjectByNameController::dismissSheet(QObject* sender) {
    if (tagOf(sender) == kOK) {
        progress_.start();
        if (ContentPaletteController* palette = Palette())
            palette->searchObjectsUsingName(MacRomanText(nameText_), search2DLibButton_->isChecked(),
                                            search3DLibButton_->isChecked());
        progress_.stop();
    }
    endSheet();
}

// --- plant hardiness zones ---

PlantZoneController::PlantZoneController(QWidget* parent)
    : SheetDialog(parent, "PlantZone", localized("Plant Hardiness Zones")), zonePopUpButton_(new QComboBox(this)),
      imageView_(new QLabel(this)) {
    zonePopUpButton_->setObjectName(QStringLiteral("zonePopUpButton"));
    imageView_->setObjectName(QStringLiteral("imageView"));
    imageView_->setMinimumSize(400, 250);
    addRow(localized("Region:"), zonePopUpButton_);
    addRow(QString(), imageView_);
    AddSheetButtons(this, localized("OK"), "okButton");
    connect(zonePopUpButton_, &QComboBox::activated, this, &PlantZoneController::zonePopUpButtonChanged);
}

void PlantZoneController::initializeControlStates() {
    zonePopUpButton_->clear();
    zonePopUpButton_->addItems(
        LocalizedList({"U.S. (Continental)", "Alaska/Hawaii", "Canada", "Europe", "Australia"}));
    zonePopUpButton_->setCurrentIndex(0);
    setImageForIndex(0);
}

void PlantZoneController::setImageForIndex(int index) {
    if (index < 0 || index >= int(std::size(kZoneImages))) return;
    imageView_->setPixmap(ZoneImage(kZoneImages[index]));
}

void PlantZoneController::zonePopUpButtonChanged() { setImageForIndex(zonePopUpButton_->currentIndex()); }

// --- plant finder ---

PlantFinderController::PlantFinderController(QWidget* parent)
    : SheetDialog(parent, "PlantFinder", localized("Plant Finder")),
      searchOEMLibButton_(CheckBox("searchOEMLibButton", localized("Search the plant library"), this)),
      searchUserLibButton_(CheckBox("searchUserLibButton", localized("Search my plants"), this)),
      zoneButtons_(new CheckMatrix("zoneButtons",
                                   BitCells(LocalizedList({"Zone 1", "Zone 2", "Zone 3", "Zone 4", "Zone 5", "Zone 6",
                                                           "Zone 7", "Zone 8", "Zone 9", "Zone 10"}),
                                            5),
                                   this)),
      sunlightButtons_(
          new CheckMatrix("sunlightButtons", BitCells(CodeWords(kAmountWords, 4), 4), this)),
      soilButtons_(new CheckMatrix("soilButtons", BitCells(CodeWords(kSoilWords, 8), 4), this)),
      waterButtons_(new CheckMatrix("waterButtons", BitCells(CodeWords(kAmountWords, 4), 4), this)),
      propagationButtons_(
          new CheckMatrix("propagationButtons", BitCells(CodeWords(kPropagationWords, 4), 4), this)),
      progress_(this, layout()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    addRow(localized("Hardiness zones:"), zoneButtons_);
    addRow(localized("Sunlight:"), sunlightButtons_);
    addRow(localized("Soil:"), soilButtons_);
    addRow(localized("Water:"), waterButtons_);
    addRow(localized("Propagation:"), propagationButtons_);
    addRow(QString(), searchOEMLibButton_);
    addRow(QString(), searchUserLibButton_);
    AddSheetButtons(this, localized("Search"), "searchButton");
}

PlantFinderController* PlantFinderController::shared() { return sPlantFinder.data(); }

PlantFinderController* PlantFinderController::sharedPlantFinderSheetForParent(CommandWindow* parent) {
    QWidget* window = FromCommandWindow(parent);
    // Up on another window: it stays there.
    if (!window || hasSheetUp(window) || (sPlantFinder && sPlantFinder->isVisible())) return nullptr;
    if (!sPlantFinder) {
        sPlantFinder = new PlantFinderController(window);
        sPlantFinder->awakeFromNib();
    } else {
        sPlantFinder->setParent(window, sPlantFinder->windowFlags());
    }
    window->installEventFilter(sPlantFinder);
    sPlantFinder->open();
    return sPlantFinder;
}

void PlantFinderController::awakeFromNib() {
    zoneView = 1023, sunlightView = 15, soilView = 255, waterView = 15, propagationView = 15;
    searchOEMLib = searchUserLib = true;
}

void PlantFinderController::updateSearchCriteria() {
    // The zone and soil matrices count every cell; the others their first row.
    const auto update = [](uint32_t& mask, const CheckMatrix* matrix, bool allRows) {
        for (int i = 0; i < int(matrix->cells().size()); ++i) {
            if (!allRows && matrix->rowOfCell(i) != 0) continue;
            const QCheckBox* cell = matrix->cells()[i];
            const uint32_t tag = CheckMatrix::tagOf(cell);
            mask = cell->isChecked() ? mask | tag : mask & ~tag;
        }
    };
    update(zoneView, zoneButtons_, true);
    update(soilView, soilButtons_, true);
    update(sunlightView, sunlightButtons_, false);
    update(waterView, waterButtons_, false);
    update(propagationView, propagationButtons_, false);
}

void PlantFinderController::dismissSheet(QObject* sender) {
    if (tagOf(sender) == kOK) {
        progress_.start();
        updateSearchCriteria();
        searchOEMLib = searchOEMLibButton_->isChecked();
        searchUserLib = searchUserLibButton_->isChecked();
        if (ContentPaletteController* palette = Palette())
            palette->searchPlantsUsingZoneFilter(zoneView, sunlightView, soilView, waterView, propagationView,
                                                 searchOEMLib, searchUserLib);
    }
    progress_.stop();
    endSheet();
    takeBackFromWindow();
}

bool PlantFinderController::eventFilter(QObject* watched, QEvent* event) {
    // The window goes: the sheet stays for the next opening.
    if (watched == parent() && (event->type() == QEvent::Close || event->type() == QEvent::DeferredDelete))
        takeBackFromWindow();
    return SheetDialog::eventFilter(watched, event);
}

void PlantFinderController::takeBackFromWindow() {
    if (QObject* window = parent()) window->removeEventFilter(this);
    hide();
    setParent(nullptr, windowFlags());
}
