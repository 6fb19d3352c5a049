#pragma once
// Which tracker each tool's gesture reaches. The trackers live with their tools; each folder
// that owns trackers registers them in one function of its own (src/tools:
// RegisterToolTrackers, tools/tool_trackers.h), which the program calls at start-up and tests
// call before playing a gesture, so the engine calls nothing in src/tools. A slot nobody
// registered reaches nothing; the global reset empties every slot.
//
//   RegisterTracker(TrackerSlot::Rect, TrackRect);                // (x, y, h, v, d, stage)
//   RegisterPlanTracker(TrackerSlot::OffsetDim, TrackOffsetDim);  // (h, v, d, stage)
#include <cstdint>
#include <functional>

enum class TrackerSlot : uint8_t {
    None, Translate, Rotate, Scale, Marquee, Camera, Text, Component, ComponentFixed, DimLine, OffsetDim,
    DiameterDim, LeaderDim, Foundation, FoundationBeam, FoundationPier, FoundationTension, FoundationSlope,
    Wall, CurvedWall, Door, Window, StraightStaircase, CurvedStaircase, StraightRailing, CurvedRailing, Floor,
    Accessory, SwitchConnector, GableRoof, RoofPanel, FourPtRoof, ThreePtRoof, DormerCutout, Skylight,
    CustomSkylight, HVACDuct, PropertyLine, GroundFill, Path, Fill, Edging, Fence, Gate, Sprinkler,
    TopoCutout, Topo, Deck, DeckCutout, Rect, Oval, Line, Poly, Arc, Multi, Fillet, Chamfer, Count
};

// One adapter per tracker signature; the engine calls each with what its signature asks.
using Tracker = std::function<void(int32_t x, int32_t y, float h, float v, float d, int16_t stage)>;
using PlanTracker = std::function<void(float h, float v, float d, int16_t stage)>;
using ToolTracker = std::function<void(float h, float v, float d, int16_t stage, int16_t tool)>;
using ViewToolTracker =
    std::function<void(int32_t x, int32_t y, float h, float v, float d, int16_t stage, int16_t tool)>;
using DoorTracker = std::function<void(int32_t x, int32_t y, float h, int16_t stage)>;

void RegisterTracker(TrackerSlot slot, Tracker tracker);
void RegisterPlanTracker(TrackerSlot slot, PlanTracker tracker);
void RegisterToolTracker(TrackerSlot slot, ToolTracker tracker);
void RegisterViewToolTracker(TrackerSlot slot, ViewToolTracker tracker);
void RegisterDoorTracker(TrackerSlot slot, DoorTracker tracker);

// The key-entry tool (201) runs its own road instead of the engine: the press's view point
// and the window its sheet opens on. False when nothing is registered.
struct CommandWindow;
using KeyEntryTracker = std::function<void(int32_t x, int32_t y, CommandWindow* window)>;
void RegisterKeyEntryTracker(KeyEntryTracker tracker);
bool CallKeyEntryTracker(int32_t x, int32_t y, CommandWindow* window);
// The insert and remove point tools (7900, 7901) act on the press alone, through what the
// commands register. False when nothing is registered.
using PointTracker = std::function<void(int16_t tool)>;
void RegisterPointTracker(PointTracker tracker);
bool CallPointTracker(int16_t tool);
// Forgets every registration (the global reset does it too).
void ClearTrackers();

// A tool's row: whether the table knows it, its slot (None: no tracker), and whether a press
// that hit nothing goes to the marquee instead.
struct ToolRoute {
    bool known = false;
    TrackerSlot slot = TrackerSlot::None;
    bool marqueeOnMiss = false;
};
ToolRoute RouteOfTool(int16_t tool);

// Writes the tool's style (stairs, rails, roofs, inverted fillet), then calls the slot's
// tracker (the skylight slot becomes the custom one for skylight style 806). False when
// nothing is registered there.
bool CallTracker(TrackerSlot slot, int16_t tool, int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void WriteToolStyle(int16_t tool);
