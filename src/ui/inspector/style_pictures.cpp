#include "ui/inspector/style_pictures.h"

#include <QPainter>

#include "ui/tool_pictures.h"

QImage StylePicture(const QString& name) {
    constexpr int kSize = 48;
    QImage picture = RenderToolPicture(name, kSize, Qt::black);
    if (!picture.isNull()) return picture;
    picture = QImage(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.drawRect(0, 0, kSize - 1, kSize - 1);
    return picture;
}
