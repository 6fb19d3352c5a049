#pragma once
// The trackers of src/tools enter the tool table (tracking/tool_dispatch.h) here, and only
// here. The program calls this once at start-up and tests call it before playing a tool's
// gesture; a static library drops objects that would register themselves, so every tracker
// is named in this one function. A new tool's tracker is one more line in it, e.g.
//
//   RegisterTracker(TrackerSlot::Wall, TrackWall);
//   RegisterDoorTracker(TrackerSlot::Door, TrackDoor);
void RegisterToolTrackers();
