#pragma once
// The document window's menu bar, and the router that sends each menu item (of the bar or of a
// context menu) to what answers it. An item names its action by its object name, the
// selector's first part ("copyObjectsToFloor"), and carries its command ID as its data.
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <string>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;
class QMDDocument;
class QMDDocumentView;
struct CommandWindow;

// The window the command layer opens its sheets on.
inline CommandWindow* AsCommandWindow(QWidget* window) { return reinterpret_cast<CommandWindow*>(window); }
// The window a command layer's window stands for (null for null).
inline QWidget* FromCommandWindow(CommandWindow* window) { return reinterpret_cast<QWidget*>(window); }
// A localised Mac OS Roman title as a menu shows it: UTF-8, an ampersand shown as itself.
QString MenuText(const std::string& macRoman);

class CommandRouter : public QObject {
    Q_OBJECT
public:
    // The commands of one window: its plan view's actions, its document's and the delegate's.
    // `document` and `view` may be null (a window without a design).
    CommandRouter(QMainWindow* window, QMDDocument* document, QMDDocumentView* view);
    ~CommandRouter() override;

    // Sends the item's action, with its tag, to the plan view (whose window the sheets open
    // on), the document or the delegate; nothing while the input gate holds commands back.
    void dispatch(QAction* action);
    // Enables, marks and titles the item for the current design by its name and tag; false
    // when it is disabled. Everything is disabled while the input gate holds commands back.
    static bool validateMenuItem(QAction* item);

    // File, Edit, View, Plan, LiveView, Window and Help on the window's menu bar; Edit's Undo
    // and Redo are the document's undo stack's.
    void buildMenuBar();
    // The bar's item with the name (and the tag, when not 0), or null.
    QAction* action(const char* name, int32_t tag = 0) const;
    // This window's shortcuts work wherever the focus is, a palette included; the previous
    // owner's go back to working in their own window only.
    void takeShortcuts();

protected:
    // A shortcut the input gate let through is validated before it fires.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* addMenu(QWidget* parent, const char* title);
    void addUndoItems(QMenu* edit);
    // Open Recent lists the recent files each time it opens.
    void fillRecentMenu(QMenu* recent);
    void setShortcutContext(Qt::ShortcutContext context);

    QMainWindow* window_;
    QMDDocument* document_;
    QMDDocumentView* view_;
    QList<QAction*> items_;
};
