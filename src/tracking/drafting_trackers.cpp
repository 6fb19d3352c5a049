#include "tracking/drafting_trackers.h"

#include "tracking/dimension_trackers.h"
#include "tracking/fillet_chamfer.h"
#include "tracking/line_trackers.h"
#include "tracking/shape_trackers.h"
#include "tracking/tool_dispatch.h"
#include "tracking/transform_trackers.h"

void RegisterDraftingTrackers() {
    RegisterDimensionTrackers();
    RegisterCornerTrackers();
    RegisterTracker(TrackerSlot::Rect, TrackRect);
    RegisterTracker(TrackerSlot::Oval, [](int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
        TrackOval(x, y, h, v, d, stage);
    });
    RegisterTracker(TrackerSlot::Line, TrackLine);
    RegisterTracker(TrackerSlot::Poly, TrackPoly);
    RegisterViewToolTracker(TrackerSlot::Arc, TrackArc);
    RegisterTracker(TrackerSlot::Multi, TrackMulti);
    RegisterTracker(TrackerSlot::Text, TrackText);
    RegisterTracker(TrackerSlot::Scale, [](int32_t x, int32_t y, float, float, float, int16_t stage) {
        TrackScale(x, y, stage);
    });
    RegisterPlanTracker(TrackerSlot::Rotate, TrackRotate);
    RegisterTracker(TrackerSlot::Marquee, TrackMarquee);
}
