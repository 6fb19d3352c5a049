#include "app/command_router.h"

#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>
#include <cstring>

#include "app/app_controller.h"
#include "app/core/localization_seams.h"
#include "app/core/menu_validation.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/input_gate.h"
#include "model/command_ids.h"
#include "model/document_model.h"
#include "port/macroman.h"
#include "tracking/tracking_state.h"

namespace {

struct PlanAction {
    const char* name;
    void (QMDDocumentView::*slot)(int32_t tag);
};

#define DVX_ACTION(name) PlanAction{#name, &QMDDocumentView::name}
const PlanAction kPlanActions[] = {
    DVX_ACTION(import3DObject), DVX_ACTION(exportLiveViewImage), DVX_ACTION(exportVRML), DVX_ACTION(printToScale),
    DVX_ACTION(print3DLiveView), DVX_ACTION(cut), DVX_ACTION(copy), DVX_ACTION(paste),
    PlanAction{"delete", &QMDDocumentView::del}, DVX_ACTION(selectAll), DVX_ACTION(copyObjectsToFloor),
    DVX_ACTION(moveObjectsToFloor), DVX_ACTION(moveObjectsToPlan), DVX_ACTION(flipObjects), DVX_ACTION(flipPlan),
    DVX_ACTION(mirrorObjects), DVX_ACTION(nudgeObjects), DVX_ACTION(moveObjects), DVX_ACTION(movePlan),
    DVX_ACTION(rotateObjects), DVX_ACTION(rotatePlan), DVX_ACTION(setObjectElevation),
    DVX_ACTION(floatObjectAboveTopo), DVX_ACTION(resetPlanView), DVX_ACTION(setPlanZoom), DVX_ACTION(fitToWindow),
    DVX_ACTION(refreshView), DVX_ACTION(setGridProperties), DVX_ACTION(toggleGrid), DVX_ACTION(snapToGrid),
    DVX_ACTION(setFloorView), DVX_ACTION(setVisiblePlans), DVX_ACTION(setDimensionProperties),
    DVX_ACTION(toggleDimensions), DVX_ACTION(toggleCallouts), DVX_ACTION(toggleTopographyLines),
    DVX_ACTION(toggleVirtualRuler), DVX_ACTION(toggleFramingView), DVX_ACTION(setWorkingElevation), DVX_ACTION(setPlanScale),
    DVX_ACTION(setMeasurementUnits), DVX_ACTION(setTrueNorthAngle), DVX_ACTION(workOnPlan), DVX_ACTION(workOnFloor),
    DVX_ACTION(setCeilingHeight), DVX_ACTION(calculateFloorArea), DVX_ACTION(setPlantingAge),
    DVX_ACTION(setPlantGrowthProjection), DVX_ACTION(loadFloorplanTraceImage), DVX_ACTION(resizeFloorplanTraceImage),
    DVX_ACTION(toggleFloorplanTraceImage), DVX_ACTION(removeFloorplanTraceImage), DVX_ACTION(showPowerToolLauncher),
    DVX_ACTION(setLotSize), DVX_ACTION(resetLV3DView), DVX_ACTION(setLVInteractionMethod),
    DVX_ACTION(setLVWalkThroughElevation), DVX_ACTION(setLVFlyAroundAltitude), DVX_ACTION(setRenderStyle),
    DVX_ACTION(setRenderQuality), DVX_ACTION(showLVAndRenderFinal), DVX_ACTION(setShadowQuality),
    DVX_ACTION(showLVAndRenderShadows), DVX_ACTION(showLVRenderProperties), DVX_ACTION(showLVLightProperties),
    DVX_ACTION(setViewpoint), DVX_ACTION(setElevationView), DVX_ACTION(setLVNavigationSpeed), DVX_ACTION(moveToPlan), DVX_ACTION(convertWallType),
    DVX_ACTION(reverseStairDirection), DVX_ACTION(fillObjectWithPlants), DVX_ACTION(locatePlant),
    DVX_ACTION(showPlantDetails), DVX_ACTION(alterObjectPosition), DVX_ACTION(editTextObject),
    DVX_ACTION(showCeilingBuilder), DVX_ACTION(calculateAndDisplayArea), DVX_ACTION(launchObjectPowerTool),
};
#undef DVX_ACTION

struct DelegateAction {
    const char* name;
    void (AppController::*run)();
};

#define DVX_DELEGATE(name) DelegateAction{#name, &AppController::name}
const DelegateAction kDelegateActions[] = {
    DVX_DELEGATE(toggleLiveViewPanel), DVX_DELEGATE(toggleToolPalettePanel), DVX_DELEGATE(toggleSnapPalettePanel),
    DVX_DELEGATE(togglePlanToolPalettePanel), DVX_DELEGATE(toggleInspectorPanel),
    DVX_DELEGATE(toggleContentLibraryPanel), DVX_DELEGATE(showPowerToolLauncherWindow), DVX_DELEGATE(showAboutWindow),
    DVX_DELEGATE(showPreferenceWindow), DVX_DELEGATE(showContentProvidersWindow), DVX_DELEGATE(launchManual), DVX_DELEGATE(visitKestoHomePage),
};
#undef DVX_DELEGATE

// The document's own items; Quit asks every window, so it is always offered.
const char* const kDocumentActions[] = {"saveDocument", "saveDocumentAs", "print", "revertDocumentToSaved"};
constexpr const char* kQuit = "terminate";
// New, Open and the recent files work with or without a design.
const char* const kAlwaysActions[] = {kQuit, "newDocument", "openDocument", "openRecentDocument"};
constexpr const char* kOpenRecent = "Open Recent";

template <class Row, size_t N>
const Row* Find(const Row (&rows)[N], const QByteArray& name) {
    for (const Row& r : rows)
        if (name == r.name) return &r;
    return nullptr;
}

bool IsDocumentAction(const QByteArray& name) {
    for (const char* n : kDocumentActions)
        if (name == n) return true;
    return false;
}

bool IsAlwaysAction(const QByteArray& name) {
    for (const char* n : kAlwaysActions)
        if (name == n) return true;
    return false;
}

bool IsUndoItem(const QAction* a) {
    return a->objectName() == QLatin1String("undo") || a->objectName() == QLatin1String("redo");
}

// Whether validation decides the item: one of the routed actions.
bool IsRouted(const QByteArray& name) {
    return Find(kPlanActions, name) || Find(kDelegateActions, name) || IsDocumentAction(name) || IsAlwaysAction(name);
}

// The menu bar, one row per item: depth 0 a menu, 1 its items, 2 the items of the submenu
// above; a row without a title is a separator, one without a name a submenu.
struct Row {
    int depth;
    const char* title = nullptr;
    const char* name = nullptr;
    int32_t tag = 0;
    const char* key = nullptr;
};

const Row kMenuBar[] = {
    {0, "File"},
    {1, "New", "newDocument", 0, "Ctrl+N"},
    {1, "Open...", "openDocument", 0, "Ctrl+O"},
    {1, kOpenRecent},
    {1},
    {1, "Save", "saveDocument", 0, "Ctrl+S"},
    {1, "Save As...", "saveDocumentAs", 0, "Ctrl+Shift+S"},
    {1, "Revert to Saved", "revertDocumentToSaved"},
    {1},
    {1, "Import 3D Object...", "import3DObject"},
    {1, "Export VRML...", "exportVRML"},
    {1, "Export LiveView Image...", "exportLiveViewImage"},
    {1},
    {1, "Print...", "print", 0, "Ctrl+P"},
    {1, "Print to Scale...", "printToScale"},
    {1, "Print 3D LiveView...", "print3DLiveView"},
    {1},
    {1, "Quit", kQuit, 0, "Ctrl+Q"},

    {0, "Edit"},
    {1, "Undo", "undo", 0, "Ctrl+Z"},
    {1, "Redo", "redo", 0, "Ctrl+Shift+Z"},
    {1},
    {1, "Cut", "cut", 0, "Ctrl+X"},
    {1, "Copy", "copy", 0, "Ctrl+C"},
    {1, "Paste", "paste", 0, "Ctrl+V"},
    {1, "Delete", "delete"},
    {1, "Select All", "selectAll", 0, "Ctrl+A"},
    {1},
    {1, "Move Objects...", "moveObjects"},
    {1, "Rotate Objects...", "rotateObjects"},
    {1, "Set Elevation...", "setObjectElevation"},
    {1, "Float Above Topography", "floatObjectAboveTopo"},
    {1},
    {1, "Flip"},
    {2, "Flip Horizontal", "flipObjects", 5034},
    {2, "Flip Vertical", "flipObjects", 5035},
    {1, "Mirror"},
    {2, "Mirror Left to Right", "mirrorObjects", 5008},
    {2, "Mirror Top to Bottom", "mirrorObjects", 5138},
    {1, "Nudge"},
    {2, "Nudge Up", "nudgeObjects", 5036},
    {2, "Nudge Down", "nudgeObjects", 5037},
    {2, "Nudge Left", "nudgeObjects", 5038},
    {2, "Nudge Right", "nudgeObjects", 5039},
    {1, "Bring to Front", "alterObjectPosition", 5105},
    {1, "Send to Back", "alterObjectPosition", 5106},
    {1},
    {1, "Move to Upper Floor", "moveObjectsToFloor", 5168},
    {1, "Move to Lower Floor", "moveObjectsToFloor", 5169},
    {1, "Copy to Upper Floor", "copyObjectsToFloor", 5170},
    {1, "Copy to Lower Floor", "copyObjectsToFloor", 5171},
    {1, "Move to Plan"},
    {2, "Foundation Plan", "moveObjectsToPlan", 5335},
    {2, "Floor Plan", "moveObjectsToPlan", 5336},
    {2, "Electrical Plan", "moveObjectsToPlan", 5337},
    {2, "Plumbing Plan", "moveObjectsToPlan", 5338},
    {2, "Roofing Plan", "moveObjectsToPlan", 5339},
    {2, "HVAC Plan", "moveObjectsToPlan", 5340},
    {2, "Deck Plan", "moveObjectsToPlan", 5341},
    {2, "Landscape Plan", "moveObjectsToPlan", 5342},
    {2, "Detail Plan", "moveObjectsToPlan", 5389},

    {0, "View"},
    {1, "Reset Plan View", "resetPlanView"},
    {1, "Fit to Window", "fitToWindow"},
    {1, "Set Zoom...", "setPlanZoom"},
    {1, "Refresh View", "refreshView"},
    {1},
    {1, "Show Grid", "toggleGrid", 5044},
    {1, "Snap to Grid", "snapToGrid", 5045},
    {1, "Grid Properties...", "setGridProperties"},
    {1},
    {1, "Show Automatic Dimensions", "toggleDimensions", 5290},
    {1, "Show Window & Door Callouts", "toggleCallouts", 5289},
    {1, "Dimension Properties...", "setDimensionProperties"},
    {1, "Show Topography Lines", "toggleTopographyLines", 5418},
    {1, "Show Virtual Ruler", "toggleVirtualRuler", 5274},
    {1, "Framing View", "toggleFramingView", cmd::kFramingView},
    {1},
    {1, "Load Floorplan Trace Image...", "loadFloorplanTraceImage"},
    {1, "Show Floorplan Trace Image", "toggleFloorplanTraceImage", 5281},
    {1, "Resize Floorplan Trace Image...", "resizeFloorplanTraceImage", 5440},
    {1, "Remove Floorplan Trace Image", "removeFloorplanTraceImage", 5282},

    {0, "Plan"},
    {1, "Working Floor"},
    {2, "First Floor", "workOnFloor", 5275},
    {2, "Second Floor", "workOnFloor", 5276},
    {2, "Third Floor", "workOnFloor", 5277},
    {2},
    {2, "View All Floors", "setFloorView", 5278},
    {2, "View Working Floor Only", "setFloorView", 5279},
    {1, "Working Plan"},
    {2, "Foundation Plan", "workOnPlan", 5343},
    {2, "Floor Plan", "workOnPlan", 5344},
    {2, "Electrical Plan", "workOnPlan", 5345},
    {2, "Plumbing Plan", "workOnPlan", 5346},
    {2, "Roofing Plan", "workOnPlan", 5347},
    {2, "HVAC Plan", "workOnPlan", 5348},
    {2, "Deck Plan", "workOnPlan", 5349},
    {2, "Landscape Plan", "workOnPlan", 5350},
    {2, "Detail Plan", "workOnPlan", 5390},
    {1, "Visible Plans"},
    {2, "Foundation Plan", "setVisiblePlans", 11000},
    {2, "Floor Plan", "setVisiblePlans", 11001},
    {2, "Electrical Plan", "setVisiblePlans", 11002},
    {2, "Plumbing Plan", "setVisiblePlans", 11003},
    {2, "Roofing Plan", "setVisiblePlans", 11004},
    {2, "HVAC Plan", "setVisiblePlans", 11005},
    {2, "Deck Plan", "setVisiblePlans", 11006},
    {2, "Landscape Plan", "setVisiblePlans", 11007},
    {2, "Detail Plan", "setVisiblePlans", 11008},
    {1},
    {1, "Move Plan...", "movePlan"},
    {1, "Rotate Plan...", "rotatePlan"},
    {1, "Flip Plan"},
    {2, "Flip Plan Horizontal", "flipPlan", 5363},
    {2, "Flip Plan Vertical", "flipPlan", 5364},
    {1},
    {1, "Set Working Elevation...", "setWorkingElevation"},
    {1, "Plan Scale...", "setPlanScale"},
    {1, "Measurement Units...", "setMeasurementUnits"},
    {1, "True North Angle...", "setTrueNorthAngle"},
    {1, "Lot Size...", "setLotSize"},
    {1},
    {1, "Ceiling Height"},
    {2, "First Floor...", "setCeilingHeight", 5156},
    {2, "Second Floor...", "setCeilingHeight", 5157},
    {2, "Third Floor...", "setCeilingHeight", 5158},
    {1, "Ceiling Builder...", "showCeilingBuilder"},
    {1, "Floor Area"},
    {2, "First Floor", "calculateFloorArea", 5300},
    {2, "Second Floor", "calculateFloorArea", 5301},
    {2, "Third Floor", "calculateFloorArea", 5302},
    {1},
    {1, "Planting Age...", "setPlantingAge"},
    {1, "Plant Growth Projection...", "setPlantGrowthProjection"},
    {1, "Fill with Plants...", "fillObjectWithPlants"},
    {1, "Plant Details...", "showPlantDetails"},

    {0, "LiveView"},
    {1, "Reset 3D View", "resetLV3DView", 5239},
    {1, "Walk-Through Elevation...", "setLVWalkThroughElevation", 5240},
    {1, "Fly-Around Altitude...", "setLVFlyAroundAltitude", 5241},
    {1},
    {1, "Navigation"},
    {2, "Free Walk-Through", "setLVInteractionMethod", 10004},
    {2, "Free Fly-Around", "setLVInteractionMethod", 10005},
    {2, "Controlled Walk-Through", "setLVInteractionMethod", 10006},
    {2, "Controlled Fly-Around", "setLVInteractionMethod", 10007},
    {1, "Navigation Speed"},
    {2, "Slowest", "setLVNavigationSpeed", 10500},
    {2, "Slow", "setLVNavigationSpeed", 10501},
    {2, "Normal", "setLVNavigationSpeed", 10502},
    {2, "Fast", "setLVNavigationSpeed", 10503},
    {2, "Fastest", "setLVNavigationSpeed", 10504},
    {1, "Viewpoint"},
    {2, "View from Lot's Top Edge", "setViewpoint", 5154},
    {2, "View from Lot's Bottom Edge", "setViewpoint", 5153},
    {2, "View from Lot's Left Edge", "setViewpoint", 5151},
    {2, "View from Lot's Right Edge", "setViewpoint", 5152},
    {1, "Elevation View"},
    {2, "Top Side Elevation", "setElevationView", cmd::kElevationViewFirst + 2},
    {2, "Bottom Side Elevation", "setElevationView", cmd::kElevationViewFirst},
    {2, "Left Side Elevation", "setElevationView", cmd::kElevationViewFirst + 1},
    {2, "Right Side Elevation", "setElevationView", cmd::kElevationViewFirst + 3},
    {1},
    {1, "Render Style"},
    {2, "Wireframe", "setRenderStyle", 10000},
    {2, "Textured Wireframe", "setRenderStyle", 10001},
    {2, "ClearView", "setRenderStyle", 10002},
    {2, "Solid Render", "setRenderStyle", 10003},
    {1, "Render Quality"},
    {2, "4 Passes", "setRenderQuality", 5291},
    {2, "8 Passes", "setRenderQuality", 5292},
    {2, "15 Passes", "setRenderQuality", 5293},
    {2, "24 Passes", "setRenderQuality", 5294},
    {1, "Render Final", "showLVAndRenderFinal"},
    {1, "Shadow Quality"},
    {2, "Quick Shadows", "setShadowQuality", 5333},
    {2, "Full Shadows", "setShadowQuality", 5334},
    {1, "Render Shadows", "showLVAndRenderShadows"},
    {1},
    {1, "Render Properties...", "showLVRenderProperties", 5253},
    {1, "Light Properties...", "showLVLightProperties", 5416},

    {0, "Window"},
    {1, "Show 3D View", "toggleLiveViewPanel", 14000, "Ctrl+1"},
    {1, "Show Editing Tools", "toggleToolPalettePanel", 14001, "Ctrl+2"},
    {1, "Show Snap Tools", "toggleSnapPalettePanel", 14002, "Ctrl+3"},
    {1, "Show Drawing Tools", "togglePlanToolPalettePanel", 14003, "Ctrl+4"},
    {1, "Show Inspector", "toggleInspectorPanel", 14004, "Ctrl+5"},
    {1, "Content Library", "toggleContentLibraryPanel"},
    {1, "PowerTools...", "showPowerToolLauncherWindow"},
    {1, "Content Providers...", "showContentProvidersWindow"},

    {0, "Help"},
    {1, "About Dovranix", "showAboutWindow"},
    {1, "Preferences...", "showPreferenceWindow"},
    {1, "Dovranix Manual", "launchManual"},
    {1, "Dovranix Home Page", "visitKestoHomePage"},
};

CommandRouter* sShortcutOwner = nullptr;
// The file an Open Recent item opens.
constexpr const char* kRecentPath = "recentPath";

QString Localized(const char* key) { return MenuText(LocalizedString(key)); }

}  // namespace

