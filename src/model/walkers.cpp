#include "model/walkers.h"

#include <optional>
#include <utility>
#include <vector>

#include "model/attached_dimension_batch.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/command_table.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/rebuild_table.h"
#include "model/selection_roster.h"
#include "model/view_layers.h"
#include "port/seam.h"

int32_t gObjectCount = 0;
uint8_t gOverload = 0;
static const port::GlobalReset kReset([] {
    gObjectCount = 0;
    gOverload = 0;
});

namespace {

constexpr int32_t kMirrorGroupSubtype = 170;

bool InRange(int32_t command, int32_t first, int32_t last) {
    return command >= first && command <= last;
}

// Commands for which an object with any selected part takes part in a selected-only walk.
bool TakesAnySelected(int32_t command) {
    return command == cmd::kSetElevation || command == cmd::kRaiseElevation || command == cmd::kElevationSummary;
}

// Commands that move or remove walls one by one as the walk reaches them: the flips, nudges,
// snapping to the grid, the whole-plan and the object transforms, Delete and Cut, and those
// that take walls off a floor's list or put them on one: Group, Ungroup, the moves and copies
// to another floor, and Bring to Front and Send to Back of a wall from a floor not current.
bool MovesWalls(int32_t command) {
    return InRange(command, cmd::kFlipHorizontal, cmd::kNudgeRight) || command == cmd::kSnapToGrid ||
           InRange(command, cmd::kMovePlan, cmd::kFlipPlanVertical) || InRange(command, cmd::kMove, cmd::kRotate) ||
           command == cmd::kDelete || command == cmd::kCut || command == cmd::kGroup || command == cmd::kUngroup ||
           InRange(command, cmd::kMoveToUpperFloor, cmd::kCopyToLowerFloor) || InRange(command, cmd::kToTail, cmd::kToHead);
}

// Attached dimensions are measured once the whole walk is done: measured as each wall
// moves, one would probe walls later in the walk where they stood before, and one over open
// ground would keep that length. A flipped wall is also rebuilt before the walk turns its
// dimensions to their mirrored side.
std::optional<AttachedDimensionBatch> MeasureAfterWalk(int32_t command) {
    using Batch = std::optional<AttachedDimensionBatch>;
    return MovesWalls(command) ? Batch(std::in_place, AttachedDimensionBatch::Floors::EveryRefit) : Batch();
}

// Whether the walk of a command over every object reaches the layer: a hidden floor too for
// the whole-plan moves, turns and flips, which would otherwise leave it where the rest left.
bool WalksLayer(const Layer* layer, int32_t command) {
    if (layer->visible) return true;
    return InRange(command, cmd::kMovePlan, cmd::kFlipPlanVertical) && !IsElevationViewLayer(layer);
}

// Commands after which SelectedObject neither visits the children nor refits the roof.
bool EndsAtObject(const Objex* o, int32_t command) {
    if (o->type == objtype::kGroup && o->subtype == kMirrorGroupSubtype &&
        (command == cmd::kFlipHorizontal || command == cmd::kFlipVertical))
        return true;
    if (objtype::IsRoof(o->type))
        return InRange(command, cmd::kFlipHorizontal, cmd::kNudgeRight) ||
               InRange(command, cmd::kMovePlan, cmd::kFlipPlanVertical) || command == cmd::kMove ||
               command == cmd::kRotate;
    return false;
}

// Commands whose rows build a roof's pieces before the walk reaches its skylights and cut-outs
// and reshapes them (a resize, a snap to the grid): a refit alone keeps the openings cut, and
// the fillers standing, where they were.
bool ReshapesRoofAttachments(int32_t command) { return command == cmd::kScale || command == cmd::kSnapToGrid; }

// The parts of the roof's skylights and cut-outs made anew from their outlines and the roof
// built again over them, as a read makes them.
void RebuildReshapedRoof(Objex* roof) {
    for (Objex* child = roof->firstChild; child; child = child->next)
        if (objtype::Has(child->type, objtype::kIsRoofAttachment)) rebuild::Run(child, uint8_t(rebuild::Scope::Symbol));
    if (rebuild::Run(roof, rebuild::kObjectScopes)) rebuild::ReRenderObject(roof);
}

// Whether a top-level object takes part in a selected-only walk of the command.
bool Qualifies(Objex* o, int32_t command) {
    if (TakesAnySelected(command)) return IsAnyObjectSelected(o);
    if (InRange(command, cmd::kFlipHorizontal, cmd::kNudgeRight) || command == cmd::kMove || command == cmd::kRotate)
        return IsObjectSelected(o) || (objtype::IsRoof(o->type) && IsAnyRoofAttachmentSelected(o));
    if (command == cmd::kSelect && objtype::IsRoof(o->type) && !IsObjectSelected(o)) {
        SelectEntireRoofAttachments(o);
        return false;
    }
    return IsObjectSelected(o);
}

}  // namespace

