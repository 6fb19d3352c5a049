// Plan hatches and text as they come out in an offscreen image.
#include "plan/base_2d_view.h"
#include "plan/plan_objects.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

const QRgb kCanvas = qRgb(128, 128, 128), kPlan = qRgb(255, 255, 0), kInk = qRgb(0, 0, 255),
           kEdge = qRgb(255, 0, 0), kWhite = qRgb(255, 255, 255);
constexpr RGBColor kInkColor{0, 0, 65535}, kEdgeColor{65535, 0, 0};

class PlanPixels : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->backgroundColor = {65535, 65535, 0};
    }

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
    QImage Region(int16_t pen, int16_t brush, int count = 4, int left = 10, int right = 110) {
        const POINT square[] = {{left, 10}, {right, 10}, {right, 110}, {left, 110}};
        return Paint([&](auto&) {
            view.draw2DPatternRegion(square, count, pen, brush, &kEdgeColor, &kInkColor, 1);
        });
    }

    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

int Count(const QImage& image, QRgb colour, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

// Pairs of ink pixels along each diagonal: "\" falls left to right, "/" rises.
std::pair<int, int> DiagonalPairs(const QImage& image, QRgb ink, QRect area) {
    int falling = 0, rising = 0;
    for (int y = area.top() + 1; y < area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x) {
            if (image.pixel(x, y) != ink) continue;
            falling += image.pixel(x + 1, y + 1) == ink;
            rising += image.pixel(x + 1, y - 1) == ink;
        }
    return {falling, rising};
}

TEST_F(PlanPixels, HatchedRegionsRepeatOverTheBackground) {
    const QRect inside(12, 12, 96, 96);
    const QImage forward = Region(5, 2);
    EXPECT_EQ(Count(forward, kPlan, inside) + Count(forward, kInk, inside), 96 * 96);
    EXPECT_GT(Count(forward, kInk, inside), 96 * 96 / 10);
    for (int y = inside.top(); y + 16 <= inside.bottom(); ++y)
        for (int x = inside.left(); x + 24 <= inside.right(); ++x) {
            ASSERT_EQ(forward.pixel(x, y), forward.pixel(x + 24, y)) << x << "," << y;
            ASSERT_EQ(forward.pixel(x, y), forward.pixel(x, y + 16)) << x << "," << y;
        }
    const auto [fFalling, fRising] = DiagonalPairs(forward, kInk, inside);
    EXPECT_GT(fFalling, 10 * fRising);
    const QImage backward = Region(5, 1);
    const auto [bFalling, bRising] = DiagonalPairs(backward, kInk, inside);
    EXPECT_GT(bRising, 10 * bFalling);

    gPrinting = 1;
    const QImage printed = Region(5, 2);
    EXPECT_EQ(Count(printed, kWhite, inside) + Count(printed, kInk, inside), 96 * 96);

    // Two halves hatch as one region; a view scrolled by 7 px carries the hatch along.
    gPrinting = 0;
    const QImage halves = Paint([&](auto&) {
        const POINT left[] = {{10, 10}, {60, 10}, {60, 110}, {10, 110}};
        const POINT right[] = {{60, 10}, {110, 10}, {110, 110}, {60, 110}};
        view.draw2DPatternRegion(left, 4, 5, 2, &kEdgeColor, &kInkColor, 1);
        view.draw2DPatternRegion(right, 4, 5, 2, &kEdgeColor, &kInkColor, 1);
    });
    EXPECT_EQ(halves.copy(inside), forward.copy(inside));
    const QImage scrolled = Paint([&](port::DrawingContext& context) {
        context.translate(7, 0);  // the view's origin now lies 7 px further right
        const POINT square[] = {{10, 10}, {110, 10}, {110, 110}, {10, 110}};
        view.draw2DPatternRegion(square, 4, 5, 2, &kEdgeColor, &kInkColor, 1);
    });
    EXPECT_EQ(scrolled.copy(inside.translated(7, 0)), forward.copy(inside));
}

TEST_F(PlanPixels, PenStylesOutlineOrNot) {
    // Dashed: runs of three along the top edge.
    const QImage dashed = Region(2, 3);
    int row = 8;
    for (int y = 8; y <= 12; ++y)
        if (Count(dashed, kEdge, {10, y, 100, 1}) > Count(dashed, kEdge, {10, row, 100, 1})) row = y;
    int run = 0;
    std::vector<int> runs;
    for (int x = 14; x < 100; ++x) {
        const bool on = dashed.pixel(x, row) == kEdge, next = dashed.pixel(x + 1, row) == kEdge;
        run += 1;
        if (on != next) runs.push_back(run), run = 0;
    }
    runs.erase(runs.begin());  // the first run started mid-dash
    for (int r : runs) EXPECT_EQ(r, 3);
    EXPECT_GT(runs.size(), 20u);

    const QImage filled = Region(5, 0);
    EXPECT_EQ(Count(filled, kEdge), 0);
    EXPECT_GT(Count(filled, kInk), 95 * 95);
    const QImage hollow = Region(0, -1);
    EXPECT_EQ(Count(hollow, kInk), 0);
    EXPECT_EQ(Count(hollow, kCanvas, {12, 12, 96, 96}), 96 * 96);
    EXPECT_GT(Count(hollow, kEdge), 390);
    EXPECT_EQ(Count(Region(0, 0, 2), kCanvas), 130 * 130);
}

TEST_F(PlanPixels, DetailHatchesInTheForegroundColour) {
    // One cell per style 3 to 8, kept beside the test binary for a look.
    const QImage cells = Paint([&](auto&) {
        for (int style = 3; style <= 8; ++style) {
            port::Path path;
            path.appendRect({10.0 + (style - 3) * 70, 10, 60, 60});
            view.drawDetailPatternObject(&path, int16_t(style), &kInkColor, &kEdgeColor, 1);
        }
    }, {440, 80});
    cells.save(QString::fromStdString(dvxtest::FreshTempFolder("hatches") + "/hatches.png"));
    for (int style = 3; style <= 8; ++style) {
        const QRect inside(12 + (style - 3) * 70, 12, 56, 56);
        EXPECT_GT(Count(cells, kInk, inside), 56 * 56 / 12) << style;
        EXPECT_EQ(Count(cells, kInk, inside) + Count(cells, kEdge, inside), 56 * 56) << style;
    }
}

// The ink's bounding box in an image painted on the canvas.
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
    lf.lfHeight = height;
    lf.lfOrientation = orientation;
    return lf;
}

