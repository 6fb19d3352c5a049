#include "app/live_view_controller.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QSaveFile>
#include <QSlider>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/input_gate.h"
#include "app/core/document_window.h"
#include "app/core/localization_seams.h"
#include "app/core/print_layout.h"
#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/context_menu_factory.h"
#include "app/core/event_handler.h"
#include "app/live_view_ogl_view.h"
#include "app/render_interrupt.h"
#include "app/screen_frames.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/file_dialogs.h"
#include "port/seam.h"
#include "port/macroman.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "render/core/slice_plane.h"
#include "render/render_frame.h"
#include "scene/scene_camera.h"
#include "ui/core/sheet_seams.h"
#include "ui/tool_pictures.h"

namespace {

LiveViewController* sShared = nullptr;
const port::GlobalReset kReset([] { LiveViewController::destroyShared(); });

constexpr const char* kFrameKey = "NSWindow Frame LiveViewPanel";
// The hidden toolbar items' identifiers, one a line.
constexpr const char* kToolbarKey = "NSToolbar Configuration LiveView Toolbar Identifier";
constexpr int kMinimumExportSide = 16;

QString Localized(const char* key) { return QString::fromStdString(port::MacRomanToUtf8(LocalizedString(key))); }

struct ToolbarItem {
    const char* identifier;
    const char* label;
    const char* paletteLabel;
    const char* toolTip;
    const char* image;
    void (LiveViewController::*action)();
};

// Default order: walk, fly, separator, render, shadows, lighting.
const ToolbarItem kToolbarItems[] = {
    {"LiveView Toolbar Animated Walk Item", "Free Walk", "Free Walkthrough",
     "Activates animated walk-through navigation mode", "LVTBAnimWalk", &LiveViewController::freeWalkThrough},
    {"LiveView Toolbar Animated Fly Item", "Free Fly", "Free Fly Around",
     "Activates animated fly-around navigation mode", "LVTBAnimFly", &LiveViewController::freeFlyAround},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"LiveView Toolbar Render Final Item", "Render", "Final Render", "Perform a final render", "LVTBFinal",
     &LiveViewController::renderFinal},
    {"LiveView Toolbar Render Shadows Item", "Shadows", "Render Shadows", "Render scene with shadows", "LVTBShadows",
     &LiveViewController::renderShadows},
    {"LiveView Toolbar Lighting Options Item", "Lighting", "Lighting", "Set scene lighting options", "LVTBLighting",
     nullptr},
};

// Anti-aliasing passes by quality tag 1 to 4.
int32_t PassesForQuality(int quality) {
    static constexpr int32_t kPasses[] = {4, 8, 15, 24};
    return quality >= 1 && quality <= 4 ? kPasses[quality - 1] : 0;
}

const char* FormatName(int tag) {
    switch (tag) {
        case 0: return "BMP";
        case 1: return "GIF";
        case 2: return "JPEG";
        case 3: return "PNG";
        case 4: return "TIFF";
        default: return nullptr;
    }
}

std::vector<std::string> FormatExtensions(int tag) {
    switch (tag) {
        case 0: return {"bmp"};
        case 1: return {"gif"};
        case 2: return {"jpg", "jpeg", "jpe"};
        case 4: return {"tiff", "tif"};
        default: return {"png"};
    }
}

void Alert(const char* message, const char* informative) {
    BeginLiveViewAlertSheet(port::Alert{message, informative, {"OK"}, port::Alert::Style::Warning}, nullptr);
}

// The image of cut-away mode 0 to 4 (north, east, south, west, top): an arrow of the cut's
// direction, a dot seen from above.
QPixmap CutAwayPicture(int mode) {
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 2));
    if (mode == 4) {
        p.drawEllipse(QPointF(12, 12), 6, 6);
        p.drawPoint(12, 12);
    } else {
        p.translate(12, 12);
        p.rotate(90.0 * mode);
        p.drawLine(0, 8, 0, -8);
        p.drawLine(0, -8, -5, -3);
        p.drawLine(0, -8, 5, -3);
    }
    return QPixmap::fromImage(image);
}

}  // namespace

LiveViewController* LiveViewController::sharedLiveViewController() {
    if (!sShared) sShared = new LiveViewController();
    return sShared;
}

bool LiveViewController::exists() { return sShared != nullptr; }

void LiveViewController::destroyShared() {
    delete sShared;
    sShared = nullptr;
}

