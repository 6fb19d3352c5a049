#include "model/selection_commands.h"

#include <vector>

#include "model/attached_dimension_batch.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/selection_summary.h"

namespace {

// More nested groups than this in one top-level object overload the group handling.
constexpr int32_t kMaxGroups = 25;

DocState* DocStateParam(CommandParam param) {
    return static_cast<DocState*>(param);
}

void MergeElevation(Objex* object, CommandParam param) {
    DocState* ds = DocStateParam(param);
    if (!ds) return;
    SelectionState40 ss40 = ds->ss40;
    UpdateSelectionState40(&ss40, object);
    ds->ss40 = ss40;
}

// A new empty group on the object's layer, drawn through its members.
Objex* CreateGroupFor(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object->layer) return nullptr;
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
    const RGBColor black{};
    const FloatRect empty = EmptyFloatRect();
    Objex* group = CreateObject(objtype::kGroup, 0, 0, &white, &black, 0.0f, 6, 0, &empty, nullptr,
                                nullptr, nullptr, object->layer, TypeData{});
    if (!group) return nullptr;
    group->planBits = ds->currentPlanBit;
    AppendObjectToLayer(group, object->layer);
    return group;
}

}  // namespace

CommandFate CountGroupsCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    if (!gOverload && object->type == objtype::kGroup && ++gObjectCount > kMaxGroups) gOverload = 1;
    return CommandFate::Kept;
}

CommandFate SelectCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    SelectObj(object, selmode::kSelect, 1);
    return CommandFate::Kept;
}

CommandFate SelectionSummaryCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    DocState* ds = DocStateParam(param);
    if (!ds) return CommandFate::Kept;
    SelectionState ss = ds->ss;
    UpdateSelectionState(ds, &ss, object);
    ds->ss = ss;
    return CommandFate::Kept;
}

CommandFate ElevationSummaryCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    MergeElevation(object, param);
    return CommandFate::Kept;
}

CommandFate CountTopLevelCommand(Objex*, int32_t, CommandParam) {
    ++gObjectCount;
    return CommandFate::Kept;
}

CommandFate GroupCommand(Objex* object, int32_t, CommandParam) {
    if (!gGroupLeader) gGroupLeader = CreateGroupFor(object);
    if (!gGroupLeader) return CommandFate::Kept;
    MeasureFloorOfWalls(object);
    GroupObject(object);
    GroupFollowUp(gGroupLeader);
    // Its pieces are placed by its root, now the group.
    rebuild::RenderEntireObject(object);
    return CommandFate::Kept;
}

CommandFate UngroupCommand(Objex* object, int32_t, CommandParam) {
    if (object->type != objtype::kGroup || !object->layer) return CommandFate::Kept;
    MeasureFloorOfWalls(object);
    std::vector<Objex*> members;
    for (Objex* m = object->firstChild; m; m = m->next) members.push_back(m);
    UngroupObject(object);
    // Each member's pieces are placed by its own elevation now, no longer the group's.
    for (Objex* m : members) rebuild::RenderEntireObject(m);
    return CommandFate::Deleted;
}

CommandFate TopLevelElevationSummaryCommand(Objex* object, int32_t, CommandParam param) {
    MergeElevation(object, param);
    return CommandFate::Kept;
}
