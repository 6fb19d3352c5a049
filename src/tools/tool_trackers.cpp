#include "tools/tool_trackers.h"

#include "tools/key_entry.h"
#include "tracking/tool_dispatch.h"

void RegisterToolTrackers() {
    RegisterKeyEntryTracker(TrackKeyEntry);
}
