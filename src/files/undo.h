#pragma once
// Snapshot undo of the current document.

// Resets the undo ring of the current document (all three indices -1).
void InitializeUndo();
