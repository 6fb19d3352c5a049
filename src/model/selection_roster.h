#pragma once
// A roster of the top-level objects that may hold a selected point, noted where points
// become selected, so that "deselect all" and the selection's readouts after a
// click visit the selection rather than the whole design. A roster may name more objects
// than are selected (one found unselected is dropped when asked), never fewer. Where flags
// are set out of sight (a point created or copied selected) the roster is marked unknown, and
// the next ask for each layer walks its list once.
#include <vector>

struct Layer;
struct Objex;

// The root of the object may now hold a selected point.
void NoteSelectionIn(Objex* object);
// The same for an object whose tree may hold a selected point (just linked, just read).
void NoteSelectionIfAny(Objex* object);
// Selected flags changed where no owner could be named: every list is walked again.
void NoteSelectionUnknown();

// Whether a point of the object or of its children (at any depth) is selected.
bool HoldsSelectedPoint(const Objex* object);

// The top-level objects of the layer's list that hold a selected point, in list order,
// appended to `out`.
void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out);
