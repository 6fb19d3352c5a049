// The live view's GL surface and the render interrupt on a virtual X server (the grab of the
// surface's window is kept beside the test as live-view-surface.png).
#include <gtest/gtest.h>

#include <QApplication>
#include <QExposeEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>


#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "app/live_view_surface.h"
#include "app/render_interrupt.h"
#include "render/accum_buffer.h"
#include "window/window_support.h"

namespace {

QString gShot;

void Clear(float r, float g, float b) {
    QOpenGLFunctions* f = QOpenGLContext::currentContext()->functions();
    f->glDisable(GL_SCISSOR_TEST);
    f->glClearColor(r, g, b, 1);
    f->glClear(GL_COLOR_BUFFER_BIT);
}

bool Near(QRgb c, int r, int g, int b, int tolerance = 2) {
    return std::abs(qRed(c) - r) <= tolerance && std::abs(qGreen(c) - g) <= tolerance &&
           std::abs(qBlue(c) - b) <= tolerance;
}

bool NearBytes(const std::vector<uint8_t>& rgba, size_t pixel, int r, int g, int b, int tolerance = 2) {
    const uint8_t* p = rgba.data() + pixel * 4;
    return Near(qRgb(p[0], p[1], p[2]), r, g, b, tolerance);
}

// A shown surface, then in turn: a clear presented shows in a grab of its window; a final
// render's passes sum in a framebuffer, since the window has no accumulation bits; an
// offscreen target larger than the screen renders and reads back; an update during a render
// waits until the render is over.
TEST(LiveViewSurface, PresentsSumsPassesRendersOffscreenAndHoldsUpdatesDuringARender) {
    QWidget host;
    QtGLSurface s;
    host.resize(320, 240);
    (new QVBoxLayout(&host))->addWidget(s.container(&host));
    host.layout()->setContentsMargins(0, 0, 0, 0);
    // What Qt repaints on its own is grey: only the surface's own present shows the colour.
    s.window()->onPaint = [] { Clear(0.5f, 0.5f, 0.5f); };
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host) && QTest::qWaitForWindowExposed(s.window()) &&
                QTest::qWaitFor([&] { return s.window()->isValid(); }));
    ASSERT_TRUE(s.makeCurrent());
    const QSurfaceFormat got = QOpenGLContext::currentContext()->format();
    EXPECT_GE(got.depthBufferSize(), 24);
    EXPECT_GE(got.stencilBufferSize(), 8);
    EXPECT_EQ(s.size().width, 320);
    QImage grab;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        // A late expose may repaint grey over the frame: present it again until it shows.
        if (s.makeCurrent()) Clear(0.2f, 0.6f, 0.8f), s.present();
        grab = host.screen()->grabWindow(host.winId()).toImage();
        return !grab.isNull() && Near(grab.pixel(grab.width() / 2, grab.height() / 2), 51, 153, 204);
    })) << "the presented colour never reached the window";
    EXPECT_TRUE(Near(grab.pixel(5, 5), 51, 153, 204));
    if (!gShot.isEmpty()) grab.save(gShot);

    ASSERT_TRUE(s.makeCurrent());
    QOpenGLFunctions* f = QOpenGLContext::currentContext()->functions();
    f->glViewport(0, 0, 320, 240);
    {
        AccumBuffer sum;
        EXPECT_EQ(sum.path(), AccumBuffer::Path::Framebuffer);
        sum.clear();
        ASSERT_TRUE(sum.ok());
        Clear(1, 0, 0);
        sum.add(0.5f);
        Clear(0, 0, 1);
        sum.add(0.5f);
        Clear(0, 1, 0);  // what the sum replaces
        sum.returnScaled(1.0f);
    }
    std::vector<uint8_t> image = s.readPixels();
    ASSERT_EQ(image.size(), 320u * 240u * 4u);
    EXPECT_TRUE(NearBytes(image, 0, 128, 0, 128, 1));
    EXPECT_TRUE(NearBytes(image, 239u * 320u + 319u, 128, 0, 128, 1));

    ASSERT_TRUE(s.beginOffscreen(3000, 2000));
    EXPECT_EQ(s.size().height, 2000);
    f->glViewport(0, 0, 3000, 2000);
    Clear(0, 0, 1);
    f->glEnable(GL_SCISSOR_TEST);
    f->glScissor(0, 0, 3000, 1);  // the bottom row red
    f->glClearColor(1, 0, 0, 1);
    f->glClear(GL_COLOR_BUFFER_BIT);
    f->glDisable(GL_SCISSOR_TEST);
    s.present();  // mid-render, it leaves the offscreen drawing alone
    ASSERT_TRUE(s.makeCurrent());
    image = s.readPixels();
    ASSERT_EQ(image.size(), 3000u * 2000u * 4u);
    EXPECT_TRUE(NearBytes(image, 2999, 255, 0, 0));
    EXPECT_TRUE(NearBytes(image, 1999u * 3000u + 2999u, 0, 0, 255));
    s.endOffscreen();
    EXPECT_EQ(s.size().width, 320);

    int paints = 0;
    s.window()->onPaint = [&paints] { ++paints; };
    {
        RenderInterruptScope render;
        s.window()->update();
        QTest::qWait(100);
        EXPECT_EQ(paints, 0);
    }
    EXPECT_TRUE(QTest::qWaitFor([&paints] { return paints > 0; }, 2000));
}

