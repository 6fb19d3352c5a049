#include "app/live_view_surface.h"

#include <QEvent>
#include <QOpenGLContext>
#include <QWidget>

#include "render/core/interrupt_source.h"
#include "render/light_glows.h"

namespace {
// How often a paint held back by a render looks again.
constexpr int kDeferredPaintMs = 20;
}  // namespace

QSurfaceFormat QtGLSurface::format() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    // 24 bits of depth: no X visual offers the 32 a pixel format could ask for.
    f.setDepthBufferSize(24);
    f.setStencilBufferSize(8);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setAlphaBufferSize(8);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

LiveViewGLWindow::LiveViewGLWindow() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate) {
    setFormat(QtGLSurface::format());
    deferred_.setSingleShot(true);
    deferred_.setInterval(kDeferredPaintMs);
    connect(&deferred_, &QTimer::timeout, this, [this] {
        if (RenderInterruptScope::busy()) deferred_.start();
        else update();
    });
}

bool LiveViewGLWindow::event(QEvent* event) {
    // The window system's own paint events (an expose on X) paint as well as update requests.
    const bool paints = event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose ||
                        event->type() == QEvent::Paint;
    if (paints && RenderInterruptScope::busy() && isValid()) {
        deferred_.start();
        return true;
    }
    return QOpenGLWindow::event(event);
}

void LiveViewGLWindow::initializeGL() {
    StartGLContextObjects();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        EndGLContextObjects();
    });
}

void LiveViewGLWindow::paintGL() {
    if (onPaint) onPaint();
}

QtGLSurface::QtGLSurface() : window_(new LiveViewGLWindow), unowned_(window_) {}

QtGLSurface::~QtGLSurface() {
    if (window_ && offscreen()) endOffscreen();
    delete unowned_;
}

QWidget* QtGLSurface::container(QWidget* parent) {
    if (!container_ && window_) {
        container_ = QWidget::createWindowContainer(window_, parent);
        container_->setMinimumSize(1, 1);
        unowned_ = nullptr;
    }
    return container_;
}

bool QtGLSurface::makeCurrent() {
    if (!window_ || !window_->isValid()) return false;
    window_->makeCurrent();
    if (QOpenGLContext::currentContext() != window_->context()) return false;
    bindOffscreen();
    return true;
}

void QtGLSurface::present() {
    if (!window_ || !window_->isValid() || offscreen()) return;
    window_->context()->swapBuffers(window_);
}

SurfaceSize QtGLSurface::surfaceSize() const {
    if (!window_) return {};
    const qreal ratio = window_->devicePixelRatio();
    return {static_cast<int>(window_->width() * ratio), static_cast<int>(window_->height() * ratio)};
}

uint32_t QtGLSurface::surfaceFramebuffer() const {
    return window_ && window_->isValid() ? window_->defaultFramebufferObject() : 0;
}
