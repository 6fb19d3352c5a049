#include "model/centering.h"

#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/walkers.h"
#include "model/zoom_units.h"

namespace {


int32_t RoundedSide(float side) {
    return dvxnum::TruncToInt16(static_cast<double>(side) + 0.5);
}

// The move that puts the middle of the box on the middle of the plan extent (integer
// arithmetic on the rounded extent, as the plan draws it).
void MoveToCentre(const DocState* ds, const Float3DRect& box, float* dH, float* dD) {
    const int32_t top = RoundedSide(ds->lotRect.floatTop);
    const int32_t left = RoundedSide(ds->lotRect.floatLeft);
    const int32_t bottom = RoundedSide(ds->lotRect.floatBottom);
    const int32_t right = RoundedSide(ds->lotRect.floatRight);
    const int32_t centreH = left + (right - left) / 2;
    const int32_t centreD = top + (bottom - top) / 2;
    *dH = static_cast<float>(centreH) - (box.floatLeft + (box.floatRight - box.floatLeft) * 0.5f);
    *dD = static_cast<float>(centreD) - (box.floatBack + (box.floatFront - box.floatBack) * 0.5f);
}

// Layer null: every layer from the first.
void Centre(Layer* layer, uint8_t selectedOnly, bool inWindow, FloatRect* bounds) {
    if (!bounds) return;
    *bounds = FloatRect{};
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    Layer* first = gCurDocument->itsLayers;

    Float3DRect box = EmptyFloat3DRect();
    if (layer) GetLayer3DBounds(layer, selectedOnly, &box, 1);
    else GetAllLayers3DBounds(first, selectedOnly, &box, 1);

    float dH = 0.0f, dD = 0.0f;
    MoveToCentre(ds, box, &dH, &dD);
    if (inWindow) {
        dH += UnzoomF(gGlobalXOffset);
        dD += UnzoomF(gGlobalZOffset);
    }
    TransformRecord move = cmdsupport::Translation(dH, 0.0f, dD);
    if (layer) SelectedObjectLayer(layer, selectedOnly, cmd::kMove, &move);
    else SelectedObjectAllLayers(first, selectedOnly, cmd::kMove, &move);

    FloatRect after = EmptyFloatRect();
    if (layer) GetLayerBounds(layer, selectedOnly, &after, 1, 0);
    else GetAllLayersBounds(first, selectedOnly, &after, 1, 0);
    *bounds = after;
}

}  // namespace

void CenterObjects(uint8_t selectedOnly, FloatRect* bounds) {
    Centre(nullptr, selectedOnly, false, bounds);
}

void CenterObjectsInWindow(uint8_t selectedOnly, FloatRect* bounds) {
    Centre(nullptr, selectedOnly, true, bounds);
}

void CenterLayer(Layer* layer, uint8_t selectedOnly, FloatRect* bounds) {
    if (!layer) {
        if (bounds) *bounds = FloatRect{};
        return;
    }
    Centre(layer, selectedOnly, false, bounds);
}