QString MenuText(const std::string& macRoman) {
    return QString::fromStdString(port::MacRomanToUtf8(macRoman)).replace(QLatin1Char('&'), QLatin1String("&&"));
}

CommandRouter::CommandRouter(QMainWindow* window, QMDDocument* document, QMDDocumentView* view)
    : QObject(window), window_(window), document_(document), view_(view) {}

CommandRouter::~CommandRouter() {
    if (sShortcutOwner == this) sShortcutOwner = nullptr;
}

void CommandRouter::dispatch(QAction* action) {
    if (!action || InputGate::commandsHeld()) return;
    const QByteArray name = action->objectName().toLatin1();
    const int32_t tag = action->data().toInt();
    AppController* app = AppController::shared();
    if (const PlanAction* a = Find(kPlanActions, name)) {
        if (view_) (view_->*a->slot)(tag);
    } else if (const DelegateAction* d = Find(kDelegateActions, name)) {
        (app->*d->run)();
    } else if (name == kQuit) {
        // Quitting closes this window: not from inside its own menu's signal.
        QMetaObject::invokeMethod(app, [app] { app->terminate(); }, Qt::QueuedConnection);
    } else if (name == "newDocument") {
        app->documentController()->newDocument();
    } else if (name == "openDocument") {
        app->documentController()->openDocument();
    } else if (name == "openRecentDocument") {
        app->documentController()->openDocumentWithContentsOfURL(action->property(kRecentPath).toString().toStdString());
    } else if (!document_) {
        return;
    } else if (name == "saveDocument") {
        app->documentController()->saveDocument(document_);
    } else if (name == "saveDocumentAs") {
        app->documentController()->saveDocumentAs(document_);
    } else if (name == "print") {
        document_->printShowingPrintPanel(true);
    } else if (name == "revertDocumentToSaved") {
        app->documentController()->revertDocumentToSaved(document_);
    }
}

