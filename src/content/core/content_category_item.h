#pragma once
// A node of a content library tree: a section's category with its folder, its library type
// and, once built, its entries. A node owns its children and entries and points to its
// parent without owning it. Strings are 8-bit Mac OS Roman names and file-system paths; an
// empty path means none.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/sym_entry.h"

class ContentCategoryItem;
// A list of top-level nodes, as a tree's reader fills it.
using ContentCategoryList = std::vector<std::unique_ptr<ContentCategoryItem>>;

class ContentCategoryItem {
public:
    // A node with cleared flags, no entries and no children (`initWithName`).
    static std::unique_ptr<ContentCategoryItem> initWithName(const char* name, const char* fullPath,
                                                             ContentCategoryItem* parent, int16_t categoryType,
                                                             int16_t libraryType);
    ContentCategoryItem(const ContentCategoryItem&) = delete;
    ContentCategoryItem& operator=(const ContentCategoryItem&) = delete;

    // A new node appended to the children; `parent` becomes its parent (normally this node).
    ContentCategoryItem* addChildWithName(const char* name, const char* fullPath, ContentCategoryItem* parent,
                                          int16_t categoryType, int16_t libraryType);
    // The same for a numbered library.
    ContentCategoryItem* addChildWithName(const char* name, const char* fullPath, ContentCategoryItem* parent,
                                          int16_t categoryType, int16_t libraryType, int32_t baseTextureID,
                                          uint32_t textureCount, const char* textureFilePrefix);
    // The same without a folder, for a colour ramp of one hue.
    ContentCategoryItem* addChildWithName(const char* name, ContentCategoryItem* parent, int16_t categoryType,
                                          int16_t libraryType, int32_t baseHue);

    // Entries made by the SymEntryInfo initializer of the same name, appended.
    SymEntryInfo& addSymEntryWithPreviewPath(const char* preview, const char* info, const char* data,
                                             const char* description, int32_t identifier, int16_t entryType);
    SymEntryInfo& addSymEntryWithPreviewPath(const char* preview, const char* info, const char* data,
                                             const char* description, int32_t textureID, int32_t identifier,
                                             int16_t entryType);
    SymEntryInfo& addSymEntryWithColorIndex(int32_t colorIndex, int32_t identifier, int16_t entryType);
    SymEntryInfo& addSymEntryWithColorIndex(int32_t step, int32_t hue, int32_t identifier, int16_t entryType);
    SymEntryInfo& addSymEntryWithRed(uint16_t red, uint16_t green, uint16_t blue, const char* description,
                                     int32_t identifier, int16_t entryType);
    void removeAllSymEntries() { symEntries_.clear(); }

    // Null for an index out of range.
    ContentCategoryItem* childAtIndex(size_t index) const;
    const SymEntryInfo* symEntryAtIndex(size_t index) const;
    // The same entry to change in place (a colour picked for it).
    SymEntryInfo* mutableSymEntryAtIndex(size_t index) {
        return index < symEntries_.size() ? &symEntries_[index] : nullptr;
    }
    size_t numberOfChildren() const { return children_.size(); }
    size_t numberOfSymEntries() const { return symEntries_.size(); }
    const std::vector<SymEntryInfo>& symEntries() const { return symEntries_; }

    // Taken only when below the entry count; the old index stays otherwise. A rebuild keeps
    // the index even when the new entries are fewer, so readers compare it with the count.
    void setSelectionIndex(uint32_t index);
    void setCategoryName(const char* name) { categoryName_ = name ? name : ""; }
    void setFullPath(const char* path) { fullPath_ = path ? path : ""; }
    void setBaseTextureID(int32_t baseTextureID, uint32_t textureCount, const char* textureFilePrefix);
    void setExpanded(bool expanded) { expanded_ = expanded; }
    void setSelected(bool selected) { selected_ = selected; }
    void setCategoryType(int16_t type) { categoryType_ = type; }
    void setLibraryType(int16_t type) { libraryType_ = type; }
    void setBaseHue(int32_t hue) { baseHue_ = hue; }
    void setParentItem(ContentCategoryItem* parent) { parentItem_ = parent; }

    bool expanded() const { return expanded_; }
    bool selected() const { return selected_; }
    int16_t categoryType() const { return categoryType_; }
    int16_t libraryType() const { return libraryType_; }
    int32_t baseTextureID() const { return baseTextureID_; }
    int32_t baseHue() const { return baseHue_; }
    uint32_t textureCount() const { return textureCount_; }
    uint32_t selectionIndex() const { return selectionIndex_; }
    ContentCategoryItem* parentItem() const { return parentItem_; }
    const std::string& categoryName() const { return categoryName_; }
    const std::string& textureFilePrefix() const { return textureFilePrefix_; }
    const std::string& fullPath() const { return fullPath_; }
    const std::vector<std::unique_ptr<ContentCategoryItem>>& children() const { return children_; }

private:
    ContentCategoryItem() = default;
    ContentCategoryItem* appendChild(std::unique_ptr<ContentCategoryItem> child);

    bool expanded_ = false;
    bool selected_ = false;
    int16_t categoryType_ = 0;
    int16_t libraryType_ = 0;
    int32_t baseTextureID_ = 0;
    int32_t baseHue_ = 0;
    uint32_t textureCount_ = 0;
    uint32_t selectionIndex_ = 0;
    ContentCategoryItem* parentItem_ = nullptr;
    std::string categoryName_;
    std::string textureFilePrefix_;
    std::string fullPath_;
    std::vector<std::unique_ptr<ContentCategoryItem>> children_;
    std::vector<SymEntryInfo> symEntries_;
};
