#pragma once
// The rows of TopLevelObject beyond counting, grouping and the elevation summary: each
// applies one command to one top-level object (no recursion).
#include "model/walkers.h"

// 21 cut (DeleteObj), 5199 delete (DeleteObjItem); locked objects stay.
CommandFate DeleteTopLevelCommand(Objex* object, int32_t command, CommandParam param);
// 5006 duplicate (offset and count of the DocState parameter, each copy from the previous
// one); 5008, 5138 one copy in place, deselected (the duplicate's mode mirrors it).
CommandFate DuplicateCommand(Objex* object, int32_t command, CommandParam param);
// 5105 to the tail, 5106 to the head of the current layer, deselected.
CommandFate ReorderCommand(Objex* object, int32_t command, CommandParam param);
// 5168, 5169: to the floor above or below.
CommandFate MoveToFloorCommand(Objex* object, int32_t command, CommandParam param);
// 5170, 5171: a copy to the floor above or below; the original stays when no copy can be
// made or there is no such floor.
CommandFate CopyToFloorCommand(Objex* object, int32_t command, CommandParam param);
// 5324 set, 5431 raise the elevation by 12 x gBaseElevation (elevation_commands.cpp).
CommandFate ElevationCommand(Objex* object, int32_t command, CommandParam param);
// 5326: follow the terrain, or gTopoFloatNA for types that cannot.
CommandFate FollowTerrainCommand(Objex* object, int32_t command, CommandParam param);
// 5335-5342, 5389: the object goes on one plan.
CommandFate AssignPlanCommand(Objex* object, int32_t command, CommandParam param);
