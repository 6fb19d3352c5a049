#include "app/app_controller.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "app/input_gate.h"
#include "app/about_window.h"
#include "app/command_router.h"
#include "app/core/app_seams.h"
#include "app/core/document_seams.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/startup.h"
#include "app/lv_property_sheets.h"
#include "app/screen_frames.h"
#include "app/window_controller.h"
#include "app/x_server.h"
#include "files/undo.h"
#include "content/content_provider_controller.h"
#include "model/document_model.h"
#include "plan/plan_lines.h"
#include "port/session.h"
#include "powertools/core/plugin_list_seams.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "powertools/notification_channel.h"
#include "powertools/power_tool_host.h"
#include "render/core/live_view_seams.h"
#include "render/renderer_startup.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "ui/core/inspector_seams.h"
#include "ui/inspector/inspector_controller.h"
#include "ui/preferences/preferences_controller.h"
#include "ui/sheets/sheet_table.h"
#include "ui/tool_palettes.h"

namespace {

AppController* sShared = nullptr;
bool sSplashEnabled = true;

}  // namespace

void AppController::initialize() {
    RegisterPreferenceDefaults(QLocale().measurementSystem() == QLocale::MetricSystem);
}

AppController* AppController::shared() {
    if (!sShared) {
        sShared = new AppController();
        sShared->init();
    }
    return sShared;
}

bool AppController::exists() { return sShared != nullptr; }

void AppController::destroyShared() {
    DestroySharedPalettes();
    InspectorController::destroyShared();
    delete sShared;
    sShared = nullptr;
}

void AppController::setSplashEnabled(bool enabled) { sSplashEnabled = enabled; }
bool AppController::splashEnabled() { return sSplashEnabled; }

// The gate sees every input from the first window on.
AppController::AppController() {
    InputGate::shared();
    TakeCurrentPositions();
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

// A setting the design saves and no step stores (the snap offset, a tool default typed with
// nothing selected, the live view's menus, the lot) marks the design changed, whichever control
// set it, before the next key, click or close is taken: so Close and Quit ask, and the next
// step does not take it for its own.
bool AppController::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::Wheel: case QEvent::KeyPress: case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: case QEvent::Shortcut: case QEvent::Close:
        for (QMDDocument* d : documentController_.documents())
            if (d) NoteSettingsSetWithoutStep(d->model());
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

AppController::~AppController() {
    // The documents close after this: nothing is noted of them any more.
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
    SetResetStandardToolHandler(nullptr);
    SetMainWindowDocumentViewHandler(nullptr);
    SetIsOpenDocumentIDInUseHandler(nullptr);
    SetMainWindowDocumentUpdateChangeCountHandler(nullptr);
    SetMainWindowDocumentSetFileNameHandler(nullptr);
    SetViewTopHandler(nullptr);
    SetCloseVisiblePanelsAndSaveStateHandler(nullptr);
    SetRestoreAllVisiblePanelsHandler(nullptr);
    SetMainWindowCommandWindowHandler(nullptr);
    ForgetSheetHandlers();
    ForgetLVPropertySheets();
    ForgetInspectorHandlers();
    RemovePowerToolHost();
    FreeAcclLineBuffer();
    delete splashWindow_;
}

void AppController::init() {
    sessionID_ = int32_t(port::LoginSessionID());
    InitializeSupportPath();
    documentController_.documents().clear();
    loadNewPlanReadoutState();
    loadWindowVisibilityState();
    initialWindowPositionsSet_ = false;
    applicationDidLaunch_ = false;
    // Before the globals: they have the dispatcher build its list.
    RegisterPowerToolDispatcherSeams();
    powerToolChannel_ = InstallPowerToolHost();
    InitializeApplicationGlobals();
    StartRenderer();
    shouldDisplaySplashScreen_ = true;
    SetResetStandardToolHandler([this](uint8_t flag) { resetStandardTool(flag != 0); });
    SetMainWindowDocumentViewHandler([this] { return mainWindowDocumentView(); });
    SetViewTopHandler([] { Win32EventHandler().viewTop(); });
    SetCloseVisiblePanelsAndSaveStateHandler([this] { closeVisiblePanelsAndSaveState(); });
    SetRestoreAllVisiblePanelsHandler([this] { restoreAllVisiblePanels(); });
    SetMainWindowCommandWindowHandler([this] { return AsCommandWindow(mainWindowController()); });
    RegisterSheetHandlers();
    RegisterLVPropertySheets();
    RegisterInspectorHandlers();
    SetIsOpenDocumentIDInUseHandler([this](int32_t id) {
        for (QMDDocument* d : documentController_.documents())
            if (d && d->documentModel && d->documentModel->itsDocID == id) return true;
        return false;
    });
    SetMainWindowDocumentUpdateChangeCountHandler([this](int change) {
        if (QMDDocument* d = mainWindowDocument()) d->updateChangeCount(change);
    });
    SetMainWindowDocumentSetFileNameHandler([this](const char* name) {
        if (QMDDocument* d = mainWindowDocument()) d->setFileName(name ? name : "");
    });
}

const QCursor& AppController::zoomCursor() {
    if (!zoomCursor_) {
        // A magnifier: a ring with a handle, hot spot in the ring's centre.
        QPixmap image(24, 24);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 2));
        p.drawEllipse(QPointF(11, 9), 6, 6);
        p.drawLine(QPointF(15.5, 13.5), QPointF(21, 19));
        p.end();
        zoomCursor_ = std::make_unique<QCursor>(image, 11, 9);
    }
    return *zoomCursor_;
}

