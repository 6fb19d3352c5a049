#pragma once
// The design file ("pro"): header, settings block, tagged object section, plug-in blocks,
// saved cameras and palettes. Saving builds the whole file in memory and hands it to the
// file system in one piece (a temporary beside the target, renamed when complete); reading
// takes the whole file into memory and replaces the current document's content. The same
// sections serve the undo snapshots (undo.h), the copy buffer, and the topography and
// cabinet files (topography.h, cabinet_files.h). Big-endian unless a record says otherwise.
#include <cstdint>

class QMDDocumentModel;
struct Layer;
struct Objex;

inline constexpr int32_t kDesignFileVersion = 11100;
inline constexpr int16_t kDesignFilePlatform = 2;

// Tags of the object section and the plug-in blocks.
namespace designtag {
inline constexpr int16_t kLayer = 100;
inline constexpr int16_t kObject = 200;
inline constexpr int16_t kGroupStart = 202;
inline constexpr int16_t kGroupEnd = 203;
inline constexpr int16_t kCabinetStart = 206;
inline constexpr int16_t kCabinetEnd = 207;
inline constexpr int16_t kSectionEnd = 400;
inline constexpr int16_t kPlugIn = 600;
inline constexpr int16_t kPlugInEnd = 601;
inline constexpr int16_t kPlugInsEnd = 602;
}  // namespace designtag

// Platform field of the file being read: kept, never interpreted.
extern int16_t sInputPlatform;
// Set while a design file is written; cleared only when the whole file reached the disk.
extern uint8_t gFileWriteFailed;
// Set while a topography file is read: with gOpenSymbol, read objects go to the
// topography layer.
extern uint8_t gReadingTopoLayer;
// Preference set by the shell at start-up: a design read from a file takes the unit system
// and readout format of new plans.
extern uint8_t gForceNewPlanDefaults;

// --- versions ---

// What a design file of one version holds after its object section. The settings reader
// of each version is DocStateVersionOfFile's.
struct DesignFileSections {
    bool plugInBlocks = false;  // 10500 on
    bool liveViews = false;     // 10900 on
};
// False for a version that is refused (anything but the fifteen accepted versions).
bool DesignFileVersionSections(int32_t version, DesignFileSections* sections);

// --- whole files ---

// KeyFileRead results: 1 a clean read. 2 the file ended early: the model holds what was
// there and the three floors, but the shell must warn that the design is incomplete.
inline constexpr int kKeyFileReadTruncated = 2;

// Writes the current document at version 11100. 1 when the whole file was written; 0
// without a document or settings record, while another file is being read or written, or
// when the file could not be written (the old file is then left as it was and
// gFileWriteFailed stays set). Sets the settings field `trackingValue` to 0 on success, and
// writes it so.
// Reading and writing both first remove the design's save temporaries whose session is gone
// (port::RemoveDeadSaveTemporaries).
int KeyFileWrite(const char* path);
// Reads the file into the current document. 0 when it cannot be read, its version is
// refused (the document is then untouched), another file is being read or written, or a
// floor is missing afterwards; 1 after a complete read; kKeyFileReadTruncated after a read
// that ran out of input.
int KeyFileRead(const char* path);

// After a read: false when "First Floor", "Second Floor" or "Third Floor" is missing;
// otherwise the first of them that is both active and visible becomes the current layer
// (none such: the current layer stays).
bool ChooseCurrentFloorAfterRead();
// The view a floor's name asks for: "X_FRONT", "X_BACK", "X_LEFT" and "X_RIGHT" their
// elevations, any other name the plan from above (perspective off).
void SetViewForLayerName(const char* name);
// Deletes every floor of the document with its 3D pieces; no current floors remain.
void DeleteDocumentLayers(QMDDocumentModel* doc);

// True while a file is being read or written, or the copy buffer is in use: the shared
// stream buffers are taken and no snapshot may be stored.
bool DesignFileBusy();

// Which groups have their children bracketed in the object section. The design file's
// format brackets only top-level groups (nesting below them is lost on reading); undo
// snapshots, this program's own scratch files, bracket every group so that an undo gives
// back the groups exactly as they were.
enum class GroupBrackets { TopLevel, Every };

// Builds the whole design file of the current document in the output buffer at
// `sWriteVersion` (header, settings, objects, plug-in blocks, cameras, palettes).
void BuildDesignFile(GroupBrackets brackets = GroupBrackets::TopLevel);

// --- sections ---

// Version and platform; the reader sets sInputVersion and sInputPlatform and reports
// whether both were there.
void DoWriteHeader();
bool DoReadHeader();

// The object section of the current document: every layer with its objects, then tag 400.
// While the copy buffer is in use (gUseScrap): no layer records, the "X_TOP_..." layers
// skipped, only selected objects.
void DoWriteObjects(GroupBrackets brackets = GroupBrackets::TopLevel);
// Reads the object section at `sInputVersion`; true when it ended with its end tag. Objects
// go to the last layer read; with gOpenSymbol to the topography layer (gReadingTopoLayer)
// or the current layer. While pasting (gUseScrap): the plan view, every object on the
// current layer, palette links resolved for another document, special groups dropped.
bool DoReadObjects();

// Tag 100 and the 262-byte layer record.
void WriteALayer(Layer* layer);
// The layer record after its tag: a new layer ("X_TOP" becomes "X_TOP_FIRST_FLOOR"),
// appended to the document unless gOpenSymbol is set, always visible. Null when no layer
// could be made (the record is still consumed).
Layer* ReadALayer();

// One object with its record and, for groups, its children: a top-level group's children
// are bracketed by 202/203 (206 with the cabinet state / 207 for a cabinet group); the
// children of nested groups follow as plain records, so nesting below the top level is not
// kept, unless every group is bracketed. Walls, roofs, decks and freehand roofs carry their
// attachments in their own record.
void WriteAnObjectAndChildren(Objex* object, GroupBrackets brackets = GroupBrackets::TopLevel);

// The plug-in blocks (tags 600 ... 601 each, then 602). The reader stores each block by its
// plug-in ID and returns whether the section was complete.
void DoWriteBlackBoxes();
bool DoReadBlackBoxes();

// The saved cameras (10900 on): a count, then one record each. A count of 0 or less leaves
// the document's list alone. The reader returns whether every announced record was there.
void DoWriteLiveViews();
bool DoReadLiveViews();

// Moves the objects of "X_TOP_FIRST_FLOOR" (and its second and third floor kin) onto the
// matching floor, where both layers exist.
void ConvertOldTextBlockLayers();