bool CommandRouter::validateMenuItem(QAction* item) {
    if (!item) return false;
    const QByteArray name = item->objectName().toLatin1();
    if (!IsRouted(name)) return item->isEnabled();
    if (InputGate::commandsHeld()) {
        item->setEnabled(false);
        return false;
    }
    if (Find(kDelegateActions, name)) return AppController::shared()->validateMenuItem(item);
    if (IsAlwaysAction(name)) {
        item->setEnabled(true);
        return true;
    }
    if (name == "revertDocumentToSaved") {
        // Only an edited design has a saved version to go back to.
        const QMDDocument* d = AppController::shared()->mainWindowDocument();
        item->setEnabled(d && d->isDocumentEdited() && !d->fileName().empty());
        return item->isEnabled();
    }
    if (IsDocumentAction(name)) {
        item->setEnabled(gCurDocument);
        return item->isEnabled();
    }
    const MenuItemState s = ValidateMenuCommand(item->data().toInt());
    item->setEnabled(s.enabled);
    if (s.mark != MenuItemState::Mark::Unchanged) {
        item->setCheckable(true);
        item->setChecked(s.mark == MenuItemState::Mark::On);
    }
    if (!s.title.empty()) item->setText(MenuText(s.title));
    return s.enabled;
}

QMenu* CommandRouter::addMenu(QWidget* parent, const char* title) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) menu = bar->addMenu(Localized(title));
    else menu = static_cast<QMenu*>(parent)->addMenu(Localized(title));
    menu->setObjectName(QString::fromLatin1(title));
    connect(menu, &QMenu::aboutToShow, this, [menu] {
        for (QAction* a : menu->actions()) validateMenuItem(a);
    });
    // Shut, the items stay armed: a shortcut is validated when it is pressed.
    connect(menu, &QMenu::aboutToHide, this, [menu] {
        for (QAction* a : menu->actions())
            if (IsRouted(a->objectName().toLatin1())) a->setEnabled(true);
    });
    return menu;
}

