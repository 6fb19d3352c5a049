// Turned and scaled text drawn from kept images looks as Qt draws it, the first time and after.
#include "port/qt/painter_context.h"
#include "port/qt/text_image_cache.h"
#include "support/fixture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QStaticText>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

LOGFONT Font(int32_t height, uint8_t italic = 0) {
    LOGFONT lf{.lfHeight = height, .lfItalic = italic};
    std::strncpy(lf.lfFaceName, "Arial", sizeof lf.lfFaceName - 1);
    return lf;
}

QImage Canvas(const std::function<void(QPainter&)>& draw, double ratio = 1) {
    QImage image(220, 220, QImage::Format_RGB32);
    image.fill(QColor(230, 240, 200));
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// The largest difference of one channel between two images.
int Farthest(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16}) most = std::max(most, std::abs(int((a.pixel(x, y) >> shift) & 0xff) - int((b.pixel(x, y) >> shift) & 0xff)));
    return most;
}

// Draws through a context on the painter, or on a fresh one on `device`.
void Draw(QPainter* painter, QPaintDevice* device, const std::function<void(port::DrawingContext&)>& draw) {
    auto context = painter ? std::make_unique<port::qt::QPainterContext>(*painter) : std::make_unique<port::qt::QPainterContext>(device);
    port::DrawingScope scope(*context);
    draw(*context);
}

TEST(KeptText, LooksAsQtDrawsItFirstAndLaterAndStaysBounded) {
    dvxtest::ResetAllGlobals();
    // Printers and recordings keep their text as text.
    QPicture picture;
    Draw(nullptr, &picture, [](port::DrawingContext& c) { c.drawTextAt("Printed", Font(-14), {10, 10}); });
    EXPECT_EQ(port::qt::TextImageBytes(), 0u);

    const struct {
        double turn, scale, x, ratio;
        LOGFONT font;
        port::Color colour;
        bool boxed;
    } rows[] = {
        {33, 0.6, 110.3, 1, Font(-14), {0.8f, 0.1f, 0.1f, 1}, false},
        {33, 0.6, 110.3, 1, Font(-14, 1), {0.8f, 0.1f, 0.1f, 1}, false},
        {-90, 2.5, 110.77, 1, Font(-9, 1), {0, 0, 1, 0.5f}, false},
        {171.5, 0.2, 109.5, 1, Font(-40), {0, 0, 0, 1}, false},
        {0, 1, 20.4, 1, Font(-14), {0, 0, 0, 1}, true},
        {20, 1, 50.3, 2, Font(-14), {0, 0, 0, 1}, false},  // a high-density surface
    };
    for (const auto& r : rows) {
        auto transform = [&](QPainter& p) {
            p.translate(r.x, 100.6), p.rotate(r.turn), p.scale(r.scale, r.scale);
            p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        };
        auto kept = [&](QPainter& p) {
            transform(p);
            Draw(&p, nullptr, [&](port::DrawingContext& c) {
                c.setAntialiasing(true), c.setFillColor(r.colour);
                if (r.boxed) c.drawTextInRect("12' 3 1/2\"\rHello", r.font, {0, 0, 180, 60}, port::TextAlignment::Center);
                else c.drawTextAt("12' 3 1/2\"\rHello", r.font, {-30, -10});
            });
        };
        auto qt = [&](QPainter& p) {
            const QFont font = port::qt::FontForLogFont(r.font);
            transform(p);
            p.setPen(QColor::fromRgbF(r.colour.red, r.colour.green, r.colour.blue, r.colour.alpha)), p.setFont(font);
            if (r.boxed) return p.drawText(QRectF(0, 0, 180, 60), Qt::AlignHCenter | Qt::TextWordWrap, "12' 3 1/2\"\nHello");
            p.drawStaticText(QPointF(-30, -10), QStaticText("12' 3 1/2\""));
            p.drawStaticText(QPointF(-30, -10 + QFontMetricsF(font).lineSpacing()), QStaticText("Hello"));
        };
        const QImage first = Canvas(kept, r.ratio), later = Canvas(kept, r.ratio);
        EXPECT_NE(first, Canvas([](QPainter&) {}, r.ratio)) << r.turn;
        EXPECT_EQ(first, later) << r.turn;
        // Blending the kept image rounds edge pixels apart by a level or two, no more.
        EXPECT_LE(Farthest(first, Canvas(qt, r.ratio)), 2) << r.turn;
    }

    // Large text past the budget: the oldest images go.
    for (int i = 0; i < 150; ++i)
        Canvas([&](QPainter& p) { Draw(&p, nullptr, [&](auto& c) { c.drawTextAt(("Wide label " + std::to_string(i)).c_str(), Font(-150), {0, 0}); }); });
    EXPECT_GT(port::qt::TextImageBytes(), port::qt::TextImageBudget() / 2);
    EXPECT_LE(port::qt::TextImageBytes(), port::qt::TextImageBudget());
    dvxtest::ResetAllGlobals();
}

}  // namespace
