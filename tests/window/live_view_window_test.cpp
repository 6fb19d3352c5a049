// The live-view panel on the virtual X server, on a design of one wall straight ahead of the
// eye: the panel opened from the keyboard with the wall in view, walking by a drag and the
// colour behind its frames, a final render and its Escape, the camera commands, exported images
// read back, printed pages and the cut-away buttons. The grab of the panel is kept beside the
// test as live-view-panel.png.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QLabel>
#include <QMenu>
#include <QAbstractSlider>
#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/live_view_ogl_view.h"
#include "app/window_controller.h"
#include "content/core/content_selection_seams.h"
#include "model/sym_entry.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "geometry/openings/landscape_plants.h"
#include "model/bounds.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "scene/plane_object.h"
#include "port/file_dialogs.h"
#include "render/core/interrupt_source.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "app/core/plan_navigation.h"
#include "render/core/slice_plane.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

// What the panel paints while a render blocks the event loop: the status line's texts and the
// progress bar's values, in order.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* panel) : panel_(panel) { qApp->installEventFilter(this); }
    ~PaintLog() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Paint || !w || w->window() != panel_) return false;
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) texts << label->text();
        if (auto* bar = qobject_cast<QProgressBar*>(w)) values.push_back({bar->value(), bar->maximum()});
        return false;
    }
    bool saw(const QString& part) const {
        return std::any_of(texts.begin(), texts.end(), [&](const QString& t) { return t.contains(part); });
    }
    QStringList texts;
    std::vector<std::pair<int, int>> values;

private:
    QWidget* panel_;
};

// How many pixels of two pictures differ by more than 8 grey levels.
int DifferingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            n += std::abs(PixelGrey(a.pixel(x, y)) - PixelGrey(b.pixel(x, y))) > 8;
    return n;
}

struct Panel {
    WindowTestServices services{"liveviewwindow"};
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    DocState* ds = w->document()->model()->itsDocState;
    // A wall from x `left` to `right` at z, `height` inches high.
    void box(float z, float left = -30, float right = 30, float height = 30) {
        Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{left, z}, {right, z}});
        wall->planBits = ds->visiblePlans;
        for (Poinz* p = wall->firstPoint; p; p = p->next)
            objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = height;
        Update3DWall(wall);
    }
    Panel() {
        box(-300, -100, 100, 96);
        ds->cameraMode = 1, ds->navigationFlag = 0, ds->cameraHeading = 0, ds->cameraPosition = {0, 0};
        ds->elevationView = 0, ds->eyeHeight = 60, ds->navigationSpeed = 8;
        w->show();
    }
    ~Panel() { LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
    QImage grab() const { return LiveViewOnScreen(c); }
    // A box before the wall whose shadow the sun throws on it, the panel open clear of the
    // document window's menus and the plan's top left: false when it never drew.
    bool openOnShadowedBox(int16_t lightSetting) {
        box(-280);
        ds->sunOn = 1, ds->sunValueB = 20, ds->sunValueD = 100, ds->sunShadowQuality = -1, ds->sunAngle = 180;
        ds->lightIntensity = 0.5f, ds->lightSetting = lightSetting, ds->eyeHeight = 400, ds->navigationFlag = 1;
        ds->cameraValue = 50;
        if (!QTest::qWaitForWindowExposed(w) || !open()) return false;
        c->window()->move(620, 480);
        return true;
    }
    // Shows the panel with the wall's scene: false when it never drew.
    bool open() {
        if (!c->isVisible()) c->showWindow();
        if (!QTest::qWaitForWindowExposed(c->window()) || !QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); }))
            return false;
        RebuildLiveViewScene();
        SetUpLiveViewCamera(ds);
        return !shown().isNull();
    }
    // Waits until the panel shows a frame whose wall spans the centre row.
    QImage shown() const {
        QImage image;
        // A timeout shows as the null image returned below.
        (void)QTest::qWaitFor([&] {
            image = grab();
            return !image.isNull() && SpanOffSky(image, image.height() / 2).first > 0;
        });
        return SpanOffSky(image, image.height() / 2).first > 0 ? image : QImage();
    }
};

