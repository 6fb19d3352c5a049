#include "app/live_view_ogl_view.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <QWidget>

#include "app/app_controller.h"
#include "app/core/menu_validation.h"
#include "app/core/preference_keys.h"
#include "app/live_view_controller.h"
#include "app/live_view_surface.h"
#include "app/widgets.h"
#include "content/core/content_selection_seams.h"
#include "model/sym_entry.h"
#include "files/undo.h"
#include "port/defaults.h"
#include "scene/apply_materials.h"
#include "ui/tool_pictures.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "model/design_digest.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "render/light_glows.h"
#include "render/render_frame.h"

namespace {

// The undo names of the entry kinds the view applies, dropped and auto-clicked.
const char* UndoName(int16_t kind, bool autoClick) {
    struct Row { int16_t kind; const char* drop; const char* click; };
    static constexpr Row kRows[] = {
        {symentry::kColor, "Color", "Auto-click Color"},
        {symentry::kStockMaterial, "Material", "Auto-click Material"},
        {symentry::kStockTrim, "Moulding/Wainscot", "Auto-click Moulding/Wainscot"},
        {symentry::kCustomTexture, "Custom Material", "Auto-click Custom Material"},
        {symentry::kCustomTrim, "Custom Moulding", "Auto-click Custom Moulding"},
    };
    for (const Row& r : kRows)
        if (r.kind == kind) return autoClick ? r.click : r.drop;
    return nullptr;
}

}  // namespace

LiveViewOGLView::LiveViewOGLView(QtGLSurface& surface, QWidget* widget) : surface_(surface), widget_(widget) {
    surface_.window()->onPaint = [this] { drawRect(); };
    surface_.window()->installEventFilter(this);
    // Drops arrive at the widget that holds the GL window.
    if (widget_) widget_->setAcceptDrops(true), widget_->installEventFilter(this);
    resetCursorRects();
}

LiveViewOGLView::~LiveViewOGLView() {
    if (widget_) widget_->removeEventFilter(this);
    navigation_.finish();
    if (surface_.window()) surface_.window()->onPaint = nullptr;
}

void LiveViewOGLView::drawRect() {
    if (autoClick_) return paintImage(backingImage_);
    // An expose without a due refresh still shows the last frame (double-buffered swaps
    // leave the back buffer undefined): the finished render's picture, else a new frame.
    if (!CurrentDocState() || gRenderOpenGLAntiAlias) return;
    const SurfaceSize size = surface_.size();
    if (gRefreshRender || navigation_.active() || finishedFrame_.size() != QSize(size.width, size.height))
        finishedFrame_ = QImage();
    if (!finishedFrame_.isNull()) return paintImage(finishedFrame_);
    gRenderGL = 1;
    RefreshGLScene();
    gRenderGL = 0;
    gRefreshRender = 0;
}

bool LiveViewOGLView::eventFilter(QObject* watched, QEvent* event) {
    if (!widget_ || (watched != surface_.window() && watched != widget_)) return QObject::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    const bool drag = type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
    if (watched == widget_ && !drag) return QObject::eventFilter(watched, event);
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        {
            const auto* key = static_cast<QKeyEvent*>(event);
            Qt::KeyboardModifiers mods = key->modifiers();
            // A modifier's own press or release says what it now is, whichever state the
            // event carries.
            const Qt::KeyboardModifier own = key->key() == Qt::Key_Alt    ? Qt::AltModifier
                                             : key->key() == Qt::Key_Meta ? Qt::MetaModifier
                                                                          : Qt::NoModifier;
            if (own != Qt::NoModifier) mods.setFlag(own, type == QEvent::KeyPress);
            flagsChanged(mods);
            return false;
        }
        case QEvent::Leave:
            if (autoClick_) endAutoClick();
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            // Routed by the types the drag declares.
            if (drag->mimeData()->formats().contains(QLatin1String(kContent3DDNDPboardType))) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const bool taken =
                performDragOperation(drop->mimeData()->data(QLatin1String(kContent3DDNDPboardType)), drop->position());
            if (taken) drop->setDropAction(Qt::CopyAction), drop->accept();
            else drop->ignore();
            return true;
        }
        case QEvent::MouseButtonPress: break;
        default: return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (autoClick_) {
        const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
        const QPoint at = mouse->position().toPoint();
        autoClick3DPaths_.push_back(at);
        if (entry && do3DSymTargetClick(at.x(), at.y(), *entry, true)) autoClickKind_ = entry->type;
        surface_.window()->update();
        return true;
    }
    Base2DViewHost* plan = nullptr;
    if (AppController::exists())
        if (auto* w = qobject_cast<QMDWindowController*>(AppController::shared()->mainWindowController()))
            plan = w->docView();
    gRenderingDirect3D = 1;
    navigation_.press(widget_, *mouse, plan);
    gRenderingDirect3D = 0;
    return true;
}

const char* LiveViewOGLView::do3DSymTargetClick(int x, int y, const SymEntryInfo& e, bool autoClick) {
    switch (e.type) {
        case symentry::kColor: {
            const RGBColor& c = e.textureColor;
            ApplyColor(x, y, uint32_t(c.red & 0xFF) | uint32_t(c.green & 0xFF) << 8 | uint32_t(c.blue & 0xFF) << 16, 0, 0);
            break;
        }
        case symentry::kStockMaterial:
            ApplyTexture(x, y, e.textureID);
            break;
        case symentry::kStockTrim:
            ApplyMoulding(x, y, e.textureID);
            break;
        case symentry::kCustomTexture:
            ApplyCustomTextureImage(x, y, e);
            break;
        case symentry::kCustomTrim:
            ApplyCustomMoulding(x, y, e.refNum);
            break;
        default: return nullptr;
    }
    return UndoName(e.type, autoClick);
}

