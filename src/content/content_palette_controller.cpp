#include "content/content_palette_controller.h"

#include <algorithm>

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QScrollArea>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/context_menu_factory.h"
#include "app/core/localization_seams.h"
#include "app/document.h"
#include "app/input_gate.h"
#include "app/window_controller.h"
#include "content/content_category_model.h"
#include "content/content_view.h"
#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "content/core/content_searches.h"
#include "content/core/content_selection_seams.h"
#include "model/content_types.h"
#include "model/trim_placement.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "app/core/preference_keys.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/seam.h"
#include "ui/core/sheet_seams.h"

namespace {

constexpr int kChangeColorTag = 12000;

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

// The catalogue each section's tree is read from (-1: built in).
constexpr std::array<int16_t, 9> kCatalogueOfSection = {
    content::kAccessoriesLibrary, -1, -1, -1, content::kObject3DLibrary, -1,
    content::kTemplateLibrary, content::kCustomDoorLibrary, content::kCustomWindowLibrary};
// Pop-up titles of the sections the tools show; the user's list has no item for them.
constexpr std::array<const char*, 9> kHiddenSectionTitle = {"Accessories", nullptr, nullptr, nullptr, nullptr,
                                                            nullptr, "Templates", "Custom Doors", "Custom Windows"};

// Trim shown in the palette decides where custom trim goes.
void NoteTrimCategory(const ContentCategoryItem* item) {
    if (!item || item->categoryType() != content::kTrimCategory) return;
    const int16_t library = item->libraryType();
    gApplyTrimAsBase = library == content::kBaseTrimLibrary || library == content::kCustomTrimLibrary ? 1 : 0;
}

// The one colour panel of the program and the palette its changes go to.
QPointer<QColorDialog> sColorPanel;
QPointer<ContentPaletteController> sColorTarget;
const port::GlobalReset kReset([] {
    delete sColorPanel.data();
    sColorTarget = nullptr;
});

QColorDialog* SharedColorPanel() {
    if (!sColorPanel) {
        sColorPanel = new QColorDialog;
        sColorPanel->setObjectName(QStringLiteral("sharedColorPanel"));
        sColorPanel->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
        sColorPanel->setModal(false);
        // Its colours are the design's: held while a sheet holds the design.
        InputGate::markDesignWindow(sColorPanel);
        QObject::connect(sColorPanel, &QColorDialog::currentColorChanged, [](const QColor& c) {
            if (sColorTarget) sColorTarget->symItemColorChanged(c);
        });
    }
    return sColorPanel;
}

ContentPaletteController* Shared() { return ContentPaletteController::sharedContentPaletteController(); }

void RegisterSeams() {
    SetContentPaletteSelectedSymEntryHandler([]() -> std::optional<SymEntryInfo> {
        const ContentPaletteController* p = Shared();
        const SymEntryInfo* e = p ? p->selectedSymEntry() : nullptr;
        return e ? std::optional<SymEntryInfo>(*e) : std::nullopt;
    });
    SetContentPaletteSelectedCategoryHandler([] {
        const ContentPaletteController* p = Shared();
        return p ? p->selectedCategory() : int16_t(-1);
    });
    SetContentPaletteSetCategorySelectionAbilityHandler([](bool allowed) {
        if (ContentPaletteController* p = Shared()) p->setCategorySelectionAbility(allowed);
    });
    SetContentPaletteSelectCategoryHandler([](int16_t category, bool first) {
        if (ContentPaletteController* p = Shared()) p->selectCategory(category, first);
    });
    SetContentPaletteRefreshFolderCategoryHandler([] {
        ContentPaletteController* p = Shared();
        ContentCategoryItem* item = p ? p->selectedCategoryItem() : nullptr;
        // Stock trim previews follow the design's measurement system.
        if (!item || item->categoryType() != content::kTrimCategory || !content::IsStockTrimLibrary(item->libraryType()))
            return;
        ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(item);
        p->refreshContentView();
    });
    SetContentPaletteLocatePlantHandler([](Objex* plant) {
        if (ContentPaletteController* p = Shared()) p->locatePlantForObject(plant);
    });
}

}  // namespace

