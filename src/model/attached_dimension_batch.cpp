#include "model/attached_dimension_batch.h"

#include <algorithm>
#include <vector>

#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "port/seam.h"

namespace {

// Open batches and those of them over every refit floor, whether a refit asked for a measure
// meanwhile, the floors refit, and who measures.
int sBatchDepth = 0;
int sEveryRefitDepth = 0;
bool sMeasureDue = false;
std::vector<const Layer*> sRefitFloors;
AttachedDimensionMeasure sMeasure = nullptr;
const port::GlobalReset kReset([] {
    sBatchDepth = 0;
    sEveryRefitDepth = 0;
    sMeasureDue = false;
    sRefitFloors.clear();
    sMeasure = nullptr;
});

// The current floor and the refit ones, in the document's order; a floor is looked up in the
// document's list rather than trusted.
void MeasureFloors(const std::vector<const Layer*>& refit) {
    if (!gCurDocument || !sMeasure) return;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (l == gCurDocument->itsCurLayer || std::find(refit.begin(), refit.end(), l) != refit.end()) sMeasure(l);
}

// Whether the object is a wall or a group holding one at any depth.
bool HoldsWall(const Objex* o) {
    if (o->type == objtype::kWall) return true;
    if (o->type != objtype::kGroup) return false;
    for (const Objex* m = o->firstChild; m; m = m->next)
        if (HoldsWall(m)) return true;
    return false;
}

}  // namespace

AttachedDimensionBatch::AttachedDimensionBatch(Floors floors) : floors_(floors) {
    ++sBatchDepth;
    if (floors_ == Floors::EveryRefit) ++sEveryRefitDepth;
}

AttachedDimensionBatch::~AttachedDimensionBatch() {
    if (floors_ == Floors::EveryRefit && sEveryRefitDepth > 0) --sEveryRefitDepth;
    if (sBatchDepth > 0) --sBatchDepth;
    if (sBatchDepth > 0 || !sMeasureDue) return;
    sMeasureDue = false;
    std::vector<const Layer*> refit;
    refit.swap(sRefitFloors);
    MeasureFloors(refit);
}

void UpdateCurrentLayerAttachedDims(const Layer* wallFloor) {
    // A wall of another shown floor (a tool reaches every active one) measures its own floor too.
    if (sBatchDepth <= 0) return MeasureFloors({wallFloor});
    sMeasureDue = true;
    if (sEveryRefitDepth > 0 && wallFloor &&
        std::find(sRefitFloors.begin(), sRefitFloors.end(), wallFloor) == sRefitFloors.end())
        sRefitFloors.push_back(wallFloor);
}

void MeasureFloorOfWalls(const Objex* object) {
    if (object && object->layer && HoldsWall(object)) UpdateCurrentLayerAttachedDims(object->layer);
}

void RegisterAttachedDimensionMeasure(AttachedDimensionMeasure measure) { sMeasure = measure; }