TEST(LiveViewPanel, OpensOnCtrl1ShowsTheWallWalksOnADragAndRendersFinal) {
    Panel p;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.w));
    XDo({"windowfocus", "--sync", QString::number(p.w->winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.w->isActiveWindow(); }));
    XDo({"key", "ctrl+1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.c->isVisible(); })) << "Ctrl+1 opened no panel";
    ASSERT_TRUE(p.open());
    const QImage still = p.shown();
    const int row = still.height() / 2, half = still.width() / 2;
    const auto [left, right] = SpanOffSky(still, row);
    // Straight ahead: the wall's span holds the centre and leaves sky on both sides.
    EXPECT_TRUE(left < half && right > half && right < still.width() - 1) << left << " " << right;

    // Held right of the press, the walk turns right: the wall slides left while the button is
    // down, and a frame of full quality follows the release.
    QWindow* gl = p.c->glSurface().window();
    const QPoint centre(gl->width() / 2, gl->height() / 2);
    QTest::mousePress(gl, Qt::LeftButton, {}, centre);
    QTest::mouseMove(gl, centre + QPoint(120, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return SpanOffSky(p.grab(), row).first < left - 20; }, 3000))
        << "the wall never moved during the drag";
    QTest::mouseRelease(gl, Qt::LeftButton, {}, centre + QPoint(120, 0));
    EXPECT_FALSE(p.c->liveViewOGLView()->navigation().active());
    EXPECT_TRUE(QTest::qWaitFor([] { return gRefreshRender == 0; }, 2000));

    // Controlled, the held up arrow walks toward the wall, which grows, and its release stops.
    p.ds->cameraHeading = 0, p.ds->cameraPosition = {0, 0}, p.ds->navigationFlag = 1;
    SetUpLiveViewCamera(p.ds);
    ASSERT_TRUE(QTest::qWaitFor([&] { return SpanOffSky(p.grab(), row).first == left; }));
    auto width = [&] { return SpanOffSky(p.grab(), row).second - SpanOffSky(p.grab(), row).first; };
    QTest::mousePress(gl, Qt::LeftButton, {}, centre);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier), upRelease(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(gl, &up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return width() > right - left + 20; }, 3000)) << "the wall came no closer";
    QApplication::sendEvent(gl, &upRelease);
    QTest::qWait(100);
    const int held = width();
    EXPECT_FALSE(QTest::qWaitFor([&] { return width() != held; }, 200));
    QTest::mouseRelease(gl, Qt::LeftButton, {}, centre);

    // The final render smooths the wall's edge: a pixel between wall and sky where the plain
    // frame has none; the shadows flag and anti-aliasing come back as they were.
    p.ds->cameraHeading = 0, p.ds->shadowsOn = 0;
    SetUpLiveViewCamera(p.ds);
    auto between = [row](const QImage& im) {  // beside the left edge, clear of both grey levels
        const auto [l, r] = SpanOffSky(im, row);
        const int sky = PixelGrey(im.pixel(0, row)), wall = PixelGrey(im.pixel((l + r) / 2, row));
        int n = 0;
        for (int x = l - 2; x <= l + 2; ++x) n += std::abs(2 * PixelGrey(im.pixel(x, row)) - sky - wall) < std::abs(sky - wall) - 12;
        return n;
    };
    // Only lets the frame settle; the check that follows judges it.
    (void)QTest::qWaitFor([&] { return SpanOffSky(p.grab(), row).first == left; });
    EXPECT_EQ(between(p.grab()), 0);
    {
        PaintLog painted(p.c->window());
        p.c->renderFinal();
        EXPECT_TRUE(painted.saw("Rendering")) << painted.texts.join("|").toStdString();
    }
    QImage final;
    EXPECT_TRUE(QTest::qWaitFor([&] { return between(final = p.grab()) > 0; }, 3000));
    EXPECT_EQ(std::make_tuple(p.ds->shadowsOn, gRenderOpenGLAntiAlias), std::make_tuple(0, 0));
    if (!gShot.isEmpty()) final.save(gShot);

    // Turning the camera's marker in the plan turns the view: the wall leaves the centre.
    RealTimeTrackAngleD3D turn;
    ASSERT_TRUE(turn.begin(p.w->docView()));
    turn.move({2000, 2000});
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(SpanOffSky(p.grab(), row).first - left) > 20; }, 3000));
    turn.end();

    // The frame comes back where it was for the next panel.
    p.c->window()->move(140, 120);
    AppController::shared()->toggleLiveViewPanel();
    LiveViewController::destroyShared();
    EXPECT_EQ(LiveViewController::sharedLiveViewController()->window()->pos(), QPoint(140, 120));
}

// The panel closed as a document closing does (New, Open and Revert to Saved close it too): its
// GL window loses its surface while an expose queued for it still comes. That expose and a
// redraw draw nothing, and the panel opened again shows the wall.
TEST(LiveViewPanel, AnExposeAfterThePanelClosedDrawsNothingAndTheReopenedPanelShowsTheWall) {
    Panel p;
    ASSERT_TRUE(p.open());
    CloseLiveView();
    QWindow* gl = p.c->glSurface().window();
    ASSERT_FALSE(p.c->isVisible() || gl->handle());
    const QRegion all(0, 0, gl->width(), gl->height());
    QExposeEvent expose(all);
    QApplication::sendEvent(gl, &expose);
    QPaintEvent paint(all);
    QApplication::sendEvent(gl, &paint);
    LiveViewDisplay();
    EXPECT_TRUE(p.c->liveViewOGLViewBitmapImageRep().isNull());
    EXPECT_TRUE(p.open()) << "the reopened panel never showed the wall";
}

TEST(LiveViewPanel, RenderWithShadowsLightsTheWallButWhereTheBoxShadowsIt) {
    // An uplight on the ground 200 ahead throws light up the wall at 300; a box 30 inches
    // high (a short wall) 250 ahead keeps it off the wall below about 117 units.
    Panel p;
    p.box(-250);
    Objex* group = dvxtest::Make(1000).on(gCurDocument->itsCurLayer);
    Objex* lamp = dvxtest::Make(146).in(group);
    objfield::light::kBeamWidth(*lamp) = 140;
    p.ds->sunOn = 0, p.ds->shadowQuality = 5, p.ds->lightIntensity = 0.5f;  // a dim room
    ASSERT_TRUE(p.open());
    lamp->bounds3D.floatLeft = lamp->bounds3D.floatRight = 0;
    lamp->bounds3D.floatBack = lamp->bounds3D.floatFront = -200;
    // The wall's point (x, y) in the view: 45 degrees of height over 300 units, eye at 60.
    auto grey = [&](const QImage& im, float x, float y) {
        const double k = im.height() / 2.0 / (300 * std::tan(22.5 * M_PI / 180));
        return PixelGrey(im.pixel(int(im.width() / 2 + x * k), int(im.height() / 2 - (y - 60) * k)));
    };
    const QImage plain = p.shown();
    ASSERT_FALSE(plain.isNull());
    // A design that forbids shadows: the toolbar's Shadows leaves the view as it was and says why.
    p.ds->shadowsForbidden = 1;
    for (QAction* a : p.c->liveViewToolbar()->actions())
        if (a->text() == "Shadows") a->trigger();
    EXPECT_NEAR(grey(p.grab(), 0, 150), grey(plain, 0, 150), 3) << "a forbidden shadow render ran";
    EXPECT_EQ(p.c->liveViewStatusText()->text().toStdString(), "Shadows are turned off for this design");
    EXPECT_EQ(p.ds->shadowsOn, 0);
    p.ds->shadowsForbidden = 0;
    QProgressBar* bar = p.c->window()->findChild<QProgressBar*>();
    ASSERT_TRUE(bar);
    std::vector<int> values;
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int v) { values.push_back(v); });
    PaintLog painted(p.c->window());
    p.c->renderShadows();
    const QImage lit = p.grab();
    EXPECT_GT(grey(lit, 0, 150), grey(plain, 0, 150) + 15) << "no light on the wall";
    EXPECT_NEAR(grey(lit, 0, 100), grey(plain, 0, 100), 6) << "no shadow of the box";
    // The bar rose one step at a time to its end, and the status tells the time.
    ASSERT_FALSE(values.empty());
    for (size_t i = 1; i < values.size(); ++i) EXPECT_TRUE(values[i] == values[i - 1] + 1 || values[i] == 0) << i;
    // The light's view (two steps) and the composite: the progress runs to its total of 3.
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 3);
    EXPECT_TRUE(painted.saw("Rendering shadows (press Escape to cancel)"));
    EXPECT_TRUE(painted.texts.back().endsWith("seconds to render")) << painted.texts.back().toStdString();
    if (!gShot.isEmpty()) lit.save(QString(gShot).replace(".png", "-shadows.png"));
}

