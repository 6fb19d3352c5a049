// Stair labels in an offscreen image: a stair running down the screen labels itself as one
// running up does, and one running right as one running left, glyph for glyph. Seen from above
// at zoom 1 (a plan unit a pixel), the first point at the image's centre.
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "plan/base_2d_view.h"
#include "plan/site_symbols.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/drawing_doubles.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const QRgb kCanvas = qRgb(255, 255, 255);

class StairPixels : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        DocState* ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->showDimensions = 1, ds->penColor = {0, 0, 65535};
        std::memset(ds->font.lfFaceName, 0, sizeof ds->font.lfFaceName);
        std::strcpy(ds->font.lfFaceName, "Arial");
        ds->font.lfHeight = -10;
        dvxtest::SetPlanView();
        SetMainWindowDocumentViewHandler([this] { return &view; });
    }
    // The stair from the centre to 100 along (h, d), drawn into `image` at `at`.
    void Paint(QImage& image, QPoint at, float h, float d) {
        Objex* stair = dvxtest::Make(objtype::kStaircase).on(doc->itsCurLayer).at({{0, 0, 0}, {h, 0, d}});
        objfield::stair::kWidth(*stair) = 36, objfield::stair::kRiser(*stair) = 7, objfield::stair::kTread(*stair) = 10;
        objfield::stair::kFloorHeight(*stair) = 100;
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false), context.translate(at.x(), at.y());
        DrawStaircase(nullptr, stair);
    }
    // The ink of the band across (or, `vertical`, along) the image at `at`, cropped to itself.
    static QImage Label(const QImage& image, int at, bool vertical) {
        const QRect band = vertical ? QRect(at - 7, 0, 15, image.height()) : QRect(0, at - 7, image.width(), 15);
        QRect ink;
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (image.pixel(x, y) != kCanvas) ink |= QRect(x, y, 1, 1);
        return image.copy(ink);
    }

    dvxtest::FakeViewHost host;
    Base2DView view{&host};
};

TEST_F(StairPixels, LabelsOfAStairRunningDownOrRightReadAsThoseOfOneRunningUpOrLeft) {
    QImage images[4];
    struct Run { float h, d; } runs[] = {{0, 100}, {0, -100}, {100, 0}, {-100, 0}};  // down, up, right, left
    QImage all(800, 200, QImage::Format_RGB32);
    all.fill(kCanvas);
    for (int i = 0; i < 4; ++i) {
        images[i] = QImage(200, 200, QImage::Format_RGB32);
        images[i].fill(kCanvas);
        Paint(images[i], {100, 100}, runs[i].h, runs[i].d);
        QPainter(&all).drawImage(200 * i, 0, images[i]);
    }
    all.save(QString::fromStdString(dvxtest::FreshTempFolder("look") + "/stair_labels.png"));
    // The width and riser labels lie 16 and 33 from the first point, back towards it from the
    // second: down and right put them above and left of it, up and left below and right.
    for (const int along : {16, 33}) {
        const QImage down = Label(images[0], 100 - along, false), up = Label(images[1], 100 + along, false);
        const QImage right = Label(images[2], 100 - along, true), left = Label(images[3], 100 + along, true);
        ASSERT_FALSE(down.isNull() || right.isNull()) << along;
        EXPECT_GT(down.width(), down.height()) << along;   // horizontal text
        EXPECT_GT(right.height(), right.width()) << along;  // text up the screen
        EXPECT_EQ(down, up) << along;
        EXPECT_EQ(right, left) << along;
    }
}

}  // namespace
