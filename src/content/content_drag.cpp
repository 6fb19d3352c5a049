#include "content/content_drag.h"

#include <QEasingCurve>
#include <QGuiApplication>
#include <QPainter>
#include <QVariantAnimation>

#include "model/content_types.h"

std::unique_ptr<ContentDragMimeData> ContentDragMimeData::forEntry(int16_t libraryType, const SymEntryInfo& entry) {
    const content::ContentDrag drag = content::DragOfLibrary(libraryType);
    if (drag == content::ContentDrag::None) return nullptr;
    const std::vector<uint8_t> bytes = entry.encodeSymEntry();
    QByteArray record(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    const char* routing = drag == content::ContentDrag::Content3D ? kContent3DDNDPboardType : kContent2DDNDPboardType;
    return std::unique_ptr<ContentDragMimeData>(new ContentDragMimeData(routing, std::move(record)));
}

QStringList ContentDragMimeData::formats() const { return {routing_}; }

bool ContentDragMimeData::hasFormat(const QString& mimeType) const {
    return mimeType == routing_ || mimeType == QLatin1String(kContent3DDNDPboardType);
}

QVariant ContentDragMimeData::retrieveData(const QString& mimeType, QMetaType) const {
    if (mimeType == QLatin1String(kContent3DDNDPboardType)) return record_;
    return {};
}

QImage ContentDragImage() {
    QImage image(17, 17, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(7, 0, 3, 17), Qt::white);
    p.fillRect(QRect(0, 7, 17, 3), Qt::white);
    p.setPen(QPen(Qt::black, 0));
    p.drawLine(8, 0, 8, 16);
    p.drawLine(0, 8, 16, 8);
    return image;
}

DragSlideBack::DragSlideBack(const QPixmap& picture, QPoint hotSpot)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      picture_(picture),
      hotSpot_(hotSpot) {
    setObjectName(QStringLiteral("dragSlideBack"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(picture_.deviceIndependentSize().toSize());
}

DragSlideBack* DragSlideBack::start(const QPixmap& picture, QPoint hotSpot, QPoint from, QPoint to) {
    const QString platform = QGuiApplication::platformName();
    if (picture.isNull() || platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("offscreen"))
        return nullptr;
    auto* slide = new DragSlideBack(picture, hotSpot);
    slide->move(from - hotSpot);
    slide->show();
    auto* motion = new QVariantAnimation(slide);
    motion->setStartValue(QPointF(from - hotSpot));
    motion->setEndValue(QPointF(to - hotSpot));
    motion->setDuration(kMilliseconds);
    motion->setEasingCurve(QEasingCurve::OutCubic);
    connect(motion, &QVariantAnimation::valueChanged, slide, [slide](const QVariant& at) { slide->move(at.toPointF().toPoint()); });
    connect(motion, &QVariantAnimation::finished, slide, &QWidget::close);
    motion->start();
    return slide;
}

void DragSlideBack::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawPixmap(0, 0, picture_);
}
