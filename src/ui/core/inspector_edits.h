#pragma once
// What an inspector pane's control does to the design: every control is one row (its entry
// function, limits, field, rebuild, undo name and rule, tool default), and one walk applies
// an accepted value to the selected objects of the current floor. Panes add rows, never
// another walk.
#include <cmath>
#include <cstdint>
#include <limits>

#include "port/text_field.h"

struct DocState;
struct Objex;
struct Poinz;

// How a field's text is read and written.
enum class FieldEntry {
    Length,      // inches, in the document's unit and readout format
    Pitch,       // rise per 12
    Angle,       // degrees (and minutes)
    PitchAngle,  // a pitch shown as its angle
    Integer,
};

// Which objects an edit reaches.
enum class EditWalk {
    TopLevel,     // top-level objects of the current floor that are selected
    WallSegments, // selected segments (both ends selected, a closed wall's closing one too) of
                  // the current floor's selected walls; the value is the segment's start point's
    Attachments,  // children of the current floor's walls with a selected point of their own
    DeckSteps,    // children of the current floor's decks selected as root objects (their deck
                  // need not be); a deck with a changed one is rebuilt
    SelectedPoints,  // selected points of the current floor's selected objects
    RoofChildren, // selected children of the current floor's roofs (14, 57)
    // Selected top-level light groups (1000 holding a light code): the value goes into the
    // group and, unless its subtype is 83, into every child of its root, written even where it
    // is already held so the live view takes the whole fixture again.
    LightGroups,
};

// What is rebuilt after an object changed.
enum class EditRebuild {
    None,
    Wall,    // the wall itself (or an attachment's wall): walls, then attachments, then its pieces
    WallAttachments,  // an attachment's wall: its attachments only, then its pieces
    // Each changed attached dimension is measured again on its wall; the wall is left alone.
    AttachedDimension,
    ByType,  // the object's own update, then its pieces
    Render,  // its 3D form only
    // The walked object (group or wall) is marked for the live view, which rebuilds it on its
    // next draw; nothing is rebuilt now.
    RenderFlag,
    // A skylight refitted on its roof (a custom one keeping its definition); each roof holding
    // a changed one is refitted and rebuilt once.
    Roof,
    RoofReadingDefinition,  // the same, a custom skylight reading its definition again
};

// What is redrawn after an accepted value.
enum class EditRedraw {
    Plan,
    LiveView,         // when anything changed: the live view re-renders, the plan is left
    PlanAndLiveView,
};

// When the edit stores an undo step.
enum class UndoRule {
    WhenChanged,
    WhenChangedOrNotDefault,  // also when the accepted value differs from the tool default
    Always,
    Never,
};

struct InspectorEditRow {
    const char* outlet;  // the field's name
    FieldEntry entry;
    float low, high;     // accepted values, inclusive (in the field's unit)
    int16_t type;        // the objects it applies to
    EditWalk walk;
    // Stored in plan units (converted from the field's inches without zoom).
    bool planUnits;
    // The stored value, and storing one; null when only the tool default is edited.
    float (*get)(const Objex*);
    void (*set)(Objex*, float);
    EditRebuild rebuild;
    const char* undoName;  // English; localized when stored
    UndoRule undoRule;
    // The tool default in the settings record (field units); null when there is none.
    float (*getDefault)(const DocState*);
    void (*setDefault)(DocState*, float);
    // Other objects the row applies to besides `type` (a family sharing a pane); may be null.
    bool (*alsoApplies)(const Objex*) = nullptr;
    EditRedraw redraw = EditRedraw::Plan;
    // Segment rows: the value a segment keeps in its start point.
    float (*getPoint)(const Poinz*) = nullptr;
    void (*setPoint)(Poinz*, float) = nullptr;
    // Only the objects it passes are reached (exterior walls, say); may be null.
    bool (*onlyIf)(const Objex*) = nullptr;
    // Every reached object is rebuilt, whether or not its value differed.
    bool rebuildReached = false;
    // Every reached object (or segment) is stored and counts as changed, even with the value it had.
    bool countReached = false;
    // The reached values are inverted (0 and 1) instead of set to the value.
    bool toggles = false;
    // The plan is not refreshed after the edit.
    bool noRefresh = false;
};

enum class EditResult {
    NoDocument,  // nothing done
    Refused,     // no number, or outside the limits: the field shows the default (or remembered value) again
    Unchanged,   // accepted; no object changed
    Changed,     // accepted; objects changed
    // An object could not take the value (nothing can be built with it) and kept its own; the
    // tool default takes that, no step is stored.
    Declined,
};

// Open limits ("above 0.01, below 10000") as the closed ones a row holds.
inline float JustAbove(float v) { return std::nextafter(v, std::numeric_limits<float>::infinity()); }
inline float JustBelow(float v) { return std::nextafter(v, -std::numeric_limits<float>::infinity()); }

// Reads, writes and merges a field's text by its entry function.
float ReadEntry(FieldEntry entry, port::TextField* field);
void ShowEntry(FieldEntry entry, port::TextField* field, float value);
void MergeEntry(FieldEntry entry, port::TextField* field, float value, bool initialize);

// Whether a field of that entry, showing `held` (field units), reads back as `typed`: the
// value typed over what a field shows is no change, though a typed value is never rounded.
bool FieldShowsTyped(FieldEntry entry, float held, float typed);

// Whether the text holds a number at all: text without a digit is refused, never read as 0.
bool HoldsNumber(const port::TextField* field);
// A refused entry changes nothing: the field shows `remembered` when given, else the default.
void ShowRefused(const InspectorEditRow& row, port::TextField* field, const float* remembered = nullptr);

// The object's value as the field shows it (plan units converted to inches).
float FieldValueOf(const InspectorEditRow& row, const Objex* object);
// Shows or merges the object's value in the field (`initialize` for the first object).
void MergeObjectValue(const InspectorEditRow& row, port::TextField* field, const Objex* object, bool initialize);
// Shows the row's tool default (nothing for a row without one).
void ShowDefault(const InspectorEditRow& row, port::TextField* field);

// Applies an accepted value (field units): the walk sets it where it differs, rebuilds each
// changed object at once, writes the tool default, stores one undo step by the row's rule
// (decided against the default before it was written) and refreshes the plan. A value `typed` into the row's field differs from a held one only
// where the field shows the held one otherwise (a metric length stored in inches reads back
// a hair off); any other differs unless exactly equal.
EditResult ApplyInspectorValue(const InspectorEditRow& row, float value, bool typed = false);
// The end of editing of the row's field: refused input (no number, or outside the limits)
// shows the default (or `remembered`, when given) again silently; accepted input is applied
// and shown formatted.
EditResult ApplyInspectorField(const InspectorEditRow& row, port::TextField* field, const float* remembered = nullptr);