ContentPaletteController::ContentPaletteController(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("contentPaletteController"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    categoryPopUpButton_ = new QComboBox(this);
    categoryPopUpButton_->setObjectName(QStringLiteral("categoryPopUpButton"));
    categoryPopUpButton_->setFocusPolicy(Qt::NoFocus);  // chosen with the mouse, it leaves the plan its keys
    actionsPopUpButton_ = new QToolButton(this);
    actionsPopUpButton_->setObjectName(QStringLiteral("actionsPopUpButton"));
    actionsPopUpButton_->setPopupMode(QToolButton::InstantPopup);
    actionsPopUpButton_->setIcon(style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
    actionsPopUpButton_->setEnabled(false);
    row->addWidget(categoryPopUpButton_, 1);
    row->addWidget(actionsPopUpButton_);
    column->addLayout(row);
    categoryOutlineView_ = new QTreeView(this);
    categoryOutlineView_->setObjectName(QStringLiteral("categoryOutlineView"));
    categoryOutlineView_->setHeaderHidden(true);
    categoryOutlineView_->setSelectionMode(QAbstractItemView::SingleSelection);
    categoryOutlineView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outlineModel_ = new ContentCategoryModel(this);
    categoryOutlineView_->setModel(outlineModel_);
    column->addWidget(categoryOutlineView_, 1);
    contentScrollView_ = new QScrollArea(this);
    contentScrollView_->setObjectName(QStringLiteral("contentScrollView"));
    // A press on a preview or a scroll bar leaves the plan its keys (Delete, the arrows, the
    // auto-click's modifier); the outline above, a list, keeps those it takes.
    contentScrollView_->setFocusPolicy(Qt::NoFocus);
    contentScrollView_->setWidgetResizable(false);
    // A column that is only half in view is reached by scrolling.
    contentScrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    contentView_ = new ContentView;
    contentScrollView_->setWidget(contentView_);
    column->addWidget(contentScrollView_, 2);
    progressIndicator_ = new QProgressBar(contentScrollView_);
    progressIndicator_->setObjectName(QStringLiteral("progressIndicator"));
    progressIndicator_->setRange(0, 0);
    progressIndicator_->setTextVisible(false);
    progressIndicator_->setFixedSize(32, 12);
    progressIndicator_->hide();

    connect(categoryPopUpButton_, &QComboBox::activated, this, [this] { changeCategoryPopUpButton(); });
    connect(categoryOutlineView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection&, const QItemSelection& deselected) { outlineSelectionChanged(deselected); });
    connect(categoryOutlineView_, &QTreeView::expanded, this,
            [this](const QModelIndex& i) { outlineViewItemDidExpand(ContentCategoryModel::itemAt(i)); });
    connect(categoryOutlineView_, &QTreeView::collapsed, this,
            [this](const QModelIndex& i) { outlineViewItemDidCollapse(ContentCategoryModel::itemAt(i)); });
    RegisterSeams();
    awakeFromNib();
}

ContentPaletteController::~ContentPaletteController() {
    // The grid and the outline point into the trees, which go first.
    contentView_->invalidateCacheAndSetNewSource(nullptr);
    outlineModel_->setRoot(nullptr);
}

ContentPaletteController* ContentPaletteController::sharedContentPaletteController() {
    if (!AppController::exists()) return nullptr;
    auto* window = qobject_cast<QMDWindowController*>(AppController::shared()->mainWindowController());
    return window ? window->contentPaletteController() : nullptr;
}

void ContentPaletteController::awakeFromNib() {
    content::BuildBuiltInLibrary(content::kColorsCategory, trees_[1]);
    content::BuildBuiltInLibrary(content::kMaterialsCategory, trees_[2]);
    ContentLibraryManager::sharedContentLibraryManager().buildLibraryOfType(content::kObject3DLibrary, trees_[4]);
    content::BuildBuiltInLibrary(content::kPlantsCategory, trees_[5]);
    content::BuildBuiltInLibrary(content::kTrimCategory, trees_[3]);
    for (int16_t s : {1, 2, 3, 4, 5}) built_[size_t(s)] = true;
    objectSearchResultsItem_ = appendSearchResultsItem(content::kObjectsCategory);
    plantSearchResultsItem_ = appendSearchResultsItem(content::kPlantsCategory);
    categoryPopUpButton_->clear();
    categoryPopUpButton_->addItem(Localized("Colors"), 1);
    categoryPopUpButton_->addItem(Localized("Materials"), 2);
    categoryPopUpButton_->addItem(Localized("Trim"), 3);
    categoryPopUpButton_->insertSeparator(categoryPopUpButton_->count());
    categoryPopUpButton_->addItem(Localized("Objects"), 4);
    categoryPopUpButton_->addItem(Localized("Plants"), 5);
    selectPopUpItem(2);
    selectedCategory_ = 2;
    reloadOutline();
    expandActiveCategoryTreeAndSelect();
}

ContentCategoryList* ContentPaletteController::treeOfSection(int16_t section) {
    if (section < 0 || section > 8) return nullptr;
    const size_t s = size_t(section);
    if (!built_[s]) {
        built_[s] = true;
        ContentLibraryManager::sharedContentLibraryManager().buildLibraryOfType(kCatalogueOfSection[s], trees_[s]);
    }
    return &trees_[s];
}

int16_t ContentPaletteController::popUpTag() const {
    const QVariant tag = categoryPopUpButton_->currentData();
    return tag.isValid() ? int16_t(tag.toInt()) : int16_t(-1);
}

void ContentPaletteController::selectPopUpItem(int16_t tag) {
    // A section the user's list lacks has an item only while it is shown.
    for (int i = categoryPopUpButton_->count() - 1; i >= 0; --i) {
        const QVariant t = categoryPopUpButton_->itemData(i);
        if (t.isValid() && kHiddenSectionTitle[size_t(t.toInt())] && t.toInt() != tag) categoryPopUpButton_->removeItem(i);
    }
    int at = categoryPopUpButton_->findData(tag);
    if (at < 0 && tag >= 0 && tag <= 8 && kHiddenSectionTitle[size_t(tag)]) {
        categoryPopUpButton_->addItem(Localized(kHiddenSectionTitle[size_t(tag)]), tag);
        at = categoryPopUpButton_->count() - 1;
    }
    if (at >= 0) categoryPopUpButton_->setCurrentIndex(at);
}

void ContentPaletteController::reloadOutline() {
    const bool was = std::exchange(selectingFromCode_, true);
    outlineModel_->setRoot(treeOfSection(popUpTag()));
    selectingFromCode_ = was;
}

ContentCategoryItem* ContentPaletteController::selectedCategoryItem() const {
    const QModelIndexList rows = categoryOutlineView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : ContentCategoryModel::itemAt(rows.first());
}

const SymEntryInfo* ContentPaletteController::selectedSymEntry() const {
    const ContentCategoryItem* source = contentView_->cacheSource();
    return source ? source->symEntryAtIndex(source->selectionIndex()) : nullptr;
}

void ContentPaletteController::changeCategoryPopUpButton() {
    const int16_t tag = popUpTag();
    if (tag == selectedCategory_) return;
    selectPopUpItem(tag);  // drops the item of a tool's section left behind
    selectedCategory_ = tag;
    reloadOutline();
    expandActiveCategoryTreeAndSelect();
    ContentCategoryItem* item = selectedCategoryItem();
    NoteTrimCategory(item);
    loadItemWithProgress(item);
    updateActionsMenu();
}

void ContentPaletteController::loadItemWithProgress(ContentCategoryItem* item) {
    // Drawn before the work starts: everything below runs on this thread.
    contentView_->setFadeVisibleRect(true);
    contentView_->repaint();
    const QRect visible = contentScrollView_->viewport()->geometry();
    progressIndicator_->move(visible.topLeft() + QPoint((visible.width() - progressIndicator_->width()) / 2,
                                                        (visible.height() - progressIndicator_->height()) / 2));
    progressIndicator_->show();
    progressIndicator_->raise();
    progressIndicator_->repaint();
    ContentLibraryManager::sharedContentLibraryManager().rebuildSymEntryListForItem(item);
    contentView_->invalidateCacheAndSetNewSource(item);
    contentView_->rebuildPreviewCache();
    progressIndicator_->hide();
    contentView_->setFadeVisibleRect(false);
    contentView_->update();
}

bool ContentPaletteController::selectionShouldChangeInOutlineView() {
    if (ContentCategoryItem* item = selectedCategoryItem()) item->setSelected(false);
    return true;
}

void ContentPaletteController::outlineSelectionChanged(const QItemSelection& deselected) {
    // The outline has already moved on: the row left is the deselected one.
    if (!selectingFromCode_)
        for (const QModelIndex& i : deselected.indexes())
            if (ContentCategoryItem* item = ContentCategoryModel::itemAt(i)) item->setSelected(false);
    outlineViewSelectionDidChange();
}

void ContentPaletteController::outlineViewSelectionDidChange() {
    ContentCategoryItem* item = selectedCategoryItem();
    NoteTrimCategory(item);
    if (item) item->setSelected(true);
    loadItemWithProgress(item);
    updateActionsMenu();
}

void ContentPaletteController::outlineViewItemDidExpand(ContentCategoryItem* item) {
    if (item) item->setExpanded(true);
}

void ContentPaletteController::outlineViewItemDidCollapse(ContentCategoryItem* item) {
    if (item) item->setExpanded(false);
}

void ContentPaletteController::selectRow(const ContentCategoryItem* item) {
    const QModelIndex index = outlineModel_->indexOf(item);
    if (!index.isValid()) return;
    const bool was = std::exchange(selectingFromCode_, true);
    categoryOutlineView_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectingFromCode_ = was;
}

void ContentPaletteController::expandActiveCategoryTreeAndSelect() {
    const ContentCategoryList* tree = treeOfSection(popUpTag());
    if (!tree) return;
    expandCategoryTree(*tree);
    const QModelIndexList rows = categoryOutlineView_->selectionModel()->selectedRows();
    if (!rows.isEmpty()) categoryOutlineView_->scrollTo(rows.first());
}

void ContentPaletteController::expandCategoryTree(const ContentCategoryList& list) {
    for (const auto& node : list) {
        if (!node) continue;
        if (node->expanded()) categoryOutlineView_->expand(outlineModel_->indexOf(node.get()));
        if (node->selected()) selectRow(node.get());
        expandCategoryTree(node->children());
    }
}

void ContentPaletteController::selectCategory(int16_t category, bool) {
    if (category < 0 || category > 8) return;
    selectPopUpItem(category);
    changeCategoryPopUpButton();
    ContentCategoryItem* item = selectedCategoryItem();
    if (!item) return;
    while (item->numberOfChildren() > 0 && item->childAtIndex(0)) {
        item->setExpanded(true);
        item = item->childAtIndex(0);
    }
    item->setSelected(true);
    expandActiveCategoryTreeAndSelect();
}

void ContentPaletteController::setCategorySelectionAbility(bool enabled) {
    categoryPopUpButton_->setEnabled(enabled);
}

void ContentPaletteController::refreshContentView() {
    contentView_->rebuildPreviewCache();
    contentView_->update();
}

void ContentPaletteController::locatePlantForObject(const Objex* plant) {
    if (!plant || !plant->firstPoint) return;
    if (selectedCategory_ != content::kPlantsCategory) selectCategory(content::kPlantsCategory, true);
    const int64_t id = plant->firstPoint->texture1;
    ContentCategoryItem* match = nullptr;
    for (const auto& node : trees_[content::kPlantsCategory])
        if (node && node->baseTextureID() <= id && id < int64_t(node->baseTextureID()) + node->textureCount()) {
            match = node.get();
            break;
        }
    if (!match) {
        port::alerts().beginSheet({LocalizedString("Unable to locate the selected plant."),
                                   LocalizedString("The plant definition files might be missing or are damaged."),
                                   {LocalizedString("OK")}},
                                  [](int) {});
        return;
    }
    // Taken only by a node whose entries are loaded; another keeps its old index.
    match->setSelectionIndex(uint32_t(id - match->baseTextureID()));
    ContentCategoryItem* shown = selectedCategoryItem();
    if (match == shown) {
        contentView_->update();
        contentView_->makeSelectedItemVisible();
        return;
    }
    if (shown) shown->setSelected(false);
    match->setSelected(true);
    expandActiveCategoryTreeAndSelect();
}

bool ContentPaletteController::validateMenuItem(const QAction* item) const {
    if (!item) return false;
    if (item->data().toInt() == kChangeColorTag) return !(sColorPanel && sColorPanel->isVisible());
    return gCurDocument != nullptr;
}

void ContentPaletteController::updateActionsMenu() {
    const ContentCategoryItem* item = selectedCategoryItem();
    if (!item) return;
    QMenu* old = actionsPopUpButton_->menu();
    actionsPopUpButton_->setMenu(nullptr);
    delete old;
    const bool colorSet = content::IsColorSetLibrary(item->libraryType());
    if (item->categoryType() == content::kColorsCategory && !(colorSet && selectedSymEntry())) {
        actionsPopUpButton_->setEnabled(false);
        return;
    }
    QMenu* menu = ContextMenuFactory::contentActionMenuUsingTarget(uint16_t(item->categoryType()), actionsPopUpButton_);
    const std::pair<const char*, void (ContentPaletteController::*)()> actions[] = {
        {"findPlantByName", &ContentPaletteController::findPlantByName},
        {"showPlantFinder", &ContentPaletteController::showPlantFinder},
        {"showPlantHardinessZones", &ContentPaletteController::showPlantHardinessZones},
        {"findObjectByName", &ContentPaletteController::findObjectByName}};
    for (QAction* a : menu->actions()) {
        if (a->data().toInt() == kChangeColorTag) connect(a, &QAction::triggered, this, [this] { changeSymItemColor(); });
        for (const auto& [name, action] : actions)
            if (a->objectName() == QLatin1String(name)) connect(a, &QAction::triggered, this, action);
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isVisible()) a->setEnabled(validateMenuItem(a));
    });
    actionsPopUpButton_->setMenu(menu);
    actionsPopUpButton_->setEnabled(true);
}