LiveViewController::LiveViewController() : interrupt_(std::make_unique<QtInterruptSource>()) {
    window_ = new QWidget(nullptr, Qt::Tool);
    InputGate::markDesignWindow(window_);
    window_->setObjectName(QStringLiteral("LiveViewPanel"));
    window_->setWindowTitle(Localized("Live View"));
    window_->installEventFilter(this);
    auto* column = new QVBoxLayout(window_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    toolbar_ = new QToolBar(window_);
    toolbar_->setObjectName(QStringLiteral("LiveView Toolbar Identifier"));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolbarItem& item : kToolbarItems) {
        if (!item.identifier) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* a = toolbar_->addAction(ToolPicture(QString::fromLatin1(item.image)), Localized(item.label));
        a->setObjectName(QString::fromLatin1(item.identifier));
        a->setToolTip(Localized(item.toolTip));
        a->setIconText(Localized(item.paletteLabel));
        if (item.action) connect(a, &QAction::triggered, this, [this, f = item.action] { (this->*f)(); });
        else connect(a, &QAction::triggered, this, [] { LiveViewShowLightProperties(); });
    }
    column->addWidget(toolbar_);
    restoreToolbarConfiguration();
    // Customised by its context menu: each item shown or hidden, the choice kept.
    toolbar_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolbar_, &QToolBar::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = toolbarConfigurationMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(toolbar_->mapToGlobal(at));
    });

    container_ = surface_.container(window_);
    container_->setMinimumSize(160, 120);
    column->addWidget(container_, 1);
    view_ = std::make_unique<LiveViewOGLView>(surface_, container_);

    auto* row = new QHBoxLayout();
    row->setContentsMargins(4, 0, 4, 4);
    // A render's texts never widen the panel (a narrow one cuts them): the resize would come in
    // the middle of the render, whose frame is then drawn for the old size.
    status_ = new QLabel(window_);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    progress_ = new QProgressBar(window_);
    progress_->setMaximumWidth(120);
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->hide();
    auto* down = new QToolButton(window_);
    down->setArrowType(Qt::LeftArrow);
    down->setObjectName(QStringLiteral("cutAwaySliderDownButton"));
    cutAwayImage_ = new QLabel(window_);
    cutAwayImage_->setFixedSize(24, 24);
    auto* up = new QToolButton(window_);
    up->setArrowType(Qt::RightArrow);
    up->setObjectName(QStringLiteral("cutAwaySliderUpButton"));
    auto* slider = new QSlider(Qt::Horizontal, window_);
    slider->setObjectName(QStringLiteral("cutAwaySlider"));
    slider->setMaximumWidth(160);
    slider_ = slider;
    row->addWidget(status_, 1);
    row->addWidget(progress_);
    row->addWidget(down);
    row->addWidget(cutAwayImage_);
    row->addWidget(up);
    row->addWidget(slider);
    column->addLayout(row);
    connect(up, &QToolButton::clicked, this, [this] { cutAwaySliderUpButtonChanged(); });
    connect(down, &QToolButton::clicked, this, [this] { cutAwaySliderDownButtonChanged(); });
    // A press first takes the range the design has now, keeping the value's share of it.
    connect(slider, &QSlider::sliderPressed, this, [this] {
        const int old = slider_->maximum();
        updateCutAwaySliderBounds();
        if (old > 0) {
            const QSignalBlocker quiet(slider_);
            slider_->setValue(int(std::lround(double(slider_->value()) / old * slider_->maximum())));
        }
        if (DocState* ds = CurrentDocState()) ds->cutAwayPosition = slider_->value();
    });
    view_->navigation().attachCutawaySlider(slider);

    window_->resize(640, 520);
    frame_ = std::make_unique<ChosenFrame>(window_, kFrameKey, true);
    frame_->setFirst(FirstCorner);
    frame_->restore(AppController::framesKeptClearOf(window_));
    updateCutAwaySliderBounds();
    updateCutAwayImageAndPosition();
    SetLiveViewHost(this);
    registerSeams();
}

