#include "model/click_info.h"

#include "model/document_model.h"
#include "model/hit_testing.h"

void FillClickInfo(ClickInfo* click) {
    if (!click || !gCurDocument || !gCurDocument->itsLayers) return;
    click->ciHit = SelectFromAllLayers(gCurDocument->itsLayers, click, 0, nullptr, 0) ? 1 : 0;
}
