#include "app/document_view.h"

#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "plan/status_readouts.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "model/sym_entry.h"
#include "files/undo.h"
#include "files/windows_records.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/projection.h"
#include "model/walkers.h"
#include "model/plan_index.h"
#include "model/plan_objects.h"
#include "model/view_state.h"
#include "plan/refresh_seams.h"
#include "plan/selection_feedback.h"
#include "plan/zoom.h"
#include "port/path.h"
#include "port/qt/painter_context.h"
#include "tracking/evaluate_point.h"
#include "tracking/snap_modes.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace {

constexpr float kDegrees = 0.017453292f;
constexpr double kMostZoom = 3.01, kNotchesPerZoomStep = 40;

// A plan point into the view with the zoom, as the camera marker is drawn.
port::Point Projected(float h, float d) {
    float v = 0;
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return {h, v};
}

// The rectangle grown outward to whole plan view units.
PlatformRect Whole(const PlatformRect& rect) {
    const float left = std::floor(rect.x), top = std::floor(rect.y);
    return {left, top, std::ceil(rect.x + rect.width) - left, std::ceil(rect.y + rect.height) - top};
}

bool InSquare(port::Point click, port::Point centre) {
    port::Path square;
    square.appendRect({std::round(centre.x) - 5, std::round(centre.y) - 5, 10, 10});
    return square.contains(click.x, click.y);
}

}  // namespace

// --- plan view ---

QMDDocumentView::QMDDocumentView(QMDDocument* document, QWidget* parent)
    : QWidget(parent), Base2DView(static_cast<Base2DViewHost*>(this)), document_(document) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
}

QMDDocumentView::~QMDDocumentView() = default;

QMDDocumentClipView* QMDDocumentView::clipView() const { return qobject_cast<QMDDocumentClipView*>(parentWidget()); }

QMDDocumentScrollView* QMDDocumentView::scrollView() const {
    QMDDocumentClipView* clip = clipView();
    return clip ? qobject_cast<QMDDocumentScrollView*>(clip->parentWidget()) : nullptr;
}

QRect QMDDocumentView::visibleWidgetRect() const {
    const QMDDocumentClipView* clip = clipView();
    if (!clip) return rect();
    return QRect(clip->boundsOrigin(), clip->size()) & rect();
}

PlatformRect QMDDocumentView::visibleRect() const {
    const QRect r = visibleWidgetRect();
    return {float(r.x()) + boundsOrigin_.x, float(r.y()) + boundsOrigin_.y, float(r.width()), float(r.height())};
}

PlatformSize QMDDocumentView::frameSize() const { return {float(width()), float(height())}; }

void QMDDocumentView::scrollPoint(const PlatformPoint& p) {
    if (QMDDocumentClipView* clip = clipView()) clip->scrollToPoint(QPointF(p.x - boundsOrigin_.x, p.y - boundsOrigin_.y));
}

void QMDDocumentView::scrollRectToVisible(const PlatformRect& r) {
    QMDDocumentClipView* clip = clipView();
    if (!clip) return;
    // The least movement that shows the rectangle; one larger than the window shows its start.
    auto axis = [](double start, double length, double shown, double shownLength) {
        if (length >= shownLength || start < shown) return start;
        if (start + length > shown + shownLength) return start + length - shownLength;
        return shown;
    };
    const QPoint at = clip->boundsOrigin();
    clip->scrollToPoint(QPointF(axis(r.x - boundsOrigin_.x, r.width, at.x(), clip->width()),
                                axis(r.y - boundsOrigin_.y, r.height, at.y(), clip->height())));
}

void QMDDocumentView::setFrameSize(const PlatformSize& size) {
    resize(int(std::lround(std::max(0.0f, size.width))), int(std::lround(std::max(0.0f, size.height))));
    if (QMDDocumentClipView* clip = clipView()) clip->viewFrameChanged();
}

void QMDDocumentView::setBoundsOrigin(const PlatformPoint& origin) {
    boundsOrigin_ = origin;
    update();
}

void QMDDocumentView::setNeedsDisplay() {
    // The mouse road and the trackers ask after every step; the feedback is what moved.
    if (keptUnderFeedback_) feedbackChanged();
    else update();
}