void ContentPaletteController::changeSymItemColor() {
    const SymEntryInfo* entry = selectedSymEntry();
    if (!entry) return;
    QColorDialog* panel = SharedColorPanel();
    sColorTarget = nullptr;  // setting the panel's colour is no change of the user's
    panel->setCurrentColor(QColor::fromRgbF(float(entry->textureColor.red) / 255.0f,
                                            float(entry->textureColor.green) / 255.0f,
                                            float(entry->textureColor.blue) / 255.0f, 1.0f));
    sColorTarget = this;
    panel->show();
    panel->raise();
}

void ContentPaletteController::symItemColorChanged(const QColor& color) {
    ContentCategoryItem* source = contentView_->cacheSource();
    SymEntryInfo* entry = source ? source->mutableSymEntryAtIndex(source->selectionIndex()) : nullptr;
    DocState* ds = CurrentDocState();
    QMDDocument* document = AppController::exists() ? AppController::shared()->documentController()->currentDocument() : nullptr;
    if (!entry || !ds || !document) return;
    const auto channel = [](float f) { return uint32_t(int(f * 255.0f)) & 0xff; };
    const QColor rgb = color.toRgb();
    const uint32_t r = channel(rgb.redF()), g = channel(rgb.greenF()), b = channel(rgb.blueF());
    if (entry->colorIndex >= 0 && entry->colorIndex < int32_t(std::size(ds->customColors)))
        ds->customColors[entry->colorIndex] = int32_t(r + g * 256 + b * 65536);
    entry->textureColor.red = uint16_t(r), entry->textureColor.green = uint16_t(g), entry->textureColor.blue = uint16_t(b);
    // No undo step, but the design has changed: closing asks to save it.
    document->updateChangeCount(0);
    contentView_->update();
}