TEST(LiveViewPanel, TheSunThrowsABoxsShadowOnTheWallAndTurnsWithIt) {
    // A box 30 inches high (a short wall, x -30..30) stands 20 in front of the wall; the sun
    // 20 degrees up behind the eye throws its shadow on the wall up to about 52 units. The eye
    // looks down on it from 400 units. The ground's colour here does not follow the brightness,
    // so the shadow is looked for on the wall. With the sun turned by 180 degrees the box's
    // shadow leaves the wall, whose face is then in its own shade.
    Panel p;
    p.box(-280);
    p.ds->sunOn = 1, p.ds->sunValueB = 20, p.ds->sunValueD = 100, p.ds->sunShadowQuality = -1;
    p.ds->lightIntensity = 0.5f;
    p.ds->eyeHeight = 400, p.ds->navigationFlag = 1, p.ds->cameraValue = 50;
    ASSERT_TRUE(p.c->isVisible() || (p.c->showWindow(), QTest::qWaitForWindowExposed(p.c->window())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.c->glSurface().window()->isValid(); }));
    RebuildLiveViewScene();
    SetUpLiveViewCamera(p.ds);
    // The wall's point (x, y) as the eye pitched 50 degrees down sees it.
    auto grey = [&](const QImage& im, float x, float y) {
        const double a = 50 * M_PI / 180, dy = y - 400, dz = -300;
        const double vy = dy * std::cos(a) - dz * std::sin(a), vz = dy * std::sin(a) + dz * std::cos(a);
        const double k = im.height() / 2.0 / std::tan(22.5 * M_PI / 180);
        return PixelGrey(im.pixel(int(im.width() / 2 + x / -vz * k), int(im.height() / 2 - vy / -vz * k)));
    };
    struct Row { float angle; bool shadowSeen; } rows[] = {{180, true}, {0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.angle);
        p.ds->sunAngle = r.angle;
        p.c->renderShadows();
        const QImage seen = p.grab();
        const int shade = grey(seen, 0, 40), beside = grey(seen, 70, 40);
        if (r.shadowSeen) EXPECT_GT(beside, shade + 15);
        else EXPECT_NEAR(beside, shade, 6);
        if (!gShot.isEmpty() && r.shadowSeen) seen.save(QString(gShot).replace(".png", "-sun.png"));
    }
}

// A finished render stays on the view with its status until something asks for a new frame:
// from the panel's first click on its Shadows button, with the document window in front, and
// from LiveView > Render Final after a click in the plan. The sun throws the box's shadow on
// the wall, so the render's picture differs from the plain frame; 1 s and 3 s after the
// render's end (its time painted in the status line) the view still shows it.
TEST(LiveViewPanel, AFinishedRenderStaysOnTheViewWithItsStatus) {
    Panel p;
    ASSERT_TRUE(p.openOnShadowedBox(2));
    // The moment the status line shows the render's time.
    struct EndWatch : QObject {
        QLabel* status = nullptr;
        QElapsedTimer clock;
        qint64 end = -1;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (watched == status && event->type() == QEvent::Paint && status->text().endsWith("to render") && end < 0)
                end = clock.elapsed();
            return false;
        }
    } watch;
    watch.status = p.c->liveViewStatusText();
    watch.status->installEventFilter(&watch);
    QAction* shadows = nullptr;
    for (QAction* a : p.c->liveViewToolbar()->actions())
        if (a->text() == "Shadows") shadows = a;
    ASSERT_TRUE(shadows);
    QMDDocumentView* plan = p.w->docView();
    const std::pair<const char*, std::function<bool()>> starts[] = {
        {"the panel's first click", [&] {
             if (!ShowFocused(p.w)) return false;
             QWidget* button = p.c->liveViewToolbar()->widgetForAction(shadows);
             ClickAt(button, button->rect().center());
             return true;
         }},
        {"the menu after a click in the plan", [&] {
             ClickAt(plan, plan->mapFromGlobal(QPoint(300, 300)));
             return ChooseMenuItem(p.w, "LiveView", "showLVAndRenderFinal");
         }},
    };
    QImage plain;
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        // A plain frame first.
        gRefreshRender = 1, p.c->glSurface().window()->update();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !(plain = p.shown()).isNull() && gRefreshRender == 0; }));
        QTest::qWait(300), plain = p.grab();
        watch.end = -1, watch.clock.start();
        ASSERT_TRUE(start());
        ASSERT_TRUE(QTest::qWaitFor([&] { return watch.end >= 0; }, 60000)) << "the render never ended";
        QImage seen[2];
        for (int i : {0, 1}) {
            const qint64 at = watch.end + (i == 0 ? 1000 : 3000);
            QTest::qWait(int(std::max<qint64>(0, at - watch.clock.elapsed())));
            seen[i] = p.grab();
            EXPECT_TRUE(watch.status->text().endsWith("seconds to render"))
                << i << ": " << watch.status->text().toStdString();
        }
        EXPECT_GT(DifferingPixels(seen[0], plain), seen[0].width() * seen[0].height() / 50) << "the plain frame came back";
        EXPECT_EQ(DifferingPixels(seen[1], seen[0]), 0);
        if (!gShot.isEmpty()) seen[1].save(QString(gShot).replace(".png", "-kept.png"));
    }
    // A click in the view (a walk that goes nowhere) asks for a new frame: the plain one.
    QWidget* view = p.c->liveViewOGLWidget();
    ClickAt(view, view->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return DifferingPixels(p.grab(), plain) == 0; }, 5000))
        << "the render stayed after a walk";
    EXPECT_EQ(watch.status->text().toStdString(), "");
    watch.status->removeEventFilter(&watch);
}

