#include "model/attached_dimension_batch.h"

#include "model/document_model.h"
#include "port/seam.h"

namespace {

// Open batches, whether a refit asked for a measure meanwhile, and who measures.
int sBatchDepth = 0;
bool sMeasureDue = false;
AttachedDimensionMeasure sMeasure = nullptr;
const port::GlobalReset kReset([] {
    sBatchDepth = 0;
    sMeasureDue = false;
    sMeasure = nullptr;
});

void MeasureCurrentLayer() {
    if (gCurDocument && sMeasure) sMeasure(gCurDocument->itsCurLayer);
}

}  // namespace

AttachedDimensionBatch::AttachedDimensionBatch() { ++sBatchDepth; }

AttachedDimensionBatch::~AttachedDimensionBatch() {
    if (--sBatchDepth > 0 || !sMeasureDue) return;
    sMeasureDue = false;
    MeasureCurrentLayer();
}

void UpdateCurrentLayerAttachedDims() {
    if (sBatchDepth > 0) sMeasureDue = true;
    else MeasureCurrentLayer();
}

void RegisterAttachedDimensionMeasure(AttachedDimensionMeasure measure) { sMeasure = measure; }
