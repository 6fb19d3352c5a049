#pragma once
// The category outline's model: the top-level nodes of one section's tree and their children,
// one column, the node's name. The tree is the palette's; the model only points into it.
#include <QAbstractItemModel>

#include "content/core/content_category_item.h"

class ContentCategoryModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using QAbstractItemModel::QAbstractItemModel;

    // Shows another tree (null: none), as a reload of the outline.
    void setRoot(const ContentCategoryList* root);
    const ContentCategoryList* root() const { return root_; }
    static ContentCategoryItem* itemAt(const QModelIndex& index);
    // The index of a node shown by this model; invalid for none.
    QModelIndex indexOf(const ContentCategoryItem* item) const;
    // The node's row shows its name again.
    void reloadItem(const ContentCategoryItem* item);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int rowOf(const ContentCategoryItem* item) const;
    const ContentCategoryList* root_ = nullptr;
};
