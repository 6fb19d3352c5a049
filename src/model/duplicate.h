#pragma once
// Deep copies of objects: points, type-specific record and, recursively, children, shifted in
// the plan. Nothing of a copy is shared with its source: trim records and their profiles,
// record part lists, strings and fonts are all new, so freeing the source leaves the copy
// whole. Copies take new object and point IDs.
#include <cstdint>

#include "model/command_ids.h"

struct Layer;
struct Objex;

// The mode of a duplicate: the command that asks for it.
namespace dupmode {
inline constexpr int32_t kDuplicate = cmd::kDuplicate;              // points unselected, children copied
inline constexpr int32_t kMirrorLeftRight = cmd::kMirrorLeftRight;  // selected, flipped horizontally
inline constexpr int32_t kMirrorTopBottom = cmd::kMirrorTopBottom;  // selected, flipped vertically
inline constexpr int32_t kSymbolTop = cmd::kSymbolTop;              // selected, children not copied
}  // namespace dupmode

// A copy of the source moved by offset (dH, dD; null for none). Placement: after
// `previousSibling` when given (taking its parent); else first child of `parent`; else, with
// `append`, at the end of the source's layer; else unlinked. The copy keeps the source's
// `layer`: a caller copying from another document sets it. Mirror modes flip the copy about
// gFlipCenterX / gFlipCenterY. None for a missing source or one inside a symbol-editor or
// section-detail group. The caller rebuilds the copy's 3D form.
Objex* DuplicateObject(Objex* source, Objex* parent, Objex* previousSibling, const float* offset,
                       uint8_t append, int32_t mode);

// The copy's type-specific record, copied from the source's. An opening's wall segment points
// are taken from the copy's parent at the positions they hold in the source's parent; an
// opening copied without a parent on either side keeps only its owner type and style. The
// part objects of attachment and roof attachment records are owned by the new record's lists
// with the copy as their parent; they are not in the copy's child list. A user plant or photo
// copy takes a fresh texture ID (gCurrentPhotoTextureID). A skylight's generated symbols stand
// in the plan: they are moved by (dh, dd) with the copy.
void DuplicateObjectData(Objex* source, Objex* copy, float dh = 0.0f, float dd = 0.0f);

// Appends a copy of every source point to the target, moved by offset (dH, dD; null for none)
// with the given selected flag: kind, lock, tangents and attributes, each trim record copied
// with its profiles. `valueQ` and `valueR` are not copied.
void DuplicateObjectPoints(const Objex* source, Objex* target, const float* offset, uint8_t selected);

