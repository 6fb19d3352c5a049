#include "app/live_view_surface.h"

#include <QEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
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

LiveViewGLWindow::LiveViewGLWindow() {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(QtGLSurface::format());
    deferred_.setSingleShot(true);
    deferred_.setInterval(kDeferredPaintMs);
    connect(&deferred_, &QTimer::timeout, this, [this] {
        if (RenderInterruptScope::busy()) deferred_.start();
        else update();
    });
}

LiveViewGLWindow::~LiveViewGLWindow() { context_.reset(); }

bool LiveViewGLWindow::makeCurrent() { return handle() && isValid() && context_->makeCurrent(this); }

bool LiveViewGLWindow::makeContext() {
    if (isValid()) return true;
    if (!context_) {
        context_ = std::make_unique<QOpenGLContext>();
        // The context's own objects go before it does, also when it is made again (lost, or
        // not made the first time).
        connect(context_.get(), &QOpenGLContext::aboutToBeDestroyed, this,
                [this, context = context_.get()] {
                    if (handle()) context->makeCurrent(this);
                    EndGLContextObjects();
                });
    }
    context_->setFormat(requestedFormat());
    if (!context_->create()) return false;
    StartGLContextObjects();
    return true;
}

bool LiveViewGLWindow::event(QEvent* event) {
    // The window system's own paint events (an expose on X) paint as well as update requests.
    const bool paints = event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint;
    if (!paints) return QWindow::event(event);
    if (RenderInterruptScope::busy() && isValid()) deferred_.start();
    else paint();
    return true;
}

void LiveViewGLWindow::paint() {
    // No surface (the panel closed), or no context that can be current on it: nothing is drawn.
    if (!handle() || !makeContext() || !context_->makeCurrent(this)) return;
    QOpenGLFunctions* f = context_->functions();
    f->glBindFramebuffer(GL_FRAMEBUFFER, context_->defaultFramebufferObject());
    const qreal ratio = devicePixelRatio();
    f->glViewport(0, 0, int(width() * ratio), int(height() * ratio));
    if (onPaint) onPaint();
    // The draw may run events (a render's Escape poll) that take the surface away.
    if (handle() && QOpenGLContext::currentContext() == context_.get() && context_->surface() == this) swapBuffers();
}

QSize LiveViewGLWindow::pixelSize() const { return size() * devicePixelRatio(); }

void LiveViewGLWindow::swapBuffers() {
    context_->swapBuffers(this);
    swapped_ = pixelSize();
}

void LiveViewGLWindow::sizeBuffers() {
    if (swapped_ == pixelSize() || !makeCurrent()) return;
    QOpenGLFunctions* f = context_->functions();
    f->glBindFramebuffer(GL_FRAMEBUFFER, context_->defaultFramebufferObject());
    f->glClearColor(0, 0, 0, 1);
    f->glClear(GL_COLOR_BUFFER_BIT);
    swapBuffers();
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
    if (!window_ || !window_->makeCurrent()) return false;
    bindOffscreen();
    return true;
}

void QtGLSurface::present() {
    if (!window_ || !window_->isValid() || !window_->handle() || offscreen()) return;
    window_->swapBuffers();
}

SurfaceSize QtGLSurface::surfaceSize() const {
    if (!window_) return {};
    const qreal ratio = window_->devicePixelRatio();
    return {static_cast<int>(window_->width() * ratio), static_cast<int>(window_->height() * ratio)};
}

uint32_t QtGLSurface::surfaceFramebuffer() const {
    return window_ && window_->isValid() ? window_->context()->defaultFramebufferObject() : 0;
}
