#include "render/core/plant_growth.h"

#include <algorithm>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "files/undo.h"
#include "model/command_ids.h"
#include "model/design_digest.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "model/walkers.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
#include "scene/scene_camera.h"
#include "scene/terrain.h"

void RealTimePlantGrowthD3D(int16_t age, int32_t step) {
    QMDDocumentModel* doc = gCurDocument;
    DocState* ds = doc ? doc->itsDocState : nullptr;
    if (!ds) return;
    const uint64_t before = DesignDigest(doc);
    const float levelBefore = ds->plantAge;
    const bool live = LiveViewIsVisible();
    if (live) {
        gRealTimeDraw = 1;
        RTInitializeGLScene();
    }
    int32_t level = age + step;
    if (level < 1) level = 1, step = 0;
    if (level > doc->itsMaximumPlantAge) step = 0;
    ds->plantAge = static_cast<float>(std::min<int32_t>(level, doc->itsMaximumPlantAge));
    UpdatePlantGrowthIndicatorLevel();
    if (step != 0) {
        if (live) {
            GrowPlantVisuals(static_cast<float>(step));
            RenderLoop();
        } else {
            SelectedObjectAllLayers(doc->itsLayers, 0, cmd::kPlantGrowth, CommandParamFromInt(step));
        }
    }
    gRealTimeDraw = 0;
    SelectedObjectAllLayers(doc->itsLayers, 0, cmd::kPlantSize, nullptr);
    SelectAllLayers(doc->itsLayers, 2, 1);
    Refresh();
    // The plants grow in the design (a step past the range sizes them again): a step of its
    // own, so that no other step's Undo takes the growth back.
    if (ds->plantAge != levelBefore || DesignDigest(doc) != before)
        StoreUndo(LocalizedString("Plant Growth").c_str());
}
