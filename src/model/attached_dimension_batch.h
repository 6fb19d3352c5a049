#pragma once
// When the current floor's attached dimensions are measured again after wall refits: at once,
// or once at the end of the outermost open batch. The measure itself is the tools'
// (UpdateAttachedDimLayer, registered at start-up with the rebuild table); without one
// nothing is measured. The global reset forgets it and closes every batch.
struct Layer;

// While one is alive, wall refits leave the current layer's attached dimensions alone, and
// the outermost one measures them once as it ends when any refit asked for it: reading a
// design refits every wall it reads, and each would otherwise walk the whole floor.
class AttachedDimensionBatch {
public:
    AttachedDimensionBatch();
    ~AttachedDimensionBatch();
    AttachedDimensionBatch(const AttachedDimensionBatch&) = delete;
    AttachedDimensionBatch& operator=(const AttachedDimensionBatch&) = delete;
};
// The wall refit's first step: the current layer's attached dimensions, now or at the end of
// the batch.
void UpdateCurrentLayerAttachedDims();

using AttachedDimensionMeasure = void (*)(Layer*);
void RegisterAttachedDimensionMeasure(AttachedDimensionMeasure measure);
