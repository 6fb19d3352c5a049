#include "commands/top_level_commands.h"

#include "app/core/main_window_seams.h"
#include "model/attached_dimension_batch.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/deletion.h"
#include "model/delete_items.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/floor_operations.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "model/render_state.h"
#include "tools/deck_tools.h"
#include "tools/site_rebuilds.h"
#include "ui/core/inspector_seams.h"

using cmdsupport::DocStateParam;
using cmdsupport::TypeIn;

namespace {

constexpr int32_t kDetailPlanBits = 256;

bool IsUpward(int32_t command) { return command == floorcmd::kMoveUp || command == floorcmd::kCopyUp; }

// The floor the command goes to from the current one, or null.
Layer* NeighbouringFloor(int32_t command) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return nullptr;
    return IsUpward(command) ? gCurDocument->itsCurLayer->next : gCurDocument->itsCurLayer->prev;
}

void MoveObjectToFloor(Objex* object, int32_t command) {
    MoveToNeighboringFloor(object, command);
    // The floor left is the current one, measured as the walk's batch ends; the one reached too.
    MeasureFloorOfWalls(object);
    rebuild::ReRenderObject(object);
    ResetStandardTool(1);
    InspectorUpdatePropertiesState(1);
    GroupFollowUp(object);
}

// A copy rebuilds by the short table; a copied cabinet rebuilds its parts.
void RebuildCopy(Objex* copy) {
    MapTreeFacesAndLengths(copy);
    RebuildObjectByType(copy, RebuildTable::Short);
    if (copy->type != objtype::kGroup || copy->subtype != objsubtype::kCabinetGroup) return;
    for (Objex* c = copy->firstChild; c; c = c->next)
        if (c->type == objtype::kCabinetPart) Update3DFloorSkirting(c);
}

// Types that cannot sit on the terrain.
bool CannotFollowTerrain(const Objex* o) {
    if (TypeIn(o, {objtype::kWall, objtype::kFloor, objtype::kRoof, objtype::kStaircase, objtype::kRailing,
                   objtype::kFloorCutout, objtype::kDeck, objtype::kFreehandRoof, objtype::kExcavation}))
        return true;
    if (o->type != objtype::kGroup) return false;
    if (o->subtype == objsubtype::kCabinetGroup) return true;
    return o->texture >= INT16_MIN && o->texture <= INT16_MAX &&
           objtype::IsFixedComponent(static_cast<int16_t>(o->texture));
}

}  // namespace

CommandFate DeleteTopLevelCommand(Objex* object, int32_t command, CommandParam) {
    if (IsObjectLocked(object)) return CommandFate::Kept;
    // A dimension that reached the wall measures again, to whatever stands beyond it, once the
    // walk's batch ends with the wall gone.
    if (object->type == objtype::kWall) UpdateCurrentLayerAttachedDims(object->layer);
    if (command == cmd::kCut) DeleteObj(object);
    else DeleteObjItem(object);
    gRefreshRender = 1;
    return CommandFate::Deleted;
}

CommandFate DuplicateCommand(Objex* object, int32_t command, CommandParam param) {
    if (object->type == objtype::kDimensionText ||
        (object->type >= objtype::kDimensionFirst && object->type < objtype::kLeaderDimension))
        return CommandFate::Kept;
    float offset[2] = {0.0f, 0.0f};
    int32_t count = 1;
    if (command == cmd::kDuplicate) {
        const DocState* ds = DocStateParam(param);
        if (!ds) return CommandFate::Kept;
        offset[0] = ConvertWorldToScreen(ds->duplicateOffset.floatH, ds, 0);
        offset[1] = ConvertWorldToScreen(ds->duplicateOffset.floatV, ds, 0);
        count = ds->duplicateCount;
    }
    Objex* from = object;
    Objex* last = nullptr;
    for (int32_t i = 0; i < count; ++i) {
        Objex* copy = DuplicateObject(from, nullptr, nullptr, offset, 1, command);
        if (!copy) break;
        // Mirror copies come selected; the walk must not meet them again.
        if (command != cmd::kDuplicate) SelectObj(copy, selmode::kDeselect, 0);
        MapTreeFacesAndLengths(copy);
        RebuildObjectByType(copy, RebuildTable::Short);
        rebuild::ReRenderObject(copy);
        from = last = copy;
    }
    GroupFollowUp(last);
    return CommandFate::Kept;
}

CommandFate ReorderCommand(Objex* object, int32_t command, CommandParam) {
    Layer* target = gCurDocument->itsCurLayer;
    if (!target) return CommandFate::Kept;
    // A wall from another floor leaves that floor's dimensions; the current floor's measure as
    // the walk's batch ends.
    if (object->layer != target) MeasureFloorOfWalls(object);
    UnlinkObject(object);
    object->parent = nullptr;
    // A root from another shown floor comes with everything it holds.
    if (command == cmd::kToTail) AppendObjectToLayer(object, target);
    else InsertObjectInLayer(object, target, nullptr);
    SelectObj(object, selmode::kDeselect, 0);
    Refresh();
    return CommandFate::Kept;
}

CommandFate MoveToFloorCommand(Objex* object, int32_t command, CommandParam) {
    MoveObjectToFloor(object, command);
    return CommandFate::Kept;
}

CommandFate CopyToFloorCommand(Objex* object, int32_t command, CommandParam) {
    // Without the floor a copy would stay beside its original.
    if (!NeighbouringFloor(command)) return CommandFate::Kept;
    const float zero[2] = {0.0f, 0.0f};
    Objex* copy = DuplicateObject(object, nullptr, nullptr, zero, 1, cmd::kDuplicate);
    // No copy: the original keeps its floor.
    if (!copy) return CommandFate::Kept;
    RebuildCopy(copy);
    SelectObj(object, selmode::kDeselect, 0);
    SelectObj(copy, selmode::kSelect, 0);
    MoveObjectToFloor(copy, command);
    return CommandFate::Kept;
}

CommandFate FollowTerrainCommand(Objex* object, int32_t, CommandParam) {
    if (CannotFollowTerrain(object)) {
        gTopoFloatNA = 1;
        object->onTerrain = 0;
        return CommandFate::Kept;
    }
    object->onTerrain = 1;
    rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate AssignPlanCommand(Objex* object, int32_t command, CommandParam) {
    if (command >= cmd::kFirstPlan && command <= cmd::kLastPlan)
        object->planBits = 1 << (command - cmd::kFirstPlan);
    else
        object->planBits = kDetailPlanBits;
    return CommandFate::Kept;
}