// A render in a panel narrower than its status line's texts beside the cut-away controls shows
// what the same render shows in a wide panel: the wide picture's middle.
TEST(LiveViewPanel, ARenderInANarrowPanelShowsAsInAWideOne) {
    Panel p;
    ASSERT_TRUE(p.openOnShadowedBox(2));
    QImage narrow, wide;
    for (QImage* seen : {&narrow, &wide}) {
        p.c->window()->resize(seen == &narrow ? 380 : 640, 520);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !p.grab().isNull() && p.grab().width() == p.c->window()->width(); }));
        p.c->renderShadows();
        QTest::qWait(500);
        *seen = p.grab();
    }
    const QImage middle = wide.copy((wide.width() - narrow.width()) / 2, 0, narrow.width(), narrow.height());
    EXPECT_LT(DifferingPixels(narrow, middle), narrow.width() * narrow.height() / 50);
    if (!gShot.isEmpty()) narrow.save(QString(gShot).replace(".png", "-narrow.png"));
}

// LiveView > Render Final leaves the view as it was until its last pass is summed: every grab
// of the screen while it runs (made from the Escape polls inside it) shows the frame from
// before. Escape pressed during it leaves "Rendering interrupted" in the status line, over the
// plain frame drawn again, and the paints that follow keep both. A panel resized during it is
// drawn at its new size once the render has ended, also when Escape then broke it off (a final
// render or a shadowed one, the panel shrunk or grown).
TEST(LiveViewPanel, AFinalRenderShowsNoUnfinishedSumAndReportsItsInterruption) {
    Panel p;
    // The render's passes go through the shadows.
    ASSERT_TRUE(p.openOnShadowedBox(4));
    // Room to grow on the screen.
    p.c->window()->move(520, 400);
    QLabel* status = p.c->liveViewStatusText();
    const char *final = "showLVAndRenderFinal", *shadows = "showLVAndRenderShadows";
    struct Row { bool escape; QSize resize; const char* status; const char* command; } rows[] = {
        {false, {}, "seconds to render", final},
        {true, {}, "Rendering interrupted", final},
        {false, {-120, -80}, "resized", final},
        {true, {-120, -80}, "Rendering interrupted", final},
        {true, {90, 60}, "Rendering interrupted", shadows}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.command) + ", " + r.status + (r.resize == QSize() ? "" : ", resized"));
        gRefreshRender = 1, p.c->glSurface().window()->update();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !p.shown().isNull() && gRefreshRender == 0; }));
        QTest::qWait(300);
        const QImage before = p.grab();
        int grabs = 0, unlike = 0;
        bool escaped = false, resized = false;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!RenderInterruptScope::busy() || resized) return;
            ++grabs, unlike = std::max(unlike, DifferingPixels(p.grab(), before));
            if (r.escape && !escaped) escaped = true, XDo({"key", "Escape"});
            if (r.resize != QSize()) resized = true, p.c->window()->resize(p.c->window()->size() + r.resize);
        });
        watch.start();
        ASSERT_TRUE(ChooseMenuItem(p.w, "LiveView", r.command));
        ASSERT_TRUE(QTest::qWaitFor([&] { return grabs > 0 && !RenderInterruptScope::busy(); }, 60000));
        watch.stop();
        EXPECT_EQ(unlike, 0) << "pixels of an unfinished render showed, " << grabs << " grabs";
        QTest::qWait(500);
        const QImage after = p.grab();
        if (resized) {
            const QImage drawn = p.shown();
            EXPECT_FALSE(drawn.isNull()) << "the resized view stayed black";
            EXPECT_EQ(drawn.size(), before.size() + r.resize);
            p.c->window()->resize(p.c->window()->size() - r.resize);
        } else if (r.escape) {
            EXPECT_EQ(DifferingPixels(after, before), 0) << "not the plain frame";
        } else {
            EXPECT_TRUE(status->text().endsWith(r.status)) << status->text().toStdString();
            EXPECT_GT(DifferingPixels(after, before), after.width() * after.height() / 50) << "no shadow";
        }
        if (r.escape) {
            EXPECT_EQ(status->text().toStdString(), r.status);
        }
    }
}