// What Qt does with an expose the window system queued: an expose, then a paint. It may
// arrive after the window lost its surface.
void Expose(QWindow* window) {
    const QRegion all(0, 0, window->width(), window->height());
    QExposeEvent expose(all);
    QCoreApplication::sendEvent(window, &expose);
    QPaintEvent paint(all);
    QCoreApplication::sendEvent(window, &paint);
}

// Each way the window loses its surface or context, or has its paints cut short, followed by
// an expose: the paint with no surface or no usable context draws nothing (and must not
// crash, as it did inside Qt's own paint), and the next expose with both draws again.
TEST(LiveViewSurface, AnExposeWithoutASurfaceOrContextDrawsNothingAndTheNextExposeDrawsAgain) {
    QWidget host;
    QtGLSurface s;
    host.resize(320, 240);
    (new QVBoxLayout(&host))->addWidget(s.container(&host));
    host.layout()->setContentsMargins(0, 0, 0, 0);
    int paints = 0, colour = 0;
    // A colour a path: the frame shown tells which expose drew it.
    static constexpr int kColours[][3] = {{51, 153, 204}, {204, 51, 51}, {51, 204, 51}, {204, 204, 51},
                                          {204, 51, 204}, {51, 204, 204}, {153, 102, 51}, {102, 51, 153}};
    std::function<void()> during;
    s.window()->onPaint = [&] {
        ++paints;
        const int* c = kColours[colour % 8];
        Clear(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f);
        if (during) std::exchange(during, nullptr)();
    };
    // The next expose shows the next colour on `top`'s grab.
    auto drawsAgain = [&](QWidget& top) {
        const int* c = kColours[++colour % 8];
        return QTest::qWaitFor([&] {
            if (top.isVisible()) Expose(s.window());
            const QImage grab = top.screen()->grabWindow(top.winId()).toImage();
            return !grab.isNull() && Near(grab.pixel(grab.width() / 2, grab.height() / 2), c[0], c[1], c[2]);
        });
    };
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host) && QTest::qWaitFor([&] { return s.window()->isValid(); }));
    ASSERT_TRUE(drawsAgain(host));

    // The container hidden and shown again.
    s.container()->hide();
    Expose(s.window());
    s.container()->show();
    EXPECT_TRUE(drawsAgain(host)) << "after the container was hidden";

    // The panel closed: its window's surface goes, and an expose queued before still comes.
    host.close();
    ASSERT_FALSE(s.window()->handle());
    int before = paints;
    Expose(s.window());
    s.window()->update();
    QTest::qWait(50);
    EXPECT_EQ(paints, before);
    EXPECT_FALSE(s.makeCurrent());
    host.show();
    EXPECT_TRUE(drawsAgain(host)) << "after the panel was closed";

    // The panel closed by what runs during a draw (a render's poll delivers events).
    during = [&] { host.close(); };
    Expose(s.window());
    EXPECT_FALSE(host.isVisible());
    host.show();
    EXPECT_TRUE(drawsAgain(host)) << "after the panel closed during a draw";

    // The container moved to another window and back.
    {
        QWidget other;
        other.resize(300, 200);
        (new QVBoxLayout(&other))->addWidget(s.container());
        other.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
        EXPECT_TRUE(drawsAgain(other)) << "in another window";
        host.layout()->addWidget(s.container());
        s.container()->show();
    }
    EXPECT_TRUE(drawsAgain(host)) << "back in its own window";

    // The top-level window made again.
    host.setWindowFlags(Qt::Tool);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_TRUE(drawsAgain(host)) << "after its window was made again";

    // An offscreen export, then a render broken off with an expose held back during it.
    ASSERT_TRUE(s.beginOffscreen(64, 64));
    Clear(0, 0, 0);
    s.endOffscreen();
    EXPECT_TRUE(drawsAgain(host)) << "after an offscreen export";
    before = paints;
    {
        RenderInterruptScope render;
        Expose(s.window());
        EXPECT_EQ(paints, before);
    }
    EXPECT_TRUE(drawsAgain(host)) << "after a render was broken off";

    // A context that cannot be made (no driver offers GL 9.9): nothing is drawn; once one can
    // be made the next expose draws. A lost context is the same state: made, then not valid.
    QWidget second;
    QtGLSurface t;
    second.resize(200, 150);
    (new QVBoxLayout(&second))->addWidget(t.container(&second));
    QSurfaceFormat impossible = QtGLSurface::format();
    impossible.setRenderableType(QSurfaceFormat::OpenVG);
    t.window()->setFormat(impossible);
    int secondPaints = 0;
    t.window()->onPaint = [&] { ++secondPaints, Clear(1, 1, 1); };
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    Expose(t.window());
    QTest::qWait(50);
    EXPECT_EQ(secondPaints, 0);
    EXPECT_FALSE(t.window()->isValid());
    EXPECT_FALSE(t.makeCurrent());
    t.window()->setFormat(QtGLSurface::format());
    Expose(t.window());
    EXPECT_TRUE(t.window()->isValid());
    EXPECT_EQ(secondPaints, 1);
}

