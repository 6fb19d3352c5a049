#include "app/live_view_ogl_view.h"

#include <QMouseEvent>
#include <QWidget>

#include "app/app_controller.h"
#include "app/live_view_surface.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/render_state.h"
#include "render/light_glows.h"
#include "render/render_frame.h"

LiveViewOGLView::LiveViewOGLView(QtGLSurface& surface, QWidget* widget) : surface_(surface), widget_(widget) {
    surface_.window()->onPaint = [this] { drawRect(); };
    surface_.window()->installEventFilter(this);
    resetCursorRects();
}

LiveViewOGLView::~LiveViewOGLView() {
    navigation_.finish();
    if (surface_.window()) surface_.window()->onPaint = nullptr;
}

void LiveViewOGLView::drawRect() {
    // An expose without a due refresh still shows the last frame (double-buffered swaps
    // leave the back buffer undefined): draw it again.
    if (!CurrentDocState() || gRenderOpenGLAntiAlias) return;
    gRenderGL = 1;
    RefreshGLScene();
    gRenderGL = 0;
    gRefreshRender = 0;
}

bool LiveViewOGLView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != surface_.window() || event->type() != QEvent::MouseButtonPress || !widget_)
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    Base2DViewHost* plan = nullptr;
    if (AppController::exists())
        if (auto* w = qobject_cast<QMDWindowController*>(AppController::shared()->mainWindowController()))
            plan = w->docView();
    gRenderingDirect3D = 1;
    navigation_.press(widget_, *mouse, plan);
    gRenderingDirect3D = 0;
    return true;
}

void LiveViewOGLView::resetCursorRects() {
    const DocState* ds = CurrentDocState();
    shape_ = Qt::ArrowCursor;
    // Qt has no walking or flying figures: the crosshair walks, the size-all cross flies; a
    // controlled mode shows the open hand it is steered with.
    if (ds && ds->cameraMode == 1) shape_ = ds->navigationFlag ? Qt::OpenHandCursor : Qt::CrossCursor;
    else if (ds && ds->cameraMode == 2) shape_ = ds->navigationFlag ? Qt::ClosedHandCursor : Qt::SizeAllCursor;
    if (widget_) widget_->setCursor(shape_);
    if (surface_.window()) surface_.window()->setCursor(shape_);
}

bool LiveViewOGLView::renderStyleChecked(int tag) {
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    switch (tag) {
        case 10000: return ds->renderMode == rendermode::kWireframe && !gTexturedWire;
        case 10001: return ds->renderMode == rendermode::kWireframe && gTexturedWire;
        case 10002: return ds->renderMode == rendermode::kClearView;
        case 10003: return ds->renderMode == rendermode::kSolid;
        default: return false;
    }
}
