#include "model/selection_state.h"

#include "model/docstate.h"
#include "model/tool_defaults.h"

void ClearSelectionState(const DocState* ds, SelectionState* ss) {
    if (!ds || !ss) return;
    ss->ssStateFresh = 1;
    ss->ssFillPattern = 1;
    ss->ssFillPatID = gPattern;
    ss->ssFillColor = 1;
    ss->ssFillRGBColor = ds->fillColor;
    ss->ssPenWidth = 1;
    ss->ssPenWidthValue = ds->penWidth;
    ss->ssPenColor = 1;
    ss->ssPenRGBColor = ds->penColor;
    ss->ssPenStyle = 1;
    ss->ssPenStyleType = ds->penStyle;
    ss->ssArrowPosition = 1;
    ss->ssArrowPosID = (ds->dimensionFlags >> 7) & 1;
    ss->ssArrowHead = 1;
    ss->ssArrowHeadType = ds->arrowStyleID;
    ss->ssTextFrame = 1;
    ss->ssTextFrameID = (ds->dimensionFlags >> 8) & 1;
    ss->ssTolerance = 1;
    ss->ssToleranceType = ds->toleranceID;
    ss->ssTextAlign = 1;
    ss->ssTextAlignType = gTextAlignment;
}

void ClearSelectionState40(const DocState* ds, SelectionState40* ss40) {
    if (!ds || !ss40) return;
    ss40->ssStateFresh = 1;
    ss40->ssBaseElevation = 1;
    ss40->ssBaseElevationValue = ds->currentElevation;
}
