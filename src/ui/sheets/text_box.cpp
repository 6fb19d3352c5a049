#include "ui/sheets/text_box.h"

#include <QMimeData>

namespace {

bool HasAFormat(const QMimeData* source) { return source && !source->formats().isEmpty(); }

}  // namespace

bool TextBox::canInsertFromMimeData(const QMimeData* source) const {
    return HasAFormat(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (HasAFormat(source)) QPlainTextEdit::insertFromMimeData(source);
}
