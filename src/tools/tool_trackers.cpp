#include "tools/tool_trackers.h"

#include "tools/camera_tool.h"
#include "tools/curved_wall_tool.h"
#include "tools/fixed_components.h"
#include "tools/key_entry.h"
#include "tools/roof_attachments.h"
#include "tools/point_roofs.h"
#include "tools/roof_panels.h"
#include "tools/roof_tool.h"
#include "tools/wall_components.h"
#include "tools/wall_openings.h"
#include "tools/wall_tool.h"
#include "tracking/tool_dispatch.h"

void RegisterToolTrackers() {
    RegisterKeyEntryTracker(TrackKeyEntry);
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
    RegisterDoorTracker(TrackerSlot::Door, TrackDoor);
    RegisterDoorTracker(TrackerSlot::Window, TrackWindow);
    RegisterDoorTracker(TrackerSlot::Accessory, TrackAccessory);
    RegisterToolTracker(TrackerSlot::Component, TrackComponent);
    RegisterToolTracker(TrackerSlot::ComponentFixed, TrackComponentFixed);
}
