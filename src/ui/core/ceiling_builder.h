#pragma once
// What the ceiling builder's OK does with the wall it was opened on (gTheWallObject) and the
// values it read into the builder's globals (model/tool_defaults.h).

// Builds the floor and ceiling slabs asked for and, for a wall of more than two points, its
// soffits; everything built is one undo step "Build Ceiling/Floor". Then the wall is
// deselected, the plan redrawn and the inspector refreshed, built or not. Nothing without a
// current document or a wall.
void BuildCeilingsFromTheWall(bool floors, bool ceilings, bool soffits);
