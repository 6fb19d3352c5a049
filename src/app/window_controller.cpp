#include "app/window_controller.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScrollArea>
#include <QPushButton>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include <cmath>
#include <functional>
#include <optional>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/app_seams.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/input_gate.h"
#include "app/screen_frames.h"
#include "app/widgets.h"
#include "content/content_palette_controller.h"
#include "content/core/content_selection_seams.h"
#include "files/topography.h"
#include "files/undo.h"
#include "files/windows_records.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "model/selection_state.h"
#include "model/walkers.h"
#include "plan/zoom.h"
#include "ui/tool_pictures.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "port/macroman.h"
#include "port/qt/platform.h"
#include "powertools/core/plugin_list_seams.h"
#include "files/custom_textures.h"
#include "render/core/live_view_seams.h"
#include "model/topo_grid.h"
#include "scene/terrain.h"
#include "ui/core/inspector_seams.h"
#include "ui/tool_palettes.h"
#include "tracking/track_mouse.h"

namespace {

// The window whose handlers answer the model's calls to the main window.
QMDWindowController* sSeamOwner = nullptr;

QString Localized(const char* key) { return QString::fromStdString(LocalizedString(key)); }

const char* const kPlanTabs[] = {"Foundation", "Floor", "Electrical", "Plumbing", "Roofing",
                                 "HVAC", "Deck", "Landscape", "Detail"};

struct FloorItem {
    const char* title;
    int tag;
};
constexpr FloorItem kFloors[] = {{"First Floor", kFirstFloorPopUpTag},
                                 {"Second Floor", kSecondFloorPopUpTag},
                                 {"Third Floor", kThirdFloorPopUpTag}};

// Asks every document window to close; a window kept open (Cancel) stops the quit.
bool CloseEveryDocumentWindow() {
    for (QMDDocument* d : AppController::shared()->documentController()->documents())
        if (d && d->windowController && d->windowController->isVisible() && !d->windowController->close()) return false;
    return true;
}

// The frame a palette docks with, when it is shown on the window's screen.
std::optional<BottomLeftFrame> PaletteFrame(const PaletteController* palette, const QScreen* screen, int height) {
    QWidget* w = palette->window();
    if (!w->isVisible() || w->screen() != screen) return std::nullopt;
    return ToBottomLeft(FrameComing(w), height);
}

// The grid is shared by every design: reading one and then releasing the one it replaces (each
// terrain object deleted recomputes the grid) leaves it flat, or sized for the other lot. So the
// grid is set up afresh (unless a topography file gave it) and computed from this design's terrain.
void ComputeGroundOfCurrentDesign() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    if (!ds->topoFilePath[0]) SetupTopoGrid();
    SetLotElevation();
}

}  // namespace

QMDWindowController::QMDWindowController(QMDDocument* document) : document_(document) {
    setWindowTitle(Localized("Untitled"));
    if (document_) {
        document_->windowController = this;
        gCurDocument = document_->model();
    }
    buildViews();
    setupMenuBar();
    setupToolbar();
    placeWindow();
    windowDidLoad();
    if (document_) document_->setFileName(document_->fileName());
}

QMDWindowController::~QMDWindowController() {
    releaseSeams(true);
    releaseInspectorPane();
    if (noPropertiesView_ && !noPropertiesView_->parent()) delete noPropertiesView_.data();
    if (document_ && document_->windowController == this) {
        document_->windowController = nullptr;
        document_->docView = nullptr;
    }
}

