#include "content/core/content_category_item.h"

std::unique_ptr<ContentCategoryItem> ContentCategoryItem::initWithName(const char* name, const char* fullPath,
                                                                       ContentCategoryItem* parent,
                                                                       int16_t categoryType, int16_t libraryType) {
    std::unique_ptr<ContentCategoryItem> node(new ContentCategoryItem());
    node->setCategoryName(name);
    node->setFullPath(fullPath);
    node->parentItem_ = parent;
    node->categoryType_ = categoryType;
    node->libraryType_ = libraryType;
    return node;
}

ContentCategoryItem* ContentCategoryItem::appendChild(std::unique_ptr<ContentCategoryItem> child) {
    children_.push_back(std::move(child));
    return children_.back().get();
}

ContentCategoryItem* ContentCategoryItem::addChildWithName(const char* name, const char* fullPath,
                                                           ContentCategoryItem* parent, int16_t categoryType,
                                                           int16_t libraryType) {
    return appendChild(initWithName(name, fullPath, parent, categoryType, libraryType));
}

ContentCategoryItem* ContentCategoryItem::addChildWithName(const char* name, const char* fullPath,
                                                           ContentCategoryItem* parent, int16_t categoryType,
                                                           int16_t libraryType, int32_t baseTextureID,
                                                           uint32_t textureCount, const char* textureFilePrefix) {
    ContentCategoryItem* child = addChildWithName(name, fullPath, parent, categoryType, libraryType);
    child->setBaseTextureID(baseTextureID, textureCount, textureFilePrefix);
    return child;
}

ContentCategoryItem* ContentCategoryItem::addChildWithName(const char* name, ContentCategoryItem* parent,
                                                           int16_t categoryType, int16_t libraryType,
                                                           int32_t baseHue) {
    ContentCategoryItem* child = addChildWithName(name, nullptr, parent, categoryType, libraryType);
    child->baseHue_ = baseHue;
    return child;
}

SymEntryInfo& ContentCategoryItem::addSymEntryWithPreviewPath(const char* preview, const char* info,
                                                              const char* data, const char* description,
                                                              int32_t identifier, int16_t entryType) {
    return symEntries_.emplace_back(
        SymEntryInfo::initWithPreviewPath(preview, info, data, description, identifier, entryType));
}

SymEntryInfo& ContentCategoryItem::addSymEntryWithPreviewPath(const char* preview, const char* info,
                                                              const char* data, const char* description,
                                                              int32_t textureID, int32_t identifier,
                                                              int16_t entryType) {
    return symEntries_.emplace_back(
        SymEntryInfo::initWithPreviewPath(preview, info, data, description, textureID, identifier, entryType));
}

SymEntryInfo& ContentCategoryItem::addSymEntryWithColorIndex(int32_t colorIndex, int32_t identifier,
                                                             int16_t entryType) {
    return symEntries_.emplace_back(SymEntryInfo::initWithColorIndex(colorIndex, identifier, entryType));
}

SymEntryInfo& ContentCategoryItem::addSymEntryWithColorIndex(int32_t step, int32_t hue, int32_t identifier,
                                                             int16_t entryType) {
    return symEntries_.emplace_back(SymEntryInfo::initWithColorIndex(step, hue, identifier, entryType));
}

SymEntryInfo& ContentCategoryItem::addSymEntryWithRed(uint16_t red, uint16_t green, uint16_t blue,
                                                      const char* description, int32_t identifier,
                                                      int16_t entryType) {
    return symEntries_.emplace_back(SymEntryInfo::initWithRed(red, green, blue, description, identifier, entryType));
}

ContentCategoryItem* ContentCategoryItem::childAtIndex(size_t index) const {
    return index < children_.size() ? children_[index].get() : nullptr;
}

const SymEntryInfo* ContentCategoryItem::symEntryAtIndex(size_t index) const {
    return index < symEntries_.size() ? &symEntries_[index] : nullptr;
}

void ContentCategoryItem::setSelectionIndex(uint32_t index) {
    if (index < symEntries_.size()) selectionIndex_ = index;
}

void ContentCategoryItem::setBaseTextureID(int32_t baseTextureID, uint32_t textureCount,
                                           const char* textureFilePrefix) {
    baseTextureID_ = baseTextureID;
    textureCount_ = textureCount;
    textureFilePrefix_ = textureFilePrefix ? textureFilePrefix : "";
}
