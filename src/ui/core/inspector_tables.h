#pragma once
// How the inspector chooses a pane: a tool's property type, which objects have properties,
// which property types share a pane, and the pane of each property type, object and tool.
// Panes are named by their class name; a pane not built yet is simply not registered.
#include <cstdint>
#include <optional>

struct Objex;

// 1 once the current tool's property type was asked for in this refresh (a property type
// with both an object pane and a tool pane then shows the tool pane); 0 while objects are shown.
extern uint8_t gToolProperties;
// The root of the first imported 3D object (15) the object pane shows in this refresh.
extern Objex* gCurFentrixObject;

// The tool's inspector property type, 0 when it has none; sets gToolProperties in every case.
int32_t getToolPropertyType(int16_t toolID);
// Whether selecting the object can show a pane (nil has none).
bool objectHasProperties(Objex* object);
// Whether an object of `newType` may be shown with those merged under `runningType`: lights
// with lights, floors with floor cutouts, anything else only with its own type.
bool isCommonPropertyTypes(int32_t runningType, int32_t newType);
// The key of an object's pane: a component's subtype, else its type.
int32_t ObjectPropertyType(const Objex* object);

// The pane class of a property type, or the tool pane's while `toolShown`; null for none.
const char* PaneForPropertyType(int32_t propertyType, bool toolShown);
// The pane that is given an object of its type code (components by subtype); null for none.
const char* PaneForObject(const Objex* object);

// How the host hands the current tool to its pane.
enum class ToolMessage {
    UpdateToolProperties,       // `updateToolProperties`
    UpdateForNil,               // `updatePropertiesForObject:` nil (the one-argument form)
    UpdateForNilInitialize,     // `updatePropertiesForObject:` nil `initialize:` the host's flag
};
struct ToolRoute {
    const char* pane;
    ToolMessage message;
};
std::optional<ToolRoute> PaneForTool(int16_t toolID);
