#pragma once
// The floor of a plan frame drawn through the index: the segments that meet the view, stroked
// in one batched call through the Qt painter context (for the benchmark programs that link Qt).
#include <QImage>

#include <vector>

#include "bench_support.h"
#include "port/qt/painter_context.h"

namespace dvxbench {

// Seconds of the fastest of five runs of stroking the segments (x1, y1, x2, y2 each) in one
// call, `dx`, `dy` moving them onto a surface of the size.
inline double BatchedStrokeSeconds(const std::vector<double>& segments, int width, int height, double dx, double dy) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    port::qt::QPainterContext context(&image);
    context.setAntialiasing(false);
    std::vector<port::Point> points;
    points.reserve(segments.size() / 2);
    for (size_t i = 0; i + 1 < segments.size(); i += 2) points.push_back({segments[i] + dx, segments[i + 1] + dy});
    return BestSeconds(5, [&] {
        context.strokeLineSegments(points);
        context.flush();
    });
}

}  // namespace dvxbench