ContentCategoryItem* ContentPaletteController::appendSearchResultsItem(int16_t section) {
    ContentCategoryList& tree = trees_[size_t(section)];
    tree.push_back(ContentCategoryItem::initWithName("", nullptr, nullptr, section, content::kSearchResultsLibrary));
    ContentCategoryItem* results = tree.back().get();
    results->setCategoryName(content::SearchResultsName(*results).c_str());
    return results;
}

void ContentPaletteController::findObjectByName() { NewFindObjectByNameSheetForParent(AsCommandWindow(window())); }
void ContentPaletteController::findPlantByName() { NewFindPlantByNameSheetForParent(AsCommandWindow(window())); }
void ContentPaletteController::showPlantFinder() { SharedPlantFinderSheetForParent(AsCommandWindow(window())); }
void ContentPaletteController::showPlantHardinessZones() { NewPlantZoneSheetForParent(AsCommandWindow(window())); }

namespace {

size_t MaxSearchResults() { return size_t(std::max<int64_t>(0, port::defaults().getInt(QMDMaxSearchResultsKey))); }

}  // namespace

// Names the plant results after what they hold and shows them, or brings the shown list up to date.
void ContentPaletteController::presentPlantSearchResults() {
    plantSearchResultsItem_->setCategoryName(content::SearchResultsName(*plantSearchResultsItem_).c_str());
    if (!showSearchResults(content::kPlantsCategory, plantSearchResultsItem_)) {
        outlineModel_->reloadItem(plantSearchResultsItem_);
        contentView_->invalidateCacheAndSetNewSource(plantSearchResultsItem_);
        refreshContentView();
    }
}