QMDDocument* AppController::mainWindowDocument() const {
    if (!gCurDocument) return nullptr;
    for (QMDDocument* d : const_cast<QMDDocumentController&>(documentController_).documents())
        if (d && d->documentModel == gCurDocument) return d;
    return nullptr;
}

QMainWindow* AppController::mainWindowController() const {
    QMDDocument* d = mainWindowDocument();
    return d ? d->windowController : nullptr;
}

Base2DView* AppController::mainWindowDocumentView() const {
    QMDDocument* d = mainWindowDocument();
    return d && d->windowController ? d->docView : nullptr;
}

int AppController::deMiniaturizedDocumentWindowCount() const {
    int count = 0;
    for (QMDDocument* d : const_cast<QMDDocumentController&>(documentController_).documents())
        if (d && d->windowController && !d->windowController->isMinimized()) ++count;
    return count;
}

void AppController::loadNewPlanReadoutState() { LoadNewPlanReadoutState(); }
void AppController::loadWindowVisibilityState() { visible_ = LoadWindowVisibilityState(); }

void AppController::closeVisiblePanelsAndSaveState() {
    CloseLiveView();
    // Each close clears its flag, so what was visible is read first and stored last.
    auto closeAndRemember = [](bool visible, auto close, bool* flag) {
        close();
        *flag = visible;
    };
    ToolPaletteController* edit = ToolPaletteController::shared();
    SnapPaletteController* snap = SnapPaletteController::shared();
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    closeAndRemember(edit->isVisible(), [edit] { edit->close(); }, &visible_.editTools);
    closeAndRemember(snap->isVisible(), [snap] { snap->close(); }, &visible_.snapTools);
    closeAndRemember(plan->isVisible(), [plan] { plan->close(); }, &visible_.planTools);
    const bool inspector = InspectorIsVisible();
    CloseInspector();
    visible_.inspector = inspector;
}

void AppController::restoreAllVisiblePanels() {
    if (visible_.editTools) ToolPaletteController::shared()->showWindow();
    if (visible_.planTools) PlanToolPaletteController::shared()->showWindow();
    // The inspector is not brought back here (its flag is only remembered): it comes back
    // through its own command, or as a window that becomes main shows its column.
    // Placed once shown: only then do the window frames have their final size.
    if (!initialWindowPositionsSet_) {
        setInitialWindowPositionsAndAutoSaveNames();
        initialWindowPositionsSet_ = true;
    }
}

void AppController::showInspectorAsRemembered() {
    // The inspector is a part of each window's side column: the main one shows it as the one
    // panel would be. The content library below it keeps its own.
    visible_.inspector ? ShowInspector() : CloseInspector();
}

void AppController::setInitialWindowPositionsAndAutoSaveNames() {
    ToolPaletteController* edit = ToolPaletteController::shared();
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    if (!QGuiApplication::primaryScreen()) return;
    // Whole frames, asked anew as the palettes are framed: only then do their sizes hold the
    // decoration the window manager draws, and only then does a frame set land where it is asked.
    const auto initialFrame = [edit, plan](bool ofEdit) {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return FrameAt(ofEdit ? edit->window() : plan->window(), QPoint());
        const int height = screen->geometry().height();
        const BottomLeftFrame v = ToBottomLeft(screen->availableGeometry(), height);
        const QSize editSize = FrameAt(edit->window(), QPoint()).size();
        const QSize planSize = FrameAt(plan->window(), QPoint()).size();
        BottomLeftFrame e{0, 0, double(editSize.width()), double(editSize.height())};
        BottomLeftFrame p{0, 0, double(planSize.width()), double(planSize.height())};
        InitialPaletteOrigins(v, &e, &p);
        return ToTopLeft(ofEdit ? e : p, height);
    };
    // Placed there unless the user left a frame, now if shown, else when shown. The edit
    // palette's frame, set first, keeps no clear of where the plan palette stands before its
    // own is set (where a window manager first put it); the plan palette's keeps clear of it.
    edit->setFirstFrame([initialFrame] { return initialFrame(true).topLeft(); });
    {
        const FrameDue planDue(plan->window());
        edit->setAutoSaveName();
    }
    plan->setFirstFrame([initialFrame] { return initialFrame(false).topLeft(); });
    plan->setAutoSaveName();
}

