#pragma once
// The inspector's host: one for the application. It decides which pane shows the current
// tool or the selection of the current floor, feeds the pane, and places the pane's view in
// the main document window's inspector area. It has no window of its own, so its window
// operations do nothing; showing and hiding the inspector shows and hides the main window's
// inspector area.
#include <cstdint>

class QMDWindowController;
class QWidget;
struct Objex;

class InspectorController {
public:
    static InspectorController* sharedInspectorController();
    static void destroyShared();

    // Refreshes the selection summary, then shows the selection's pane (useSelection) or the
    // current tool's. Nothing without a document, its settings or a current floor.
    void updatePropertiesState(bool useSelection);
    // Merges one object into the pane being built; false ends the walk.
    bool updatePropertiesObjectState(Objex* object, int32_t* selectedType);
    // The view of the property type's pane (its tool pane while gToolProperties), or null.
    QWidget* loadInspectorView(int32_t propertyType);
    // Hands the object, or the current tool when null, to the pane that shows it.
    void updatePropertiesForObject(Objex* object, bool initialize);
    // Puts the view (the no-properties view when null) in the main window's inspector area.
    void swapCurrentViewWithInspectorView(QWidget* view);

    // The host's own window: there is none here.
    void setAutoSaveName() {}
    void showWindow() {}
    void windowWillClose() {}

    // The main window's inspector area: shown, hidden, asked.
    static bool isVisible();
    static void show();
    static void close();

private:
    InspectorController() = default;
};

// The inspector's seams answered by the host (at start-up), and given back to their defaults.
void RegisterInspectorHandlers();
void ForgetInspectorHandlers();
