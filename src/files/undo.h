#pragma once
// Snapshot undo of the current document. After each edit the whole design is written, as a
// design file of version 11100, into the next slot of a ring of 25 files per document in
// the temporary folder; undo and redo read a neighbouring slot back over the model. The
// platform's undo manager only carries the action names (port/undo.h).
#include <cstdint>
#include <string>

class QMDDocumentModel;
struct DocState;

// Snapshots are stored and restored only while this is set (the "UndoEnabled" preference of
// each new document; a failed restore clears it).
extern uint8_t gUndoActive;
// Slots in the ring.
inline constexpr int32_t gTotalUndos = 25;

// The undo manager's depth for an "UndoLevels" preference: never more steps than the ring can
// restore (each snapshot but the oldest is one), none for a negative one.
int32_t UndoManagerLevels(int64_t levels);

// Empties the ring of the current document (all three indices -1) and stores the initial
// snapshot, which names no action.
void InitializeUndo();
// Takes a snapshot after an edit and names the undo action; " " names none. The steps before
// it stay undoable, also after an undo. With snapshots off it only marks the document changed
// (not for " ", nor for the parts of one step). Nothing while a file is being read or written.
void StoreUndo(const char* actionName);
// Step back or forward one snapshot; true when one was restored. A snapshot that cannot be
// restored puts the index back, shows "Unable to restore the undo state." and turns
// snapshots off.
bool DoUndo();
bool DoRedo();
// Writes the current document as a snapshot file. 0 with no path or document, or while
// another file is in use; 1 otherwise, also when the file could not be written: then the
// alert "Unable to store the undo state." shows, `gFileWriteFailed` stays set and the slot
// holds no file (an older snapshot left there would be restored in its place).
int SaveState(const char* path);
// Reads a snapshot over the current document, keeping how the design is looked at (the plan's
// zooms, origin, grid and shown plans, the live view's camera, cut-away and render style: no
// step changes them) and what no step stores (the lot, unless the snapshot names another
// topography file, and the north angle among them); of these, what the step an Undo or Redo
// crosses set goes back to its value before the step or comes again, and so does the largest
// plant age, which no snapshot holds. The palettes and the inspector show the design restored.
// 1 when restored; 0 when the file cannot be read (no message) or the model is unusable
// afterwards.
int RestoreState(const char* path);
// Copies what a restore keeps (how the design is looked at) from one settings record to another.
void KeepViewSettings(const DocState& from, DocState& to);
// The same and the other settings that no step stores (the north angle, the snap offset, the
// live view's speed, quality and framing, the tool defaults, the trace image shown unless the
// records name other images), with the lot rectangle when `lot` is set.
void KeepUnstoredSettings(const DocState& from, DocState& to, bool lot);
// Notes what the user set of those settings (but how the design is looked at) since the last
// step, restore or note, before the program takes the next input: a change marks the design
// changed (`DesignChangedSinceSave`), so Close and Quit ask, and the next step's Undo keeps it.
void NoteSettingsSetWithoutStep(QMDDocumentModel* doc);
// Whether what Save would write differs from the file last saved or read: the ring is not at
// the slot it was then (a slot written since over it never returns), a step was stored with
// snapshots off or a restore failed, or a kept setting the file holds was set since. A design
// new or just read, and one whose ring never started, is unchanged.
bool DesignChangedSinceSave(const QMDDocumentModel* doc);
// The design is now what its file holds (saved, read, or new); the caller shows the mark.
void NoteDesignSaved(QMDDocumentModel* doc);
// Runs the parts of one larger step with snapshots off: what they store marks nothing, the
// step they make up stores (and marks) once they are done.
class PartsOfOneStep {
public:
    PartsOfOneStep();
    ~PartsOfOneStep();
    PartsOfOneStep(const PartsOfOneStep&) = delete;
    PartsOfOneStep& operator=(const PartsOfOneStep&) = delete;

private:
    uint8_t undoActive_;
    bool outer_;
};
// Slots from `from` to `to` inclusive, walking forward round the ring; 0 when either is 0 or
// less.
int32_t CountUndos(int32_t from, int32_t to);
// Shows the current floor in the main window's floor pop-up; a floor of another name leaves it.
void SelectCurrentFloorInPopUp(const QMDDocumentModel* doc);
// The snapshot file of a slot of the current document; empty without a document.
std::string UndoSnapshotPath(int32_t slot);
