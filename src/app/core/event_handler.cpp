#include "app/core/event_handler.h"

#include "model/document_model.h"
#include "model/docstate.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/view_state.h"

void Win32EventHandler::actualSize() {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    ds->zoomFactor = 1.0f;
    resetView();
    if (GetCurrentView() == kViewTop) ds->savedZoom = 1.0f;
    else ds->printZoom = 1.0f;
}

void Win32EventHandler::resetView() {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    ds->viewOrigin.floatH = ds->lotRect.floatRight;
    ds->viewOrigin.floatD = ds->lotRect.floatTop;
    gGlobalZOffset = 0;
    gGlobalXOffset = 0;
    updateViewingHeight();
}

void Win32EventHandler::updateViewingHeight() {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !gCurDocument->itsCurLayer) return;
    gGlobalYOffset = 0;
    ds->viewOrigin.floatV = 0;
    ds->currentElevation = GetLayerAbsBaseHeight(gCurDocument->itsCurLayer);
}
