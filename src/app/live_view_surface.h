#pragma once
// The live view's GL surface in the program: a QOpenGLWindow (compatibility profile, depth 24,
// stencil 8, double-buffered) shown inside a widget through a window container. The renderer
// draws whenever it makes the surface current, so `present` can swap in the middle of a
// render (each finished pass of a final render shows). Qt's GL windows have no accumulation
// bits: a final render sums its passes in a framebuffer object (render/accum_buffer.h).
#include <QOpenGLWindow>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "render/gl_surface.h"

class QWidget;

class LiveViewGLWindow : public QOpenGLWindow {
    Q_OBJECT
public:
    LiveViewGLWindow();
    // What an expose or update of the window draws (the live view's draw); nothing by default.
    std::function<void()> onPaint;

protected:
    // While a render runs (RenderInterruptScope::busy) an expose or update would swap the
    // buffer the render is drawing into: it waits and is repainted once the render is over.
    bool event(QEvent* event) override;
    void paintGL() override;
    // The context's own objects are made with it and go before it does.
    void initializeGL() override;

private:
    QTimer deferred_;
};

class QtGLSurface final : public GLSurface {
public:
    QtGLSurface();
    ~QtGLSurface() override;

    // The widget that shows the surface, made once; it owns the GL window.
    QWidget* container(QWidget* parent = nullptr);
    LiveViewGLWindow* window() const { return window_; }

    // False until the window has been shown (its context is made on the first expose).
    bool makeCurrent() override;
    void present() override;

    // The format asked of the window's context.
    static QSurfaceFormat format();

protected:
    SurfaceSize surfaceSize() const override;
    uint32_t surfaceFramebuffer() const override;

private:
    QPointer<LiveViewGLWindow> window_;
    QPointer<QWidget> container_;
    LiveViewGLWindow* unowned_ = nullptr;  // the window until a container takes it
};
