// The plan frame and the print road as they come out in an offscreen image and a PDF.
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "plan/base_2d_view.h"
#include "plan/plan_objects.h"
#include "plan/print_view.h"
#include "port/qt/painter_context.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "support/model_builders.h"

#include <QFile>
#include <QImage>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255), kBlue = qRgb(0, 0, 255), kGrey = qRgb(215, 215, 215);

class PlanFramePixels : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f, ds->planScale = 72.0f, ds->lotRect = {0, 0, 120, 120};
        ds->planColors[1] = {0, 0, 65535};
        ds->gridColor = {0, 65535, 0};
        host.visible = {0, 0, 130, 130};
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // A closed floor outline through the corners of the rectangle.
    void Square(Layer* layer, float left, float top, float right, float bottom) {
        Objex* o = dvxtest::NewObjectOn(layer, objtype::kFloor);
        dvxtest::AddPoints(o, 4);
        const float at[4][2] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        for (int i = 0; i < 4; ++i)
            dvxtest::PointAt(o, i)->position[0] = at[i][0], dvxtest::PointAt(o, i)->position[2] = at[i][1];
        o->closed = 1, o->planBits = 2;
    }
    QImage Print(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        printView.drawRect({0, 0, float(size.width()), float(size.height())});
        return image;
    }

    DocState* ds = nullptr;
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
    QMDDocumentPrintView printView;
};

int Count(const QImage& image, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

TEST_F(PlanFramePixels, OtherFloorsShowGreyUnderTheCurrentFloorInItsPlanColour) {
    Square(doc->itsCurLayer, 20, 20, 60, 100);
    Square(doc->itsCurLayer->next, 20, 20, 100, 100);
    view.shouldDrawViewPoint = 0;
    QImage image(130, 130, QImage::Format_RGB32);
    {
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        view.draw3D({0, 0, 130, 130}, 1);
    }
    image.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/two_floors.png"));
    EXPECT_GT(Count(image, kGrey, {98, 30, 5, 60}), 50);   // the other floor's own right edge
    EXPECT_EQ(Count(image, kGrey, {18, 30, 5, 60}), 0);    // shared left edge: current floor on top
    EXPECT_GT(Count(image, kBlue, {18, 30, 5, 60}), 50);
    EXPECT_GT(Count(image, kBlue, {58, 30, 5, 60}), 50);
    EXPECT_GT(Count(image, kWhite, {30, 30, 20, 60}), 1000);  // background between the lines
}

TEST_F(PlanFramePixels, PrintRoadScalesAndMovesTheInkWithoutScreenExtras) {
    Square(doc->itsCurLayer, 10, 10, 50, 50);
    ds->backgroundColor = {65535, 0, 0};
    ds->showGrid = 1, ds->gridStyle = 1, ds->gridSpacing = {40, 40};
    gHPrintScale = gVPrintScale = 2.0f;
    gAffineTranslateX = 5, gAffineTranslateY = 7;
    const struct { uint8_t printGrid; bool gridInk; } rows[] = {{0, false}, {1, true}};
    for (const auto& row : rows) {
        ds->stopAtOriginV = row.printGrid;
        const QImage page = Print({300, 300});
        EXPECT_EQ(Count(page, qRgb(255, 0, 0), page.rect()), 0);  // no background, no marker
        EXPECT_EQ(Count(page, qRgb(0, 0, 0), page.rect()), 0);
        EXPECT_EQ(Count(page, qRgb(0, 255, 0), page.rect()) > 0, row.gridInk);
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) == kBlue) ink |= QRect(x, y, 1, 1);
        EXPECT_NEAR(ink.left(), 25, 1);   // 2 * 10 + 5
        EXPECT_NEAR(ink.right(), 105, 1);
        EXPECT_NEAR(ink.top(), 27, 1);
        EXPECT_NEAR(ink.bottom(), 107, 1);
    }
    EXPECT_EQ(gPrinting, 0);

    const QString pdf = QString::fromStdString(dvxtest::FreshTempFolder("print") + "/plan.pdf");
    {
        QPdfWriter writer(pdf);
        port::qt::QPainterContext context(&writer);
        port::DrawingScope scope(context);
        printView.drawRect({0, 0, 300, 300});
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 500);
}

}  // namespace
