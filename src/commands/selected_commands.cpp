#include "commands/selected_commands.h"

#include <algorithm>

#include "geometry/elements/edging_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/deletion.h"
#include "model/delete_items.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/floor_operations.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/plant_bounds.h"
#include "model/selection_ops.h"
#include "model/scoped_restore.h"
#include "model/selection_queries.h"
#include "model/smoothing.h"
#include "model/texture_mapping.h"
#include "model/rebuild_table.h"
#include "model/render_state.h"
#include "tools/deck_tools.h"
#include "tools/site_rebuilds.h"
#include "tools/wall_construction.h"

using cmdsupport::AttachmentOf;
using cmdsupport::DocStateParam;
using cmdsupport::Int16Param;
using cmdsupport::TypeIn;

namespace {

// Objects set into a wall, deck or roof that cut and delete remove one by one.
bool IsAttachment(const Objex* o) { return objtype::IsAttachment(o->type); }

// The text box record of a dimension's text box, or null.
DimensionTextRecord* TextBoxRecordOf(Objex* box) {
    if (!box || box->type != objtype::kDimensionText || box->typeData.kind != TypeDataKind::DimensionText)
        return nullptr;
    return box->typeData.dimensionText;
}

// Detail shapes (29) of subtype 1-9 outside symbol-editor and section-detail groups.
bool IsStyledDetail(Objex* o) {
    return o->type == objtype::kDetail && o->subtype >= 1 && o->subtype <= 9 &&
           !IsObjectSymbolEditorObject(o) && !IsObjectSectionDetailObject(o);
}

void SetColour(Objex* o, bool fill, const RGBColor& colour) {
    (fill ? o->fillColor : o->penColor) = colour;
}

void RebuildStairRailEdging(Objex* o) {
    switch (o->type) {
    case objtype::kStaircase: UpdateStairObject(o); break;
    case objtype::kRailing: UpdateRailObject(o); break;
    case objtype::kEdging: UpdateEdgingObject(o); break;
    default: break;
    }
}

}  // namespace

CommandFate RemoveAttachmentCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    // The delete key walks every object, so each attachment answers for its own selection.
    if (!IsAttachment(object) || !IsObjectSelected(object) || IsObjectLocked(object))
        return CommandFate::Kept;
    Objex* host = object->parent;
    if (command == cmd::kCut) DeleteObj(object);
    else DeleteObjItem(object);
    if (host) {
        if (host->type == objtype::kDeck) Update3DDeck(host);
        else if (command != cmd::kCut && host->type == objtype::kWall) Update3DWall(host);
        rebuild::ReRenderObject(host);
    }
    gRefreshRender = 1;
    return CommandFate::Deleted;
}

CommandFate ColourCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    const DocState* ds = DocStateParam(param);
    if (!ds || !IsObjectSelected(object)) return CommandFate::Kept;
    const bool fill = command == cmd::kFillColour;
    const RGBColor colour = fill ? ds->fillColor : ds->penColor;
    SetColour(object, fill, colour);
    if (object->type == objtype::kWall) {
        if (object->typeData.kind == TypeDataKind::WallSolid && object->typeData.wallSolid)
            SetColour(object->typeData.wallSolid, fill, colour);
        if (object->sourceObject) SetColour(object->sourceObject, fill, colour);
    } else if (TypeIn(object, {objtype::kDoor, objtype::kWindow, objtype::kDeckSteps})) {
        if (AttachmentRecord* r = AttachmentOf(object))
            for (Objex* part = r->generatedParts; part; part = part->next) SetColour(part, fill, colour);
    }
    return CommandFate::Kept;
}

CommandFate SmoothCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    if (command == cmd::kSmooth) SmoothObject(object);
    else UnsmoothObject(object);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate PenStyleCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const DocState* ds = DocStateParam(param);
    if (ds && IsStyledDetail(object)) object->penStyle = ds->penStyle;
    return CommandFate::Kept;
}

CommandFate LineWeightCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    SetLineWeight(object);
    return CommandFate::Kept;
}

CommandFate ArrowStyleCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    if (objtype::IsDimension(object->type)) DimensionArrowFlag(object, static_cast<int16_t>(command));
    return CommandFate::Kept;
}

CommandFate PointTextureCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    const auto texture = static_cast<int32_t>(CommandParamToInt(param));
    for (Poinz* p = object->firstPoint; p; p = p->next)
        (command == cmd::kPointTexture1 ? p->texture1 : p->texture2) = texture;
    return CommandFate::Kept;
}

