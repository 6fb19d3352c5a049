#include "ui/core/content_sheet_rules.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/core/localization_seams.h"
#include "commands/plant_fill.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "plan/refresh_seams.h"

bool FindPlantSearchEnabled(FindPlantControl changed, bool stock, bool user, int checkedCells) {
    const bool cells = checkedCells > 0;
    switch (changed) {
    case FindPlantControl::StockBox: return (stock || user) && cells;
    case FindPlantControl::CategoryCells: return cells;
    case FindPlantControl::UserBox: return user || (stock && cells);
    }
    return false;
}

LV3DPrintSize LV3DPrintSizeFor(int sizeTag, float printableWidth, float printableHeight, LV3DPrintSize view,
                               LV3DPrintSize fields) {
    if (sizeTag == kPrintViewSize) return view;
    if (sizeTag == kPrintFitPage) {
        const auto side = int32_t(std::min(printableWidth, printableHeight));
        return {side, side};
    }
    return {std::max(fields.width, 16), std::max(fields.height, 16)};
}

PlantFillAreaBox PlantFillAreaBoxFor(const Objex* contextObject, bool fillArea) {
    if (contextObject && objtype::IsPlantFillable(contextObject->type) && !contextObject->closed)
        return {false, false};
    return {true, fillArea};
}

float ClampPlantSpacing(float inches) {
    if (!(inches >= 1.0f)) return 1.0f;
    return std::min(inches, 3000.0f);
}

bool ApplyPlantFillSettings(bool fillArea, bool fillPerimeter, float spacingInches) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return false;
    gFillArea = fillArea ? 1 : 0;
    gFillPerimeter = fillPerimeter ? 1 : 0;
    gPlantSpacing = ClampPlantSpacing(spacingInches);
    return fillArea || fillPerimeter;
}

void FillSelectedObjectsWithPlants() {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return;
    // Chosen before any is planted: each fill appends plants and leaves only the last selected.
    std::vector<Objex*> outlines;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (objtype::IsPlantFillable(o->type) && IsObjectSelected(o)) outlines.push_back(o);
    // Each plant is moved into place as the selection: a selection left on another floor
    // would move with every plant.
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (l != gCurDocument->itsCurLayer)
            for (Objex* o = l->firstObject; o; o = o->next) SetObjectSelectFlags(o, 0);
    for (Objex* o : outlines) ApplePortFillObjectWithPlants(o);
    StoreUndo(LocalizedString("Fill Object with Plants").c_str());
    Refresh();
}
