#include "app/context_menu_factory.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QStyle>

#include <initializer_list>

#include "app/core/localization_seams.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "port/macroman.h"
#include "model/click_info.h"

namespace {

// One row of a menu: a null title is a separator.
struct Item {
    const char* title;
    const char* action = nullptr;
    int32_t tag = 0;
};
constexpr Item kSeparator{nullptr};

QString Localized(const char* key) { return QString::fromStdString(port::MacRomanToUtf8(LocalizedString(key))); }

QMenu* Build(std::initializer_list<Item> items, QWidget* parent, bool face = false) {
    auto* menu = new QMenu(parent);
    if (face) menu->addAction(QString())->setVisible(false);
    for (const Item& item : items) {
        if (!item.title) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(Localized(item.title));
        a->setObjectName(QString::fromLatin1(item.action));
        a->setData(item.tag);
    }
    return menu;
}

constexpr Item kSetElevation{"Set Elevation...", "setObjectElevation"};
constexpr Item kFloatAboveTopo{"Float Above Topography", "floatObjectAboveTopo"};
constexpr Item kCalculateArea{"Calculate Area", "calculateAndDisplayArea"};

QMenu* VisiblePlans(QWidget* parent, bool face) {
    return Build({{"Foundation Plan", "setVisiblePlans", 11000},
                  {"Floor Plan", "setVisiblePlans", 11001},
                  {"Electrical Plan", "setVisiblePlans", 11002},
                  {"Plumbing Plan", "setVisiblePlans", 11003},
                  {"Roofing Plan", "setVisiblePlans", 11004},
                  {"HVAC Plan", "setVisiblePlans", 11005},
                  {"Deck Plan", "setVisiblePlans", 11006},
                  {"Landscape Plan", "setVisiblePlans", 11007},
                  {"Detail Plan", "setVisiblePlans", 11008}},
                 parent, face);
}

QMenu* RenderStyles(QWidget* parent, bool face) {
    return Build({{"Wireframe", "setRenderStyle", 10000},
                  {"Textured Wireframe", "setRenderStyle", 10001},
                  {"ClearView", "setRenderStyle", 10002},
                  {"Solid Render", "setRenderStyle", 10003}},
                 parent, face);
}

// The rows run top, bottom, left, right; each tag stays with its edge.
QMenu* Viewpoints(QWidget* parent, bool face) {
    return Build({{"View from Lot's Top Edge", "setViewpoint", 5154},
                  {"View from Lot's Bottom Edge", "setViewpoint", 5153},
                  {"View from Lot's Left Edge", "setViewpoint", 5151},
                  {"View from Lot's Right Edge", "setViewpoint", 5152}},
                 parent, face);
}

// Symbol-editor and section-detail drawings are edited in their own places.
bool InSpecialGroup(Objex* object) {
    return IsObjectSymbolEditorObject(object) || IsObjectSectionDetailObject(object);
}

}  // namespace

QMenu* ContextMenuFactory::baseContextMenu(QWidget* parent) {
    return Build({{"Show Automatic Dimensions", "toggleDimensions", 5290},
                  {"Show Window & Door Callouts", "toggleCallouts", 5289},
                  kSeparator,
                  {"View All Floors", "setFloorView", 5278},
                  {"View Working Floor Only", "setFloorView", 5279},
                  kSeparator,
                  {"Grid Properties...", "setGridProperties"},
                  {"Show Grid", "toggleGrid", 5044},
                  {"Snap to Grid", "snapToGrid", 5045},
                  kSeparator,
                  {"Paste", "paste"}},
                 parent);
}