void QMDWindowController::buildViews() {
    auto* windowContainerView = new QWidget(this);
    auto* column = new QVBoxLayout(windowContainerView);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    docTabView_ = new QTabBar(windowContainerView);
    docTabView_->setDrawBase(false);
    docTabView_->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 9; ++i) {
        docTabView_->addTab(Localized(kPlanTabs[i]));
        docTabView_->setTabData(i, QString::number(1 << i));
    }
    docTabView_->setCurrentIndex(1);
    connect(docTabView_, &QTabBar::currentChanged, this, &QMDWindowController::tabViewDidSelectTabViewItem);
    auto* docContainerView = new QWidget(windowContainerView);
    auto* holder = new QVBoxLayout(docContainerView);
    holder->setContentsMargins(0, 0, 0, 0);
    docScrollView_ = new QMDDocumentScrollView(docContainerView);
    docView_ = new QMDDocumentView(document_);
    docScrollView_->setDocumentView(docView_);
    holder->addWidget(docScrollView_);
    column->addWidget(docTabView_);
    column->addWidget(docContainerView, 1);
    auto* central = new QWidget(this);
    auto* beside = new QHBoxLayout(central);
    beside->setContentsMargins(0, 0, 0, 0);
    beside->setSpacing(0);
    beside->addWidget(windowContainerView, 1);
    beside->addWidget(buildSideColumn());
    setCentralWidget(central);
    if (document_) document_->docView = docView_;

    statusText_ = new QLabel(this);
    statusBar()->addWidget(statusText_, 1);
    auto* elevationSliderView = new QWidget(this);
    auto* row = new QHBoxLayout(elevationSliderView);
    row->setContentsMargins(0, 0, 0, 0);
    elevationSlider_ = new ElevationSlider(elevationSliderView);
    elevationSlider_->setRange(-10, 20);
    elevationSlider_->setFixedWidth(160);
    elevationSlider_->setFocusPolicy(Qt::NoFocus);  // the plan keeps the keyboard
    elevationText_ = new QLabel(elevationSliderView);
    elevationText_->setMinimumWidth(40);
    row->addWidget(elevationSlider_);
    row->addWidget(elevationText_);
    statusBar()->addPermanentWidget(elevationSliderView);
    connect(elevationSlider_, &QSlider::valueChanged, this, &QMDWindowController::elevationSliderChanged);
    connect(elevationSlider_, &ElevationSlider::released, this, &QMDWindowController::elevationSliderReleased);
    connect(elevationSlider_, &QWidget::customContextMenuRequested, this,
            &QMDWindowController::elevationSliderRightMouseDown);
}

QWidget* QMDWindowController::buildSideColumn() {
    sideColumn_ = new QWidget(this);
    sideColumn_->setObjectName(QStringLiteral("sideColumn"));
    sideColumn_->setFixedWidth(260);
    auto* column = new QVBoxLayout(sideColumn_);
    column->setContentsMargins(0, 0, 0, 0);
    inspectorScrollView_ = new QScrollArea(sideColumn_);
    inspectorScrollView_->setObjectName(QStringLiteral("inspectorScrollView"));
    inspectorScrollView_->setWidgetResizable(false);
    inspectorScrollView_->setFocusPolicy(Qt::NoFocus);  // a click between a pane's controls leaves the plan its keys
    parentInspectorView_ = new QMDInspectorView;
    parentInspectorView_->setObjectName(QStringLiteral("parentInspectorView"));
    inspectorScrollView_->setWidget(parentInspectorView_);
    column->addWidget(inspectorScrollView_, 1);
    contentPaletteController_ = new ContentPaletteController(sideColumn_);
    column->addWidget(contentPaletteController_, 1);
    noPropertiesView_ = new QLabel(Localized("No Properties"), parentInspectorView_);
    noPropertiesView_->setObjectName(QStringLiteral("noPropertiesView"));
    static_cast<QLabel*>(noPropertiesView_.data())->setAlignment(Qt::AlignCenter);
    noPropertiesView_->setEnabled(false);
    // Shown once the delegate restores the panels.
    sideColumn_->hide();
    return sideColumn_;
}

void QMDWindowController::takeInspectorSubview(QWidget* view) {
    if (!view || view->parentWidget() != parentInspectorView_) return;
    view->hide();
    view->setParent(nullptr);
}