class ClickCounter : public QWidget {
public:
    int presses = 0;
    QString typed;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
    void keyPressEvent(QKeyEvent* e) override { typed += e->text(); }
};

TEST(RenderInterrupt, DuringARenderOnlyEscapeActsKeysWaitAndAClickReachesNoWidget) {
    ClickCounter target;
    target.resize(200, 150);
    target.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&target));
    QWindow* handle = target.windowHandle();
    QtInterruptSource source;

    source.beginRender();
    QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(source.pollEscape());
    EXPECT_EQ(target.presses, 0);
    QTest::keyClick(handle, Qt::Key_A);
    EXPECT_FALSE(source.pollEscape());
    QTest::keyClick(handle, Qt::Key_B);
    QTest::keyClick(handle, Qt::Key_Escape);
    EXPECT_TRUE(source.pollEscape());
    EXPECT_FALSE(source.pollEscape());  // seen once
    EXPECT_EQ(target.typed, QString());
    source.endRender();
    // The keys waited for the render's end, in the order pressed, and go from the event loop:
    // the render's callers may still be drawing. Escape was the render's.
    EXPECT_EQ(target.typed, QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(target.typed, QStringLiteral("ab"));

    EXPECT_FALSE(source.pollEscape());  // no render, no poll
    QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(target.presses, 1);

    // A field typed in, then the keyboard taken to another window during a render: its edit
    // ends (which would change the design) once the render has ended.
    QLineEdit field;
    int ended = 0;
    QObject::connect(&field, &QLineEdit::editingFinished, [&] { ++ended; });
    field.show();
    field.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&field));
    QTest::keyClicks(&field, "12");
    source.beginRender();
    target.activateWindow();
    for (int i = 0; i < 50 && QApplication::focusWidget() == &field; ++i) source.pollEscape(), QTest::qSleep(10);
    source.pollEscape();
    EXPECT_NE(QApplication::focusWidget(), &field);
    EXPECT_EQ(ended, 0) << "the field's edit ended during the render";
    source.endRender();
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) gShot = QString::fromLocal8Bit(argv[1]);
    const int result = RUN_ALL_TESTS();
    KeepGLDriversLoaded();
    return result;
}
