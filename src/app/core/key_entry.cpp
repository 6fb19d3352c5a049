#include "app/core/key_entry.h"

#include "app/core/event_handler.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"

void TrackKeyEntry(int32_t x, int32_t y, CommandWindow* window) {
    float h = 0, v = 0, d = 0;
    EvaluatePoint(x, y, &h, &v, &d, 1, &gClickInfo, 1);
    const ClickInfo& c = gClickInfo;
    if (c.ciHit && c.ciObject && c.ciPoint && c.ciPoint2)
        Win32EventHandler(window).keyEntrySheetForObject(c.ciObject, c.ciPoint, c.ciPoint2);
}
