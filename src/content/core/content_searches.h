#pragma once
// Searching the content library: plants by name or by growing conditions, 2D and 3D objects
// by name. A search empties a results node and appends one entry per matching library item,
// never more than its limit: the limit is checked before each node, texture ID or file is
// visited. Stock plants are found by texture ID over the built-in plant table; user plants
// and objects by listing the folders of their category nodes. Texts are 8-bit Mac OS Roman.
// Nothing is reported: unreadable folders, missing files and absent keys only skip items.
#include <cstddef>
#include <cstdint>
#include <string>

#include "content/core/content_category_item.h"

class ProfileFile;

namespace content {

// Growing-condition filters: bit v-1 accepts the value v of "SunLight", "Water",
// "Propagation" (4 bits) and "SoilType" (8 bits); bit k-1 of `zone` accepts a plant whose
// "Zone<k>" is 1 (10 bits). A filter of 0 accepts everything and is not read.
struct PlantConditions {
    uint32_t zone = 0, sun = 0, soil = 0, water = 0, propagation = 0;
    bool any() const { return (zone | sun | soil | water | propagation) != 0; }
};

// Whether the key of the "Description" section holds the text, ignoring letter case. An
// absent key (read as "Done") and a value shorter in bytes than the text never match.
bool NameTestMatches(const ProfileFile& info, const char* key, const std::string& text);
// Whether the item passes every non-zero filter, read in the order sun, water,
// propagation, soil, zone.
bool ConditionTestPasses(const ProfileFile& info, const PlantConditions& conditions);

// The workers of one search, appending to `results` up to `limit` entries.
class ContentSearch {
public:
    ContentSearch(ContentCategoryItem* results, size_t limit) : results_(results), limit_(limit) {}

    bool belowLimit() const;

    // Stock plants of the categories whose bit is set in `filter` (bit k-1: the k-th row of
    // the built-in plant table), "CommonName" then "BotanicalName". Needs a text and a filter.
    void searchOEMPlantsUsingName(const std::string& text, uint32_t filter);
    // Every stock plant category. Needs a non-zero filter.
    void searchOEMPlantsUsingZoneFilter(const PlantConditions& conditions);
    // The ".PTI" files below a node of custom plants; `identifier` is the counter the whole
    // search shares.
    void searchUserPlantsUsingName(const std::string& text, ContentCategoryItem* item, int32_t* identifier);
    void searchUserPlantsUsingZoneFilter(const PlantConditions& conditions, ContentCategoryItem* item,
                                         int32_t* identifier);
    // The ".POD" files below a node of 3D objects ("ObjectName", "ObjectDescription",
    // "KeyWords"); identifiers restart in each folder.
    void search3DObjectsUsingName(const std::string& text, ContentCategoryItem* item);
    // The ".PTI" files below a node of 2D symbols ("ObjectName", "ObjectDescription").
    void search2DObjectsUsingName(const std::string& text, ContentCategoryItem* item);

private:
    struct ObjectKind;
    void searchObjects(const std::string& text, ContentCategoryItem* item, const ObjectKind& kind);
    template <class Test>
    void searchOEMPlants(uint32_t filter, Test test);
    template <class Test>
    void searchUserPlants(ContentCategoryItem* item, int32_t* identifier, Test test);

    ContentCategoryItem* results_;
    size_t limit_;
};

// The three searches whole, over a section's top-level nodes (a node without a folder, the
// results node among them, is passed over by every worker). Each empties `results` first.
void SearchPlantsUsingName(ContentCategoryItem* results, const ContentCategoryList& plantTree,
                           const std::string& text, uint32_t filter, bool searchOEMLib, bool searchUserLib,
                           size_t limit);
void SearchPlantsUsingZoneFilter(ContentCategoryItem* results, const ContentCategoryList& plantTree,
                                 const PlantConditions& conditions, bool searchOEMLib, bool searchUserLib,
                                 size_t limit);
void SearchObjectsUsingName(ContentCategoryItem* results, const ContentCategoryList& objectTree,
                            const std::string& text, bool search2DLib, bool search3DLib, size_t limit);

// "Search results (<n> items)", localised, for the node's entry count.
std::string SearchResultsName(const ContentCategoryItem& results);

// The first child of the node whose folder is the path, ignoring case; null when either is
// null or none matches.
ContentCategoryItem* locateUserPlantCategoryForItem(ContentCategoryItem* item, const char* basePath);

}  // namespace content
