// Plan hatches, outlines and text as they come out in an offscreen image.
#include "model/docstate.h"
#include "model/document_model.h"
#include "app/core/main_window_seams.h"
#include "plan/base_2d_view.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/plan_color.h"
#include "model/plan_objects.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "plan_image.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

const QRgb kCanvas = qRgb(128, 128, 128), kPlan = qRgb(255, 255, 0), kInk = qRgb(0, 0, 255),
           kEdge = qRgb(255, 0, 0);
constexpr RGBColor kInkColor{0, 0, 65535}, kEdgeColor{65535, 0, 0};
const QRect kInside(12, 12, 96, 96);

class PlanPixels : public dvxtest::DocumentTest {
protected:
    // Draws with the plan's antialiasing off into a fresh canvas.
    QImage Paint(const std::function<void(port::DrawingContext&)>& draw, QSize size = {130, 130},
                 int dpi = 96) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kCanvas);
        image.setDotsPerMeterX(int(dpi / 0.0254));
        image.setDotsPerMeterY(int(dpi / 0.0254));
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        draw(context);
        return image;
    }
    // The square (10, 10)-(110, 110), or its part from `left` to `right`.
    void Fill(int16_t pen, int16_t brush, int count = 4, int left = 10, int right = 110) {
        const POINT square[] = {{left, 10}, {right, 10}, {right, 110}, {left, 110}};
        view.draw2DPatternRegion(square, count, pen, brush, &kEdgeColor, &kInkColor, 1);
    }
    QImage Region(int16_t pen, int16_t brush, int count = 4) {
        return Paint([&](auto&) { Fill(pen, brush, count); });
    }

    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

using dvxtest::Count;

// Ink pixels with ink below right ("\") and above right ("/").
std::pair<int, int> Diagonals(const QImage& image) {
    int falling = 0, rising = 0;
    for (int y = kInside.top() + 1; y < kInside.bottom(); ++y)
        for (int x = kInside.left(); x < kInside.right(); ++x)
            if (image.pixel(x, y) == kInk) {
                falling += image.pixel(x + 1, y + 1) == kInk;
                rising += image.pixel(x + 1, y - 1) == kInk;
            }
    return {falling, rising};
}

TEST_F(PlanPixels, HatchesRepeatOverTheBackgroundAndStayWithThePlan) {
    doc->itsDocState->backgroundColor = {65535, 65535, 0};
    const QImage forward = Region(5, 2);
    forward.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/forward.png"));
    EXPECT_EQ(Count(forward, kPlan, kInside) + Count(forward, kInk, kInside), 96 * 96);
    EXPECT_GT(Count(forward, kInk, kInside), 96 * 96 / 10);
    for (int y = kInside.top(); y + 16 <= kInside.bottom(); ++y)
        for (int x = kInside.left(); x + 24 <= kInside.right(); ++x) {
            ASSERT_EQ(forward.pixel(x, y), forward.pixel(x + 24, y)) << x << "," << y;
            ASSERT_EQ(forward.pixel(x, y), forward.pixel(x, y + 16)) << x << "," << y;
        }
    EXPECT_GT(Diagonals(forward).first, 10 * Diagonals(forward).second);
    const QImage backward = Region(5, 1);
    EXPECT_GT(Diagonals(backward).second, 10 * Diagonals(backward).first);
    gPrinting = 1;
    EXPECT_EQ(Count(Region(5, 2), qRgb(255, 255, 255), kInside), Count(forward, kPlan, kInside));
    gPrinting = 0;

    const QImage halves = Paint([&](auto&) { Fill(5, 2, 4, 10, 60), Fill(5, 2, 4, 60); });
    EXPECT_EQ(halves.copy(kInside), forward.copy(kInside));
    const QImage scrolled = Paint([&](port::DrawingContext& context) {
        context.translate(7, 0);  // the plan and the view's origin 7 px further right
        Fill(5, 2);
    });
    EXPECT_EQ(scrolled.copy(kInside.translated(7, 0)), forward.copy(kInside));

    // On a finer device painted in points (a printer) the hatch keeps to the points.
    QImage fine(260, 260, QImage::Format_RGB32);
    fine.fill(kCanvas);
    QPainter painter(&fine);
    painter.scale(2, 2);
    {
        port::qt::QPainterContext context(painter);
        port::DrawingScope scope(context);
        Fill(5, 2);
    }
    int across = 0;
    for (int y = 30; y < 150; ++y)
        for (int x = 30; x < 150; ++x) {
            ASSERT_EQ(fine.pixel(x, y), fine.pixel(x + 48, y + 32)) << x << "," << y;
            across += fine.pixel(x, y) != fine.pixel(x + 24, y);
        }
    EXPECT_GT(across, 1000);
}

TEST_F(PlanPixels, PenAndBrushStylesOutlineAndFill) {
    const QImage dashed = Region(2, 3);  // runs of three along the top edge
    int row = 8;
    for (int y = 9; y <= 12; ++y)
        if (Count(dashed, kEdge, {10, y, 100, 1}) > Count(dashed, kEdge, {10, row, 100, 1})) row = y;
    std::vector<int> runs{0};
    for (int x = 14; x < 100; ++x) {
        ++runs.back();
        if ((dashed.pixel(x, row) == kEdge) != (dashed.pixel(x + 1, row) == kEdge)) runs.push_back(0);
    }
    ASSERT_GT(runs.size(), 20u);
    for (size_t i = 1; i + 1 < runs.size(); ++i) EXPECT_EQ(runs[i], 3) << i;

    const QImage filled = Region(5, 0);
    EXPECT_EQ(Count(filled, kEdge, filled.rect()), 0);
    EXPECT_GT(Count(filled, kInk, filled.rect()), 95 * 95);
    const QImage hollow = Region(0, -1);
    EXPECT_EQ(Count(hollow, kInk, hollow.rect()), 0);
    EXPECT_EQ(Count(hollow, kCanvas, kInside), 96 * 96);
    EXPECT_GT(Count(hollow, kEdge, hollow.rect()), 390);
    EXPECT_EQ(Count(Region(0, 0, 2), kCanvas, {0, 0, 130, 130}), 130 * 130);
}

