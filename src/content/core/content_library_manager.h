#pragma once
// Reads the content library's catalogues into category trees and finds a category's entries
// again from its folder, its numbered files, the document's colour table or a paint file.
// One shared instance, made on first use; it holds nothing of its own.
//
// A catalogue (INI form, in <shared user folder>/Zelt) lists two levels of categories: in
// the section named after the catalogue, the keys "<n><section>" and "<n><section>Directory"
// for n = 1, 2, ... give each category (reading stops at the first name equal to "Done",
// which is also what a missing key reads as; a category without its directory key is
// skipped); a section named after a category lists its sub-categories the same way. A
// category's folder is its parent folder joined with its name. Values are cut to 250
// characters.
#include <cstdint>

#include "content/core/content_category_item.h"

class ContentLibraryManager {
public:
    static ContentLibraryManager& sharedContentLibraryManager();

    // The main reader: one top-level node per category of the type's catalogue (0
    // accessories, 19 objects, 24 templates, 25 custom doors, 26 custom windows) appended to
    // `list`, the first category `selected` when it is there. Other types add nothing.
    void buildLibraryOfType(int16_t libraryType, ContentCategoryList& list);
    // The second reader: the categories of the type's catalogue (9 paint, 11 custom materials,
    // 13 and 15 custom trim, 18 2D symbols, 19 objects, 22 custom plants) added as children of
    // `parent` (below its folder; custom trim below the custom trim folder), none selected.
    // A null parent or another type adds nothing.
    void buildLibraryOfType(int16_t libraryType, ContentCategoryItem* parent);

    // Empties the node's entries and finds them again by its library type. Types without
    // entries, and a null node, do nothing. The node's selection index is left as it was.
    void rebuildSymEntryListForItem(ContentCategoryItem* item);

    // The builders the rebuild chooses from. Identifiers run from 1 over the entries added.
    void rebuildCustomWindowSymEntryListForItem(ContentCategoryItem* item);
    void rebuildCustomDoorSymEntryListForItem(ContentCategoryItem* item);
    void rebuildCustomTrimSymEntryListForItem(ContentCategoryItem* item);
    void rebuildCustomTextureSymEntryListForItem(ContentCategoryItem* item);
    void rebuildCustomPlantSymEntryListForItem(ContentCategoryItem* item);
    void rebuildTemplateEntryListForItem(ContentCategoryItem* item);
    void rebuild3DObjectSymEntryListForItem(ContentCategoryItem* item);
    void rebuild2DObjectSymEntryListForItem(ContentCategoryItem* item);
    // Numbered textures (stock materials and plants). A node counting no files keeps its entries.
    void rebuildTextureSymEntryListForItem(ContentCategoryItem* item);
    // Numbered trim previews, the "M" ones in a metric document. Without a current document,
    // or counting no files, the node keeps its entries.
    void rebuildTrimSymEntryListForItem(ContentCategoryItem* item);
    void rebuildColorSymEntryListForItem(ContentCategoryItem* item);
    void rebuildColorRampSymEntryListForItem(ContentCategoryItem* item);
    void rebuildPaintSymEntryListForItem(ContentCategoryItem* item);

private:
    ContentLibraryManager() = default;
};

// The longest catalogue or description value kept, in characters.
inline constexpr int32_t kContentValueLength = 250;