void CommandRouter::addUndoItems(QMenu* edit) {
    QUndoStack* stack = document_ ? document_->undoStack() : nullptr;
    for (const char* which : {"Undo", "Redo"}) {
        const bool undo = which[0] == 'U';
        QAction* a = nullptr;
        if (stack) {
            a = undo ? stack->createUndoAction(edit) : stack->createRedoAction(edit);
            // The stack's own titles would read an ampersand in a name as a mnemonic.
            auto title = [a, which](const QString& name) {
                const QString prefix = Localized(which);
                a->setText(name.isEmpty() ? prefix : prefix + ' ' + QString(name).replace('&', "&&"));
            };
            title(undo ? stack->undoText() : stack->redoText());
            connect(stack, undo ? &QUndoStack::undoTextChanged : &QUndoStack::redoTextChanged, a, title);
        } else {
            a = new QAction(Localized(which), edit);
            a->setEnabled(false);
        }
        a->setObjectName(undo ? QStringLiteral("undo") : QStringLiteral("redo"));
        edit->addAction(a);
        items_ << a;
    }
}

void CommandRouter::buildMenuBar() {
    QMenuBar* bar = window_->menuBar();
    QMenu* menus[2] = {nullptr, nullptr};
    for (const Row& r : kMenuBar) {
        if (r.depth == 0) {
            menus[0] = addMenu(bar, r.title);
            continue;
        }
        QMenu* into = menus[r.depth - 1];
        if (!r.title) {
            into->addSeparator();
        } else if (!r.name) {
            menus[1] = addMenu(into, r.title);
        } else if (!std::strcmp(r.name, "undo")) {
            addUndoItems(into);
        } else if (std::strcmp(r.name, "redo") != 0) {
            QAction* a = into->addAction(Localized(r.title));
            a->setObjectName(QString::fromLatin1(r.name));
            a->setData(r.tag);
            connect(a, &QAction::triggered, this, [this, a] { dispatch(a); });
            items_ << a;
        }
    }
    if (auto* recent = bar->findChild<QMenu*>(QString::fromLatin1(kOpenRecent))) fillRecentMenu(recent);
    for (size_t i = 0; i < std::size(kMenuBar); ++i)
        if (kMenuBar[i].key)
            if (QAction* a = action(kMenuBar[i].name, kMenuBar[i].tag)) a->setShortcut(QKeySequence(kMenuBar[i].key));
    for (QAction* a : items_) {
        a->setShortcutContext(Qt::WindowShortcut);
        a->installEventFilter(this);
    }
}