// A press held in the view walks with real-time frames: at the fastest speed, which leaves the
// backdrop's picture out, they show the design's sky colour behind the scene; in ClearView and
// in an elevation the paper colour that the full frame shows there.
TEST(LiveViewPanel, AHeldPressShowsTheSkyOrThePaperBehindTheScene) {
    Panel p;
    constexpr RGBColor kSky{51 * 257, 102 * 257, 204 * 257}, kPaper{255 * 257, 240 * 257, 200 * 257};
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.w));
    ASSERT_TRUE(p.open());
    p.ds->skyColor = kSky, p.ds->backgroundColor = kPaper;
    p.c->window()->move(620, 480);
    QWindow* gl = p.c->glSurface().window();
    const QPoint centre = gl->mapToGlobal(QPoint(gl->width() / 2, gl->height() / 2));
    const auto mouse = [](const char* what, QPoint at) {
        XDo({"mousemove", QString::number(at.x()), QString::number(at.y())});
        if (*what) XDo({what, "1"});
    };
    // The top left corner, above the ground and clear of the wall.
    const auto corner = [](const QImage& im, RGBColor c) {
        const QRgb k = im.pixel(3, 3);
        return std::abs(qRed(k) - c.red / 257) + std::abs(qGreen(k) - c.green / 257) + std::abs(qBlue(k) - c.blue / 257) <= 3;
    };
    struct Row { const char* what; int16_t speed, mode, elevation; RGBColor clear; } rows[] = {
        {"the fastest speed", 10, rendermode::kSolid, 0, kSky},
        {"ClearView", 8, rendermode::kClearView, 0, kPaper},
        {"Top Side Elevation", 8, rendermode::kSolid, 3, kPaper}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        p.ds->navigationSpeed = r.speed, p.ds->renderMode = r.mode, p.ds->elevationView = r.elevation;
        p.ds->cameraHeading = 0, SetUpLiveViewCamera(p.ds);
        ASSERT_TRUE(QTest::qWaitFor([] { return gRefreshRender == 0 && gRenderDirty == 0; }));
        if (r.elevation || r.mode == rendermode::kClearView) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return corner(p.grab(), kPaper); })) << "the full frame";
        }
        mouse("mousedown", centre);
        ASSERT_TRUE(QTest::qWaitFor([&] { return p.c->liveViewOGLView()->navigation().active(); }));
        mouse("", centre + QPoint(10, 0)), mouse("", centre + QPoint(20, 0));
        // A real-time frame marks the picture as not the full one; the screen shows it once drawn.
        EXPECT_TRUE(QTest::qWaitFor([] { return gRenderDirty == 1; })) << "no real-time frame";
        QImage held;
        const bool cleared = QTest::qWaitFor([&] { return corner(held = p.grab(), r.clear); });
        mouse("mouseup", centre + QPoint(20, 0));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !p.c->liveViewOGLView()->navigation().active(); }));
        EXPECT_TRUE(cleared) << QColor(held.pixel(3, 3)).name().toStdString();
        if (!gShot.isEmpty()) held.save(QString(gShot).replace(".png", QString("-held-%1.png").arg(r.speed * 10 + r.elevation)));
    }
}