void QMDDocumentView::setNeedsDisplayInRect(const PlatformRect& r) {
    update(QRectF(r.x - boundsOrigin_.x, r.y - boundsOrigin_.y, r.width, r.height).toAlignedRect());
}

bool QMDDocumentView::needsToDrawRect(const PlatformRect& r) const {
    if (!painting_) return true;
    const QRectF box(r.x - boundsOrigin_.x, r.y - boundsOrigin_.y, r.width, r.height);
    return painting_->intersects(box.toAlignedRect());
}

void QMDDocumentView::paintEvent(QPaintEvent* event) {
    if (!drawViewPointDynamically_) keepPlanForFeedback(event->region());
    QPainter painter(this);
    painter.translate(-boundsOrigin_.x, -boundsOrigin_.y);
    port::qt::QPainterContext context(painter);
    port::DrawingScope scope(context);
    const QRect r = event->rect();
    painter_ = &painter;
    painting_ = &event->region();
    drawRect({float(r.x()) + boundsOrigin_.x, float(r.y()) + boundsOrigin_.y, float(r.width()), float(r.height())});
    painter_ = nullptr;
    painting_ = nullptr;
}

void QMDDocumentView::drawRect(const PlatformRect& rect) {
    if (!gCurDocument) return;
    CurrentDocumentScope scope(ownModel());
    const PlatformRect r = Whole(rect);
    port::DrawingContext& context = port::currentDrawingContext();
    context.setAntialiasing(false);
    if (r.width <= 0 || r.height <= 0) return;
    if (drawViewPointDynamically_) {
        drawKeptPlan(r);
        drawViewPoint();
        return;
    }
    if (painter_ && keptUnderFeedback_) {
        drawKeptPlan(r);
        drawFeedback();
        PlatformRect area;
        if (dynamicDrawEngine->feedbackArea(&area)) feedbackOnScreen_ = toWidget(area);
        else feedbackOnScreen_.reset();
    } else {
        draw3D(r, 1);
    }
    if (gTransformationDrawing) return;
    // Drawn once and forgotten, so not in the kept image: the next move repaints it all away.
    if (painter_ && WallSegmentClearancesStored()) {
        if (keptUnderFeedback_) feedbackOnScreen_.reset();
        clearancesOnScreen_ = true;
    } else if (painter_ && painting_ && (QRegion(visibleWidgetRect()) - *painting_).isEmpty()) {
        clearancesOnScreen_ = false;
    }
    ApplePortDrawDimensionWallSegmentSelection();
}

QMDDocumentModel* QMDDocumentView::ownModel() const {
    return document_ && document_->model() ? document_->model() : gCurDocument;
}

QRect QMDDocumentView::toWidget(const PlatformRect& r) const {
    return QRectF(r.x - boundsOrigin_.x, r.y - boundsOrigin_.y, r.width, r.height).toAlignedRect();
}

QMDDocumentView::KeptPlanState QMDDocumentView::keptPlanState() const {
    const DocState* ds = CurrentDocState();
    KeptPlanState s;
    s.model = gCurDocument;
    s.layers = gCurDocument ? gCurDocument->itsLayers : nullptr;
    s.edits = PlanEditCount();
    static_assert(std::is_trivially_copyable_v<DocState>);
    if (ds) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(ds);
        s.settings.assign(bytes, bytes + sizeof(DocState));
        // Scratch shapes of the feedback take IDs; nothing drawn changes.
        for (size_t at : {offsetof(DocState, nextObjectID), offsetof(DocState, nextPointID)})
            std::fill_n(s.settings.begin() + at, sizeof(uint32_t), 0);
    }
    s.shown = visibleWidgetRect();
    s.size = size();
    s.originX = boundsOrigin_.x, s.originY = boundsOrigin_.y;
    s.zoom = ds ? ds->zoomFactor : 0;
    s.xAngle = gXViewAngle, s.yAngle = gYViewAngle, s.perspective = gPerspective;
    s.ratio = devicePixelRatioF();
    s.dynamicDrawing = gDynamicDrawing, s.transformationDrawing = gTransformationDrawing;
    s.realTimeDraw = gRealTimeDraw;
    s.handles = dynamicDrawEngine->areAllPathsEmpty();  // handles show only without feedback
    return s;
}

