#include "ui/core/palette_rules.h"

#include "app/core/dialog_fields.h"
#include "app/core/main_window_seams.h"
#include "content/core/content_selection_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "model/selection_ops.h"
#include "plan/refresh_seams.h"
#include "ui/core/inspector_seams.h"

int16_t ContentCategoryForPlanTool(int16_t tool) {
    const DocState* ds = CurrentDocState();
    if (!ds) return -1;
    if (tool == 7056 && ds->doorStyle == 512) return 7;
    if (tool == 7057 && ds->windowStyle == 626) return 8;
    if (tool == 7310 && ds->skylightStyle == 806) return 8;
    if (tool == 7064) return 0;
    return -1;
}

void FollowPlanToolInContentPalette(int16_t tool) {
    const int16_t category = ContentCategoryForPlanTool(tool);
    if (category >= 0) ContentPaletteSelectCategory(category, true);
    ContentPaletteSetCategorySelectionAbility(category < 0);
}

void AfterPlanToolChosen(bool select) {
    PlanViewDocumentCursor(PlanCursor::Crosshair);
    if (select && gCurDocument && gCurDocument->itsLayers) SelectAllLayers(gCurDocument->itsLayers, 2, 1);
    InspectorUpdatePropertiesState(1);
    Refresh();
}

void AfterEditToolChosen(int16_t t, bool select) {
    if (gCurDocument && gCurDocument->itsCurLayer && gCurDocument->itsLayers) {
        PlanCursor cursor = PlanCursor::Arrow;
        if (t == 202 || t == 205 || (t >= 7910 && t <= 7912)) {
            cursor = PlanCursor::Crosshair;
        } else if (t == 203) {
            cursor = PlanCursor::Zoom;
        } else if (t == 204) {
            cursor = PlanCursor::OpenHand;
        } else if (t >= 207 && t <= 213) {
            if (select) SelectAllLayers(gCurDocument->itsLayers, 2, 1);
            cursor = PlanCursor::Crosshair;
        } else if (t == 7900 || t == 7901) {
            if (select) SelectVisualLayer(gCurDocument->itsCurLayer, 1, 1);
            cursor = PlanCursor::Crosshair;
        }
        PlanViewDocumentCursor(cursor);
    }
    Refresh();
}

void OpenEditToolSheet(int16_t tool) {
    if (tool == 200) PlanViewMoveObjects();
    else if (tool == 202) PlanViewRotateObjects();
    else if (tool == 203) PlanViewSetPlanZoom();
}

void StoreSnapOffset(port::TextField* field, bool acts) {
    DocState* ds = CurrentDocState();
    if (!ds || !field) return;
    if (acts) ds->snapOffset = GetFloatItem(field);
    SetFloatItem(field, ds->snapOffset);
}

void ShowSnapOffset(port::TextField* field) {
    const DocState* ds = CurrentDocState();
    if (!ds || !field) return;
    // A field that shows it already keeps its own typing to take back and give again.
    char text[kReadoutSize] = "";
    ConvertInchesToStr(ds->snapOffset, text);
    if (field->text() != text) field->setText(text);
}