LiveViewController::~LiveViewController() {
    view_.reset();
    if (CurrentLiveViewHost() == this) SetLiveViewHost(nullptr);
    SetLiveViewControllerExistsHandler(nullptr);
    SetLiveViewIsVisibleHandler(nullptr);
    SetShowLiveViewHandler(nullptr);
    SetCloseLiveViewHandler(nullptr);
    SetLiveViewNeedsDisplayHandler(nullptr);
    SetLiveViewDisplayHandler(nullptr);
    SetInitializeAnimatedLVStatusHandler(nullptr);
    SetSetLVStatusStringHandler(nullptr);
    SetResetAnimatedLVStatusHandler(nullptr);
    SetBeginLiveViewAlertSheetHandler(nullptr);
    SetLiveViewResetCursorRectsHandler(nullptr);
    SetUpdateCutAwayImageAndPositionHandler(nullptr);
    SetLiveViewRenderFinalHandler(nullptr);
    SetLiveViewRenderShadowsHandler(nullptr);
    SetLiveViewDisplayExport3DSavePanelHandler(nullptr);
    SetLiveViewShowPrint3DPropertiesPanelHandler(nullptr);
    SetLiveViewReset3DViewHandler(nullptr);
    SetLiveViewSetWalkThroughElevationHandler(nullptr);
    SetLiveViewSetFlyAroundAltitudeHandler(nullptr);
    SetLiveViewFreeWalkThroughHandler(nullptr);
    SetLiveViewFreeFlyAroundHandler(nullptr);
    SetLiveViewControlledWalkThroughHandler(nullptr);
    SetLiveViewControlledFlyAroundHandler(nullptr);
    if (window_) window_->removeEventFilter(this);
    delete window_.data();
}

void LiveViewController::registerSeams() {
    SetLiveViewControllerExistsHandler([] { return true; });
    SetLiveViewIsVisibleHandler([this] { return isVisible(); });
    SetShowLiveViewHandler([this] { showWindow(); });
    SetCloseLiveViewHandler([this] { close(); });
    SetLiveViewNeedsDisplayHandler([this] {
        if (surface_.window()) surface_.window()->update();
    });
    SetLiveViewDisplayHandler([this] { redraw(); });
    SetInitializeAnimatedLVStatusHandler([this] { initializeAnimatedLVStatus(); });
    SetSetLVStatusStringHandler([this](const char* s) { setLVStatusString(s); });
    SetResetAnimatedLVStatusHandler([this] { resetAnimatedLVStatus(); });
    SetBeginLiveViewAlertSheetHandler([](const port::Alert& alert, std::function<void(int)> onEnd) {
        port::alerts().beginSheet(alert, onEnd ? std::move(onEnd) : [](int) {});
    });
    SetLiveViewResetCursorRectsHandler([this] { view_->resetCursorRects(); });
    SetUpdateCutAwayImageAndPositionHandler([this] { updateCutAwayImageAndPosition(); });
    SetLiveViewRenderFinalHandler([this] { renderFinal(); });
    SetLiveViewRenderShadowsHandler([this] { renderShadows(); });
    SetLiveViewDisplayExport3DSavePanelHandler([this] { displayExport3DSavePanel(); });
    SetLiveViewShowPrint3DPropertiesPanelHandler([this] { showPrint3DPropertiesPanel(); });
    SetLiveViewReset3DViewHandler([this] { reset3DView(); });
    SetLiveViewSetWalkThroughElevationHandler([this] { setWalkThroughElevation(); });
    SetLiveViewSetFlyAroundAltitudeHandler([this] { setFlyAroundAltitude(); });
    SetLiveViewFreeWalkThroughHandler([this] { freeWalkThrough(); });
    SetLiveViewFreeFlyAroundHandler([this] { freeFlyAround(); });
    SetLiveViewControlledWalkThroughHandler([this] { controlledWalkThrough(); });
    SetLiveViewControlledFlyAroundHandler([this] { controlledFlyAround(); });
}

QMenu* LiveViewController::toolbarConfigurationMenu() {
    auto* menu = new QMenu(toolbar_);
    for (QAction* item : toolbar_->actions()) {
        if (item->isSeparator()) continue;
        QAction* a = menu->addAction(item->iconText());
        a->setCheckable(true);
        a->setChecked(item->isVisible());
        connect(a, &QAction::toggled, this, [this, item](bool shown) {
            item->setVisible(shown);
            QStringList hidden;
            for (QAction* i : toolbar_->actions())
                if (!i->isSeparator() && !i->isVisible()) hidden << i->objectName();
            port::defaults().setString(kToolbarKey, hidden.join(QLatin1Char('\n')).toStdString());
        });
    }
    return menu;
}

