#pragma once
// What a drag out of the preview grid carries. The format list names only the routing type
// (the live view takes the 3D one, the plan view the 2D one), while the entry's record is
// answered under the 3D type whichever was listed, as both drop sites read it there: so a
// drop site routes on formats() and reads with hasFormat()/data() of the 3D type.
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "model/sym_entry.h"

class ContentDragMimeData : public QMimeData {
    Q_OBJECT
public:
    // Null for library types that make no drag (custom doors and windows).
    static std::unique_ptr<ContentDragMimeData> forEntry(int16_t libraryType, const SymEntryInfo& entry);

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    ContentDragMimeData(const char* routing, QByteArray record) : routing_(routing), record_(std::move(record)) {}
    QString routing_;
    QByteArray record_;
};

// The 17 x 17 cross shown under the pointer while dragging.
QImage ContentDragImage();

// A drag that ends without a drop shows its picture going back to where it began. Qt's own drag
// has no such ending (its picture just vanishes when the drag returns), so this draws it: a
// frameless window that takes no input, carrying the picture from `from` to `to` (global
// points under the picture's hot spot) in a quarter second, then closing itself. None where the
// window system does not let a program place its windows (Wayland) or without a screen.
class DragSlideBack : public QWidget {
    Q_OBJECT
public:
    static DragSlideBack* start(const QPixmap& picture, QPoint hotSpot, QPoint from, QPoint to);
    static constexpr int kMilliseconds = 250;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DragSlideBack(const QPixmap& picture, QPoint hotSpot);
    QPixmap picture_;
    QPoint hotSpot_;
};
