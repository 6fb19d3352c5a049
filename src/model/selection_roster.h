#pragma once
// A roster of the top-level objects that may hold a selected point, noted where points
// become selected, so that "deselect all" and the selection's readouts after a click visit
// the selection rather than the whole design.
//
// What it names: only top-level objects of a layer's list. A piece a rebuild makes (a fence's
// pieces, stair parts, deck parts, roof faces: in no list, their points made selected) never
// enters, nor does an object built or held outside every list: linking it notes it, and
// unlinking or freeing it drops it. Of a floor of the current design an object enters only
// while the roster covers that floor's list; of another layer (one being built, or not the
// current design's) it enters as it stands and that layer's next ask drops it unless it is one
// of the list's. It may name more objects than are selected (one found unselected is dropped
// when asked), never fewer. Where flags are set out of sight (a point created or copied
// selected) the roster is marked unknown, and the next ask for each layer walks its list once.
#include <vector>

struct Layer;
struct Objex;

// The root of the object may now hold a selected point.
void NoteSelectionIn(Objex* object);
// The same for an object whose tree may hold a selected point (just linked, just read).
void NoteSelectionIfAny(Objex* object);
// Selected flags changed where no owner could be named: every list is walked again.
void NoteSelectionUnknown();
// The object has left its list (objects.cpp's unlink).
void NoteUnlinked(Objex* object);

// Whether a point of the object or of its children (at any depth) is selected.
bool HoldsSelectedPoint(const Objex* object);

// The top-level objects of the layer's list that hold a selected point, in list order,
// appended to `out`.
void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out);

// The objects the roster names now, in no order (for checks: they grow with the selection,
// not with the design).
std::vector<const Objex*> SelectionRosterObjects();
