#include "tools/tool_trackers.h"

#include "tools/camera_tool.h"
#include "tools/curved_wall_tool.h"
#include "tools/deck_tools.h"
#include "tools/foundation_tools.h"
#include "tools/duct_tools.h"
#include "tools/fixed_components.h"
#include "tools/gate_tool.h"
#include "tools/key_entry.h"
#include "tools/move_tracker.h"
#include "tools/roof_attachments.h"
#include "tools/point_roofs.h"
#include "tools/roof_panels.h"
#include "tools/roof_tool.h"
#include "tools/site_tools.h"
#include "tools/sprinkler_tool.h"
#include "tools/stair_tools.h"
#include "tools/wall_components.h"
#include "tools/wall_openings.h"
#include "tools/wall_tool.h"
#include "tracking/tool_dispatch.h"

#include <utility>

void RegisterToolTrackers() {
    RegisterKeyEntryTracker(TrackKeyEntry);
    RegisterTracker(TrackerSlot::Translate, TrackTranslate);
    RegisterTracker(TrackerSlot::Camera, [](int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
        TrackCamera(x, y, h, v, d, stage);
    });
    RegisterPlanTracker(TrackerSlot::Skylight, TrackSkylight);
    RegisterPlanTracker(TrackerSlot::CustomSkylight, TrackCustomSkylight);
    RegisterTracker(TrackerSlot::DormerCutout, TrackDormerCutout);
    RegisterTracker(TrackerSlot::Wall, TrackWall);
    RegisterTracker(TrackerSlot::CurvedWall, TrackCurvedWall);
    RegisterTracker(TrackerSlot::RoofPanel, TrackRoofPanel);
    RegisterTracker(TrackerSlot::FourPtRoof, TrackFourPtRoof);
    RegisterTracker(TrackerSlot::ThreePtRoof, TrackThreePtRoof);
    RegisterTracker(TrackerSlot::GableRoof, TrackGableRoof);
    for (auto [slot, tracker] : {std::pair{TrackerSlot::Deck, &TrackDeck}, {TrackerSlot::DeckCutout, TrackDeckCutout},
                                 {TrackerSlot::Floor, TrackFloor}, {TrackerSlot::Foundation, TrackFoundation},
                                 {TrackerSlot::FoundationBeam, TrackFoundationBeam},
                                 {TrackerSlot::FoundationPier, TrackFoundationPier},
                                 {TrackerSlot::FoundationTension, TrackFoundationTension},
                                 {TrackerSlot::FoundationSlope, TrackFoundationSlope}})
        RegisterTracker(slot, tracker);
    RegisterTracker(TrackerSlot::StraightStaircase, TrackStraightStaircase);
    RegisterTracker(TrackerSlot::CurvedStaircase, TrackCurvedStaircase);
    RegisterTracker(TrackerSlot::StraightRailing, TrackStraightRailing);
    RegisterTracker(TrackerSlot::CurvedRailing, TrackCurvedRailing);
    RegisterTracker(TrackerSlot::HVACDuct, TrackHVACDuct);
    RegisterTracker(TrackerSlot::SwitchConnector, TrackSwitchConnector);
    RegisterTracker(TrackerSlot::PropertyLine, TrackPropertyLine);
    RegisterTracker(TrackerSlot::GroundFill, TrackGroundFill);
    RegisterTracker(TrackerSlot::Path, TrackPath);
    RegisterTracker(TrackerSlot::Fill, TrackFill);
    RegisterTracker(TrackerSlot::Edging, TrackEdging);
    RegisterTracker(TrackerSlot::Fence, TrackFence);
    RegisterTracker(TrackerSlot::Topo, TrackTopo);
    RegisterTracker(TrackerSlot::TopoCutout, TrackTopoCutout);
    RegisterTracker(TrackerSlot::Sprinkler, TrackSprinkler);
    RegisterPlanTracker(TrackerSlot::Gate, TrackGate);
    RegisterDoorTracker(TrackerSlot::Door, TrackDoor);
    RegisterDoorTracker(TrackerSlot::Window, TrackWindow);
    RegisterDoorTracker(TrackerSlot::Accessory, TrackAccessory);
    RegisterToolTracker(TrackerSlot::Component, TrackComponent);
    RegisterToolTracker(TrackerSlot::ComponentFixed, TrackComponentFixed);
}
