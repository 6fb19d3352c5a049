#pragma once
// The content palette of a document window: a section pop-up, the section's category outline,
// the preview grid of the selected category, an actions pull-down and a busy indicator. What
// it has selected is what the plan view places, the live view applies and the opening tools
// take their custom definitions from. Each palette owns the category trees of all sections.
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "content/core/content_category_item.h"

class ContentCategoryModel;
class ContentView;
class QAction;
class QColor;
class QComboBox;
class QItemSelection;
class QProgressBar;
class QScrollArea;
class QToolButton;
class QTreeView;
struct Objex;

class ContentPaletteController : public QWidget {
    Q_OBJECT
public:
    // Builds the built-in and object trees and shows "Materials" with its selected category.
    explicit ContentPaletteController(QWidget* parent = nullptr);
    ~ContentPaletteController() override;

    // The palette of the main document window, or null when there is none.
    static ContentPaletteController* sharedContentPaletteController();

    int16_t selectedCategory() const { return selectedCategory_; }
    // The node of the outline's selected row, or null.
    ContentCategoryItem* selectedCategoryItem() const;
    // The grid's entry at its node's selection index; null when there is none.
    const SymEntryInfo* selectedSymEntry() const;
    // Shows section n (0-8) and selects the first leaf below its selected node.
    void selectCategory(int16_t category, bool firstSymEntry);
    void setCategorySelectionAbility(bool enabled);
    void refreshContentView();
    // Selects the library entry of a placed plant, or alerts that it cannot be found.
    void locatePlantForObject(const Objex* plant);

    // The section pop-up's choice.
    void changeCategoryPopUpButton();
    // Outline delegate steps, in the order the outline runs them.
    bool selectionShouldChangeInOutlineView();
    void outlineViewSelectionDidChange();
    void outlineViewItemDidExpand(ContentCategoryItem* item);
    void outlineViewItemDidCollapse(ContentCategoryItem* item);
    void expandActiveCategoryTreeAndSelect();
    void expandCategoryTree(const ContentCategoryList& list);

    // "Change Color..." (tag 12000) while the colour panel is hidden; the rest with a document.
    bool validateMenuItem(const QAction* item) const;
    void updateActionsMenu();
    void changeSymItemColor();
    void symItemColorChanged(const QColor& color);
    // The finder sheets and the zone maps, on the palette's document window.
    void findObjectByName();
    void findPlantByName();
    void showPlantFinder();
    void showPlantHardinessZones();

    // Searches into the results nodes, up to "MaxSearchResults" entries, which the outline
    // then shows (texts are 8-bit Mac OS Roman).
    void searchPlantsUsingName(const std::string& text, uint32_t filter, bool searchOEMLib, bool searchUserLib);
    void searchPlantsUsingZoneFilter(uint32_t zoneFilter, uint32_t sunFilter, uint32_t soilFilter, uint32_t waterFilter,
                                     uint32_t propagationFilter, bool searchOEMLib, bool searchUserLIB);
    void searchObjectsUsingName(const std::string& text, bool search2DLib, bool search3DLib);
    // The last nodes of the plant and object trees; no folder, no rebuild.
    ContentCategoryItem* plantSearchResultsItem() const { return plantSearchResultsItem_; }
    ContentCategoryItem* objectSearchResultsItem() const { return objectSearchResultsItem_; }

    // The tree of a section (built on first need for the catalogue-only sections); null
    // outside 0-8.
    ContentCategoryList* treeOfSection(int16_t section);

    ContentView* contentView() const { return contentView_; }
    QScrollArea* contentScrollView() const { return contentScrollView_; }
    QTreeView* categoryOutlineView() const { return categoryOutlineView_; }
    QComboBox* categoryPopUpButton() const { return categoryPopUpButton_; }
    QToolButton* actionsPopUpButton() const { return actionsPopUpButton_; }
    QProgressBar* progressIndicator() const { return progressIndicator_; }

private:
    void awakeFromNib();
    int16_t popUpTag() const;
    void selectPopUpItem(int16_t tag);
    void reloadOutline();
    void loadItemWithProgress(ContentCategoryItem* item);
    void outlineSelectionChanged(const QItemSelection& deselected);
    void selectRow(const ContentCategoryItem* item);
    // The section of the node shown, then its row: selected (and so loaded) when it is not.
    bool showSearchResults(int16_t section, ContentCategoryItem* results);
    void presentPlantSearchResults();
    ContentCategoryItem* appendSearchResultsItem(int16_t section);

    int16_t selectedCategory_ = 2;
    // The trees of sections 0-8 in display order; `built_` marks the catalogue-only sections
    // read so far.
    std::array<ContentCategoryList, 9> trees_;
    std::array<bool, 9> built_{};
    // Row selections made here load their node without clearing any `selected` flag.
    bool selectingFromCode_ = false;
    ContentView* contentView_ = nullptr;
    QScrollArea* contentScrollView_ = nullptr;
    QTreeView* categoryOutlineView_ = nullptr;
    ContentCategoryModel* outlineModel_ = nullptr;
    QComboBox* categoryPopUpButton_ = nullptr;
    QToolButton* actionsPopUpButton_ = nullptr;
    QProgressBar* progressIndicator_ = nullptr;
    ContentCategoryItem* plantSearchResultsItem_ = nullptr;
    ContentCategoryItem* objectSearchResultsItem_ = nullptr;
};

// Rebuilds the previews of the palette of every open document window (the preview size
// changed).
void RefreshAllContentPalettes();
