#pragma once
// The whole-plan forms of the object transforms (move plan, rotate plan, flip plan): like the
// object transforms, in the current view's two axes, but on every point whatever its
// selection or lock, and always carrying a roof's skylights, dormer cut-outs and symbols.
#include <cstdint>

#include "model/command_ids.h"

struct Objex;
struct TransformRecord;

inline constexpr int32_t kFlipPlanHorizontalCommand = cmd::kFlipPlanHorizontal;
inline constexpr int32_t kFlipPlanVerticalCommand = cmd::kFlipPlanVertical;

void TranslatePlanObject(Objex* object, const TransformRecord* record);
// Imported-object rotation, freehand-roof slope direction and skylight angle follow.
void RotatePlanObject(Objex* object, const TransformRecord* record);
// Mirrors about the view's axes through the origin: 5363 negates the first coordinate, any
// other command the second. In the plan view the tangents (in, out, across) are mirrored as
// well. Walls swap the attributes of their two sides; skylights toggle a mirror byte; the
// stored angles of imported-object groups, freehand roofs and cabinet groups are mirrored.
void FlipPlanObject(Objex* object, int32_t command);
