// Which pane the inspector picks: a tool's property type, the object and tool panes of each
// property type, the routing of objects and tools, which objects have properties and which
// types share a pane. Rows sample every range's ends and the values just outside them.
#include "ui/core/inspector_tables.h"

#include <cstring>
#include <gtest/gtest.h>

#include "model/objects.h"
#include "support/build.h"

namespace dvxtest {
namespace {

bool Is(const char* got, const char* want) {
    return (!got && !want) || (got && want && std::strcmp(got, want) == 0);
}

class InspectorTables : public SelectionTest {};

TEST_F(InspectorTables, ToolsObjectsAndPropertyTypesFindTheirPanes) {
    // Tool ID to property type; every lookup marks the tool as shown, also when it gives 0.
    struct ToolType { int16_t tool; int32_t type; };
    const ToolType tools[] = {
        {200, 0},     {208, 138},   {7000, 0},    {7001, 114},  {7002, 115},  {7049, 0},    {7050, 12},
        {7054, 12},   {7055, 0},    {7507, 12},   {7056, 16},   {7057, 17},   {7058, 38},   {7059, 38},
        {7604, 38},   {7605, 38},   {7060, 45},   {7061, 45},   {7602, 45},   {7603, 45},   {7062, 13},
        {7063, 13},   {7606, 13},   {7064, 157},  {7101, 7101}, {7102, 7102}, {7103, 0},    {7104, 7102},
        {7105, 0},    {7106, 7106}, {7107, 7107}, {7108, 0},    {7109, 7109}, {7110, 83},   {7208, 95},
        {7209, 96},   {7210, 97},   {7300, 14},   {7305, 14},   {7306, 57},   {7308, 57},   {7309, 0},
        {7310, 160},  {7400, 117},  {7502, 22},   {7503, 0},    {7504, 24},   {7505, 25},   {7506, 7506},
        {7510, 62},   {7511, 30},   {7512, 30},   {7515, 62},   {7600, 51},   {7601, 51},   {7700, 7700},
        {7705, 7705}, {7707, 7707}, {7708, 0},
    };
    for (const ToolType& r : tools) {
        gToolProperties = 0;
        EXPECT_EQ(getToolPropertyType(r.tool), r.type) << r.tool;
        EXPECT_EQ(gToolProperties, 1) << r.tool;
    }

    // Property type to its object pane and, while a tool is shown, its tool pane.
    struct PaneRow { int32_t type; const char* object; const char* tool; };
    const PaneRow panes[] = {
        {12, "WallObjectInspectorController", "WallToolInspectorController"},
        {13, "FloorInspectorController", "FloorInspectorController"},
        {48, "FloorInspectorController", "FloorInspectorController"},
        {29, "DetailObjectInspectorController", "DetailTool1InspectorController"},
        {51, "DeckObjectInspectorController", "DeckToolInspectorController"},
        {57, "Roof2InspectorController", "Roof2InspectorController"},
        {79, "LightObjectInspectorController", "LightToolInspectorController"},
        {82, "LightObjectInspectorController", "LightToolInspectorController"},
        {146, "LightObjectInspectorController", "LightToolInspectorController"},
        {152, "LightObjectInspectorController", "LightToolInspectorController"},
        {7109, "LightObjectInspectorController", "LightToolInspectorController"},
        {95, "BathTubInspectorController", "BathTubInspectorController"},
        {138, "WallDimInspectorController", "WallDimInspectorController"},
        {7104, "Recept2InspectorController", "Recept2InspectorController"},
        {7107, "Switch2InspectorController", "Switch2InspectorController"},
        {7506, "GateToolInspectorController", "GateToolInspectorController"},
        {7704, "DetailObjectInspectorController", "DetailTool1InspectorController"},
        {7705, "DetailObjectInspectorController", "DetailTool3InspectorController"},
        {7706, "DetailObjectInspectorController", "DetailTool2InspectorController"},
        {7707, "DetailObjectInspectorController", "DetailTool1InspectorController"},
        // Properties but no pane.
        {21, nullptr, nullptr}, {62, nullptr, nullptr}, {78, nullptr, nullptr}, {145, nullptr, nullptr},
        {153, nullptr, nullptr}, {0, nullptr, nullptr},
    };
    for (const PaneRow& r : panes) {
        EXPECT_TRUE(Is(PaneForPropertyType(r.type, false), r.object)) << r.type;
        EXPECT_TRUE(Is(PaneForPropertyType(r.type, true), r.tool)) << r.type;
    }

    // Tools to their panes, with the message each pane is sent.
    struct ToolPane { int16_t tool; const char* pane; ToolMessage message; };
    const ToolPane routes[] = {
        {7050, "WallToolInspectorController", ToolMessage::UpdateToolProperties},
        {7507, "WallToolInspectorController", ToolMessage::UpdateToolProperties},
        {7104, "Recept2InspectorController", ToolMessage::UpdateToolProperties},
        {7107, "Switch2InspectorController", ToolMessage::UpdateForNil},
        {7705, "DetailTool3InspectorController", ToolMessage::UpdateToolProperties},
        {208, "WallDimInspectorController", ToolMessage::UpdateForNilInitialize},
        {7057, "WindowInspectorController", ToolMessage::UpdateForNilInitialize},
        {7306, "Roof2InspectorController", ToolMessage::UpdateForNilInitialize},
        {7606, "FloorInspectorController", ToolMessage::UpdateForNilInitialize},
        {7512, "TopoInspectorController", ToolMessage::UpdateForNilInitialize},
    };
    for (const ToolPane& r : routes) {
        const std::optional<ToolRoute> route = PaneForTool(r.tool);
        ASSERT_TRUE(route) << r.tool;
        EXPECT_TRUE(Is(route->pane, r.pane)) << r.tool;
        EXPECT_EQ(route->message, r.message) << r.tool;
    }
    for (int16_t tool : {200, 7065, 7510, 7515, 7108})
        EXPECT_FALSE(PaneForTool(tool)) << tool;

    // Objects: whether they have properties, their property type and the pane given them.
    Objex* cabinet = Cabinet(floor, 1);
    Objex* symbolGroup = Group(floor, {Make(objtype::kDetail).plan({{0, 0}, {5, 5}})}, groupkind::kSymbolEditor);
    Objex* sectionGroup = Group(floor, {Make(objtype::kDetail).plan({{0, 0}, {5, 5}})}, groupkind::kSectionDetail);
    Objex* plainGroup = Group(floor, {Make(objtype::kFentrix), Make(objtype::kDetail)});
    struct ObjectRow { Objex* object; bool properties; int32_t propertyType; const char* pane; };
    const ObjectRow objects[] = {
        {Make(objtype::kWall).on(floor), true, 12, "WallObjectInspectorController"},
        {Make(objtype::kFloorCutout).on(floor), true, 48, "FloorInspectorController"},
        {Make(objtype::kPropertyLine).on(floor), true, 21, nullptr},
        {Make(objtype::kFill).on(floor), true, 26, nullptr},
        {Make(objtype::kText).on(floor), true, 144, nullptr},
        {Make(7102).on(floor), true, 7102, nullptr},
        {Make(7506).on(floor), true, 7506, nullptr},
        {Make(80).on(floor), true, 80, "LightObjectInspectorController"},
        {Make(150).on(floor), true, 150, "LightObjectInspectorController"},
        {Make(objtype::kSkylight).on(floor), true, 160, "SkylightInspectorController"},
        {Make(objtype::kType23).on(floor), false, 23, nullptr},
        {Make(objtype::kLine).on(floor), false, 6, nullptr},
        {Make(objtype::kGroup).on(floor), false, 1000, nullptr},
        // Components by subtype.
        {Make(objtype::kComponent, 83).on(floor), true, 83, "FloodLightInspectorController"},
        {Make(objtype::kComponent, 97).on(floor), true, 97, "ShowerInspectorController"},
        {Make(objtype::kComponent, 138).on(floor), true, 138, "WallDimInspectorController"},
        {Make(objtype::kComponent, 84).on(floor), false, 84, nullptr},
        // Imported 3D objects: not inside a cabinet.
        {Make(objtype::kFentrix).on(floor), true, 15, "ObjectInspectorController"},
        {plainGroup->firstChild, true, 15, "ObjectInspectorController"},
        {Make(objtype::kFentrix).in(cabinet), false, 15, "ObjectInspectorController"},
        // Detail shapes: not in a symbol editor or section detail, not a switch connector.
        {Make(objtype::kDetail).on(floor), true, 29, "DetailObjectInspectorController"},
        {plainGroup->firstChild->next, true, 29, "DetailObjectInspectorController"},
        {symbolGroup->firstChild, false, 29, "DetailObjectInspectorController"},
        {sectionGroup->firstChild, false, 29, "DetailObjectInspectorController"},
        {Make(objtype::kDetail, objsubtype::kSwitchConnector).on(floor), false, 29, "DetailObjectInspectorController"},
    };
    for (const ObjectRow& r : objects) {
        EXPECT_EQ(objectHasProperties(r.object), r.properties) << r.object->type << "/" << r.object->subtype;
        EXPECT_EQ(ObjectPropertyType(r.object), r.propertyType) << r.object->type;
        EXPECT_TRUE(Is(PaneForObject(r.object), r.pane)) << r.object->type << "/" << r.object->subtype;
    }
    EXPECT_FALSE(objectHasProperties(nullptr));

    // Which types share the pane of the first one merged.
    struct Common { int32_t running, next; bool shared; };
    const Common families[] = {
        {79, 150, true}, {152, 82, true},  {79, 83, false},  {78, 79, false}, {13, 48, true}, {48, 13, true},
        {13, 51, false}, {16, 16, true},   {16, 17, false},  {12, 12, true},  {153, 79, false},
    };
    for (const Common& r : families)
        EXPECT_EQ(isCommonPropertyTypes(r.running, r.next), r.shared) << r.running << "+" << r.next;
}

}  // namespace
}  // namespace dvxtest
