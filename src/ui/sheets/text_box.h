#pragma once
// The program's multi-line text box. Qt's own box reads the first format of pasted data without
// asking whether there is one: a paste from a clipboard or selection that holds no format (none
// set, its owner gone, or only targets Qt does not name) would read past an empty list and end
// the program. This box takes a paste only of data that has a format; the rest is Qt's.
#include <QPlainTextEdit>

class QMimeData;

class TextBox : public QPlainTextEdit {
public:
    explicit TextBox(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
