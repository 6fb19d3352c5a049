// The geometric rows of SelectedObject: snap to grid, flips, nudges, the whole-plan
// transforms and the object transforms of the trackers and sheets.
#include "commands/selected_commands.h"

#include "model/attachments.h"
#include "model/bounds.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "model/floor_operations.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/object_transforms.h"
#include "model/objects.h"
#include "model/plan_transforms.h"
#include "model/plant_bounds.h"
#include "model/selection_ops.h"
#include "model/sweeps.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "model/rebuild_table.h"
#include "tools/site_rebuilds.h"
#include "tools/roof_attachments.h"
#include "tools/wall_attachments.h"
#include "model/grid_snap.h"

using cmdsupport::AttachmentOf;
using cmdsupport::Centre3D;
using cmdsupport::DocStateParam;
using cmdsupport::RecordParam;
using cmdsupport::Translation;
using cmdsupport::TypeIn;
using xformsupport::kDegreesPerRadian;
using xformsupport::kRadiansPerDegree;
using xformsupport::ViewAxes;
using xformsupport::WrapDegreesOnce;

namespace {

constexpr int16_t kSwingOnlyDoorStyle = 503;
constexpr int32_t kUnscaledSubtype = 89;
constexpr int16_t kType170 = 170;

// Objects that stay where their host puts them: moves, nudges and turns pass them by.
bool FollowsHost(const Objex* o) { return objtype::FollowsHost(o->type); }

// Plants, text and dimension text boxes turn about their middle without turning themselves.
bool KeepsShapeUnderPlanTurn(const Objex* o) { return objtype::Has(o->type, objtype::kKeepsShapeWhenTurned); }

// Middle of the stored 3D bounds along one coordinate (H 0, V 1, D 2).
float Middle3D(const Objex* o, int axis) {
    const Float3DRect& b = o->bounds3D;
    switch (axis) {
    case 0: return b.floatLeft + (b.floatRight - b.floatLeft) * 0.5f;
    case 1: return b.floatTop + (b.floatBottom - b.floatTop) * 0.5f;
    default: return b.floatBack + (b.floatFront - b.floatBack) * 0.5f;
    }
}

// A copy of the record whose translation is (d1, d2) in the view's two axes.
TransformRecord WithTranslation(const TransformRecord& record, int a1, int a2, float d1, float d2) {
    TransformRecord moved = record;
    for (int i = 0; i < 3; ++i) moved.values[xform::kTranslateH + i] = 0.0f;
    moved.values[xform::kTranslateH + a1] = d1;
    moved.values[xform::kTranslateH + a2] = d2;
    return moved;
}

// The host wall refits its attachments after one of them changed side or swing; false when
// the refit removed the attachment itself.
bool RefitHostWall(Objex* attachment) {
    Objex* wall = attachment->parent;
    if (!wall) return true;
    const int16_t removed = UpdateAllWallAttachments(wall);
    rebuild::ReRenderObject(wall);
    if (removed <= 0) return true;
    for (Objex* c = wall->firstChild; c; c = c->next)
        if (c == attachment) return true;
    return false;
}

void ToggleSide(Objex* o) {
    if (AttachmentRecord* r = AttachmentOf(o)) r->sideFlag = r->sideFlag ? 0 : 1;
}

// Doors mirror their swing (style 503 only changes side), components and accessories change
// side; the wall then refits them.
CommandFate MirrorInWall(Objex* o) {
    AttachmentRecord* r = AttachmentOf(o);
    if (o->type == objtype::kDoor && r && r->style == kSwingOnlyDoorStyle) {
        ToggleSide(o);
        return CommandFate::Kept;
    }
    if (o->type == objtype::kDoor) {
        if (r) MirrorDoorSwing(r);
    } else {
        ToggleSide(o);
    }
    return RefitHostWall(o) ? CommandFate::Kept : CommandFate::Deleted;
}

void MoveWhole(Objex* o, float h, float d) {
    const TransformRecord record = Translation(h, 0.0f, d);
    TranslatePlanObject(o, &record);
    rebuild::ReRenderObject(o);
}

// Angles some objects keep of their own follow a turn by `angle` radians; the rest rebuild.
void AfterTurn(Objex* o, float angle, bool planTurn) {
    const auto degrees = static_cast<float>(angle * kDegreesPerRadian);
    if (objtype::IsFixedComponent(o->type)) {
        objfield::rotation::kFixedComponent(*o) += degrees;
    } else if (o->type == objtype::kGroup && o->subtype == objsubtype::kCabinetGroup) {
        if (o->typeData.kind == TypeDataKind::Cabinet && o->typeData.cabinet)
            o->typeData.cabinet->f1 = WrapDegreesOnce(o->typeData.cabinet->f1 + degrees);
    } else if (o->type == objtype::kGroup && o->linkB) {
        objfield::rotation::kImported(*o) = WrapDegreesOnce(objfield::rotation::kImported(*o) + degrees);
    } else if (planTurn && o->type == objtype::kSkylight) {
        if (o->parent) UpdateAllRoofAttachments(o->parent);
    } else {
        RebuildObjectByType(o, RebuildTable::Full);
    }
    rebuild::ReRenderObject(o);
}

}  // namespace