QMenu* ContextMenuFactory::objectContextMenuWithClickInfo(const ClickInfo* click, QWidget* parent) {
    Objex* object = click ? click->ciObject : nullptr;
    if (!object) return nullptr;
    gContextFoundObj = object;
    gContextParentObj = GetRootObject(object);
    switch (object->type) {
    case objtype::kWall:
        if (object->subtype == objsubtype::kExteriorWall)
            return Build({{"Convert Wall to Interior", "convertWallType", 13000}}, parent);
        return Build({{"Convert Wall to Exterior", "convertWallType", 13001}}, parent);
    case objtype::kFloor: {
        const Objex* root = gContextParentObj;
        if (root && root->type == objtype::kGroup && root->groupKind != 0) return nullptr;
        return Build({kSetElevation, kSeparator, kCalculateArea}, parent);
    }
    case objtype::kPropertyLine:
    case objtype::kFloorCutout:
    case objtype::kDeck:
        return Build({kCalculateArea}, parent);
    case objtype::kPath:
    case objtype::kFill:
    case objtype::kGroundFill:
        return Build({kSetElevation, kFloatAboveTopo, kSeparator, kCalculateArea}, parent);
    case objtype::kFence:
        return Build({kSetElevation, kFloatAboveTopo}, parent);
    case objtype::kPlant:
        return Build({{"Locate Plant", "locatePlant"},
                      {"Plant Details...", "showPlantDetails"},
                      kSeparator,
                      kSetElevation,
                      kFloatAboveTopo},
                     parent);
    case objtype::kDetail:
        if (InSpecialGroup(object) || object->subtype < 1 || object->subtype > 7) return nullptr;
        return Build({{"Bring to Front", "alterObjectPosition", 5105},
                      {"Send to Back", "alterObjectPosition", 5106},
                      kSeparator,
                      kCalculateArea},
                     parent);
    case objtype::kStaircase:
        return Build({{"Reverse Staircase Direction", "reverseStairDirection", 13003}}, parent);
    case objtype::kText:
    case objtype::kEnhancedText:
        if (InSpecialGroup(object)) return nullptr;
        return Build({{"Edit Text...", "editTextObject"}}, parent);
    default:
        return nullptr;
    }
}

QMenu* ContextMenuFactory::toolbarFloorMenu(QWidget* parent) {
    return Build({{"First Floor", "setFloorView", 5275},
                  {"Second Floor", "setFloorView", 5276},
                  {"Third Floor", "setFloorView", 5277}},
                 parent);
}

QMenu* ContextMenuFactory::toolbarVisiblePlanMenu(QWidget* parent) { return VisiblePlans(parent, false); }
QMenu* ContextMenuFactory::visiblePlanMenu(QWidget* parent) { return VisiblePlans(parent, true); }
QMenu* ContextMenuFactory::toolbarLiveViewRenderStyleMenu(QWidget* parent) { return RenderStyles(parent, false); }
QMenu* ContextMenuFactory::liveViewRenderStyleMenu(QWidget* parent) { return RenderStyles(parent, true); }
QMenu* ContextMenuFactory::toolbarLiveViewViewpointMenu(QWidget* parent) { return Viewpoints(parent, false); }
QMenu* ContextMenuFactory::liveViewViewpointMenu(QWidget* parent) { return Viewpoints(parent, true); }

QMenu* ContextMenuFactory::elevationSliderContextMenu(QWidget* parent) {
    const DocState* ds = CurrentDocState();
    if (!ds) return nullptr;
    if (ds->ss40.ssStateFresh) return Build({{"Set Working Elevation...", "setWorkingElevation"}}, parent);
    return Build({kSetElevation, kFloatAboveTopo}, parent);
}

QMenu* ContextMenuFactory::contentActionMenuUsingTarget(uint16_t categoryType, QWidget* parent) {
    QMenu* menu = Build({}, parent, true);
    menu->actions().first()->setIcon(QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton));
    if (categoryType == 1) {
        QAction* a = menu->addAction(Localized("Change Color..."));
        a->setObjectName(QStringLiteral("changeSymItemColor"));
        a->setData(12000);
    }
    // The library's finders, which the palette answers itself.
    for (const auto& [title, action] : {std::pair{"Find Plant by Name...", "findPlantByName"},
                                        std::pair{"Plant Finder...", "showPlantFinder"},
                                        std::pair{"Plant Hardiness Zones...", "showPlantHardinessZones"},
                                        std::pair{"Find Object by Name...", "findObjectByName"}})
        menu->addAction(Localized(title))->setObjectName(QString::fromLatin1(action));
    return menu;
}

namespace {

void Connect(QMenu* menu, const ContextMenuHandlers& handlers) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, validate = handlers.validate] {
        if (!validate) return;
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && !a->objectName().isEmpty()) validate(a);
    });
    if (handlers.dispatch) QObject::connect(menu, &QMenu::triggered, menu, handlers.dispatch);
}

}  // namespace

void RunContextMenu(QMenu* menu, QPoint global, const ContextMenuHandlers& handlers) {
    if (!menu) return;
    Connect(menu, handlers);
    QPointer<QMenu> shown(menu);
    menu->exec(global);
    delete shown.data();
}

void PopUpContextMenu(QMenu* menu, QPoint global, const ContextMenuHandlers& handlers) {
    if (!menu) return;
    Connect(menu, handlers);
    // Later than the choice, which is sent after the menu hides.
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(global);
}
