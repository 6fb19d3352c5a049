#pragma once
// The current design's plan frame painted into a white offscreen image, aliased, with the plan
// origin at (originX, originY).
#include <QImage>

#include "model/document_model.h"
#include "plan/plan_frame.h"
#include "port/qt/painter_context.h"

namespace dvxtest {

inline QImage PaintPlan(QMDDocumentModel* doc, int width, int height, int originX = 0, int originY = 0,
                        RECT update = {}) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        port::qt::QPainterContext painter(&image);
        port::DrawingScope drawing(painter);
        painter.setAntialiasing(false);
        if (originX || originY) painter.translate(originX, originY);
        DrawAllLayers(nullptr, doc->itsLayers, &update, drawflag::kAll, nullptr);
    }
    return image;
}

// Pixels of exactly `colour` inside `area`.
inline int Count(const QImage& image, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

}  // namespace dvxtest