void MirrorDoorSwing(AttachmentRecord* record) {
    if (!record) return;
    const double degrees = record->swingOrOffset * -kDegreesPerRadian;
    record->directionFlag = DoorSwingDirectionFlag(degrees);
    record->swingOrOffset = static_cast<float>(degrees * kRadiansPerDegree);
}

CommandFate SnapToGridCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    const DocState* ds = CurrentDocState();
    if (!ds || objtype::IsHostedAttachment(object->type))
        return CommandFate::Kept;
    for (Poinz* p = object->firstPoint; p; p = p->next)
        Snap3DPointToGrid(ds, &p->position[0], &p->position[1], &p->position[2]);
    MapFacesAndLengths(object);
    RebuildObjectByType(object, RebuildTable::Short);
    rebuild::ReRenderObject(object);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate FlipCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    const bool horizontal = command == cmd::kFlipHorizontal;
    if (TypeIn(object, {objtype::kWindow, objtype::kDeckSteps, objtype::kSlopeArrow, kType170}))
        return CommandFate::Kept;
    gCommandHappened = 1;
    if (TypeIn(object, {objtype::kDoor, objtype::kComponent, objtype::kAccessory})) return MirrorInWall(object);
    if (objtype::IsFixedComponent(object->type) && object->type != objtype::kAirDuct) {
        float h, d;
        Centre3D(GetRootObject(object), &h, &d);
        if (horizontal) MoveWhole(object, 2.0f * (gFlipCenterX - h), 0.0f);
        else MoveWhole(object, 0.0f, 2.0f * (gFlipCenterY - d));
        return CommandFate::Kept;
    }
    FlipObject(object, horizontal ? 1 : 0);
    RebuildObjectByType(object, RebuildTable::Full, false);
    rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate NudgeCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    const DocState* ds = DocStateParam(param);
    if (!ds || FollowsHost(object)) return CommandFate::Kept;
    const bool vertical = command == cmd::kNudgeUp || command == cmd::kNudgeDown;
    float distance;
    if (ds->snapToGrid)
        distance = ConvertWorldToScreen(vertical ? ds->gridSpacing.floatV : ds->gridSpacing.floatH, ds, 0);
    else
        distance = ds->zoomFactor != 0.0f ? 1.0f / ds->zoomFactor : 1.0f;
    int16_t direction = nudge::kRight;
    if (command == cmd::kNudgeUp) direction = nudge::kUp;
    else if (command == cmd::kNudgeDown) direction = nudge::kDown;
    else if (command == cmd::kNudgeLeft) direction = nudge::kLeft;
    NudgeObject(object, distance, direction);
    UpdateObjectBounds(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    RebuildObjectByType(object, RebuildTable::Full);
    rebuild::ReRenderObject(object);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate MovePlanCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || FollowsHost(object)) return CommandFate::Kept;
    TranslatePlanObject(object, record);
    RebuildObjectByType(object, RebuildTable::Full);
    rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate RotatePlanCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || FollowsHost(object) || object->type == objtype::kDimensionLinked) return CommandFate::Kept;
    const float angle = record->values[xform::kRotationAngle];
    int a1, a2;
    if (KeepsShapeUnderPlanTurn(object)) {
        if (ViewAxes(&a1, &a2)) {
            const float c1 = Middle3D(object, a1), c2 = Middle3D(object, a2);
            float n1 = c1, n2 = c2;
            Rotate(&n1, &n2, 0.0f, 0.0f, angle);
            const TransformRecord moved = WithTranslation(TransformRecord{}, a1, a2, n1 - c1, n2 - c2);
            TranslatePlanObject(object, &moved);
        }
    } else {
        RotatePlanObject(object, record);
    }
    AfterTurn(object, angle, true);
    return CommandFate::Kept;
}