void QMDWindowController::releaseInspectorPane() {
    if (!parentInspectorView_) return;
    for (QWidget* v : parentInspectorView_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (v != noPropertiesView_) takeInspectorSubview(v);
}

bool QMDWindowController::isInspectorShown() const {
    return !sideColumn_->isHidden() && !inspectorScrollView_->isHidden();
}

// Each part keeps its own state while the other is shown or hidden, the column hidden or not.
void QMDWindowController::setInspectorShown(bool shown) { showSideParts(shown, !contentPaletteController_->isHidden()); }

bool QMDWindowController::isContentLibraryShown() const {
    return !sideColumn_->isHidden() && !contentPaletteController_->isHidden();
}

void QMDWindowController::setContentLibraryShown(bool shown) { showSideParts(!inspectorScrollView_->isHidden(), shown); }

void QMDWindowController::showSideParts(bool inspector, bool contentLibrary) {
    inspectorScrollView_->setVisible(inspector);
    contentPaletteController_->setVisible(contentLibrary);
    sideColumn_->setVisible(inspector || contentLibrary);
}

void QMDWindowController::setupMenuBar() {
    router_ = new CommandRouter(this, document_, docView_);
    router_->buildMenuBar();
    router_->takeShortcuts();
    menuHandlers_ = {[](QAction* item) { CommandRouter::validateMenuItem(item); },
                     [router = router_](QAction* item) { router->dispatch(item); }};
    saveAction_ = router_->action("saveDocument");
    saveAsAction_ = router_->action("saveDocumentAs");
    printAction_ = router_->action("print");
    quitAction_ = router_->action("terminate");
    quitAction_->setMenuRole(QAction::QuitRole);
}

void QMDWindowController::setupToolbar() {
    docToolbar_ = new QToolBar(this);
    docToolbar_->setObjectName(QStringLiteral("Document Toolbar Identifier"));
    docToolbar_->setMovable(false);
    docToolbar_->setFloatable(false);
    docToolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    docToolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    docToolbar_->setIconSize(QSize(24, 24));
    auto flexibleSpace = [this] {
        auto* space = new QWidget(docToolbar_);
        space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        docToolbar_->addWidget(space);
    };
    // The floor pop-up with its label under it, as the other items have theirs.
    auto* activeFloorTBView = new QWidget(docToolbar_);
    auto* stack = new QVBoxLayout(activeFloorTBView);
    stack->setContentsMargins(2, 0, 2, 0);
    stack->setSpacing(0);
    activeFloorTBPopUpButton_ = new QComboBox(activeFloorTBView);
    activeFloorTBPopUpButton_->setFocusPolicy(Qt::NoFocus);
    for (const FloorItem& f : kFloors) activeFloorTBPopUpButton_->addItem(Localized(f.title), f.tag);
    connect(activeFloorTBPopUpButton_, &QComboBox::activated, this, &QMDWindowController::changeFloorTBPopUpButton);
    auto* label = new QLabel(Localized("Active Floor"), activeFloorTBView);
    label->setAlignment(Qt::AlignHCenter);
    stack->addWidget(activeFloorTBPopUpButton_);
    stack->addWidget(label);
    docToolbar_->addWidget(activeFloorTBView)->setText(Localized("Active Floor"));
    // Its menu form, the floors as a menu, on a right click on the pop-up or its label.
    for (QWidget* part : {static_cast<QWidget*>(activeFloorTBPopUpButton_), activeFloorTBView}) {
        part->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(part, &QWidget::customContextMenuRequested, this, [this, part](QPoint at) {
            PopUpContextMenu(ContextMenuFactory::toolbarFloorMenu(this), part->mapToGlobal(at), menuHandlers_);
        });
    }
    flexibleSpace();
    AppController* delegate = AppController::shared();
    auto item = [this](const char* id, const char* label, const char* tip, const char* image,
                       std::function<void()> action) {
        QAction* a = docToolbar_->addAction(ToolPicture(QString::fromLatin1(image)), Localized(label));
        a->setObjectName(QString::fromLatin1(id));
        a->setToolTip(Localized(tip));
        if (action) connect(a, &QAction::triggered, this, action);
    };
    item("Document Toolbar Content Item", "Content", "Toggle the content library", "DocTBContentLib",
         [delegate] { delegate->toggleContentLibraryPanel(); });
    item("Document Toolbar Inspector Item", "Inspector", "Toggle the object inspector", "DocTBInspect",
         [delegate] { delegate->toggleInspectorPanel(); });
    item("Document Toolbar Lot Properties Item", "Lot Properties", "Set lot properties such as size and resolution",
         "DocTBLotProperties",
         [this] { docView_->setLotSize(0); });
    flexibleSpace();
    item("Document Toolbar LiveView Item", "LiveView", "Toggle the 3D LiveView window", "DocTBLiveView",
         [delegate] { delegate->toggleLiveViewPanel(); });
    addToolBar(Qt::TopToolBarArea, docToolbar_);
}

void QMDWindowController::placeWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect visible = screen->availableGeometry();
    // The window's own first frame, title bar included.
    const QRect first(visible.topLeft(), QSize(std::min(1024, visible.width()), std::min(700, visible.height())));
    const bool launched = AppController::shared()->applicationDidLaunch();
    PlaceWindowFrame(this, [screen = QPointer<QScreen>(screen), visible, first, launched] {
        if (!screen) return first;
        const int height = screen->geometry().height();
        const auto edit = PaletteFrame(ToolPaletteController::shared(), screen, height);
        const auto snap = PaletteFrame(SnapPaletteController::shared(), screen, height);
        const auto plan = PaletteFrame(PlanToolPaletteController::shared(), screen, height);
        return ToTopLeft(PlaceDocumentWindow(ToBottomLeft(visible, height), ToBottomLeft(first, height),
                                             edit ? &*edit : nullptr, snap ? &*snap : nullptr,
                                             plan ? &*plan : nullptr, launched),
                         height);
    });
}