TEST(LiveViewPanel, ToolbarAndCameraCommands) {
    Panel p;
    QStringList items;
    for (QAction* a : p.c->liveViewToolbar()->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + "|" + a->text() + "|" + a->toolTip());
    EXPECT_EQ(items, QStringList({"LiveView Toolbar Animated Walk Item|Free Walk|Activates animated walk-through navigation mode",
                                  "LiveView Toolbar Animated Fly Item|Free Fly|Activates animated fly-around navigation mode", "-",
                                  "LiveView Toolbar Render Final Item|Render|Perform a final render",
                                  "LiveView Toolbar Render Shadows Item|Shadows|Render scene with shadows",
                                  "LiveView Toolbar Lighting Options Item|Lighting|Set scene lighting options"}));
    EXPECT_EQ(p.c->liveViewToolbar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
    // Hiding "Render Shadows" holds for the next panel.
    std::unique_ptr<QMenu>(p.c->toolbarConfigurationMenu())->actions()[3]->setChecked(false);
    LiveViewController::destroyShared();
    p.c = LiveViewController::sharedLiveViewController();
    QStringList shown;
    for (QAction* a : p.c->liveViewToolbar()->actions()) if (a->isVisible() && !a->isSeparator()) shown << a->text();
    EXPECT_EQ(shown, QStringList({"Free Walk", "Free Fly", "Render", "Lighting"}));

    p.ds->navigationFlag = 1, p.ds->cameraMode = 2, p.ds->elevationView = 3;
    p.c->freeWalkThrough();
    EXPECT_EQ(std::make_tuple(p.ds->navigationFlag, p.ds->cameraMode, p.ds->elevationView), std::make_tuple(0, 1, 0));
    EXPECT_EQ(p.c->liveViewOGLView()->cursor(), LiveViewOGLView::LVCursor::FreeWalk);
    p.c->controlledFlyAround();
    EXPECT_EQ(p.ds->cameraMode, 2);
    EXPECT_EQ(p.c->liveViewOGLView()->cursor(), LiveViewOGLView::LVCursor::CtrlFly);

    // Eye level: at the lot's bottom less 125, at the floor's middle height.
    p.ds->cameraMode = 1, p.ds->lightOffset = {4, 5}, p.ds->cameraValue = 7, p.ds->cameraHeading = 45;
    p.c->reset3DView();
    Layer* floor = gCurDocument->itsCurLayer;
    EXPECT_EQ(std::make_tuple(p.ds->cameraHeading, p.ds->cameraPosition.floatH, p.ds->cameraPosition.floatV),
              std::make_tuple(0.0f, 0.0f, p.ds->lotRect.floatBottom - 125));
    EXPECT_FLOAT_EQ(p.ds->eyeHeight, ConvertWorldToScreen(GetLayerAbsBaseHeight(floor), p.ds, 0) +
                                         ConvertWorldToScreen(floor->height, p.ds, 0) / 2);
    EXPECT_EQ(std::make_tuple(p.ds->lightOffset.floatH, p.ds->cameraValue), std::make_tuple(0.0f, 0.0f));
    p.ds->cameraMode = 2;
    p.c->reset3DView();
    EXPECT_EQ(std::make_tuple(p.ds->flyAltitude, p.ds->flyValueA, p.ds->flyValueB), std::make_tuple(1500.0f, 20.0f, 330.0f));

    EXPECT_EQ(p.c->windowWillReturnUndoManager(), p.w->document()->undoStack());
    // The toolbar's pull-downs: the mode checked, a choice carried out.
    p.ds->renderMode = 5;
    QMenu* styles = p.c->setRenderStyleUsingTBMenu(nullptr);
    for (QAction* a : styles->actions()) EXPECT_EQ(a->isChecked(), a->text() == "Solid Render") << a->text().toStdString();
    styles->actions()[1]->trigger();
    EXPECT_EQ(p.ds->renderMode, 1);
    styles->close();
    QMenu* viewpoints = p.c->setViewpointUsingTBMenu(nullptr);
    for (QAction* a : viewpoints->actions()) if (a->data().toInt() == 5154) a->trigger();
    EXPECT_EQ(p.ds->cameraPosition.floatV, p.ds->lotRect.floatTop + 125);
    viewpoints->close();
}

TEST(LiveViewPanel, ExportsWhatTheViewShowsAtTheSizeAndPrintsItOnPages) {
    Panel p;
    ASSERT_TRUE(p.open());
    const std::string dir = p.services.folders.temporaryBase();
    // Pass count, shadows flag and hide flags: each export gives them back.
    p.ds->lightSetting = 6, p.ds->shadowsOn = 0, p.ds->renderValue = 0x20;
    const auto settings = [&] { return std::make_tuple(p.ds->lightSetting, p.ds->shadowsOn, p.ds->renderValue); };
    const auto kSettings = settings();
    struct Row { int format, quality, width, height; const char* name; int wantWidth, wantHeight; };
    for (const Row& r : {Row{3, 0, 320, 200, "current.png", 320, 200}, Row{0, 1, 5, 40, "narrow.bmp", 16, 40},
                         Row{3, 2, 3000, 2000, "large.png", 3000, 2000}}) {
        SCOPED_TRACE(r.name);
        p.c->imageFormat = r.format, p.c->renderQuality = r.quality, p.c->exportSize = QSize(r.width, r.height);
        const std::string path = dir + "/" + r.name;
        p.c->export3DSavePanelDidEnd(path);
        QImage read(QString::fromStdString(path));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.size(), QSize(r.wantWidth, r.wantHeight));
        // The top row is the sky's, the bottom one the ground's: not upside down.
        EXPECT_GT(PixelGrey(read.pixel(0, 0)), PixelGrey(read.pixel(0, read.height() - 1)) + 40);
        EXPECT_EQ(settings(), kSettings);
    }
    // Through the panels: BMP at low quality, the size fields live only beyond "Current Image".
    dvxtest::ScriptedFileDialogs panels;
    port::setFileDialogs(&panels);
    panels.choose(dir + "/panel.bmp");
    p.c->displayExport3DSavePanel();
    QWidget* accessory = p.c->export3DView();
    ASSERT_TRUE(accessory && QTest::qWaitForWindowExposed(accessory));
    auto* quality = accessory->findChild<QComboBox*>("renderQualityPopUpButton");
    auto* width = accessory->findChild<QSpinBox*>("exportImageWidthText");
    quality->setCurrentIndex(0);
    EXPECT_FALSE(width->isEnabled());
    quality->setCurrentIndex(1);
    EXPECT_TRUE(width->isEnabled());
    accessory->findChild<QComboBox*>("imageFormatPopUpButton")->setCurrentIndex(0);
    width->setValue(40), accessory->findChild<QSpinBox*>("exportImageHeightText")->setValue(30);
    QTest::mouseClick(accessory->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    ASSERT_EQ(panels.asked.size(), 1u);
    EXPECT_EQ(panels.asked[0].extensions, std::vector<std::string>{"bmp"});
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/panel.bmp")).size(), QSize(40, 30));
    EXPECT_TRUE(p.services.alerts.shown.empty());
    // Escape during the render, and a folder that is not there: an alert each, no file. Enough
    // pieces behind the eye for the render to look for Escape.
    for (int i = 0; i < 200; ++i) {
        Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-1000.0f + 10 * i, 600}, {-995.0f + 10 * i, 600}});
        wall->planBits = p.ds->visiblePlans;
        Update3DWall(wall);
    }
    RebuildLiveViewScene();
    struct Failing { bool escape; std::string path; const char* alert; };
    for (const Failing& r : {Failing{true, dir + "/escaped.png", "Exporting interrupted."},
                             Failing{false, dir + "/missing/folder/view.png", "Unable to export the 3D image."}}) {
        SCOPED_TRACE(r.alert);
        p.services.alerts.shown.clear();
        p.c->renderQuality = 4, p.c->exportSize = QSize(200, 150);
        if (r.escape)
            QCoreApplication::postEvent(p.c->glSurface().window(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        p.c->export3DSavePanelDidEnd(r.path);
        ASSERT_EQ(p.services.alerts.shown.size(), 1u);
        EXPECT_EQ(p.services.alerts.shown[0].alert.message, r.alert);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(r.path)));
        EXPECT_EQ(settings(), kSettings);
    }

    // Printed a pixel a point: one page when it fits, two across at twice the page's width.
    for (const auto& [width, pages] : {std::pair{300, 1}, std::pair{800, 2}}) {
        QImage picture(width, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        std::vector<QImage> painted;
        QPainter painter;
        auto page = [&] {
            if (painter.isActive()) painter.end();
            painted.emplace_back(400, 300, QImage::Format_RGB32).fill(Qt::white);
            return painter.begin(&painted.back());
        };
        page();
        EXPECT_EQ(LiveViewController::printImagePages(painter, picture, QSizeF(400, 300), page), pages);
        painter.end();
        ASSERT_EQ(int(painted.size()), pages);
        EXPECT_EQ(painted[0].pixel(std::min(width, 400) - 1, 99), qRgb(255, 0, 0));
        EXPECT_EQ(painted[0].pixel(10, 100), qRgb(255, 255, 255));
        EXPECT_EQ(painted.back().pixel(width < 400 ? width : 0, 50), width < 400 ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
    }
}

TEST(LiveViewPanel, CutAwayButtonsWrapAndClearThePosition) {
    Panel p;
    p.ds->cutAwayKind = 0, p.ds->cutAwayPosition = 30;
    p.c->updateCutAwayImageAndPosition();
    const qint64 north = p.c->cutAwaySliderImage()->pixmap().cacheKey();
    p.c->cutAwaySliderDownButtonChanged();
    EXPECT_EQ(std::make_pair(p.ds->cutAwayKind, p.ds->cutAwayPosition), std::make_pair(int16_t(4), 0));
    EXPECT_NE(p.c->cutAwaySliderImage()->pixmap().cacheKey(), north);
    p.ds->cutAwayPosition = 12;
    p.c->cutAwaySliderUpButtonChanged();
    EXPECT_EQ(std::make_pair(p.ds->cutAwayKind, p.ds->cutAwayPosition), std::make_pair(int16_t(0), 0));

    // A press takes the design's range now, keeping the value's share: 50 of 100 is 100 of 200.
    QAbstractSlider* slider = p.c->cutAwaySlider();
    gCutawayRange = 100, p.c->updateCutAwaySliderBounds(), slider->setValue(50);
    gCutawayRange = 200;
    slider->setSliderDown(true);
    EXPECT_EQ(std::make_tuple(slider->maximum(), slider->value(), p.ds->cutAwayPosition), std::make_tuple(200, 100, 100));
    slider->setSliderDown(false);
}

// Dropped entries paint by kind and store one step named by it, none when they change nothing;
// a 3D object is refused. Auto-click runs with Alt held and a colour, material or trim category
// chosen, and stores one step when Alt comes up or the pointer leaves, if it changed anything.
TEST(LiveViewPanel, DropsAndAutoClickPaintStoringOneStepEach) {
    Panel p;
    ASSERT_TRUE(p.open());
    QUndoStack* undo = p.w->document()->undoStack();
    LiveViewOGLView* view = p.c->liveViewOGLView();
    const QPointF centre(p.c->liveViewOGLWidget()->width() / 2.0, p.c->liveViewOGLWidget()->height() / 2.0);
    auto entry = [](int16_t kind) {
        SymEntryInfo e;
        e.type = kind, e.textureID = 3, e.refNum = 1, e.textureColor = {200, 10, 10};
        return e;
    };
    // On this wall, whose faces hold no trim records, a moulding, a custom material without its
    // image and a custom moulding with no custom trim are taken and change nothing.
    struct Row { int16_t kind, id; bool taken; const char* step; };
    for (const Row& r : {Row{4, 3, true, "Color"}, Row{5, 3, true, "Material"}, Row{7, 100, true, nullptr},
                         Row{9, 3, true, nullptr}, Row{12, 3, true, nullptr}, Row{2, 3, false, nullptr}}) {
        SCOPED_TRACE(r.kind);
        const int before = undo->count();
        SymEntryInfo e = entry(r.kind);
        e.textureID = r.id;
        const std::vector<uint8_t> bytes = e.encodeSymEntry();
        EXPECT_EQ(view->performDragOperation(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())), centre),
                  r.taken);
        EXPECT_EQ(undo->count(), before + (r.step ? 1 : 0));
        if (r.step) { EXPECT_EQ(undo->text(undo->count() - 1).toStdString(), r.step); }
    }
    // Dropped again where it already is, a colour or material changes nothing: no step.
    for (int16_t kind : {4, 5}) {
        const std::vector<uint8_t> bytes = entry(kind).encodeSymEntry();
        const QByteArray record(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
        view->performDragOperation(record, centre);
        const int before = undo->count();
        EXPECT_TRUE(view->performDragOperation(record, centre));
        EXPECT_EQ(undo->count(), before) << kind;
    }

    int16_t category = 5;
    uint16_t red = 200;  // each auto-click below paints a colour of its own
    SetContentPaletteSelectedSymEntryHandler([&] {
        SymEntryInfo e = entry(4);
        e.textureColor.red = red;
        return std::optional<SymEntryInfo>(e);
    });
    SetContentPaletteSelectedCategoryHandler([&] { return category; });
    QWindow* gl = p.c->glSurface().window();
    const QPoint at = centre.toPoint();
    auto Key = [](QWindow* window, QEvent::Type type, Qt::KeyboardModifiers mods) {
        QKeyEvent e(type, Qt::Key_Alt, mods);
        QApplication::sendEvent(window, &e);
    };
    Key(gl, QEvent::KeyPress, Qt::AltModifier);
    EXPECT_FALSE(view->autoClick3DActive()) << "a plant category started auto-click";
    Key(gl, QEvent::KeyRelease, Qt::NoModifier);
    category = 1;
    for (bool leave : {false, true}) {
        SCOPED_TRACE(leave ? "leaving" : "releasing Alt");
        const int before = undo->count();
        Key(gl, QEvent::KeyPress, Qt::AltModifier);
        ASSERT_TRUE(view->autoClick3DActive());
        EXPECT_EQ(view->cursor(), LiveViewOGLView::LVCursor::PointingHand);
        for (int i = 0; i < 3; ++i) QTest::mouseClick(gl, Qt::LeftButton, Qt::AltModifier, at + QPoint(4 * i, 0));
        EXPECT_EQ(undo->count(), before);
        if (leave) {
            QEvent left(QEvent::Leave);
            QApplication::sendEvent(gl, &left);
        }
        Key(gl, QEvent::KeyRelease, Qt::NoModifier);
        EXPECT_FALSE(view->autoClick3DActive());
        ASSERT_EQ(undo->count(), before + 1);
        EXPECT_EQ(undo->text(undo->count() - 1).toStdString(), "Auto-click Color");
        red = 100;
    }
    // The same colour clicked again where it already is: no step.
    const int before = undo->count();
    Key(gl, QEvent::KeyPress, Qt::AltModifier);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(gl, Qt::LeftButton, Qt::AltModifier, at + QPoint(4 * i, 0));
    Key(gl, QEvent::KeyRelease, Qt::NoModifier);
    EXPECT_EQ(undo->count(), before);
    SetContentPaletteSelectedSymEntryHandler(nullptr), SetContentPaletteSelectedCategoryHandler(nullptr);
}

