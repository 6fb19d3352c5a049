#include "model/inspector_panel.h"

#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/selection_state.h"
#include "model/selection_summary.h"
#include "model/walkers.h"
#include "port/seam.h"

uint8_t gInspectorPanelVisible = 0;
int32_t gCurPropertiesObjectCount = 0;
static const port::GlobalReset kReset([] {
    gInspectorPanelVisible = 0;
    gCurPropertiesObjectCount = 0;
});

void RefreshSelectionState40() {
    if (!gCurDocument || !gCurDocument->itsDocState) return;
    DocState* ds = gCurDocument->itsDocState;
    ClearSelectionState40(ds, &ds->ss40);
    TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kElevationSummary, ds);
    UpdateSelectionState40Controls(&ds->ss40);
}

void AssignStringToSelectedObjects(const char* text) {
    if (!gCurDocument || !text || !*text) return;
    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next)
        for (Objex* o = layer->firstObject; o; o = o->next) {
            if (!IsObjectSelected(o)) continue;
            FreeString(o->text);
            o->text = CopyString(text);
        }
}
