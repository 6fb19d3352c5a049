#pragma once
// Each layer keeps the top-level objects of its list that may hold a selected point, noted
// where points become selected, so that "deselect all" and the selection's readouts after a
// click visit the selection rather than the whole design. A roster may name more objects
// than are selected (one found unselected is dropped when asked), never fewer. Where flags
// are set out of sight (a point created or copied selected) every roster is marked unknown,
// and the next ask walks that layer's list once and starts it again.
#include <vector>

struct Layer;
struct Objex;

// The root of the object may now hold a selected point.
void NoteSelectionIn(Objex* object);
// The same for an object whose tree may hold a selected point (just linked, just read).
void NoteSelectionIfAny(Objex* object);
// Selected flags changed where no owner could be named: every roster is walked again.
void NoteSelectionUnknown();
// The object leaves its layer's list.
void SelectionRosterUnlinked(Objex* object);

// Whether a point of the object or of its children (at any depth) is selected.
bool HoldsSelectedPoint(const Objex* object);

// The top-level objects of the layer's list that hold a selected point, in list order,
// appended to `out`.
void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out);
