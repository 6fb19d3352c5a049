#include "ui/core/inspector_tables.h"

#include "model/deletion.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "port/seam.h"

uint8_t gToolProperties = 0;
Objex* gCurFentrixObject = nullptr;
static const port::GlobalReset kReset([] {
    gToolProperties = 0;
    gCurFentrixObject = nullptr;
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gCurFentrixObject == o) gCurFentrixObject = nullptr;
});

namespace {

// A tool stands for itself as a property type (the electrical, gate and detail tools).
constexpr int32_t kSelf = -1;

struct ToolTypeRow {
    int16_t first, last;
    int32_t type;
};
constexpr ToolTypeRow kToolTypes[] = {
    {208, 208, 138},   {7001, 7001, 114}, {7002, 7002, 115}, {7050, 7054, 12},  {7507, 7507, 12},
    {7056, 7056, 16},  {7057, 7057, 17},  {7058, 7059, 38},  {7604, 7605, 38},  {7060, 7061, 45},
    {7602, 7603, 45},  {7062, 7063, 13},  {7606, 7606, 13},  {7064, 7064, 157}, {7101, 7102, kSelf},
    {7106, 7107, kSelf}, {7109, 7109, kSelf}, {7104, 7104, 7102}, {7110, 7110, 83}, {7208, 7208, 95},
    {7209, 7209, 96},  {7210, 7210, 97},  {7300, 7305, 14},  {7306, 7308, 57},  {7310, 7310, 160},
    {7400, 7400, 117}, {7502, 7502, 22},  {7504, 7504, 24},  {7505, 7505, 25},  {7506, 7506, 7506},
    {7510, 7510, 62},  {7515, 7515, 62},  {7511, 7512, 30},  {7600, 7601, 51},  {7700, 7707, kSelf},
};

struct PaneRow {
    int32_t first, last;
    const char* object;
    const char* tool;  // null: the object pane serves the tool too
};
constexpr PaneRow kPanes[] = {
    {12, 12, "WallObjectInspectorController", "WallToolInspectorController"},
    {13, 13, "FloorInspectorController", nullptr},
    {48, 48, "FloorInspectorController", nullptr},
    {14, 14, "Roof1InspectorController", nullptr},
    {15, 15, "ObjectInspectorController", nullptr},
    {16, 16, "DoorInspectorController", nullptr},
    {17, 17, "WindowInspectorController", nullptr},
    {22, 22, "PathwayInspectorController", nullptr},
    {24, 24, "EdgingInspectorController", nullptr},
    {25, 25, "FenceInspectorController", nullptr},
    {28, 28, "PlantInspectorController", nullptr},
    {29, 29, "DetailObjectInspectorController", "DetailTool1InspectorController"},
    {30, 30, "TopoInspectorController", nullptr},
    {38, 38, "StairInspectorController", nullptr},
    {45, 45, "RailInspectorController", nullptr},
    {51, 51, "DeckObjectInspectorController", "DeckToolInspectorController"},
    {53, 53, "DeckStepInspectorController", nullptr},
    {57, 57, "Roof2InspectorController", nullptr},
    {79, 82, "LightObjectInspectorController", "LightToolInspectorController"},
    {146, 152, "LightObjectInspectorController", "LightToolInspectorController"},
    {7109, 7109, "LightObjectInspectorController", "LightToolInspectorController"},
    {83, 83, "FloodLightInspectorController", nullptr},
    {95, 95, "BathTubInspectorController", nullptr},
    {96, 96, "SpaTubInspectorController", nullptr},
    {97, 97, "ShowerInspectorController", nullptr},
    {114, 114, "StiffenerBeamInspectorController", nullptr},
    {115, 115, "FoundationPierInspectorController", nullptr},
    {117, 117, "AirDuctInspectorController", nullptr},
    {130, 130, "RorozErudInspectorController", nullptr},
    {138, 138, "WallDimInspectorController", nullptr},
    {157, 157, "AccessoryInspectorController", nullptr},
    {160, 160, "SkylightInspectorController", nullptr},
    {7101, 7101, "Recept1InspectorController", nullptr},
    {7102, 7102, "Recept2InspectorController", nullptr},
    {7104, 7104, "Recept2InspectorController", nullptr},
    {7106, 7106, "Switch1InspectorController", nullptr},
    {7107, 7107, "Switch2InspectorController", nullptr},
    {7506, 7506, "GateToolInspectorController", nullptr},
    {7700, 7704, "DetailObjectInspectorController", "DetailTool1InspectorController"},
    {7707, 7707, "DetailObjectInspectorController", "DetailTool1InspectorController"},
    {7705, 7705, "DetailObjectInspectorController", "DetailTool3InspectorController"},
    {7706, 7706, "DetailObjectInspectorController", "DetailTool2InspectorController"},
};

struct ObjectRow {
    int16_t first, last;
    const char* pane;
};
constexpr ObjectRow kObjectPanes[] = {
    {12, 12, "WallObjectInspectorController"},   {13, 13, "FloorInspectorController"},
    {48, 48, "FloorInspectorController"},        {14, 14, "Roof1InspectorController"},
    {15, 15, "ObjectInspectorController"},       {16, 16, "DoorInspectorController"},
    {17, 17, "WindowInspectorController"},       {22, 22, "PathwayInspectorController"},
    {24, 24, "EdgingInspectorController"},       {25, 25, "FenceInspectorController"},
    {28, 28, "PlantInspectorController"},        {29, 29, "DetailObjectInspectorController"},
    {30, 30, "TopoInspectorController"},         {38, 38, "StairInspectorController"},
    {45, 45, "RailInspectorController"},         {51, 51, "DeckObjectInspectorController"},
    {53, 53, "DeckStepInspectorController"},     {57, 57, "Roof2InspectorController"},
    {79, 82, "LightObjectInspectorController"},  {146, 152, "LightObjectInspectorController"},
    {114, 114, "StiffenerBeamInspectorController"}, {115, 115, "FoundationPierInspectorController"},
    {117, 117, "AirDuctInspectorController"},    {130, 130, "RorozErudInspectorController"},
    {157, 157, "AccessoryInspectorController"},  {160, 160, "SkylightInspectorController"},
};
// Components (56) by subtype.
constexpr ObjectRow kComponentPanes[] = {
    {83, 83, "FloodLightInspectorController"}, {95, 95, "BathTubInspectorController"},
    {96, 96, "SpaTubInspectorController"},     {97, 97, "ShowerInspectorController"},
    {138, 138, "WallDimInspectorController"},
};

struct ToolRow {
    int16_t first, last;
    ToolRoute route;
};
constexpr ToolMessage kTool = ToolMessage::UpdateToolProperties;
constexpr ToolMessage kNil = ToolMessage::UpdateForNil;
constexpr ToolMessage kNilInit = ToolMessage::UpdateForNilInitialize;
constexpr ToolRow kToolPanes[] = {
    {7050, 7054, {"WallToolInspectorController", kTool}},
    {7507, 7507, {"WallToolInspectorController", kTool}},
    {7101, 7101, {"Recept1InspectorController", kTool}},
    {7102, 7102, {"Recept2InspectorController", kTool}},
    {7104, 7104, {"Recept2InspectorController", kTool}},
    {7106, 7106, {"Switch1InspectorController", kTool}},
    {7107, 7107, {"Switch2InspectorController", kNil}},
    {7109, 7109, {"LightToolInspectorController", kTool}},
    {7506, 7506, {"GateToolInspectorController", kTool}},
    {7600, 7601, {"DeckToolInspectorController", kTool}},
    {7700, 7704, {"DetailTool1InspectorController", kTool}},
    {7707, 7707, {"DetailTool1InspectorController", kTool}},
    {7705, 7705, {"DetailTool3InspectorController", kTool}},
    {7706, 7706, {"DetailTool2InspectorController", kTool}},
    {208, 208, {"WallDimInspectorController", kNilInit}},
    {7001, 7001, {"StiffenerBeamInspectorController", kNilInit}},
    {7002, 7002, {"FoundationPierInspectorController", kNilInit}},
    {7056, 7056, {"DoorInspectorController", kNilInit}},
    {7057, 7057, {"WindowInspectorController", kNilInit}},
    {7058, 7059, {"StairInspectorController", kNilInit}},
    {7604, 7605, {"StairInspectorController", kNilInit}},
    {7060, 7061, {"RailInspectorController", kNilInit}},
    {7602, 7603, {"RailInspectorController", kNilInit}},
    {7062, 7063, {"FloorInspectorController", kNilInit}},
    {7606, 7606, {"FloorInspectorController", kNilInit}},
    {7064, 7064, {"AccessoryInspectorController", kNilInit}},
    {7110, 7110, {"FloodLightInspectorController", kNilInit}},
    {7208, 7208, {"BathTubInspectorController", kNilInit}},
    {7209, 7209, {"SpaTubInspectorController", kNilInit}},
    {7210, 7210, {"ShowerInspectorController", kNilInit}},
    {7300, 7305, {"Roof1InspectorController", kNilInit}},
    {7306, 7308, {"Roof2InspectorController", kNilInit}},
    {7310, 7310, {"SkylightInspectorController", kNilInit}},
    {7400, 7400, {"AirDuctInspectorController", kNilInit}},
    {7502, 7502, {"PathwayInspectorController", kNilInit}},
    {7504, 7504, {"EdgingInspectorController", kNilInit}},
    {7505, 7505, {"FenceInspectorController", kNilInit}},
    {7511, 7512, {"TopoInspectorController", kNilInit}},
};

// Types whose objects always have properties.
struct TypeRange {
    int16_t first, last;
};
constexpr TypeRange kWithProperties[] = {
    {12, 14}, {16, 17}, {21, 22}, {24, 28}, {30, 30},   {38, 38},   {45, 45},   {48, 48},
    {51, 51}, {53, 53}, {57, 57}, {62, 62}, {79, 82},   {114, 115}, {117, 117}, {130, 130},
    {133, 133}, {144, 152}, {157, 157}, {160, 160}, {7102, 7102}, {7104, 7104}, {7106, 7107},
    {7506, 7506},
};
constexpr int32_t kComponentsWithProperties[] = {83, 95, 96, 97, 138};

template <class Row, size_t N, class Key>
const Row* Find(const Row (&rows)[N], Key key) {
    for (const Row& r : rows)
        if (key >= r.first && key <= r.last) return &r;
    return nullptr;
}

bool IsLight(int32_t t) { return (t >= 79 && t <= 82) || (t >= 146 && t <= 152); }
bool IsFloor(int32_t t) { return t == objtype::kFloor || t == objtype::kFloorCutout; }

}  // namespace

