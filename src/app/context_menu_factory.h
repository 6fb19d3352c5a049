#pragma once
// The pop-up menus of the plan view, the document window, the live view and the content
// palette, built anew on every request. Every item carries its command ID as data() (0 where
// it has none) and the name of the plan view action it stands for as objectName(); whoever
// shows a menu sends its choice on (ContextMenuHandlers). Titles go through LocalizedString.
#include <QPoint>

#include <cstdint>
#include <functional>

class QAction;
class QMenu;
class QWidget;
struct ClickInfo;

class ContextMenuFactory {
public:
    // Each returns a new menu for the caller to own (parented to `parent` when given), or null
    // where no menu applies.

    // The plan view's menu for a click on no object.
    static QMenu* baseContextMenu(QWidget* parent = nullptr);
    // The clicked object's menu by its type. Sets gContextFoundObj to the click's object and
    // gContextParentObj to its root first, whether or not a menu follows.
    static QMenu* objectContextMenuWithClickInfo(const ClickInfo* click, QWidget* parent = nullptr);
    // The floor toolbar item's menu form: the three floors.
    static QMenu* toolbarFloorMenu(QWidget* parent = nullptr);
    // The pull-downs begin with a face item (no title, no action, hidden: the button it drops
    // from shows the face); their toolbar twins leave it out.
    static QMenu* toolbarVisiblePlanMenu(QWidget* parent = nullptr);
    static QMenu* visiblePlanMenu(QWidget* parent = nullptr);
    static QMenu* toolbarLiveViewRenderStyleMenu(QWidget* parent = nullptr);
    static QMenu* liveViewRenderStyleMenu(QWidget* parent = nullptr);
    static QMenu* toolbarLiveViewViewpointMenu(QWidget* parent = nullptr);
    static QMenu* liveViewViewpointMenu(QWidget* parent = nullptr);
    // Null without a current design. With nothing selected it sets the working elevation,
    // otherwise the selection's.
    static QMenu* elevationSliderContextMenu(QWidget* parent = nullptr);
    // The content palette's action pull-down: its face, "Change Color..." for colour
    // categories (type 1) only, then the finders (plants by name or by growing conditions,
    // the hardiness zone maps, objects by name), all answered by the palette itself. Neither
    // the palette's target nor its library type changes the menu, so they are not asked for.
    static QMenu* contentActionMenuUsingTarget(uint16_t categoryType, QWidget* parent = nullptr);
};

// Who answers a pop-up menu: `validate` enables, marks and retitles an item just before the
// menu shows; `dispatch` runs the chosen item. Either may be empty.
struct ContextMenuHandlers {
    std::function<void(QAction*)> validate;
    std::function<void(QAction*)> dispatch;
};

// Pops the menu up at the global point and takes it over: validated as it shows, its choice
// dispatched, deleted once it has closed. A null menu shows nothing.
void PopUpContextMenu(QMenu* menu, QPoint global, const ContextMenuHandlers& handlers);
// The same, returning only once the menu has closed and its choice has run (the plan view
// forgets the clicked object after its menu).
void RunContextMenu(QMenu* menu, QPoint global, const ContextMenuHandlers& handlers);
