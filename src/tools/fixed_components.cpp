#include "tools/fixed_components.h"

#include <vector>

#include "files/symbol2d_files.h"
#include "files/symbol_lists.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/grouping.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plan_transforms.h"
#include "model/selection_commands.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/units.h"
#include "plan/refresh_seams.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "tools/light_defaults.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int16_t kSymbolPiece = 89;
constexpr int16_t kSymbol3DPiece = 111;
constexpr int32_t kElectricalPlan = 4;
constexpr int32_t kPlumbingPlan = 8;
constexpr int32_t kHVACPlan = 32;
constexpr float kRadiansPerDegree = 3.14159265358979f / 180.0f;

struct Fixed {
    int16_t symbol = 68;
    int32_t planBits = kElectricalPlan;
    float elevation = 0; // inches
};

// Symbol, plan and height of what the tool drops: e the document's base elevation, c the
// current layer's height less 0.5.
Fixed FixedOfTool(int16_t tool, const DocState* ds, float c) {
    const float e = ds->currentElevation;
    const bool metric = ds->units != kImperialUnits;
    auto cm = [metric](float inches, float centimetres) {
        return metric ? ConvertCMToInches(centimetres) : inches;
    };
    switch (tool) {
    case 7102:
        if (ds->receptacleStyle2 == 9) return {69, kElectricalPlan, e + c};
        return {68, kElectricalPlan, e + cm(1.0f, 2.5f)};
    case 7104:
        if (ds->receptacleStyle2 == 9) return {72, kElectricalPlan, e + c};
        return {71, kElectricalPlan, e + cm(1.0f, 2.5f)};
    case 7065:
    case 7109: {
        const int32_t style = ds->lightStyle;
        switch (style) {
        case 80:
        case 81:
        case 82:
            return {int16_t(style), kElectricalPlan, e + c};
        case 146:
            return {146, kElectricalPlan, e + (metric ? 0.0f : 0.5f)};
        case 147:
        case 149:
        case 150:
            return {int16_t(style), kElectricalPlan, e};
        case 148:
            return {148, kElectricalPlan, e + c - cm(3.0f, 8.0f)};
        case 151:
            return {151, kElectricalPlan, e + c};
        case 152:
            return {152, kElectricalPlan, e + c / 2};
        default:
            return {79, kElectricalPlan, e + c};
        }
    }
    case 7111:
        return {88, kElectricalPlan, e + c};
    case 7202:
        return {110, kPlumbingPlan, e + 1.0f};
    case 7211:
        return {98, kPlumbingPlan, e + 0.5f};
    case 7401:
        return {118, kHVACPlan, e + cm(1.0f, 2.0f)};
    case 7402:
        return {119, kHVACPlan, e + c};
    case 7403:
        return {120, kHVACPlan, e + c};
    case 7404:
    case 7405:
    case 7406:
        return {int16_t(121 + tool - 7404), kHVACPlan, e + (metric ? 0.0f : 0.5f)};
    default:
        return {68, kElectricalPlan, e + cm(1.0f, 2.0f)};
    }
}

bool IsFixtureLightTool(int16_t tool) {
    return tool == 7109 || tool == 7065;
}

Objex* Duplicate(Objex* piece, float h, float d) {
    const float offset[2] = {h, d};
    return DuplicateObject(piece, nullptr, nullptr, offset, 0, cmd::kSymbolTop);
}

} // namespace

Objex* Place2DSymbol(float h, float d, int16_t symbolType) {
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!layer || !CurrentDocState()) return nullptr;
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    Objex* symbol = FindSymbolEntry(gSymbol2DList, symbolType);
    if (!symbol || !symbol->firstChild) return nullptr;
    std::vector<Objex*> placed;
    auto place = [&](Objex* piece) {
        Objex* copy = Duplicate(piece, h, d);
        if (!copy) return;
        placed.push_back(copy);
        copy->subtype = kSymbolPiece;
        copy->texture = symbolType;
        copy->layer = layer;
        MapFacesAndLengths(copy);  // where it now stands, as a read maps it
        AppendObjectToLayer(copy, layer);
        SelectObj(copy, selmode::kSelect, 0);
    };
    for (Objex* top = symbol->firstChild; top; top = top->next) {
        place(top);
        for (Objex* child = top->firstChild; child; child = child->next)
            place(child);
    }
    gGroupLeader = nullptr;
    GroupSelectedObjects(gCurDocument->itsLayers);
    // The group command wants two objects; a symbol of one piece is grouped all the same.
    if (!gGroupLeader && placed.size() == 1)
        GroupCommand(placed.front(), cmd::kGroup, CommandParam{});
    Objex* group = gGroupLeader;
    gGroupLeader = nullptr;
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    Refresh();
    return group;
}

void TrackComponentFixed(float worldX, float, float worldZ, int16_t stage, int16_t toolID) {
    DocState* ds = CurrentDocState();
    Layer* layer = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (stage != 3 || !ds || !layer) return;
    const Fixed f = FixedOfTool(toolID, ds, layer->height - 0.5f);
    Objex* group = Place2DSymbol(worldX, worldZ, f.symbol);
    if (!group) {
        gTrackMadeNothing = 1;
        return;
    }
    group->planBits = f.planBits;
    group->texture = f.symbol;
    group->elevation = f.elevation;
    if (IsFixtureLightTool(toolID)) {
        CopyLightDefaults(group, ds);
        if (ds->lightStyle >= 150 && ds->lightStyle <= 152) group->color2.green = 1;
        for (Objex* child = group->firstChild; child; child = child->next) {
            CopyLightDefaults(child, ds);
            objfield::light::kAmbient(*child) = ds->lightAmbient ? 1 : 0;
        }
    }
    Objex* first = group->firstChild;
    const float at[2] = {worldX, worldZ};
    Attach3DSymbol(first, f.symbol, at);
    RenderEntireObject(first);
}

void UpdateFixedComponent(Objex* object) {
    if (!object || !CurrentDocState() || !objtype::IsFixedComponent(object->type)) return;
    // Air ducts share the code of a fixed symbol; only one carrying symbol pieces is rebuilt.
    if (object->type == objtype::kAirDuct && object->subtype != kSymbolPiece &&
        !(object->firstPart && object->firstPart->type == kSymbol3DPiece))
        return;
    DeleteRendererObject(object);
    DeleteObjectList(object->firstPart);
    Objex* root = GetRootObject(object);
    if (!root) root = object;
    const Float3DRect& b = root->bounds3D;
    const float centre[2] = {(b.floatLeft + b.floatRight) / 2, (b.floatBack + b.floatFront) / 2};
    Attach3DSymbol(object, static_cast<int16_t>(object->type), centre);
    TransformRecord turn;
    turn.values[xform::kRotationAngle] =
        objfield::rotation::kFixedComponent(*object) * kRadiansPerDegree;
    turn.values[xform::kCentreH] = centre[0];
    turn.values[xform::kCentreH + 2] = centre[1];
    if (turn.values[xform::kRotationAngle] != 0)
        for (Objex* piece = object->firstPart; piece; piece = piece->next)
            RotatePlanObject(piece, &turn);
    ReRenderObject(object);
}

void UpdateFixedComponentLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next)
        if (o->type == objtype::kGroup && o->firstChild && o->firstChild->firstPart)
            UpdateFixedComponent(o->firstChild);
}

void UpdateFixedComponentAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next)
        UpdateFixedComponentLayer(layer);
}