void GroupFollowUp(Objex* group) {
    if (!group || group->type != objtype::kGroup) return;
    UpdateObjectRootBounds(group, 0, 0);
    Objex* first = group->firstChild;
    if (first && objtype::IsFixedComponent(first->type) && first->firstPart)
        rebuild::Run(first, uint8_t(rebuild::Scope::Symbol));
}

bool SelectedObject(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param) {
    if (!object) return false;
    const rebuild::GroundBatch ground;
    const auto dimensions = MeasureAfterWalk(command);
    if (SelectedCommandFn apply = FindSelectedCommand(command))
        if (apply(object, selectedOnly, command, param) == CommandFate::Deleted) return false;
    if (EndsAtObject(object, command)) return true;
    for (Objex* child = object->firstChild; child;) {
        Objex* next = child->next;
        SelectedObject(child, selectedOnly, command, param);
        child = next;
    }
    if (objtype::IsRoof(object->type)) {
        if (!ReshapesRoofAttachments(command)) rebuild::RefitAttachments(object);
        else RebuildReshapedRoof(object);
    }
    return true;
}

void SelectedObjectLayer(Layer* layer, uint8_t selectedOnly, int32_t command, CommandParam param) {
    if (!layer || !WalksLayer(layer, command)) return;
    const rebuild::GroundBatch ground;
    const auto dimensions = MeasureAfterWalk(command);
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (!selectedOnly || Qualifies(o, command)) {
            if (command == cmd::kCountGroups) {
                gObjectCount = 0;
                SelectedObject(o, selectedOnly, command, param);
            } else if (SelectedObject(o, selectedOnly, command, param)) {
                GroupFollowUp(o);
            }
        }
        o = next;
    }
}

void SelectedObjectAllLayers(Layer* firstLayer, uint8_t selectedOnly, int32_t command, CommandParam param) {
    const rebuild::GroundBatch ground;
    const auto dimensions = MeasureAfterWalk(command);
    for (Layer* l = firstLayer; l;) {
        Layer* next = l->next;
        SelectedObjectLayer(l, selectedOnly, command, param);
        l = next;
    }
}

bool TopLevelObject(Objex* object, int32_t command, CommandParam param) {
    if (!object || !gCurDocument) return object != nullptr;
    const rebuild::GroundBatch ground;
    if (TopLevelCommandFn apply = FindTopLevelCommand(command))
        return apply(object, command, param) != CommandFate::Deleted;
    return true;
}

void TopLevelObjectLayer(Layer* layer, int32_t command, CommandParam param) {
    if (!layer || !layer->visible) return;
    const rebuild::GroundBatch ground;
    const auto dimensions = MeasureAfterWalk(command);
    const bool any = TakesAnySelected(command);
    if (command == cmd::kElevationSummary || command == cmd::kCountTopLevel) {
        // Commands that only read: visit what holds a selected point rather than the list.
        std::vector<Objex*> selected;
        SelectedObjectsOfLayer(layer, &selected);
        for (Objex* o : selected)
            if (any ? IsAnyObjectSelected(o) : IsObjectSelected(o)) TopLevelObject(o, command, param);
        return;
    }
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (any ? IsAnyObjectSelected(o) : IsObjectSelected(o)) TopLevelObject(o, command, param);
        o = next;
    }
}

void TopLevelObjectAllLayers(Layer* firstLayer, int32_t command, CommandParam param) {
    const rebuild::GroundBatch ground;
    const auto dimensions = MeasureAfterWalk(command);
    for (Layer* l = firstLayer; l;) {
        Layer* next = l->next;
        TopLevelObjectLayer(l, command, param);
        l = next;
    }
}

Objex* GetASelectedObject(int32_t n) {
    if (n <= 0 || !gCurDocument) return nullptr;
    std::vector<Objex*> selected;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next) {
        selected.clear();
        SelectedObjectsOfLayer(l, &selected);
        for (Objex* o : selected)
            if (IsObjectSelected(o) && --n == 0) return o;
    }
    return nullptr;
}
