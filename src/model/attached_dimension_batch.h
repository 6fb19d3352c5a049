#pragma once
// When attached dimensions are measured again after wall refits: the current floor's and the
// refit wall's at once, or once at the end of the outermost open batch. The measure itself is
// the tools' (UpdateAttachedDimLayer, registered at start-up with the rebuild table); without
// one nothing is measured. The global reset forgets it and closes every batch.
struct Layer;
struct Objex;

// While one is alive, wall refits leave the attached dimensions alone, and the outermost one
// measures them once as it ends when any refit asked for it: reading a design refits every
// wall it reads, and each would otherwise walk the whole floor. A command that moves several
// walls measures once they all stand where they end, on every floor whose walls it refit
// (the current floor's alone would leave a walk over every floor unmeasured above it);
// measured between two walls' moves, a dimension would keep the length to a wall that then
// moved out of its way.
class AttachedDimensionBatch {
public:
    enum class Floors { Current, EveryRefit };
    explicit AttachedDimensionBatch(Floors floors = Floors::Current);
    ~AttachedDimensionBatch();
    AttachedDimensionBatch(const AttachedDimensionBatch&) = delete;
    AttachedDimensionBatch& operator=(const AttachedDimensionBatch&) = delete;

private:
    Floors floors_;
};
// The wall refit's first step: the current layer's attached dimensions, now or at the end of
// the batch; measured now, or by a batch over every refit floor, the refit wall's floor too.
void UpdateCurrentLayerAttachedDims(const Layer* wallFloor = nullptr);

// A wall, or a group holding one, that joined or left the object's floor's list (grouped,
// ungrouped, moved or copied between floors): that floor's dimensions measure again, now or at
// the end of the batch, as the probe meets only the walls of a floor's own list.
void MeasureFloorOfWalls(const Objex* object);

using AttachedDimensionMeasure = void (*)(Layer*);
void RegisterAttachedDimensionMeasure(AttachedDimensionMeasure measure);