void QMDDocumentView::keepPlan(bool underFeedback) {
    const QRect shown = visibleWidgetRect();
    const qreal ratio = devicePixelRatioF();
    keptPlanArea_ = shown;
    keptPlan_ = QImage(shown.size() * ratio, QImage::Format_RGB32);
    keptPlan_.setDevicePixelRatio(ratio);
    if (keptPlan_.isNull() || !gCurDocument) return;
    CurrentDocumentScope current(ownModel());
    // The image's pixels are the widget's from the visible part's corner on.
    const PlatformPoint corner{float(shown.x()) + boundsOrigin_.x, float(shown.y()) + boundsOrigin_.y};
    const PlatformRect r = Whole({corner.x, corner.y, float(shown.width()), float(shown.height())});
    QPainter painter(&keptPlan_);
    painter.translate(-corner.x, -corner.y);
    port::qt::QPainterContext context(painter);
    port::DrawingScope scope(context);
    const QRegion all(shown);
    const QRegion* painting = std::exchange(painting_, &all);
    context.setAntialiasing(false);
    if (underFeedback) {
        drawBeneathFeedback(r, 1);
    } else {
        draw3D(r, 1);
        if (!gTransformationDrawing) ApplePortDrawDimensionWallSegmentSelection();
    }
    context.flush();
    painting_ = painting;
}

void QMDDocumentView::drawKeptPlan(const PlatformRect& r) {
    if (!painter_ || keptPlan_.isNull()) return;
    // Copied pixel for pixel in the widget's own coordinates, whatever fraction the origin has.
    const QRect target = toWidget(r) & keptPlanArea_;
    const qreal ratio = keptPlan_.devicePixelRatio();
    const QRectF source(QPointF(target.topLeft() - keptPlanArea_.topLeft()) * ratio, QSizeF(target.size()) * ratio);
    painter_->save();
    painter_->resetTransform();
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
    painter_->drawImage(QRectF(target), keptPlan_, source);
    painter_->restore();
}

void QMDDocumentView::dropKeptPlan() {
    keptPlan_ = QImage();
    keptUnderFeedback_ = false;
    feedbackOnScreen_.reset();
}

bool QMDDocumentView::feedbackShows() const {
    return gesture_.busy() && !gPrinting && gCurDocument && dynamicDrawEngine->drawsAnything();
}

void QMDDocumentView::keepPlanForFeedback(const QRegion& painted) {
    if (!feedbackShows()) {
        if (keptUnderFeedback_) dropKeptPlan();
        return;
    }
    CurrentDocumentScope current(ownModel());
    if (keptUnderFeedback_ && keptPlanFrom_ == keptPlanState()) return;
    keepPlan(true);
    // Drawing may store what it measured: the state after it is the one the image shows.
    keptPlanFrom_ = keptPlanState();
    keptUnderFeedback_ = true;
    ++keptPlanDraws_;
    // What the old image showed elsewhere on screen is stale too.
    const QRegion rest = QRegion(keptPlanFrom_.shown) - painted;
    if (!rest.isEmpty()) update(rest);
}

void QMDDocumentView::feedbackChanged() {
    const QRect shown = visibleWidgetRect();
    CurrentDocumentScope current(ownModel());
    PlatformRect area;
    const bool known = keptUnderFeedback_ && feedbackOnScreen_ && feedbackShows() &&
                       keptPlanFrom_ == keptPlanState() && dynamicDrawEngine->feedbackArea(&area);
    if (!known) return update(shown);
    update((QRegion(*feedbackOnScreen_) + toWidget(area)) & shown);
}

void QMDDocumentView::updateLeftovers() {
    const QRect shown = visibleWidgetRect();
    // Feedback of unknown extent, or clearances, may lie anywhere.
    if (clearancesOnScreen_ || (keptUnderFeedback_ && !feedbackOnScreen_)) return update(shown);
    if (keptUnderFeedback_) update(*feedbackOnScreen_ & shown);
}

