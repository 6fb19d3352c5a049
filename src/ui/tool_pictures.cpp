#include "ui/tool_pictures.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

const QString kLocked = QStringLiteral("Lock");

QByteArray Drawing(const QString& name) {
    QFile file(QStringLiteral(":/pictures/") + name + QStringLiteral(".svg"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The drawings are made in black; the ink takes its place.
void Draw(QPainter& painter, const QByteArray& svg, const QColor& ink, const QRectF& where) {
    QByteArray inked = svg;
    inked.replace("#000000", ink.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(inked);
    if (renderer.isValid()) renderer.render(&painter, where);
}

}  // namespace

bool HasToolPicture(const QString& name) {
    if (name.isEmpty()) return false;
    if (name.endsWith(kLocked) && name != kLocked) return HasToolPicture(name.chopped(kLocked.size()));
    return QFile::exists(QStringLiteral(":/pictures/") + name + QStringLiteral(".svg"));
}

QImage RenderToolPicture(const QString& name, int pixels, const QColor& ink) {
    if (!HasToolPicture(name) || pixels <= 0) return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = pixels;
    if (name.endsWith(kLocked) && name != kLocked) {
        // The mode's picture shrunk to the top left, the padlock over the bottom right.
        Draw(painter, Drawing(name.chopped(kLocked.size())), ink, QRectF(0, 0, side * 0.72, side * 0.72));
        Draw(painter, Drawing(kLocked), ink, QRectF(side * 0.45, side * 0.45, side * 0.55, side * 0.55));
    } else {
        Draw(painter, Drawing(name), ink, QRectF(0, 0, side, side));
    }
    return image;
}

QIcon ToolPicture(const QString& name) {
    if (!HasToolPicture(name)) return {};
    const QPalette palette = QApplication::palette();
    QIcon icon;
    for (int pixels : {16, 24, 32}) {
        icon.addPixmap(QPixmap::fromImage(RenderToolPicture(name, pixels, palette.color(QPalette::ButtonText))),
                       QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(RenderToolPicture(
                           name, pixels, palette.color(QPalette::Disabled, QPalette::ButtonText))),
                       QIcon::Disabled);
    }
    return icon;
}