void QMDWindowController::windowDidLoad() {
    registerSeams();
    gGlobalZOffset = gGlobalYOffset = gGlobalXOffset = 0;
    gSinXAngle = 1.0f;
    gCosYAngle = 1.0f;
    float w = 0, h = 0;
    GetAdjustedPaperWidthAndHeight(&w, &h);
    docView_->setFrameSize({w, h});
    docView_->setBoundsOrigin({-w / 2, -h / 2});
    centrePlanOnPaper();
    docView_->setFocus();

    AppController* delegate = AppController::shared();
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    plan->removeToolSelection();
    ToolPaletteController::shared()->selectArrowTool();
    InspectorShowEmptyPane();
    gCurToolSet = 1;
    plan->loadToolPaletteForPlan(1);
    plan->updateToolsetForPlan(1);
    Win32EventHandler().updateViewingHeight();
    delegate->restoreAllVisiblePanels();
    delegate->showInspectorAsRemembered();
    plan->plantGrowthLevelIndicator()->setEnabled(false);

    DocState* ds = CurrentDocState();
    if (!ds) return;
    zoomAtLoad_ = ds->zoomFactor;
    SnapPaletteController::shared()->setSnapOffsetText(ds->snapOffset);
    ClearSelectionState40(ds, &ds->ss40);
    TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kElevationSummary, ds);
    setElevationPane(&ds->ss40);
    ComputeGroundOfCurrentDesign();
    delegate->loadColorsForDocument(gCurDocument);
    delegate->resetStandardTool(true);
    SelectCurrentFloorInPopUp(gCurDocument);
    showDesignInLiveView();
    updatePlantGrowthIndicatorLevel();
    ContentPaletteRefreshFolderCategory();
}

void QMDWindowController::centrePlanOnPaper() {
    // The bounds' origin is the paper's centre.
    const PlatformRect r = docView_->visibleRect();
    docView_->scrollPoint({-r.width / 2, -r.height / 2});
}

void QMDWindowController::showDesignInLiveView() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    RebuildLiveViewScene();
    SetUpLiveViewCamera(ds);
    if (LiveViewIsVisible()) LiveViewNeedsDisplay();
    UpdateCutAwayImageAndPosition();
}

void QMDWindowController::registerSeams() {
    sSeamOwner = this;
    SetRefreshHandler([this] { refreshDocumentVisibleView(); });
    SetMainWindowControllerSetElevationPaneHandler([this](const SelectionState40* s) { setElevationPane(s); });
    SetSelectActiveFloorPopUpItemHandler([this](int32_t tag) { selectFloorPopUpItem(tag); });
    SetMainWindowSelectPlanTabHandler([this](int32_t planBit) { selectPlanTab(planBit); });
    SetCloseMainWindowSheetHandler([this] { closeSheet(); });
    SetMainWindowStatusTextHandler([this](const std::string& text) { setStatusBarText(text); });
    SetPlanViewDocumentCursorHandler([this](PlanCursor c) { docScrollView_->setDocumentCursor(c); });
    SetCloseDocumentWindowsHandler(CloseEveryDocumentWindow);
    SetBeginPowerToolProgressSheetHandler([this](const std::string& name) { beginPowerToolProgressSheet(name); });
    // A double click on the edit palette's move, rotate and zoom tools.
    SetPlanViewMoveObjectsHandler([this] { docView_->moveObjects(0); });
    SetPlanViewRotateObjectsHandler([this] { docView_->rotateObjects(0); });
    SetPlanViewSetPlanZoomHandler([this] { docView_->setPlanZoom(0); });
    port::qt::QtAlerts::setSheetParentProvider([this]() -> QWidget* { return this; });
}

