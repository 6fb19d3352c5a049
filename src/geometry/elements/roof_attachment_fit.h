#pragma once
// Where skylights (160) and dormer cut-outs (166) sit on a roof: their outlines by shape, the
// region tests that keep each wholly inside one roof section and skylights apart, and the
// heights of their points on the section's plane.
//
// A roof section is a type-32 piece of a roof (14, in `typeData.roofPanels`) or a freehand roof
// (57) itself, whose plane its first generated part (the 59 slab) carries. Coordinates are plan
// units; a region maps plan H to x and plan D to y (port/region.h). Every routine answers
// none, 0 or false when an argument, the document or its settings is missing, and a region
// that cannot be made counts as no fit.
#include <cstdint>
#include <optional>

#include "model/types.h"
#include "port/region.h"

struct Objex;
struct RoofAttachmentRecord;

inline constexpr int kRectangularSkylightPoints = 4;
inline constexpr int kOctagonSkylightPoints = 8;
inline constexpr int kEllipticalSkylightPoints = 36;
inline constexpr int16_t kRectangularSkylightStyle = 800;
inline constexpr int16_t kOctagonSkylightStyle = 801;
inline constexpr int16_t kEllipticalSkylightStyle = 802;
inline constexpr int16_t kCustomSkylightStyle = 806;

// Outlines centred on (cx, cz), V left 0; the size is the record's when `useRecord` is set and
// a record given, else the document's skylight width and length in plan units. Octagons and
// ellipses take the width as the diameter (the length is not used). Return the point count.
int DeriveRectangularSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                    const RoofAttachmentRecord* record);
// Point k (1..8) at k x 45 degrees, the last at 360.
int DeriveOctagonSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                const RoofAttachmentRecord* record);
// 36 points from 180 degrees down in 10-degree steps.
int DeriveEllipticalSkylightPoints(float cx, float cz, Float3DPoint* points, uint8_t useRecord,
                                   const RoofAttachmentRecord* record);

// The section's lower surface at plan (x, z). The section is a type-32 piece or a 57 roof.
float SectionHeight(const Objex* section, float x, float z);
// The section a roof attachment is measured against: for a 14 roof its piece of the record's
// subtype, for a 57 roof the roof itself.
Objex* FindSkylightOwnerPanel(Objex* roof, Objex* attachment);

// Turns the points about (cx, cz) by (angle - 90) degrees (the array is changed), sets each on
// the section's plane and appends it to the skylight. `target` is the roof (14: the piece of
// the skylight's subtype, nothing when none), a 57 roof or a type-32 piece.
void CreateSkylightPoints(Objex* skylight, Objex* target, Float3DPoint* points, int count, float cx, float cz,
                          float angle);

std::optional<port::Region> CreateObjectAppleRegion(const Objex* object);
std::optional<port::Region> CreateSkylightAppleRegion(const Float3DPoint* points, int count);
// The opening shapes (61) of a custom skylight's symbol chain, traced into one region.
std::optional<port::Region> CreateCustomSkylightAppleRegion(const Objex* firstShape);
// The attachment's own region: a custom skylight's by its symbols, others by their outline.
std::optional<port::Region> CreateRoofAttachmentRegion(Objex* attachment);

// True when the region meets a skylight child of the roof (cut-outs never count); with
// `skipSelf` the child of that object ID is passed over.
bool SkylightOverlapsWithOthers(Objex* roof, const port::Region& region, uint8_t skipSelf, uint32_t selfID);

// The roof on the current layer that takes the outline wholly inside one section without
// meeting its skylights (the last in list order wins), and the section (a piece, or the 57
// roof itself); null when none does.
Objex* FindSkylightRoofPanel(const Float3DPoint* points, int count, Objex** section);
Objex* FindCustomSkylightRoofPanel(const Objex* firstShape, Objex** section);
// The first other piece of a 14 roof that takes the attachment; it becomes the attachment's
// section (its subtype is written to the record). 1 when found.
int16_t DoesRoofAttachmentFitOnAny3DPanel(Objex* roof, Objex* attachment, Objex** section);
// The roof under the plan point (truncated) on the current layer and its section; the last
// hit wins.
Objex* FindDormerRoofPanel(float x, float z, Objex** section);

// Every point of the cut-out onto the section's plane.
void CalculateDormerPointElevations(Objex* cutout, Objex* section);
// A custom skylight's outline and symbols onto the section: openings (61) on the plane, frames
// (19) 6 above, lenses (128) 6 above split by their thickness, filler planes (900) 16 above
// (subtype 1) or 2 below (subtype 0).
void FindCustomSkylightPointElevations(Objex* skylight, Objex* section);
// An attachment onto its section as placing and every refit leave it: the heights above, a
// custom skylight's frames (19) and lenses (128) textured over their faces where they now lie
// (`SetTextureFaceUV`), and the bounds (a custom skylight's from its pieces).
void SetRoofAttachmentOnSection(Objex* attachment, Objex* section);

// Refits one attachment on its roof (14 or 57): moves it to another piece of a 14 roof when
// its own no longer holds it, deletes it when none does, and sets its heights on its section.
// 1 when it was deleted, else 0 (also for a missing argument or a roof without pieces).
int16_t UpdateRoofAttachment(Objex* attachment, Objex* roof);
