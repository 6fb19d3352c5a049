#include "tracking/drafting_trackers.h"

#include "tracking/line_trackers.h"
#include "tracking/shape_trackers.h"
#include "tracking/tool_dispatch.h"

void RegisterDraftingTrackers() {
    RegisterTracker(TrackerSlot::Rect, TrackRect);
    RegisterTracker(TrackerSlot::Oval, [](int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
        TrackOval(x, y, h, v, d, stage);
    });
    RegisterTracker(TrackerSlot::Line, TrackLine);
    RegisterViewToolTracker(TrackerSlot::Arc, TrackArc);
    RegisterTracker(TrackerSlot::Multi, TrackMulti);
    RegisterTracker(TrackerSlot::Text, TrackText);
}
