// Setting (5324) and raising (5431) the elevation of top-level objects: walls by their
// selected segments and the offsets of wholly selected openings on unselected segments.
#include "commands/top_level_commands.h"

#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"

using cmdsupport::AttachmentOf;

namespace {

constexpr float kInchesPerFoot = 12.0f;
constexpr float kNoBaseElevation = 10000.0f;

struct Change {
    float value;
    bool raise;
    void apply(float& field) const { field = raise ? field + value : value; }
};

// The lowest base elevation of the wall's segment starts; a wall without a segment keeps its
// elevation.
void TakeLowestBase(Objex* wall) {
    float lowest = kNoBaseElevation;
    bool any = false;
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        if (!wall->closed && !p->next) break;
        if (p->baseElevation < lowest) lowest = p->baseElevation;
        any = true;
    }
    if (any) wall->elevation = lowest;
}

void ChangeWallElevation(Objex* wall, const Change& change, const DocState* ds) {
    if (IsEntireObjectSelected(wall)) change.apply(wall->elevation);
    Poinz* first = wall->firstPoint;
    Poinz* last = first;
    for (Poinz* p = first; p; p = p->next) {
        last = p;
        if (p->next && p->selected && p->next->selected) change.apply(p->baseElevation);
    }
    if (wall->closed && last && last != first && last->selected && first->selected)
        change.apply(last->baseElevation);
    TakeLowestBase(wall);

    // Openings selected on their own (their segment not selected) move within the wall.
    const Change offset{ConvertWorldToScreen(change.value, ds, 0), change.raise};
    bool changed = false;
    for (Objex* c = wall->firstChild; c; c = c->next) {
        if (!objtype::IsWallAttachment(c->type))
            continue;
        AttachmentRecord* r = AttachmentOf(c);
        if (!r || !r->segmentStart || !r->segmentEnd || !IsEntireObjectSelected(c)) continue;
        if (r->segmentStart->selected && r->segmentEnd->selected) continue;
        offset.apply(r->elevation);
        changed = true;
    }
    if (changed) {
        Update3DWall(wall);
        UpdateAllWallAttachments(wall);
    }
}

}  // namespace

CommandFate ElevationCommand(Objex* object, int32_t command, CommandParam) {
    Objex* root = GetRootObject(object);
    if (!root) return CommandFate::Kept;
    const Change change{kInchesPerFoot * gBaseElevation, command == cmd::kRaiseElevation};
    if (root->type == objtype::kWall) {
        if (const DocState* ds = CurrentDocState()) ChangeWallElevation(root, change, ds);
    } else if (objtype::IsRoof(root->type)) {
        if (IsRoofObjectSelected(root)) change.apply(root->elevation);
    } else {
        change.apply(root->elevation);
    }
    root->onTerrain = 0;
    if (root->type == objtype::kGroup) root->needsRebuild = 1;
    // A group's members are rendered again with it.
    rebuild::ReRenderObject(root);
    return CommandFate::Kept;
}