CommandFate TextureFaceCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    SetTextureFaceUV(object);
    return CommandFate::Kept;
}

CommandFate PointLengthsCommand(Objex* object, uint8_t, int32_t, CommandParam) {
    SetObjectPointLengths(object);
    return CommandFate::Kept;
}

// After a smoothing or straightening: the faces mapped and the rows measured along the curves
// now drawn, and a skylight's filler planes, copies of its outline, made again from it, as a read
// does; the roof, which shows them, was built before its skylights were walked.
void FollowNewCurves(Objex* object) {
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    if (object->type == objtype::kSkylight && rebuild::Run(object, uint8_t(rebuild::Scope::Symbol)) &&
        object->parent)
        rebuild::ReRenderObject(object->parent);
}

CommandFate SmoothingCommand(Objex* object, uint8_t, int32_t command, CommandParam) {
    if (command == cmd::kSmoothing) ObjectSmoothing(object);
    else ObjectStraightening(object);
    FollowNewCurves(object);
    RebuildStairRailEdging(object);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate PlantCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    if (object->type != objtype::kPlant) return CommandFate::Kept;
    if (command == cmd::kPlantingAge) {
        objfield::plant::kPlantingAge(*object) = Int16Param(param);
    } else if (command != cmd::kPlantSize) {
        object->plantAge += static_cast<float>(CommandParamToInt(param));
        if (!(object->plantAge >= kYoungestPlantAge)) object->plantAge = kYoungestPlantAge;
    }
    float width = 0.0f, height = 0.0f;
    GetPlantBounds(object, &width, &height, 1);
    // The growth step walks the plants of every floor and the rescale selects each; the step's
    // closing deselect reaches only the floors in view, so a plant is let go here.
    if (command != cmd::kPlantingAge) SelectObj(object, selmode::kDeselect, 0);
    return CommandFate::Kept;
}

CommandFate CurveTensionCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    DocState* ds = CurrentDocState();
    if (!ds) return CommandFate::Kept;
    if (command == cmd::kCurveTension && ds->curveTension != 0) SmoothSelectedObject(object);
    else UnsmoothSelectedObject(object);
    // The pieces are built with the tension the design keeps (the sheet passes it, having set
    // another for the smoothing alone), as a read builds a curved path's.
    const auto* kept = static_cast<const int16_t*>(param);
    const dvx::Restore<int16_t> building(ds->curveTension, kept ? *kept : ds->curveTension);
    FollowNewCurves(object);
    if (object->type == objtype::kRailing) {
        if (command == cmd::kCurveTension) object->subtype = objsubtype::kCurvedRailing;
        UpdateRailObject(object);
    } else if (TypeIn(object, {objtype::kPath, objtype::kEdging, objtype::kFloor, objtype::kFloorCutout,
                               objtype::kDeck, objtype::kExcavation, objtype::kStaircase})) {
        // A staircase too: its flights follow the curve its outline now has.
        RebuildObjectByType(object, RebuildTable::Full);
    }
    rebuild::ReRenderObject(object);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate PatternCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    ChangePattern(object, Int16Param(param));
    return CommandFate::Kept;
}

CommandFate CopyTransformCommand(Objex* object, uint8_t, int32_t, CommandParam param) {
    const TransformRecord* record = cmdsupport::RecordParam(param);
    if (!record) return CommandFate::Kept;
    Objex* box = object;
    if (object->type == objtype::kDimensionLinked)
        box = object->typeData.kind == TypeDataKind::Dimension && object->typeData.dimension
                  ? object->typeData.dimension->textBox
                  : nullptr;
    else if (object->type != objtype::kDimensionText)
        return CommandFate::Kept;
    if (DimensionTextRecord* r = TextBoxRecordOf(box))
        std::copy_n(record->values, DimensionTextRecord::kTransformCount, r->transform);
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}

CommandFate TextBoxFieldCommand(Objex* object, uint8_t, int32_t command, CommandParam param) {
    DimensionTextRecord* r = TextBoxRecordOf(object);
    if (!r) return CommandFate::Kept;
    if (command == cmd::kFontNumber) r->fontNum = Int16Param(param);
    else if (command == cmd::kFontSize) r->fontSize = Int16Param(param);
    else r->fontStyle = static_cast<uint8_t>(CommandParamToInt(param));
    RefreshObjectBounds(object);
    return CommandFate::Kept;
}