CommandFate FlipPlanCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    if (TypeIn(object, {objtype::kDoor, objtype::kComponent})) return MirrorInWall(object);
    if (TypeIn(object, {objtype::kWindow, objtype::kDeckSteps, objtype::kSlopeArrow, objtype::kAccessory}))
        return CommandFate::Kept;
    if (objtype::IsFixedComponent(object->type)) {
        // Mirrors about the plan origin as a whole.
        float h, d;
        Centre3D(GetRootObject(object), &h, &d);
        if (command == cmd::kFlipPlanHorizontal) MoveWhole(object, -2.0f * h, 0.0f);
        else MoveWhole(object, 0.0f, -2.0f * d);
        return CommandFate::Kept;
    }
    FlipPlanObject(object, command);
    RebuildObjectByType(object, RebuildTable::Full);
    rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate MoveCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || FollowsHost(object)) return CommandFate::Kept;
    TranslateObject(object, record);
    RebuildObjectByType(object, RebuildTable::Full);
    if (!gSymbarObjectDrop) rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate ScaleCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || object->subtype == kUnscaledSubtype ||
        FollowsHost(object) ||
        TypeIn(object, {objtype::kPlant, objtype::kFoundationPier, objtype::kType125, objtype::kText}))
        return CommandFate::Kept;
    const Objex* root = GetRootObject(object);
    if (root && root->type == objtype::kGroup && root->linkB) return CommandFate::Kept;
    ScaleObject(object, record);
    if (object->type == objtype::kEnhancedText) {
        AdjustEnhancedTextObjectSize(object);
        return CommandFate::Kept;
    }
    RebuildObjectByType(object, RebuildTable::Short);
    // Measured again once rebuilt: a deck's rebuild refits the steps along its new edges.
    RefreshObjectBounds(object);
    rebuild::ReRenderObject(object);
    return CommandFate::Kept;
}

CommandFate ShearCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || object->type == objtype::kPlant) return CommandFate::Kept;
    if (!TypeIn(object, {objtype::kOldText, objtype::kDimensionText})) {
        ShearObject(object, record);
        return CommandFate::Kept;
    }
    // Text boxes keep their shape and follow the shear of their middle.
    int a1, a2;
    if (!ViewAxes(&a1, &a2)) return CommandFate::Kept;
    const float* r = record->values;
    const FloatRect& b = object->bounds;
    const float c1 = b.floatLeft + (b.floatRight - b.floatLeft) * 0.5f;
    const float c2 = b.floatTop + (b.floatBottom - b.floatTop) * 0.5f;
    float n1 = c1, n2 = c2;
    Shear(r[xform::kShearStartH + a1], r[xform::kShearStartH + a2], r[xform::kShearEndH + a1],
          r[xform::kShearEndH + a2], &n1, &n2, r[xform::kCentreH + a1], r[xform::kCentreH + a2]);
    const TransformRecord moved = WithTranslation(*record, a1, a2, n1 - c1, n2 - c2);
    TranslateObject(object, &moved);
    return CommandFate::Kept;
}

CommandFate RotateCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = RecordParam(param);
    if (!record || FollowsHost(object) || object->type == objtype::kDimensionText) return CommandFate::Kept;
    if (object->type == objtype::kStaircase) SelectObj(object, selmode::kSelect, 1);
    const float* r = record->values;
    const float angle = r[xform::kRotationAngle];
    int a1, a2;
    if (KeepsShapeUnderPlanTurn(object)) {
        if (ViewAxes(&a1, &a2)) {
            const float c1 = Middle3D(object, a1), c2 = Middle3D(object, a2);
            float n1 = c1, n2 = c2;
            Rotate(&n1, &n2, r[xform::kCentreH + a1], r[xform::kCentreH + a2], angle);
            const TransformRecord moved = WithTranslation(*record, a1, a2, n1 - c1, n2 - c2);
            TranslateObject(object, &moved);
            if (object->type == objtype::kPlant) GetPlantBounds(object, nullptr, nullptr, 1);
        }
    } else {
        RotateObject(object, record);
    }
    AfterTurn(object, angle, false);
    return CommandFate::Kept;
}

CommandFate ExtrudeCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    if (const TransformRecord* record = RecordParam(param))
        ExtrudeObject(object, record->values[xform::kExtrusionDepth]);
    return CommandFate::Kept;
}

CommandFate RevolveCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    if (TransformRecord* record = RecordParam(param)) RevolveObject(object, record);
    return CommandFate::Kept;
}