void QMDWindowController::releaseSeams(bool all) {
    if (sSeamOwner != this) return;
    SetRefreshHandler(nullptr);
    SetMainWindowControllerSetElevationPaneHandler(nullptr);
    SetSelectActiveFloorPopUpItemHandler(nullptr);
    SetMainWindowSelectPlanTabHandler(nullptr);
    SetCloseMainWindowSheetHandler(nullptr);
    SetMainWindowStatusTextHandler(nullptr);
    SetPlanViewDocumentCursorHandler(nullptr);
    SetBeginPowerToolProgressSheetHandler(nullptr);
    SetPlanViewMoveObjectsHandler(nullptr);
    SetPlanViewRotateObjectsHandler(nullptr);
    SetPlanViewSetPlanZoomHandler(nullptr);
    port::qt::QtAlerts::setSheetParentProvider(nullptr);
    // The quit may be closing this window right now: its handler goes with the window.
    if (!all) return;
    SetCloseDocumentWindowsHandler(nullptr);
    sSeamOwner = nullptr;
}

void QMDWindowController::refreshDocumentVisibleView() { docView_->planChanged(); }

void QMDWindowController::setElevationPane(const SelectionState40* selection) {
    const ElevationPane pane = ElevationPaneFor(selection);
    if (!pane.shown) return;
    elevationSlider_->setShouldDrawKnob(pane.knob);
    if (pane.knob) {
        const QSignalBlocker quiet(elevationSlider_);
        elevationSlider_->setValue(int(std::lround(pane.value)));
    }
    updateElevationIndicatorTextWithValue(pane.rounded);
}

void QMDWindowController::updateElevationIndicatorTextWithValue(long value) {
    elevationText_->setText(QString::fromStdString(port::MacRomanToUtf8(ElevationIndicatorText(value))));
}

void QMDWindowController::updatePlantGrowthIndicatorLevel() { UpdatePlantGrowthIndicatorLevel(); }

void QMDWindowController::reinitializeDocumentUI() {
    // New, Open and Revert release the design shown after the next one is read.
    ComputeGroundOfCurrentDesign();
    float w = 0, h = 0;
    GetAdjustedPaperWidthAndHeight(&w, &h);
    docView_->setFrameSize({w, h});
    docView_->setBoundsOrigin({-w / 2, -h / 2});
    centrePlanOnPaper();
    BringDesignIntoView(document_ && document_->fileName().empty());
    refreshDocumentVisibleView();
    ResetStandardTool(1);
    InspectorUpdatePropertiesState(1);
    // The window stays main across New, Open and Revert, so nothing else shows the design's own.
    SnapPaletteController::shared()->updateSnapOffsetText();
    gCurToolSet = 1;
    PlanToolPaletteController::shared()->loadToolPaletteForPlan(1);
    PlanToolPaletteController::shared()->updateToolsetForPlan(1);
    updatePlantGrowthIndicatorLevel();
    // The design keeps the floor it was saved on.
    SelectCurrentFloorInPopUp(gCurDocument);
    // The tabs show the plan worked on again (a read design is on the floor plan).
    {
        const QSignalBlocker quiet(docTabView_);
        docTabView_->setCurrentIndex(1);
    }
    // The old design's scene went with its objects; the textures kept by ID were its own.
    DeleteAllCachedCustomTextures();
    showDesignInLiveView();
}