void QMDDocumentView::planChanged() {
    if (keptUnderFeedback_) dropKeptPlan();
    update(visibleWidgetRect());
}

int16_t QMDDocumentView::ptInViewPoint(POINT point) {
    const DocState* ds = CurrentDocState();
    if (!ds) return 0;
    float x = 0, y = 0, z = 0;
    EvaluatePoint(point.x, point.y, &x, &y, &z, 0, nullptr, 1);
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                          gGlobalZOffset, 1);
    const port::Point click{std::round(x), std::round(y)};
    if (ds->cameraMode != 1) return InSquare(click, Projected(ds->lightOffset.floatH, ds->lightOffset.floatV)) ? 2 : 0;
    const port::Point eye = Projected(ds->cameraPosition.floatH, ds->cameraPosition.floatV);
    if (InSquare(click, eye)) return 2;
    auto at = [&](float degrees, float length) {
        float dx = 0, dy = 0;
        GetPointFromLengthAndAngle((degrees + ds->cameraHeading) * kDegrees, length, &dx, &dy);
        return port::Point{std::round(eye.x + dx), std::round(eye.y + dy)};
    };
    const port::Point apex = at(90, 20), left = at(130, 10), right = at(50, 10);
    port::Path triangle;
    triangle.moveTo(apex.x, apex.y);
    triangle.lineTo(left.x, left.y);
    triangle.lineTo(right.x, right.y);
    triangle.closePath();
    return triangle.contains(click.x, click.y) ? 1 : 0;
}

// --- the mouse road and drops ---

CommandWindow* QMDDocumentView::commandWindow() { return AsCommandWindow(window()); }

ContextMenuHandlers QMDDocumentView::menuHandlers() const {
    if (auto* w = qobject_cast<QMDWindowController*>(window())) return w->contextMenuHandlers();
    return {[](QAction* item) { CommandRouter::validateMenuItem(item); }, {}};
}

void QMDDocumentView::popUpContextMenu(PlanContextMenu menu, const ClickInfo* click) {
    QMenu* shown = menu == PlanContextMenu::Base ? ContextMenuFactory::baseContextMenu(this)
                                                 : ContextMenuFactory::objectContextMenuWithClickInfo(click, this);
    const std::optional<PlanMouseEvent>& press = mouse_.mouseEvent();
    const QPoint at = press ? QPoint(press->screen.x, press->screen.y) : QCursor::pos();
    RunContextMenu(shown, at, menuHandlers());
}

void QMDDocumentView::setDocumentCursor(PlanMouseCursor cursor) {
    PlanCursor shape = PlanCursor::Arrow;
    switch (cursor) {
    case PlanMouseCursor::Arrow: break;
    case PlanMouseCursor::PointingHand: shape = PlanCursor::PointingHand; break;
    case PlanMouseCursor::OpenHand: shape = PlanCursor::OpenHand; break;
    case PlanMouseCursor::ClosedHand: shape = PlanCursor::ClosedHand; break;
    }
    if (QMDDocumentScrollView* scroll = scrollView()) scroll->setDocumentCursor(shape);
}

void QMDDocumentView::makeWindowKey() {
    window()->raise();
    window()->activateWindow();
}

std::optional<POINT> QMDDocumentView::pointerNow() { return gesture_.viewPoint(mapFromGlobal(QCursor::pos().toPointF())); }

void QMDDocumentView::launchRorozErud() { LaunchRorozErud(); }

