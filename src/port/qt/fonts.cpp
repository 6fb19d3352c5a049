#include "port/qt/platform.h"

#include <QFont>
#include <QFontInfo>

namespace port::qt {

FontDescriptor QtFonts::fontFor(const LOGFONT& lf) {
    FontDescriptor d = DescribeLogFont(lf);
    QFont font(QString::fromStdString(d.family));
    if (d.pointSize > 0) font.setPointSizeF(d.pointSize);
    font.setItalic(d.traits & kItalicTrait);
    font.setBold(d.traits & kBoldTrait);
    d.family = QFontInfo(font).family().toStdString();
    return d;
}

} // namespace port::qt