void CommandRouter::fillRecentMenu(QMenu* recent) {
    auto fill = [this, recent] {
        for (QAction* a : recent->actions()) items_.removeOne(a);
        recent->clear();
        for (const std::string& path : AppController::shared()->documentController()->recentDocuments()) {
            QAction* a = recent->addAction(QString::fromStdString(path).replace('&', "&&"));
            a->setObjectName(QStringLiteral("openRecentDocument"));
            a->setProperty(kRecentPath, QString::fromStdString(path));
            connect(a, &QAction::triggered, this, [this, a] { dispatch(a); });
            items_ << a;
        }
    };
    fill();
    connect(recent, &QMenu::aboutToShow, this, fill);
}

QAction* CommandRouter::action(const char* name, int32_t tag) const {
    for (QAction* a : items_)
        if (a->objectName() == QLatin1String(name) && (!tag || a->data().toInt() == tag)) return a;
    return nullptr;
}

void CommandRouter::takeShortcuts() {
    if (sShortcutOwner == this) return;
    if (sShortcutOwner) sShortcutOwner->setShortcutContext(Qt::WindowShortcut);
    sShortcutOwner = this;
    setShortcutContext(Qt::ApplicationShortcut);
}

void CommandRouter::setShortcutContext(Qt::ShortcutContext context) {
    for (QAction* a : items_) a->setShortcutContext(context);
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
    auto* a = qobject_cast<QAction*>(watched);
    if (!a || event->type() != QEvent::Shortcut) return QObject::eventFilter(watched, event);
    // An undo in the middle of a gesture would pull the design from under its tracker.
    if (InputGate::commandsHeld()) return true;
    if (IsUndoItem(a)) return false;
    const bool enabled = validateMenuItem(a);
    a->setEnabled(true);
    return !enabled;
}
