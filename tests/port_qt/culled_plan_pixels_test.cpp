// The plan drawn through its index against the plan drawn object by object: over the generated
// house-and-lot design, at the usual zoom, close up, fitted whole, scrolled, in a strip being
// redrawn, in isometric, perspective and front views, and printed, every pixel the same.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/core/main_window_seams.h"
#include "app/document.h"
#include "design_generator.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/plan_lines.h"
#include "port/qt/painter_context.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

namespace {

constexpr int kWidth = 640, kHeight = 400;

// A window onto the plan whose paint covers the part being redrawn, as a widget's region does.
struct WindowHost : dvxtest::FakeViewHost {
    bool needsToDrawRect(const PlatformRect& r) const override {
        return r.x < redrawn.x + redrawn.width && r.x + r.width > redrawn.x && r.y < redrawn.y + redrawn.height &&
               r.y + r.height > redrawn.y;
    }
    PlatformRect redrawn{};
};

struct View {
    const char* name;
    float zoom;          // 0: the whole design fitted to the window
    float across, down;  // where the window's corner lies, as a share of the design's extent
    float xAngle, yAngle;  // 90, 0: the top view
    bool strip;          // only a 40-pixel strip at the bottom is redrawn, as after a scroll
    bool perspective = false;
};

class CulledPlanPixels : public dvxtest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dvxbench::GenerateDesign({5000, 1});
        for (Layer* l = doc->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next) {
                const FloatRect& b = o->bounds;
                extent = {std::min(extent.floatTop, b.floatTop), std::min(extent.floatLeft, b.floatLeft),
                          std::max(extent.floatBottom, b.floatBottom), std::max(extent.floatRight, b.floatRight)};
            }
        SetMainWindowDocumentViewHandler([this] { return &view; });
        AllocateAcclLineBuffer();
    }

    void Turn(float xAngle, float yAngle, bool perspective) {
        gXViewAngle = xAngle, gYViewAngle = yAngle, gViewFactor = xAngle == 30 ? 6.0f : 1.0f;
        gPerspective = perspective, gViewDistance = perspective ? 100000.0f : 0.0f;
        SetUpForRotationAboutArbitraryAxis(xAngle, yAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle,
                                           perspective);
    }

    QImage Draw(const View& v, bool indexed) {
        Turn(v.xAngle, v.yAngle, v.perspective);
        const float width = extent.floatRight - extent.floatLeft, height = extent.floatBottom - extent.floatTop;
        const float zoom = v.zoom > 0 ? v.zoom : std::min(kWidth / width, kHeight / height);
        doc->itsDocState->zoomFactor = zoom;
        float h = extent.floatLeft + v.across * width, up = 0, d = extent.floatTop + v.down * height;
        ConversionToIsometric(&h, &up, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                              gGlobalYOffset, gGlobalZOffset, 1);
        if (gPerspective) AddPerspective(&h, &up, &d, gViewDistance, 0, 0, 0);
        host.visible = {std::floor(h), std::floor(up), float(kWidth), float(kHeight)};
        PlatformRect dirty = host.visible;
        if (v.strip) dirty.y += dirty.height - 40, dirty.height = 40;
        return Paint(dirty, indexed);
    }

    QImage Paint(const PlatformRect& dirty, bool indexed) {
        gPlanIndexOn = indexed, host.redrawn = dirty;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        port::qt::QPainterContext context(&image);
        port::DrawingScope scope(context);
        context.setAntialiasing(false);
        context.translate(-host.visible.x, -host.visible.y);
        view.draw3D(dirty, 1);
        return image;
    }

    FloatRect extent{INFINITY, INFINITY, -INFINITY, -INFINITY};
    WindowHost host;
    Base2DView view{&host};
};

