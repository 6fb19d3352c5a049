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

FontDescriptor DescribeQFont(const QFont& font) {
    FontDescriptor d;
    d.family = font.family().toStdString();
    d.pointSize = static_cast<float>(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize());
    if (font.italic()) d.traits |= kItalicTrait;
    if (font.bold()) d.traits |= kBoldTrait;
    return d;
}

} // namespace port::qt