// With an accessory chosen (a 3D object, which cannot paint a surface), each auto-click still
// leaves its marker, a white cross outlined in black, at its point; the design is unchanged,
// so Alt coming up stores no step.
TEST(LiveViewPanel, AnAutoClickThatCannotPaintStillMarksItsPoint) {
    Panel p;
    ASSERT_TRUE(p.open());
    QUndoStack* undo = p.w->document()->undoStack();
    LiveViewOGLView* view = p.c->liveViewOGLView();
    SetContentPaletteSelectedSymEntryHandler([] {
        SymEntryInfo e;
        e.type = 2, e.refNum = 1;
        return std::optional<SymEntryInfo>(e);
    });
    SetContentPaletteSelectedCategoryHandler([] { return int16_t(0); });
    QWindow* gl = p.c->glSurface().window();
    auto Key = [](QWindow* window, QEvent::Type type, Qt::KeyboardModifiers mods) {
        QKeyEvent e(type, Qt::Key_Alt, mods);
        QApplication::sendEvent(window, &e);
    };
    const int before = undo->count();
    Key(gl, QEvent::KeyPress, Qt::AltModifier);
    ASSERT_TRUE(view->autoClick3DActive());
    const QImage plain = p.shown();
    ASSERT_FALSE(plain.isNull());
    // White and black pixels within the marker's square round a point.
    const auto marks = [](const QImage& im, QPoint at) {
        int white = 0, black = 0;
        for (int y = at.y() - 8; y <= at.y() + 8; ++y)
            for (int x = at.x() - 8; x <= at.x() + 8; ++x)
                if (const int g = PixelGrey(im.pixel(x, y)); g > 245) ++white;
                else if (g < 20) ++black;
        return std::make_pair(white, black);
    };
    const QPoint centre(plain.width() / 2, plain.height() / 2), other = centre + QPoint(40, 0);
    ASSERT_EQ(marks(plain, centre), std::make_pair(0, 0)) << "the wall is not plain grey at the centre";
    for (const QPoint& at : {centre, centre + QPoint(-40, 0)})
        QTest::mouseClick(gl, Qt::LeftButton, Qt::AltModifier, at);
    QImage seen;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        seen = p.grab();
        return marks(seen, centre).first > 20 && marks(seen, centre + QPoint(-40, 0)).first > 20;
    })) << "a click left no marker";
    EXPECT_GT(marks(seen, centre).second, 10);
    EXPECT_EQ(marks(seen, other), marks(plain, other));
    Key(gl, QEvent::KeyRelease, Qt::NoModifier);
    EXPECT_FALSE(view->autoClick3DActive());
    EXPECT_EQ(undo->count(), before);
    SetContentPaletteSelectedSymEntryHandler(nullptr), SetContentPaletteSelectedCategoryHandler(nullptr);
}

