#pragma once
// The exchange file written for a plug-in tool before it starts: header, settings, every
// floor with its objects, and the tool's data block, in the version the tool reads
// (exchange_layout.h). Built whole in the shared output buffer, then stored in one step.
//
// Writing changes the design in two ways only, neither of which changes how it looks: the
// colour and scale fields of a palette-linked texture take the palette entry's values, and a
// cabinet group's state takes the group's elevation.
#include <cstdint>

struct AttachmentRecord;
struct CabinetState;
struct Layer;
struct Objex;
struct RoofAttachmentRecord;
struct TrimRecord;

// The version the steps below write (set by PlugInFileWrite).
extern int32_t sPlugInWriteVersion;

// Writes the current design for tool `plugInID` into `path` (an existing file is replaced
// atomically). 1 when the file was created; 0 without a current document, while another
// file operation holds the stream buffers, or when the file could not be stored, which
// leaves an old file as it was. The minimum version is not used.
int PlugInFileWrite(const char* path, int32_t plugInID, int32_t minFileVersion, int32_t fileVersion);

// The steps, each appending to the output buffer at `sPlugInWriteVersion`.
void DoWritePlugInHeader();
void DoWritePlugInDocState();
void DoWritePlugInLiveViews();
void DoWritePlugInPalettes();
void DoWritePlugInObjects();
void WriteAPlugInLayer(Layer* layer);
// An object block: the record (none for type 201) and the children that follow it.
void WriteAPlugInObject(Objex* object);
void WritePlugInObjectInfo(Objex* object);
void WritePlugInObjectPoints(Objex* object);
// A wall point's trim record; null writes an empty slot.
void WritePlugInTrimData(TrimRecord* trim);
// The type-specific part after the points (children of walls, decks and roofs included).
void WritePlugInObjectData(Objex* object);
// Attachment records; null writes the layout with zeros.
void WritePlugInObjectAttachment(AttachmentRecord* record);
void WritePlugInObjectAttachment75(AttachmentRecord* record);
void WritePlugInRoofAttachment(RoofAttachmentRecord* record);
// i32 164 and the 158 bytes of the state.
void DoWritePlugInCabinetState(CabinetState* state);
// The document's data block of the tool, when it has one.
void DoWritePlugInBlackBox(int32_t plugInID);