int32_t getToolPropertyType(int16_t toolID) {
    gToolProperties = 1;
    const ToolTypeRow* r = Find(kToolTypes, toolID);
    if (!r) return 0;
    return r->type == kSelf ? toolID : r->type;
}

bool objectHasProperties(Objex* object) {
    if (!object) return false;
    switch (object->type) {
    case objtype::kFentrix: {
        const Objex* root = GetRootObject(object);
        return root && root->subtype != objsubtype::kCabinetGroup;
    }
    case objtype::kDetail:
        return !IsObjectSymbolEditorObject(object) && !IsObjectSectionDetailObject(object) &&
               object->subtype != objsubtype::kSwitchConnector;
    case objtype::kComponent:
        for (int32_t s : kComponentsWithProperties)
            if (object->subtype == s) return true;
        return false;
    default: return Find(kWithProperties, object->type) != nullptr;
    }
}

bool isCommonPropertyTypes(int32_t runningType, int32_t newType) {
    if (IsLight(runningType) && IsLight(newType)) return true;
    if (IsFloor(runningType) && IsFloor(newType)) return true;
    return runningType == newType;
}

int32_t ObjectPropertyType(const Objex* object) {
    return object->type == objtype::kComponent ? object->subtype : object->type;
}

const char* PaneForPropertyType(int32_t propertyType, bool toolShown) {
    const PaneRow* r = Find(kPanes, propertyType);
    if (!r) return nullptr;
    return toolShown && r->tool ? r->tool : r->object;
}

const char* PaneForObject(const Objex* object) {
    if (!object) return nullptr;
    if (object->type == objtype::kComponent) {
        const ObjectRow* r = Find(kComponentPanes, object->subtype);
        return r ? r->pane : nullptr;
    }
    const ObjectRow* r = Find(kObjectPanes, object->type);
    return r ? r->pane : nullptr;
}

std::optional<ToolRoute> PaneForTool(int16_t toolID) {
    const ToolRow* r = Find(kToolPanes, toolID);
    if (!r) return std::nullopt;
    return r->route;
}