void ContentPaletteController::searchPlantsUsingName(const std::string& text, uint32_t filter, bool searchOEMLib,
                                                     bool searchUserLib) {
    if (!plantSearchResultsItem_) return;
    content::SearchPlantsUsingName(plantSearchResultsItem_, trees_[content::kPlantsCategory], text, filter,
                                   searchOEMLib, searchUserLib, MaxSearchResults());
    presentPlantSearchResults();
}

void ContentPaletteController::searchPlantsUsingZoneFilter(uint32_t zoneFilter, uint32_t sunFilter, uint32_t soilFilter,
                                                           uint32_t waterFilter, uint32_t propagationFilter,
                                                           bool searchOEMLib, bool searchUserLIB) {
    if (!plantSearchResultsItem_) return;
    const content::PlantConditions conditions{zoneFilter, sunFilter, soilFilter, waterFilter, propagationFilter};
    content::SearchPlantsUsingZoneFilter(plantSearchResultsItem_, trees_[content::kPlantsCategory], conditions,
                                         searchOEMLib, searchUserLIB, MaxSearchResults());
    presentPlantSearchResults();
}

void ContentPaletteController::searchObjectsUsingName(const std::string& text, bool search2DLib, bool search3DLib) {
    if (!objectSearchResultsItem_) return;
    content::SearchObjectsUsingName(objectSearchResultsItem_, trees_[content::kObjectsCategory], text, search2DLib,
                                    search3DLib, MaxSearchResults());
    objectSearchResultsItem_->setCategoryName(content::SearchResultsName(*objectSearchResultsItem_).c_str());
    outlineModel_->reloadItem(objectSearchResultsItem_);
    if (!showSearchResults(content::kObjectsCategory, objectSearchResultsItem_)) {
        contentView_->invalidateCacheAndSetNewSource(objectSearchResultsItem_);
        refreshContentView();
    }
}

bool ContentPaletteController::showSearchResults(int16_t section, ContentCategoryItem* results) {
    // The results stand in their section's tree: shown there, as a user's choice of the row.
    if (selectedCategory_ != section) {
        selectPopUpItem(section);
        changeCategoryPopUpButton();
    }
    if (selectedCategoryItem() == results) return false;
    const QModelIndex row = outlineModel_->indexOf(results);
    if (!row.isValid()) return false;
    categoryOutlineView_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect |
                                                                     QItemSelectionModel::Rows);
    categoryOutlineView_->scrollTo(row);
    return true;
}

void RefreshAllContentPalettes() {
    if (!AppController::exists()) return;
    for (QMDDocument* d : AppController::shared()->documentController()->documents()) {
        auto* window = d ? qobject_cast<QMDWindowController*>(d->windowController) : nullptr;
        if (window && window->contentPaletteController()) window->contentPaletteController()->refreshContentView();
    }
}