void LiveViewController::restoreToolbarConfiguration() {
    const QStringList hidden = QString::fromStdString(port::defaults().getString(kToolbarKey)).split(QLatin1Char('\n'));
    for (QAction* a : toolbar_->actions())
        if (!a->isSeparator()) a->setVisible(!hidden.contains(a->objectName()));
}

QAbstractSlider* LiveViewController::cutAwaySlider() const { return slider_; }

void LiveViewController::showWindow() {
    gLiveViewPanelVisible = 1;
    if (!window_->isVisible()) frame_->beforeShow(AppController::shared()->framesKeptClearOf(window_));
    window_->show();
    window_->raise();
}

void LiveViewController::close() {
    if (window_ && window_->isVisible()) window_->close();
    gLiveViewPanelVisible = 0;
}

bool LiveViewController::isVisible() const { return window_ && window_->isVisible(); }

void LiveViewController::windowWillClose() {
    frame_->save();
    gLiveViewPanelVisible = 0;
}

bool LiveViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        if (event->type() == QEvent::Close) windowWillClose();
        // The view follows a resize at once, with no Escape check inside it.
        if (event->type() == QEvent::Resize && window_->isVisible()) {
            gRenderDirty = gRefreshRender = 1;
            if (surface_.window()) surface_.window()->update();
        }
    }
    return QObject::eventFilter(watched, event);
}

void LiveViewController::redraw() {
    // Resized during a render, which swaps nothing until it has finished.
    surface_.sizeBuffers();
    if (!surface_.makeCurrent()) return;
    view_->drawRect();
}

void LiveViewController::flushBuffer() {
    // Read before the swap, which leaves the back buffer undefined.
    if (keepingFrames_) lastFrame_ = liveViewOGLViewBitmapImageRep();
    surface_.present();
}

void LiveViewController::refreshKeepingTheFrame() {
    keepingFrames_ = true;
    // The render's own refresh mark is spent as it starts, so that endRender can tell one made
    // while it ran.
    gRefreshRender = 0;
    const SurfaceSize before = surface_.size();
    RefreshGLScene();
    keepingFrames_ = false;
    // A surface whose pixels changed size with no resize of the panel (moved to a screen of
    // another pixel ratio) is due a frame at its new size as well.
    const SurfaceSize after = surface_.size();
    if (after.width != before.width || after.height != before.height) gRefreshRender = 1;
}

void LiveViewController::endRender() {
    const bool broken = gBreakOpenGLRender != 0, due = gRefreshRender != 0 && !broken;
    // Broken off, the view shows a plain frame rather than a half-summed one. The status line
    // keeps saying so through that frame's draw, and the frame stays for the paints that
    // follow until a new one is due, as a finished render's does.
    if (broken) {
        lastFrame_ = QImage();
        gRefreshRender = 1;
        keepingStatus_ = keepingFrames_ = true;
        redraw();
        keepingStatus_ = keepingFrames_ = false;
    }
    // A refresh marked while the render ran (the panel resized under it, the design changed
    // by a plug-in tool) is still due: the frame read at its end shows neither.
    if (due) lastFrame_ = QImage();
    view_->keepFinishedFrame(std::move(lastFrame_));
    lastFrame_ = QImage();
    gBreakOpenGLRender = 0;
    gRefreshRender = due;
    if (due) {
        gRenderDirty = 1;
        if (surface_.window()) surface_.window()->update();
    }
    resetLVLightProgress();
}

void LiveViewController::setLVStatusString(const char* status) {
    if (keepingStatus_) return;
    const QString text = status ? QString::fromStdString(port::MacRomanToUtf8(status)) : QString();
    if (text.compare(status_->text(), Qt::CaseInsensitive) == 0) return;
    status_->setText(text);
    status_->repaint();
}

void LiveViewController::initializeAnimatedLVStatus() {
    progress_->setRange(0, 0);
    progress_->show();
    progress_->repaint();
}

void LiveViewController::resetAnimatedLVStatus() {
    progress_->setRange(0, 1);
    progress_->setValue(0);
    progress_->hide();
}

void LiveViewController::initializeLVLightProgressUsingLightCount(int32_t count) {
    progress_->setRange(0, std::max(count, 0));
    progress_->setValue(0);
    progress_->show();
    progress_->repaint();
}

void LiveViewController::updateLVLightProgressWithLightCount(int32_t count) {
    progress_->setValue(count);
    progress_->repaint();
}

void LiveViewController::resetLVLightProgress() {
    progress_->setValue(0);
    progress_->hide();
}

