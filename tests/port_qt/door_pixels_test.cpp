// A door's gap and swing in an offscreen image: 36 units from (100, 0) to (136, 0) in a 12-unit
// wall, seen from above at zoom 1 (a plan unit a pixel), moved 50 down; and the same door
// elsewhere in the plan, the view moved back to it.
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/doors.h"
#include "model/plan_objects.h"
#include "port/qt/painter_context.h"
#include "support/build.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

const QRgb kGrey = qRgb(128, 128, 128), kWall = qRgb(0, 0, 0), kPen = qRgb(0, 0, 255);

// The wall and door moved by (h, d) plan units and drawn at `zoom`, the view moved back so they
// land where the unmoved ones do; `solid` paints the wall's solid first.
struct Placement {
    float h = 0, d = 0, zoom = 1;
    bool solid = true;
};

class DoorPixels : public dvxtest::DocumentTest {
protected:
    QImage Paint(int16_t style, uint8_t printing, float swing = -1.5707963f, int16_t flags = 0, int width = 160,
                 Placement at = {}) {
        DocState* ds = doc->itsDocState;
        ds->zoomFactor = at.zoom, ds->planScale = 72, ds->penColor = {0, 0, 65535}, ds->backgroundColor = {65535, 65535, 0};
        dvxtest::SetPlanView();
        Objex* wall = dvxtest::Outline(objtype::kWall, {{at.h, at.d}, {at.h + 160, at.d}}, false).on(doc->itsCurLayer);
        wall->penWidth = 12;
        Objex* door = dvxtest::Make(dvxtest::Attach(wall, objtype::kDoor, dvxtest::PointAt(wall, 0), dvxtest::PointAt(wall, 1)))
                          .plan({{at.h + 100, at.d}, {at.h + 136, at.d}});
        door->typeData.attachment->style = style, door->typeData.attachment->swingOrOffset = swing;
        door->typeData.attachment->directionFlag = flags;
        const int z = int(at.zoom);
        QImage image(width * z, 100 * z, QImage::Format_RGB32);
        image.fill(kGrey);
        if (at.solid) QPainter(&image).fillRect(0, 44, 160, 12, QColor(kWall));  // the wall's solid
        {
            port::qt::QPainterContext context(&image);
            port::DrawingScope scope(context);
            context.setAntialiasing(false), context.translate(-at.h * z, (50 - at.d) * z);
            gPrinting = printing, gHPrintScale = gVPrintScale = 1;
            DrawDoor(nullptr, door, nullptr, 1, nullptr);
        }
        gPrinting = 0;
        return image;
    }
};

int Count(const QImage& image, QRgb colour, int x1, int x2, int d) {
    int n = 0;
    for (int x = x1; x <= x2; ++x) n += image.pixel(x, 50 + d) == colour;
    return n;
}

TEST_F(DoorPixels, TheGapClearsTheWallThreeBeyondEachFaceInTheBackgroundOrWhiteWhenPrinting) {
    struct Row { int16_t style; uint8_t printing; QRgb clear; };
    for (const Row& row : {Row{501, 0, qRgb(255, 255, 0)}, Row{501, 1, qRgb(255, 255, 255)}, Row{999, 0, qRgb(255, 255, 0)}}) {
        const QImage image = Paint(row.style, row.printing);
        for (int d : {-8, -6, -1, 1, 6, 8}) EXPECT_EQ(Count(image, row.clear, 110, 130, d), 21) << d;
        for (int d : {-10, 10}) EXPECT_EQ(Count(image, kGrey, 110, 130, d), 21) << d;
        EXPECT_EQ(Count(image, kWall, 90, 98, 0), 9);  // the wall beside the door is untouched
        const int dashes = Count(image, kPen, 104, 132, 0);  // one dashed line along the centre
        EXPECT_TRUE(dashes > 10 && dashes < 20) << dashes;
        // The leaf across the wall at the hinge, and the top of the swing 33 above it.
        EXPECT_EQ(Count(image, kPen, 136, 136, -20) + Count(image, kPen, 100, 140, -33), row.style == 501 ? 2 : 0);
    }
}

