#pragma once
// What the ceiling builder's OK does with the wall it was opened on (gTheWallObject) and the
// values it read into the builder's globals (model/tool_defaults.h).

// Builds the floor and ceiling slabs asked for (none whose outline a read would throw away)
// and, for a wall of more than two points, its soffits; the wall is deselected and everything
// built is then one undo step "Build Ceiling/Floor"; the plan is redrawn and the inspector
// refreshed, built or not. Nothing without a current document or a wall.
void BuildCeilingsFromTheWall(bool floors, bool ceilings, bool soffits);
