#pragma once
// The 3D rebuilds of building and site elements that model and file code ask for after an
// object changed. The tools register their handlers; with none registered every call does
// nothing (and counts report 0).
#include <cstdint>
#include <functional>

struct Objex;

// Rebuilds a wall's (type 12) generated solid; other types: nothing.
void Update3DWall(Objex* object);
// Refits the doors, windows and fixtures of a wall; the number removed for not fitting.
int16_t UpdateAllWallAttachments(Objex* object);
// Floors, floor cut-outs and generated ceilings (13, 48, 136).
void Update3DFloorSkirting(Objex* object);
void Update3DRoof(Objex* object);           // 14
void Update3DRoofPanel(Objex* object);      // 57 and its children
void Update3DPath(Objex* object);           // 22
void Update3DDeck(Objex* object);           // 51
void Update3DPhoto(Objex* object);          // 130
void Update3DTopoCutoutDepthObject(Objex* object);  // 134
// Refits every skylight and cut-out of a roof (14 or 57).
void UpdateAllRoofAttachments(Objex* object);

using ObjectRebuildHandler = std::function<void(Objex*)>;
using ObjectCountHandler = std::function<int16_t(Objex*)>;

void SetUpdate3DWallHandler(ObjectRebuildHandler handler);
void SetUpdateAllWallAttachmentsHandler(ObjectCountHandler handler);
void SetUpdate3DFloorSkirtingHandler(ObjectRebuildHandler handler);
void SetUpdate3DRoofHandler(ObjectRebuildHandler handler);
void SetUpdate3DRoofPanelHandler(ObjectRebuildHandler handler);
void SetUpdate3DPathHandler(ObjectRebuildHandler handler);
void SetUpdate3DDeckHandler(ObjectRebuildHandler handler);
void SetUpdate3DPhotoHandler(ObjectRebuildHandler handler);
void SetUpdate3DTopoCutoutDepthObjectHandler(ObjectRebuildHandler handler);
void SetUpdateAllRoofAttachmentsHandler(ObjectRebuildHandler handler);

// Forgets every handler of this file.
void ResetToolRebuildSeams();
