#include "content/content_category_model.h"

#include "port/macroman.h"

void ContentCategoryModel::setRoot(const ContentCategoryList* root) {
    beginResetModel();
    root_ = root;
    endResetModel();
}

void ContentCategoryModel::reloadItem(const ContentCategoryItem* item) {
    const QModelIndex at = indexOf(item);
    if (at.isValid()) emit dataChanged(at, at);
}

ContentCategoryItem* ContentCategoryModel::itemAt(const QModelIndex& index) {
    return index.isValid() ? static_cast<ContentCategoryItem*>(index.internalPointer()) : nullptr;
}

int ContentCategoryModel::rowOf(const ContentCategoryItem* item) const {
    const ContentCategoryItem* parent = item ? item->parentItem() : nullptr;
    const ContentCategoryList* siblings = parent ? &parent->children() : root_;
    if (!item || !siblings) return -1;
    for (size_t i = 0; i < siblings->size(); ++i)
        if ((*siblings)[i].get() == item) return int(i);
    return -1;
}

QModelIndex ContentCategoryModel::indexOf(const ContentCategoryItem* item) const {
    const int row = rowOf(item);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<ContentCategoryItem*>(item));
}

QModelIndex ContentCategoryModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column != 0) return {};
    if (ContentCategoryItem* node = itemAt(parent)) {
        ContentCategoryItem* child = node->childAtIndex(size_t(row));
        return child ? createIndex(row, 0, child) : QModelIndex();
    }
    if (!root_ || size_t(row) >= root_->size()) return {};
    return createIndex(row, 0, (*root_)[size_t(row)].get());
}

QModelIndex ContentCategoryModel::parent(const QModelIndex& child) const {
    const ContentCategoryItem* node = itemAt(child);
    return node && node->parentItem() ? indexOf(node->parentItem()) : QModelIndex();
}

int ContentCategoryModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    if (const ContentCategoryItem* node = itemAt(parent)) return int(node->numberOfChildren());
    return root_ ? int(root_->size()) : 0;
}

int ContentCategoryModel::columnCount(const QModelIndex&) const { return 1; }

bool ContentCategoryModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QVariant ContentCategoryModel::data(const QModelIndex& index, int role) const {
    const ContentCategoryItem* node = itemAt(index);
    if (!node || role != Qt::DisplayRole) return {};
    return QString::fromStdString(port::MacRomanToUtf8(node->categoryName()));
}