std::function<FramesKeptClear()> AppController::framesKeptClearOf(const QWidget* shown) {
    return [shown = QPointer<const QWidget>(shown)] {
        FramesKeptClear clear;
        if (!exists()) return clear;
        // A document window placed after the window asking keeps clear of it instead.
        for (QMDDocument* d : shared()->documentController()->documents())
            if (d && d->windowController && d->windowController->isVisible())
                if (const std::optional<QRect> f = FrameToKeepClearOf(d->windowController))
                    clear.titles.push_back(
                        TitleAndMenuBar(d->windowController).translated(f->topLeft() - ShownFrame(d->windowController).topLeft()));
        // The floating windows: palettes, the live view, Preferences, Plant Details and the like.
        // A document window's sheets and alerts go with it.
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = w->windowType();
            if (w == shown || !w->isVisible() || w->parentWidget() || qobject_cast<const QMainWindow*>(w) ||
                (type != Qt::Window && type != Qt::Tool && type != Qt::Dialog))
                continue;
            if (const std::optional<QRect> f = FrameToKeepClearOf(w)) (IsFloating(w) ? clear.palettes : clear.windows).push_back(*f);
        }
        return clear;
    };
}

void AppController::beginSplashScreen() {
    if (!splashWindow_) splashWindow_ = new AppSplashScreen(QSize(420, 240));
    splashWindow_->show();
}

void AppController::endSplashScreen() {
    if (!splashWindow_) return;
    splashWindow_->close();
    delete splashWindow_;
    splashWindow_ = nullptr;
}

void AppController::resetStandardTool(bool force) {
    if (!ResetStandardToolState(force)) return;
    PlanToolPaletteController::shared()->removeToolSelection();
    ToolPaletteController::shared()->selectArrowTool();
}

void AppController::showLiveViewPanel() {
    if (LiveViewIsVisible()) return;
    ShowLiveView();
    if (gRenderOnShow) {
        RenderAllLayers();
    } else {
        gRenderDirty = 1;
        gRefreshRender = 1;
    }
    LiveViewNeedsDisplay();
}

void AppController::toggleLiveViewPanel() {
    if (LiveViewIsVisible()) CloseLiveView();
    else showLiveViewPanel();
}

void AppController::toggleToolPalettePanel() {
    ToolPaletteController* c = ToolPaletteController::shared();
    c->isVisible() ? c->close() : c->showWindow();
}

void AppController::toggleSnapPalettePanel() {
    SnapPaletteController* c = SnapPaletteController::shared();
    c->isVisible() ? c->close() : c->showWindow();
}

void AppController::togglePlanToolPalettePanel() {
    PlanToolPaletteController* c = PlanToolPaletteController::shared();
    c->isVisible() ? c->close() : c->showWindow();
}

void AppController::toggleInspectorPanel() {
    if (InspectorIsVisible()) {
        CloseInspector();
        setInspectorVisible(false);
    } else {
        setInspectorVisible(true);
        ShowInspector();
    }
}

void AppController::toggleContentLibraryPanel() {
    auto* w = qobject_cast<QMDWindowController*>(mainWindowController());
    if (!w) return;
    const bool shown = !w->isContentLibraryShown();
    w->setContentLibraryShown(shown);
    setContentLibraryVisible(shown);
}

void AppController::showPowerToolLauncherWindow() { RunPowerToolLauncher(); }

void AppController::showPreferenceWindow() { PreferencesController::shared()->showWindow(); }

void AppController::showContentProvidersWindow() {
    ContentProviderController* w = ContentProviderController::sharedContentProviderController();
    if (!w->isVisible()) PlaceAtProgramsFrame(w, framesKeptClearOf(w));
    w->show();
    w->raise();
    w->activateWindow();
}

void AppController::showAboutWindow() { AboutWindowController::shared()->showWindow(); }

void AppController::launchManual() {
    const QString manual =
        QStandardPaths::locate(QStandardPaths::AppDataLocation, QStringLiteral("ZeltDovraneManual.pdf"));
    if (!manual.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void AppController::visitKestoHomePage() {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(LocalizedString("https://dovranix.org/"))));
}

void AppController::applicationDidFinishLaunching() {
    shouldDisplaySplashScreen_ = false;
    applicationDidLaunch_ = true;
    InspectorShowEmptyPane();
    // The palettes float over the document window shown after them, also where no window
    // manager keeps them above it; an alert of the launch stays over them.
    RaiseFloatingWindows();
}

bool AppController::validateMenuItem(QAction* item) const {
    const bool enabled = DelegateMenuItemsEnabled(gCurDocument != nullptr, PowerToolEntryForDocument(gCurDocument),
                                                  deMiniaturizedDocumentWindowCount());
    item->setEnabled(enabled);
    const int32_t tag = item->data().toInt();
    bool visible = false;
    switch (tag) {
    case 14000: visible = LiveViewIsVisible(); break;
    case 14001: visible = ToolPaletteController::shared()->isVisible(); break;
    case 14002: visible = SnapPaletteController::shared()->isVisible(); break;
    case 14003: visible = PlanToolPaletteController::shared()->isVisible(); break;
    case 14004: visible = InspectorIsVisible(); break;
    default: return enabled;
    }
    item->setText(QString::fromStdString(PanelMenuItemTitle(tag, visible, enabled)));
    return enabled;
}

bool AppController::terminate() {
    if (LiveViewIsVisible()) CloseLiveView();
    if (!CloseDocumentWindows()) return false;
    QApplication::quit();
    return true;
}

