#pragma once
// Skylights (160) and dormer cut-outs (166) in a roof face: the face is not cut; each opening
// adds a mask to the mask list of the face under construction (gCurPlaneObject), which the
// renderer writes into the stencil before the face, and the trim geometry frames it. Mode 0
// builds for a panel's lower face, mode 1 for its upper face, 12 units higher.
#include <cstdint>

#include "scene/plane_object.h"

struct Objex;

// One mask through the attachment's points, in the face plane's normal, of the piece kind
// given (160 or 166), tessellated and placed; freed when no face is under construction.
void CarveRoofAttachment(Objex* attachment, Plane* face, int16_t mode, int16_t pieceKind);
// Every skylight and cut-out among the panel's children, with their trims; a custom skylight
// (style 806) once per opening piece (type 61) of its generated parts.
void CarveAllRoofPanelAttachments(Objex* panel, Plane* face, int16_t mode);
// The same for a roof built from walls, taking only the attachments of its section
// `sectionSubtype`.
void CarveAllRoofAttachments(Objex* roof, Plane* face, int32_t sectionSubtype, int16_t mode);
