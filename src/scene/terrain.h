#pragma once
// The ground and what stands on it. The topography grid (scene/topo_grid.h) holds heights over
// the lot, read from a topography file or computed here from the plan's terrain objects: the
// entire-lot slope (62), slope lot sections (133) and topography regions (30). Generated
// geometry, built relative to its object's base, is then moved to its final height: by the
// object's elevation, or onto the ground for objects that stand on the terrain.
//
// Heights in the grid are up-positive plan units; every function returning a terrain height
// returns it as a scene y (the negated height).
#include <cstdint>

struct Objex;
struct PlaneObject;

// 1 while the terrain is in use (set by TopoInUse).
extern uint8_t gTopoInUse;

// 1, and sets gTopoInUse, when there is a grid and either a topography file or a terrain
// object on some layer; else 0 and clears it.
int16_t TopoInUse();
// Recomputes the grid from the terrain objects of every layer (whether the live view shows or
// not; while hidden it also marks the scene for a rebuild on show), then TopoInUse. A grid read
// from a topography file keeps its heights. Every group standing on the ground, on every floor,
// shown or not, then stands on it (its points moved: the step places it, not the scene's
// build, so a save writes it where a read puts it and showing a floor moves nothing). When the ground now differs from the one the
// scene's pieces were placed on and the live view shows the current document's scene, every
// object standing on the terrain is built again on it; the same ground computed again (as the
// window does each time it becomes main) builds nothing but what a ground batch held back.
// Inside a ground batch (model/rebuild_table.h) the placing waits for the batch's end.
void SetLotElevation();
// Remembers the ground a whole-scene build placed its pieces on.
void NoteSceneGround();
// Inside a ground batch: this top-level object, which stands on the ground (or holds a group
// that does), is placed and its pieces built when the batch ends, once, where the ground then
// lies (on a hidden floor or with the live view hidden, placed only).
void HoldOnGround(Objex* root);
// Outside a ground batch: the object's groups standing on the ground stand on it now, the outer
// before those inside it (a group already there is left as it is; the members of one moved are
// built again from their points); true when a point moved.
bool StandGroupsOnGround(Objex* object);
// The end of a ground batch (its scene hook): the ground computed again when a terrain
// object changed (as SetLotElevation computes it), what the batch held back placed, and built
// (the whole scene once when a whole build was asked for inside the batch).
void SettleGround(bool groundMoved, bool wholeScene);
// The scene y of the ground at plan point (x, z): bilinear inside the full cells, the highest
// matching node in the strip beyond the last full row or column, the lot's edge node beside
// the lot. 0.0 while the terrain is not in use, without settings or without a grid; -0.0
// without a document and where no height is found.
float GetTopoElevationAtGridPt(float x, float z);

// Moves a piece's vertices to their final height (every append does).
void ElevatePlaneObject(PlaneObject* planeObject, Objex* baseObject);
// A property line floats 3 above the slope plane of the first entire-lot object (at y = -3
// without one).
void SetPropertyLineElevation(PlaneObject* planeObject);
// The same placement on a model object's own points.
void ElevateObject(Objex* object);
// Ages every plant of the scene by `years` (never below 1.0) and resizes its piece.
void GrowPlantVisuals(float years);