void QMDDocumentView::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void QMDDocumentView::dragMoveEvent(QDragMoveEvent* event) {
    // Colours, materials and trims declare only the 3D type: they are for the live view.
    if (!event->mimeData()->hasFormat(QLatin1String(kContent2DDNDPboardType)) || gesture_.busy()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void QMDDocumentView::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const QLatin1String record(kContent3DDNDPboardType);
    std::optional<std::vector<uint8_t>> bytes;
    if (data->hasFormat(record)) {
        const QByteArray b = data->data(record);
        bytes.emplace(b.begin(), b.end());
    }
    // Into this window's design, whichever window is the main one.
    CurrentDocumentScope scope(document_ && document_->model() ? document_->model() : gCurDocument);
    const bool taken = mouse_.performDragOperation(data->hasFormat(QLatin1String(kContent2DDNDPboardType)),
                                                   bytes ? &*bytes : nullptr, gesture_.viewPoint(event->position()));
    if (taken) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    update();
}

// --- keys ---

void QMDDocumentView::keyPressEvent(QKeyEvent* event) {
    // Ctrl (Command) and Alt keys belong to the menus.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = !(mods & ~Qt::ShiftModifier), shift = mods & Qt::ShiftModifier;
    // Nothing may change under a gesture; its tracker steps the snap mode where it reads Tab.
    const bool editable = !gTrackingMouse && !gesture_.busy();
    switch (plain ? event->key() : 0) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (editable) deleteBackward();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!gesture_.busy()) insertBacktab(shift || event->key() == Qt::Key_Backtab);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (shift) return QWidget::keyPressEvent(event);
        if (!editable) break;
        if (event->key() == Qt::Key_Up) moveUp();
        else if (event->key() == Qt::Key_Down) moveDown();
        else if (event->key() == Qt::Key_Left) moveLeft();
        else moveRight();
        break;
    default: return QWidget::keyPressEvent(event);
    }
    event->accept();
}

void QMDDocumentView::deleteBackward() {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !gCurDocument->itsLayers || !ds || !Win32EventHandler::shouldProceedWithEditEvent()) return;
    TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kDelete, nullptr);
    SelectedObjectAllLayers(gCurDocument->itsLayers, 0, cmd::kDelete, ds);
    Refresh();
    SetStatusBar("");
    StoreUndo(LocalizedString("Delete").c_str());
    InspectorUpdatePropertiesState(1);
}

void QMDDocumentView::insertBacktab(bool shift) { SnapToolChange(shift); }

void QMDDocumentView::moveUp() { nudge(cmd::kNudgeUp, "Nudge Up"); }
void QMDDocumentView::moveDown() { nudge(cmd::kNudgeDown, "Nudge Down"); }
void QMDDocumentView::moveLeft() { nudge(cmd::kNudgeLeft, "Nudge Left"); }
void QMDDocumentView::moveRight() { nudge(cmd::kNudgeRight, "Nudge Right"); }

void QMDDocumentView::nudge(int32_t command, const char* undoName) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !gCurDocument->itsLayers || !ds) return;
    SelectedObjectAllLayers(gCurDocument->itsLayers, 1, command, ds);
    Refresh();
    StoreUndo(LocalizedString(undoName).c_str());
}

void QMDDocumentView::initializeDynamicViewPointSystem() {
    shouldDrawViewPoint = 0;
    dropKeptPlan();
    keepPlan(false);
    drawViewPointDynamically_ = true;
    update();
}

void QMDDocumentView::resetDynamicViewPointSystem() {
    shouldDrawViewPoint = 1;
    drawViewPointDynamically_ = false;
    dropKeptPlan();
    update();
}

// --- clip view ---

QMDDocumentClipView::QMDDocumentClipView(QWidget* parent) : QWidget(parent) {}

void QMDDocumentClipView::setDocumentView(QMDDocumentView* view) {
    documentView_ = view;
    if (view) view->setParent(this);
    centerDocument();
}

QPoint QMDDocumentClipView::constrainScrollPoint(QPointF p) const {
    if (!documentView_) return {};
    const double maxX = documentView_->width() - width(), maxY = documentView_->height() - height();
    const double x = maxX < 0 ? maxX / 2 : std::max(std::min(p.x(), maxX), 0.0);
    const double y = maxY < 0 ? maxY / 2 : std::max(std::min(p.y(), maxY), 0.0);
    return QPoint(int(std::round(x)), int(std::round(y)));
}

void QMDDocumentClipView::centerDocument() {
    if (!documentView_) return;
    QPointF at = origin_;
    if (documentView_->width() < width()) at.setX(std::round((documentView_->width() - width()) / 2.0));
    if (documentView_->height() < height()) at.setY(std::round((documentView_->height() - height()) / 2.0));
    scrollToPoint(at);
}