TEST_F(CulledPlanPixels, TheIndexedPlanMatchesTheFullWalkPixelForPixel) {
    const View views[] = {
        {"usual zoom at the corner", 0.6f, 0, 0, 90, 0, false},
        {"usual zoom in the middle", 0.6f, 0.45f, 0.4f, 90, 0, false},
        {"close up", 2.5f, 0.5f, 0.5f, 90, 0, false},
        {"whole design", 0, 0, 0, 90, 0, false},
        {"scrolled strip", 0.6f, 0.3f, 0.6f, 90, 0, true},
        {"isometric", 0.6f, 0.2f, 0.2f, 30, 45, false},
        {"front", 0.6f, 0.4f, 0.5f, 0, 0, false},
        {"perspective", 0.6f, 0.2f, 0.3f, 30, 45, false, true},
        {"turned plan", 0.6f, 0.4f, 0.4f, 90, 37, false},
        {"far out, curves of a few pixels", 0.05f, 0, 0, 90, 0, false},
    };
    for (const View& v : views) {
        SCOPED_TRACE(v.name);
        const QImage walked = Draw(v, false);
        const QImage indexed = Draw(v, true);
        // Something of the design is in the window, so the comparison says something.
        EXPECT_GT(walked.copy(0, 0, kWidth, 40).convertToFormat(QImage::Format_Indexed8).colorCount(), 2);
        // The window shows only what was redrawn (a scroll keeps the rest).
        const QRect shown(0, v.strip ? kHeight - 40 : 0, kWidth, v.strip ? 40 : kHeight);
        EXPECT_TRUE(walked.copy(shown) == indexed.copy(shown));
        if (walked.copy(shown) != indexed.copy(shown)) indexed.save(QString("culled-") + v.name + ".png");
    }
}

TEST_F(CulledPlanPixels, PrintedPagesMatchTheFullWalk) {
    // Fitted, and to scale on pages a quarter by a third of the drawing, top and isometric view.
    const QSize tile(int((extent.floatRight - extent.floatLeft) / 4), int((extent.floatBottom - extent.floatTop) / 3));
    for (auto [toScale, xAngle, yAngle] : {std::tuple(false, 90, 0), {true, 90, 0}, {true, 30, 45}}) {
        Turn(xAngle, yAngle, false);
        std::vector<QImage> pages[2];  // walked, indexed: a point to a pixel
        for (uint8_t indexed : {0, 1}) {
            QImage page(toScale ? tile : QSize(kWidth, kHeight), QImage::Format_RGB32);
            auto keep = [&] { return pages[indexed].push_back(page.copy()), true; };
            QPainter painter(&page);
            gPlanIndexOn = indexed, PrintCurrentPlan(painter, page.size(), toScale, keep);
            painter.end(), keep();
        }
        EXPECT_TRUE(pages[0] == pages[1]);
        EXPECT_EQ(pages[0].size() > 4, toScale);
        EXPECT_GT(pages[0][0].convertToFormat(QImage::Format_Indexed8).colorCount(), 2);
    }
}

// A wall with a door and a window (split dimensions, callouts, overall dimension) and a property
// line's edge labels, close up, under a 3-pixel strip swept across and down the window.
class StripAcrossDimensions : public CulledPlanPixels {
    void SetUp() override {
        DocumentTest::SetUp();
        SetMainWindowDocumentViewHandler([this] { return &view; });
        AllocateAcclLineBuffer();
    }
};

TEST_F(StripAcrossDimensions, EveryStripMatchesTheWalk) {
    Turn(90, 0, false);
    doc->itsDocState->visiblePlans = -1, doc->itsDocState->zoomFactor = 1.5f;
    doc->itsDocState->showDimensions = doc->itsDocState->showCallouts = 1;
    Objex* wall = dvxtest::Wall(doc->itsCurLayer, {{0, 0}, {160, 0}, {160, 110}});
    dvxtest::Opening(wall, objtype::kDoor, 500, 0), dvxtest::Opening(wall, objtype::kWindow, 600, 1);
    dvxtest::Shape(doc->itsCurLayer, objtype::kPropertyLine, {{-20, 150}, {120, 150}, {40, 190}}, true);
    host.visible = {-120, -120, float(kWidth), float(kHeight)};
    for (int at = 0; at < kWidth + kHeight; at += 3) {
        const QRect shown = at < kWidth ? QRect(at, 0, 3, kHeight) : QRect(0, at - kWidth, kWidth, 3);
        const PlatformRect dirty{host.visible.x + shown.x(), host.visible.y + shown.y(),
                                 1.0f * shown.width(), 1.0f * shown.height()};
        EXPECT_TRUE(Paint(dirty, false).copy(shown) == Paint(dirty, true).copy(shown)) << at;
    }
}

}  // namespace
