#pragma once
// The content palette's preview grid: the entries of one category node as square previews
// (images, or colour swatches), a click selecting one, a drag carrying it to the plan or the
// live view, and the entry under the pointer described in the status bar.
#include <QImage>
#include <QString>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "content/core/preview_grid.h"

class ContentCategoryItem;
class QScrollArea;

class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(QWidget* parent = nullptr);

    ContentCategoryItem* cacheSource() const { return cacheSource_; }
    // Empties the cache and takes the node (not owned); no redraw.
    void invalidateCacheAndSetNewSource(ContentCategoryItem* item);
    void setFadeVisibleRect(bool fade) { fadeVisibleRect_ = fade; }
    bool fadeVisibleRect() const { return fadeVisibleRect_; }
    bool ignoreDragEvents() const { return ignoreDragEvents_; }
    // Makes the previews of the source's entries again, at the preview size read now.
    void rebuildPreviewCache();
    content::GridSize optimalViewSize() const;
    // Sizes the view to the grid its scroll area's visible part needs; done again whenever
    // that part changes size, and settled by the size alone.
    void fitToVisibleArea();
    // From "PreviewSizeKey", read afresh.
    static int previewSizeFromUserDefaults();
    void makeSelectedItemVisible();
    // How many previews the cache holds, and the one at `i` (decoded if it was not yet).
    size_t previewCount() const { return previewCache_.size(); }
    QImage previewAt(size_t i) const;
    // The picture of the last drag that found no drop on its way back, while it moves.
    QWidget* slideBackWindow() const { return slideBack_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // A preview: an image made at the rebuild, or a file read when first drawn.
    struct Preview {
        mutable QImage image;
        QString path;
    };
    // A region of the last paint whose entering sets the status text.
    struct TrackingArea {
        QRectF rect;
        QString description;
    };
    QScrollArea* enclosingScrollArea() const;
    QRectF visibleRect() const;
    bool hasEntries() const;
    // `from`: where the drag began (view coordinates), which a failed drop slides back to.
    void startDrag(QPointF from);
    void showTrackingAreaAt(QPointF at);

    bool ignoreDragEvents_ = false;
    bool fadeVisibleRect_ = false;
    ContentCategoryItem* cacheSource_ = nullptr;
    int previewSize_ = 70;
    std::vector<Preview> previewCache_;
    std::vector<TrackingArea> trackingAreas_;
    // The area whose text the status bar shows (-1: none entered yet).
    int enteredArea_ = -1;
    QPointF pressedAt_;
    bool pressed_ = false;
    QPointer<QWidget> slideBack_;
    // The widget whose size is the visible part (the scroll area's viewport) and is watched.
    QPointer<QWidget> watchedParent_;
};