// A plant stands 200 ahead, in front of the wall. A press on it with Shift held, made with the
// server's mouse, selects nothing and keeps the selection: it walks as any press does, the
// drag right of it turning the view.
TEST(LiveViewPanel, AShiftPressOnThePlantWalksAndSelectsNothing) {
    Panel p;
    Objex* plant = BuildLandscapePlant(gCurDocument->itsCurLayer, 1, 3000);
    ASSERT_NE(plant, nullptr);
    const float side = plant->firstPoint->next->position[0] - plant->firstPoint->position[0];
    for (Poinz* q = plant->firstPoint; q; q = q->next) q->position[0] -= side / 2, q->position[2] += -200 - side / 2;
    UpdateObjectBounds(plant);
    ASSERT_TRUE(p.open());
    float height = 0;
    for (const PlaneObject* piece = gGLPlaneObjects; piece; piece = piece->next)
        if (piece->baseObject == plant) height = piece->plantHeight;
    ASSERT_GT(height, 5);
    Objex* wall = gCurDocument->itsCurLayer->firstObject;
    SelectObj(wall, selmode::kSelect, 0);
    // Half the plant's height up, 200 ahead of the eye at 60 with 22.5 degrees above the middle.
    QWindow* gl = p.c->glSurface().window();
    const double k = gl->height() / 2.0 / (200 * std::tan(22.5 * M_PI / 180));
    const QPoint at = gl->mapToGlobal(QPoint(gl->width() / 2, int(gl->height() / 2 - (height / 2 - 60) * k)));
    const float heading = p.ds->cameraHeading;
    const auto moveTo = [](QPoint q) { XDo({"mousemove", QString::number(q.x()), QString::number(q.y())}), QTest::qWait(50); };
    moveTo(at);
    XDo({"keydown", "shift"}), XDo({"mousedown", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.c->liveViewOGLView()->navigation().active(); })) << "the press did not walk";
    moveTo(at + QPoint(60, 0)), moveTo(at + QPoint(120, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p.ds->cameraHeading != heading; }, 3000)) << "the view never turned";
    XDo({"mouseup", "1"}), XDo({"keyup", "shift"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.c->liveViewOGLView()->navigation().active(); }));
    EXPECT_FALSE(IsObjectSelected(plant));
    EXPECT_TRUE(IsObjectSelected(wall));
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