void LiveViewController::flushBufferedKeyEvents() { interrupt_->dropBufferedKeys(); }

InterruptSource* LiveViewController::interruptSource() { return interrupt_.get(); }

FloatRect LiveViewController::liveViewOGLViewBounds() {
    const SurfaceSize s = surface_.size();
    return {0, 0, float(s.height), float(s.width)};
}

void LiveViewController::walkOrFly(int16_t cameraMode, uint8_t control) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->navigationFlag = control;
    ds->elevationView = 0;
    ds->cameraMode = cameraMode;
    SetUpLiveViewCamera(ds);
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
    view_->resetCursorRects();
}

void LiveViewController::reset3DView() {
    DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument) return;
    ds->lightOffset = {0, 0};
    ds->cameraValue = 0;
    if (ds->cameraMode == 1) {
        ds->cameraHeading = 0;
        ds->cameraPosition = {0, ds->lotRect.floatBottom - 125};
        if (Layer* layer = gCurDocument->itsCurLayer)
            ds->eyeHeight = ConvertWorldToScreen(GetLayerAbsBaseHeight(layer), ds, 0) +
                            0.5f * ConvertWorldToScreen(layer->height, ds, 0);
    } else {
        ds->flyAltitude = 1500;
        ds->flyValueA = 20;
        ds->flyValueB = 330;
    }
    SetUpLiveViewCamera(ds);
    gRenderDirty = gRefreshRender = 1;
    Refresh();
}

void LiveViewController::setWalkThroughElevation() {
    if (CurrentDocState()) NewWalkElevationSheetForParent(AsCommandWindow(window_));
}

void LiveViewController::setFlyAroundAltitude() {
    if (CurrentDocState()) NewFlyAltitudeSheetForParent(AsCommandWindow(window_));
}

QMenu* LiveViewController::setRenderStyleUsingTBMenu(QWidget* sender) {
    return popUpMenu(ContextMenuFactory::liveViewRenderStyleMenu(window_), sender);
}

QMenu* LiveViewController::setViewpointUsingTBMenu(QWidget* sender) {
    return popUpMenu(ContextMenuFactory::liveViewViewpointMenu(window_), sender);
}

QMenu* LiveViewController::popUpMenu(QMenu* menu, QWidget* sender) {
    if (!menu) return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* a : menu->actions()) {
        if (a->objectName() != QLatin1String("setRenderStyle")) continue;
        a->setCheckable(true);
        a->setChecked(LiveViewOGLView::renderStyleChecked(a->data().toInt()));
    }
    connect(menu, &QMenu::triggered, this, [](QAction* a) {
        const int tag = a->data().toInt();
        if (a->objectName() == QLatin1String("setRenderStyle")) Win32EventHandler().setRenderStyleUsingCommand(tag);
        else if (a->objectName() == QLatin1String("setViewpoint")) Win32EventHandler().setViewpointUsingCommand(tag);
    });
    QWidget* at = sender ? sender : container_;
    menu->popup(at->mapToGlobal(QPoint(0, at->height())));
    return menu;
}

void LiveViewController::renderFinal() {
    DocState* ds = CurrentDocState();
    if (!ds || !surface_.makeCurrent()) return;
    const uint8_t shadows = ds->shadowsOn;
    ds->shadowsOn = 1;
    gRenderOpenGLAntiAlias = gRenderGL = 1;
    gRenderDirty = gRefreshRender = 1;
    refreshKeepingTheFrame();
    gRenderOpenGLAntiAlias = gRenderGL = 0;
    ds->shadowsOn = shadows;
    endRender();
}

void LiveViewController::renderShadows() {
    DocState* ds = CurrentDocState();
    if (!ds || ds->renderMode == rendermode::kWireframe) return;
    // The design forbids shadows: the view stays as it is, and the status line says why.
    if (ds->shadowsForbidden) return setLVStatusString(LocalizedString("Shadows are turned off for this design").c_str());
    if (!surface_.makeCurrent()) return;
    const uint8_t shadows = ds->shadowsOn;
    ds->shadowsOn = 1;
    gRenderGL = gRenderDirty = gRefreshRender = 1;
    refreshKeepingTheFrame();
    gRenderGL = 0;
    ds->shadowsOn = shadows;
    endRender();
}