void QMDWindowController::beginPowerToolProgressSheet(const std::string& plugInName) {
    if (plugInName.empty()) return;
    if (!powerToolProgressSheet_) {
        powerToolProgressSheet_ = new QDialog(this);
        powerToolProgressSheet_->setWindowModality(Qt::WindowModal);
        InputGate::awaitsTool(powerToolProgressSheet_);
        auto* column = new QVBoxLayout(powerToolProgressSheet_);
        powerToolStatusText_ = new QLabel(powerToolProgressSheet_);
        powerToolProgressIndicator_ = new QProgressBar(powerToolProgressSheet_);
        auto* close = new QPushButton(Localized("Close PowerTool"), powerToolProgressSheet_);
        connect(close, &QPushButton::clicked, this, &QMDWindowController::closeDocumentPowerToolButtonChanged);
        column->addWidget(powerToolStatusText_);
        column->addWidget(powerToolProgressIndicator_);
        column->addWidget(close, 0, Qt::AlignRight);
    }
    powerToolName_ = plugInName;
    const std::string text = LocalizedString("'%@' is currently using this design.");
    powerToolStatusText_->setText(QString::fromStdString(text).replace(QStringLiteral("%@"), QString::fromStdString(plugInName)));
    powerToolProgressIndicator_->setRange(0, 0);
    powerToolProgressSheet_->open();
}

void QMDWindowController::endPowerToolProgressSheet() {
    if (!powerToolProgressSheet_) return;
    powerToolProgressIndicator_->setRange(0, 1);
    if (isMinimized()) showNormal();
    powerToolProgressSheet_->done(1);
}

void QMDWindowController::closeDocumentPowerToolButtonChanged() {
    port::Alert alert;
    const QString name = QString::fromStdString(powerToolName_);
    alert.message =
        QString::fromStdString(LocalizedString("Are you sure you want to close '%@'?")).replace("%@", name).toStdString();
    alert.informative = LocalizedString("You will lose all unsaved settings in this PowerTool if you choose to close it.");
    alert.buttons = {LocalizedString("Close PowerTool"), LocalizedString("Cancel")};
    if (port::alerts().runModal(alert) != 0) return;
    endPowerToolProgressSheet();
    PowerToolForceQuitOwnedByDocument(gCurDocument);
    AppController::shared()->restoreAllVisiblePanels();
}

void QMDWindowController::clearStatusBar() { statusText_->clear(); }

void QMDWindowController::setStatusBarText(const std::string& text) {
    statusText_->setText(QString::fromStdString(port::MacRomanToUtf8(text)));
}

void QMDWindowController::changeFloorTBPopUpButton() {
    Win32EventHandler().workOnFloorUsingCommand(activeFloorTBPopUpButton_->currentData().toInt());
}

void QMDWindowController::elevationSliderChanged(int value) {
    if (!CurrentDocState()) return;
    updateElevationIndicatorTextWithValue(value);
}

void QMDWindowController::elevationSliderReleased() { ApplyElevationSlider(elevationSlider_->value()); }

void QMDWindowController::elevationSliderRightMouseDown(QPoint at) {
    PopUpContextMenu(ContextMenuFactory::elevationSliderContextMenu(this), elevationSlider_->mapToGlobal(at),
                     menuHandlers_);
}

void QMDWindowController::setVisiblePlanUsingTBMenu(QWidget* sender) {
    if (!sender) return;
    PopUpContextMenu(ContextMenuFactory::visiblePlanMenu(this), sender->mapToGlobal(QPoint(0, sender->height())),
                     menuHandlers_);
}

void QMDWindowController::show3DViewButtonChanged() { AppController::shared()->showLiveViewPanel(); }

void QMDWindowController::tabViewDidSelectTabViewItem(int index) {
    if (!CurrentDocState()) return;
    // The plan's tab brings the standard tool, as a palette's cell brings its tool: a tracker's
    // loop still waiting ends first, under the tool it began with.
    ResetTrackingState();
    SelectPlanTab(int16_t(index));
    refreshDocumentVisibleView();
    PlanToolPaletteController* palette = PlanToolPaletteController::shared();
    palette->loadToolPaletteForPlan(int16_t(index));
    // The pop-up names the toolset shown.
    palette->updateToolsetForPlan(int16_t(index));
}

