#pragma once
// The leaf of a door, built after its frame: stiles, rails, glazing bars and an infill plane as
// type 20 and type 128 pieces appended at the tail of the record's piece list, drawn open at the
// record's swing angle. A builder called for a style that is not its own, or without the door,
// its record, its parent, two points or a current document, builds nothing. None of them
// deletes the list: the frame builder has already emptied it. A piece whose record cannot be
// made is left out; a point that cannot be made ends the build, the pieces before it kept.
struct AttachmentRecord;
struct Objex;

// 501 hinged (hinge at the opening's end) and 510 pocket (always closed, half into the wall;
// stores a swing of 0): stiles, four rails, the centre stile and the infill.
void BuildHingedDoor(Objex* door, AttachmentRecord* record);
// 508 French door: stiles, two rails and the glazing bars of fifteen lites; no infill.
void BuildHingedGlassDoor(Objex* door, AttachmentRecord* record);
// 509 nine-lite door: glazing above the lock rail, two panels below it.
void BuildHingedHalfGlassDoor(Objex* door, AttachmentRecord* record);
// 511 bi-fold door: two leaves of half the width folded to a right angle; stores a swing of pi/4.
void BuildBiFoldDoor(Objex* door, AttachmentRecord* record);
// 506 round and 507 flattened arched doors: rails, the centre stile up to the inner arch, the
// arched outline plane and the stiles with the arched head rail in one piece.
void BuildHingedArchDoor(Objex* door, AttachmentRecord* record);
// 503 overhead door: closed in the opening, sections of about 24 by 21 world units.
void BuildGarageDoor(Objex* door, AttachmentRecord* record);
