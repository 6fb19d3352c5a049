#pragma once
// What a drag out of the preview grid carries. The format list names only the routing type
// (the live view takes the 3D one, the plan view the 2D one), while the entry's record is
// answered under the 3D type whichever was listed, as both drop sites read it there: so a
// drop site routes on formats() and reads with hasFormat()/data() of the 3D type.
#include <QImage>
#include <QMimeData>
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
