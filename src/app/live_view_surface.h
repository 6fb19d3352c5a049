#pragma once
// The live view's GL surface in the program: a window with a GL context of its own
// (compatibility profile, depth 24, stencil 8, double-buffered) shown inside a widget through a
// window container. The renderer draws whenever it makes the surface current, so `present` can
// swap in the middle of a render (each finished pass of a final render shows). Qt's GL windows
// have no accumulation bits: a final render sums its passes in a framebuffer object
// (render/accum_buffer.h).
//
// The window paints itself rather than through Qt's QOpenGLWindow, whose paint assumes a
// context current on a live surface: closing the panel takes the surface away (and the current
// context with it) while exposes queued for it still arrive, and a draw can run events that
// close it. Here a paint without a surface or a context that can be made current on it draws
// nothing, and the next paint with both draws again.
#include <QOpenGLContext>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "render/gl_surface.h"

class QWidget;

class LiveViewGLWindow : public QWindow {
    Q_OBJECT
public:
    LiveViewGLWindow();
    ~LiveViewGLWindow() override;
    // What an expose or update of the window draws (the live view's draw); nothing by default.
    std::function<void()> onPaint;

    // Whether the context is made and usable (it is made on the first paint with a surface).
    bool isValid() const { return context_ && context_->isValid(); }
    QOpenGLContext* context() const { return context_.get(); }
    // False without a surface or a usable context.
    bool makeCurrent();
    // Asks for a paint.
    void update() { requestUpdate(); }
    void swapBuffers();
    // The window system gives a resized window buffers of its new size only at its next swap:
    // a frame drawn before then is lost (it reads back black). Swaps a cleared frame when the
    // window was resized since its last swap.
    void sizeBuffers();

protected:
    // While a render runs (RenderInterruptScope::busy) an expose or update would swap the
    // buffer the render is drawing into: it waits and is repainted once the render is over.
    bool event(QEvent* event) override;

private:
    void paint();
    // Makes the context when there is none, or again when it was lost or could not be made.
    bool makeContext();

    QSize pixelSize() const;

    std::unique_ptr<QOpenGLContext> context_;
    QTimer deferred_;
    QSize swapped_;  // the pixel size at the last swap
};

class QtGLSurface final : public GLSurface {
public:
    QtGLSurface();
    ~QtGLSurface() override;

    // The widget that shows the surface, made once; it owns the GL window.
    QWidget* container(QWidget* parent = nullptr);
    LiveViewGLWindow* window() const { return window_; }

    // False until the window has been shown (its context is made on the first expose), and
    // while it has no surface (the panel closed).
    bool makeCurrent() override;
    void present() override;
    void sizeBuffers() {
        if (window_ && !offscreen()) window_->sizeBuffers();
    }

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