// Whether a pen pixel lies within `reach` pixels of the plan point (h, d).
bool InkNear(const QImage& image, double h, double d, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const int x = int(std::lround(h)) + dx, y = 50 + int(std::lround(d)) + dy;
            if (x >= 0 && y >= 0 && x < image.width() && y < image.height() && image.pixel(x, y) == kPen) return true;
        }
    return false;
}

TEST_F(DoorPixels, EverySwingTheToolsStoreDrawsItsArcAndLeaf) {
    // The hinge is the second point (136, 0) and the closed leaf points back along the wall (180
    // degrees); the flag is the one every swing is stored with. Open swings either way of up to
    // a half turn, and their equals a full turn away, show the arc (radius 33) and the leaf
    // (5 to 41 from the hinge) at 180 + the swing.
    constexpr double kRad = 3.14159265358979323846 / 180;
    for (const double swing : {90.0, -90.0, 45.0, -45.0, 150.0, -150.0, 270.0, -270.0, 315.0, -315.0, 179.0, -179.0}) {
        const int16_t flags = DoorSwingDirectionFlag(swing);
        const QImage image = Paint(501, 0, float(swing * kRad), flags, 200);
        const double sweep = std::remainder(swing, 360.0), leaf = (180.0 + swing) * kRad;
        int arc = 0, samples = 0;
        for (double t = 0.1; t < 0.9; t += 0.05, ++samples) {
            const double at = (180.0 + sweep * t) * kRad;
            arc += InkNear(image, 136 + 33 * std::cos(at), -33 * std::sin(at));
        }
        // The leaf's ends are made whole to the nearest: within a pixel of the exact line, above
        // the wall (d below 0) as below it.
        int along = 0;
        for (int r = 10; r <= 28; r += 3) along += InkNear(image, 136 + r * std::cos(leaf), -r * std::sin(leaf), 1);
        EXPECT_GE(arc, samples - 1) << swing << " flag " << flags;
        EXPECT_EQ(along, 7) << swing << " flag " << flags;
    }
}

// Whether `moved` is `image` shifted by at most a pixel each way, every pixel the same.
bool SameDrawing(const QImage& image, const QImage& moved) {
    for (int sy = -1; sy <= 1; ++sy)
        for (int sx = -1; sx <= 1; ++sx) {
            bool same = true;
            for (int y = 1; y + 1 < image.height() && same; ++y)
                for (int x = 1; x + 1 < image.width() && same; ++x) same = image.pixel(x, y) == moved.pixel(x + sx, y + sy);
            if (same) return true;
        }
    return false;
}

// A door left of or above the origin draws as the same door right of and below it moved by
// whole units: its leaf and arc on its hinge, also zoomed in (the swing is made whole in plan
// units, before the zoom). The plan plots every line's view coordinates whole toward zero, the
// wall's as well, which may set the whole drawing a pixel nearer the origin; nothing else moves.
TEST_F(DoorPixels, ADoorLeftOfOrAboveTheOriginDrawsAsTheSameDoorMoved) {
    constexpr double kRad = 3.14159265358979323846 / 180;
    for (const float zoom : {1.0f, 3.0f})
        for (const double swing : {90.0, -90.0, 45.0, -45.0, 150.0, -150.0, 30.0, -120.0}) {
            const int16_t flags = DoorSwingDirectionFlag(swing);
            // Right of and below the origin: the whole door, its swing either way, at d 100.
            const QImage image = Paint(501, 0, float(swing * kRad), flags, 200, {0, 100, zoom, false});
            for (const auto [h, d] : {std::pair(-403.0f, 100.0f), {7.0f, -301.0f}, {-1000.0f, -700.0f}}) {
                const QImage moved = Paint(501, 0, float(swing * kRad), flags, 200, {h, d, zoom, false});
                EXPECT_TRUE(SameDrawing(image, moved)) << swing << " at " << h << ", " << d << " zoom " << zoom;
            }
        }
}

}  // namespace