void QMDWindowController::windowDidBecomeMain() {
    registerSeams();
    router_->takeShortcuts();
    QMDDocumentModel* model = document_ ? document_->model() : nullptr;
    if (!model || model == gCurDocument) return;
    gCurDocument = model;
    DocState* ds = model->itsDocState;
    if (!ds) return;
    AppController* delegate = AppController::shared();
    gCurToolSet = 1;
    PlanToolPaletteController::shared()->loadToolPaletteForPlan(1);
    delegate->resetStandardTool(true);
    InspectorUpdatePropertiesState(1);
    SnapPaletteController::shared()->setSnapOffsetText(ds->snapOffset);
    if (PowerToolEntryForDocument(model)) {
        delegate->closeVisiblePanelsAndSaveState();
    } else {
        delegate->restoreAllVisiblePanels();
        delegate->showInspectorAsRemembered();
    }
    DeleteAllCachedCustomTextures();
    ReadTopoGridFile(ds->topoFilePath);
    // Without a topography file that grid is flat: the ground follows this design's terrain.
    SetLotElevation();
    showDesignInLiveView();
    updatePlantGrowthIndicatorLevel();
    ContentPaletteRefreshFolderCategory();
}

void QMDWindowController::windowDidMiniaturize() {
    AppController* delegate = AppController::shared();
    if (delegate->deMiniaturizedDocumentWindowCount() == 0) delegate->closeVisiblePanelsAndSaveState();
}

void QMDWindowController::windowDidDeminiaturize() { AppController::shared()->restoreAllVisiblePanels(); }

void QMDWindowController::windowWillClose() {
    releaseSeams(false);
    releaseInspectorPane();
    if (!document_ || document_->model() != gCurDocument) return;
    gCurDocument = nullptr;
    AppController* delegate = AppController::shared();
    if (delegate->documentController()->documents().empty() || delegate->deMiniaturizedDocumentWindowCount() == 1)
        delegate->closeVisiblePanelsAndSaveState();
}

void QMDWindowController::floorplanTraceOpenPanelDidEnd(const std::string& path) { FloorplanTraceOpenPanelDidEnd(path); }

void QMDWindowController::import3DObjectOpenPanelDidEnd(const std::string& path) { Import3DObjectOpenPanelDidEnd(path); }

void QMDWindowController::exportVRMLSavePanelDidEnd(const std::string& path) { ExportVRMLSavePanelDidEnd(path); }

void QMDWindowController::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) windowDidBecomeMain();
    if (event->type() == QEvent::WindowStateChange) {
        const bool was = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
        if (isMinimized() && !was) windowDidMiniaturize();
        else if (!isMinimized() && was) windowDidDeminiaturize();
    }
    QMainWindow::changeEvent(event);
}

void QMDWindowController::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placedOnScreen_ || !document_ || document_->model() != gCurDocument) return;
    placedOnScreen_ = true;
    // A hidden view has no size yet: the set-up centred what a placeholder's size showed.
    if (layout()) layout()->activate();
    centrePlanOnPaper();
    const DocState* ds = CurrentDocState();
    BringDesignIntoView(document_->fileName().empty() && ds && ds->zoomFactor == zoomAtLoad_);
}

void QMDWindowController::closeEvent(QCloseEvent* event) {
    if (document_ && !document_->canCloseDocument()) {
        event->ignore();
        return;
    }
    windowWillClose();
    QMainWindow::closeEvent(event);
}

void QMDWindowController::selectFloorPopUpItem(int tag) {
    const int index = activeFloorTBPopUpButton_->findData(tag);
    if (index < 0) return;
    const QSignalBlocker quiet(activeFloorTBPopUpButton_);
    activeFloorTBPopUpButton_->setCurrentIndex(index);
}

void QMDWindowController::selectPlanTab(int32_t planBit) {
    for (int i = 0; i < docTabView_->count(); ++i)
        if (docTabView_->tabData(i).toString() == QString::number(planBit)) docTabView_->setCurrentIndex(i);
}

void QMDWindowController::closeSheet() {
    for (QDialog* sheet : findChildren<QDialog*>())
        if (sheet->isVisible() && sheet->windowModality() == Qt::WindowModal) sheet->reject();
}
