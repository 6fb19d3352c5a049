// Which pane the inspector picks. Rows take each branch of the lookups and the ends of ranges.
#include "ui/core/inspector_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "model/objects.h"
#include "support/build.h"

namespace dvxtest {
namespace {

std::string Str(const char* s) { return s ? s : "-"; }

class InspectorTables : public SelectionTest {};

TEST_F(InspectorTables, ToolsObjectsAndPropertyTypesFindTheirPanes) {
    // Tool to property type (a tool standing for itself, ranges and their neighbours); every
    // lookup marks the tool as shown, also when it gives 0.
    const std::pair<int16_t, int32_t> tools[] = {{200, 0},   {208, 138},   {7049, 0},    {7050, 12},   {7054, 12},
                                                 {7055, 0},  {7104, 7102}, {7103, 0},    {7106, 7106}, {7108, 0},
                                                 {7308, 57}, {7309, 0},    {7700, 7700}, {7707, 7707}, {7708, 0}};
    for (const auto& [tool, type] : tools) {
        gToolProperties = 0;
        EXPECT_EQ(getToolPropertyType(tool), type) << tool;
        EXPECT_EQ(gToolProperties, 1) << tool;
    }

    // Property type to its object pane and, while a tool is shown, its tool pane.
    struct PaneRow { int32_t type; const char* object; const char* tool; };
    const PaneRow panes[] = {
        {12, "WallObjectInspectorController", "WallToolInspectorController"},
        {48, "FloorInspectorController", "FloorInspectorController"},
        {152, "LightObjectInspectorController", "LightToolInspectorController"},
        {7705, "DetailObjectInspectorController", "DetailTool3InspectorController"},
        {7706, "DetailObjectInspectorController", "DetailTool2InspectorController"},
        {7707, "DetailObjectInspectorController", "DetailTool1InspectorController"},
        {62, nullptr, nullptr}, {153, nullptr, nullptr},  // properties but no pane
    };
    for (const PaneRow& r : panes) {
        EXPECT_EQ(Str(PaneForPropertyType(r.type, false)), Str(r.object)) << r.type;
        EXPECT_EQ(Str(PaneForPropertyType(r.type, true)), Str(r.tool)) << r.type;
    }

    // Tools to their panes, with the message each pane is sent.
    const std::tuple<int16_t, const char*, ToolMessage> routes[] = {
        {7507, "WallToolInspectorController", ToolMessage::UpdateToolProperties},
        {7107, "Switch2InspectorController", ToolMessage::UpdateForNil},
        {208, "WallDimInspectorController", ToolMessage::UpdateForNilInitialize},
        {7512, "TopoInspectorController", ToolMessage::UpdateForNilInitialize},
    };
    for (const auto& [tool, pane, message] : routes) {
        const std::optional<ToolRoute> route = PaneForTool(tool);
        ASSERT_TRUE(route) << tool;
        EXPECT_EQ(Str(route->pane), pane) << tool;
        EXPECT_EQ(route->message, message) << tool;
    }
    for (int16_t tool : {200, 7065, 7510, 7108}) EXPECT_FALSE(PaneForTool(tool)) << tool;

    // Objects: whether they have properties, their property type and the pane given them.
    Objex* cabinet = Cabinet(floor, 1);
    Objex* symbolGroup = Group(floor, {Make(objtype::kDetail).plan({{0, 0}, {5, 5}})}, groupkind::kSymbolEditor);
    Objex* sectionGroup = Group(floor, {Make(objtype::kDetail).plan({{0, 0}, {5, 5}})}, groupkind::kSectionDetail);
    Objex* plainGroup = Group(floor, {Make(objtype::kFentrix), Make(objtype::kDetail)});
    struct ObjectRow { Objex* object; bool properties; int32_t propertyType; const char* pane; };
    const ObjectRow objects[] = {
        {Make(objtype::kWall).on(floor), true, 12, "WallObjectInspectorController"},
        {Make(objtype::kPropertyLine).on(floor), true, 21, nullptr},
        {Make(7506).on(floor), true, 7506, nullptr},
        {Make(150).on(floor), true, 150, "LightObjectInspectorController"},
        {Make(objtype::kType23).on(floor), false, 23, nullptr},
        {Make(objtype::kComponent, 97).on(floor), true, 97, "ShowerInspectorController"},
        {Make(objtype::kComponent, 84).on(floor), false, 84, nullptr},
        {plainGroup->firstChild, true, 15, "ObjectInspectorController"},
        {Make(objtype::kFentrix).in(cabinet), false, 15, "ObjectInspectorController"},
        {plainGroup->firstChild->next, true, 29, "DetailObjectInspectorController"},
        {symbolGroup->firstChild, false, 29, "DetailObjectInspectorController"},
        {sectionGroup->firstChild, false, 29, "DetailObjectInspectorController"},
        {Make(objtype::kDetail, objsubtype::kSwitchConnector).on(floor), false, 29, "DetailObjectInspectorController"},
    };
    for (const ObjectRow& r : objects) {
        SCOPED_TRACE(testing::Message() << r.object->type << "/" << r.object->subtype);
        EXPECT_EQ(objectHasProperties(r.object), r.properties);
        EXPECT_EQ(ObjectPropertyType(r.object), r.propertyType);
        EXPECT_EQ(Str(PaneForObject(r.object)), Str(r.pane));
    }
    EXPECT_FALSE(objectHasProperties(nullptr));

    // Which types share the pane of the first one merged.
    const std::tuple<int32_t, int32_t, bool> families[] = {
        {79, 150, true}, {152, 82, true}, {79, 83, false}, {78, 79, false},
        {13, 48, true},  {13, 51, false}, {16, 16, true},  {16, 17, false},
    };
    for (const auto& [running, next, shared] : families)
        EXPECT_EQ(isCommonPropertyTypes(running, next), shared) << running << "+" << next;
}

}  // namespace
}  // namespace dvxtest