TEST_F(PlanPixels, TextKeepsItsSizeTurnAndAlignment) {
    const LOGFONT arial = Font("Arial", -28);
    EXPECT_EQ(view.textMetricsForString("", &arial).width, 0);
    const PlatformRect wide{0, 0, 200, 60};
    auto stdText = [&](const char* text, const LOGFONT& lf, int16_t alignment, int dpi = 96) {
        return Ink(Paint([&](auto&) { view.drawStdText(text, &wide, &lf, &kInkColor, alignment); },
                         {200, 60}, dpi));
    };
    const QRect at96 = stdText("Hg", arial, 0), at192 = stdText("Hg", arial, 0, 192);
    EXPECT_NEAR(at96.height(), 28, 3);
    EXPECT_EQ(at192.height(), at96.height());
    EXPECT_LE(stdText("Hi", arial, 0).left(), 4);
    EXPECT_NEAR(stdText("Hi", arial, 1).center().x(), 100, 3);
    EXPECT_NEAR(stdText("Hi", arial, 2).right(), 199, 4);

    for (int32_t orientation : {0, 900}) {
        const LOGFONT lf = Font("Arial", -28, orientation);
        const PlatformRect box{90, 95, 20, 10};  // smaller than the text: no clipping
        const QRect ink = Ink(Paint([&](auto&) { view.drawText("Hello", &box, &lf, &kInkColor); },
                                    {200, 200}));
        EXPECT_EQ(ink.height() > ink.width(), orientation == 900) << orientation;
        EXPECT_GT(std::max(ink.width(), ink.height()), 55);
        EXPECT_NEAR(ink.center().x(), 100, 4) << orientation;
        EXPECT_NEAR(ink.center().y(), 100, 5) << orientation;
    }

    // An unknown face is the system font at the size asked; traits reach the font.
    const QFont unknown = port::qt::FontForLogFont(Font("No Face Like This", -20));
    EXPECT_EQ(QFontInfo(unknown).family(),
              QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    EXPECT_EQ(unknown.pixelSize(), 20);
    LOGFONT styled = Font("Arial", 5);
    styled.lfItalic = 1;
    styled.lfWeight = 700;
    const QFontInfo info(port::qt::FontForLogFont(styled));
    EXPECT_TRUE(info.italic());
    EXPECT_EQ(info.weight(), QFont::Bold);
    EXPECT_EQ(info.pixelSize(), 12);

    // Mac OS Roman 0xBC is the readout degree mark.
    const QImage mark = Paint([&](auto&) { view.drawStdText("\xBC", &wide, &arial, &kInkColor, 0); },
                              {200, 60});
    QImage expected(200, 60, QImage::Format_RGB32);
    expected.fill(kCanvas);
    QPainter p(&expected);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(kInk));
    p.setFont(port::qt::FontForLogFont(arial));
    p.drawText(QRectF(0, 0, 200, 60), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8("\u00BA"));
    p.end();
    EXPECT_EQ(mark, expected);
}

}  // namespace
