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
#include <string>

namespace {

const QColor kPaper(230, 240, 200);

LOGFONT Font(int32_t height, uint8_t italic = 0) {
    LOGFONT lf{};
    std::strncpy(lf.lfFaceName, "Arial", sizeof lf.lfFaceName - 1);
    lf.lfHeight = height, lf.lfItalic = italic;
    return lf;
}

QImage Canvas(const std::function<void(QPainter&)>& draw) {
    QImage image(220, 220, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    draw(painter);
    return image;
}

// The largest difference of one channel between two images.
int Farthest(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

struct Row {
    double turn, scale, x;
    LOGFONT font;
    port::Color colour;
    bool boxed;
};

class KeptText : public ::testing::Test {
protected:
    void SetUp() override { dvxtest::ResetAllGlobals(); }
    void TearDown() override { dvxtest::ResetAllGlobals(); }
};

TEST_F(KeptText, LooksAsQtDrawsItFirstAndLaterAndStaysBounded) {
    const Row rows[] = {
        {0, 1, 110, Font(-14), {0, 0, 0, 1}, false},
        {33, 0.6, 110.3, Font(-14), {0.8f, 0.1f, 0.1f, 1}, false},
        {-90, 2.5, 110.77, Font(-9, 1), {0, 0, 1, 0.5f}, false},
        {171.5, 0.2, 109.5, Font(-40), {0, 0, 0, 1}, false},
        {0, 1, 20.4, Font(-14), {0, 0, 0, 1}, true},
    };
    const char* text = "12' 3 1/2\"\rHello";
    for (const Row& r : rows) {
        const QColor colour = QColor::fromRgbF(r.colour.red, r.colour.green, r.colour.blue, r.colour.alpha);
        const QFont font = port::qt::FontForLogFont(r.font);
        auto transform = [&](QPainter& p) {
            p.translate(r.x, 100.6), p.rotate(r.turn), p.scale(r.scale, r.scale);
            p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        };
        auto kept = [&](QPainter& p) {
            transform(p);
            port::qt::QPainterContext context(p);
            port::DrawingScope scope(context);
            context.setAntialiasing(true), context.setFillColor(r.colour);
            if (r.boxed) context.drawTextInRect(text, r.font, {0, 0, 180, 60}, port::TextAlignment::Center);
            else context.drawTextAt(text, r.font, {-30, -10});
        };
        auto qt = [&](QPainter& p) {
            transform(p);
            p.setPen(colour), p.setFont(font);
            if (r.boxed) return p.drawText(QRectF(0, 0, 180, 60), Qt::AlignHCenter | Qt::TextWordWrap, "12' 3 1/2\"\nHello");
            p.drawStaticText(QPointF(-30, -10), QStaticText("12' 3 1/2\""));
            p.drawStaticText(QPointF(-30, -10 + QFontMetricsF(font).lineSpacing()), QStaticText("Hello"));
        };
        const QImage first = Canvas(kept), later = Canvas(kept), direct = Canvas(qt);
        const std::string where = "turn " + std::to_string(r.turn) + " scale " + std::to_string(r.scale);
        EXPECT_NE(first, Canvas([](QPainter&) {})) << where;
        EXPECT_EQ(first, later) << where;
        // Blending the kept image rounds edge pixels apart by a level or two, no more.
        EXPECT_LE(Farthest(first, direct), 2) << where;
    }

    // Printers and recordings keep their text as text.
    const std::size_t before = port::qt::TextImageBytes();
    QPicture picture;
    {
        port::qt::QPainterContext context(&picture);
        port::DrawingScope scope(context);
        context.drawTextAt("Printed", Font(-14), {10, 10});
    }
    EXPECT_EQ(port::qt::TextImageBytes(), before);

    // Large text past the budget: the oldest images go.
    for (int i = 0; i < 150; ++i)
        Canvas([&](QPainter& p) {
            port::qt::QPainterContext context(p);
            port::DrawingScope scope(context);
            context.drawTextAt(("Wide label " + std::to_string(i)).c_str(), Font(-150), {0, 0});
        });
    EXPECT_GT(port::qt::TextImageBytes(), port::qt::TextImageBudget() / 2);
    EXPECT_LE(port::qt::TextImageBytes(), port::qt::TextImageBudget());
}

}  // namespace
