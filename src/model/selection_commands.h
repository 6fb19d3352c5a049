#pragma once
// The walker commands of selection and grouping: select (8001), the selection summaries
// (8006, 8007), group counting (2000, 2001), grouping (5025) and ungrouping (5026).
#include "model/walkers.h"

// SelectedObject rows.
CommandFate CountGroupsCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
CommandFate SelectCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
// Parameter: the DocState whose `ss` / `ss40` summary takes the object.
CommandFate SelectionSummaryCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);
CommandFate ElevationSummaryCommand(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param);

// TopLevelObject rows.
CommandFate CountTopLevelCommand(Objex* object, int32_t command, CommandParam param);
// Moves the object into gGroupLeader, first creating the group when there is none.
CommandFate GroupCommand(Objex* object, int32_t command, CommandParam param);
CommandFate UngroupCommand(Objex* object, int32_t command, CommandParam param);
CommandFate TopLevelElevationSummaryCommand(Objex* object, int32_t command, CommandParam param);
