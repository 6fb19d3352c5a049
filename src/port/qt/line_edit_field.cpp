#include "port/qt/line_edit_field.h"

#include <QLineEdit>

#include "port/macroman.h"

namespace port::qt {

std::string LineEditField::text() const {
    if (!edit_) return {};
    return Utf8ToMacRoman(edit_->text().toStdString());
}

void LineEditField::setText(std::string_view macRoman) {
    if (edit_) edit_->setText(QString::fromStdString(MacRomanToUtf8(macRoman)));
}

bool LineEditField::isEnabled() const { return edit_ && edit_->isEnabled(); }

void LineEditField::setEnabled(bool enabled) {
    if (edit_) edit_->setEnabled(enabled);
}

}  // namespace port::qt