bool LiveViewOGLView::performDragOperation(const QByteArray& record, QPointF at) {
    SymEntryInfo entry;
    if (!CurrentDocState() || record.isEmpty() ||
        !entry.decodeSymEntryWithData(reinterpret_cast<const uint8_t*>(record.constData()), size_t(record.size())))
        return false;
    const QPoint p = at.toPoint();
    // A material or colour dropped where it already is changes nothing and stores no step.
    const uint64_t before = DesignDigest(gCurDocument);
    const char* name = do3DSymTargetClick(p.x(), p.y(), entry, false);
    if (!name) return false;
    if (DesignDigest(gCurDocument) != before) StoreUndo(name);
    gRefreshRender = 1;
    if (surface_.window()) surface_.window()->update();
    return true;
}

bool LiveViewOGLView::canEnable3DAutoClickForModifiers(Qt::KeyboardModifiers modifiers) {
    const DocState* ds = CurrentDocState();
    if (!ds || ds->renderMode == rendermode::kWireframe) return false;
    const Qt::KeyboardModifier key =
        port::defaults().getString(QMDAutoClickModifierKey) == "Meta" ? Qt::MetaModifier : Qt::AltModifier;
    if (!(modifiers & key) || !ContentPaletteSelectedSymEntry()) return false;
    const int16_t category = ContentPaletteSelectedCategory();
    return category >= 0 && category < 4;
}

void LiveViewOGLView::flagsChanged(Qt::KeyboardModifiers modifiers) {
    const bool possible = canEnable3DAutoClickForModifiers(modifiers);
    if (possible && !autoClick_) {
        // The view as rendered stays under the markers while painting goes on.
        backingImage_ = LiveViewController::exists() ? LiveViewController::sharedLiveViewController()->liveViewOGLViewBitmapImageRep()
                                                     : QImage();
        autoClick_ = true;
        autoClickKind_ = 0;
        autoClickDesign_ = DesignDigest(gCurDocument);
        resetCursorRects();
        if (surface_.window()) surface_.window()->update();
    } else if (!possible && autoClick_) {
        endAutoClick();
    }
}

void LiveViewOGLView::endAutoClick() {
    autoClick_ = false;
    backingImage_ = QImage();
    const bool clicked = !autoClick3DPaths_.empty();
    autoClick3DPaths_.clear();
    if (clicked && DesignDigest(gCurDocument) != autoClickDesign_)
        if (const char* name = UndoName(autoClickKind_, true)) StoreUndo(name);
    gRefreshRender = 1;
    resetCursorRects();
    if (surface_.window()) surface_.window()->update();
}

void LiveViewOGLView::keepFinishedFrame(QImage frame) { finishedFrame_ = std::move(frame); }

void LiveViewOGLView::paintImage(const QImage& image) {
    QOpenGLPaintDevice device(QSize(surface_.size().width, surface_.size().height));
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(0, 0), device.size()), Qt::white);
    if (!image.isNull()) painter.drawImage(QPoint(0, 0), image);
    if (autoClick_)
        for (const QPoint& p : autoClick3DPaths_) QMDAutoClickElement({p.x(), p.y()}).drawAutoClickElement(painter);
}

void LiveViewOGLView::resetCursorRects() {
    const DocState* ds = CurrentDocState();
    cursor_ = LVCursor::Arrow;
    if (autoClick_) cursor_ = LVCursor::PointingHand;
    else if (ds && ds->cameraMode == 1) cursor_ = ds->navigationFlag ? LVCursor::CtrlWalk : LVCursor::FreeWalk;
    else if (ds && ds->cameraMode == 2) cursor_ = ds->navigationFlag ? LVCursor::CtrlFly : LVCursor::FreeFly;
    QCursor cursor(cursor_ == LVCursor::PointingHand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (cursor_ != LVCursor::Arrow && cursor_ != LVCursor::PointingHand) {
        struct Picture { const char* name; int x, y; };
        static const Picture kPictures[] = {{"LVCtrlWalkCursor", 14, 15}, {"LVFreeWalkCursor", 14, 15},
                                            {"LVCtrlFlyCursor", 11, 17}, {"LVFreeFlyCursor", 11, 17}};
        const Picture& p = kPictures[int(cursor_) - int(LVCursor::CtrlWalk)];
        // Drawn in black with a white halo so the figure shows on any scene.
        const QImage ink = RenderToolPicture(QString::fromLatin1(p.name), 32, Qt::black);
        QImage halo = RenderToolPicture(QString::fromLatin1(p.name), 32, Qt::white);
        if (!ink.isNull() && !halo.isNull()) {
            QPainter painter(&halo);
            for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
                painter.drawImage(d, halo.copy());
            painter.drawImage(0, 0, ink);
            painter.end();
            cursor = QCursor(QPixmap::fromImage(halo), p.x, p.y);
        }
    }
    if (widget_) widget_->setCursor(cursor);
    if (surface_.window()) surface_.window()->setCursor(cursor);
}

bool LiveViewOGLView::renderStyleChecked(int tag) {
    return tag >= 10000 && tag <= 10003 && ValidateMenuCommand(tag).mark == MenuItemState::Mark::On;
}