QImage LiveViewController::liveViewOGLViewBitmapImageRep() {
    if (!surface_.makeCurrent()) return {};
    const SurfaceSize s = surface_.size();
    const std::vector<uint8_t> rgba = surface_.readPixels();
    if (s.width <= 0 || s.height <= 0 || rgba.size() < size_t(s.width) * s.height * 4) return {};
    QImage image(s.width, s.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    // Read-back rows run bottom-up: the image's top row is the view's top.
    for (int y = 0; y < s.height; ++y) {
        const uint8_t* from = rgba.data() + size_t(s.height - 1 - y) * s.width * 4;
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < s.width; ++x) to[x] = qRgb(from[x * 4], from[x * 4 + 1], from[x * 4 + 2]);
    }
    return image;
}

QImage LiveViewController::prepareLiveViewUsingQuality(int quality, QSize size) {
    DocState* ds = CurrentDocState();
    if (!ds || !surface_.makeCurrent() || !surface_.beginOffscreen(size.width(), size.height())) return {};
    const uint8_t shadows = ds->shadowsOn;
    const int32_t hidden = ds->renderValue, passes = ds->lightSetting;
    g3DViewPrintInterrupted = 0;
    gRefreshRender = gRenderGL = gRenderDirty = 1;
    if (quality != 0) {
        gRenderOpenGLAntiAlias = ds->elevationView == 0;
        ds->shadowsOn = 1;
        ds->renderValue = 0;
        ds->lightSetting = PassesForQuality(quality);
    }
    RefreshGLScene();
    const bool interrupted = gBreakOpenGLRender != 0;
    QImage image = interrupted ? QImage() : liveViewOGLViewBitmapImageRep();
    if (interrupted) g3DViewPrintInterrupted = 1;
    gRenderOpenGLAntiAlias = gRenderGL = 0;
    gBreakOpenGLRender = 0;
    ds->shadowsOn = shadows, ds->renderValue = hidden, ds->lightSetting = passes;
    surface_.makeCurrent();
    surface_.endOffscreen();
    resetLVLightProgress();
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
    return image;
}

