#pragma once
// The font a sheet has selected, shown and changed in the font panel beside it. The panel is
// not modal: the sheet stays up while it is open and takes each font chosen there.
#include <QFont>
#include <QObject>
#include <QPointer>

#include "port/winrecords.h"

#include <QFontDialog>
class QWidget;

class FontSelection : public QObject {
    Q_OBJECT
public:
    explicit FontSelection(QWidget* owner);
    // The font of the record's name, size (12 when it gives none) and traits; the system font
    // of that size when no family has the name.
    static QFont fontForRecord(const LOGFONT& record);

    void selectRecord(const LOGFONT& record) { setSelectedFont(fontForRecord(record)); }
    void setSelectedFont(const QFont& font);
    const QFont& selectedFont() const { return font_; }
    // The record of the selected font: minus its point size, weight 700 when bold, italic,
    // the family cut to 31 bytes.
    LOGFONT selectedRecord() const;
    // Brings the font panel forward showing the selected font.
    void showPanel();
    QFontDialog* panel() const { return panel_; }

signals:
    void changed(const QFont& font);

private:
    QWidget* owner_;
    QFont font_;
    QPointer<QFontDialog> panel_;
};
