#include "ui/inspector/inspector_pane.h"

// One row per pane class built: its class name and how it is made. A class without a row
// answers no view, and the host shows the no-properties view in its place.
void RegisterInspectorPanes() {
    struct Row {
        const char* className;
        InspectorPaneRegistry::Factory factory;
    };
    const Row rows[] = {
        {nullptr, nullptr},
    };
    for (const Row& r : rows)
        if (r.className) InspectorPaneRegistry::registerPane(r.className, r.factory);
}
