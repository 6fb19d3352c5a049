#pragma once
// Merging the selected objects into the two selection summaries the settings record carries
// for the inspector (SelectionState) and the elevation pane (SelectionState40). Start a
// summary with ClearSelectionState / ClearSelectionState40 (selection_state.h).
//
// Merge rule: while the summary is fresh a pair takes the value and agrees; afterwards a
// different value clears the pair's flag (shown as mixed). Each merged object ends freshness.
#include "model/selection_state.h"

struct DocState;
struct Objex;

// Pen, fill and dimension style of one object into the summary.
void UpdateSelectionState(const DocState* docState, SelectionState* ss, const Objex* object);
// Called after a merge pass; nothing to do on this platform.
void UpdateSelectionStateAreas();

// The base elevation of the object's root: a wall by its selected segments and attachments,
// an object on the terrain as mixed, anything else by its elevation.
void UpdateSelectionState40(SelectionState40* ss40, Objex* object);
// Shows the summary in the main window's elevation pane.
void UpdateSelectionState40Controls(const SelectionState40* ss40);
