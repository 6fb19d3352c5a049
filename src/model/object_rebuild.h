#pragma once
// The 3D rebuild of an object after a command changed it, chosen by its type, and the
// refresh of its stored bounds.
struct Objex;

enum class RebuildTable {
    Full,   // every rebuildable type
    Short,  // without the lot elevation (topography, lot, slope lot)
    Read,   // as read from a file: not the lot elevation either (set once afterwards)
};

// Walls (with their attachments), floors, cabinet parts, roofs (then the plan redraw unless
// refreshRoof is false), paths, edgings, fences, stairs, railings, decks, freehand roofs,
// photos, excavations (their depth bands), groups (their members, each by its type); in the
// full table also the lot elevation. Other types: nothing.
// True when the type had a rebuild.
bool RebuildObjectByType(Objex* object, RebuildTable table, bool refreshRoof = true);

// Every object, on every floor and inside groups, whose own builder reads the framing view
// (a staircase, a deck's step flights) built again, as a read of the design builds it.
void RebuildWhatTheFramingViewShapes();

// The stored plan bounds and 3D bounds again, each measured from an empty box.
void RefreshObjectBounds(Objex* object);