void LiveViewController::displayExport3DSavePanel() {
    if (!CurrentDocState() || export3DView_) return;
    const SurfaceSize s = surface_.size();
    // The format, quality and size asked first, window-modal on the panel; the save panel
    // follows with the format's extensions.
    auto* dialog = new QDialog(window_);
    dialog->setObjectName(QStringLiteral("export3DView"));
    dialog->setWindowTitle(Localized("Export 3D Image"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout(dialog);
    auto* format = new QComboBox(dialog);
    format->setObjectName(QStringLiteral("imageFormatPopUpButton"));
    format->addItem(Localized("BMP"), 0);
    format->addItem(Localized("PNG"), 3);
    format->setCurrentIndex(std::max(0, format->findData(imageFormat)));
    auto* quality = new QComboBox(dialog);
    quality->setObjectName(QStringLiteral("renderQualityPopUpButton"));
    for (const char* item : {"Current Image", "Low Quality (Fast)", "High Quality (Moderate)", "Ultra-High Quality (Slow)",
                             "Excellent Quality (Very Slow)"})
        quality->addItem(Localized(item));
    quality->setCurrentIndex(std::clamp(renderQuality, 0, 4));
    auto* width = new QSpinBox(dialog);
    auto* height = new QSpinBox(dialog);
    width->setObjectName(QStringLiteral("exportImageWidthText"));
    height->setObjectName(QStringLiteral("exportImageHeightText"));
    for (QSpinBox* box : {width, height}) box->setRange(1, 20000);
    width->setValue(s.width), height->setValue(s.height);
    auto enable = [width, height](int q) { width->setEnabled(q != 0), height->setEnabled(q != 0); };
    enable(quality->currentIndex());
    connect(quality, &QComboBox::currentIndexChanged, dialog, enable);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    form->addRow(Localized("Format:"), format);
    form->addRow(Localized("Quality:"), quality);
    form->addRow(Localized("Width:"), width);
    form->addRow(Localized("Height:"), height);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, [=, this] {
        imageFormat = format->currentData().toInt();
        renderQuality = quality->currentIndex();
        exportSize = renderQuality == 0 ? QSize(s.width, s.height) : QSize(width->value(), height->value());
        port::FilePanel panel;
        panel.fileName = "Untitled";
        panel.extensions = FormatExtensions(imageFormat);
        port::fileDialogs().beginSavePanel(panel, [this](const std::string& path) { export3DSavePanelDidEnd(path); });
    });
    export3DView_ = dialog;
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

void LiveViewController::export3DSavePanelDidEnd(const std::string& path) {
    if (path.empty() || !CurrentDocState()) return;
    const SurfaceSize s = surface_.size();
    QSize size = renderQuality == 0 && !exportSize.isValid() ? QSize(s.width, s.height) : exportSize;
    size = size.expandedTo(QSize(kMinimumExportSide, kMinimumExportSide));
    const QImage image = prepareLiveViewUsingQuality(renderQuality, size);
    if (image.isNull() && g3DViewPrintInterrupted) {
        Alert("Exporting interrupted.", "The scene must be fully rendered before an image can be exported.");
        return;
    }
    QSaveFile file(QString::fromStdString(path));
    const char* format = FormatName(imageFormat);
    const bool written = !image.isNull() && format && file.open(QIODevice::WriteOnly) &&
                         QImageWriter(&file, format).write(image) && file.commit();
    if (!written) {
        file.cancelWriting();
        Alert("Unable to export the 3D image.", "Please ensure you have adequate disk space and try again.");
    }
}

void LiveViewController::showPrint3DPropertiesPanel() {
    if (!CurrentDocState()) return;
    NewLV3DPrintSheetForParent(AsCommandWindow(window_), [this](int quality, int width, int height) {
        print3DLiveViewUsingQuality(quality, QSize(width, height));
    });
}

void LiveViewController::print3DLiveViewUsingQuality(int quality, QSize size) {
    if (!CurrentDocState()) return;
    size = size.expandedTo(QSize(kMinimumExportSide, kMinimumExportSide));
    const QImage image = prepareLiveViewUsingQuality(quality, size);
    if (image.isNull()) {
        if (g3DViewPrintInterrupted)
            Alert("Exporting interrupted.", "The scene must be fully rendered before it can be printed.");
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window_);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    painter.scale(printer.logicalDpiX() / 72.0, printer.logicalDpiY() / 72.0);
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    printImagePages(painter, image, printable.size(), [&printer] { return printer.newPage(); });
}

int LiveViewController::printImagePages(QPainter& painter, const QImage& image, const QSizeF& printable,
                                        const std::function<bool()>& newPage) {
    if (image.isNull() || printable.isEmpty()) return 0;
    // One image pixel a point, cut into as many pages as it needs across and down.
    const float width = float(image.width()), height = float(image.height());
    const QTransform points = painter.worldTransform();
    int pages = 0;
    for (const PrintTile& tile : PrintTiles(width, height, float(printable.width()), float(printable.height()))) {
        if (pages > 0 && !newPage()) break;
        painter.setWorldTransform(points);
        painter.setClipRect(QRectF(QPointF(0, 0), printable));
        painter.drawImage(QPointF(-tile.left, -tile.top), image);
        ++pages;
    }
    return pages;
}

void LiveViewController::cutAwaySliderUpButtonChanged() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->cutAwayPosition = 0;
    ds->cutAwayKind = int16_t((ds->cutAwayKind + 1) % 5);
    SetSlicePlaneBounds();
    updateCutAwayImageAndPosition();
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
}

void LiveViewController::cutAwaySliderDownButtonChanged() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->cutAwayPosition = 0;
    ds->cutAwayKind = int16_t(ds->cutAwayKind <= 0 ? 4 : ds->cutAwayKind - 1);
    SetSlicePlaneBounds();
    updateCutAwayImageAndPosition();
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
}

void LiveViewController::updateCutAwayImageAndPosition() {
    const DocState* ds = CurrentDocState();
    const int mode = ds && ds->cutAwayKind >= 0 && ds->cutAwayKind <= 4 ? ds->cutAwayKind : 0;
    if (mode != cutAwayMode_) cutAwayImage_->setPixmap(CutAwayPicture(mode)), cutAwayMode_ = mode;
    const QSignalBlocker quiet(slider_);
    slider_->setValue(ds ? ds->cutAwayPosition : 0);
}

void LiveViewController::updateCutAwaySliderBounds() {
    const QSignalBlocker quiet(slider_);
    slider_->setMaximum(std::max(1, int(std::lround(gCutawayRange))));
}

QUndoStack* LiveViewController::windowWillReturnUndoManager() const {
    if (!AppController::exists()) return nullptr;
    QMDDocument* d = AppController::shared()->documentController()->currentDocument();
    return d ? d->undoStack() : nullptr;
}