void QMDDocumentClipView::scrollToPoint(QPointF proposed) {
    if (!documentView_) return;
    origin_ = constrainScrollPoint(proposed);
    documentView_->move(-origin_);
    if (auto* scroll = qobject_cast<QMDDocumentScrollView*>(parentWidget())) scroll->syncScrollBars();
}

// --- scroll view ---

QMDDocumentScrollView::QMDDocumentScrollView(QWidget* parent) : QAbstractScrollArea(parent), clip_(new QMDDocumentClipView) {
    setViewport(clip_);
    setFocusPolicy(Qt::NoFocus);  // a press on a scroll bar leaves the keyboard with the plan
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette grey = clip_->palette();
    grey.setColor(QPalette::Base, QColor(128, 128, 128));
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    clip_->setPalette(grey);
    clip_->setAutoFillBackground(true);
}

void QMDDocumentScrollView::syncScrollBars() {
    const QMDDocumentView* view = documentView();
    const QSize plan = view ? view->size() : QSize();
    const QPoint at = clip_->boundsOrigin();
    auto sync = [](QScrollBar* bar, int overflow, int page, int value) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, std::max(0, overflow));
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(10);
        bar->setValue(std::max(0, value));
    };
    sync(horizontalScrollBar(), plan.width() - clip_->width(), clip_->width(), at.x());
    sync(verticalScrollBar(), plan.height() - clip_->height(), clip_->height(), at.y());
}

bool QMDDocumentScrollView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) clip_->centerDocument();
    return QAbstractScrollArea::viewportEvent(event);
}

void QMDDocumentScrollView::scrollContentsBy(int, int) {
    clip_->scrollToPoint(QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value()));
}

void QMDDocumentScrollView::wheelEvent(QWheelEvent* event) {
    QMDDocumentView* view = documentView();
    // Nothing scrolls or zooms under a press.
    if (PlanGesture::anyBusy()) {
        event->accept();
        return;
    }
    if (!(event->modifiers() & Qt::ControlModifier) || !view || !CurrentDocState()) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    const double delta = event->angleDelta().y() / 120.0;
    if (delta != 0) zoomAbout(view->mapFromGlobal(event->globalPosition()), delta);
}

void QMDDocumentScrollView::zoomAbout(QPointF widgetPoint, double delta) {
    QMDDocumentView* view = documentView();
    DocState* ds = CurrentDocState();
    if (!view || !ds) return;
    const PlatformPoint origin = view->boundsOrigin();
    const double mx = widgetPoint.x() + origin.x, my = widgetPoint.y() + origin.y;
    const PlatformRect shown = view->visibleRect();
    const float ux = UnzoomF(float(mx)), uy = UnzoomF(float(my));
    const double ox = mx - shown.x, oy = my - shown.y;
    double zoom = std::max<double>(ds->zoomFactor + delta / kNotchesPerZoomStep, GetMinZoom());
    if (zoom > kMostZoom) zoom = kMostZoom;
    ds->zoomFactor = ds->savedZoom = float(zoom);
    float w = 0, h = 0;
    GetAdjustedPaperWidthAndHeight(&w, &h);
    view->setFrameSize({w, h});
    view->setBoundsOrigin({-w / 2, -h / 2});
    const PlatformRect now = view->visibleRect();
    view->scrollRectToVisible({float(ZoomF(ux) - ox), float(ZoomF(uy) - oy), now.width, now.height});
    view->update(view->visibleWidgetRect());
}

void QMDDocumentScrollView::setDocumentCursor(PlanCursor cursor) {
    switch (cursor) {
    case PlanCursor::Arrow: clip_->setCursor(Qt::ArrowCursor); break;
    case PlanCursor::Crosshair: clip_->setCursor(Qt::CrossCursor); break;
    case PlanCursor::Zoom: clip_->setCursor(AppController::shared()->zoomCursor()); break;
    case PlanCursor::PointingHand: clip_->setCursor(Qt::PointingHandCursor); break;
    case PlanCursor::OpenHand: clip_->setCursor(Qt::OpenHandCursor); break;
    case PlanCursor::ClosedHand: clip_->setCursor(Qt::ClosedHandCursor); break;
    }
}
