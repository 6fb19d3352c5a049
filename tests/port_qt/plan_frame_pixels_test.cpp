// The plan frame and the print road as they come out in an offscreen image and a PDF.
#include "app/core/main_window_seams.h"
#include "files/design_file.h"
#include "model/deletion.h"
#include "model/marquee.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_objects.h"
#include "plan/print_view.h"
#include "port/qt/painter_context.h"
#include "tools/wall_construction.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"
#include "support/build.h"
#include "plan_image.h"

#include <QFile>
#include <QImage>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {

const QRgb kBlue = qRgb(0, 0, 255), kGrey = qRgb(215, 215, 215);

class PlanFramePixels : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->zoomFactor = 1.0f, ds->planScale = 72.0f, ds->lotRect = {0, 0, 120, 120};
        ds->planColors[1] = {0, 0, 65535}, ds->gridColor = {0, 65535, 0};
        host.visible = {0, 0, 130, 130};
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // A closed floor outline through the rectangle's corners.
    void Square(Layer* layer, float l, float t, float r, float b) { dvxtest::Outline(objtype::kFloor, {{l, t}, {r, t}, {r, b}, {l, b}}).on(layer); }
    template <typename Draw> QImage Paint(Draw draw, int side) {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(Qt::black);
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        draw(side);
        return image;
    }

    DocState* ds = nullptr;
    dvxtest::FakeViewHost host;
    Base2DView view{&host};
    QMDDocumentPrintView printView;
};

using dvxtest::Count;

TEST_F(PlanFramePixels, OtherFloorsShowGreyUnderTheCurrentFloorInItsPlanColour) {
    Square(doc->itsCurLayer, 20, 20, 60, 100);
    Square(doc->itsCurLayer->next, 20, 20, 100, 100);
    const QImage image = Paint([&](int side) { view.draw3D({0, 0, float(side), float(side)}, 1); }, 130);
    image.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/two_floors.png"));
    EXPECT_GT(Count(image, kGrey, {98, 30, 5, 60}), 50);  // the other floor's own right edge
    EXPECT_EQ(Count(image, kGrey, {18, 30, 5, 60}), 0);   // the shared left edge: current floor on top
    EXPECT_GT(Count(image, kBlue, {18, 30, 5, 60}), 50);
    EXPECT_EQ(Count(image, qRgb(255, 255, 255), {30, 30, 20, 60}), 20 * 60);  // background inside
}

TEST_F(PlanFramePixels, PrintRoadScalesAndMovesTheInkWithoutScreenExtras) {
    Square(doc->itsCurLayer, 10, 10, 50, 50);
    ds->backgroundColor = {65535, 0, 0};
    ds->showGrid = 1, ds->gridStyle = 1, ds->gridSpacing = {40, 40};
    gHPrintScale = gVPrintScale = 2.0f, gAffineTranslateX = 5, gAffineTranslateY = 7;
    for (uint8_t printGrid : {0, 1}) {
        ds->stopAtOriginV = printGrid;
        const QImage page = Paint([&](int side) { printView.drawRect({0, 0, float(side), float(side)}); }, 300);
        EXPECT_EQ(Count(page, qRgb(255, 0, 0), page.rect()) + Count(page, qRgb(0, 0, 0), page.rect()), 0);
        EXPECT_EQ(Count(page, qRgb(0, 255, 0), page.rect()) > 0, printGrid == 1);  // grid only when asked
        QRect ink;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) ink |= page.pixel(x, y) == kBlue ? QRect(x, y, 1, 1) : QRect();
        for (auto [got, want] : {std::pair(ink.left(), 25), {ink.right(), 105}, {ink.top(), 27}, {ink.bottom(), 107}})
            EXPECT_NEAR(got, want, 1);  // print scale times the bounds plus the translation
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
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
}

}  // namespace

namespace {

TEST_F(PlanFramePixels, AWallReadFromAFileShowsItsSolidInTheFloorColourAndTheMarqueeFindsIt) {
    Objex* wall = dvxtest::Outline(objtype::kWall, {{20, 60}, {100, 60}}, false).on(doc->itsCurLayer);
    wall->penWidth = 20;  // 10 each side of the centre line at scale 72
    Update3DWall(wall);
    const std::string path = dvxtest::FreshTempFolder("wall_pixels") + "/wall.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    DeleteObj(wall);
    ASSERT_EQ(KeyFileRead(path.c_str()), 1);
    ds = doc->itsDocState;
    ds->zoomFactor = 1.0f, ds->planScale = 72.0f, ds->planColors[1] = {0, 0, 65535}, ds->showDimensions = 0;
    const QImage image = Paint([&](int side) { view.draw3D({0, 0, float(side), float(side)}, 1); }, 130);
    EXPECT_GT(Count(image, kBlue, {30, 53, 60, 14}), 60 * 14 * 9 / 10);  // filled between the faces
    EXPECT_EQ(Count(image, kBlue, {30, 30, 60, 10}), 0);
    const RECT around{10, 40, 110, 80};
    SelectAllLayersInRect(doc->itsLayers, &around, 1, 0);
    const Objex* back = doc->itsCurLayer->firstObject;
    EXPECT_EQ(back->bounds.floatBottom - back->bounds.floatTop, 20);  // its bounds are its solid's
    EXPECT_EQ(back->firstPoint->selected, 1);
}

}  // namespace