QRect Ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kCanvas) box |= QRect(x, y, 1, 1);
    return box;
}

LOGFONT Font(const char* face, int32_t height, int32_t orientation = 0) {
    LOGFONT lf{};
    std::strncpy(lf.lfFaceName, face, sizeof lf.lfFaceName - 1);
    lf.lfHeight = height, lf.lfOrientation = orientation;
    return lf;
}

TEST_F(PlanPixels, TextKeepsItsSizeTurnAndAlignment) {
    const LOGFONT arial = Font("Arial", -28);
    EXPECT_EQ(view.textMetricsForString("", &arial).width, 0);
    const PlatformRect wide{0, 0, 200, 60};
    auto boxed = [&](const char* text, int16_t alignment, int dpi = 96) {
        return Ink(Paint([&](auto&) { view.drawStdText(text, &wide, &arial, &kInkColor, alignment); },
                         {200, 60}, dpi));
    };
    EXPECT_NEAR(boxed("Hg", 0).height(), 28, 3);
    EXPECT_EQ(boxed("Hg", 0, 192).height(), boxed("Hg", 0).height());
    EXPECT_LE(boxed("Hi", 0).left(), 4);
    EXPECT_NEAR(boxed("Hi", 1).center().x(), 100, 3);
    EXPECT_NEAR(boxed("Hi", 2).right(), 199, 4);

    for (int32_t orientation : {0, 900}) {
        const LOGFONT lf = Font("Arial", -28, orientation);
        const PlatformRect box{90, 95, 20, 10};  // smaller than the text, which it does not clip
        const QRect ink = Ink(Paint([&](auto&) { view.drawText("Hello", &box, &lf, &kInkColor); },
                                    {200, 200}));
        EXPECT_EQ(ink.height() > ink.width(), orientation == 900) << orientation;
        EXPECT_GT(std::max(ink.width(), ink.height()), 55) << orientation;
        EXPECT_NEAR(ink.center().x(), 100, 4) << orientation;
        EXPECT_NEAR(ink.center().y(), 100, 5) << orientation;
        // Drawn again with its layout kept, 20 to the left: the same pixels, moved.
        auto paint = [&](float x) { const PlatformRect b{x, 95, 20, 10}; return Paint([&](auto&) { view.drawText("Hello", &b, &lf, &kInkColor); }, {200, 200}); };
        EXPECT_EQ(paint(70).copy(0, 0, 180, 200), paint(90).copy(20, 0, 180, 200)) << orientation;
    }

    const QFont unknown = port::qt::FontForLogFont(Font("No Face Like This", -20));
    EXPECT_EQ(QFontInfo(unknown).family(),
              QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    EXPECT_EQ(unknown.pixelSize(), 20);
    LOGFONT styled = Font("Arial", 5);
    styled.lfItalic = 1, styled.lfWeight = 700;
    const QFontInfo info(port::qt::FontForLogFont(styled));
    EXPECT_TRUE(info.italic() && info.weight() == QFont::Bold && info.pixelSize() == 12);
    EXPECT_EQ(port::qt::MeasureText("\xBC", arial)->width,
              QFontMetricsF(port::qt::FontForLogFont(arial)).horizontalAdvance(QStringLiteral("\u00BA")));
}

TEST_F(PlanPixels, ReadoutSitsInABackgroundBoxAcrossItsLine) {
    DocState* ds = doc->itsDocState;
    ds->zoomFactor = 1, ds->font = Font("Arial", -16), ds->backgroundColor = {65535, 65535, 0}, ds->penColor = kInkColor;
    SetMainWindowDocumentViewHandler([this] { return &view; });
    // The dimension line runs at y = 85 (offset 0 + 15 above the measured points).
    const QImage image = Paint([&](port::DrawingContext& context) {
        context.setStrokeColor(PlanColor(kEdgeColor));
        DrawDimensionLine(nullptr, 10, 100, 120, 100, 10, 100, 120, 100, 1, 0, 0, this, this, 0, 0, 0, 0, nullptr);
    });
    int left = 65, right = 65;
    while (left > 10 && image.pixel(left, 85) != kEdge) --left;
    while (right < 120 && image.pixel(right, 85) != kEdge) ++right;
    const QRect box(left + 1, 78, right - left - 1, 15);  // the box covers the line in its middle
    EXPECT_TRUE(left > 15 && right < 115 && Count(image, kEdge, box) == 0) << left << " " << right;
    EXPECT_GT(Count(image, kPlan, box), box.width() * box.height() / 3);
    int ink = 0, inkOutside = 0;  // antialiased text: more blue than red
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 64) ++(box.contains(x, y) ? ink : inkOutside);
    EXPECT_TRUE(ink > 30 && inkOutside == 0) << ink << " " << inkOutside;
}

}  // namespace
